// SPDX-License-Identifier: GPL-3.0-or-later
// The two image library dialogs, driven offscreen with a scripted user
// interface, over a scratch words database.
#include "app/Ctarvex4View.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "form/MainFormState.h"
#include "ScriptedUserInterface.h"
#include "ui/CBitmapButton.h"
#include "ui/ImageDialogIds.h"
#include "ui/imageCategories.h"
#include "ui/imageimport.h"

#include "EmptyWordsDatabaseTest.h"
#include "TestApplication.h"
#include "app/MainFormIds.h"
#include "app/MainFrameIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

class ImageDialogsTest : public EmptyWordsDatabaseTest {
protected:
    void SetUp() override {
        TestApp();
        pictures = scratch / "pictures";
        std::filesystem::create_directories(pictures);
        EmptyWordsDatabaseTest::SetUp();
    }

    void AddCategories(std::initializer_list<const char*> names) {
        for (const char* name : names) Sql(wordsdb::InsertCategory(name));
    }

    void AddPicture(const std::string& name) {
        static const std::string bytes("GIF89a\x02\x00\x03\x00rest;", 15);
        std::ofstream(pictures + "/" + name, std::ios::binary) << bytes;
    }

    template <class W>
    static W* Control(QWidget& dialog, int id) {
        W* widget = dialog.findChild<W*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }

    static void Click(QWidget& dialog, int id) {
        QTest::mouseClick(Control<QAbstractButton>(dialog, id), Qt::LeftButton);
    }

    const ScriptedUserInterface::Message& LastMessage() const {
        static const ScriptedUserInterface::Message none{"(none)", "(none)", MessageButtons::Ok};
        return ui.messages.empty() ? none : ui.messages.back();
    }

    std::string pictures;
    ScriptedUserInterface ui;
};

TEST_F(ImageDialogsTest, ImportDialogStartsWithTheSortedListAndTheExistingCategoryChecked) {
    AddCategories({"zebra", "Apple", "mango"});
    imageimport dialog(DatabasePath(), ui);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.windowTitle(), "Import Custom Images");
    EXPECT_EQ(dialog.objectName(), "112");
    EXPECT_EQ(dialog.size(), QSize(344, 291));
    auto* combo = Control<QComboBox>(dialog, IDC_CATEGORY_COMBO);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), "Apple");
    EXPECT_EQ(combo->itemText(2), "zebra");
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_TRUE(Control<QRadioButton>(dialog, IDC_EXISTING_CATEGORY_RADIO)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(dialog, IDC_NEW_CATEGORY_RADIO)->isChecked());
    EXPECT_TRUE(Control<QLineEdit>(dialog, IDC_IMPORT_FOLDER_EDIT)->text().isEmpty());
    for (int id : {IDC_IMPORT_FOLDER_BUTTON, IDC_IMPORT_BUTTON, IDC_IMPORT_EXIT}) {
        EXPECT_NE(qobject_cast<CBitmapButton*>(Control<QWidget>(dialog, id)), nullptr) << id;
    }
}

