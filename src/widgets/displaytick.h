#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// A grid of display ticks shared by the views that coalesce their updates. The receive loop
// hands a stream's frames over on a grid of GridMs on the monotonic clock; a view updates
// when frames arrive on a tick of its own period, so that the views fed by one stream (the
// frame table, the console, the real-time values and plot) update in the same pass of the
// event loop and the window repaints once for all of them instead of once for each.
namespace DisplayTick {

// The receive loop's hand-over grid (the serial library keeps its own copy of the figure).
constexpr int GridMs = 200;

// Milliseconds on the monotonic clock the grid is laid on.
qint64 nowMs();

// Whether a view that updates at most once per periodMs, and last updated at lastMs (negative:
// never), may update at nowMs: nowMs lies on a later tick of the period than lastMs. A tick
// counts from half a grid step before it, so that frames handed over on the tick and taken up
// a little late still count on it.
bool isDue(int periodMs, qint64 lastMs, qint64 nowMs);

// Milliseconds from nowMs until a view that was not due updates anyway: half a grid step after
// the next tick of its period, so that frames handed over on that tick come first and the view
// updates with them.
int msUntilLate(int periodMs, qint64 nowMs);

} // namespace DisplayTick

// Paces one view's updates onto the display ticks. The view calls request() when it has
// something new to show and updated() whenever it has shown everything (also when it did so
// by itself). A due update runs at the end of the current pass of the event loop (after the
// rest of the batch of frames being handled, before the window repaints); one that is not due
// runs when the next tick's frames arrive, or late (see msUntilLate) when none do.
class TickPacer : public QObject
{
    Q_OBJECT
public:
    TickPacer(int periodMs, std::function<void()> update, QObject* parent);

    void setPeriodMs(int periodMs) { periodMs_ = periodMs; }

    void request();
    void updated();
    // Drops a waiting update; the next request is due at once.
    void reset();
    bool isWaiting() const { return waiting_; }

private:
    void run_();

    int periodMs_;
    std::function<void()> update_;
    QTimer timer_;
    bool waiting_ = false; // a queued call or the timer will run the update
    qint64 lastMs_ = -1;
};
