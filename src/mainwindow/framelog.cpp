#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "framelogmodel.h"
#include "framestore.h"
#include "labelcollector.h"
#include "mkhelper.h"
#include "rtdialog.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace {

// Frame bytes as Latin-1 text up to the first zero byte.
QString frameText(const QByteArray& frame)
{
    const qsizetype zero = frame.indexOf('\0');
    return QString::fromLatin1(zero < 0 ? frame : frame.left(zero));
}

} // namespace

void MainWindow::initFrameLog_()
{
    frameLog_ = new FrameLogModel(frameStore_, this);
    frameLog_->setHex(hexDisplay_);
    QTableView* table = ui_->tableWidgetFrame_;
    table->setModel(frameLog_);
    table->setColumnWidth(FrameLogModel::NumberColumn, 60);
    table->setColumnWidth(FrameLogModel::TimeColumn, 80);
    table->setColumnWidth(FrameLogModel::CmdColumn, 50);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::onFrameSelection_);
    // The echoes of logged frames are shown together with their rows: the window then repaints
    // once for both.
    connect(frameLog_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (consoleEchoes_ > 0 && !consoleScheduled_)
            flushConsole_();
    });

    connect(frameStore_, &FrameStore::droppedOldest, this, [this](qsizetype count) {
        printConsoleWarning(
            tr("Frame log full: the oldest %1 frames were dropped").arg(qint64(count)));
    });

    labelCollector_ = new LabelCollector(this);
    connect(labelCollector_, &LabelCollector::requestLabel, this,
            [](int index) { MkHelper::rqLabelAnalogValues(index); });
    connect(labelCollector_, &LabelCollector::labelsListReady, this,
            &MainWindow::labelsListReady);
    connect(labelCollector_, &LabelCollector::abandoned, this, [this](int index, int tries) {
        printConsoleError(tr("No answer from the device for analog label %1 after %2 tries; "
                             "label collection abandoned.")
                              .arg(index)
                              .arg(tries));
    });

    badFrameWindow_ = new QTimer(this);
    badFrameWindow_->setSingleShot(true);
    badFrameWindow_->setInterval(1000);
    connect(badFrameWindow_, &QTimer::timeout, this, &MainWindow::onBadFrameWindowEnd_);

    notShownLabel_ = new QLabel(this);
    notShownLabel_->setObjectName(QStringLiteral("notShownLabel_"));
    notShownLabel_->setToolTip(tr("Frames that arrived faster than the window could show them "
                                  "(in the table or the console); every frame is kept in the "
                                  "frame store"));
    notShownLabel_->hide();
    statusBar()->addPermanentWidget(notShownLabel_);
}

void MainWindow::onNewFrameReceived_(const QByteArray& frame)
{
    onNewFramesReceived_(QList<QByteArray>{frame});
}

void MainWindow::onNewFramesReceived_(const QList<QByteArray>& frames)
{
    const qint64 now = FrameRecord::nowUs();
    for (const QByteArray& frame : frames)
        inbox_.push_back({frame, now});

    // Too far behind: the oldest waiting frames go to the store as they are, counted.
    if (inbox_.size() > size_t(kMaxBacklog)) {
        flushRecords_();
        QList<FrameRecord> shed;
        while (inbox_.size() > size_t(kMaxBacklog)) {
            const Arrival& arrival = inbox_.front();
            shed.append(FrameRecord::fromFrame(arrival.frame, FrameRecord::Received,
                                               arrival.timeUs));
            inbox_.pop_front();
        }
        notShown_ += shed.size();
        frameStore_->append(std::move(shed));
        showNotShown_();
    }
    if (!inboxScheduled_)
        processInbox_();
}

void MainWindow::processInbox_()
{
    inboxScheduled_ = false;
    QElapsedTimer clock;
    clock.start();
    ++consoleBatchDepth_;
    while (!inbox_.empty()) {
        const Arrival arrival = std::move(inbox_.front());
        inbox_.pop_front();
        processFrame_(arrival.frame, arrival.timeUs);
        if (clock.elapsed() >= kFrameBudgetMs)
            break;
    }
    --consoleBatchDepth_;
    flushRecords_();
    scheduleConsole_();
    if (!inbox_.empty()) {
        inboxScheduled_ = true;
        QTimer::singleShot(0, this, &MainWindow::processInbox_);
    }
}

