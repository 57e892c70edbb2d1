#pragma once

#include "framerecord.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>

class QTimer;

// Appends frames and events to a capture file as they happen. Lines are collected in memory
// and written at the latest kFlushIntervalMs after the first of them, so a crash or a kill
// loses at most that much; close() and the destructor write everything still pending.
// A failed write (disk full, file gone, no permission) closes the file and emits failed()
// once; the caller decides how to tell the user, and nothing else of the session is affected.
class CaptureWriter : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFlushIntervalMs = 50;
    // Pending lines past this size are written at once, whatever the timer says.
    static constexpr qsizetype kMaxPending = 256 * 1024;

    explicit CaptureWriter(QObject* parent = nullptr);
    ~CaptureWriter() override;

    // Creates (or empties) the file and writes the header line. A target that is one of the
    // inputs (the capture being read), not a regular file, or locked by another recorder is
    // refused and left as it was (see FileSafety::openForRecording); the file stays locked
    // until close(). False with errorString(), and no failed(), when that does not work.
    bool open(const QString& fileName, const QStringList& inputs = {});
    bool isOpen() const { return file_.isOpen(); }
    QString fileName() const { return fileName_; }
    QString errorString() const { return error_; }

    void writeFrame(const FrameRecord& record);
    // Line breaks in the text become blanks: an event is one line.
    void writeEvent(qint64 timeUs, const QString& text);
    // The channel labels the session already knows, as label events (one per index whose text
    // is not null), so that a recording started after the labels arrived still names them.
    void writeLabels(const QStringList& byIndex);

    // Writes what is pending now. False (and failed() emitted) when the write failed.
    bool flush();
    // Writes what is pending and closes the file.
    void close();

signals:
    void failed(const QString& message);

private:
    void queue_();

    QFile file_;
    QString fileName_;
    QByteArray pending_;
    QTimer* timer_ = nullptr;
    QString error_;
};
