// SPDX-License-Identifier: GPL-3.0-or-later
#include "../wordbooks/WordsFixture.h"

#include "app/Ctarvex4View.h"
#include "form/MainFormState.h"
#include "richtext/RichTextOps.h"
#include "ScriptedUserInterface.h"
#include "ui/CBitmapButton.h"
#include "ui/TrackWindows.h"
#include "ui/WordbookDialogIds.h"
#include "ui/authors.h"
#include "ui/bookname.h"
#include "ui/customwait.h"
#include "ui/trackview.h"
#include "ui/waitmessage.h"
#include "app/MainFormIds.h"
#include "ui/TrackWindowIds.h"
#include "TestApplication.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

template <class W = QWidget>
W* Child(QWidget* parent, int id) {
    W* w = parent->findChild<W*>(QString::number(id));
    EXPECT_NE(w, nullptr) << "control " << id;
    return w;
}

void Click(QWidget* parent, int id) { QTest::mouseClick(Child(parent, id), Qt::LeftButton); }

// Runs `act` once the modal dialog named `id` is up (dialogs run nested
// event loops, so the test acts from a timer).
void WhenModal(int id, std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, id, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->objectName() != QString::number(id)) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

// Saves the dialog's picture when TARVEX4_SHOTS names a folder.
void Shoot(QWidget* dialog, const char* name) {
    if (const char* folder = std::getenv("TARVEX4_SHOTS")) dialog->grab().save(QString(folder) + "/" + name, "PNG");
}

class WordbookWindowTest : public wordstest::WordsTest {
protected:
    void SetUp() override {
        TestApp();
        WordsTest::SetUp();
        state = std::make_unique<MainFormState>();
        state->m_dataFolder = data.path();
        view = std::make_unique<Ctarvex4View>(*state, ui);
        view->OnInitialUpdate();
        view->resize(800, 560);
        view->show();
        LoadMarkup(*state->m_mainText, "before the fill");
    }
    void TearDown() override {
        view.reset();
        state.reset();
    }
    std::string MainText() { return PlainTextOf(*state->m_mainText); }
    std::string TrackText(int n) { return PlainTextOf(*state->m_tracks[static_cast<std::size_t>(n - 1)].m_trackText); }

    ScriptedUserInterface ui;
    std::unique_ptr<MainFormState> state;
    std::unique_ptr<Ctarvex4View> view;
};

TEST_F(WordbookWindowTest, FillReplacesTheMainTextAndUndoBringsItBack) {
    ASSERT_TRUE(view->Control(IDC_FILL)->isEnabled());
    QTest::mouseClick(view->Control(IDC_FILL), Qt::LeftButton);
    const auto words = wordstest::SplitSpaces(MainText());
    ASSERT_EQ(words.size(), 150u);
    EXPECT_EQ(words[0].rfind("nouns_", 0), 0u);
    EXPECT_EQ(ui.waitShown, 1);
    EXPECT_FALSE(ui.waitVisible);
    QTest::mouseClick(view->Control(IDC_UNDO), Qt::LeftButton);
    EXPECT_EQ(MainText(), "before the fill\n");
}

TEST_F(WordbookWindowTest, TrackFillShowsTheTracksWaitBoxAndUndoes) {
    trackview* track = view->Tracks()->Window(1);
    ASSERT_NE(track, nullptr);
    LoadMarkup(*state->m_tracks[0].m_trackText, "track text");
    Click(track, IDC_TRACK_FILL);
    EXPECT_EQ(wordstest::SplitSpaces(TrackText(1)).size(), 150u);
    ASSERT_NE(track->WaitBox(), nullptr);
    EXPECT_FALSE(track->WaitBox()->isVisible());
    EXPECT_EQ(ui.waitShown, 0) << "the main form's box stays down";
    Click(track, IDC_TRACK_UNDO);
    EXPECT_EQ(TrackText(1), "track text\n");
}

