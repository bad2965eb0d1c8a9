// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "ModalAnswerer.h"

#include "LayoutFaults.h"

#include "app/BitmapSlider.h"
#include "modules/devices/PaintDeviceLoader.h"
#include "richtext/RichTextOps.h"
#include "ui/CBitmapButton.h"
#include "ui/QtRichEdit.h"
#include "ui/TrackWindows.h"
#include "ui/trackview.h"
#include "ui/waitmessage.h"
#include "app/MainFormIds.h"
#include "app/MainFrameIds.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QAbstractItemView>
#include <QMessageBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>

namespace {

bool Checked(QWidget* w) { return qobject_cast<QAbstractButton*>(w)->isChecked(); }

TEST_F(MainWindowTest, StartsWithTheFormsStartValues) {
    Open();
    EXPECT_EQ(frame->windowTitle(), "VANTELO  Version 1.2");
    EXPECT_EQ(frame->geometry(), QRect(50, 50, 800, 600));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);

    auto* style = Control<QComboBox>(IDC_MAINSTYLE);
    ASSERT_EQ(style->count(), 6);
    EXPECT_EQ(style->itemText(0), "Plain - Solid BG");
    EXPECT_EQ(style->itemText(5), "Metal");
    EXPECT_EQ(style->currentIndex(), 0);
    EXPECT_TRUE(Checked(view->Control(IDC_SNIP1)));
    for (int id :
         {IDC_SNIP2, IDC_SNIP3, IDC_SNIP4, IDC_SNIP5, IDC_SNIP6, IDC_SNIP7, IDC_USEFOLDER, IDC_PORTRAIT, IDC_LANDSCAPE})
        EXPECT_FALSE(Checked(view->Control(id))) << id;
    for (int id : {IDC_SHOWMAIN, IDC_TEXTOVERIMAGES, IDC_CAPTURECODE}) EXPECT_TRUE(Checked(view->Control(id))) << id;

    for (int id : {IDC_TRACK1_FADER, IDC_TRACK2_FADER, IDC_TRACK3_FADER, IDC_TRACK4_FADER}) {
        auto* fader = Control<BitmapSlider>(id);
        EXPECT_EQ(fader->maximum(), 200);
        EXPECT_EQ(fader->value(), 100);
    }
    EXPECT_EQ(Control<BitmapSlider>(IDC_TEXTVOLUME)->maximum(), 40);
    EXPECT_EQ(Control<BitmapSlider>(IDC_TEXTVOLUME)->value(), 20);
    EXPECT_EQ(Control<BitmapSlider>(IDC_IMAGEVOLUME)->maximum(), 20);
    EXPECT_EQ(Control<BitmapSlider>(IDC_IMAGEVOLUME)->value(), 10);

    // The stored folder and the file name run together, as stored.
    EXPECT_EQ(Control<QLineEdit>(IDC_OUTPUTEDIT)->text().toStdString(), output + "collage1.html");
    // No saved font: Courier 12 pt.
    const CharFormat format = state->m_mainText->SelectionCharFormat();
    EXPECT_EQ(format.face, "Courier");
    EXPECT_EQ(format.heightTwips, 240);
    // Track 1 is shown, and so mixed, from the start.
    EXPECT_TRUE(state->m_trackWindowOpen[0]);
    EXPECT_FALSE(state->m_trackWindowOpen[1]);
    EXPECT_TRUE(qobject_cast<CBitmapButton*>(view->Control(IDC_TRACK1_ONOFF))->IsPushed());
}

TEST_F(MainWindowTest, LayoutKeepsEveryControlWholeAndApart) {
    Open();
    std::string faults;
    for (const std::string& fault : layout::Faults(*view)) faults += fault + "\n";
    EXPECT_EQ(faults, "");
    // The form fits the fixed frame under its menu.
    EXPECT_LE(view->height() + frame->menuBar()->height(), 600);
}

TEST_F(MainWindowTest, ToolTipsAndPictureButtons) {
    Open();
    EXPECT_EQ(view->Control(IDC_FONT)->toolTip(), "Change Font Size or Style");
    EXPECT_EQ(view->Control(IDC_PASTE)->toolTip(), "Paste text from Windows clipboard");
    EXPECT_EQ(view->Control(IDC_TRACK4_FADER)->toolTip(),
              "Increase or decrease the probability that a word will be picked from track");
    EXPECT_EQ(view->Control(IDC_TRACK4_ONOFF)->toolTip(), "Green indicates ON. Click to stop mixing from this track.");
    for (int id :
         {IDC_OUTPUTBUTTON, IDC_FOLDERBUTTON, IDC_PALETTE, IDC_SOURCES, IDC_GO, IDC_TEXTVOLUME, IDC_IMAGEVOLUME})
        EXPECT_TRUE(view->Control(id)->toolTip().isEmpty()) << id;
    EXPECT_EQ(qobject_cast<CBitmapButton*>(view->Control(IDC_GO))->Caption(), "lyric");
    // Commands that do not exist yet are not offered.
    // The wordbooks' and the image library's doors are open.
    for (int id : {IDC_FILL, IDC_AUTHORS, IDC_SOURCES}) EXPECT_TRUE(view->Control(id)->isEnabled()) << id;
    EXPECT_TRUE(frame->Command(ID_FILE_IMPORT_IMAGES)->isEnabled());
}

