// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/MainFormState.h"
#include "richtext/RichTextOps.h"
#include "ScriptedUserInterface.h"
#include "tracks/TrackSwitchboard.h"
#include "tracks/WordShredder.h"
#include "ui/CBitmapButton.h"
#include "ui/CFontDialog.h"
#include "ui/QtUserInterface.h"
#include "ui/TrackWindows.h"
#include "ui/trackview.h"

#include "LayoutFaults.h"
#include "TestApplication.h"

#include <QApplication>
#include <QFileDialog>
#include <QColorDialog>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QAbstractItemView>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <sstream>

#include "ModalAnswerer.h"
#include "ui/TrackWindowIds.h"

namespace {

std::vector<std::string> WordsOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

class TrackWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.m_dataFolder = "/data/vantelo";
        form.m_trackWindowOpen = {false, false, false, false};
    }

    trackview& Open(int n) {
        ShowTrack(form, windows, n);
        trackview* window = windows.Window(n);
        EXPECT_NE(window, nullptr);
        return *window;
    }
    template <class W>
    W* Control(trackview& window, int id) {
        W* widget = window.findChild<W*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << "control " << id;
        return widget;
    }
    TrackState& Track(int n) { return form.m_tracks[static_cast<std::size_t>(n - 1)]; }

    QApplication& app = TestApp();
    MainFormState form;
    ScriptedUserInterface ui;
    TrackWindows windows{form, ui};
};

TEST_F(TrackWindowTest, ShowCreatesTheWindowWithEveryControl) {
    trackview& window = Open(2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "VANTELO TEXT INPUT TRACK 2");
    EXPECT_EQ(Track(2).m_trackDatabasePath, "/data/vantelo/words6.db");
    EXPECT_TRUE(windows.IsOnOffPushed(2));

    // The window's text widget shows the state's own text.
    EXPECT_EQ(&Control<QtRichEdit>(window, IDC_TRACKTEXT)->Text(), Track(2).m_trackText.get());
    const std::vector<std::pair<int, const char*>> tips{
        {IDC_TRACK_FONT, "Change Font Size or Style"},
        {IDC_TRACK_OPEN, "Open a text file to fill track with"},
        {IDC_TRACK_UNDO, "Undo last process or edit"},
        {IDC_TRACK_CUT, "Cut selected range of text"},
        {IDC_TRACK_COPY, "Copy selected range of text"},
        {IDC_TRACK_PASTE, "Paste text from Windows clipboard"},
        {IDC_TRACK_FILL, "Pour a random sample of words into the track"},
        {IDC_TRACK_AUTHORS, "Get a random mix of words from a classic author's writings"},
        {IDC_SHRED, "Shred all words into fragments"},
        {IDC_TRACK_PALETTE, ""},
    };
    for (const auto& [id, tip] : tips) {
        auto* button = Control<CBitmapButton>(window, id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), QString::fromLatin1(tip)) << id;
    }
    EXPECT_TRUE(Control<CBitmapButton>(window, IDC_TRACK_FILL)->isEnabled());
    EXPECT_TRUE(Control<CBitmapButton>(window, IDC_TRACK_AUTHORS)->isEnabled());

    const std::vector<std::pair<int, const char*>> radios{
        {IDC_CUT1, "1"},      {IDC_CUT2, "2"},      {IDC_CUT3, "3"},        {IDC_CUT4, "4"},
        {IDC_CUT5, "5"},      {IDC_CUT6, "6"},      {IDC_PREFIX, "Prefix"}, {IDC_SUFFIX, "Suffix"},
        {IDC_FRAGMENT3, "3"}, {IDC_FRAGMENT4, "4"}, {IDC_FRAGMENT5, "5"}};
    for (const auto& [id, caption] : radios) {
        auto* radio = Control<QRadioButton>(window, id);
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->text(), QString::fromLatin1(caption));
    }
    EXPECT_TRUE(Control<QRadioButton>(window, IDC_CUT1)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(window, IDC_PREFIX)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(window, IDC_FRAGMENT3)->isChecked());

    auto* styles = Control<QComboBox>(window, IDC_TRACK_STYLE);
    ASSERT_EQ(styles->count(), 6);
    EXPECT_EQ(styles->itemText(0), "Plain - Solid BG");
    EXPECT_EQ(styles->itemText(5), "Metal");
    EXPECT_EQ(styles->currentIndex(), 0);
    EXPECT_EQ(Control<QCheckBox>(window, IDC_USEWHOLE)->text(), "Use Whole (no cuts)");
}

