#include "captureformat.h"
#include "capturereader.h"
#include "capturetesthelpers.h"
#include "capturewriter.h"
#include "mkhelper.h"
#include "serialtesthelpers.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>

// The program as users and scripts run it: the command line without a window, and the window
// program ending on a signal while it records.

using namespace CaptureTestHelpers;

class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;

    // The program's environment: without a display for the work without a window, on the
    // offscreen platform for the window.
    void prepare(QProcess& process, bool window)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   window ? QStringLiteral("offscreen") : QStringLiteral("none"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir_.path());
    }

    // Runs the program without a display in the test's folder (where mk.js is).
    std::pair<int, QByteArray> run(const QStringList& args, QByteArray* err = nullptr)
    {
        QFile::copy(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"), dir_.filePath("mk.js"));
        QProcess process;
        prepare(process, false);
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

    // Bad names and targets on the command line: a message naming the file and the reason,
    // a non-zero exit, no blocking, and the capture and a recording in progress as they were.
    void badArguments_data()
    {
        // In the arguments, "%c" is a capture, "%d" the folder, "%h" a file being recorded by
        // this process (whose id is "%p"); blanks part the arguments.
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* args, const char* message) {
            QTest::newRow(name) << args << message;
        };
        row("export onto its input", "--export-csv %c -o %c", "'%c' is the file being read");
        row("export to a named pipe", "--export-csv %c -o %d/fifo", "'%d/fifo' is a named pipe");
        row("export appended to its input", "--export-csv %c >>%c",
            "'standard output' is the file being read ('%c')");
        row("track onto its input", "--export-gpx %c -o %c", "'%c' is the file being read");
        row("track appended to its input", "--export-gpx %c >>%c",
            "'standard output' is the file being read ('%c')");
        row("track to a named pipe", "--export-gpx %c -o %d/fifo", "'%d/fifo' is a named pipe");
        row("export from a named pipe", "--export-csv %d/fifo", "'%d/fifo' is a named pipe");
        row("export from a device", "--export-csv /dev/zero", "'/dev/zero' is a device");
        row("export from a directory", "--export-csv %d", "'%d' is a directory");
        row("name not UTF-8", "--export-csv %d/a\\xff.mkcap", "is not valid UTF-8");
        row("record onto the capture opened", "--record %c %c", "'%c' is the file being read");
        row("record to a named pipe", "--record %d/fifo", "'%d/fifo' is a named pipe");
        row("record to a directory", "--record %d", "'%d' is a directory");
        row("record to a file being recorded", "--record %h",
            "'%h' is being recorded by process %p");
        row("an option-like name after --", "-- --record=%d/evil.mkcap",
            "'--record=%d/evil.mkcap': No such file or directory");
        row("a dash name after --", "-- %d/-x.mkcap", "'%d/-x.mkcap' is not a capture file");
    }
    void badArguments()
    {
        QFETCH(QString, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QDir folder(dir.path());
        const QByteArray header = QByteArray(CaptureFormat::kHeader) + '\n';
        const QString capture = writeFile(folder, QStringLiteral("in.mkcap"), header);
        QVERIFY(!writeFile(folder, QStringLiteral("-x.mkcap"), "junk\n").isEmpty());
        QVERIFY(::mkfifo(QFile::encodeName(folder.filePath("fifo")).constData(), 0600) == 0);
        CaptureWriter holder;
        QVERIFY(holder.open(folder.filePath(QStringLiteral("held.mkcap"))) && holder.flush());
        const auto fill = [&](QString text) {
            return text.replace(QLatin1String("%c"), capture)
                .replace(QLatin1String("%h"), holder.fileName())
                .replace(QLatin1String("%d"), dir.path())
                .replace(QLatin1String("%p"), QString::number(QCoreApplication::applicationPid()));
        };
        // Through bash's $'...', which passes "\xff" as the byte it is (a QString cannot).
        QString command = QStringLiteral("exec \"$0\"");
        for (QString arg : args.split(' ')) {
            const bool append = arg.startsWith(QLatin1String(">>"));
            arg = fill(arg.mid(append ? 2 : 0)).replace('\'', "\\'");
            command += (append ? QStringLiteral(" >>$'%1'") : QStringLiteral(" $'%1'")).arg(arg);
        }
        QProcess process;
        prepare(process, !args.contains(QLatin1String("--export-")));
        process.start(QStringLiteral("/bin/bash"),
                      {QStringLiteral("-c"), command, QStringLiteral(TOVRIK_PROGRAM)});
        QVERIFY2(process.waitForFinished(30000), "the program blocked");
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QVERIFY(process.exitCode() != 0);
        QVERIFY2(err.contains(fill(message)), qPrintable(err));
        for (const QString& path : {capture, holder.fileName()}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), header);
        }
        QVERIFY(!folder.exists(QStringLiteral("evil.mkcap")));
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
    // 0 and a capture whose every line is whole. On a disk that fills up, the recording stops
    // with the system's reason on stderr and the program ends with a non-zero code.
    void terminationClosesTheRecording_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("room enough") << false;
        QTest::newRow("full disk") << true;
    }
    void terminationClosesTheRecording()
    {
        QFETCH(bool, fullDisk);
        REQUIRE_SIMULATOR();
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        if (fullDisk && ::mount("tovrik-test", folder.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("no permission to mount a small file system");
        const auto unmount = qScopeGuard([&] {
            if (fullDisk)
                ::umount2(folder.constData(), MNT_DETACH);
        });
        Simulator sim;
        const QString port = sim.start({"--name", "term", "--flood", "200"});
        QVERIFY(!port.isEmpty());
        const QString capture = dir.filePath(QStringLiteral("term.mkcap"));
        QProcess program;
        prepare(program, true);
        program.start(QStringLiteral(TOVRIK_PROGRAM), {"--port", port, "--record", capture});
        QVERIFY(program.waitForStarted(10000));
        const auto frames = [&capture] {
            QFile file(capture);
            return file.open(QIODevice::ReadOnly) ? file.readAll().count(" < #bD") : 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(frames() >= 50, 20000);
        QByteArray err;
        if (fullDisk)
            QTRY_VERIFY_WITH_TIMEOUT(
                (err += program.readAllStandardError()).contains("No space left on device"), 20000);
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        err += program.readAllStandardError();
        QCOMPARE(program.exitCode(), fullDisk ? 1 : 0);
        if (fullDisk)
            QVERIFY2(err.contains("No space left on device") && err.contains(capture.toUtf8()),
                     err.constData());

        CaptureReader reader;
        QList<FrameRecord> records;
        QVERIFY(reader.readAll(capture, records));
        // The write that met the full disk may have cut its last line short.
        QVERIFY(reader.skippedLines() <= (fullDisk ? 1 : 0));
        QVERIFY(records.size() >= 50);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