TEST_F(MainWindowTest, MenuTextsAreAsStored) {
    Open();
    QStringList texts;
    for (QAction* menu : frame->menuBar()->actions()) {
        texts << menu->text();
        for (QAction* item : menu->menu()->actions()) texts << (item->isSeparator() ? "-" : item->text());
    }
    EXPECT_EQ(texts.join("|").toStdString(),
              "&File|&New\tCtrl+N|&Open...\tCtrl+O|&Save\tCtrl+S|Import Images|E&xit|-|Save Session...|Export "
              "Collage...|Export Collages as Book...|Open Session...|"
              "Open Board...|&Edit|Undo  (ctrl+z)|-|Cut     (ctrl+x)|Copy   (ctrl+c)|Paste  (ctrl+p)|-|"
              "Copy Cut-up as Text|&View|Cut-up Board\tCtrl+B|Show GO on the Board|-|Mark Sources in Page|"
              "Last Mix|&Help|User Guide");
    // The keys live in their own table, so Qt adds no second shortcut text.
    for (int id : {ID_FILE_NEW, ID_EDIT_UNDO, ID_EDIT_PASTE}) EXPECT_TRUE(frame->Command(id)->shortcut().isEmpty());
}

TEST_F(MainWindowTest, AcceleratorsReachTheCommands) {
    Open();
    auto* text = view->MainText();
    text->setFocus();
    QApplication::clipboard()->setText("pasted words");
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    EXPECT_NE(text->toPlainText().indexOf("pasted words"), -1);
    // Ctrl+P is no key of the program.
    const QString before = text->toPlainText();
    QTest::keyClick(text, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(text->toPlainText(), before);
    // Undo by Ctrl+Z brings back the text before the paste; Alt+Backspace does the same.
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text->toPlainText().indexOf("pasted words"), -1);
    QTest::keyClick(text, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_NE(text->toPlainText().indexOf("pasted words"), -1);
    QTest::keyClick(text, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(text->toPlainText().indexOf("pasted words"), -1);
    // Ctrl+A then Shift+Del cuts to the clipboard.
    QTest::keyClicks(text, "mine");
    text->selectAll();
    QTest::keyClick(text, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "mine");
    EXPECT_TRUE(text->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, EditMenuActsOnTheMainTextAndPasteNeedsItsFocus) {
    Open();
    auto* text = view->MainText();
    QApplication::clipboard()->setText("clip");
    view->Control(IDC_OUTPUTEDIT)->setFocus();
    state->m_undoText = "marker";
    frame->Command(ID_EDIT_PASTE)->trigger();
    EXPECT_TRUE(text->toPlainText().isEmpty());
    EXPECT_EQ(state->m_undoText, "marker");
    text->setFocus();
    // The picture button leaves the focus in the text, so it pastes.
    QTest::mouseClick(view->Control(IDC_PASTE), Qt::LeftButton);
    EXPECT_EQ(text->toPlainText(), "clip");
    text->selectAll();
    frame->Command(ID_EDIT_COPY)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "clip");
}

TEST_F(MainWindowTest, NewMovesTheTextToTheClipboard) {
    Open();
    LoadMarkup(*state->m_mainText, "old contents");
    frame->Command(ID_FILE_NEW)->trigger();
    EXPECT_TRUE(view->MainText()->toPlainText().isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text().trimmed(), "old contents");
    EXPECT_TRUE(view->MainText()->hasFocus());
    QTest::mouseClick(view->Control(IDC_UNDO), Qt::LeftButton);
    EXPECT_NE(view->MainText()->toPlainText().indexOf("old contents"), -1);
}

TEST_F(MainWindowTest, WidgetsWriteTheFormState) {
    Open();
    Control<QRadioButton>(IDC_SNIP3)->click();
    EXPECT_EQ(state->WordsPerSnip(), 3);
    EXPECT_FALSE(Checked(view->Control(IDC_SNIP1)));
    Control<QCheckBox>(IDC_TEXTOVERIMAGES)->click();
    EXPECT_FALSE(state->m_textOverImages);
    Control<QRadioButton>(IDC_LANDSCAPE)->click();
    EXPECT_TRUE(state->m_landscape);
    Control<QComboBox>(IDC_MAINSTYLE)->setCurrentIndex(3);
    EXPECT_EQ(state->m_mainStyle, 3);
    Control<BitmapSlider>(IDC_TRACK3_FADER)->setValue(7);
    EXPECT_EQ(state->m_trackFader[2], 7);
    Control<BitmapSlider>(IDC_TEXTVOLUME)->setValue(33);
    EXPECT_EQ(state->m_textVolume, 33);
}

TEST_F(MainWindowTest, RightClickMenuOnlyWhenTheTextHadTheFocus) {
    Open();
    auto* text = view->MainText();
    auto* menu = view->findChild<QMenu*>("213");
    ASSERT_TRUE(menu);
    view->Control(IDC_OUTPUTEDIT)->setFocus();
    QTest::mousePress(text->viewport(), Qt::RightButton, {}, QPoint(30, 30));
    EXPECT_FALSE(menu->isVisible());
    text->setFocus();
    QTest::mousePress(text->viewport(), Qt::RightButton, {}, QPoint(30, 30));
    EXPECT_TRUE(menu->isVisible());
    QStringList items;
    for (QAction* a : menu->actions()) items << a->text() + "=" + a->objectName();
    EXPECT_EQ(items.join(",").toStdString(), "Cut=32776,Copy=32777,Paste=32778");
    menu->hide();

    // The context menu event that follows the press shows no menu of the editor's own.
    QStringList others;
    ModalAnswerer none([](QWidget*) {});
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&others] {
        if (QWidget* popup = QApplication::activePopupWidget(); popup && popup->objectName() != "213") {
            others << popup->metaObject()->className();
            popup->close();
        }
    });
    watch.start(5);
    QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(30, 30), text->viewport()->mapToGlobal(QPoint(30, 30)));
    QApplication::sendEvent(text->viewport(), &context);
    QTest::qWait(30);
    EXPECT_TRUE(others.isEmpty()) << others.join(",").toStdString();
}

