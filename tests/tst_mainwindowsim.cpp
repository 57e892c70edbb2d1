#include "capturereader.h"
#include "capturewriter.h"
#include "csvexport.h"
#include "framestore.h"
#include "linkstatistics.h"
#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "navicontrols.h"
#include "serialtesthelpers.h"
#include "sessionfiles.h"

#include <QAction>
#include <QBuffer>
#include <QDir>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using namespace MainWindowTestKit;

// End to end: the real window offscreen against the device simulator on a virtual port.
class TestMainWindowSim : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window_;
    Simulator sim_;
    QString port_;

    // Starts the simulator and connects the window to it.
    bool connectToSimulator(const QStringList& options = {})
    {
        port_ = sim_.start(QStringList{"--name", "sim", "--seed", "7"} + options);
        if (port_.isEmpty())
            return false;
        window_ = std::make_unique<MainWindow>();
        return connectTo(window_.get(), port_);
    }

    QToolButton* button(char letter) const
    {
        return window_->findChild<QToolButton*>(
            QStringLiteral("toolButton%1Cmd_").arg(QChar::fromLatin1(letter).toUpper()));
    }
    int rowsOf(char letter) const
    {
        int rows = 0;
        for (int row = 0; row < rowCount(window_.get()); ++row)
            rows += rowTexts(window_.get(), row).at(1) == QChar::fromLatin1(letter);
        return rows;
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("TOVRIK_MKSIM"))
            QSKIP("TOVRIK_MKSIM is not set: no device simulator to talk to");
        QVERIFY(prepareEnvironment());
    }

    void init() { clearSettings(); }

    void cleanup()
    {
        window_.reset();
        sim_.stop();
    }

    void connectsAndReportsTheDevice()
    {
        QVERIFY(connectToSimulator());
        const QStringList lines = consoleLines(window_.get());
        QVERIFY(lines.contains(QStringLiteral("Device %1 discovered").arg(port_)));
        QVERIFY(
            lines.contains(QStringLiteral("Serial device '%1' opened succesfully.").arg(port_)));
        QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Disconnect"));
    }

    void everyButtonGetsItsAnswer_data()
    {
        QTest::addColumn<char>("letter");
        for (const char letter : {'v', 'n', 'p', 'a', 'u', 'l', 'd'})
            QTest::newRow(QByteArray(1, letter).constData()) << letter;
    }
    void everyButtonGetsItsAnswer()
    {
        QFETCH(char, letter);
        QVERIFY(connectToSimulator());
        button(letter)->click();
        const char answer = QChar::fromLatin1(letter).toUpper().toLatin1();
        QTRY_VERIFY(rowsOf(answer) >= 1);

        int row = 0;
        while (rowTexts(window_.get(), row).at(1) != QChar::fromLatin1(answer))
            ++row;
        QCOMPARE(rowTexts(window_.get(), row).at(2), QStringLiteral("Flight Ctrl"));
        QVERIFY(!rowTexts(window_.get(), row).at(3).isEmpty());
        // The frame is echoed in the console as it came.
        const QString echo = QStringLiteral("#b") + QChar::fromLatin1(answer);
        QVERIFY(!consoleLines(window_.get()).filter(echo).isEmpty());
        QVERIFY(redConsoleLines(window_.get()).isEmpty());
    }

    // Junk in front of every frame: each frame is still logged as good, and the window says
    // once per burst how much noise it dropped.
    void noisyLineLosesNoFrame()
    {
        QVERIFY(connectToSimulator({"--noise", "1"}));
        window_->findChild<QSpinBox*>(QStringLiteral("spinBoxDCmd_"))->setValue(5);
        button('d')->click();
        QTRY_VERIFY(rowsOf('D') >= 10);
        const QRegularExpression noiseLine(
            QStringLiteral("^Line noise: \\d+ bytes dropped in front of frames$"));
        QTRY_VERIFY(!consoleLines(window_.get()).filter(noiseLine).isEmpty());
        // No bad frame: the noise lines are the only warnings.
        for (const QString& line : redConsoleLines(window_.get()))
            QVERIFY2(noiseLine.match(line).hasMatch(), qPrintable(line));
    }

    void debugRequestsStream()
    {
        QVERIFY(connectToSimulator());
        window_->findChild<QSpinBox*>(QStringLiteral("spinBoxDCmd_"))->setValue(5);
        button('d')->click();
        QTRY_VERIFY(rowsOf('D') >= 10);
        // Rows are numbered in order.
        for (int row = 0; row < rowCount(window_.get()); ++row)
            QCOMPARE(rowTexts(window_.get(), row).at(0), QString::number(row));
    }

    void rowsOfSeveralCommandsSideBySide()
    {
        QVERIFY(connectToSimulator());
        window_->resize(760, 720);
        window_->show();
        for (const char letter : {'v', 'p', 'l', 'u', 'n', 'd'})
            button(letter)->click();
        QTRY_VERIFY(rowsOf('D') >= 3);
        for (const char answer : {'V', 'P', 'L', 'U', 'N'})
            QTRY_COMPARE(rowsOf(answer), 1);
        selectRow(window_.get(), 0);
        QTRY_VERIFY(tree(window_.get())->topLevelItemCount() > 0);

        // For a look at the window: TOVRIK_SCREENSHOT names a PNG file to write.
        const QString shot = qEnvironmentVariable("TOVRIK_SCREENSHOT");
        if (!shot.isEmpty())
            QVERIFY(window_->grab().save(shot));
    }

    void labelCollectionGathersAllLabels()
    {
        QVERIFY(connectToSimulator());
        QSignalSpy ready(window_.get(), &MainWindow::labelsListReady);
        window_->rqGetLabelsList();
        QTRY_COMPARE(ready.count(), 1);
        const QStringList labels = ready.first().first().toStringList();
        QCOMPARE(labels.size(), 32);
        for (const QString& label : labels)
            QVERIFY(!label.trimmed().isEmpty());
        QCOMPARE(rowCount(window_.get()), 0);
    }

    void corruptFramesGiveRedLines()
    {
        QVERIFY(connectToSimulator({"--corrupt", "1"}));
        button('v')->click();
        QTRY_COMPARE(redConsoleLines(window_.get()).size(), 2);
        const QStringList red = redConsoleLines(window_.get());
        QVERIFY2(red.at(0).startsWith("Bad crc check in frame: #bV"), qPrintable(red.at(0)));
        QVERIFY2(red.at(1).startsWith("cmd=V address=1 data='"), qPrintable(red.at(1)));
        QCOMPARE(rowCount(window_.get()), 0);
    }

    void silentLabelsEndByTimeOut()
    {
        QVERIFY(connectToSimulator({"--drop-labels"}));
        QSignalSpy ready(window_.get(), &MainWindow::labelsListReady);
        window_->rqGetLabelsList();
        QTRY_VERIFY_WITH_TIMEOUT(!redConsoleLines(window_.get()).isEmpty(), 12000);
        QVERIFY(redConsoleLines(window_.get()).first().contains("abandoned"));
        QCOMPARE(ready.count(), 0);

        button('v')->click();
        QTRY_COMPARE(rowsOf('V'), 1);
    }

    // A session recorded to a capture, exported as CSV, then played back by the simulator.
    void recordsExportsAndReplaysASession()
    {
        QVERIFY(connectToSimulator());
        // A full disk refuses the recording with a red line; the session goes on.
        QAction* record = window_->findChild<QAction*>(QStringLiteral("actionRecord_"));
        QVERIFY(record);
        if (QFile::exists(QStringLiteral("/dev/full"))) {
            QVERIFY(!window_->sessionFiles()->startRecording(QStringLiteral("/dev/full")));
            QVERIFY(!redConsoleLines(window_.get()).filter(QStringLiteral("/dev/full")).isEmpty());
            QVERIFY(!record->isChecked());
        }
        const QString capture = QDir::current().filePath(QStringLiteral("session.mkcap"));
        QVERIFY(window_->sessionFiles()->startRecording(capture));
        QVERIFY(record->isChecked());
        QSignalSpy ready(window_.get(), &MainWindow::labelsListReady);
        window_->rqGetLabelsList();
        QTRY_COMPARE(ready.count(), 1);
        window_->findChild<QSpinBox*>(QStringLiteral("spinBoxDCmd_"))->setValue(5);
        button('d')->click();
        const FrameStore* store = window_->frameStore();
        const auto debugFrames = [store](qsizetype from = 0) {
            QList<QByteArray> frames;
            for (qsizetype i = from; i < store->size(); ++i) {
                const FrameRecord& r = store->at(i);
                if (r.direction == FrameRecord::Received && r.good && r.cmd == 'D')
                    frames << r.bytes;
            }
            return frames;
        };
        QTRY_VERIFY(debugFrames().size() >= 10);
        // The window's exports never write onto the file being recorded.
        QVERIFY(!window_->sessionFiles()->exportCsv(capture, 'D'));
        QVERIFY(!window_->naviControls()->exportGpx(capture));
        QCOMPARE(
            redConsoleLines(window_.get()).filter(QStringLiteral("the file being read")).size(), 2);
        connectButton(window_.get())->click(); // disconnect: an event line
        window_->sessionFiles()->stopRecording();

        CaptureReader reader;
        QList<FrameRecord> records;
        QList<CaptureReader::Event> events;
        QVERIFY2(reader.readAll(capture, records, &events), qPrintable(reader.errorString()));
        QCOMPARE(reader.skippedLines(), 0);
        // Frames still on their way when the link closed may reach the store later.
        QVERIFY(records.size() <= store->size());
        QList<QByteArray> recordedDebug;
        for (qsizetype i = 0; i < records.size(); ++i) {
            QCOMPARE(records.at(i).bytes, store->at(i).bytes);
            QCOMPARE(records.at(i).direction, store->at(i).direction);
            if (records.at(i).direction == FrameRecord::Received && records.at(i).good &&
                records.at(i).cmd == 'D')
                recordedDebug << records.at(i).bytes;
        }
        QVERIFY(recordedDebug.size() >= 10);
        QStringList eventTexts;
        for (const CaptureReader::Event& event : events)
            eventTexts << event.text;
        QCOMPARE(eventTexts.first(), QStringLiteral("recording started"));
        QVERIFY(eventTexts.contains(QStringLiteral("disconnected")));

        QBuffer out;
        QVERIFY(out.open(QIODevice::WriteOnly));
        CsvExport csv(window_->frameModels(), 'D', &out);
        for (const FrameRecord& record : records)
            csv.add(record);
        QVERIFY(csv.finish());
        QCOMPARE(csv.rowCount(), recordedDebug.size());
        const QList<QByteArray> header = out.data().left(out.data().indexOf('\r')).split(',');
        QCOMPARE(header.size(), 3 + 2 + 32);
        QCOMPARE(QString::fromUtf8(header.at(5)),
                 ready.first().first().toStringList().first().trimmed());
        // The window's own export of the session's log writes the same rows and labels.
        const QString windowCsv = QDir::current().filePath(QStringLiteral("window.csv"));
        QVERIFY(window_->sessionFiles()->exportCsv(windowCsv, 'D'));
        QFile written(windowCsv);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray rows = written.readAll();
        QCOMPARE(rows.left(rows.indexOf('\r')), out.data().left(out.data().indexOf('\r')));
        QCOMPARE(rows.count('\n') - 1, debugFrames().size());

        // Opened in the window, the capture shows its good received frames in the frame log.
        int goodReceived = 0;
        for (const FrameRecord& record : records)
            goodReceived += record.direction == FrameRecord::Received && record.good;
        QVERIFY(window_->sessionFiles()->openCapture(capture));
        QTRY_COMPARE(rowCount(window_.get()), goodReceived);

        // The simulator plays the recorded frames back once the program asks for anything.
        Simulator player;
        const QString replayPort = player.start({"--name", "player", "--replay", capture});
        QVERIFY(!replayPort.isEmpty());
        QVERIFY(connectTo(window_.get(), replayPort));
        // Connecting ends the capture's session: the device's frames start a new one.
        const qsizetype before = 0;
        QCOMPARE(store->size(), 0);
        button('v')->click();
        // The replay lasts as long as the recording did (a slow machine may stretch that).
        const int recordedMs = int((records.last().timeUs - records.first().timeUs) / 1000);
        const auto replayed = [&] {
            const QList<QByteArray> frames = debugFrames(before);
            return frames.mid(qMax<qsizetype>(0, frames.size() - recordedDebug.size()));
        };
        QTRY_COMPARE_WITH_TIMEOUT(replayed(), recordedDebug, recordedMs + 10000);
    }

    // Opening a capture while connected asks first: declined, the live session goes on
    // untouched; accepted, the device is disconnected and the capture alone is shown.
    void captureOpenedWhileConnected()
    {
        QVERIFY(connectToSimulator());
        QTemporaryDir dir;
        const QString capture = dir.filePath(QStringLiteral("short.mkcap"));
        {
            CaptureWriter writer;
            QVERIFY(writer.open(capture));
            for (int i = 0; i < 5; ++i)
                writer.writeFrame(FrameRecord::fromFrame(frame('V', 1, "capture"),
                                                         FrameRecord::Received,
                                                         1'796'000'000'000'000 + i * 1000));
            writer.close();
        }
        window_->findChild<QSpinBox*>(QStringLiteral("spinBoxDCmd_"))->setValue(5);
        button('d')->click();
        QTRY_VERIFY(rowsOf('D') >= 3);

        QStringList asked;
        window_->sessionFiles()->setConfirm([&asked](const QString& question) {
            asked << question;
            return false;
        });
        QVERIFY(!window_->sessionFiles()->openCapture(capture));
        QCOMPARE(asked.size(), 1);
        QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Disconnect"));
        const int liveRows = rowsOf('D');
        QTRY_VERIFY(rowsOf('D') > liveRows);

        window_->sessionFiles()->setConfirm([](const QString&) { return true; });
        QVERIFY(window_->sessionFiles()->openCapture(capture));
        QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
        QVERIFY(window_->windowTitle().contains(capture));
        // Whatever the device still had on its way stays out of the capture's session.
        QTest::qWait(300);
        QCOMPARE(rowCount(window_.get()), 5);
        QCOMPARE(rowsOf('D'), 0);
        QCOMPARE(window_->frameStore()->size(), 5);
    }

    // The simulator going away closes the link everywhere; started again under the same name,
    // it is reconnected by itself and answers.
    void simulatorExitAndRestartReconnects()
    {
        QVERIFY(connectToSimulator());
        QSignalSpy opened(window_.get(), &MainWindow::serialConnectionOpened);
        sim_.process().terminate();
        QVERIFY(sim_.process().waitForFinished(5000));

        QTRY_COMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
        QTRY_VERIFY(
            consoleLines(window_.get()).contains(QStringLiteral("Device %1 removed").arg(port_)));
        QCOMPARE(ports(window_.get())->findText(port_), -1);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toBool(), false);

        QCOMPARE(sim_.start({"--name", "sim", "--seed", "7"}), port_);
        QTRY_COMPARE_WITH_TIMEOUT(connectButton(window_.get())->text(),
                                  QStringLiteral("Disconnect"), 5000);
        QVERIFY(
            consoleLines(window_.get())
                .contains(QStringLiteral("Serial device '%1' reopened automatically.").arg(port_)));
        QCOMPARE(opened.count(), 2);
        QCOMPARE(opened.at(1).at(0).toBool(), true);
        button('v')->click();
        QTRY_COMPARE(rowsOf('V'), 1);
    }

    // What crossed the link is counted per letter, shown in the status bar and the Statistics
    // window, and "Clear" there starts afresh.
    void statisticsOfTheConversation()
    {
        QVERIFY(connectToSimulator());
        button('v')->click();
        button('p')->click();
        QTRY_COMPARE(rowsOf('P'), 1);
        QCOMPARE(rowsOf('V'), 1);

        LinkStatistics* stats = window_->linkStatistics();
        const qint64 now = FrameRecord::nowUs();
        int answered = 0;
        for (const LinkStatistics::Row& row : stats->rows(now)) {
            if (row.cmd == 'V' || row.cmd == 'P') {
                QCOMPARE(row.received, 1);
                QCOMPARE(row.answers, 1);
                QVERIFY(row.latencyMinUs >= 0 && row.latencyMinUs == row.latencyMaxUs);
                ++answered;
            }
            if (row.cmd == 'v' || row.cmd == 'p')
                QCOMPARE(row.sent, 1);
        }
        QCOMPARE(answered, 2);
        QCOMPARE(stats->totals(now).bad, 0);

        auto* status = window_->findChild<QLabel*>(QStringLiteral("linkStatusLabel_"));
        QTRY_VERIFY2(
            QRegularExpression(
                QStringLiteral("^rx [0-9.]+ k?B/s · ([1-9][0-9]*|[0-9]\\.[0-9]) frames/s · 0 bad$"))
                .match(status->text())
                .hasMatch(),
            qPrintable(status->text()));

        window_->findChild<QAction*>(QStringLiteral("actionStatistics_"))->trigger();
        auto* dialog = window_->findChild<QDialog*>(QStringLiteral("statisticsDialog_"));
        QVERIFY(dialog->isVisible());
        auto* view = dialog->findChild<QTableView*>(QStringLiteral("statisticsView_"));
        QStringList letters;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            letters << view->model()->index(row, 0).data().toString();
        QCOMPARE(letters, (QStringList{"P", "V", "p", "v"}));

        dialog->findChild<QPushButton*>(QStringLiteral("statisticsClear_"))->click();
        QCOMPARE(view->model()->rowCount(), 0);
        QCOMPARE(status->text(), QStringLiteral("rx 0 B/s · 0 frames/s · 0 bad"));
        QCOMPARE(stats->totals(FrameRecord::nowUs()).received, 0);
    }
};

QTEST_MAIN(TestMainWindowSim)
#include "tst_mainwindowsim.moc"
