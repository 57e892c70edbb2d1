#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "displaytick.h"
#include "framelogmodel.h"
#include "framestore.h"
#include "labeltable.h"
#include "link.h"
#include "mkhelper.h"
#include "plaintextdelegate.h"
#include "rtdialog.h"
#include "threadreceive.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
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

// The views pace their updates on the ticks on which the receive loop hands a stream over.
static_assert(DisplayTick::GridMs == ThreadReceive::kGatherMs);

void MainWindow::initFrameLog_()
{
    frameLog_ = new FrameLogModel(frameStore(), this);
    frameLog_->setHex(hexDisplay_);
    QTableView* table = ui_->tableWidgetFrame_;
    table->setModel(frameLog_);
    table->setItemDelegate(new PlainTextDelegate(table));
    table->setColumnWidth(FrameLogModel::NumberColumn, 60);
    table->setColumnWidth(FrameLogModel::TimeColumn, 80);
    table->setColumnWidth(FrameLogModel::CmdColumn, 50);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::onFrameSelection_);
    // The echoes of logged frames are shown no later than their rows, in the same pass.
    connect(frameLog_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (consoleEchoes_ > 0 && !consoleScheduled_)
            flushConsole_();
    });
    // Like a terminal: while the table shows its last row, new rows scroll into view; scrolled
    // up, it stays where the user put it.
    connect(frameLog_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this, table] {
        QScrollBar* bar = table->verticalScrollBar();
        tableFollows_ = bar->value() >= bar->maximum();
    });
    connect(frameLog_, &QAbstractItemModel::rowsInserted, this, [this, table] {
        if (!tableFollows_)
            return;
        table->scrollToBottom();
        // Following, every visible row moves: the whole view is painted anew rather than
        // shifted, so no part of it can be left from before the new rows came.
        table->viewport()->update();
    });

    connect(frameStore(), &FrameStore::droppedOldest, this, [this](qsizetype count) {
        printConsoleWarning(
            tr("Frame log full: the oldest %1 frames were dropped").arg(qint64(count)));
    });

    // A batch of frames is echoed in one edit of the console at its end.
    connect(session_, &SessionPipeline::batchStarted, this, [this] { ++consoleBatchDepth_; });
    connect(session_, &SessionPipeline::batchFinished, this, [this] {
        consoleBatchDepth_ = qMax(0, consoleBatchDepth_ - 1);
        scheduleConsole_();
    });
    connect(session_, &SessionPipeline::frameProcessed, this, &MainWindow::onFrameProcessed_);
    connect(session_, &SessionPipeline::notShownChanged, this, &MainWindow::showNotShown_);
    connect(session_, &SessionPipeline::sendRefused, this,
            [this](const QString& reason) { statusBar()->showMessage(reason); });

    LabelTable* labels = session_->labels();
    connect(labels, &LabelTable::labelsListReady, this, &MainWindow::labelsListReady);
    connect(labels, &LabelTable::abandoned, this, [this](int index, int tries) {
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

void MainWindow::onFrameProcessed_(const FrameRecord& record, const QByteArray& payload,
                                   int address)
{
    if (!record.good) {
        reportBadFrame_(record.bytes, record.cmd, address, payload);
        return;
    }
    // A frame of the live link was received a moment ago (frames are handed over in batches);
    // one from a capture carries the capture's time, and counts as received now.
    const qint64 ageMs = (LinkFrame::nowUs() - record.timeUs) / 1000;
    rtDialog_->onReceiveData(record.cmd, address, payload,
                             ageMs >= 0 && ageMs <= kFrameAgeLimitMs ? ageMs : 0);
    if (record.logged)
        printConsoleLine_(frameText(record.bytes), false, true);
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

void MainWindow::showNotShown_()
{
    const qint64 notShown = framesNotShown();
    notShownLabel_->setText(tr("%1 frames not shown").arg(notShown));
    notShownLabel_->setVisible(notShown > 0);
}

void MainWindow::rqGetLabelsList()
{
    session_->labels()->startRun();
}

void MainWindow::onFilterCheck_()
{
    cmdFilter_.clear();
    for (const auto& [letter, box] : filterBoxes_) {
        if (box->isChecked())
            cmdFilter_.append(QChar::fromLatin1(letter));
    }
    session_->setLogFilter(cmdFilter_);
}

void MainWindow::onHexCheck_()
{
    hexDisplay_ = ui_->checkBoxHex_->isChecked();
    frameLog_->setHex(hexDisplay_);
}

void MainWindow::onClear_()
{
    clearConsole();
    session_->clear();
    ui_->treeWidgetFrame_->clear();
    consoleNotShown_ = 0;
    showNotShown_();
}
