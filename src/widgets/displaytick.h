#pragma once

#include <QElapsedTimer>

// A grid of display ticks shared by the views that coalesce their updates: a view waits for
// the next tick of the grid instead of a fixed time from its own last update, so views fed by
// the same stream (the frame table, the console, the real-time values) repaint in one pass of
// the window system instead of one pass each.
namespace DisplayTick {

// Milliseconds from now to the next multiple of periodMs on the monotonic clock that is at
// least minMs away. Timers waiting for it should be precise ones: a coarse timer may fire early
// and land just before the tick.
int msUntilNext(int periodMs, int minMs = 1);

// Milliseconds from now to the next multiple of periodMs that is at least spacingMs after the
// moment `last` was started; the next multiple at all when `last` was never started.
int msUntilNextAfter(int periodMs, const QElapsedTimer& last, int spacingMs);

} // namespace DisplayTick