void MainWindow::processFrame_(const QByteArray& frame, qint64 timeUs)
{
    FrameRecord record;
    record.timeUs = timeUs;
    record.bytes = frame;
    QByteArray payload;
    int address = 0;
    record.good = MkHelper::decodeFrame(frame, record.cmd, address, payload);
    record.address = quint8(address);
    const char cmd = record.cmd;
    const bool good = record.good;
    // Frames during a label collection feed it alone.
    const bool collecting = labelCollector_->isCollecting();
    record.logged = good && !collecting && cmdFilter_.contains(QChar::fromLatin1(cmd));
    // Queued for the store before anything the frame causes (such as the next label request,
    // which is stored as it is written).
    records_.append(std::move(record));

    if (!good)
        reportBadFrame_(frame, cmd, address, payload);
    if (collecting) {
        labelCollector_->takeFrame(good, cmd, payload);
        return;
    }
    if (!good)
        return;
    rtDialog_->onReceiveData(cmd, address, payload);
    if (cmdFilter_.contains(QChar::fromLatin1(cmd)))
        printConsoleLine_(frameText(frame), false, true);
}

void MainWindow::reportBadFrame_(const QByteArray& frame, char cmd, int address,
                                 const QByteArray& payload)
{
    // A burst of bad frames (noise, a line of bare carriage returns) is reported by its first
    // few frames and one count, never by two lines per frame.
    if (!badFrameWindow_->isActive()) {
        badFramesInWindow_ = 0;
        badFrameWindow_->start();
    }
    if (++badFramesInWindow_ > kBadFramesReported)
        return;
    // A frame too short to carry a command leaves none decoded.
    const QString cmdText = cmd ? QString(QChar::fromLatin1(cmd)) : QString();
    printConsoleLine_(QStringLiteral("Bad crc check in frame: %1").arg(frameText(frame)), true);
    printConsoleLine_(QStringLiteral("cmd=%1 address=%2 data='%3'")
                          .arg(cmdText)
                          .arg(address)
                          .arg(MkHelper::toHex(payload, 1)),
                      true);
}

void MainWindow::onBadFrameWindowEnd_()
{
    const int more = badFramesInWindow_ - kBadFramesReported;
    badFramesInWindow_ = 0;
    if (more > 0)
        printConsoleError(tr("… %1 more bad frames in the last second").arg(more));
}

void MainWindow::storeSentFrame_(const QByteArray& frame)
{
    // Received frames processed before this request was written go into the store first.
    flushRecords_();
    frameStore_->append(FrameRecord::fromFrame(frame, FrameRecord::Sent, FrameRecord::nowUs()));
    // Marked with an arrow towards the device, as in the log.
    if (frameLog_->showSent())
        printConsoleLine_(QStringLiteral("\u2192 ") + frameText(frame), false, true);
}

void MainWindow::flushRecords_()
{
    if (records_.isEmpty())
        return;
    QList<FrameRecord> batch;
    batch.swap(records_);
    frameStore_->append(std::move(batch));
}

void MainWindow::showNotShown_()
{
    notShownLabel_->setText(tr("%1 frames not shown").arg(notShown_));
    notShownLabel_->setVisible(notShown_ > 0);
}

void MainWindow::rqGetLabelsList()
{
    labelCollector_->start();
}

void MainWindow::onFilterCheck_()
{
    cmdFilter_.clear();
    for (const auto& [letter, box] : filterBoxes_) {
        if (box->isChecked())
            cmdFilter_.append(QChar::fromLatin1(letter));
    }
}

void MainWindow::onHexCheck_()
{
    hexDisplay_ = ui_->checkBoxHex_->isChecked();
    frameLog_->setHex(hexDisplay_);
}

void MainWindow::onClear_()
{
    clearConsole();
    flushRecords_();
    frameStore_->clear();
    ui_->treeWidgetFrame_->clear();
    notShown_ = 0;
    showNotShown_();
}
