#include "consoletext.h"

#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Marks blocks that hold a console line, so that the empty block of a fresh document is told
// apart from a printed empty line.
constexpr int kLineState = 1;

QTextBlockFormat lineFormat()
{
    QTextBlockFormat format;
    format.setTopMargin(1);
    format.setBottomMargin(0);
    format.setLeftMargin(0);
    format.setRightMargin(0);
    format.setIndent(0);
    format.setTextIndent(0);
    return format;
}

// Removes the first `count` lines in one edit.
void dropOldest(QTextDocument* doc, int count)
{
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, count);
    cursor.removeSelectedText();
}

} // namespace

void ConsoleText::append(QTextDocument* doc, const QString& html, bool red)
{
    // The console is read-only; an undo history would only grow with every line.
    if (doc->isUndoRedoEnabled())
        doc->setUndoRedoEnabled(false);
    if (doc->blockCount() >= MaxLines)
        dropOldest(doc, doc->blockCount() - MaxLines + TrimLines);

    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    const bool fresh = doc->blockCount() == 1 && doc->firstBlock().userState() != kLineState &&
                       doc->firstBlock().length() <= 1;
    if (!fresh)
        cursor.insertBlock(lineFormat(), QTextCharFormat());

    if (red)
        cursor.insertHtml(QStringLiteral("<font color=\"#ff0000\">") + html +
                          QStringLiteral("</font>"));
    else
        cursor.insertHtml(html);

    // Set afterwards: inserting into the empty first block takes over the fragment's format.
    cursor.setBlockFormat(lineFormat());
    cursor.block().setUserState(kLineState);
}

void ConsoleText::clear(QTextDocument* doc)
{
    doc->clear();
}