TEST_F(ImageDialogsTest, ImportThroughTheDialogWithAScriptedFolderChooser) {
    AddCategories({"zebra", "mango"});
    AddPicture("One.GIF");
    AddPicture("two.gif");
    imageimport dialog(DatabasePath(), ui);
    dialog.OnInitDialog();

    // A cancelled choice keeps the folder the dialog had and shows it.
    ui.folderAnswers = {FolderChoice{1, pictures}, FolderChoice{2, ""}};
    Click(dialog, IDC_IMPORT_FOLDER_BUTTON);
    Click(dialog, IDC_IMPORT_FOLDER_BUTTON);
    EXPECT_EQ(ui.folderTitles, (std::vector<std::string>{"Custom GIF Images Folder:", "Custom GIF Images Folder:"}));
    EXPECT_EQ(Control<QLineEdit>(dialog, IDC_IMPORT_FOLDER_EDIT)->text().toStdString(), pictures);

    Control<QComboBox>(dialog, IDC_CATEGORY_COMBO)->setCurrentIndex(1);  // zebra, ID 1
    Click(dialog, IDC_IMPORT_BUTTON);
    EXPECT_EQ(LastMessage().text, "2 GIFS stored to category: zebra");
    EXPECT_EQ(LastMessage().caption, "Image Import Result");
    EXPECT_EQ(First("SELECT group_concat(FILENAME || '/' || CATEGORY || '/' || WIDTH || 'x' || HEIGHT) "
                    "FROM imagelibrary"),
              "one.gif/1/2x3,two.gif/1/2x3");
    EXPECT_EQ(dialog.ProgressSteps(), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(Control<QWidget>(dialog, IDC_IMPORT_BUTTON)->isEnabled());

    // A folder typed (or pasted) into the field is the one imported from.
    const std::string typed = pictures + "/more";
    std::filesystem::create_directories(typed);
    std::filesystem::rename(pictures + "/two.gif", typed + "/three.gif");
    auto* field = Control<QLineEdit>(dialog, IDC_IMPORT_FOLDER_EDIT);
    field->selectAll();
    QTest::keyClicks(field, QString::fromStdString(typed));
    Click(dialog, IDC_IMPORT_BUTTON);
    EXPECT_EQ(LastMessage().text, "1 GIFS stored to category: zebra");
    EXPECT_EQ(First("SELECT count(*) FROM imagelibrary WHERE FILENAME = 'three.gif'"), "1");
}

TEST_F(ImageDialogsTest, ReduceLargePicturesChoosesBetweenSkippingAndAReducedCopy) {
    // The module beside the window program, where the window finds it.
    ::setenv("TARVEX4_PICTURES_MODULE",
             (std::filesystem::path(TARVEX4_WINDOW_EXE).parent_path() / "tarvex4-pictures.so").c_str(), 1);
    AddCategories({"Animals"});
    AddPicture("a.gif");
    const std::string big = pictures + "/big.png";
    ASSERT_EQ(std::system(("vips gaussnoise " + big + " 900 700 2>/dev/null").c_str()), 0);
    ASSERT_GT(std::filesystem::file_size(big), 372000u);
    imageimport dialog(DatabasePath(), ui);
    ui.folderAnswers = {FolderChoice{1, pictures}};
    dialog.OnInitDialog();
    Click(dialog, IDC_IMPORT_FOLDER_BUTTON);
    auto* reduce = Control<QCheckBox>(dialog, IDC_REDUCE_LARGE);
    EXPECT_EQ(reduce->text(), "Reduce large pictures");
    EXPECT_FALSE(reduce->isChecked());
    EXPECT_TRUE(Control<QWidget>(dialog, IDC_IMPORT_BUTTON)->geometry().top() >= reduce->geometry().bottom());
    Click(dialog, IDC_IMPORT_BUTTON);
    EXPECT_EQ(LastMessage().text,
              "1 GIFS stored to category: Animals\n"
              "1 GIFS over 372000 bytes were skipped for their size.\n"
              "    big.png\n"
              "Check \"Reduce large pictures\" to store smaller copies of them.");
    reduce->click();
    Click(dialog, IDC_IMPORT_BUTTON);
    EXPECT_EQ(LastMessage().text,
              "2 pictures stored to category: Animals\n"
              "1 pictures over 372000 bytes were stored reduced.");
    // Noise without transparency: stored as a JPEG, named so.
    EXPECT_EQ(First("SELECT FILENAME FROM imagelibrary WHERE FILENAME LIKE 'big%'"), "big.jpg");
    EXPECT_GT(std::filesystem::file_size(big), 372000u);
}

TEST_F(ImageDialogsTest, ANewCategoryJoinsTheListSoTypingItAgainIsADuplicateAndEnterImports) {
    AddCategories({"Animals"});
    AddPicture("a.gif");
    imageimport dialog(DatabasePath(), ui);
    ui.folderAnswers = {FolderChoice{1, pictures}};
    dialog.OnInitDialog();
    Click(dialog, IDC_IMPORT_FOLDER_BUTTON);
    Click(dialog, IDC_NEW_CATEGORY_RADIO);
    auto* name = Control<QLineEdit>(dialog, IDC_NEW_CATEGORY_EDIT);
    QTest::keyClicks(name, "Birds");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(LastMessage().text, "1 GIFS stored to category: Birds");
    auto* combo = Control<QComboBox>(dialog, IDC_CATEGORY_COMBO);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), "Birds");
    EXPECT_EQ(combo->currentText(), "Animals");

    Click(dialog, IDC_IMPORT_BUTTON);
    EXPECT_EQ(LastMessage().caption, "Duplicate Category");
    EXPECT_EQ(First("SELECT COUNT(*) FROM imagecategory"), "2");
    EXPECT_EQ(First("SELECT group_concat(CATEGORY) FROM imagelibrary"), "2");

    // An empty name stops with its message.
    name->clear();
    Click(dialog, IDC_IMPORT_BUTTON);
    EXPECT_EQ(LastMessage().caption, "Empty Category");

    // From the list's field too, and with the keypad's Enter; the dialog stays.
    Click(dialog, IDC_EXISTING_CATEGORY_RADIO);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(LastMessage().text, "1 GIFS stored to category: Animals");
    EXPECT_EQ(First("SELECT group_concat(CATEGORY) FROM imagelibrary"), "2,1");
    EXPECT_EQ(dialog.result(), 0);
}

