// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "wordbooks/WordbookCatalogue.h"
#include "wordbooks/WordbookLoader.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QProgressBar;
class UserInterface;

// "Load Wordbook From File": START loads the file into the new wordbook's
// table on a worker thread while the window stays live; STOP ends the load
// between entries. The dialog closes when the worker has finished.
class customwait : public QDialog {
    Q_OBJECT
public:
    explicit customwait(UserInterface& ui, QWidget* parent = nullptr);
    ~customwait() override;

    // Set by the authors dialog before each run.
    void SetLoad(const wordbooks::LoaderSetup& setup);
    void ClearStarted() { m_started = false; }
    bool IsStarted() const { return m_started; }
    bool IsLoading() const { return m_loading; }

    int exec() override;
    void StartLoad();
    void StopLoad();

    // Entries the last load stored.
    long LastStored() const { return m_lastResult.stored; }
    // How the last run ended (not started when closed before START).
    const wordbooks::LoadResult& LastResult() const { return m_lastResult; }

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowProgress();

    UserInterface& m_ui;
    bool m_started = false;
    bool m_loading = false;
    std::string m_tableName;
    std::string m_filePath;
    std::string m_databasePath;
    std::string m_bookName;
    wordbooks::WordbookLoad m_load;
    wordbooks::LoadResult m_lastResult;

    QCheckBox* m_excludeShort;
    QProgressBar* m_progress;
    QLabel* m_count;
};
