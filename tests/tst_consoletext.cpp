#include "consoletext.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// The console's line appender on a bare document: colours, paragraph margins, markup and
// escaping, a fresh document after clearing, and the bounded scrollback.
class TestConsoleText : public QObject
{
    Q_OBJECT

private:
    static QColor colourOf(const QTextBlock& block)
    {
        QColor colour;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.hasProperty(QTextFormat::ForegroundBrush))
                colour = format.foreground().color();
        }
        return colour;
    }

private slots:
    void colourFollowsSeverity_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<bool>>("red");

        QTest::newRow("plain") << QStringList{"a"} << QList<bool>{false};
        QTest::newRow("red") << QStringList{"a"} << QList<bool>{true};
        QTest::newRow("red then plain") << QStringList{"a", "b"} << QList<bool>{true, false};
        QTest::newRow("plain red plain")
            << QStringList{"a", "b", "c"} << QList<bool>{false, true, false};
        QTest::newRow("red caller colour kept")
            << QStringList{"<font color=\"#0000ff\">x</font>", "y"} << QList<bool>{false, true};
    }
    void colourFollowsSeverity()
    {
        QFETCH(QStringList, texts);
        QFETCH(QList<bool>, red);
        QTextDocument doc;
        for (int i = 0; i < texts.size(); ++i)
            ConsoleText::append(&doc, texts.at(i), red.at(i));

        QCOMPARE(doc.blockCount(), texts.size());
        QTextBlock block = doc.begin();
        for (int i = 0; i < texts.size(); ++i, block = block.next()) {
            const QColor colour = colourOf(block);
            if (red.at(i))
                QCOMPARE(colour, QColor(255, 0, 0));
            else
                QVERIFY2(colour != QColor(255, 0, 0), qPrintable(block.text()));
        }
    }

    void everyLineHasTheParagraphMargins()
    {
        QTextDocument doc;
        ConsoleText::append(&doc, QStringLiteral("first"), false);
        ConsoleText::append(&doc, QStringLiteral("second"), true);
        ConsoleText::append(&doc, QString(), false);
        ConsoleText::append(&doc, QStringLiteral("fourth"), false);

        QCOMPARE(doc.blockCount(), 4);
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            const QTextBlockFormat format = block.blockFormat();
            QCOMPARE(format.topMargin(), 1.0);
            QCOMPARE(format.bottomMargin(), 0.0);
            QCOMPARE(format.leftMargin(), 0.0);
            QCOMPARE(format.rightMargin(), 0.0);
            QCOMPARE(format.indent(), 0);
            QCOMPARE(format.textIndent(), 0.0);
        }
        QCOMPARE(doc.toPlainText(), QStringLiteral("first\nsecond\n\nfourth"));
    }

    void markupOfCallersAndEscapedOutsideText_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("shown");

        QTest::newRow("bold markup") << "<b>bold</b> text"
                                     << "bold text";
        QTest::newRow("entity") << "a &amp; b"
                                << "a & b";
        QTest::newRow("escaped tag") << QString("<b>x</b>").toHtmlEscaped() << "<b>x</b>";
        QTest::newRow("escaped frame") << QString("#a<p>\r").toHtmlEscaped() << "#a<p>";
        QTest::newRow("escaped ampersand") << QString("&lt;").toHtmlEscaped() << "&lt;";
    }
    void markupOfCallersAndEscapedOutsideText()
    {
        QFETCH(QString, html);
        QFETCH(QString, shown);
        QTextDocument doc;
        ConsoleText::append(&doc, QStringLiteral("before"), false);
        ConsoleText::append(&doc, html, false);
        QCOMPARE(doc.blockCount(), 2);
        QCOMPARE(doc.lastBlock().text().trimmed(), shown);
    }

    void callerMarkupTakesEffect()
    {
        QTextDocument doc;
        ConsoleText::append(&doc, QStringLiteral("<b>bold</b>"), false);
        QTextCursor cursor(doc.firstBlock());
        cursor.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    }

    void clearedDocumentStartsAfresh()
    {
        QTextDocument doc;
        for (int i = 0; i < 5; ++i)
            ConsoleText::append(&doc, QString::number(i), i % 2);
        ConsoleText::clear(&doc);
        QVERIFY(doc.isEmpty());
        ConsoleText::append(&doc, QStringLiteral("again"), false);
        QCOMPARE(doc.blockCount(), 1);
        QCOMPARE(doc.toPlainText(), QStringLiteral("again"));
        QCOMPARE(doc.firstBlock().blockFormat().topMargin(), 1.0);
    }

    void emptyFirstLineIsKept()
    {
        QTextDocument doc;
        ConsoleText::append(&doc, QString(), false);
        ConsoleText::append(&doc, QStringLiteral("next"), false);
        QCOMPARE(doc.blockCount(), 2);
        QCOMPARE(doc.firstBlock().text(), QString());
    }

    void onlyTheNewestLinesAreKept_data()
    {
        QTest::addColumn<int>("total");
        QTest::newRow("just below the limit") << ConsoleText::MaxLines;
        QTest::newRow("one past the limit") << ConsoleText::MaxLines + 1;
        QTest::newRow("several trims") << ConsoleText::MaxLines + 2 * ConsoleText::TrimLines + 7;
    }
    void onlyTheNewestLinesAreKept()
    {
        QFETCH(int, total);
        QTextDocument doc;
        for (int i = 0; i < total; ++i)
            ConsoleText::append(&doc, QString::number(i), i % 7 == 0);

        const int kept = doc.blockCount();
        QVERIFY(kept <= ConsoleText::MaxLines);
        QVERIFY(kept > ConsoleText::MaxLines - ConsoleText::TrimLines);
        // The newest lines, in order, none lost between the oldest kept and the last.
        QCOMPARE(doc.lastBlock().text(), QString::number(total - 1));
        QCOMPARE(doc.firstBlock().text(), QString::number(total - kept));
        QCOMPARE(doc.findBlockByNumber(kept / 2).text(), QString::number(total - kept + kept / 2));
        QCOMPARE(doc.firstBlock().blockFormat().topMargin(), 1.0);
        QVERIFY(!doc.isUndoAvailable());
    }
};

QTEST_MAIN(TestConsoleText)
#include "tst_consoletext.moc"
