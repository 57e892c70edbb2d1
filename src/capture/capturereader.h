#pragma once

#include "framerecord.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

// Reads a capture file (see captureformat.h) in pieces, so that a window can show progress and
// stay responsive while a large file loads. Whatever the file holds, the reader never keeps
// more than one buffer and one line of it: a line longer than kMaxLineLength, a line that is not
// a frame, event or comment, and a last line cut off without its "\n" are skipped and counted.
class CaptureReader
{
public:
    // Longer than any frame a device sends (a few hundred bytes, escaped at most four times).
    static constexpr qsizetype kMaxLineLength = 64 * 1024;

    struct Event
    {
        qint64 timeUs = 0;
        QString text;
    };

    CaptureReader() = default;
    CaptureReader(const CaptureReader&) = delete;
    CaptureReader& operator=(const CaptureReader&) = delete;

    // Opens the file and checks its first line. False, with errorString() naming the file,
    // when it cannot be read or does not start with the capture header.
    bool open(const QString& fileName);

    // Reads up to maxLines further lines: frames are appended to records, events to events
    // when given. False once the end of the file is reached and nothing more can come.
    // A letter other than 0 passes over the frames of every other letter unread (a quick look
    // for one kind of answer, such as the labels).
    bool read(QList<FrameRecord>& records, qsizetype maxLines, QList<Event>* events = nullptr,
              char letter = 0);

    // Everything at once, for files that fit in memory comfortably.
    bool readAll(const QString& fileName, QList<FrameRecord>& records,
                 QList<Event>* events = nullptr);

    // Why open() failed, or why reading stopped before the end of the file (a read error
    // ends the lines like the end of the file does); empty otherwise.
    QString errorString() const { return error_; }
    QString fileName() const { return fileName_; }
    // Lines skipped so far because they were not understood.
    qint64 skippedLines() const { return skipped_; }
    // Bytes consumed and the file's size, for a progress display.
    qint64 position() const { return file_.pos() - (buffer_.size() - start_); }
    qint64 size() const { return file_.size(); }

    // One line without its "\n": a frame goes to records, an event to events; false when the
    // line is not understood (comments and empty lines are understood and give nothing).
    static bool parseLine(QByteArrayView line, QList<FrameRecord>& records, QList<Event>* events);

private:
    // The next complete line in line; false at the end of the file.
    bool nextLine_(QByteArrayView& line);
    bool fill_();

    QFile file_;
    QString fileName_;
    QByteArray buffer_;
    qsizetype start_ = 0;
    bool eof_ = false;
    bool skippingLongLine_ = false;
    qint64 skipped_ = 0;
    QString error_;
};
