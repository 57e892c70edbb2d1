#pragma once

#include "framerecord.h"

#include <QObject>

#include <functional>

class FrameStore;

// Reads a frame store from its oldest frame to the one that was newest when the walk began, a
// step at a time, for work that lets the event loop run between steps (an export behind a
// progress bar). Frames appended meanwhile are not part of the walk; when the oldest frames
// are dropped the walk skips those it had not reached, and when the store is cleared it ends.
class FrameStoreWalk : public QObject
{
    Q_OBJECT
public:
    // Frames a step of an export reads between two looks at its progress bar.
    static constexpr qsizetype kStep = 1 << 15;

    explicit FrameStoreWalk(const FrameStore* store);

    // Passes up to `count` further frames to `visit`, oldest first. False once none is left.
    bool step(qsizetype count, const std::function<void(const FrameRecord&)>& visit);
    // Back to the oldest frame, for a second pass over the same frames.
    void restart() { next_ = 0; }
    // How far the walk is, in thousandths.
    int permille() const;

private:
    const FrameStore* store_;
    qsizetype next_ = 0;
    qsizetype end_;
    qsizetype total_;
};
