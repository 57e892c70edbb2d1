#include "mainwindow.h"
#include "mainwindowtestkit.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include <memory>

using namespace MainWindowTestKit;

// The frame log of the real window: which frames are logged and how, bad frames, the command
// filter and its check boxes, "Hex" and "Clear".
class TestMainWindowFrameLog : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window_;

    QCheckBox* filterBox(const QString& letter)
    {
        const auto boxes = window_->findChildren<QCheckBox*>();
        for (QCheckBox* box : boxes) {
            if (box->text() == letter)
                return box;
        }
        return nullptr;
    }

    // Closes the window (which stores its settings) and returns the stored command filter.
    QString storedFilter()
    {
        window_->close();
        return QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
            .value(QStringLiteral("cmdFilter"))
            .toString();
    }

private slots:
    void initTestCase() { QVERIFY(prepareEnvironment()); }

    void init()
    {
        clearSettings();
        window_ = std::make_unique<MainWindow>();
    }

    void cleanup() { window_.reset(); }

    void consoleFollowsNewLinesOnlyFromTheEnd()
    {
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QScrollBar* bar = console(window_.get())->verticalScrollBar();
        const auto print = [this](int count) {
            for (int i = 0; i < count; ++i)
                window_->printConsoleNoError(QStringLiteral("line %1").arg(i));
            QCoreApplication::processEvents();
        };
        print(300);
        QVERIFY(bar->maximum() > 0);
        QTRY_COMPARE(bar->value(), bar->maximum());

        // Scrolled up by the user: new lines leave the view where it is.
        bar->setValue(10);
        print(50);
        QCOMPARE(bar->value(), 10);
        QVERIFY(bar->maximum() > 10);

        // Back at the end: the view follows again.
        bar->setValue(bar->maximum());
        print(50);
        QTRY_COMPARE(bar->value(), bar->maximum());
    }

    void goodFramesAreLoggedByLetter_data()
    {
        QTest::addColumn<char>("cmd");
        QTest::addColumn<int>("address");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QStringList>("row"); // empty: not logged

        const QByteArray version("\x00\x5A\x0B\x00\x01\x00\x00\x00\x00\x00\x00\x00", 12);
        QTest::newRow("version from flight ctrl")
            << 'V' << 1 << version << false << QStringList{"0", "V", "Flight Ctrl", ".Z.........."};
        QTest::newRow("version in hex")
            << 'V' << 1 << version << true
            << QStringList{"0", "V", "Flight Ctrl", "00 5A 0B 00 01 00 00 00 00 00 00 00 "};
        QTest::newRow("printable text from navi ctrl")
            << 'D' << 2 << QByteArray("Hi }~\x1f") << false
            << QStringList{"0", "D", "Navi Ctrl", "Hi }.."};
        QTest::newRow("padding shows as dots")
            << 'k' << 3 << QByteArray("ab") << false << QStringList{"0", "k", "MK3MAG", "ab."};
        QTest::newRow("unknown address")
            << 'A' << 9 << QByteArray("xyz") << false << QStringList{"0", "A", "Unknown", "xyz"};
        QTest::newRow("empty payload")
            << 'N' << 1 << QByteArray() << false << QStringList{"0", "N", "Flight Ctrl", ""};
        QTest::newRow("letter outside the filter")
            << 'X' << 1 << QByteArray("abc") << false << QStringList{};
        QTest::newRow("filter is case-sensitive")
            << 'v' << 1 << QByteArray("abc") << false << QStringList{};
    }
    void goodFramesAreLoggedByLetter()
    {
        QFETCH(char, cmd);
        QFETCH(int, address);
        QFETCH(QByteArray, payload);
        QFETCH(bool, hex);
        QFETCH(QStringList, row);

        if (hex)
            window_->findChild<QCheckBox*>(QStringLiteral("checkBoxHex_"))->click();
        const int linesBefore = consoleLines(window_.get()).size();
        const QByteArray bytes = frame(cmd, address, payload);
        deliverFrame(window_.get(), bytes);

        if (row.isEmpty()) {
            QCOMPARE(table(window_.get())->rowCount(), 0);
            QCOMPARE(consoleLines(window_.get()).size(), linesBefore);
            return;
        }
        QCOMPARE(table(window_.get())->rowCount(), 1);
        QCOMPARE(rowTexts(window_.get(), 0), row);
        for (int column = 0; column < 3; ++column)
            QCOMPARE(table(window_.get())->item(0, column)->textAlignment(), int(Qt::AlignHCenter));
        // The raw frame is echoed in the console in the default colour.
        const QStringList lines = consoleLines(window_.get());
        QCOMPARE(lines.size(), linesBefore + 1);
        QCOMPARE(lines.last().trimmed(), QString::fromLatin1(bytes).trimmed());
        QVERIFY(redConsoleLines(window_.get()).isEmpty());
    }

    void badFramesGiveTwoRedLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second"); // whole line, or its start up to "data='"

        QByteArray corrupted = frame('V', 1, QByteArray("\x01\x02\x03", 3));
        corrupted[corrupted.size() - 2] = corrupted.at(corrupted.size() - 2) == '=' ? '>' : '=';
        QTest::newRow("wrong checksum")
            << corrupted
            << QStringLiteral("Bad crc check in frame: ") + QString::fromLatin1(corrupted).trimmed()
            << "cmd=V address=1 data='01 02 03 '";
        QTest::newRow("markup in the frame is shown literally")
            << QByteArray("#b<b>X</b>&amp;==\r") << "Bad crc check in frame: #b<b>X</b>&amp;=="
            << "cmd=< address=1 data='";
        QTest::newRow("too short for a command")
            << QByteArray("#b\r") << "Bad crc check in frame: #b"
            << "cmd= address=0 data=''";
        QTest::newRow("text ends at a zero byte")
            << QByteArray("#bV===\0===ab\r", 13) << "Bad crc check in frame: #bV==="
            << "cmd=V address=1 data='";
    }
    void badFramesGiveTwoRedLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, first);
        QFETCH(QString, second);

        deliverFrame(window_.get(), bytes);
        const QStringList red = redConsoleLines(window_.get());
        QCOMPARE(red.size(), 2);
        QCOMPARE(red.at(0).trimmed(), first);
        if (second.endsWith("data='"))
            QVERIFY2(red.at(1).startsWith(second), qPrintable(red.at(1)));
        else
            QCOMPARE(red.at(1), second);
        QCOMPARE(table(window_.get())->rowCount(), 0);
    }

    void hexSwitchAffectsOnlyNewRows()
    {
        QCheckBox* hex = window_->findChild<QCheckBox*>(QStringLiteral("checkBoxHex_"));
        const QByteArray payload("ABC");
        deliverFrame(window_.get(), frame('V', 1, payload));
        hex->click();
        deliverFrame(window_.get(), frame('V', 1, payload));
        hex->click();
        deliverFrame(window_.get(), frame('V', 1, payload));

        QCOMPARE(rowTexts(window_.get(), 0).at(3), QStringLiteral("ABC"));
        QCOMPARE(rowTexts(window_.get(), 1).at(3), QStringLiteral("41 42 43 "));
        QCOMPARE(rowTexts(window_.get(), 2).at(3), QStringLiteral("ABC"));
    }

    void clearEmptiesAllPanesAndRestartsNumbering()
    {
        for (int i = 0; i < 3; ++i)
            deliverFrame(window_.get(), frame('D', 1, QByteArray(6, char('a' + i))));
        tree(window_.get())->addTopLevelItem(new QTreeWidgetItem(QStringList{"stale"}));
        QCOMPARE(table(window_.get())->rowCount(), 3);

        window_->findChild<QPushButton*>(QStringLiteral("clearPushButton_"))->click();
        QCOMPARE(table(window_.get())->rowCount(), 0);
        QCOMPARE(tree(window_.get())->topLevelItemCount(), 0);
        QVERIFY(consoleLines(window_.get()).isEmpty());

        deliverFrame(window_.get(), frame('V', 1, "one"));
        deliverFrame(window_.get(), frame('D', 1, "two"));
        QCOMPARE(table(window_.get())->rowCount(), 2);
        QCOMPARE(rowTexts(window_.get(), 0), (QStringList{"0", "V", "Flight Ctrl", "one"}));
        QCOMPARE(rowTexts(window_.get(), 1), (QStringList{"1", "D", "Flight Ctrl", "two"}));
        QCOMPARE(consoleLines(window_.get()).size(), 2);

        // Selecting a row after clearing decodes the new frame, not an old one.
        table(window_.get())->selectRow(1);
        QTRY_VERIFY(tree(window_.get())->topLevelItemCount() > 0);
        QVERIFY(!tree(window_.get())
                     ->findItems(QStringLiteral("D"), Qt::MatchContains | Qt::MatchRecursive)
                     .isEmpty());
    }

    void filterClicksRebuildTheFilter_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("filter");

        QTest::newRow("default, no click") << QString() << QStringList{} << "VNPLAUDk";
        QTest::newRow("default, V off") << QString() << QStringList{"V"} << "ADk";
        QTest::newRow("hand-edited order kept") << "kDV" << QStringList{} << "kDV";
        QTest::newRow("click sorts ascending") << "kDV" << QStringList{"A"} << "ADVk";
        QTest::newRow("off and on again") << "D" << QStringList{"D", "D"} << "D";
        QTest::newRow("all off") << "VADk" << QStringList{"V", "A", "D", "k"} << "";
        QTest::newRow("from nothing") << "" << QStringList{"k", "A"} << "Ak";
    }
    void filterClicksRebuildTheFilter()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, clicks);
        QFETCH(QString, filter);

        if (!stored.isNull()) {
            window_.reset();
            QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
                .setValue(QStringLiteral("cmdFilter"), stored);
            window_ = std::make_unique<MainWindow>();
        }
        for (const char* letter : {"V", "A", "D", "k"}) {
            QVERIFY2(filterBox(QLatin1String(letter)), letter);
        }
        for (const QString& letter : clicks)
            filterBox(letter)->click();

        // Each letter of the four boxes is logged exactly when the filter holds it.
        for (const char letter : {'V', 'A', 'D', 'k'}) {
            const int rows = table(window_.get())->rowCount();
            deliverFrame(window_.get(), frame(letter, 1, "x"));
            QCOMPARE(table(window_.get())->rowCount() - rows,
                     filter.contains(QLatin1Char(letter)) ? 1 : 0);
        }
        QCOMPARE(storedFilter(), filter);
    }

    void lettersWithoutBoxLastUntilTheFirstClick()
    {
        // 'N' is in the default filter but the definitions give it no check box.
        deliverFrame(window_.get(), frame('N', 1, "abc"));
        QCOMPARE(table(window_.get())->rowCount(), 1);
        QCheckBox* box = filterBox(QStringLiteral("V"));
        QVERIFY(box);
        box->click();
        box->click();
        deliverFrame(window_.get(), frame('N', 1, "abc"));
        QCOMPARE(table(window_.get())->rowCount(), 1);
        QCOMPARE(storedFilter(), QStringLiteral("ADVk"));
    }
};

QTEST_MAIN(TestMainWindowFrameLog)
#include "tst_mainwindowframelog.moc"
