#include "framesplitter.h"

#include <algorithm>

bool getNextCommand(QByteArray& buffer, QByteArray& frame, qsizetype* dropped)
{
    const qsizetype end = buffer.indexOf('\r');
    if (end < 0)
        return false;
    // A frame starts at its '#': whatever stands in front of the last one (line noise, the
    // head of a frame cut off by noise) cannot belong to this frame. A run without any '#'
    // stays whole, so the frame check still reports it.
    const qsizetype start = std::max<qsizetype>(buffer.lastIndexOf('#', end), 0);
    if (dropped)
        *dropped = start;
    frame.append(buffer.constData() + start, end + 1 - start);
    buffer.remove(0, end + 1);
    return true;
}
