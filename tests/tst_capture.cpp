#include "captureformat.h"
#include "capturereader.h"
#include "capturetesthelpers.h"
#include "capturewriter.h"
#include "csvexport.h"
#include "csvfield.h"
#include "filesafety.h"
#include "framestore.h"
#include "gpxexport.h"
#include "mkhelper.h"
#include "navidata.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

Q_DECLARE_METATYPE(FrameModel)

using namespace CaptureTestHelpers;

namespace {

QByteArray labelPayload(int index, const QByteArray& text)
{
    QByteArray payload(1, char(index));
    payload += text.leftJustified(16, ' ', true);
    return payload;
}

// The shipped definition of 'D' in miniature: status bytes, then one field per channel.
FrameModel perChannelModel()
{
    FrameModel model{'D', {QStringLiteral("Status flags")}, {QStringLiteral("u8[2]")}};
    for (int i = 0; i < 32; ++i) {
        model.fieldNames << QStringLiteral("Analog %1").arg(i);
        model.fieldTypes << QStringLiteral("s16");
    }
    return model;
}

QStringList labels(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("Label %1").arg(i);
    return list;
}

QByteArray exportRecords(const QList<FrameModel>& models, char cmd,
                         const QList<FrameRecord>& records, CsvExport** keep = nullptr)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    auto* csv = new CsvExport(models, cmd, &out);
    for (const FrameRecord& r : records)
        csv->add(r);
    csv->finish();
    if (keep)
        *keep = csv;
    else
        delete csv;
    return out.data();
}

// A small file system of its own at path: a full disk or a read-only one without touching the
// machine's. False where mounting is not permitted.
bool mountSmallDisk(const QString& path, bool readOnly, const QByteArray& oldContent)
{
    const QByteArray where = QFile::encodeName(path);
    if (::mount("tovrik-test", where.constData(), "tmpfs", 0, "size=64k") != 0)
        return false;
    QFile old(path + QStringLiteral("/old"));
    const bool written = old.open(QIODevice::WriteOnly) && old.write(oldContent) > 0;
    old.close();
    if (!written || (readOnly && ::mount(nullptr, where.constData(), nullptr,
                                         MS_REMOUNT | MS_RDONLY, nullptr) != 0)) {
        ::umount2(where.constData(), MNT_DETACH);
        return false;
    }
    return true;
}

} // namespace

class TestCapture : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        return CaptureTestHelpers::writeFile(QDir(dir_.path()), name, bytes);
    }
    static QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
    {
        return CaptureTestHelpers::writeFile(QDir(dir.path()), QLatin1String(name), bytes);
    }