// A user who reads each message for a while, as a modal box keeps the
// program's events going meanwhile, and notes any progress box then visible.
class SlowReader : public ScriptedUserInterface {
public:
    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok) override {
        QTest::qWait(450);  // longer than the progress box's 300 ms
        for (QWidget* widget : QApplication::allWidgets()) {
            if (qobject_cast<QProgressDialog*>(widget) != nullptr && widget->isVisible()) covered.push_back(caption);
        }
        return ScriptedUserInterface::ShowMessage(text, caption, buttons);
    }
    std::vector<std::string> covered;
};

TEST_F(ImageDialogsTest, NoProgressBoxCoversAMessageOfTheImport) {
    AddCategories({"Animals"});
    for (int i = 0; i < 3; ++i) AddPicture("p" + std::to_string(i) + ".gif");
    ASSERT_EQ(::symlink((pictures + "/nowhere").c_str(), (pictures + "/gone.gif").c_str()), 0);
    SlowReader reader;
    imageimport dialog(DatabasePath(), reader);
    reader.folderAnswers = {FolderChoice{1, pictures}};
    dialog.OnInitDialog();
    Click(dialog, IDC_IMPORT_FOLDER_BUTTON);
    Click(dialog, IDC_NEW_CATEGORY_RADIO);
    Click(dialog, IDC_IMPORT_BUTTON);  // empty name
    QTest::keyClicks(Control<QLineEdit>(dialog, IDC_NEW_CATEGORY_EDIT), "Ani");
    Click(dialog, IDC_IMPORT_BUTTON);  // duplicate
    Click(dialog, IDC_EXISTING_CATEGORY_RADIO);
    Click(dialog, IDC_IMPORT_BUTTON);  // one file cannot be read, then the result
    std::vector<std::string> captions;
    for (const auto& m : reader.messages) captions.push_back(m.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Empty Category", "Duplicate Category", "Image Import",
                                                  "Image Import Result"}));
    EXPECT_EQ(reader.covered, std::vector<std::string>{});
    EXPECT_EQ(dialog.ProgressBox(), nullptr);
    EXPECT_EQ(First("SELECT COUNT(*) FROM imagelibrary"), "3");
}

TEST_F(ImageDialogsTest, TheProgressBoxIsWideEnoughForItsTitle) {
    AddCategories({"Animals"});
    AddPicture("a.gif");
    AddPicture("b.gif");
    imageimport dialog(DatabasePath(), ui);
    ui.folderAnswers = {FolderChoice{1, pictures}};
    dialog.OnInitDialog();
    Click(dialog, IDC_IMPORT_FOLDER_BUTTON);
    // Runs in the events the import lets through while it stores.
    int width = -1;
    QString title;
    QTimer::singleShot(0, [&] {
        if (const QProgressDialog* box = dialog.ProgressBox()) {
            width = box->minimumWidth();
            title = box->windowTitle();
        }
    });
    Click(dialog, IDC_IMPORT_BUTTON);
    EXPECT_EQ(title, "Import Custom Images");
    QFont bold = dialog.font();
    bold.setBold(true);
    EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(title) + 100);
}

