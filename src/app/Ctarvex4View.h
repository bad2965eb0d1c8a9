// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"
#include "mainform/MainCommands.h"
#include "form/MainFormState.h"
#include "support/UserInterface.h"
#include "ui/waitmessage.h"

#include <QPixmap>
#include <QSettings>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <memory>

class BitmapSlider;
class BoardDoor;
class LastMixBox;
class CBitmapButton;
class ElidedLineEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QRadioButton;
class QtRichEdit;
class TrackWindows;
class authors;
class imageCategories;
class imageimport;

// The main form: every control of the layout at its place, each a view of
// the MainFormState. Controls carry their ids as object names; commands
// (buttons, menu, accelerators, context menu) arrive by id at OnCommand.
class Ctarvex4View : public QWidget, public MainTextWindow {
    Q_OBJECT
public:
    // Background draw modes.
    enum DrawMode { kTile = 0, kCentre = 1, kStretch = 2 };

    Ctarvex4View(MainFormState& state, UserInterface& ui, QWidget* parent = nullptr);
    ~Ctarvex4View() override;

    // The start of the form: saved font, output folder, start values, tips,
    // track 1 shown. Runs once.
    void OnInitialUpdate();
    // The program's start: the track 1 window that the start opens comes once
    // the main window has painted, so the main window does not wait for it.
    void OpenFirstTrackAfterFirstPaint() { m_firstTrackAfterPaint = true; }

    // Runs the command of a control or menu id; false for an id with no handler.
    bool OnCommand(int id);

    void ShowWaitMessage();
    void HideWaitMessage();

    // Widgets shown again from the state (after a command changed it).
    void ShowState();

    void SetBackgroundBitmap(const QPixmap& picture, int mode);

    QtRichEdit* MainText() const { return m_text; }
    QWidget* Control(int id) const;
    waitmessage* WaitBox() const { return m_waitBox.Box(); }
    // The image library dialogs, made on first use and kept with the form.
    imageimport& ImageImportDialog();
    imageCategories& ImageSourcesDialog();
    bool WaitBoxCreated() const { return m_waitBox.Made(); }
    TrackWindows* Tracks() const { return m_trackWindows.get(); }
    // Made on first use: the window shows without it.
    authors* AuthorsDialog();
    MainFormState& State() { return m_state; }
    // The cut-up board and the ways to it.
    BoardDoor& Board() { return *m_board; }

    // The file type question of Save; tests replace the dialog.
    void SetFileTypeAsker(std::function<std::optional<SaveFormat>()> asker) { m_fileTypeAsker = std::move(asker); }
    // Where Print goes; tests print to a file.
    void SetPrintTargetFactory(std::function<std::unique_ptr<PrintTarget>()> factory) {
        m_printTargetFactory = std::move(factory);
    }

    // MainTextWindow
    void Cut() override;
    void Copy() override;
    void Paste() override;
    bool HasFocus() const override;
    void SetFocus() override;
    std::optional<SaveFormat> AskFileType() override;

signals:
    // The main window's title, set once the form is up.
    void TitleChanged(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolRow();
    void BuildTrackColumn();
    void BuildImageSettings();
    void BuildMainSettings();
    void BuildBottomRow();
    void BindState();
    // The words per snip the radios show.
    int WordsPerSnipShown() const;
    void SetToolTips();

    CBitmapButton* AddButton(int id, const QString& caption, int left, int top);
    BitmapSlider* AddSlider(int id, const QRect& unitsRect);
    QWidget* AddLabel(const QString& text, int left, int top, int id = -1);
    void Register(int id, QWidget* widget);
    void Route(int id, std::function<void()> handler);
    void ShowContextMenu(const QPoint& globalPos);
    void Go();
    void Print();
    void SaveSession();
    void OpenSession();
    void ShowTitle();
    // The collage the window shows: the board's page, else the last GO's;
    // none (said under `caption`) before there is one.
    const collage::Collage* ShownCutUp(const std::string& caption);
    void SetGoOnBoard(bool on);
    QSettings WindowSettings() const;

    MainFormState& m_state;
    UserInterface& m_ui;
    std::map<int, QWidget*> m_controls;
    std::map<int, std::function<void()>> m_routes;

    // Group boxes, drop-down lists and radio buttons are made on this layer, which carries their look.
    QWidget* m_look = nullptr;
    QtRichEdit* m_text = nullptr;
    std::array<BitmapSlider*, 4> m_trackFader{};
    BitmapSlider* m_textVolume = nullptr;
    BitmapSlider* m_imageVolume = nullptr;
    std::array<QRadioButton*, 7> m_wordsPerSnipRadio{};
    QButtonGroup* m_wordsGroup = nullptr;
    QButtonGroup* m_orientationGroup = nullptr;
    QComboBox* m_style = nullptr;
    ElidedLineEdit* m_outputEdit = nullptr;
    QLineEdit* m_folderEdit = nullptr;
    QMenu* m_contextMenu = nullptr;

    authors* m_authorsDialog = nullptr;
    WindowWaitBox m_waitBox{this};
    imageimport* m_imageImportDialog = nullptr;
    imageCategories* m_imageSourcesDialog = nullptr;
    // The page the last GO wrote, which Export Collage draws.
    std::string m_lastPage;
    // The last GO's collage, whose words Copy Cut-up as Text and Last Mix show.
    collage::Collage m_lastCollage;
    LastMixBox* m_lastMix = nullptr;
    std::unique_ptr<TrackWindows> m_trackWindows;
    std::unique_ptr<BoardDoor> m_board;
    bool m_initialised = false;
    bool m_firstTrackAfterPaint = false;
    bool m_firstTrackPending = false;
    // Name of the session last opened or saved, shown in the title.
    std::string m_sessionName;

    QPixmap m_backgroundBitmap;
    int m_backgroundMode = kStretch;

    std::function<std::optional<SaveFormat>()> m_fileTypeAsker;
    std::function<std::unique_ptr<PrintTarget>()> m_printTargetFactory;
};