private slots:
    void times_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("timeUs");
        QTest::newRow("epoch") << QByteArray("1970-01-01T00:00:00.000000Z") << true << qint64(0);
        QTest::newRow("example") << QByteArray("2026-12-08T05:12:01.123456Z") << true
                                 << qint64(1796706721123456);
        QTest::newRow("leap day") << QByteArray("2024-02-29T23:59:59.999999Z") << true
                                  << qint64(1709251199999999);
        QTest::newRow("last") << QByteArray("9999-12-31T23:59:59.999999Z") << true
                              << qint64(253402300799999999);
        QTest::newRow("no leap day")
            << QByteArray("2025-02-29T00:00:00.000000Z") << false << qint64(0);
        QTest::newRow("before 1970")
            << QByteArray("1969-12-31T23:59:59.000000Z") << false << qint64(0);
        QTest::newRow("month 13") << QByteArray("2026-13-01T00:00:00.000000Z") << false
                                  << qint64(0);
        QTest::newRow("hour 24") << QByteArray("2026-01-01T24:00:00.000000Z") << false << qint64(0);
        QTest::newRow("second 60")
            << QByteArray("2026-01-01T00:00:60.000000Z") << false << qint64(0);
        QTest::newRow("sign") << QByteArray("2026-01-01T00:00:00.-00000Z") << false << qint64(0);
        QTest::newRow("no Z") << QByteArray("2026-01-01T00:00:00.000000+") << false << qint64(0);
        QTest::newRow("millis") << QByteArray("2026-01-01T00:00:00.000Z") << false << qint64(0);
    }
    void times()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(qint64, timeUs);
        qint64 parsed = -1;
        QCOMPARE(CaptureFormat::parseTime(text, parsed), valid);
        if (valid) {
            QCOMPARE(parsed, timeUs);
            QCOMPARE(CaptureFormat::formatTime(timeUs), text);
        }
    }

    // Every byte value in a frame, both directions, events: what is written is read back.
    void roundTrip()
    {
        QList<FrameRecord> written;
        for (int b = 0; b < 256; ++b) {
            QByteArray bytes = "#b";
            bytes += char(b);
            bytes += QByteArray("\\x41") + char(b) + char(255 - b) + "\r\n";
            bytes += '\r';
            written << record(bytes, kT0 + b * 1001,
                              b % 2 ? FrameRecord::Sent : FrameRecord::Received);
        }
        written << record(frame('D', 1, debugPayload()), kT0 + 999'999'999);
        const QString path = dir_.filePath(QStringLiteral("roundtrip.mkcap"));
        {
            CaptureWriter writer;
            QVERIFY2(writer.open(path), qPrintable(writer.errorString()));
            writer.writeEvent(kT0, QStringLiteral("connected\nto ü"));
            for (const FrameRecord& r : written)
                writer.writeFrame(r);
        }

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.first(), QByteArray("# tovrik capture 1"));
        QCOMPARE(lines.at(1), QByteArray("2026-11-30T00:53:20.000000Z ! connected to ") +
                                  QString::fromUtf8("ü").toUtf8());
        for (const QByteArray& line : lines.mid(2, lines.size() - 3)) {
            // Nothing unprintable, no upper-case escapes, no blank after the prefix.
            QVERIFY2(!line.mid(30).contains(' '), line.constData());
            for (const char c : line)
                QVERIFY(quint8(c) >= 0x20 && quint8(c) < 0x7f);
        }

        CaptureReader reader;
        QList<FrameRecord> read;
        QList<CaptureReader::Event> events;
        QVERIFY2(reader.readAll(path, read, &events), qPrintable(reader.errorString()));
        QCOMPARE(reader.skippedLines(), 0);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().text, QStringLiteral("connected to ü"));
        QCOMPARE(read.size(), written.size());
        for (qsizetype i = 0; i < read.size(); ++i) {
            QCOMPARE(read.at(i).bytes, written.at(i).bytes);
            QCOMPARE(read.at(i).timeUs, written.at(i).timeUs);
            QCOMPARE(read.at(i).direction, written.at(i).direction);
            QCOMPARE(read.at(i).cmd, written.at(i).cmd);
            QCOMPARE(read.at(i).address, written.at(i).address);
            QCOMPARE(read.at(i).good, written.at(i).good);
        }
        QVERIFY(read.last().good);
    }

    void hostileLines_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("skipped");
        const QByteArray t = "2026-12-08T05:12:01.123456Z";
        const QByteArray good = t + " < #bv@x\n";
        QTest::newRow("good") << good << 1 << 0;
        QTest::newRow("comment and empty line") << "# note\n\n" + good << 1 << 0;
        QTest::newRow("crlf line end") << t + " > #bv@x\r\n" << 1 << 0;
        QTest::newRow("binary junk")
            << QByteArray("\x00\xff\x1b[2J\x80garbage\x00\n", 16) + good << 1 << 1;
        QTest::newRow("cut last line") << good + t + " < #bD" << 1 << 1;
        QTest::newRow("cut time") << good + "2026-12-08T05:1\n" << 1 << 1;
        QTest::newRow("absurd time") << "99999-12-08T05:12:01.123456Z < #bv@x\n" + good << 1 << 1;
        QTest::newRow("impossible date")
            << "2026-02-30T05:12:01.123456Z < #bv@x\n" + good << 1 << 1;
        QTest::newRow("unknown direction") << t + " ? #bv@x\n" + good << 1 << 1;
        QTest::newRow("no frame") << t + " < \n" + t + " <\n" << 0 << 2;
        QTest::newRow("blank in frame") << t + " < #bv @x\n" << 0 << 1;
        QTest::newRow("cut escape") << t + " < #bv@x\\x4\n" << 0 << 1;
        QTest::newRow("bad escape") << t + " < #bv@x\\xzz\n" << 0 << 1;
        QTest::newRow("bare backslash") << t + " < #b\\v@x\n" << 0 << 1;
        QTest::newRow("comment without blank") << "#bv@x\n" + good << 1 << 1;
        QTest::newRow("10 MB line")
            << t + " < #" + QByteArray(10 << 20, 'A') + "\n" + good << 1 << 1;
        QTest::newRow("10 MB cut line") << good + QByteArray(10 << 20, '\0') << 1 << 1;
        QTest::newRow("event") << t + " ! device removed /dev/ttyUSB0\n" << 0 << 0;
    }
    void hostileLines()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, frames);
        QFETCH(int, skipped);
        const QString path =
            writeFile(QStringLiteral("hostile.mkcap"), QByteArray("# tovrik capture 1\n") + body);
        QVERIFY(!path.isEmpty());
        CaptureReader reader;
        QList<FrameRecord> records;
        QVERIFY(reader.readAll(path, records));
        QCOMPARE(records.size(), frames);
        QCOMPARE(reader.skippedLines(), skipped);
        if (frames > 0)
            QCOMPARE(records.last().bytes, QByteArray("#bv@x\r"));
    }

    void header_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("header only") << QByteArray("# tovrik capture 1\n") << true;
        QTest::newRow("no line end") << QByteArray("# tovrik capture 1") << true;
        QTest::newRow("crlf") << QByteArray("# tovrik capture 1\r\n") << true;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("other version") << QByteArray("# tovrik capture 2\n") << false;
        QTest::newRow("trailing blank") << QByteArray("# tovrik capture 1 \n") << false;
        QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf# tovrik capture 1\n") << false;
        QTest::newRow("frame first")
            << QByteArray("2026-12-08T05:12:01.123456Z < #bv@x\n# tovrik capture 1\n") << false;
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\x00",
                                              8)
                                << false;
    }
    void header()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, accepted);
        const QString path = writeFile(QStringLiteral("header.mkcap"), content);
        CaptureReader reader;
        QCOMPARE(reader.open(path), accepted);
        if (!accepted)
            QVERIFY2(reader.errorString().contains(path), qPrintable(reader.errorString()));
    }

    // A file that cannot be read (here memory the process has not mapped) is told with the
    // system's reason, not as a file without the header.
    void readErrorIsTold()
    {
        CaptureReader reader;
        QVERIFY(!reader.open(QStringLiteral("/proc/self/mem")));
        QVERIFY2(reader.errorString().contains(QLatin1String("Input/output error")),
                 qPrintable(reader.errorString()));
    }

    void writerFailures()
    {
        CaptureWriter writer;
        QSignalSpy failed(&writer, &CaptureWriter::failed);
        const QString missing = dir_.filePath(QStringLiteral("no/such/dir/x.mkcap"));
        QVERIFY(!writer.open(missing));
        QVERIFY(writer.errorString().contains(missing));

        // A device is refused before anything is written to it.
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full");
        QVERIFY(!writer.open(QStringLiteral("/dev/full")));
        QVERIFY(writer.errorString().contains(QStringLiteral("/dev/full")));
        QVERIFY(!writer.isOpen());
        // Later frames go nowhere and fail nothing more.
        writer.writeFrame(record(frame('v', 1, {}), kT0));
        QVERIFY(!writer.flush());
        QCOMPARE(failed.size(), 0);
    }

    // A file that cannot grow any more (a full disk, a quota) stops the recording once.
    void writerStopsWhenTheFileCannotGrow()
    {
        const QString path = dir_.filePath(QStringLiteral("limited.mkcap"));
        CaptureWriter writer;
        QSignalSpy failed(&writer, &CaptureWriter::failed);
        QVERIFY(writer.open(path));
        // Past the size limit a write fails with EFBIG instead of raising SIGXFSZ.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &old) == 0);
        rlimit limited = old;
        limited.rlim_cur = 4096;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limited) == 0);
        for (int i = 0; i < 100; ++i)
            writer.writeFrame(record(frame('D', 1, debugPayload()), kT0 + i));
        const bool flushed = writer.flush();
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!flushed);
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed.first().first().toString().contains(path));
        QVERIFY(!writer.isOpen());
        writer.writeFrame(record(frame('v', 1, {}), kT0));
        writer.close();
        QCOMPARE(failed.size(), 1);
    }

    // The timer writes pending lines without a close, so a killed program loses little.
    void writerFlushesWithoutClose()
    {
        const QString path = dir_.filePath(QStringLiteral("live.mkcap"));
        CaptureWriter writer;
        QVERIFY(writer.open(path));
        writer.writeFrame(record(frame('v', 1, {}), kT0));
        const auto content = [&path] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QTRY_VERIFY(content().endsWith(" < #bv@x\n"));
    }

    void csvColumns_data()
    {
        QTest::addColumn<FrameModel>("model");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("names");
        const FrameModel mixed{
            'X',
            {"a", "b", "c", "d", "e", "f", "g", "h", "i"},
            {"u8", "s8", "u16", "s16", "u8[2]", "s8[3]", "u16[2]", "s16[0]", "f32[1]"}};
        QTest::newRow("every kind")
            << mixed << QStringList()
            << QStringList{"a", "b", "c", "d", "e[0]", "e[1]", "f", "g[0]", "g[1]"};
        const FrameModel stop{'X', {"a", "b", "c"}, {"u8", "float", "u8"}};
        QTest::newRow("stops at an unknown type") << stop << QStringList() << QStringList{"a"};
        // An array of an element no reader shows is passed over by its bytes, as in decoding.
        const FrameModel skipped{'D', {"a", "b", "c"}, {"u16", "f16[1]", "s16"}};
        QTest::newRow("unshown array") << skipped << labels(32) << QStringList{"a", "Label 1"};

        QStringList defaults{"Status flags[0]", "Status flags[1]"};
        QStringList named = defaults;
        for (int i = 0; i < 32; ++i) {
            defaults << QStringLiteral("Analog %1").arg(i);
            named << QStringLiteral("Label %1").arg(i);
        }
        QTest::newRow("per-channel fields, labels") << perChannelModel() << labels(32) << named;
        QTest::newRow("per-channel fields, no labels")
            << perChannelModel() << QStringList() << defaults;

        const FrameModel array{'D', {"Status", "Analog"}, {"u16", "s16[32]"}};
        QStringList arrayNamed{"Status"};
        for (int i = 0; i < 32; ++i)
            arrayNamed << QStringLiteral("Label %1").arg(i);
        QTest::newRow("array definition, labels") << array << labels(32) << arrayNamed;

        QStringList withEmpty = labels(32);
        withEmpty[5].clear();
        QStringList partly = named;
        partly[2 + 5] = QStringLiteral("Analog 5");
        QTest::newRow("empty label keeps the field name")
            << perChannelModel() << withEmpty << partly;
        // Byte 3 is not at 2 + 2i: a field there keeps its name.
        const FrameModel odd{'D', {"x", "y", "z"}, {"u8[3]", "s16", "u8"}};
        QTest::newRow("odd offsets")
            << odd << labels(32) << QStringList{"x[0]", "x[1]", "x[2]", "y", "z"};
    }
    void csvColumns()
    {
        QFETCH(FrameModel, model);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, names);
        QCOMPARE(CsvExport::columnNames(model, labels), names);
    }

    // Rows, quoting and the label rule over a session: labels count only when all arrived
    // before the first row; bad frames, sent frames and other letters leave no row.
    void csvRows()
    {
        const FrameModel display{'L', {"Item", "Line"}, {"u8", "s8[6]"}};
        QList<FrameRecord> session;
        session << record(frame('d', 1, QByteArray(1, '\0')), kT0, FrameRecord::Sent);
        for (int i = 0; i < 32; ++i) {
            const QByteArray text =
                i == 3 ? QByteArray("Gyro, \"yaw\"") : "Ch" + QByteArray::number(i);
            session << record(frame('A', 1, labelPayload(i, text)), kT0 + 1000 + i);
        }
        QByteArray bad = frame('D', 2, debugPayload());
        bad[bad.size() - 2] = bad[bad.size() - 2] == 'a' ? 'b' : 'a';
        session << record(bad, kT0 + 2'000'000);
        session << record(frame('D', 2, debugPayload()), kT0 + 2'500'001);
        session << record(frame('D', 1, debugPayload().left(6)), kT0 + 3'000'000);
        session << record(frame('L', 1,
                                QByteArray("\x07"
                                           "a,b\0zz",
                                           7)),
                          kT0 + 4'000'000);

        CsvExport* csv = nullptr;
        const QList<QByteArray> rows =
            exportRecords({perChannelModel(), display}, 'D', session, &csv).split('\n');
        QCOMPARE(csv->rowCount(), 2);
        QCOMPARE(csv->badCount(), 1);
        delete csv;
        QCOMPARE(rows.size(), 4); // header, two rows, nothing after the last CRLF
        QVERIFY(rows.at(0).startsWith("time_s,address,cmd,Status flags[0],Status "
                                      "flags[1],Ch0,Ch1,Ch2,\"Gyro, \"\"yaw\"\"\",Ch4,"));
        QVERIFY(rows.at(0).endsWith(",Ch31\r"));
        QVERIFY(rows.at(1).startsWith("2.500001,Navi Ctrl,D,0,0,-1000,-900,-800,"));
        QVERIFY(rows.at(1).endsWith(",2100\r"));
        // Cut payload: what is missing stays empty, in all 3 + 2 + 32 fields.
        QCOMPARE(rows.at(2).count(','), 36);
        QVERIFY(rows.at(2).startsWith("3.000000,Flight Ctrl,D,0,0,-1000,-900,,,"));

        // Text columns stop at the first zero byte and are quoted when they must be.
        const QByteArray lines = exportRecords({display}, 'L', session);
        QCOMPARE(
            lines,
            QByteArray("time_s,address,cmd,Item,Line\r\n4.000000,Flight Ctrl,L,7,\"a,b\"\r\n"));
    }

    // Bad targets and inputs, each once for reading a capture, recording and exporting: a
    // refusal that names the file and the reason, no blocking, the old file as it was (a
    // recording's included), and no temporary file left behind.
    void unsafeTargets_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* op, const char* target, const char* reason) {
            QTest::addRow("%s %s", op, target) << op << target << reason;
        };
        for (const char* op : {"read", "record", "export"}) {
            row(op, "fifo", "named pipe");
            row(op, "device", "a device");
            row(op, "dir", "a directory");
        }
        row("record", "input", "the file being read");
        row("export", "input", "the file being read");
        row("export", "link", "the file being read ('");
        row("record", "recorded", "is being recorded by another recorder");
        row("record", "read-only", "Read-only file system");
        row("export", "read-only", "Read-only file system");
        row("export", "full", "No space left on device");
    }
    void unsafeTargets()
    {
        QFETCH(QString, operation);
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray content = QByteArray(CaptureFormat::kHeader) + '\n';
        const QString input = writeFile(dir, "input.mkcap", content);
        QString path = dir.filePath(target);
        QByteArray old = content;
        CaptureWriter holder;
        // A device node of our own where permitted: a fault that replaced the target must not
        // replace the machine's /dev/zero (it cannot without permission to write in /dev).
        if (target == "device" &&
            ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 5)) != 0)
            path = QStringLiteral("/dev/zero");
        if (target == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (target == "dir")
            QVERIFY(QDir().mkdir(path));
        else if (target == "input")
            path = input;
        else if (target == "link")
            QVERIFY(QFile::link(input, path));
        else if (target == "recorded")
            QVERIFY(holder.open(path) && holder.flush());
        if (target == "read-only" || target == "full") {
            QVERIFY(QDir().mkdir(path));
            old = "old content\n";
            if (!mountSmallDisk(path, target == "read-only", old))
                QSKIP("no permission to mount a small file system");
            path += QStringLiteral("/old");
        }
        const auto unmount = qScopeGuard([&dir, &target] {
            if (target == "read-only" || target == "full")
                ::umount2(QFile::encodeName(dir.filePath(target)).constData(), MNT_DETACH);
        });
        const auto listing = [&path] {
            return path.startsWith(QLatin1String("/dev/"))
                       ? QStringList()
                       : QDir(QFileInfo(path).path())
                             .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList before = listing();

        QString error;
        bool done = false;
        if (operation == "read") {
            CaptureReader reader;
            done = reader.open(path);
            error = reader.errorString();
        } else if (operation == "record") {
            CaptureWriter writer;
            done = writer.open(path, {input});
            error = writer.errorString();
        } else {
            const QByteArray bytes(200'000, 'x');
            done = FileSafety::writeWhole(
                path, {input},
                [&bytes](QIODevice& out) {
                    return FileSafety::writeAll(out, bytes.constData(), bytes.size());
                },
                error);
        }
        QVERIFY(!done);
        QVERIFY2(error.contains(path) && error.contains(reason), qPrintable(error));
        if (target != "device" && target != "fifo" && target != "dir") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
        }
        // No temporary file is left beside the target.
        QCOMPARE(listing(), before);
    }

    // Cells a spreadsheet would run as formulas are kept as text; numbers stay numbers.
    void formulaCells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("equals") << "=HYPERLINK(\"http://x\")"
                                << "\"'=HYPERLINK(\"\"http://x\"\")\"";
        QTest::newRow("plus") << "+1+2"
                              << "'+1+2";
        QTest::newRow("minus") << "-cmd"
                               << "'-cmd";
        QTest::newRow("lone minus") << "-"
                                    << "'-";
        QTest::newRow("at") << "@SUM(1,2)"
                            << "\"'@SUM(1,2)\"";
        QTest::newRow("tab") << "\tx"
                             << "'\tx";
        QTest::newRow("carriage return") << "\rx"
                                         << "\"'\rx\"";
        QTest::newRow("negative number") << "-12"
                                         << "-12";
        QTest::newRow("negative fraction") << "-1.5e3"
                                           << "-1.5e3";
        QTest::newRow("signed number") << "+3"
                                       << "+3";
        QTest::newRow("plain") << "Gyro"
                               << "Gyro";
        QTest::newRow("comma and quote") << "a,\"b\""
                                         << "\"a,\"\"b\"\"\"";
    }
    void formulaCells()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(CsvField::field(text), field);
    }

    // Labels by index from the capture's 'A' answers wherever they are, the first answer for
    // each index, and from the label events a recording starts with.
    void csvLabels_data()
    {
        QTest::addColumn<QList<int>>("answers"); // label indexes, in the order they arrive
        QTest::addColumn<int>("firstRow");       // answers before the first 'D' row
        QTest::addColumn<bool>("asEvents");      // known before the recording started
        QTest::addColumn<QStringList>("names");  // columns of channels 0 to 3
        const QStringList all{"L0.0", "L1.0", "L2.0", "L3.0"};
        QTest::newRow("in order") << QList<int>{0, 1, 2, 3} << 4 << false << all;
        QTest::newRow("after the rows") << QList<int>{0, 1, 2, 3} << 0 << false << all;
        QTest::newRow("out of order") << QList<int>{3, 1, 0, 2} << 2 << false << all;
        QTest::newRow("duplicated, first counts") << QList<int>{0, 1, 1, 2, 3, 0} << 3 << false
                                                  << QStringList{"L0.0", "L1.0", "L2.0", "L3.0"};
        QTest::newRow("index 40 and 200 refused")
            << QList<int>{40, 200, 1} << 1 << false
            << QStringList{"Analog 0", "L1.0", "Analog 2", "Analog 3"};
        QTest::newRow("formula label") << QList<int>{-1} << 0 << false
                                       << QStringList{"'=L0", "Analog 1", "Analog 2", "Analog 3"};
        QTest::newRow("recording started after the labels")
            << QList<int>{0, 1, 2, 3} << 4 << true << all;
    }
    void csvLabels()
    {
        QFETCH(QList<int>, answers);
        QFETCH(int, firstRow);
        QFETCH(bool, asEvents);
        QFETCH(QStringList, names);
        const QString path = dir_.filePath(QStringLiteral("labels.mkcap"));
        {
            CaptureWriter writer;
            QVERIFY(writer.open(path));
            QStringList known(32);
            QHash<int, int> seen;
            qint64 t = kT0;
            for (int k = 0; k < answers.size(); ++k) {
                if (k == firstRow)
                    writer.writeFrame(record(frame('D', 1, debugPayload()), ++t));
                const int index = answers.at(k);
                // The n-th answer for an index says "L<index>.<n>"; -1 is a formula label.
                const QByteArray text = index < 0 ? QByteArray("=L0")
                                                  : "L" + QByteArray::number(index) + "." +
                                                        QByteArray::number(seen[index]++);
                if (asEvents)
                    known[index] = QString::fromLatin1(text);
                else
                    writer.writeFrame(
                        record(frame('A', 1, labelPayload(index < 0 ? 0 : index, text)), ++t));
            }
            if (asEvents)
                writer.writeLabels(known);
            writer.writeFrame(record(frame('D', 1, debugPayload()), ++t));
        }
        CaptureReader reader;
        QVERIFY(reader.open(path));
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        CsvExport csv({perChannelModel()}, 'D', &out);
        QVERIFY(csv.exportCapture(reader));
        QCOMPARE(csv.rowCount(), firstRow == answers.size() ? 1 : 2);
        const QList<QByteArray> header = out.data().split('\r').constFirst().split(',');
        QCOMPARE(header.mid(5, 4).join(','), names.join(',').toUtf8());
    }

    void csvColumnsPerRevision()
    {
        CsvExport* csv = nullptr;
        // A letter defined per structure revision: the first frame's revision gives the
        // columns; frames of another revision are left out and counted.
        FrameModel old{'Q', {"Set", "Revision", "Old"}, {"u8", "u8", "u8"}};
        FrameModel recent{'Q', {"Set", "Revision", "New"}, {"u8", "u8", "u8[2]"}};
        old.revision = 95;
        recent.revision = 106;
        old.revisionAt = recent.revisionAt = 1;
        const QList<FrameRecord> sets{
            record(frame('Q', 1, QByteArray::fromHex("016a0102")), kT0),
            record(frame('Q', 1, QByteArray::fromHex("025f07")), kT0 + 1),
            record(frame('Q', 1, QByteArray::fromHex("036a0304")), kT0 + 2)};
        const QList<QByteArray> setRows = exportRecords({old, recent}, 'Q', sets, &csv).split('\n');
        QCOMPARE(csv->otherRevisionCount(), 1);
        delete csv;
        QCOMPARE(setRows.size(), 4);
        QCOMPARE(setRows.at(0), QByteArray("time_s,address,cmd,Set,Revision,New[0],New[1]\r"));
        QCOMPARE(setRows.at(2), QByteArray("0.000002,Flight Ctrl,Q,3,106,3,4\r"));
    }

    // The GPX track of a session's 'O' frames, read back with an XML parser: one point per
    // valid position with the frame's time and the barometric altitude; every other 'O' frame
    // skipped and counted; other letters and our own requests ignored.
    void gpxTrack()
    {
        const auto navi = [](qint32 latE7, qint32 lonE7, qint16 altimeter) {
            NaviData d;
            d.current.latitudeE7 = latE7;
            d.current.longitudeE7 = lonE7;
            d.altimeter = altimeter;
            return d.encode();
        };
        QByteArray bad = frame('O', 2, navi(469480000, 74474000, 0));
        bad[5] = bad[5] == 'A' ? 'B' : 'A';
        QByteArray v4 = navi(469480000, 74474000, 0);
        v4[0] = 4;
        const QList<FrameRecord> session{
            record(frame('o', 2, QByteArray(1, 50)), kT0, FrameRecord::Sent),
            record(frame('O', 2, navi(469480123, 74474456, 200)), kT0 + 1'500),
            record(frame('D', 1, debugPayload()), kT0 + 2'000),
            record(bad, kT0 + 3'000),
            record(frame('O', 2, v4), kT0 + 4'000),
            record(frame('O', 2, navi(469480000, 74474000, 0).left(60)), kT0 + 5'000),
            record(frame('O', 2, navi(900000001, 74474000, 0)), kT0 + 6'000),
            record(frame('O', 2, navi(0, 0, 0)), kT0 + 7'000),
            record(frame('O', 2, navi(-335000000, -700000001, -40)), kT0 + 86'401'008'000)};

        QBuffer out;
        out.open(QIODevice::WriteOnly);
        GpxExport gpx(&out, QStringLiteral("flight <1>"));
        for (const FrameRecord& r : session)
            gpx.add(r);
        QVERIFY(gpx.finish());
        QCOMPARE(gpx.pointCount(), 2);
        QCOMPARE(gpx.skippedCount(), 5);

        QXmlStreamReader xml(out.data());
        QStringList points;
        QString name;
        QString current;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"gpx") {
                QCOMPARE(xml.namespaceUri(), u"http://www.topografix.com/GPX/1/1");
                QCOMPARE(xml.attributes().value("version"), u"1.1");
            } else if (xml.isStartElement() && xml.name() == u"name") {
                name = xml.readElementText();
            } else if (xml.isStartElement() && xml.name() == u"trkpt") {
                current = xml.attributes().value("lat").toString() + u' ' +
                          xml.attributes().value("lon").toString();
            } else if (xml.isStartElement() && (xml.name() == u"ele" || xml.name() == u"time")) {
                current += u' ' + xml.readElementText();
            } else if (xml.isEndElement() && xml.name() == u"trkpt") {
                points << current;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(name, QStringLiteral("flight <1>"));
        QCOMPARE(points, (QStringList{"46.9480123 7.4474456 10.00 2026-11-30T00:53:20.001Z",
                                      "-33.5000000 -70.0000001 -2.00 2026-12-01T00:53:21.008Z"}));
    }

    // A capture exported to a file: written whole, and a failed export leaves an existing file
    // as it was.
    void gpxExportCapture()
    {
        const QString capture = dir_.filePath(QStringLiteral("gpx.mkcap"));
        {
            CaptureWriter writer;
            QVERIFY(writer.open(capture));
            NaviData d;
            d.current.latitudeE7 = 469480000;
            d.current.longitudeE7 = 74474000;
            for (int i = 0; i < 3; ++i)
                writer.writeFrame(record(frame('O', 2, d.encode()), kT0 + i * 500'000));
        }
        const QString target = dir_.filePath(QStringLiteral("track.gpx"));
        GpxExport::Result r = GpxExport::exportCapture(capture, target);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.points, 3);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        file.close();
        QCOMPARE(written.count("<trkpt "), 3);

        const QString junk = writeFile(QStringLiteral("junk.mkcap"), "not a capture\n");
        r = GpxExport::exportCapture(junk, target);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(junk), qPrintable(r.error));
        r = GpxExport::exportCapture(capture, dir_.filePath(QStringLiteral("no/dir/t.gpx")));
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("no/dir/t.gpx")), qPrintable(r.error));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), written);
    }
};

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_capture.moc"
