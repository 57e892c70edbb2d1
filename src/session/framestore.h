#pragma once

#include "framerecord.h"

#include <QList>
#include <QObject>

#include <deque>

// Every frame of the session, sent and received, in arrival order, shared by the frame log,
// the capture writer, the statistics and the exports. Bounded: past capacity() the oldest
// frames are dropped in batches of dropBatch() so that a long run never grows without end.
//
// Indices are positions in the store as it is now: dropping the oldest frames shifts every
// index down by the number dropped (announced by droppedOldest before anything else changes).
class FrameStore : public QObject
{
    Q_OBJECT
public:
    static constexpr qsizetype kDefaultCapacity = 2'000'000;

    explicit FrameStore(QObject* parent = nullptr, qsizetype capacity = kDefaultCapacity);

    qsizetype size() const { return qsizetype(records_.size()); }
    bool isEmpty() const { return records_.empty(); }
    const FrameRecord& at(qsizetype index) const { return records_[size_t(index)]; }
    qsizetype capacity() const { return capacity_; }
    qsizetype dropBatch() const { return dropBatch_; }
    // Frames dropped for capacity since the last clear().
    qint64 droppedCount() const { return dropped_; }
    // Time of the first frame since the last clear() (0 while empty): the session's start.
    qint64 startTimeUs() const { return startUs_; }

    void append(FrameRecord record);
    void append(QList<FrameRecord> batch);
    void clear();

signals:
    // Records [first, first + count) are new.
    void appended(qsizetype first, qsizetype count);
    // The oldest count records are gone; every index moved down by count.
    void droppedOldest(qsizetype count);
    void cleared();

private:
    void makeRoom_(qsizetype incoming);

    std::deque<FrameRecord> records_;
    qsizetype capacity_;
    qsizetype dropBatch_;
    qint64 dropped_ = 0;
    qint64 startUs_ = 0;
};
