#include "linkstatistics.h"

#include "framestore.h"

#include <algorithm>
#include <vector>

namespace {
// Request letters are lower case; the answer carries the same letter in upper case.
bool isAnswerLetter(char cmd)
{
    return cmd >= 'A' && cmd <= 'Z';
}

char requestOf(char answer)
{
    return char(answer - 'A' + 'a');
}
} // namespace

LinkStatistics::LinkStatistics(QObject* parent) : QObject(parent) {}

void LinkStatistics::follow(FrameStore* store)
{
    connect(store, &FrameStore::appended, this, [this, store](qsizetype first, qsizetype count) {
        for (qsizetype i = first; i < first + count; ++i)
            add(store->at(i));
    });
    connect(store, &FrameStore::cleared, this, &LinkStatistics::clear);
}

void LinkStatistics::prune_(std::deque<qint64>& times, qint64 fromUs)
{
    while (!times.empty() && times.front() <= fromUs)
        times.pop_front();
}

void LinkStatistics::add(const FrameRecord& record)
{
    if (firstUs_ == 0)
        firstUs_ = record.timeUs;
    const qint64 size = record.bytes.size();
    Letter& letter = letters_[quint8(record.cmd)];
    Row& row = letter.row;
    row.cmd = record.cmd;
    letter.recent.push_back(record.timeUs);
    prune_(letter.recent, record.timeUs - kRateWindowUs);

    if (record.direction == FrameRecord::Sent) {
        ++row.sent;
        row.bytesOut += size;
        ++totals_.sent;
        totals_.bytesOut += size;
        if (record.good) {
            letter.pending.push_back(record.timeUs);
            // A request nobody answers must not pile up.
            prune_(letter.pending, record.timeUs - kAnswerTimeoutUs);
        }
        return;
    }

    ++row.received;
    row.bytesIn += size;
    ++totals_.received;
    totals_.bytesIn += size;
    recentRx_.emplace_back(record.timeUs, size);
    while (!recentRx_.empty() && recentRx_.front().first <= record.timeUs - kRateWindowUs)
        recentRx_.pop_front();
    if (!record.good) {
        ++row.bad;
        ++totals_.bad;
        return;
    }
    if (!isAnswerLetter(record.cmd))
        return;

    const auto request = letters_.find(quint8(requestOf(record.cmd)));
    if (request == letters_.end())
        return;
    std::deque<qint64>& pending = request->second.pending;
    prune_(pending, record.timeUs - kAnswerTimeoutUs);
    if (pending.empty())
        return;
    // A clock step backwards must not produce a negative latency.
    const qint64 latency = std::max<qint64>(0, record.timeUs - pending.front());
    pending.pop_front();

    ++row.answers;
    row.latencyMinUs = row.latencyMinUs < 0 ? latency : std::min(row.latencyMinUs, latency);
    row.latencyMaxUs = std::max(row.latencyMaxUs, latency);
    letter.latencies.push_back(latency);
    if (letter.latencies.size() > size_t(kLatencySamples))
        letter.latencies.pop_front();
}

void LinkStatistics::addJunkBytes(qint64 count)
{
    if (count > 0)
        totals_.junkBytes += count;
}

void LinkStatistics::clear()
{
    letters_.clear();
    totals_ = Totals();
    recentRx_.clear();
    firstUs_ = 0;
    emit cleared();
}

double LinkStatistics::rate_(const std::deque<qint64>& times, qint64 nowUs) const
{
    const qint64 from = nowUs - kRateWindowUs;
    qint64 count = 0;
    for (auto it = times.rbegin(); it != times.rend() && *it > from; ++it)
        count += *it <= nowUs;
    // Right after the first frame the window is not full yet: divide by the time since then,
    // but by at least a second so that one frame does not read as a burst.
    const qint64 span = std::clamp<qint64>(nowUs - firstUs_, 1'000'000, kRateWindowUs);
    return double(count) * 1e6 / double(span);
}

QList<LinkStatistics::Row> LinkStatistics::rows(qint64 nowUs) const
{
    QList<Row> result;
    result.reserve(qsizetype(letters_.size()));
    for (const auto& [code, letter] : letters_) {
        Row row = letter.row;
        row.framesPerSecond = rate_(letter.recent, nowUs);
        if (!letter.latencies.empty()) {
            std::vector<qint64> sorted(letter.latencies.begin(), letter.latencies.end());
            const size_t mid = sorted.size() / 2;
            std::nth_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(mid), sorted.end());
            qint64 median = sorted[mid];
            if (sorted.size() % 2 == 0) {
                const qint64 below =
                    *std::max_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(mid));
                median = (below + median) / 2;
            }
            row.latencyMedianUs = median;
        }
        result.append(row);
    }
    return result;
}

LinkStatistics::Totals LinkStatistics::totals(qint64 nowUs) const
{
    Totals totals = totals_;
    const qint64 from = nowUs - kRateWindowUs;
    qint64 frames = 0;
    qint64 bytes = 0;
    for (auto it = recentRx_.rbegin(); it != recentRx_.rend() && it->first > from; ++it) {
        if (it->first <= nowUs) {
            ++frames;
            bytes += it->second;
        }
    }
    const qint64 span = std::clamp<qint64>(nowUs - firstUs_, 1'000'000, kRateWindowUs);
    totals.rxFramesPerSecond = double(frames) * 1e6 / double(span);
    totals.rxBytesPerSecond = double(bytes) * 1e6 / double(span);
    return totals;
}
