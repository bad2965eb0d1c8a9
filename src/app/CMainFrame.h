// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QMainWindow>

class Ctarvex4View;
class QAction;

// The one frame window: menu bar, accelerators, the form as its client. Its
// size is fixed and it cannot be maximised.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    void SetView(Ctarvex4View* view);
    Ctarvex4View* View() const { return m_view; }
    // The menu command or accelerator with this id (the id is its object name).
    QAction* Command(int id) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void BuildAccelerators();
    void Dispatch(int id);

    Ctarvex4View* m_view = nullptr;
};
