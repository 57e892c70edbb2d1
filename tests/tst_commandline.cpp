#include "capturereader.h"
#include "capturetesthelpers.h"
#include "capturewriter.h"
#include "mkhelper.h"
#include "serialtesthelpers.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The program as users and scripts run it: the command line without a window, and the window
// program ending on a signal while it records.

using namespace CaptureTestHelpers;

class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    // The program itself: headless export, errors naming the file, version.
    void commandLine()
    {
        const QString program = QStringLiteral(TOVRIK_PROGRAM);
        QVERIFY(QFile::copy(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"), dir_.filePath("mk.js")) ||
                QFile::exists(dir_.filePath("mk.js")));
        const QString capture = dir_.filePath(QStringLiteral("cli.mkcap"));
        {
            CaptureWriter writer;
            QVERIFY(writer.open(capture));
            for (int i = 0; i < 3; ++i)
                writer.writeFrame(record(frame('D', 1, debugPayload()), kT0 + i * 16'000));
        }
        const auto run = [&](const QStringList& args, QByteArray* err = nullptr) {
            QProcess process;
            process.setWorkingDirectory(dir_.path());
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
            process.setProcessEnvironment(env);
            process.start(program, args);
            process.waitForFinished(30000);
            if (err)
                *err = process.readAllStandardError();
            return std::make_pair(process.exitCode(), process.readAllStandardOutput());
        };
        const auto [rc, csv] = run({"--export-csv", capture});
        QCOMPARE(rc, 0);
        const QList<QByteArray> lines = csv.split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines.at(0).startsWith("time_s,address,cmd,Status flags[0],Status flags[1],Analog 0 (FC: nick angle),"));
        QVERIFY(lines.at(3).startsWith("0.032000,Flight Ctrl,D,0,0,-1000,"));

        const QString out = dir_.filePath(QStringLiteral("v.csv"));
        QCOMPARE(run({"--export-csv", capture, "--cmd", "V", "-o", out}).first, 0);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("time_s,address,cmd,Software major,"));

        QByteArray err;
        const QString junk = writeFile(QDir(dir_.path()), QStringLiteral("junk.mkcap"), "hello\n");
        QVERIFY(run({"--export-csv", junk}, &err).first != 0);
        QVERIFY2(err.contains(junk.toUtf8()), err.constData());
        QVERIFY(run({"--export-csv", capture, "--cmd", "DV"}, &err).first != 0);

        // GPX: no 'O' frame in this capture gives an empty track, still a whole document.
        const QString gpx = dir_.filePath(QStringLiteral("t.gpx"));
        QCOMPARE(run({"--export-gpx", capture, "-o", gpx}).first, 0);
        QFile track(gpx);
        QVERIFY(track.open(QIODevice::ReadOnly));
        QVERIFY(track.readAll().contains("<trkseg/>"));
        QVERIFY(run({"--export-gpx", junk}, &err).first != 0);
        QVERIFY2(err.contains(junk.toUtf8()), err.constData());
        QCOMPARE(run({"--version"}).second, QByteArray("Tovrik 0.41\n"));
    }

    // The window program recording a streaming device ends on SIGTERM like on Quit: exit code
    // 0 and a capture whose every line is whole.
    void terminationClosesTheRecording()
    {
        REQUIRE_SIMULATOR();
        Simulator sim;
        const QString port = sim.start({"--name", "term", "--flood", "200"});
        QVERIFY(!port.isEmpty());
        const QString capture = dir_.filePath(QStringLiteral("term.mkcap"));
        QProcess program;
        program.setWorkingDirectory(dir_.path());
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(TOVRIK_PROGRAM), {"--port", port, "--record", capture});
        QVERIFY(program.waitForStarted(10000));
        const auto frames = [&capture] {
            QFile file(capture);
            return file.open(QIODevice::ReadOnly) ? file.readAll().count(" < #bD") : 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(frames() >= 50, 20000);
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        CaptureReader reader;
        QList<FrameRecord> records;
        QVERIFY(reader.readAll(capture, records));
        QCOMPARE(reader.skippedLines(), 0);
        QVERIFY(records.size() >= 50);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
