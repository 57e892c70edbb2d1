#include "consoletext.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using Line = ConsoleText::Line;

// The console's lines on a bare plain-text console: colours, the one line shown for a message
// (markup of the program, escaped and literal outside text, control characters), a fresh
// console after clearing, one edit per batch and the bounded scrollback.
class TestConsoleText : public QObject
{
    Q_OBJECT

private:
    static bool isRed(const QTextBlock& block)
    {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().foreground().color() == QColor(255, 0, 0))
                return true;
        }
        return false;
    }

    static QStringList lines(const QPlainTextEdit& edit)
    {
        QStringList texts;
        for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next())
            texts.append(b.text());
        return texts;
    }

private slots:
    void colourFollowsSeverity_data()
    {
        QTest::addColumn<QList<bool>>("red");
        QTest::newRow("plain") << QList<bool>{false};
        QTest::newRow("red") << QList<bool>{true};
        QTest::newRow("red then plain") << QList<bool>{true, false};
        QTest::newRow("plain red plain") << QList<bool>{false, true, false};
    }
    void colourFollowsSeverity()
    {
        QFETCH(QList<bool>, red);
        QPlainTextEdit edit;
        ConsoleText::setUp(&edit);
        // Once as one batch, once line by line: the same lines either way.
        QList<Line> batch;
        for (int i = 0; i < red.size(); ++i)
            batch.append({QStringLiteral("line %1").arg(i), red.at(i)});
        ConsoleText::append(&edit, batch);
        for (const Line& line : batch)
            ConsoleText::append(&edit, {line});

        QCOMPARE(edit.document()->blockCount(), 2 * red.size());
        QTextBlock block = edit.document()->begin();
        for (int i = 0; i < 2 * red.size(); ++i, block = block.next()) {
            QCOMPARE(block.text(), QStringLiteral("line %1").arg(i % red.size()));
            QCOMPARE(isRed(block), red.at(i % red.size()));
        }
    }

    void oneLineShownPerMessage_data()
    {
        QTest::addColumn<bool>("markup");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");

        QTest::newRow("bold markup") << true << "<b>bold</b> text"
                                     << "bold text";
        QTest::newRow("entity") << true << "a &amp; b"
                                << "a & b";
        QTest::newRow("escaped tag") << true << QString("<b>x</b>").toHtmlEscaped() << "<b>x</b>";
        QTest::newRow("escaped ampersand") << true << QString("&lt;").toHtmlEscaped() << "&lt;";
        QTest::newRow("escaped frame ends at its carriage return")
            << true << QString("#a<p>\r").toHtmlEscaped() << "#a<p>";
        QTest::newRow("line break tag stays one line") << true << "a<br>b"
                                                       << "a b";
        QTest::newRow("no markup") << true << "plain, 100%"
                                   << "plain, 100%";
        QTest::newRow("literal markup shown as is") << false << "#b<b>X</b>&amp;==\r"
                                                    << "#b<b>X</b>&amp;==";
        QTest::newRow("line feed inside a frame") << false << "#bV\n==\r"
                                                  << "#bV ==";
        QTest::newRow("control bytes")
            << false << QString::fromLatin1("a\x01\x7f\x85\x1b[2Jb") << "a    [2Jb";
        QTest::newRow("high Latin-1 kept")
            << false << QString::fromLatin1("\xe4\xff") << QString::fromLatin1("\xe4\xff");
    }
    void oneLineShownPerMessage()
    {
        QFETCH(bool, markup);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QPlainTextEdit edit;
        ConsoleText::setUp(&edit);
        const QString line = markup ? ConsoleText::fromMarkup(text) : ConsoleText::fromPlain(text);
        ConsoleText::append(&edit, {{QStringLiteral("before"), false}, {line, false}});
        QCOMPARE(lines(edit), (QStringList{"before", shown}));
    }

    void clearedConsoleStartsAfresh()
    {
        QPlainTextEdit edit;
        ConsoleText::setUp(&edit);
        // An empty first line is a line, not the empty block of a fresh console.
        ConsoleText::append(&edit, {{QString(), false}});
        ConsoleText::append(&edit, {{QStringLiteral("next"), true}});
        QCOMPARE(lines(edit), (QStringList{"", "next"}));

        edit.clear();
        ConsoleText::append(&edit, {{QStringLiteral("again"), false}});
        QCOMPARE(lines(edit), QStringList{"again"});
        QVERIFY(!isRed(edit.document()->firstBlock()));
        QCOMPARE(edit.maximumBlockCount(), ConsoleText::MaxLines);
    }

    void aBatchIsOneEdit()
    {
        QPlainTextEdit edit;
        ConsoleText::setUp(&edit);
        ConsoleText::append(&edit, {{QStringLiteral("first"), false}});
        QSignalSpy changes(edit.document(), &QTextDocument::contentsChange);
        QList<Line> batch;
        for (int i = 0; i < 200; ++i)
            batch.append({QString::number(i), i % 3 == 0});
        ConsoleText::append(&edit, batch);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(edit.document()->blockCount(), 201);
        QVERIFY(!edit.document()->isUndoAvailable());
    }

    void onlyTheNewestLinesAreKept_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("batch");
        QTest::newRow("just below the limit") << ConsoleText::MaxLines << 1000;
        QTest::newRow("one past the limit") << ConsoleText::MaxLines + 1 << 1000;
        QTest::newRow("far past, large batches") << 3 * ConsoleText::MaxLines + 7 << 20000;
        QTest::newRow("one batch past the limit") << ConsoleText::MaxLines + 3 << 60000;
        QTest::newRow("batches of the limit") << 2 * ConsoleText::MaxLines << ConsoleText::MaxLines;
    }
    void onlyTheNewestLinesAreKept()
    {
        QFETCH(int, total);
        QFETCH(int, batch);
        QPlainTextEdit edit;
        ConsoleText::setUp(&edit);
        for (int first = 0; first < total; first += batch) {
            QList<Line> lines;
            for (int i = first; i < std::min(total, first + batch); ++i)
                lines.append({QString::number(i), i % 7 == 0});
            ConsoleText::append(&edit, lines);
        }
        const QTextDocument* doc = edit.document();
        QCOMPARE(doc->blockCount(), std::min(total, ConsoleText::MaxLines));
        // The newest lines, in order, none lost between the oldest kept and the last.
        const int kept = doc->blockCount();
        QCOMPARE(doc->lastBlock().text(), QString::number(total - 1));
        QCOMPARE(doc->firstBlock().text(), QString::number(total - kept));
        QCOMPARE(doc->findBlockByNumber(kept / 2).text(), QString::number(total - kept + kept / 2));
        QCOMPARE(isRed(doc->lastBlock()), (total - 1) % 7 == 0);
        QCOMPARE(isRed(doc->firstBlock()), (total - kept) % 7 == 0);
        QCOMPARE(isRed(doc->firstBlock().next()), (total - kept + 1) % 7 == 0);
    }
};

QTEST_MAIN(TestConsoleText)
#include "tst_consoletext.moc"
