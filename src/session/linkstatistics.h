#pragma once

#include "framerecord.h"

#include <QList>
#include <QObject>

#include <deque>
#include <map>

class FrameStore;

// What went over the link, per command letter: frames and bytes each way, check sum failures,
// the rate over the last few seconds and how long the device takes to answer a request.
//
// A request is a lower-case letter we send; its answer is the next good received frame with the
// upper-case letter ('v' -> 'V', 'a' -> 'A', 'd' -> 'D'). Requests are paired with answers in
// the order they were sent; a request older than kAnswerTimeoutUs when an answer comes is taken
// as unanswered, so one lost answer does not shift every later pairing. Only the first 'D' after
// a 'd' is an answer; the rest of the stream is not.
//
// Rates are counted over records whose time lies within kRateWindowUs before the time the
// caller passes, so a loaded old capture adds to the counts but not to the live rates.
class LinkStatistics : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kRateWindowUs = 5'000'000;
    static constexpr qint64 kAnswerTimeoutUs = 5'000'000;
    // The median is taken over this many of the newest latencies; minimum and maximum over all.
    static constexpr int kLatencySamples = 1000;

    struct Row
    {
        char cmd = 0; // 0 for frames too short to carry a letter
        qint64 received = 0;
        qint64 sent = 0;
        qint64 bad = 0;
        qint64 bytesIn = 0;
        qint64 bytesOut = 0;
        double framesPerSecond = 0; // both directions
        // Request -> answer latency in microseconds; -1 while no answer was paired.
        qint64 latencyMinUs = -1;
        qint64 latencyMedianUs = -1;
        qint64 latencyMaxUs = -1;
        qint64 answers = 0;
    };

    struct Totals
    {
        qint64 received = 0;
        qint64 sent = 0;
        qint64 bad = 0;
        qint64 bytesIn = 0;
        qint64 bytesOut = 0;
        qint64 junkBytes = 0;
        double rxBytesPerSecond = 0;
        double rxFramesPerSecond = 0;
    };

    explicit LinkStatistics(QObject* parent = nullptr);

    // Counts every record the store receives from now on and starts afresh when it is cleared.
    void follow(FrameStore* store);

    void add(const FrameRecord& record);
    // Bytes the receiver dropped because no frame could be made of them.
    void addJunkBytes(qint64 count);
    void clear();

    // One row per letter seen, in the order of the letter's code.
    QList<Row> rows(qint64 nowUs) const;
    Totals totals(qint64 nowUs) const;

signals:
    void cleared();

private:
    struct Letter
    {
        Row row;
        std::deque<qint64> recent;    // times of frames inside the rate window
        std::deque<qint64> pending;   // send times of requests not answered yet
        std::deque<qint64> latencies; // newest kLatencySamples latencies
    };

    static void prune_(std::deque<qint64>& times, qint64 fromUs);
    double rate_(const std::deque<qint64>& times, qint64 nowUs) const;

    std::map<quint8, Letter> letters_;
    Totals totals_;
    std::deque<std::pair<qint64, qint64>> recentRx_; // (time, bytes) of received frames
    qint64 firstUs_ = 0;
};
