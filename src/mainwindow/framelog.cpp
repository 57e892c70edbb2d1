#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "framestore.h"
#include "mkhelper.h"
#include "rtdialog.h"

#include <QCheckBox>
#include <QTableWidgetItem>
#include <QTimer>

namespace {

// The label of the last index a device knows; its answer ends a label collection.
constexpr int kLastLabelIndex = 31;

// A label request left unanswered this long is asked again; after kLabelTries unanswered
// requests for the same label the collection ends, so that frames are logged again.
constexpr int kLabelTimeoutMs = 2000;
constexpr int kLabelTries = 3;

// Frame bytes as Latin-1 text up to the first zero byte, escaped so that nothing the device
// sends is taken as console markup.
QString frameText(const QByteArray& frame)
{
    const qsizetype zero = frame.indexOf('\0');
    return QString::fromLatin1(zero < 0 ? frame : frame.left(zero)).toHtmlEscaped();
}

} // namespace

void MainWindow::onNewFrameReceived_(const QByteArray& frame)
{
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    const bool good = MkHelper::decodeFrame(frame, cmd, address, payload);
    {
        FrameRecord record;
        record.timeUs = FrameRecord::nowUs();
        record.bytes = frame;
        record.cmd = cmd;
        record.address = quint8(address);
        record.good = good;
        frameStore_->append(std::move(record));
    }

    if (!good) {
        // A frame too short to carry a command leaves none decoded.
        const QString cmdText = cmd ? QString(QChar::fromLatin1(cmd)).toHtmlEscaped() : QString();
        printConsoleError(QStringLiteral("Bad crc check in frame: %1").arg(frameText(frame)));
        printConsoleError(QStringLiteral("cmd=%1 address=%2 data='%3'")
                              .arg(cmdText)
                              .arg(address)
                              .arg(MkHelper::toHex(payload, 1)));
    }

    if (labelsState_ == 1) {
        if (!good) {
            // Garbled answer: ask again at once. The time-out keeps running, so a line that
            // only ever brings bad frames still ends the collection.
            MkHelper::rqLabelAnalogValues(lastLabelIndex_ + 1);
            return;
        }
        if (cmd != 'A')
            return;

        const int index = payload.isEmpty() ? 0 : int(qint8(payload.at(0)));
        lastLabelIndex_ = index;
        labels_.append(MkHelper::toString(payload, 1, -1));
        if (index < kLastLabelIndex) {
            labelRetries_ = 0;
            labelTimer_->start();
            MkHelper::rqLabelAnalogValues(index + 1);
        } else {
            labelsState_ = 0;
            labelTimer_->stop();
            emit labelsListReady(labels_);
        }
        return;
    }

    if (!good)
        return;

    rtDialog_->onReceiveData(cmd, address, payload);

    if (!cmdFilter_.contains(QChar::fromLatin1(cmd)))
        return;
    printConsoleNoError(frameText(frame));
    frames_.append(frame);
    insertItem_(frameCount_, cmd, address, payload);
    ++frameCount_;
}

void MainWindow::rqGetLabelsList()
{
    if (!labelTimer_) {
        labelTimer_ = new QTimer(this);
        labelTimer_->setSingleShot(true);
        labelTimer_->setInterval(kLabelTimeoutMs);
        connect(labelTimer_, &QTimer::timeout, this, &MainWindow::onLabelTimeout_);
    }
    labelsState_ = 1;
    labels_.clear();
    labelRetries_ = 0;
    labelTimer_->start();
    MkHelper::rqLabelAnalogValues(0);
    lastLabelIndex_ = 0;
}

void MainWindow::onLabelTimeout_()
{
    if (labelsState_ != 1)
        return;

    // The label awaited: 0 until the first answer, then the one after the last answered.
    const int awaited = labels_.isEmpty() ? 0 : lastLabelIndex_ + 1;
    ++labelRetries_;
    if (labelRetries_ >= kLabelTries) {
        labelsState_ = 0;
        labelRetries_ = 0;
        printConsoleError(tr("No answer from the device for analog label %1 after %2 tries; "
                             "label collection abandoned.")
                              .arg(awaited)
                              .arg(kLabelTries));
        return;
    }
    labelTimer_->start();
    MkHelper::rqLabelAnalogValues(awaited);
}

void MainWindow::insertItem_(int row, char cmd, int address, const QByteArray& payload)
{
    QTableWidget* table = ui_->tableWidgetFrame_;
    table->insertRow(row);

    const QString data = hexDisplay_ ? MkHelper::toHex(payload, 1) : MkHelper::toASCII(payload);
    const QString texts[] = {QString::number(row), QString(QChar::fromLatin1(cmd)),
                             MkHelper::parseAddress(address), data};
    for (int column = 0; column < 4; ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        if (column < 3)
            item->setTextAlignment(Qt::AlignHCenter);
        table->setItem(row, column, item);
    }
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
}

void MainWindow::onClear_()
{
    clearConsole();
    ui_->tableWidgetFrame_->clearContents();
    ui_->tableWidgetFrame_->setRowCount(0);
    frameCount_ = 0;
    frames_.clear();
    frameStore_->clear();
    ui_->treeWidgetFrame_->clear();
}
