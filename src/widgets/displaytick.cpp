#include "displaytick.h"

#include <QDeadlineTimer>

#include <algorithm>

int DisplayTick::msUntilNext(int periodMs, int minMs)
{
    periodMs = std::max(periodMs, 1);
    const qint64 now = QDeadlineTimer::current().deadline();
    const qint64 earliest = now + std::max(minMs, 0);
    const qint64 tick = (earliest + periodMs - 1) / periodMs * periodMs;
    return int(tick - now);
}

int DisplayTick::msUntilNextAfter(int periodMs, const QElapsedTimer& last, int spacingMs)
{
    const qint64 left = last.isValid() ? spacingMs - last.elapsed() : 1;
    return msUntilNext(periodMs, int(std::max<qint64>(1, left)));
}
