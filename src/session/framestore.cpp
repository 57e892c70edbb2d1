#include "framestore.h"

#include <algorithm>

FrameStore::FrameStore(QObject* parent, qsizetype capacity)
    : QObject(parent), capacity_(std::max<qsizetype>(1, capacity)),
      // A twentieth at a time: a long run at the limit drops (and announces) rarely.
      dropBatch_(std::max<qsizetype>(1, capacity_ / 20))
{
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
    records_.erase(records_.begin(), records_.begin() + drop);
    dropped_ += drop;
    emit droppedOldest(drop);
}

void FrameStore::append(FrameRecord record)
{
    makeRoom_(1);
    if (records_.empty() && startUs_ == 0)
        startUs_ = record.timeUs;
    records_.push_back(std::move(record));
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
    if (records_.empty() && startUs_ == 0)
        startUs_ = batch.constFirst().timeUs;
    const qsizetype first = size();
    for (FrameRecord& record : batch)
        records_.push_back(std::move(record));
    emit appended(first, size() - first);
}

void FrameStore::clear()
{
    records_.clear();
    dropped_ = 0;
    startUs_ = 0;
    emit cleared();
}
