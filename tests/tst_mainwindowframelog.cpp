#include "displaytext.h"
#include "framelogmodel.h"
#include "framestore.h"
#include "lcdview.h"
#include "logclipboard.h"
#include "logsearch.h"
#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "navicontrols.h"
#include "plaintextdelegate.h"
#include "remotedisplay.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <numeric>
#include <tuple>

using namespace MainWindowTestKit;

namespace {

// A logged record as the window stores it, at a chosen time.
FrameRecord logged(char cmd, const QByteArray& payload, qint64 timeUs)
{
    FrameRecord record =
        FrameRecord::fromFrame(frame(cmd, 1, payload), FrameRecord::Received, timeUs);
    record.logged = true;
    return record;
}

void deliverBatch(MainWindow* window, const QList<QByteArray>& frames)
{
    QList<LinkFrame> batch;
    for (const QByteArray& frame : frames)
        batch.append({frame, LinkFrame::nowUs()});
    emit window->serialLink()->framesReceived(batch);
}

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject
{
public:
    QHash<QObject*, int> paints;
    void watch(QWidget* widget) { widget->installEventFilter(this); }
    int total() const { return std::accumulate(paints.cbegin(), paints.cend(), 0); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
};

// A log of any length that costs nothing to hold: row r shows the letter 'V' when r % 100000
// is 7, 'v' when it is 9, 'D' otherwise, the address "FC" and the data r % 1000. Rows can be
// appended and dropped from the front, as the frame log's are.
class LargeLog : public QAbstractTableModel
{
public:
    explicit LargeLog(int rows) : rows_(rows) {}
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : FrameLogModel::ColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const int r = index.row() + first_;
        switch (index.column()) {
        case FrameLogModel::CmdColumn:
            return r % 100000 == 7 ? "V" : r % 100000 == 9 ? "v" : "D";
        case FrameLogModel::DataColumn:
            return QString::number(r % 1000);
        case FrameLogModel::AddressColumn:
            return "FC";
        default:
            return QString::number(r);
        }
    }
    void append(int count)
    {
        beginInsertRows({}, rows_, rows_ + count - 1);
        rows_ += count;
        endInsertRows();
    }
    void dropFront(int count)
    {
        beginRemoveRows({}, 0, count - 1);
        rows_ -= count;
        first_ += count;
        endRemoveRows();
    }

private:
    int rows_;
    int first_ = 0;
};

} // namespace

