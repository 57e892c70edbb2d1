#include "framestore.h"

#include <algorithm>

#include <malloc.h>

FrameStore::FrameStore(QObject* parent, qsizetype capacity)
    : QObject(parent), capacity_(std::max<qsizetype>(1, capacity)),
      // A twentieth at a time: a long run at the limit drops (and announces) rarely.
      dropBatch_(std::max<qsizetype>(1, capacity_ / 20))
{
}

void FrameStore::keepLargeBlocksOutOfTheHeap()
{
    // Setting the threshold also ends its (and the trim threshold's) dynamic adjustment.
    ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}

void FrameStore::makeRoom_(qsizetype incoming)
{
    const qsizetype excess = size() + incoming - capacity_;
    if (excess <= 0)
        return;
    // Whole batches, never more than is stored.
    qsizetype drop = (excess + dropBatch_ - 1) / dropBatch_ * dropBatch_;
    drop = std::min(drop, size());
    if (drop == 0)
        return;
    slots_.erase(slots_.begin(), slots_.begin() + drop);
    // Chunks before the one the oldest kept frame lies in hold nothing kept.
    const quint32 keepFrom =
        slots_.empty() ? firstChunk_ + quint32(chunks_.size()) - 1 : slots_.front().chunk;
    while (firstChunk_ < keepFrom && !chunks_.empty()) {
        chunks_.pop_front();
        ++firstChunk_;
    }
    dropped_ += drop;
    emit droppedOldest(drop);
}

void FrameStore::append(FrameRecord record)
{
    makeRoom_(1);
    if (slots_.empty() && startUs_ == 0)
        startUs_ = record.timeUs;
    push_(record);
    emit appended(size() - 1, 1);
}

void FrameStore::append(QList<FrameRecord> batch)
{
    if (batch.isEmpty())
        return;
    // A batch larger than the whole store keeps only its newest part.
    if (batch.size() > capacity_) {
        dropped_ += batch.size() - capacity_;
        batch.remove(0, batch.size() - capacity_);
    }
    makeRoom_(batch.size());
    if (slots_.empty() && startUs_ == 0)
        startUs_ = batch.constFirst().timeUs;
    const qsizetype first = size();
    for (const FrameRecord& record : std::as_const(batch))
        push_(record);
    emit appended(first, size() - first);
}

void FrameStore::push_(const FrameRecord& record)
{
    const size_t length = size_t(record.bytes.size());
    if (chunks_.empty() || chunks_.back().capacity() - chunks_.back().size() < length) {
        chunks_.emplace_back();
        chunks_.back().reserve(std::max(kChunkBytes, length));
    }
    std::vector<char>& chunk = chunks_.back();
    Slot slot;
    slot.timeUs = record.timeUs;
    slot.chunk = firstChunk_ + quint32(chunks_.size() - 1);
    slot.offset = quint32(chunk.size());
    slot.length = quint32(length);
    slot.cmd = record.cmd;
    slot.address = record.address;
    slot.flags = quint8((record.direction == FrameRecord::Sent ? Slot::Sent : 0) |
                        (record.good ? Slot::Good : 0) | (record.logged ? Slot::Logged : 0));
    chunk.insert(chunk.end(), record.bytes.constData(), record.bytes.constData() + length);
    slots_.push_back(slot);
}

FrameRecord FrameStore::at(qsizetype index) const
{
    const Slot& slot = slots_[size_t(index)];
    FrameRecord record;
    record.timeUs = slot.timeUs;
    record.bytes =
        QByteArray(chunks_[slot.chunk - firstChunk_].data() + slot.offset, qsizetype(slot.length));
    record.cmd = slot.cmd;
    record.address = slot.address;
    record.direction = slot.flags & Slot::Sent ? FrameRecord::Sent : FrameRecord::Received;
    record.good = slot.flags & Slot::Good;
    record.logged = slot.flags & Slot::Logged;
    return record;
}

void FrameStore::clear()
{
    slots_.clear();
    chunks_.clear();
    firstChunk_ = 0;
    dropped_ = 0;
    startUs_ = 0;
    emit cleared();
}
