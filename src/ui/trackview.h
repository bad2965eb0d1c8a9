// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "db/SqlDatabase.h"
#include "ui/QtRichEdit.h"
#include "ui/WaitBoxInterface.h"
#include "ui/waitmessage.h"

#include <QWidget>

#include <array>

class CBitmapButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QMenu;
class QRadioButton;
struct TrackState;
class UserInterface;
class authors;

// One track window: a view of a TrackState. Every widget change is written to
// the state at once, and every command works on the state, so the composer
// and the shredder read exactly what the window shows. The window is created
// hidden, and closing it only hides it.
class trackview : public QWidget {
    Q_OBJECT
public:
    trackview(TrackState& track, UserInterface& ui, const QString& title);
    ~trackview() override;

    // Shows the window normally when hidden and restores it when minimised.
    void ShowNormalOrRestore();
    // Sets the widgets from the state (after the state was changed elsewhere).
    void ShowState();

    QtRichEdit* TextControl() const { return m_text; }
    // Made on first use: the window shows without it.
    authors* AuthorsDialog();
    waitmessage* WaitBox() const { return m_waitBox.Box(); }

    // The track's own wait box, shown during its fill and authors commands.
    void ShowWaitMessage();
    void HideWaitMessage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowTrackText();
    void BuildToolRow();
    void BuildCutSettings();
    void BuildShredder();
    void BuildContextMenu();
    void WriteState();
    void WatchKeys();
    void FillRandomWords();
    void FillAuthorOrWordbook();
    CBitmapButton* AddPictureButton(int id, const char* caption, int left, int top, const char* tip);

    TrackState& m_track;
    UserInterface& m_ui;
    // A child of this window, showing the track state's text.
    QtRichEdit* m_text = nullptr;
    QObject* m_textViewport = nullptr;
    std::array<QRadioButton*, 6> m_wordsPerCut{};
    std::array<QRadioButton*, 2> m_fragmentType{};
    std::array<QRadioButton*, 3> m_fragmentSize{};
    // Group boxes, drop-down lists and radio buttons are made on this layer, which carries their look.
    QWidget* m_look = nullptr;
    QComboBox* m_style = nullptr;
    QCheckBox* m_useWhole = nullptr;
    QMenu* m_contextMenu = nullptr;
    bool m_showingState = false;

    // The fill and authors commands: the track's own connection, dialog and
    // wait box.
    SqlDatabase m_db;
    WaitBoxInterface m_commandUi;
    authors* m_authorsDialog = nullptr;
    WindowWaitBox m_waitBox{this};
};