// The frame log: the model over a store alone (rows, numbering, time, hex, dropping and
// clearing), then in the real window: which frames are logged and how, batches, bad frames
// and their rate limit, frames the window had no time for, the command filter, "Hex" and
// "Clear".
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

    void cellTextIsCutToItsWidth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("chars"); // the cell's width in characters
        QTest::addColumn<QString>("shown");

        QTest::newRow("fits") << "Flight Ctrl" << 11 << "Flight Ctrl";
        QTest::newRow("room to spare") << "D" << 5 << "D";
        QTest::newRow("one too long") << "Flight Ctrl" << 10 << "Flight Ct\u2026";
        QTest::newRow("data cut short") << "..u.........A...}" << 6 << "..u..\u2026";
        QTest::newRow("room for the ellipsis only") << "abc" << 1 << "\u2026";
        QTest::newRow("no room") << "abc" << 0 << "";
        QTest::newRow("empty") << "" << 0 << "";
    }

    void cellTextIsCutToItsWidth()
    {
        QFETCH(QString, text);
        QFETCH(int, chars);
        QFETCH(QString, shown);
        QFont font(QStringLiteral("Monospace"));
        font.setStyleHint(QFont::TypeWriter);
        const QFontMetrics metrics(font);
        if (!QFontInfo(font).fixedPitch())
            QSKIP("no fixed-pitch font on this system");
        const int width = chars * metrics.horizontalAdvance(QLatin1Char('0'));
        QCOMPARE(PlainTextDelegate::fitted(text, metrics, width, true), shown);
        // Whatever the pitch, what is shown fits.
        const QString proportional = PlainTextDelegate::fitted(text, metrics, width, false);
        QVERIFY(metrics.horizontalAdvance(proportional) <= width);
        QVERIFY(proportional == text || proportional.endsWith(QChar(0x2026)) ||
                proportional.isEmpty());
    }

    void remoteDisplayShowsTheNewestScreen()
    {
        RemoteDisplay* display = window_->naviControls()->remoteDisplay();
        display->show();
        const auto screen = [](const QString& first) {
            QByteArray payload;
            for (const QString& line :
                 {first, QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")})
                payload += line.leftJustified(DisplayText::kColumns).toLatin1();
            return payload;
        };
        // Two screens in one batch, among other frames: the newer one is shown, read from the
        // store after the batch.
        deliverBatch(window_.get(), {frame('H', 2, screen(QStringLiteral("older"))),
                                     frame('D', 1, QByteArray(66, '\x01')),
                                     frame('H', 2, screen(QStringLiteral("Navi-Ctrl")))});
        const QStringList lines = display->view()->lines();
        QCOMPARE(lines.size(), DisplayText::kLines);
        QCOMPARE(lines.first().trimmed(), QStringLiteral("Navi-Ctrl"));
        QCOMPARE(lines.last().trimmed(), QStringLiteral("4"));
    }

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

        // Every frame is stored, logged or not.
        QCOMPARE(window_->frameStore()->size(), 1);
        QCOMPARE(window_->frameStore()->at(0).logged, !row.isEmpty());
        if (row.isEmpty()) {
            QCOMPARE(rowCount(window_.get()), 0);
            // Past the moment an echo would have been shown.
            QTest::qWait(2 * MainWindow::kConsoleStreamIntervalMs);
            QCOMPARE(consoleLines(window_.get()).size(), linesBefore);
            return;
        }
        QCOMPARE(rowCount(window_.get()), 1);
        QCOMPARE(rowTexts(window_.get(), 0), row);
        const FrameLogModel* model = window_->frameLogModel();
        for (const int column : {FrameLogModel::NumberColumn, FrameLogModel::TimeColumn,
                                 FrameLogModel::CmdColumn, FrameLogModel::AddressColumn})
            QCOMPARE(model->index(0, column).data(Qt::TextAlignmentRole).toInt(),
                     int(Qt::AlignHCenter));
        QCOMPARE(model->index(0, FrameLogModel::TimeColumn).data().toString(), "0.000");
        // The raw frame is echoed in the console in the default colour.
        QTRY_COMPARE(consoleLines(window_.get()).size(), linesBefore + 1);
        const QStringList lines = consoleLines(window_.get());
        QCOMPARE(lines.last(), QString::fromLatin1(bytes).chopped(1));
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
        QTest::newRow("bare carriage return") << QByteArray("\r") << "Bad crc check in frame: "
                                              << "cmd= address=0 data=''";
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
        QCOMPARE(red.at(0), first);
        if (second.endsWith("data='"))
            QVERIFY2(red.at(1).startsWith(second), qPrintable(red.at(1)));
        else
            QCOMPARE(red.at(1), second);
        QCOMPARE(rowCount(window_.get()), 0);
        // Stored as received, with its verdict.
        QCOMPARE(window_->frameStore()->size(), 1);
        QCOMPARE(window_->frameStore()->at(0).bytes, bytes);
        QVERIFY(!window_->frameStore()->at(0).good);
    }

    void hexSwitchRerendersEveryRow()
    {
        QCheckBox* hex = window_->findChild<QCheckBox*>(QStringLiteral("checkBoxHex_"));
        const QByteArray payload("ABC");
        deliverFrame(window_.get(), frame('V', 1, payload));
        deliverFrame(window_.get(), frame('V', 1, payload));
        QCOMPARE(rowCount(window_.get()), 2);
        hex->click();
        deliverFrame(window_.get(), frame('V', 1, payload));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(rowTexts(window_.get(), row).at(3), QStringLiteral("41 42 43 "));
        hex->click();
        for (int row = 0; row < 3; ++row)
            QCOMPARE(rowTexts(window_.get(), row).at(3), QStringLiteral("ABC"));
    }

    void clearEmptiesAllPanesAndRestartsNumbering()
    {
        for (int i = 0; i < 3; ++i)
            deliverFrame(window_.get(), frame('D', 1, QByteArray(6, char('a' + i))));
        tree(window_.get())->addTopLevelItem(new QTreeWidgetItem(QStringList{"stale"}));
        QCOMPARE(rowCount(window_.get()), 3);
        // One more, logged but not yet announced when "Clear" comes.
        deliverFrame(window_.get(), frame('D', 1, "late"));

        window_->findChild<QPushButton*>(QStringLiteral("clearPushButton_"))->click();
        QCOMPARE(rowCount(window_.get()), 0);
        QVERIFY(window_->frameStore()->isEmpty());
        QCOMPARE(tree(window_.get())->topLevelItemCount(), 0);
        QVERIFY(consoleLines(window_.get()).isEmpty());

        deliverFrame(window_.get(), frame('V', 1, "one"));
        deliverFrame(window_.get(), frame('D', 1, "two"));
        QCOMPARE(rowCount(window_.get()), 2);
        QCOMPARE(rowTexts(window_.get(), 0), (QStringList{"0", "V", "Flight Ctrl", "one"}));
        QCOMPARE(rowTexts(window_.get(), 1), (QStringList{"1", "D", "Flight Ctrl", "two"}));
        QTRY_COMPARE(consoleLines(window_.get()).size(), 2);

        // Selecting a row after clearing decodes the new frame, not an old one.
        selectRow(window_.get(), 1);
        QTRY_VERIFY(tree(window_.get())->topLevelItemCount() > 0);
        QVERIFY(!tree(window_.get())
                     ->findItems(QStringLiteral("cmd: D"), Qt::MatchExactly | Qt::MatchRecursive)
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
            const int rows = rowCount(window_.get());
            deliverFrame(window_.get(), frame(letter, 1, "x"));
            QCOMPARE(rowCount(window_.get()) - rows, filter.contains(QLatin1Char(letter)) ? 1 : 0);
        }
        QCOMPARE(storedFilter(), filter);
    }

    void lettersWithoutBoxLastUntilTheFirstClick()
    {
        // 'N' is in the default filter but the definitions give it no check box.
        deliverFrame(window_.get(), frame('N', 1, "abc"));
        QCOMPARE(rowCount(window_.get()), 1);
        QCheckBox* box = filterBox(QStringLiteral("V"));
        QVERIFY(box);
        box->click();
        box->click();
        deliverFrame(window_.get(), frame('N', 1, "abc"));
        QCOMPARE(rowCount(window_.get()), 1);
        QCOMPARE(storedFilter(), QStringLiteral("ADVk"));
    }

    // The model over a small store, without a window.
    // The search reads a million rows in slices, reports its first match before it ends and
    // counts every match: none, all, a letter (exactly, with case), a part of the data.
    void searchCountsMatchesInSlices_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("matches");
        QTest::addColumn<int>("firstMatch");

        int containing12 = 0;
        for (int i = 0; i < 1000; ++i)
            containing12 += QString::number(i).contains(QLatin1String("12"));
        const int data = FrameLogModel::DataColumn;
        QTest::newRow("nothing") << "x" << data << 0 << -1;
        QTest::newRow("empty pattern") << "" << LogSearch::AllColumns << 0 << -1;
        QTest::newRow("everything") << "fc" << LogSearch::AllColumns << 1000000 << 0;
        QTest::newRow("letter V, not v") << "V" << int(FrameLogModel::CmdColumn) << 10 << 7;
        QTest::newRow("letter v, not V") << "v" << int(FrameLogModel::CmdColumn) << 10 << 9;
        QTest::newRow("part of the data") << "12" << data << containing12 * 1000 << 12;
    }
    void searchCountsMatchesInSlices()
    {
        QFETCH(QString, pattern);
        QFETCH(int, column);
        QFETCH(int, matches);
        QFETCH(int, firstMatch);

        LargeLog log(1000000);
        LogSearch search(&log);
        QSignalSpy first(&search, &LogSearch::firstMatch);
        QSignalSpy progress(&search, &LogSearch::progress);
        QSignalSpy finished(&search, &LogSearch::finished);
        search.start(pattern, column, FrameLogModel::CmdColumn);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 120000);
        QCOMPARE(finished.at(0).at(0).toInt(), matches);
        QCOMPARE(search.matchCount(), matches);
        QCOMPARE(first.count(), firstMatch < 0 ? 0 : 1);
        if (firstMatch >= 0)
            QCOMPARE(first.at(0).at(0).toInt(), firstMatch);
        // An empty pattern searches nothing at all.
        if (!pattern.isEmpty()) {
            QVERIFY2(progress.count() > 1, "the rows were read in one go");
            QCOMPARE(progress.constLast().at(0).toInt(), 1000000);
        }
    }

    // Next and previous wrap around; matches follow rows dropped at the front and rows added.
    void searchFollowsTheLog()
    {
        LargeLog log(250000);
        LogSearch search(&log);
        QSignalSpy finished(&search, &LogSearch::finished);
        search.start(QStringLiteral("V"), FrameLogModel::CmdColumn, FrameLogModel::CmdColumn);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(std::vector<int>(search.matches()), (std::vector<int>{7, 100007, 200007}));
        QCOMPARE(search.next(7), 100007);
        QCOMPARE(search.next(200007), 7);
        QCOMPARE(search.previous(7), 200007);
        QCOMPARE(search.previous(100000), 7);
        QCOMPARE(search.indexOf(100007), 1);
        QCOMPARE(search.indexOf(100008), -1);

        log.dropFront(100000); // row 100007 is now row 7
        QCOMPARE(std::vector<int>(search.matches()), (std::vector<int>{7, 100007}));
        log.append(100000); // brings original row 300007, now row 200007
        QTRY_COMPARE(finished.count(), 2);
        QCOMPARE(std::vector<int>(search.matches()), (std::vector<int>{7, 100007, 200007}));
        search.cancel();
        QCOMPARE(search.next(0), -1);
    }

    // Sent requests join the log only when asked for, marked; copying gives the shown table
    // with its header, the frames' bytes in hex, or the frames as they crossed the line.
    void sentRequestsAndCopying()
    {
        FrameStore store;
        FrameLogModel model(&store);
        const qint64 start = 1'700'000'000'000'000;
        store.append(logged('V', "ab", start));
        FrameRecord sent =
            FrameRecord::fromFrame(frame('v', 1, QByteArray()), FrameRecord::Sent, start + 500000);
        store.append(std::move(sent));
        store.append(logged('D', "cd", start + 1000000));
        model.announcePending();
        QCOMPARE(model.rowCount(), 2);

        model.setShowSent(true);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(1, FrameLogModel::NumberColumn).data().toString(),
                 QString::fromUtf8("1 \u2192"));
        QCOMPARE(model.index(2, FrameLogModel::NumberColumn).data().toString(), "2");
        store.append(
            FrameRecord::fromFrame(frame('d', 1, "x"), FrameRecord::Sent, start + 2000000));
        model.announcePending();
        QCOMPARE(model.rowCount(), 4);

        const QString table = LogClipboard::text(model, {0, 2}, LogClipboard::Table);
        const QStringList lines = table.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 4); // header, two rows, the empty end
        QCOMPARE(lines.at(0), "No.\tTime\tCmd\tAddress\tData");
        QCOMPARE(lines.at(2).split(QLatin1Char('\t')).mid(2, 1), QStringList{"D"});
        QCOMPARE(lines.at(2).count(QLatin1Char('\t')), 4);
        const QByteArray vFrame = frame('V', 1, "ab");
        QCOMPARE(LogClipboard::text(model, {0}, LogClipboard::Hex),
                 QString::fromLatin1(vFrame.toHex(' ')) + "\n");
        QCOMPARE(
            LogClipboard::text(model, {0, 1}, LogClipboard::Frames),
            QString::fromLatin1(vFrame.chopped(1) + "\n" + frame('v', 1, {}).chopped(1) + "\n"));

        model.setShowSent(false);
        QCOMPARE(model.rowCount(), 2);
    }

    void modelFollowsTheStore_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("frames"); // appended one a time, every third not logged
        QTest::addColumn<int>("rows");   // rows afterwards
        QTest::addColumn<QString>("firstNumber");

        QTest::newRow("below capacity") << 100 << 30 << 20 << "0";
        // Capacity 20 drops one record at a time: of 40 records the 20 newest are kept, 13 of
        // them logged; 14 logged rows went before them.
        QTest::newRow("oldest dropped, numbers kept") << 20 << 40 << 13 << "14";
        QTest::newRow("every record but the newest dropped") << 1 << 10 << 1 << "6";
        QTest::newRow("nothing logged left") << 1 << 9 << 0 << "";
    }
    void modelFollowsTheStore()
    {
        QFETCH(int, capacity);
        QFETCH(int, frames);
        QFETCH(int, rows);
        QFETCH(QString, firstNumber);

        FrameStore store(nullptr, capacity);
        FrameLogModel model(&store);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        const qint64 start = 1'700'000'000'000'000;
        for (int i = 0; i < frames; ++i) {
            FrameRecord record = logged('D', QByteArray::number(i), start + i * 1'234'567);
            record.logged = i % 3 != 2;
            store.append(std::move(record));
            // Announced in between now and then, as the timer would.
            if (i % 4 == 0)
                model.announcePending();
        }
        model.announcePending();
        QCOMPARE(model.rowCount(), rows);
        QCOMPARE(model.index(0, FrameLogModel::NumberColumn).data().toString(), firstNumber);
        QVERIFY(inserted.count() > 0);
        // Numbers run on without gaps, each row shows its own record.
        for (int row = 0; row < rows; ++row) {
            QCOMPARE(model.index(row, FrameLogModel::NumberColumn).data().toString(),
                     QString::number(firstNumber.toInt() + row));
            const FrameRecord& record = store.at(model.storeIndex(row));
            QVERIFY(record.logged);
            const QString shown = model.index(row, FrameLogModel::DataColumn).data().toString();
            QVERIFY2(shown.startsWith(QString::number((record.timeUs - start) / 1'234'567)),
                     qPrintable(shown));
        }
        QVERIFY(model.storeIndex(rows) < 0);
        QVERIFY(!model.index(rows, 0).data().isValid());

        store.clear();
        QCOMPARE(model.rowCount(), 0);
        store.append(logged('V', "x", start));
        model.announcePending();
        QCOMPARE(model.index(0, FrameLogModel::NumberColumn).data().toString(), "0");
    }

    // The store packs frames into shared chunks: every kept frame comes back whole, with its
    // own time and flags, across chunk borders, oversized frames, drops and a clear.
    void storeKeepsEveryFrameWhole_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QList<int>>("lengths"); // of the frames appended, in order
        QTest::addColumn<bool>("batch");         // appended as one batch, else one at a time

        QList<int> manyD(2000, 95); // fills several 64 KiB chunks
        QTest::newRow("many 'D' frames, oldest dropped") << 1000 << manyD << false;
        QTest::newRow("in one batch larger than the store") << 1000 << manyD << true;
        QTest::newRow("empty and one-byte frames") << 10 << QList<int>{0, 1, 0, 95, 1} << false;
        QTest::newRow("frame longer than a chunk")
            << 3 << QList<int>{95, 70000, 95, 200000, 95, 95} << false;
        QTest::newRow("only oversized frames") << 2 << QList<int>{70000, 70000, 70000} << true;
    }
    void storeKeepsEveryFrameWhole()
    {
        QFETCH(int, capacity);
        QFETCH(QList<int>, lengths);
        QFETCH(bool, batch);

        FrameStore store(nullptr, capacity);
        QList<FrameRecord> records;
        for (int i = 0; i < lengths.size(); ++i) {
            records << FrameRecord{1'000'000 + i,
                                   QByteArray(lengths.at(i), char('a' + i % 26)),
                                   char('A' + i % 26),
                                   quint8(i % 5),
                                   i % 2 ? FrameRecord::Sent : FrameRecord::Received,
                                   i % 3 == 0,
                                   i % 4 == 0};
        }
        for (const FrameRecord& record : std::as_const(records)) {
            if (!batch)
                store.append(record);
        }
        if (batch)
            store.append(records);
        const qsizetype first = records.size() - store.size();
        QVERIFY(store.size() > 0 && store.size() <= capacity);
        QCOMPARE(store.droppedCount(), qint64(first));
        const auto fields = [](const FrameRecord& r) {
            return std::make_tuple(r.bytes, r.timeUs, r.cmd, r.address, r.direction, r.good,
                                   r.logged);
        };
        for (qsizetype i = 0; i < store.size(); ++i) {
            const FrameRecord& want = records.at(first + i);
            QVERIFY2(fields(store.at(i)) == fields(want), qPrintable(QString::number(i)));
            QCOMPARE(store.timeUs(i), want.timeUs);
            QCOMPARE(store.isLogged(i), want.logged);
        }
        // A record taken out stays valid whatever the store does next.
        const FrameRecord kept = store.at(store.size() - 1);
        store.clear();
        store.append(records.constFirst());
        QCOMPARE(kept.bytes, records.constLast().bytes);
        QCOMPARE(store.size(), 1);
        QCOMPARE(store.at(0).bytes, records.constFirst().bytes);
    }

    void timeColumnCountsFromTheFirstFrame_data()
    {
        QTest::addColumn<qint64>("offsetUs");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first frame") << qint64(0) << "0.000";
        QTest::newRow("rounded to milliseconds") << qint64(1'234'567) << "1.235";
        QTest::newRow("an hour") << qint64(3'600'000'400) << "3600.000";
    }
    void timeColumnCountsFromTheFirstFrame()
    {
        QFETCH(qint64, offsetUs);
        QFETCH(QString, shown);
        FrameStore store;
        FrameLogModel model(&store);
        const qint64 start =
            QDateTime(QDate(2026, 12, 8), QTime(5, 12, 1, 123), Qt::UTC).toMSecsSinceEpoch() * 1000;
        // A sent request opens the session; it has no row.
        FrameRecord request = logged('v', "", start);
        request.direction = FrameRecord::Sent;
        request.logged = false;
        store.append(request);
        store.append(logged('V', "x", start + offsetUs));
        model.announcePending();
        QCOMPARE(model.rowCount(), 1);
        const QModelIndex time = model.index(0, FrameLogModel::TimeColumn);
        QCOMPARE(time.data().toString(), shown);
        QCOMPARE(time.data(Qt::ToolTipRole).toString(),
                 QDateTime::fromMSecsSinceEpoch(start / 1000 + offsetUs / 1000)
                     .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
    }

    void rowsAreAnnouncedInBatches()
    {
        QSignalSpy inserted(window_->frameLogModel(), &QAbstractItemModel::rowsInserted);
        QSignalSpy appended(window_->frameStore(), &FrameStore::appended);
        QList<QByteArray> batch;
        for (int i = 0; i < 50; ++i)
            batch.append(frame('D', 1, QByteArray::number(i)));
        deliverBatch(window_.get(), batch);
        deliverBatch(window_.get(), batch);
        // One store append per batch; no row yet, then all of them in one announcement.
        QCOMPARE(appended.count(), 2);
        QCOMPARE(window_->frameLogModel()->rowCount(), 0);
        QTRY_COMPARE(inserted.count(), 1);
        QCOMPARE(window_->frameLogModel()->rowCount(), 100);
        QCOMPARE(rowTexts(window_.get(), 99), (QStringList{"99", "D", "Flight Ctrl", "49."}));
        QTRY_COMPARE(consoleLines(window_.get()).filter(QStringLiteral("#bD")).size(), 100);
    }

    void growingLogRepaintsOnlyWhatChanged_data()
    {
        QTest::addColumn<int>("rows"); // rows logged before
        QTest::addColumn<bool>("tablePainted");
        QTest::newRow("rows appended out of sight") << 400 << false;
        QTest::newRow("rows appended in sight") << 2 << true;
    }

    // On a busy link the table and console grow several times a second: the table repaints
    // only for rows the user can see, and the console's scroll bars only when they look
    // different, while both still show every row and line.
    void growingLogRepaintsOnlyWhatChanged()
    {
        QFETCH(int, rows);
        QFETCH(bool, tablePainted);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QTableView* table = window_->findChild<QTableView*>(QStringLiteral("tableWidgetFrame_"));
        QPlainTextEdit* edit = console(window_.get());
        const auto deliver = [this](int count) {
            QList<QByteArray> batch;
            for (int i = 0; i < count; ++i)
                batch.append(frame('D', 1, QByteArray::number(i).repeated(40)));
            deliverBatch(window_.get(), batch);
            window_->frameLogModel()->announcePending();
            QTest::qWait(50);
        };
        deliver(rows);
        // Scrolled away from the end, the table no longer follows new rows.
        if (!tablePainted)
            table->scrollToTop();

        PaintCounter counter;
        counter.watch(table->viewport());
        counter.watch(edit->verticalScrollBar());
        counter.watch(edit->horizontalScrollBar());
        // The first rows are painted: a tenth of a second passes without a repaint.
        for (int before = -1; before != counter.total();) {
            before = counter.total();
            QTest::qWait(100);
        }
        counter.paints.clear();
        // Setting the same model again changes nothing.
        table->setModel(window_->frameLogModel());
        deliver(5);
        QTRY_COMPARE(window_->frameLogModel()->rowCount(), rows + 5);
        QTRY_COMPARE(consoleLines(window_.get()).filter(QStringLiteral("#bD")).size(), rows + 5);
        QCOMPARE(counter.paints.value(table->viewport()) > 0, tablePainted);
        if (!tablePainted) {
            // Long enough for every slider to be at its smallest: the bars look the same.
            QCOMPARE(counter.paints.value(edit->verticalScrollBar()), 0);
            QCOMPARE(counter.paints.value(edit->horizontalScrollBar()), 0);
        }
        // The table's bar reaches the new rows.
        table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
        const QModelIndex last = window_->frameLogModel()->index(rows + 4, 0);
        QVERIFY(table->viewport()->rect().contains(table->visualRect(last)));

        // Any other change of the rows repaints the table.
        window_->findChild<QCheckBox*>(QStringLiteral("checkBoxHex_"))->click();
        QTRY_VERIFY(counter.paints.value(table->viewport()) > 0);
    }

    // Frame echoes reach the console a few times a second, not per delivery, yet in arrival
    // order; any other line shows at once, after the echoes queued before it.
    void frameEchoesAreShownTogetherInOrder()
    {
        const QByteArray one = frame('V', 1, "one");
        const QByteArray two = frame('D', 1, "two");
        const QByteArray three = frame('D', 1, "three");
        const QStringList before = consoleLines(window_.get());
        deliverFrame(window_.get(), one);
        deliverFrame(window_.get(), two);
        QCOMPARE(consoleLines(window_.get()), before);
        const QStringList echoes{QString::fromLatin1(one).chopped(1),
                                 QString::fromLatin1(two).chopped(1)};
        QTRY_COMPARE(consoleLines(window_.get()), before + echoes);

        deliverFrame(window_.get(), three);
        window_->printConsoleError(QStringLiteral("event"));
        const QStringList lines = consoleLines(window_.get());
        QCOMPARE(lines.mid(lines.size() - 2),
                 (QStringList{QString::fromLatin1(three).chopped(1), QStringLiteral("event")}));
        QCOMPARE(redConsoleLines(window_.get()), QStringList{QStringLiteral("event")});
        // Nothing is left to come later.
        QTest::qWait(2 * MainWindow::kConsoleStreamIntervalMs);
        QCOMPARE(consoleLines(window_.get()), lines);
    }

    void badFrameReportsAreRateLimited()
    {
        QList<QByteArray> noise(20, QByteArray("\r"));
        deliverBatch(window_.get(), noise);
        const int reported = MainWindow::kBadFramesReported;
        QCOMPARE(redConsoleLines(window_.get()).size(), 2 * reported);
        // At the end of the second, one line counts the rest.
        QTRY_COMPARE(redConsoleLines(window_.get()).size(), 2 * reported + 1);
        QCOMPARE(redConsoleLines(window_.get()).last(),
                 QStringLiteral("… %1 more bad frames in the last second").arg(20 - reported));
        QCOMPARE(window_->frameStore()->size(), 20);

        // The next second starts afresh; a quiet one prints no count.
        deliverBatch(window_.get(), noise.mid(0, 2));
        QCOMPARE(redConsoleLines(window_.get()).size(), 2 * reported + 1 + 4);
        QTest::qWait(1200);
        QCOMPARE(redConsoleLines(window_.get()).size(), 2 * reported + 1 + 4);
    }

    void framesTheWindowCannotTakeAreStoredAndCounted()
    {
        auto* counter = window_->findChild<QLabel*>(QStringLiteral("notShownLabel_"));
        QVERIFY(counter);
        QVERIFY(counter->isHidden());
        const int excess = 250;
        QList<QByteArray> flood;
        for (int i = 0; i < SessionPipeline::kMaxBacklog + excess; ++i)
            flood.append(frame('D', 1, QByteArray::number(i)));
        deliverBatch(window_.get(), flood);

        // Every frame is in the store, in arrival order; the oldest beyond the backlog were
        // stored without being shown, and the status bar says how many.
        const FrameStore* store = window_->frameStore();
        QTRY_COMPARE(store->size(), flood.size());
        for (qsizetype i = 0; i < store->size(); ++i)
            QCOMPARE(store->at(i).bytes, flood.at(i));
        QTRY_COMPARE(rowCount(window_.get()), SessionPipeline::kMaxBacklog);
        QCOMPARE(rowTexts(window_.get(), 0).at(3), QString::number(excess));
        // Every logged frame is echoed in the console or counted: the console may skip the
        // oldest echoes of a backlog too.
        const auto echoed = [this] {
            return consoleLines(window_.get()).filter(QStringLiteral("#bD")).size();
        };
        QTRY_COMPARE(echoed() + window_->framesNotShown() - excess,
                     qint64(SessionPipeline::kMaxBacklog));
        QVERIFY(window_->framesNotShown() >= excess);
        QVERIFY(!counter->isHidden());
        QCOMPARE(counter->text(),
                 QStringLiteral("%1 frames not shown").arg(window_->framesNotShown()));

        window_->findChild<QPushButton*>(QStringLiteral("clearPushButton_"))->click();
        QCOMPARE(window_->framesNotShown(), 0);
        QVERIFY(counter->isHidden());
    }
};

QTEST_MAIN(TestMainWindowFrameLog)
#include "tst_mainwindowframelog.moc"
