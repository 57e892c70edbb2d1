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

} // namespace

void ConsoleText::append(QTextDocument* doc, const QString& html, bool red)
{
    // The limit also turns the undo history off, which would otherwise grow with every line.
    if (doc->maximumBlockCount() != MaxLines)
        doc->setMaximumBlockCount(MaxLines);

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
    doc->setMaximumBlockCount(MaxLines);
}