TEST_F(MainWindowTest, WaitBoxIsCreatedOnceAndKeepsItsPlace) {
    Open();
    EXPECT_FALSE(view->WaitBoxCreated());
    view->ShowWaitMessage();
    ASSERT_TRUE(view->WaitBox());
    EXPECT_TRUE(view->WaitBox()->isVisible());
    const QPoint place = view->WaitBox()->pos();
    waitmessage* box = view->WaitBox();
    view->HideWaitMessage();
    EXPECT_FALSE(box->isVisible());
    frame->move(200, 150);
    view->ShowWaitMessage();
    EXPECT_EQ(view->WaitBox(), box);
    EXPECT_EQ(view->WaitBox()->pos(), place);
    view->HideWaitMessage();
}

TEST_F(MainWindowTest, OutputChooserRefusesAFolderlessNameAndStoresTheFolder) {
    Open();
    ui.saveAnswers.push_back(FileChoice{"party.html", "party.html"});
    QTest::mouseClick(view->Control(IDC_OUTPUTBUTTON), Qt::LeftButton);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Check output file name");
    EXPECT_EQ(ui.messages[0].caption, "OUTPUT FILENAME ERROR");
    EXPECT_EQ(state->m_outputFileName, "collage1.html");

    // The chooser starts in the current output folder.
    EXPECT_EQ(ui.saveInitialNames.at(0), output + "collage1.html");
    const std::string pages = data.path() + "/Pages/";
    ui.saveAnswers.push_back(FileChoice{pages + "party.html", "party.html"});
    QTest::mouseClick(view->Control(IDC_OUTPUTBUTTON), Qt::LeftButton);
    EXPECT_EQ(Control<QLineEdit>(IDC_OUTPUTEDIT)->text().toStdString(), pages + "party.html");
    EXPECT_EQ(state->m_outputFolder, pages);

    // At the next start the stored folder comes back with "collage1.html".
    frame.reset();
    Open();
    EXPECT_EQ(Control<QLineEdit>(IDC_OUTPUTEDIT)->text().toStdString(), pages + "collage1.html");
}

