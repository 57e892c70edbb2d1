#pragma once

#include <QByteArray>

// Moves the first complete frame from the front of buffer to the end of frame: the bytes from
// the last '#' in front of the first carriage return up to and including that carriage return
// (all of them when there is no '#'). The bytes in front of that '#' are removed too; their
// count goes to *dropped when given. False, and nothing changed, when buffer holds no carriage
// return.
bool getNextCommand(QByteArray& buffer, QByteArray& frame, qsizetype* dropped = nullptr);
