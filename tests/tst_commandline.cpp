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

    // Runs the program without a display in the test's folder (where mk.js is).
    std::pair<int, QByteArray> run(const QStringList& args, QByteArray* err = nullptr)
    {
        QFile::copy(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"), dir_.filePath("mk.js"));
        QProcess process;
        process.setWorkingDirectory(dir_.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(TOVRIK_PROGRAM), args);
        process.waitForFinished(30000);
        if (err)
            *err = process.readAllStandardError();
        return std::make_pair(process.exitCode(), process.readAllStandardOutput());
    }

private slots:
    // The program itself: headless export, errors naming the file, version.
    void commandLine()
    {
        QVERIFY(QFile::copy(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"), dir_.filePath("mk.js")) ||
                QFile::exists(dir_.filePath("mk.js")));
        const QString capture = dir_.filePath(QStringLiteral("cli.mkcap"));
        {
            CaptureWriter writer;
            QVERIFY(writer.open(capture));
            for (int i = 0; i < 3; ++i)
                writer.writeFrame(record(frame('D', 1, debugPayload()), kT0 + i * 16'000));
        }
        const auto [rc, csv] = run({"--export-csv", capture});
        QCOMPARE(rc, 0);
        const QList<QByteArray> lines = csv.split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines.at(0).startsWith(
            "time_s,address,cmd,Status flags[0],Status flags[1],Analog 0 (FC: nick angle),"));
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
        QCOMPARE(run({"--version"}).second, QByteArray("Tovrik 0.41\n"));
    }

    // Parameter sets read into files and written back, with the reasons of a refusal.
    void settings()
    {
        REQUIRE_SIMULATOR();
        Simulator sim;
        const QString port = sim.start({"--name", "cli-params", "--settings-revision", "95"});
        QVERIFY(!port.isEmpty());
        QByteArray err;
        const QString all = dir_.filePath(QStringLiteral("sets.mkparam"));
        QCOMPARE(run({"--port", port, "--read-settings", "all", "-o", all}, &err).first, 0);
        const QString two = dir_.filePath(QStringLiteral("sets-set2.mkparam"));
        QFile file(two);
        QVERIFY2(file.open(QIODevice::ReadOnly), err.constData());
        QByteArray json = file.readAll();
        file.close();
        QVERIFY(json.contains("\"Gyro_P\": 110"));
        QVERIFY(QFile::exists(dir_.filePath(QStringLiteral("sets-set5.mkparam"))));

        // Written to set 4 with the backup and read-back; set 4 then reads as the file.
        writeFile(QDir(dir_.path()), QStringLiteral("edit.mkparam"),
                  json.replace("\"Gyro_P\": 110", "\"Gyro_P\": 77"));
        const auto [rc, out] =
            run({"--port", port, "--write-settings", dir_.filePath("edit.mkparam"), "--set", "4"},
                &err);
        QVERIFY2(rc == 0, err.constData());
        QVERIFY(out.startsWith("backup: "));
        QCOMPARE(run({"--port", port, "--read-settings", "active", "-o",
                      dir_.filePath("active.mkparam")})
                     .first,
                 0);
        QFile active(dir_.filePath(QStringLiteral("active.mkparam")));
        QVERIFY(active.open(QIODevice::ReadOnly));
        const QByteArray back = active.readAll();
        QVERIFY(back.contains("\"Gyro_P\": 77") && back.contains("\"set\": 4"));

        writeFile(QDir(dir_.path()), QStringLiteral("bad.mkparam"),
                  json.replace("\"Gyro_P\": 77", "\"Gyro_P\": 251"));
        QCOMPARE(
            run({"--port", port, "--write-settings", dir_.filePath("bad.mkparam"), "--set", "4"},
                &err)
                .first,
            1);
        QVERIFY2(err.contains("Gyro_P is 251, outside 10..250; nothing written"), err.constData());
        QCOMPARE(run({"--port", port, "--write-settings", two, "--set", "6"}, &err).first, 2);
        QCOMPARE(run({"--port", port, "--read-settings", "some", "-o", all}, &err).first, 2);
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