TEST_F(WordbookWindowTest, TheAuthorsDialogKeepsItsListsExclusive) {
    WhenModal(IDD_AUTHORS, [](QWidget* dialog) {
        Shoot(dialog, "authors-dialog.png");
        auto* authorList = Child<QComboBox>(dialog, IDC_AUTHORLIST);
        auto* bookList = Child<QComboBox>(dialog, IDC_WORDBOOKLIST);
        EXPECT_EQ(dialog->windowTitle(), "Author text fill");
        EXPECT_EQ(authorList->count(), 50);
        EXPECT_EQ(authorList->currentIndex(), 1);
        EXPECT_EQ(bookList->currentText(), "Select Wordbook");
        EXPECT_EQ(Child(dialog, IDC_NEWPAGE)->toolTip(), "Create a new custom wordbook ");
        EXPECT_EQ(Child(dialog, IDC_RENAME)->toolTip(), "Rename the selected wordbook");
        EXPECT_EQ(Child(dialog, IDC_DELETEFILE)->toolTip(), "Delete selected wordbook");

        QTest::keyClick(bookList, Qt::Key_Down);
        EXPECT_EQ(bookList->currentText(), "nonsensewords");
        EXPECT_EQ(authorList->currentText(), "Select Author");
        QTest::keyClick(authorList, Qt::Key_Down);
        EXPECT_EQ(bookList->currentIndex(), 0);
        QTest::keyClick(bookList, Qt::Key_Down);
        EXPECT_EQ(authorList->currentIndex(), 0);
        Click(dialog, IDOK);
    });
    QTest::mouseClick(view->Control(IDC_AUTHORS), Qt::LeftButton);
    EXPECT_EQ(view->AuthorsDialog()->AuthorName(), "Select Author");
    EXPECT_EQ(view->AuthorsDialog()->BookName(), "nonsensewords");
    const auto words = wordstest::SplitSpaces(MainText());
    ASSERT_EQ(words.size(), 300u);
    for (const auto& w : words) ASSERT_TRUE(w == "blorp" || w == "zintle") << w;

    // Cancel changes nothing.
    WhenModal(IDD_AUTHORS, [](QWidget* dialog) { Click(dialog, IDCANCEL); });
    const std::string before = MainText();
    QTest::mouseClick(view->Control(IDC_AUTHORS), Qt::LeftButton);
    EXPECT_EQ(MainText(), before);
}

TEST_F(WordbookWindowTest, CreateRenameAndDeleteThroughTheDialog) {
    const std::string file = WriteFile("notes.txt", "alpha\nbeta\ngamma\n");
    ui.openAnswers.push_back(FileChoice{file, "notes.txt"});
    WhenModal(IDD_AUTHORS, [this](QWidget* dialog) {
        auto* bookList = Child<QComboBox>(dialog, IDC_WORDBOOKLIST);
        WhenModal(IDD_CUSTOMWAIT, [](QWidget* loader) {
            Shoot(loader, "customwait-dialog.png");
            EXPECT_EQ(loader->windowTitle(), "Load Wordbook From File");
            Click(loader, IDC_STARTLOAD);
        });
        Click(dialog, IDC_NEWPAGE);
        EXPECT_EQ(bookList->currentText(), "notes");
        EXPECT_EQ(Child<QComboBox>(dialog, IDC_AUTHORLIST)->currentIndex(), 0);
        EXPECT_EQ(Entries("notes5"), (std::vector<std::string>{"alpha", "beta", "gamma"}));

        WhenModal(IDD_BOOKNAME, [](QWidget* names) {
            Shoot(names, "bookname-dialog.png");
            EXPECT_EQ(names->windowTitle(), "Change Wordbook Name");
            auto* edit = Child<QLineEdit>(names, IDC_NEWNAME);
            edit->setText("my (notes)");
            Click(names, IDOK);
        });
        Click(dialog, IDC_RENAME);
        EXPECT_EQ(bookList->currentText(), "my -notes-");

        Click(dialog, IDC_DELETEFILE);
        EXPECT_EQ(bookList->count(), 3);
        EXPECT_EQ(bookList->currentText(), "velnarphrases");
        // Protected: refused with the dialog's message.
        Click(dialog, IDC_DELETEFILE);
        EXPECT_EQ(bookList->count(), 3);
        Click(dialog, IDCANCEL);
    });
    QTest::mouseClick(view->Control(IDC_AUTHORS), Qt::LeftButton);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "WORDBOOK DELETE MESSAGE");
    EXPECT_EQ(Column("SELECT BOOKNAME FROM wordbooks"), (std::vector<std::string>{"nonsensewords", "velnarphrases"}));
    EXPECT_EQ(MainText(), "before the fill\n");
    // The name dialog offers the name entered last.
    EXPECT_EQ(view->AuthorsDialog()->NameDialog().NewName(), "my (notes)");
}