TEST_F(ImageDialogsTest, SourcesDialogTicksSurviveSaveAndReopenButNotRefresh) {
    AddCategories({"a", "b", "c"});
    Sql("DELETE FROM imagecategory WHERE ID = 2");
    AddCategories({"d"});  // IDs 1, 3, 4
    imageCategories dialog(DatabasePath(), ui);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.windowTitle(), "Select Image Sources");
    EXPECT_EQ(dialog.size(), QSize(279, 252));
    QTreeWidget* list = dialog.CategoryList();
    EXPECT_EQ(list->objectName(), "1096");
    EXPECT_EQ(list->headerItem()->text(0), "Image Category");
    EXPECT_EQ(list->columnWidth(0), 300);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "c");
    EXPECT_TRUE(list->topLevelItem(0)->flags() & Qt::ItemIsUserCheckable);

    list->topLevelItem(1)->setCheckState(0, Qt::Checked);
    Click(dialog, IDC_SOURCES_SAVE);
    EXPECT_EQ(First("SELECT group_concat(SELECTIONLIST, '|') FROM categoryselections"), "3");

    // Reopened (a new dialog object), the saved tick is there.
    imageCategories again(DatabasePath(), ui);
    again.OnInitDialog();
    EXPECT_EQ(again.CategoryList()->topLevelItem(1)->checkState(0), Qt::Checked);
    EXPECT_EQ(again.CategoryList()->topLevelItem(0)->checkState(0), Qt::Unchecked);

    // Unsaved ticks go with refresh.
    again.CategoryList()->topLevelItem(2)->setCheckState(0, Qt::Checked);
    again.CategoryList()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    Click(again, IDC_SOURCES_REFRESH);
    ASSERT_EQ(again.CategoryList()->topLevelItemCount(), 3);
    EXPECT_EQ(again.CategoryList()->topLevelItem(1)->checkState(0), Qt::Checked);
    EXPECT_EQ(again.CategoryList()->topLevelItem(2)->checkState(0), Qt::Unchecked);

    // Saved twice: still one row.
    Click(again, IDC_SOURCES_SAVE);
    Click(again, IDC_SOURCES_SAVE);
    EXPECT_EQ(First("SELECT COUNT(*) FROM categoryselections"), "1");
    EXPECT_TRUE(ui.messages.empty());
}

// Closes the next modal dialog once it is up, noting its title.
void CloseNextModal(QString& title) {
    QTimer::singleShot(0, [&title] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        title = modal->windowTitle();
        static_cast<QDialog*>(modal)->reject();
    });
}

TEST_F(ImageDialogsTest, EachOwnerOpensItsOwnImportDialog) {
    AddCategories({"a"});
    MainFormState state;
    state.m_dataFolder = scratch.path();
    Ctarvex4View view(state, ui);

    QString title;
    CloseNextModal(title);
    ASSERT_TRUE(view.OnCommand(ID_FILE_IMPORT_IMAGES));
    EXPECT_EQ(title, "Import Custom Images");

    title.clear();
    CloseNextModal(title);
    ASSERT_TRUE(view.OnCommand(IDC_SOURCES));
    EXPECT_EQ(title, "Select Image Sources");

    imageCategories& sources = view.ImageSourcesDialog();
    EXPECT_EQ(sources.CategoryList()->topLevelItemCount(), 1);
    title.clear();
    CloseNextModal(title);
    Click(sources, IDC_SOURCES_IMPORT);
    EXPECT_EQ(title, "Import Custom Images");

    // Folders chosen in one are not seen by the other.
    ui.folderAnswers = {FolderChoice{1, pictures}};
    Click(view.ImageImportDialog(), IDC_IMPORT_FOLDER_BUTTON);
    EXPECT_EQ(view.ImageImportDialog().Importer().ImportFolder(), pictures);
    EXPECT_NE(&sources.ImportDialog(), &view.ImageImportDialog());
    EXPECT_NE(sources.ImportDialog().Importer().ImportFolder(), pictures);
    EXPECT_EQ(sources.ImportDialog().Importer().DatabasePath(), DatabasePath());
}

}  // namespace
