#pragma once

#include <QList>
#include <QString>

class FrameLogModel;

// What "Copy" puts on the clipboard for rows of the frame log.
class LogClipboard
{
public:
    LogClipboard() = delete;

    enum Format
    {
        Table, // the shown cells, tab-separated, under a header line
        Hex,   // each frame's bytes in hexadecimal
        Frames // each frame as it crossed the line, without its closing carriage return
    };
    // Most rows copied at once: building the text holds the window, and beyond this the
    // clipboard holds more than any program it is pasted into takes well.
    static constexpr int kMaxRows = 100000;

    // `rows` in ascending order; one line per row, each ended by a line feed.
    static QString text(const FrameLogModel& model, const QList<int>& rows, Format format);
};