// Closing the loader before START (Escape or STOP) creates nothing and
// says nothing; a load that stores nothing says why.
TEST_F(WordbookWindowTest, ALoaderThatStoresNothingLeavesNoWordbook) {
    const std::string notes = WriteFile("notes.txt", "alpha\n");
    const std::string empty = WriteFile("empty.txt", "x\n\n");
    for (const FileChoice& file :
         {FileChoice{notes, "notes.txt"}, FileChoice{notes, "notes.txt"}, FileChoice{empty, "empty.txt"}})
        ui.openAnswers.push_back(file);
    WhenModal(IDD_AUTHORS, [](QWidget* dialog) {
        auto* bookList = Child<QComboBox>(dialog, IDC_WORDBOOKLIST);
        WhenModal(IDD_CUSTOMWAIT, [](QWidget* loader) { QTest::keyClick(loader, Qt::Key_Escape); });
        Click(dialog, IDC_NEWPAGE);
        WhenModal(IDD_CUSTOMWAIT, [](QWidget* loader) {
            EXPECT_FALSE(Child<QCheckBox>(loader, IDC_EXCLUDESHORT)->isChecked());
            Click(loader, IDC_STOPLOAD);
        });
        Click(dialog, IDC_NEWPAGE);
        EXPECT_FALSE(qobject_cast<authors*>(dialog)->LoaderDialog().IsStarted());
        WhenModal(IDD_CUSTOMWAIT, [](QWidget* loader) { Click(loader, IDC_STARTLOAD); });
        Click(dialog, IDC_NEWPAGE);
        EXPECT_EQ(bookList->count(), 3);
        Click(dialog, IDCANCEL);
    });
    QTest::mouseClick(view->Control(IDC_AUTHORS), Qt::LeftButton);
    EXPECT_EQ(Column("SELECT BOOKNAME FROM wordbooks"), (std::vector<std::string>{"nonsensewords", "velnarphrases"}));
    EXPECT_TRUE(Column("SELECT name FROM sqlite_master WHERE name IN ('notes5', 'empty5')").empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Load Wordbook From File");
    EXPECT_EQ(ui.messages[0].text.rfind("no entries: " + empty, 0), 0u);
}

// Enter answers the picture-button dialogs; a wordbook chosen in the list is
// the one drawn from and renamed even when another has the same name.
TEST_F(WordbookWindowTest, EnterAnswersAndTwinsAreToldApart) {
    AddWordbook("twin", "twin7", {"first"});
    AddWordbook("twin", "twin8", {"second"});
    WhenModal(IDD_AUTHORS, [](QWidget* dialog) {
        auto* bookList = Child<QComboBox>(dialog, IDC_WORDBOOKLIST);
        bookList->setCurrentIndex(4);
        emit bookList->activated(4);
        Child(dialog, IDOK)->setFocus();
        QTest::keyClick(Child(dialog, IDOK), Qt::Key_Return);
    });
    QTest::mouseClick(view->Control(IDC_AUTHORS), Qt::LeftButton);
    const auto words = wordstest::SplitSpaces(MainText());
    ASSERT_FALSE(words.empty());
    for (const std::string& w : words) ASSERT_EQ(w, "second");

    WhenModal(IDD_AUTHORS, [](QWidget* dialog) {
        auto* bookList = Child<QComboBox>(dialog, IDC_WORDBOOKLIST);
        bookList->setCurrentIndex(4);
        emit bookList->activated(4);
        WhenModal(IDD_BOOKNAME, [](QWidget* names) {
            // Wide enough for the whole title beside the title bar's buttons.
            EXPECT_GE(names->width(), QFontMetrics(names->font()).horizontalAdvance(names->windowTitle()) + 100);
            auto* edit = Child<QLineEdit>(names, IDC_NEWNAME);
            edit->setText("second twin");
            QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        });
        Click(dialog, IDC_RENAME);
        EXPECT_EQ(bookList->currentText(), "second twin");
        bookList->setFocus();
        QTest::keyClick(bookList, Qt::Key_Return);
    });
    LoadMarkup(*state->m_mainText, "reset");
    QTest::mouseClick(view->Control(IDC_AUTHORS), Qt::LeftButton);
    EXPECT_EQ(Column("SELECT BOOKNAME FROM wordbooks WHERE ID > 4"), (std::vector<std::string>{"twin", "second twin"}));
    EXPECT_EQ(MainText().rfind("second second", 0), 0u) << "Enter in the list answered OK: " << MainText();
}

TEST_F(WordbookWindowTest, StopEndsALargeLoadAndKeepsWhatWasStored) {
    std::string big;
    for (int i = 0; i < 1000000; ++i) big += "line" + std::to_string(i) + "\n";
    const std::string file = WriteFile("large.txt", big);
    ui.openAnswers.push_back(FileChoice{file, "large.txt"});
    long stored = -1;
    WhenModal(IDD_AUTHORS, [&stored](QWidget* dialog) {
        WhenModal(IDD_CUSTOMWAIT, [](QWidget* loader) {
            auto* wait = qobject_cast<customwait*>(loader);
            // STOP once the first entries are in.
            auto* stopper = new QTimer(loader);
            QObject::connect(stopper, &QTimer::timeout, [wait, stopper] {
                if (!wait->IsLoading()) return;
                if (Child<QLabel>(wait, IDC_LOADCOUNT)->text().startsWith("0 ")) return;
                if (Child<QLabel>(wait, IDC_LOADCOUNT)->text().isEmpty()) return;
                stopper->stop();
                Shoot(wait, "customwait-loading.png");
                Click(wait, IDC_STOPLOAD);
            });
            stopper->start(5);
            Click(loader, IDC_STARTLOAD);
        });
        Click(dialog, IDC_NEWPAGE);
        stored = qobject_cast<authors*>(dialog)->LoaderDialog().LastStored();
        Click(dialog, IDCANCEL);
    });
    QTest::mouseClick(view->Control(IDC_AUTHORS), Qt::LeftButton);
    const std::vector<std::string> entries = Entries("large5");
    ASSERT_GT(stored, 0);
    EXPECT_LT(stored, 1000000);
    ASSERT_EQ(static_cast<long>(entries.size()), stored);
    for (std::size_t i = 0; i < entries.size(); ++i) ASSERT_EQ(entries[i], "line" + std::to_string(i));
}

}  // namespace
