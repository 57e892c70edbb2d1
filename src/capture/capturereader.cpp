#include "capturereader.h"

#include "captureformat.h"
#include "filesafety.h"
#include "mkhelper.h"

#include <QCoreApplication>

namespace {

constexpr qint64 kChunkSize = 1024 * 1024;
// "<time> <dir> ": the time, a blank, one direction character, a blank.
constexpr qsizetype kTimeLength = 27;
constexpr qsizetype kPrefixLength = kTimeLength + 3;

// Letter, address and verdict the way the codec reads them, without decoding the payload and
// without the codec's debug line for every bad frame: a capture may hold thousands of them.
FrameRecord recordOf(QByteArray frame, FrameRecord::Direction direction, qint64 timeUs)
{
    FrameRecord record;
    record.timeUs = timeUs;
    record.direction = direction;
    const qsizetype length = frame.size();
    if (length >= 6) {
        record.address = quint8(int(qint8(frame.at(1))) - 'a');
        record.cmd = frame.at(2);
        const QByteArray crc =
            MkHelper::getCRC(QByteArray::fromRawData(frame.constData(), length - 3));
        record.good = QByteArrayView(crc) == QByteArrayView(frame.constData() + length - 3, 2);
    }
    record.bytes = std::move(frame);
    return record;
}

} // namespace

bool CaptureReader::open(const QString& fileName)
{
    file_.close();
    fileName_ = fileName;
    buffer_.clear();
    start_ = 0;
    eof_ = false;
    skippingLongLine_ = false;
    skipped_ = 0;
    error_.clear();
    // A named pipe, a device or a directory is refused before anything could block on it.
    const int fd = FileSafety::openForReading(fileName, error_);
    if (fd < 0 || !file_.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            error_ =
                QCoreApplication::translate("CaptureReader", "Cannot read the capture '%1': %2")
                    .arg(fileName, file_.errorString());
        return false;
    }
    // The first line must be the header exactly; "\r\n" and a missing "\n" are tolerated.
    fill_();
    const QByteArrayView header(CaptureFormat::kHeader);
    QByteArrayView rest(buffer_);
    bool isHeader = rest.startsWith(header);
    if (isHeader) {
        rest = rest.sliced(header.size());
        if (rest.startsWith('\r'))
            rest = rest.sliced(1);
        isHeader = rest.isEmpty() || rest.startsWith('\n');
        start_ = buffer_.size() - rest.size() + (rest.isEmpty() ? 0 : 1);
    }
    if (!isHeader) {
        // A read error says more than the missing header it leads to.
        if (error_.isEmpty())
            error_ =
                QCoreApplication::translate(
                    "CaptureReader", "'%1' is not a capture file: its first line is not \"%2\"")
                    .arg(fileName, QString::fromLatin1(CaptureFormat::kHeader));
        file_.close();
        buffer_.clear();
        start_ = 0;
        return false;
    }
    return true;
}

bool CaptureReader::fill_()
{
    if (eof_ || !file_.isOpen())
        return false;
    if (start_ > 0) {
        buffer_.remove(0, start_);
        start_ = 0;
    }
    const qsizetype old = buffer_.size();
    buffer_.resize(old + kChunkSize);
    const qint64 got = file_.read(buffer_.data() + old, kChunkSize);
    buffer_.resize(old + qMax<qint64>(got, 0));
    if (got <= 0)
        eof_ = true;
    if (got < 0)
        error_ = QCoreApplication::translate("CaptureReader", "Cannot read the capture '%1': %2")
                     .arg(fileName_, file_.errorString());
    return got > 0;
}

bool CaptureReader::nextLine_(QByteArrayView& line)
{
    for (;;) {
        const qsizetype end = buffer_.indexOf('\n', start_);
        if (end >= 0) {
            QByteArrayView found(buffer_.constData() + start_, end - start_);
            start_ = end + 1;
            if (skippingLongLine_) {
                skippingLongLine_ = false;
                ++skipped_;
                continue;
            }
            if (found.endsWith('\r'))
                found.chop(1);
            line = found;
            return true;
        }
        if (buffer_.size() - start_ > kMaxLineLength) {
            // Too long to be anything we wrote: drop what is there and the rest up to "\n".
            start_ = buffer_.size();
            skippingLongLine_ = true;
        }
        if (!fill_()) {
            // The writer ends every line with "\n": what is left was cut off.
            if (buffer_.size() > start_ || skippingLongLine_)
                ++skipped_;
            buffer_.clear();
            start_ = 0;
            skippingLongLine_ = false;
            return false;
        }
    }
}

bool CaptureReader::parseLine(QByteArrayView line, QList<FrameRecord>& records,
                              QList<Event>* events)
{
    if (line.isEmpty() || line.startsWith("# "))
        return true;
    if (line.size() <= kPrefixLength || line[kTimeLength] != ' ' || line[kTimeLength + 2] != ' ')
        return false;
    qint64 timeUs = 0;
    if (!CaptureFormat::parseTime(line.first(kTimeLength), timeUs))
        return false;
    const QByteArrayView rest = line.sliced(kPrefixLength);
    switch (line[kTimeLength + 1]) {
    case '!':
        if (events)
            events->append(Event{timeUs, QString::fromUtf8(rest)});
        return true;
    case '<':
    case '>': {
        QByteArray frame;
        if (!CaptureFormat::unescape(rest, frame))
            return false;
        const auto direction =
            line[kTimeLength + 1] == '<' ? FrameRecord::Received : FrameRecord::Sent;
        records.append(recordOf(std::move(frame), direction, timeUs));
        return true;
    }
    default:
        return false;
    }
}

bool CaptureReader::read(QList<FrameRecord>& records, qsizetype maxLines, QList<Event>* events,
                         char letter)
{
    QByteArrayView line;
    // "<time> < #<address><letter>": with an address that needed no escape, the letter stands
    // at a fixed place; anything less plain is read in full.
    constexpr qsizetype kLetterAt = kPrefixLength + 2;
    for (qsizetype n = 0; n < maxLines; ++n) {
        if (!nextLine_(line))
            return false;
        if (letter != 0 && line.size() > kLetterAt && line[kTimeLength + 1] != '!' &&
            line[kPrefixLength] == '#' && line[kPrefixLength + 1] != '\\' &&
            line[kLetterAt] != letter && line[kLetterAt] != '\\')
            continue;
        if (!parseLine(line, records, events))
            ++skipped_;
    }
    return true;
}

bool CaptureReader::readAll(const QString& fileName, QList<FrameRecord>& records,
                            QList<Event>* events)
{
    if (!open(fileName))
        return false;
    while (read(records, 1 << 16, events)) {
    }
    return true;
}