TEST_F(MainWindowTest, CustomFolderButtonChecksFolderEvenWhenCancelled) {
    Open();
    QTest::mouseClick(view->Control(IDC_FOLDERBUTTON), Qt::LeftButton);
    ASSERT_EQ(ui.folderTitles.size(), 1u);
    EXPECT_EQ(ui.folderTitles[0], "Custom GIF Images Folder:");
    EXPECT_TRUE(Checked(view->Control(IDC_USEFOLDER)));
    EXPECT_EQ(Control<QLineEdit>(IDC_FOLDEREDIT)->text(), "/");
    ui.folderAnswers.push_back(FolderChoice{1, data.path()});
    QTest::mouseClick(view->Control(IDC_FOLDERBUTTON), Qt::LeftButton);
    EXPECT_EQ(Control<QLineEdit>(IDC_FOLDEREDIT)->text().toStdString(), data.path());
    EXPECT_TRUE(state->m_useCustomFolder);
}

TEST_F(MainWindowTest, PaletteColoursTheTextBackground) {
    Open();
    ui.colourAnswers.push_back(0x0000FFu);  // red
    QTest::mouseClick(view->Control(IDC_PALETTE), Qt::LeftButton);
    EXPECT_EQ(state->m_backgroundColour, 0x0000FFu);
    // What is drawn, not only what the palette says: the form's style sheet must not paint over it.
    const QImage drawn = view->MainText()->viewport()->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(drawn.width() - 3, drawn.height() - 3), QColor(255, 0, 0));
}

TEST_F(MainWindowTest, SaveFromTheWindowAsPlainTextAndRtf) {
    Open();
    LoadMarkup(*state->m_mainText, "Grüße from the window");
    view->SetFileTypeAsker([] { return MainTextWindow::SaveFormat::kPlainText; });
    ui.saveAnswers.push_back(FileChoice{data.path() + "/cut.txt", "cut.txt"});
    frame->Command(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(ReadFile(data.path() + "/cut.txt"), PlainTextOf(*state->m_mainText));
    EXPECT_NE(ReadFile(data.path() + "/cut.txt").find("Grüße from the window"), std::string::npos);

    view->SetFileTypeAsker([] { return MainTextWindow::SaveFormat::kRichText; });
    ui.saveAnswers.push_back(FileChoice{data.path() + "/cut.rtf", "cut.rtf"});
    QTest::mouseClick(view->Control(IDC_SAVE), Qt::LeftButton);
    const std::string rtf = ReadFile(data.path() + "/cut.rtf");
    ASSERT_EQ(rtf.rfind("{\\rtf", 0), 0u);
    QtRichEdit reread;
    ASSERT_TRUE(reread.StreamRtfIn(rtf));
    EXPECT_EQ(reread.toPlainText(), view->MainText()->toPlainText());
}

TEST_F(MainWindowTest, FontSavedInTheDataFolderIsUsedAtTheNextStart) {
    Open();
    ui.fontAnswers.push_back(FontChoice{"DejaVu Serif", 200, 0, false, true, false});
    QTest::mouseClick(view->Control(IDC_FONT), Qt::LeftButton);
    EXPECT_EQ(ReadFile(data.path() + "/fdefaults.txt"), "DejaVu Serif|400");
    frame.reset();
    state.reset();
    Open();
    QTest::keyClicks(view->MainText(), "typed");
    state->m_mainText->SelectAll();
    const CharFormat format = state->m_mainText->SelectionCharFormat();
    EXPECT_EQ(format.face, "DejaVu Serif");
    EXPECT_EQ(format.heightTwips, 400);
}

TEST_F(MainWindowTest, PrintWithoutPrinterSaysSo) {
    std::string problem;
    const bool hasPrinter = NewPrinter("", "", problem) != nullptr;
    ASSERT_EQ(problem, "") << "the printer module must load";
    if (hasPrinter) GTEST_SKIP() << "this machine has a default printer";
    Open();
    QTest::mouseClick(view->Control(IDC_PRINT), Qt::LeftButton);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No default printer is installed.");
    EXPECT_EQ(ui.messages[0].caption, "VANTELO print error");
}

TEST_F(MainWindowTest, UserGuideFromTheHelpMenu) {
    Open();
    frame->Command(ID_HELP_USER_GUIDE)->trigger();
    ASSERT_EQ(ui.openedPages.size(), 1u);
    EXPECT_EQ(ui.openedPages[0], data.path() + "/usermanual/vantelo_manual.html");
}

// At the program's start the main window paints first; the track 1 window
// follows on its own, on and in place.
TEST_F(MainWindowTest, FirstTrackWindowFollowsTheFirstPaint) {
    state = std::make_unique<MainFormState>();
    state->m_dataFolder = data.path();
    frame = std::make_unique<CMainFrame>();
    view = new Ctarvex4View(*state, ui, frame.get());
    frame->SetView(view);
    view->OpenFirstTrackAfterFirstPaint();
    view->OnInitialUpdate();
    EXPECT_EQ(view->Tracks()->Window(1), nullptr);
    frame->setGeometry(50, 50, 800, 600);
    frame->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->Tracks()->Window(1) != nullptr; }));
    EXPECT_TRUE(view->Tracks()->Window(1)->isVisible());
    EXPECT_TRUE(state->m_trackWindowOpen[0]);
    EXPECT_TRUE(view->Tracks()->IsOnOffPushed(1));
}

