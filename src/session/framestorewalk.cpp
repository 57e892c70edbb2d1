#include "framestorewalk.h"

#include "framestore.h"

#include <algorithm>

FrameStoreWalk::FrameStoreWalk(const FrameStore* store)
    : store_(store), end_(store->size()), total_(store->size())
{
    connect(store, &FrameStore::droppedOldest, this, [this](qsizetype count) {
        next_ = std::max<qsizetype>(0, next_ - count);
        end_ = std::max<qsizetype>(0, end_ - count);
    });
    connect(store, &FrameStore::cleared, this, [this] { next_ = end_ = 0; });
}

bool FrameStoreWalk::step(qsizetype count, const std::function<void(const FrameRecord&)>& visit)
{
    const qsizetype stop = std::min(end_, next_ + count);
    for (; next_ < stop; ++next_)
        visit(store_->at(next_));
    return next_ < end_;
}

int FrameStoreWalk::permille() const
{
    if (end_ <= 0)
        return 1000;
    // Frames dropped before they were reached count as done.
    const qsizetype done = total_ - (end_ - next_);
    return int(std::clamp<qsizetype>(done * 1000 / std::max<qsizetype>(1, total_), 0, 1000));
}
