#pragma once

#include "capturereader.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>

class QTimer;

// Plays the frames a device sent in a capture (the "<" lines) back out of output() at their
// recorded pace, reading the file as it goes so that a capture of any length fits. Silences
// longer than kMaxGapMs (a reconnection in the recording) are cut short.
class ReplaySource : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kMaxGapMs = 2000;

    explicit ReplaySource(QObject* parent = nullptr);

    // False with errorString() when the file is no capture.
    bool open(const QString& fileName);
    void start();

    QString errorString() const { return reader_.errorString(); }
    qint64 sent() const { return sent_; }

signals:
    void output(const QByteArray& bytes);
    void finished();

private:
    // The next received frame, reading more of the file when needed; false at the end.
    bool next_(FrameRecord& record);
    void onTimer_();

    CaptureReader reader_;
    QList<FrameRecord> pending_;
    qsizetype pendingIndex_ = 0;
    bool readerDone_ = false;
    QTimer* timer_;
    QElapsedTimer clock_;
    qint64 offsetUs_ = 0; // recorded time at clock_ zero
    qint64 lastUs_ = 0;
    bool haveFrame_ = false;
    FrameRecord frame_;
    qint64 sent_ = 0;
};
