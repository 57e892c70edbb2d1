#pragma once

#include "framerecord.h"

#include <QList>
#include <QObject>

#include <deque>
#include <vector>

// Every frame of the session, sent and received, in arrival order, shared by the frame log,
// the capture writer, the statistics and the exports. Bounded: past capacity() the oldest
// frames are dropped in batches of dropBatch() so that a long run never grows without end.
//
// Indices are positions in the store as it is now: dropping the oldest frames shifts every
// index down by the number dropped (announced by droppedOldest before anything else changes).
//
// Kept compact, since a long session holds millions of frames: a fixed 24-byte slot per frame
// and the frame's bytes packed one after another in 64 KiB chunks, instead of a record with a
// heap block of its own per frame (a 94-byte 'D' frame then took about 184 bytes, now about
// 120). at() builds the record on demand, its bytes a copy that stays valid whatever the store
// does later; the flag, letter, address and time accessors read a slot without building one.
class FrameStore : public QObject
{
    Q_OBJECT
public:
    static constexpr qsizetype kDefaultCapacity = 2'000'000;

    explicit FrameStore(QObject* parent = nullptr, qsizetype capacity = kDefaultCapacity);

    qsizetype size() const { return qsizetype(slots_.size()); }
    bool isEmpty() const { return slots_.empty(); }
    FrameRecord at(qsizetype index) const;
    qint64 timeUs(qsizetype index) const { return slots_[size_t(index)].timeUs; }
    bool isLogged(qsizetype index) const { return slots_[size_t(index)].flags & Slot::Logged; }
    bool isSent(qsizetype index) const { return slots_[size_t(index)].flags & Slot::Sent; }
    bool isGood(qsizetype index) const { return slots_[size_t(index)].flags & Slot::Good; }
    char cmd(qsizetype index) const { return slots_[size_t(index)].cmd; }
    quint8 address(qsizetype index) const { return slots_[size_t(index)].address; }
    qsizetype capacity() const { return capacity_; }
    qsizetype dropBatch() const { return dropBatch_; }
    // Frames dropped for capacity since the last clear().
    qint64 droppedCount() const { return dropped_; }
    // Time of the first frame since the last clear() (0 while empty): the session's start.
    qint64 startTimeUs() const { return startUs_; }

    // Large blocks (the table's row index, the console's text, growing lists) are mapped on
    // their own and go back to the system when freed. glibc otherwise raises its mapping
    // threshold after the first large block is freed, and later large blocks are carved from
    // the heap, where the holes they leave stay resident: about 100 bytes per logged frame in a
    // long session. For main(), before anything large is allocated; process-wide.
    static void keepLargeBlocksOutOfTheHeap();

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
    struct Slot
    {
        enum Flag : quint8
        {
            Sent = 1,
            Good = 2,
            Logged = 4
        };
        qint64 timeUs;
        quint32 chunk;  // chunk number, counted since the last clear()
        quint32 offset; // of the bytes in their chunk
        quint32 length;
        char cmd;
        quint8 address;
        quint8 flags;
    };
    static constexpr size_t kChunkBytes = 64 * 1024;

    void makeRoom_(qsizetype incoming);
    void push_(const FrameRecord& record);

    std::deque<Slot> slots_;
    // Frame bytes; a frame never straddles two chunks, and one longer than kChunkBytes has a
    // chunk of its own. Chunks go when the last frame in them is dropped.
    std::deque<std::vector<char>> chunks_;
    quint32 firstChunk_ = 0; // number of chunks_.front()
    qsizetype capacity_;
    qsizetype dropBatch_;
    qint64 dropped_ = 0;
    qint64 startUs_ = 0;
};
