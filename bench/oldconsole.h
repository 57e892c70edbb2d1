#pragma once

#include <QString>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace OldConsole {

// The console's former appender, kept as the baseline: one HTML insertion per line, a block
// format per paragraph, the oldest 1 000 lines dropped at 50 000.
inline void append(QTextEdit& edit, const QString& html, bool red)
{
    QTextDocument* doc = edit.document();
    if (doc->blockCount() >= 50000) {
        QTextCursor top(doc);
        top.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 1000);
        top.removeSelectedText();
    }
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat format;
    format.setTopMargin(1);
    if (!doc->isEmpty())
        cursor.insertBlock(format, QTextCharFormat());
    cursor.insertHtml(
        red ? QStringLiteral("<font color=\"#ff0000\">") + html + QStringLiteral("</font>") : html);
}

} // namespace OldConsole
