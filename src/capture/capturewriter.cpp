#include "capturewriter.h"

#include "captureformat.h"
#include "filesafety.h"

#include <QCoreApplication>
#include <QTimer>

#include <unistd.h>

CaptureWriter::CaptureWriter(QObject* parent) : QObject(parent), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    timer_->setInterval(kFlushIntervalMs);
    connect(timer_, &QTimer::timeout, this, &CaptureWriter::flush);
}

CaptureWriter::~CaptureWriter()
{
    // No failed() from a destructor: nobody is left to hear it.
    blockSignals(true);
    close();
}

bool CaptureWriter::open(const QString& fileName, const QStringList& inputs)
{
    close();
    error_.clear();
    fileName_ = fileName;
    const int fd = FileSafety::openForRecording(fileName, inputs, error_);
    if (fd < 0)
        return false;
    // Unbuffered: every flush() reaches the system at once, and a full disk shows in write().
    // The descriptor, and with it the recorder's lock, goes when the file closes.
    if (!file_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle)) {
        error_ = QCoreApplication::translate("CaptureWriter", "Cannot record to '%1': %2")
                     .arg(fileName, file_.errorString());
        ::close(fd);
        return false;
    }
    const QByteArray header = QByteArray(CaptureFormat::kHeader) + '\n';
    if (file_.write(header) != header.size()) {
        // Reported by the return value alone: no recording has started that could stop.
        error_ = QCoreApplication::translate("CaptureWriter", "Cannot record to '%1': %2")
                     .arg(fileName, file_.errorString());
        file_.close();
        return false;
    }
    return true;
}

void CaptureWriter::writeFrame(const FrameRecord& record)
{
    if (!file_.isOpen())
        return;
    pending_ += CaptureFormat::formatTime(record.timeUs);
    pending_ += record.direction == FrameRecord::Sent ? " > " : " < ";
    CaptureFormat::appendEscaped(pending_, record.bytes);
    pending_ += '\n';
    queue_();
}

void CaptureWriter::writeEvent(qint64 timeUs, const QString& text)
{
    if (!file_.isOpen())
        return;
    QByteArray utf8 = text.toUtf8();
    utf8.replace('\n', ' ').replace('\r', ' ');
    pending_ += CaptureFormat::formatTime(timeUs);
    pending_ += " ! ";
    pending_ += utf8;
    pending_ += '\n';
    queue_();
}

void CaptureWriter::writeLabels(const QStringList& byIndex)
{
    const qint64 now = FrameRecord::nowUs();
    for (int index = 0; index < byIndex.size(); ++index) {
        if (!byIndex.at(index).isNull())
            writeEvent(now, CaptureFormat::labelEvent(index, byIndex.at(index)));
    }
}

void CaptureWriter::queue_()
{
    if (pending_.size() >= kMaxPending)
        flush();
    else if (!timer_->isActive())
        timer_->start();
}

bool CaptureWriter::flush()
{
    timer_->stop();
    if (!file_.isOpen() || pending_.isEmpty())
        return file_.isOpen();
    if (FileSafety::writeAll(file_, pending_.constData(), pending_.size())) {
        pending_.clear();
        return true;
    }
    const QString reason = file_.errorString();
    error_ = QCoreApplication::translate("CaptureWriter", "Recording to '%1' stopped: %2")
                 .arg(fileName_, reason.isEmpty() ? QStringLiteral("?") : reason);
    pending_.clear();
    file_.close();
    emit failed(error_);
    return false;
}

void CaptureWriter::close()
{
    if (!file_.isOpen())
        return;
    flush();
    file_.close();
}