TEST_F(MainWindowTest, CaptionsAndEntriesShowWhole) {
    Open();
    // The style list's popup shows every entry unshortened.
    auto* style = Control<QComboBox>(IDC_MAINSTYLE);
    style->showPopup();
    QAbstractItemView* popup = style->view();
    const QFontMetrics metrics(popup->font());
    for (int row = 0; row < style->count(); ++row)
        EXPECT_GE(popup->visualRect(popup->model()->index(row, 0)).width(),
                  metrics.horizontalAdvance(style->itemText(row)) + 6)
            << style->itemText(row).toStdString();
    style->hidePopup();
    // Each words-per-snip caption ends clear of the next radio button.
    const int ids[7] = {IDC_SNIP1, IDC_SNIP2, IDC_SNIP3, IDC_SNIP4, IDC_SNIP5, IDC_SNIP6, IDC_SNIP7};
    for (int i = 0; i + 1 < 7; ++i) {
        QWidget* radio = view->Control(ids[i]);
        EXPECT_LE(radio->x() + radio->sizeHint().width() + 3, view->Control(ids[i + 1])->x()) << "radio " << i + 1;
    }
    QWidget* portrait = view->Control(IDC_PORTRAIT);
    EXPECT_LE(portrait->x() + portrait->sizeHint().width() + 3, view->Control(IDC_LANDSCAPE)->x());
}

// With the window's real dialogs: a page that cannot be shown is reported
// with its path, the box is wide enough for its caption, belongs to the main
// window, and the focus goes back to where it was.
TEST_F(MainWindowTest, PageThatCannotBeShownIsReportedAndTheFocusReturns) {
    const std::string noOpen = std::getenv("TARVEX4_NO_OPEN") ? std::getenv("TARVEX4_NO_OPEN") : "";
    ::unsetenv("TARVEX4_NO_OPEN");
    Open(true);
    view->MainText()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == view->MainText(); }));

    struct Shown {
        QString text, caption;
        QWidget* owner = nullptr;
        int width = 0, captionNeeds = 0;
    };
    std::vector<Shown> shown;
    ModalAnswerer answer([&shown](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) return modal->close(), void();
        QFont bold = box->font();
        bold.setBold(true);
        shown.push_back({box->text(), box->windowTitle(), box->parentWidget() ? box->parentWidget()->window() : nullptr,
                         box->width(), QFontMetrics(bold).horizontalAdvance(box->windowTitle())});
        box->button(QMessageBox::Ok)->click();
    });

    // The user guide is not in this data folder.
    frame->Command(ID_HELP_USER_GUIDE)->trigger();
    const std::string manual = data.path() + "/usermanual/vantelo_manual.html";
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.toStdString().find(manual), std::string::npos) << shown[0].text.toStdString();
    EXPECT_EQ(shown[0].owner, frame.get());
    EXPECT_GE(shown[0].width, shown[0].captionNeeds + 120);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == view->MainText(); }))
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none") << " in "
        << (QApplication::activeWindow() ? QApplication::activeWindow()->objectName().toStdString() : "none");

    // A browser that does not start.
    std::filesystem::create_directories(data.path() + "/usermanual");
    WriteFile(manual, "<html></html>");
    std::vector<std::string> asked;
    qtUi.SetBrowserOpener([&asked](const QUrl& url) {
        asked.push_back(url.toLocalFile().toStdString());
        return false;
    });
    frame->Command(ID_HELP_USER_GUIDE)->trigger();
    EXPECT_EQ(asked, std::vector<std::string>{manual});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[1].text.toStdString().find(manual), std::string::npos);
    EXPECT_EQ(shown[1].caption, "VANTELO");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == view->MainText(); }));

    // A browser that starts: nothing to say.
    qtUi.SetBrowserOpener([](const QUrl&) { return true; });
    frame->Command(ID_HELP_USER_GUIDE)->trigger();
    EXPECT_EQ(shown.size(), 2u);
    if (!noOpen.empty()) ::setenv("TARVEX4_NO_OPEN", noOpen.c_str(), 1);
}

}  // namespace
