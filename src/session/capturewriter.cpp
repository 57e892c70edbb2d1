#include "capturewriter.h"

#include "captureformat.h"

#include <QCoreApplication>
#include <QTimer>

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

bool CaptureWriter::open(const QString& fileName)
{
    close();
    error_.clear();
    file_.setFileName(fileName);
    // Unbuffered: every flush() reaches the system at once, and a full disk shows in write().
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error_ = QCoreApplication::translate("CaptureWriter", "Cannot record to '%1': %2")
                     .arg(fileName, file_.errorString());
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
    const qint64 written = file_.write(pending_);
    if (written == pending_.size()) {
        pending_.clear();
        return true;
    }
    const QString reason = file_.errorString();
    error_ = QCoreApplication::translate("CaptureWriter", "Recording to '%1' stopped: %2")
                 .arg(file_.fileName(), reason.isEmpty() ? QStringLiteral("?") : reason);
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

QString CaptureWriter::labelEvent(int index, const QString& text)
{
    // The text is quoted: a label may end in blanks that matter to its owner.
    return QStringLiteral("label %1 \"%2\"").arg(index).arg(text);
}

bool CaptureWriter::parseLabelEvent(const QString& event, int& index, QString& text)
{
    static const QLatin1String kPrefix("label ");
    if (!event.startsWith(kPrefix))
        return false;
    const qsizetype space = event.indexOf(QLatin1Char(' '), kPrefix.size());
    if (space < 0 || !event.endsWith(QLatin1Char('"')) || event.size() < space + 3 ||
        event.at(space + 1) != QLatin1Char('"'))
        return false;
    bool ok = false;
    index = event.mid(kPrefix.size(), space - kPrefix.size()).toInt(&ok);
    if (!ok)
        return false;
    text = event.mid(space + 2, event.size() - space - 3);
    return true;
}