TEST_F(TrackWindowTest, LayoutKeepsEveryControlWholeAndApart) {
    trackview& window = Open(3);
    std::string faults;
    for (const std::string& fault : layout::Faults(window)) faults += fault + "\n";
    EXPECT_EQ(faults, "");
}

TEST_F(TrackWindowTest, WidgetChangesReachTheStateTheComposerReads) {
    trackview& window = Open(3);
    Control<QRadioButton>(window, IDC_CUT5)->click();
    Control<QComboBox>(window, IDC_TRACK_STYLE)->setCurrentIndex(3);
    Control<QCheckBox>(window, IDC_USEWHOLE)->click();
    Control<QRadioButton>(window, IDC_SUFFIX)->click();
    Control<QRadioButton>(window, IDC_FRAGMENT5)->click();

    const TrackState& track = Track(3);
    EXPECT_EQ(track.GetWordsPerCut(), 5);
    EXPECT_EQ(track.GetCollageStyle(), 3);
    EXPECT_TRUE(track.IsUseWhole());
    EXPECT_EQ(ShredSettingsOf(track).type, FragmentType::Suffix);
    EXPECT_EQ(ShredSettingsOf(track).size, 5);
    // Other tracks keep their own settings.
    EXPECT_EQ(Track(2).GetWordsPerCut(), 1);

    Control<QRadioButton>(window, IDC_CUT2)->click();
    EXPECT_EQ(track.GetWordsPerCut(), 2);
}

TEST_F(TrackWindowTest, TypedTextIsWhatTheShredderAndComposerRead) {
    trackview& window = Open(1);
    QtRichEdit* text = window.TextControl();
    text->setFocus();
    QTest::keyClicks(text, "shredding the words");

    EXPECT_EQ(WordsOf(PlainTextOf(*Track(1).m_trackText)), (std::vector<std::string>{"shredding", "the", "words"}));
    Control<CBitmapButton>(window, IDC_SHRED)->click();
    EXPECT_EQ(WordsOf(text->toPlainText().toStdString()), (std::vector<std::string>{"shr", "the", "wor"}));
    Control<CBitmapButton>(window, IDC_TRACK_UNDO)->click();
    EXPECT_EQ(WordsOf(text->toPlainText().toStdString()), (std::vector<std::string>{"shredding", "the", "words"}));
}

