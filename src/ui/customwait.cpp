// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/customwait.h"

#include "db/CppSQLite3Exception.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "resources/FormLook.h"
#include "resources/Pictures.h"
#include "support/UserInterface.h"
#include "ui/CBitmapButton.h"
#include "ui/DialogLayout.h"
#include "ui/WordbookDialogIds.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

using namespace dialoglayout;

namespace {
constexpr int kProgressSteps = 1000;
constexpr int kProgressIntervalMs = 100;
}  // namespace

customwait::customwait(UserInterface& ui, QWidget* parent) : QDialog(parent), m_ui(ui) {
    setObjectName(QString::number(IDD_CUSTOMWAIT));
    setWindowTitle("Load Wordbook From File");
    ApplyFormLook(*this);
    setFixedSize(X(190), Y(124));

    auto* text = new QLabel(
        "Click [START] to begin loading wordbook\n \nDialog will close when file finished...\n\n"
        "[STOP] will terminate load before file end",
        this);
    Place(text, 0, Rect(12, 8, 166, 48));
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_excludeShort =
        Place(new QCheckBox("Exclude words < 4 characters long", this), IDC_EXCLUDESHORT, Rect(12, 60, 166, 10));
    m_progress = Place(new QProgressBar(this), IDC_LOADPROGRESS, Rect(12, 75, 166, 9));
    m_progress->setRange(0, kProgressSteps);
    m_progress->setTextVisible(false);
    m_count = Place(new QLabel(this), IDC_LOADCOUNT, Rect(12, 86, 166, 9));

    auto* start = new CBitmapButton(this);
    start->AutoLoad("startload");
    Place(start, IDC_STARTLOAD, QRect(Point(30, 100), start->size()));
    auto* stop = new CBitmapButton(this);
    stop->AutoLoad("stopload");
    Place(stop, IDC_STOPLOAD, QRect(Point(116, 100), stop->size()));
    connect(start, &QAbstractButton::clicked, this, &customwait::StartLoad);
    connect(stop, &QAbstractButton::clicked, this, &customwait::StopLoad);
}

customwait::~customwait() = default;

void customwait::SetLoad(const wordbooks::LoaderSetup& setup) {
    m_tableName = setup.tableName;
    m_filePath = setup.filePath;
    m_databasePath = setup.databasePath;
    m_bookName = setup.bookName;
}

int customwait::exec() {
    m_started = false;
    m_lastResult = {};
    m_excludeShort->setChecked(false);
    m_progress->setValue(0);
    m_count->clear();
    return QDialog::exec();
}

void customwait::StartLoad() {
    if (m_started) return;
    m_started = true;
    auto request = std::make_unique<wordbooks::LoadRequest>();
    request->m_filePath = m_filePath;
    request->m_tableName = m_tableName;
    request->m_databasePath = m_databasePath;
    request->m_bookName = m_bookName;
    request->m_excludeShort = m_excludeShort->isChecked();

    QEventLoop waiting;
    try {
        m_load.Start(std::move(request),
                     [&waiting] { QMetaObject::invokeMethod(&waiting, "quit", Qt::QueuedConnection); });
    } catch (const CppSQLite3Exception& e) {
        m_ui.ShowMessage(wordsdb::ExplainedFailure(e), wordsdb::kErrorCaption);
        done(Accepted);
        return;
    }
    m_loading = true;
    // The window stays live (STOP, repaints) while the worker runs.
    QTimer progress;
    connect(&progress, &QTimer::timeout, this, &customwait::ShowProgress);
    progress.start(kProgressIntervalMs);
    if (!m_load.Done()) waiting.exec();
    m_load.Wait();
    progress.stop();
    ShowProgress();
    const wordbooks::LoadRequest& finished = *m_load.Request();
    m_lastResult = wordbooks::LoadResult{true, finished.m_entriesStored.load(), finished.m_stop.load(),
                                         finished.m_fileOpened.load(), finished.m_failure};
    m_loading = false;
    done(Accepted);
}

void customwait::StopLoad() {
    if (m_loading) {
        // The dialog closes when the worker has ended and StartLoad returns.
        m_load.Stop();
        return;
    }
    done(Accepted);
}

void customwait::reject() {
    // Closing the window during a load acts as STOP; it closes once the
    // worker has ended.
    if (m_loading) {
        m_load.Stop();
        return;
    }
    QDialog::reject();
}

void customwait::ShowProgress() {
    const wordbooks::LoadRequest* request = m_load.Request();
    if (request == nullptr) return;
    const std::int64_t size = request->m_fileSize.load();
    const std::int64_t read = request->m_bytesRead.load();
    m_progress->setValue(size > 0 ? static_cast<int>(read * kProgressSteps / size) : 0);
    m_count->setText(QString("%1 entries stored").arg(request->m_entriesStored.load()));
}

void customwait::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), BitmapPicture(IDB_DIALOGBACKGROUND));
}
