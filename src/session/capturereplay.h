#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>

class FrameStore;
class QTimer;

// Plays the good received frames of a frame store back at their recorded pace, or faster, one
// frame() signal each, for the views that follow a live device (the real-time dialog). Runs on
// a timer: no more than kMaxPerTick frames per event-loop turn, so the window stays responsive
// even "as fast as possible". Follows the store: dropped frames shift the position, clearing
// the store stops the replay.
class CaptureReplay : public QObject
{
    Q_OBJECT
public:
    static constexpr int kTickMs = 10;
    static constexpr int kMaxPerTick = 500;
    // A longer silence between two recorded frames is skipped: the next frame plays at once.
    static constexpr qint64 kMaxGapUs = 2'000'000;

    explicit CaptureReplay(FrameStore* store, QObject* parent = nullptr);

    // speed: how many times faster than recorded; 0 means as fast as possible. Plays the store
    // as it is now from its first frame.
    void start(int speed);
    void setPaused(bool paused);
    void stop();

    bool isRunning() const { return running_; }
    bool isPaused() const { return paused_; }
    // Index in the store of the next frame to play.
    qsizetype position() const { return next_; }

signals:
    void frame(char cmd, int address, const QByteArray& payload);
    void finished();

private:
    void onTick_();
    void resetClock_();

    FrameStore* store_;
    QTimer* timer_;
    QElapsedTimer clock_;
    qsizetype next_ = 0;
    qsizetype end_ = 0;
    int speed_ = 1;
    qint64 baseUs_ = 0; // store time that matches clock_ start
    qint64 lastUs_ = 0; // time of the last frame passed
    bool running_ = false;
    bool paused_ = false;
};
