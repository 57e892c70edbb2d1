#pragma once

#include "capturereader.h"
#include "link.h"

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>

class QTimer;

// A capture played back as a link: its received frames, at their recorded pace, sped up, or as
// fast as the session takes them. Nothing written to it goes anywhere (a replay never talks to
// a device); writes are counted. A step back in time or a silence longer than kMaxGapUs plays
// as a pause of kOddGapPauseUs (counted), so one odd timestamp neither floods the session nor
// stalls it. Reads the file in pieces as it plays: a capture of any size costs a buffer.
class ReplayLink : public Link
{
    Q_OBJECT
public:
    static constexpr int kTickMs = 10;
    static constexpr int kMaxPerTick = 2000;
    static constexpr qint64 kMaxGapUs = 10'000'000;
    static constexpr qint64 kOddGapPauseUs = 1'000'000;

    explicit ReplayLink(const QString& fileName, QObject* parent = nullptr);
    ~ReplayLink() override;

    Kind kind() const override { return Kind::Capture; }
    QString name() const override { return fileName_; }
    // speed: how many times faster than recorded; 0 means as fast as possible.
    void setSpeed(int speed) { speed_ = speed; }
    int speed() const { return speed_; }
    // Opens the file and starts playing; false with errorString() when it cannot be read.
    bool open() override;
    void close() override;
    bool isOpen() override { return open_; }
    void write(const QByteArray& frame) override;
    void setPaused(bool paused);
    bool isPaused() const { return paused_; }
    // How many frames the consumer still has waiting; the replay waits while it is above
    // kMaxPerTick, so "as fast as possible" never outruns the session.
    void setBacklogProbe(std::function<qsizetype()> probe) { backlog_ = std::move(probe); }

    // When a frame recorded at recordedUs plays, given that the previous one, recorded at
    // previousUs, played at previousDueUs (replay time, unscaled). Counts an odd step in *odd.
    static qint64 dueUs(qint64 previousDueUs, qint64 previousUs, qint64 recordedUs, bool* odd);

    QString errorString() const { return reader_ ? reader_->errorString() : error_; }
    qint64 framesPlayed() const { return played_; }
    qint64 oddGaps() const { return oddGaps_; }
    qint64 writesDropped() const { return writesDropped_; }
    qint64 skippedLines() const { return reader_ ? reader_->skippedLines() : 0; }
    // Label lines of the capture met so far, for the session's label table.
    QList<CaptureReader::Event> takeEvents();

signals:
    // Every frame of the capture has been played (the link closes right after).
    void finished();

private:
    void onTick_();
    bool refill_();

    QString fileName_;
    QString error_;
    std::unique_ptr<CaptureReader> reader_;
    QList<FrameRecord> ahead_; // frames read, not played yet
    qsizetype aheadAt_ = 0;
    QList<CaptureReader::Event> events_;
    bool atEnd_ = false;
    QTimer* timer_;
    QElapsedTimer clock_;
    qint64 clockBaseUs_ = 0; // replay time at which clock_ was started
    qint64 replayUs_ = 0;    // replay time of the last frame played
    qint64 lastRecordedUs_ = 0;
    bool started_ = false;
    int speed_ = 1;
    bool open_ = false;
    bool paused_ = false;
    qint64 played_ = 0;
    qint64 oddGaps_ = 0;
    qint64 writesDropped_ = 0;
    std::function<qsizetype()> backlog_;
};