TEST_F(TrackWindowTest, CloseAndEscapeHideTheWindowAndLeaveTheTrackOn) {
    trackview& window = Open(2);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(form.m_trackWindowOpen[1]);

    ShowTrack(form, windows, 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(windows.Window(2), &window);
    QTest::keyClick(window.TextControl(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(form.m_trackWindowOpen[1]);

    // Escape in the open style list closes the list, not the window.
    ShowTrack(form, windows, 2);
    auto* styles = Control<QComboBox>(window, IDC_TRACK_STYLE);
    styles->showPopup();
    QTest::keyClick(styles->view(), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());

    TrackOnOff(form, windows, 2);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(form.m_trackWindowOpen[1]);
    EXPECT_FALSE(windows.IsOnOffPushed(2));
}

TEST_F(TrackWindowTest, TabReachesNeitherTheTextNorTheFocusChain) {
    trackview& window = Open(1);
    QApplication::setActiveWindow(&window);
    QtRichEdit* text = window.TextControl();
    text->setFocus();
    QTest::keyClicks(text, "ab");
    QTest::keyClick(text, Qt::Key_Tab);
    QTest::keyClick(text, Qt::Key_Return);  // a new line in the text, no window action
    EXPECT_FALSE(text->toPlainText().contains('\t'));
    EXPECT_TRUE(window.isVisible());
    if (QApplication::focusWidget() != nullptr) {
        EXPECT_EQ(QApplication::focusWidget(), text);
    }
}

TEST_F(TrackWindowTest, RightClickMenuOnlyWhenTheTextHadTheFocus) {
    trackview& window = Open(1);
    QApplication::setActiveWindow(&window);
    QtRichEdit* text = window.TextControl();
    auto* menu = window.findChild<QMenu*>("213");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[0]->text(), "Cut");
    EXPECT_EQ(menu->actions()[2]->objectName(), "32778");

    Control<QComboBox>(window, IDC_TRACK_STYLE)->setFocus();
    QTest::mouseClick(text->viewport(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_FALSE(menu->isVisible());

    text->setFocus();
    QTest::mouseClick(text->viewport(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_TRUE(menu->isVisible());

    // Paste from the menu reaches the text that had the focus.
    QApplication::clipboard()->setText("pasted");
    menu->actions()[2]->trigger();
    menu->hide();
    EXPECT_TRUE(text->toPlainText().contains("pasted"));
}

TEST_F(TrackWindowTest, CtrlZUndoesTypingButNotWhatTheProgramPutIn) {
    trackview& window = Open(1);
    QApplication::setActiveWindow(&window);
    QtRichEdit* text = window.TextControl();
    LoadMarkup(*Track(1).m_trackText, "loaded words");
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, " typed");
    EXPECT_EQ(WordsOf(PlainTextOf(*Track(1).m_trackText)), (std::vector<std::string>{"loaded", "words", "typed"}));
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(WordsOf(PlainTextOf(*Track(1).m_trackText)), (std::vector<std::string>{"loaded", "words"}));
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(WordsOf(PlainTextOf(*Track(1).m_trackText)), (std::vector<std::string>{"loaded", "words"}));
    QTest::keyClick(text, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(WordsOf(PlainTextOf(*Track(1).m_trackText)), (std::vector<std::string>{"loaded", "words", "typed"}));
}

TEST_F(TrackWindowTest, PaletteColourIsWhatTheTextAreaShows) {
    trackview& window = Open(2);
    ui.colourAnswers.push_back(0xFF8000u);  // red 0x00, green 0x80, blue 0xFF
    Control<CBitmapButton>(window, IDC_TRACK_PALETTE)->click();
    EXPECT_EQ(Track(2).m_trackColour, 0xFF8000u);
    const QImage drawn = window.TextControl()->viewport()->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(drawn.width() - 3, drawn.height() - 3), QColor(0x00, 0x80, 0xFF));

    // The style list's popup shows its longest entry whole.
    auto* styles = Control<QComboBox>(window, IDC_TRACK_STYLE);
    styles->showPopup();
    const QFontMetrics metrics(styles->view()->font());
    EXPECT_GE(styles->view()->visualRect(styles->view()->model()->index(0, 0)).width(),
              metrics.horizontalAdvance("Plain - Solid BG") + 6);
    styles->hidePopup();
}

// With the window's real dialogs: each belongs to the track window it was
// opened from, and closing it gives that window and its text the keyboard back.
TEST_F(TrackWindowTest, DialogsBelongToTheTrackWindowAndGiveBackTheFocus) {
    QWidget mainWindow;
    mainWindow.setObjectName("main");
    mainWindow.show();
    QtUserInterface qt(&mainWindow);
    MainFormState state;
    TrackWindows own(state, qt);
    ShowTrack(state, own, 1);
    trackview& window = *own.Window(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    window.TextControl()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == window.TextControl(); }));

    QStringList owners;
    ModalAnswerer answer([&owners](QWidget* modal) {
        QWidget* owner = modal->parentWidget() ? modal->parentWidget()->window() : nullptr;
        owners << QString("%1:%2").arg(modal->metaObject()->className(), owner ? owner->objectName() : "none");
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    });
    for (int id : {IDC_TRACK_PALETTE, IDC_TRACK_FONT, IDC_TRACK_OPEN}) {
        Control<CBitmapButton>(window, id)->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == window.TextControl(); }))
            << "after " << id << " the focus is on "
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "nothing");
        EXPECT_EQ(QApplication::activeWindow(), &window) << "after " << id;
    }
    EXPECT_EQ(owners.join(",").toStdString(), "QColorDialog:103,CFontDialog:103,QFileDialog:103");
}

TEST_F(TrackWindowTest, TheTrackKeepsItsTextWhenTheWindowsGoFirst) {
    MainFormState state;
    {
        TrackWindows own(state, ui);
        ShowTrack(state, own, 4);
        LoadMarkup(*state.m_tracks[3].m_trackText, "kept after the");
        QtRichEdit* text = own.Window(4)->TextControl();
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, " window");
    }
    // What was typed last is in the state's text, which a new window shows.
    EXPECT_EQ(WordsOf(PlainTextOf(*state.m_tracks[3].m_trackText)),
              (std::vector<std::string>{"kept", "after", "the", "window"}));
    TrackWindows again(state, ui);
    ShowTrack(state, again, 4);
    EXPECT_EQ(again.Window(4)->TextControl()->toPlainText(), "kept after the window");
}

TEST_F(TrackWindowTest, WindowsMayOutliveTheState) {
    auto state = std::make_unique<MainFormState>();
    TrackWindows own(*state, ui);
    ShowTrack(*state, own, 2);
    QtRichEdit* text = own.Window(2)->TextControl();
    state.reset();
    // The window keeps its text widget, and going later touches no state.
    EXPECT_TRUE(own.Exists(2));
    EXPECT_EQ(own.Window(2)->findChild<QtRichEdit*>("1004"), text);
    QTest::keyClicks(text, "still here");
    EXPECT_EQ(text->toPlainText(), "still here");
}

}  // namespace
