#pragma once

#include <QString>

class QTextDocument;

// Appends one-line paragraphs to the console's rich-text document. Each line costs the same
// whatever the document already holds, and at most MaxLines lines are kept, like a terminal's
// scrollback: when a line would pass the limit, the oldest TrimLines lines go in one edit.
// Dropping lines one at a time from the top would make the text view lay out the whole
// document again for every new line.
class ConsoleText
{
public:
    static constexpr int MaxLines = 50000;
    static constexpr int TrimLines = 1000;

    ConsoleText() = delete;

    // Appends `html` (the caller's own markup; outside text must be escaped first) as a new
    // paragraph at the end of `doc`: top margin 1px, every other margin and indent 0, shown in
    // red when `red` is set and in the default text colour otherwise.
    static void append(QTextDocument* doc, const QString& html, bool red);

    // Empties `doc`; the next line becomes its first paragraph.
    static void clear(QTextDocument* doc);
};
