#include "consoletext.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {
constexpr int kLineState = 1;
} // namespace

void ConsoleText::setUp(QPlainTextEdit* edit)
{
    edit->setReadOnly(true);
    edit->setUndoRedoEnabled(false);
    // Shaping (kerning, ligatures) changes nothing in the console's lines and is the dearest
    // step of laying them out; Qt still shapes a script that needs it.
    QFont font = edit->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    edit->setFont(font);
    // Appends keep to the cap themselves; the document's cap stays as a bound for any other
    // edit.
    edit->setMaximumBlockCount(MaxLines);
}

QString ConsoleText::fromMarkup(const QString& text)
{
    // Only a message that can hold a tag or an entity pays for the parser.
    if (!text.contains(QLatin1Char('<')) && !text.contains(QLatin1Char('&')))
        return fromPlain(text);
    // The message's own control characters first (a closing carriage return would become a
    // trailing blank), then those the markup makes (a <br> is a line separator).
    return fromPlain(QTextDocumentFragment::fromHtml(fromPlain(text)).toPlainText());
}

QString ConsoleText::fromPlain(QString text)
{
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0) || u == QChar::LineSeparator ||
            u == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return text;
}

void ConsoleText::append(QPlainTextEdit* edit, const QList<Line>& lines)
{
    if (lines.isEmpty())
        return;
    QTextDocument* doc = edit->document();
    QTextCharFormat plain;
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));

    // The oldest lines the batch pushes past the cap go first, in an edit of their own (an edit
    // that spans the whole document has the view drop the layout of every line). The
    // document's own cap would remove them after the batch, but it walks to each line with a
    // cursor move, which lays the line out first: at the cap that was a line's layout for every
    // line appended, for lines nobody sees. A removal by position lays nothing out.
    QList<Line> newest;
    if (lines.size() >= MaxLines) {
        // The batch alone fills the console.
        edit->clear();
        newest = lines.mid(lines.size() - MaxLines);
    } else if (const int excess = doc->blockCount() + int(lines.size()) - MaxLines; excess > 0) {
        QTextCursor oldest(doc);
        oldest.beginEditBlock();
        oldest.setPosition(doc->findBlockByNumber(excess).position(), QTextCursor::KeepAnchor);
        oldest.removeSelectedText();
        oldest.endEditBlock();
    }

    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    // A fresh document has one empty block that is no line yet: the first line goes into it
    // and marks it, so that a printed empty line is told apart from it.
    bool fresh =
        doc->blockCount() == 1 && doc->firstBlock().userState() != kLineState && doc->isEmpty();
    for (const Line& line : newest.isEmpty() ? lines : newest) {
        if (fresh)
            cursor.block().setUserState(kLineState);
        else
            cursor.insertBlock(QTextBlockFormat(), plain);
        fresh = false;
        cursor.insertText(line.text, line.red ? red : plain);
    }
    cursor.endEditBlock();
}
