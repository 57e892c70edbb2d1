#pragma once

#include <QList>
#include <QString>

class QPlainTextEdit;

// The console's lines: plain text, one block per line, errors in red, at most MaxLines kept
// (the oldest go first, like a terminal's scrollback). Lines are appended in batches, one edit
// per batch, because each edit of the console costs a layout pass and a repaint.
class ConsoleText
{
public:
    static constexpr int MaxLines = 50000;

    struct Line
    {
        QString text;
        bool red = false;
        bool frame = false; // the echo of a logged frame, which the frame log also shows
    };

    ConsoleText() = delete;

    // Prepares an empty console: read-only, no undo history, the line cap.
    static void setUp(QPlainTextEdit* edit);

    // The one line shown for a message that may hold the program's own markup (tags and
    // entities; text from outside is escaped by the caller): the markup's text, never markup
    // taking effect. Line breaks and other control characters become blanks, so a message is
    // always exactly one line.
    static QString fromMarkup(const QString& text);
    // The one line shown for literal text (frame bytes): control characters become blanks and
    // the closing carriage return goes.
    static QString fromPlain(QString text);

    // Appends each line, in order, at the end of the console, in one edit.
    static void append(QPlainTextEdit* edit, const QList<Line>& lines);
};
