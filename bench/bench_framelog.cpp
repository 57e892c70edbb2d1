// The frame log as a user runs it: the real window shown (offscreen), fed 'D' frames, beside
// the old path (a QTableWidget row, a copy of the frame and an HTML console line per frame,
// kept below as a minimal copy) measured in the same run. Each case runs in a fresh process of
// this program, so that memory figures start from the same clean state:
//   memory    N frames delivered, resident memory growth, GUI CPU and wall time apart;
//   burst     17 000 frames written at once into the line: longest event-loop stall, lost frames;
//   fullrate  61 'D' frames/s from the simulator, shipped mk.js, labels collected, real-time
//             dialog open: CPU share of one core.

#include "benchutil.h"
#include "framestore.h"
#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "mkhelper.h"
#include "mkserial.h"
#include "oldconsole.h"
#include "rtdialog.h"
#include "serialtesthelpers.h" // Pty

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <memory>
#include <thread>

using namespace BenchUtil;

namespace {

// ---- The old path, as it was: one table row, one frame copy and one HTML line per frame ----

class OldFrameLog : public QSplitter
{
public:
    explicit OldFrameLog(RtDialog* rt) : QSplitter(Qt::Vertical), rt_(rt)
    {
        table_ = new QTableWidget(0, 4, this);
        table_->setHorizontalHeaderLabels({"No.", "Cmd", "Address", "Data"});
        table_->horizontalHeader()->setStretchLastSection(true);
        table_->verticalHeader()->setVisible(false);
        table_->verticalHeader()->setDefaultSectionSize(15);
        console_ = new QTextEdit(this);
        console_->setReadOnly(true);
        console_->setLineWrapMode(QTextEdit::NoWrap);
        console_->document()->setUndoRedoEnabled(false);
        resize(510, 600);
    }

    int rows() const { return table_->rowCount(); }

    void onFrame(const QByteArray& frame)
    {
        char cmd = 0;
        int address = 0;
        QByteArray payload;
        if (!MkHelper::decodeFrame(frame, cmd, address, payload)) {
            print(QStringLiteral("Bad crc check in frame: %1")
                      .arg(QString::fromLatin1(frame).toHtmlEscaped()),
                  true);
            return;
        }
        if (rt_)
            rt_->onReceiveData(cmd, address, payload);
        print(QString::fromLatin1(frame).toHtmlEscaped(), false);
        frames_.append(frame);
        const int row = table_->rowCount();
        table_->insertRow(row);
        const QString texts[] = {QString::number(row), QString(QChar::fromLatin1(cmd)),
                                 MkHelper::parseAddress(address), MkHelper::toASCII(payload)};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column < 3)
                item->setTextAlignment(Qt::AlignHCenter);
            table_->setItem(row, column, item);
        }
    }

private:
    void print(const QString& html, bool red) { OldConsole::append(*console_, html, red); }

    RtDialog* rt_;
    QTableWidget* table_;
    QTextEdit* console_;
    QList<QByteArray> frames_;
};

// ---- One case in this process ----

struct Rig
{
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<OldFrameLog> old;
    MkSerial* serial = nullptr;

    explicit Rig(bool oldPath)
    {
        window = std::make_unique<MainWindow>();
        window->show();
        serial = window->findChild<MkSerial*>();
        if (oldPath) {
            // The window's own frame handling is cut off; the old path takes the frames.
            QObject::disconnect(serial, &MkSerial::newFramesReceived, window.get(), nullptr);
            old = std::make_unique<OldFrameLog>(window->findChild<RtDialog*>());
            old->show();
            QObject::connect(serial, &MkSerial::newFrameReceived, old.get(),
                             [this](const QByteArray& frame) { old->onFrame(frame); });
        }
        QCoreApplication::processEvents();
    }

    void deliver(const QList<QByteArray>& frames)
    {
        if (old) {
            for (const QByteArray& frame : frames) {
                old->onFrame(frame);
                QCoreApplication::processEvents();
            }
        } else {
            QList<LinkFrame> batch;
            for (const QByteArray& frame : frames)
                batch.append({frame, LinkFrame::nowUs()});
            emit window->serialLink()->framesReceived(batch);
        }
    }

    qsizetype logged()
    {
        if (old)
            return old->rows();
        return MainWindowTestKit::rowCount(window.get());
    }
};

// The longest time the event loop went without serving a 1 ms timer: in wall time, and in CPU
// time of the GUI thread (the part of a stall that is our own work, not the machine's other
// processes holding the cores).
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this, [this] {
            const qint64 now = clock_.nsecsElapsed();
            const qint64 cpu = qint64(threadCpuSeconds() * 1e9);
            worstNs_ = std::max(worstNs_, now - lastNs_);
            worstCpuNs_ = std::max(worstCpuNs_, cpu - lastCpuNs_);
            lastNs_ = now;
            lastCpuNs_ = cpu;
        });
        clock_.start();
        lastCpuNs_ = qint64(threadCpuSeconds() * 1e9);
        timer_.start();
    }
    double worstMs() const { return double(worstNs_) / 1e6; }
    double worstCpuMs() const { return double(worstCpuNs_) / 1e6; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastNs_ = 0;
    qint64 worstNs_ = 0;
    qint64 lastCpuNs_ = 0;
    qint64 worstCpuNs_ = 0;
};

void print(const char* key, double value)
{
    printf("%s %.6f\n", key, value);
    fflush(stdout);
}

int memoryCase(bool oldPath, int total)
{
    Rig rig(oldPath);
    QList<QByteArray> frames;
    for (int i = 0; i < 64; ++i)
        frames.append(debugFrame(i));
    QTest::qWait(200);
    const long before = residentKiB();
    const double cpu0 = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // Ten frames per wake-up: one sixth of a second at the device's full rate.
    constexpr int kBatch = 10;
    for (int i = 0; i < total; i += kBatch) {
        QList<QByteArray> batch;
        for (int j = i; j < std::min(total, i + kBatch); ++j)
            batch.append(frames.at(j % frames.size()));
        rig.deliver(batch);
        QCoreApplication::processEvents();
    }
    QTest::qWait(300);
    const double cpu = processCpuSeconds() - cpu0;
    print("wall_s", double(wall.nsecsElapsed()) / 1e9);
    print("cpu_s", cpu);
    print("cpu_us_per_frame", cpu / total * 1e6);
    print("rss_growth_MiB", double(residentKiB() - before) / 1024.0);
    print("bytes_per_frame", double(residentKiB() - before) * 1024.0 / total);
    print("lost", double(total - rig.logged()));
    return 0;
}

int burstCase(bool oldPath, int total)
{
    Pty pty;
    if (!pty.isValid())
        return 2;
    const QString link = QDir(qEnvironmentVariable("TOVRIK_PORTS_DIR")).filePath("burst");
    QFile::remove(link);
    QFile::link(pty.path(), link);
    Rig rig(oldPath);
    if (!MainWindowTestKit::connectTo(rig.window.get(), link))
        return 3;
    QByteArray bytes;
    for (int i = 0; i < total; ++i)
        bytes += debugFrame(i);
    QTest::qWait(200);

    StallMeter stall;
    const double cpu0 = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    std::thread writer([&] { pty.write(bytes); });
    while (rig.logged() < total && wall.elapsed() < 120000)
        QTest::qWait(50);
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    writer.join();
    print("wall_s", seconds);
    print("cpu_s", processCpuSeconds() - cpu0);
    print("stall_max_ms", stall.worstMs());
    print("stall_max_gui_cpu_ms", stall.worstCpuMs());
    print("not_logged", double(total - rig.logged()));
    if (!oldPath) {
        qsizetype received = 0;
        for (qsizetype i = 0; i < rig.window->frameStore()->size(); ++i)
            received += rig.window->frameStore()->at(i).direction == FrameRecord::Received;
        print("lost", double(total - received));
        print("not_shown", double(rig.window->framesNotShown()));
    }
    return 0;
}

int fullRateCase(bool oldPath, double seconds)
{
    // The shipped definitions.
    QFile::remove("mk.js");
    QFile::copy(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"), "mk.js");
    Simulator sim;
    const QString link = sim.start({"--name", "fullrate", "--flood", "61"});
    if (link.isEmpty())
        return 2;

    Rig rig(false);
    auto* rt = rig.window->findChild<RtDialog*>();
    rt->show();
    if (!MainWindowTestKit::connectTo(rig.window.get(), link))
        return 3;
    QSignalSpy labels(rig.window.get(), &MainWindow::labelsListReady);
    rig.window->rqGetLabelsList();
    if (!labels.wait(10000))
        return 4;
    if (oldPath) {
        QObject::disconnect(rig.serial, &MkSerial::newFramesReceived, rig.window.get(), nullptr);
        rig.old = std::make_unique<OldFrameLog>(rt);
        rig.old->show();
        QObject::connect(rig.serial, &MkSerial::newFrameReceived, rig.old.get(),
                         [&rig](const QByteArray& frame) { rig.old->onFrame(frame); });
    }
    QTest::qWait(2000);
    const qsizetype before = rig.logged();
    const double cpu0 = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // The application's own event loop, as a user runs it (QTest::qWait would wake the
    // program every 10 ms on top of its own work).
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    const double cpu = processCpuSeconds() - cpu0;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    const double frames = double(rig.logged() - before);
    print("cpu_share_pct", 100.0 * cpu / elapsed);
    print("frames_per_s", frames / elapsed);
    print("cpu_ms_per_frame", frames > 0 ? cpu / frames * 1e3 : 0);
    return 0;
}

// Overload for `seconds`: the simulator flooding 20 000 'D' frames/s, or a line of bare
// carriage returns at the line's full rate (5 760 bytes/s).
int overloadCase(bool carriageReturns, double seconds)
{
    Rig rig(false);
    Simulator sim;
    Pty pty;
    QString link;
    if (carriageReturns) {
        link = QDir(qEnvironmentVariable("TOVRIK_PORTS_DIR")).filePath("returns");
        QFile::remove(link);
        QFile::link(pty.path(), link);
    } else {
        link = sim.start({"--name", "flood", "--flood", "20000"});
        if (link.isEmpty())
            return 2;
    }
    if (!MainWindowTestKit::connectTo(rig.window.get(), link))
        return 3;
    QTest::qWait(200);
    const long before = residentKiB();
    StallMeter stall;
    const double cpu0 = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        if (!carriageReturns)
            return;
        // 576 bytes every 100 ms.
        const QByteArray returns(576, '\r');
        while (!stop.load()) {
            pty.write(returns);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    long peak = before;
    while (wall.elapsed() < qint64(seconds * 1000)) {
        QTest::qWait(100);
        peak = std::max(peak, residentKiB());
    }
    stop.store(true);
    writer.join();
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    print("wall_s", elapsed);
    print("cpu_share_pct", 100.0 * (processCpuSeconds() - cpu0) / elapsed);
    print("stall_max_ms", stall.worstMs());
    print("stall_max_gui_cpu_ms", stall.worstCpuMs());
    print("rss_peak_growth_MiB", double(peak - before) / 1024.0);
    print("stored_per_s", double(rig.window->frameStore()->size()) / elapsed);
    print("not_shown", double(rig.window->framesNotShown()));
    return 0;
}

// ---- The benchmarks: each case in a fresh process ----

QString self;

QMap<QString, double> runCase(const QStringList& args, benchmark::State& state)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(self, QStringList{"--case"} + args);
    child.waitForFinished(-1);
    QMap<QString, double> values;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2)
            values.insert(QString::fromLatin1(parts.at(0)), parts.at(1).toDouble());
    }
    if (child.exitCode() != 0 || values.isEmpty())
        state.SkipWithError(qPrintable(
            QStringLiteral("case %1 failed (exit %2)").arg(args.join(' ')).arg(child.exitCode())));
    return values;
}

void report(benchmark::State& state, const QMap<QString, double>& values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        state.counters[it.key().toStdString()] = it.value();
}

void BM_Memory(benchmark::State& state)
{
    const bool old = state.range(0) != 0;
    for (auto _ : state)
        report(state,
               runCase({"memory", old ? "old" : "new", QString::number(state.range(1))}, state));
}

void BM_Burst(benchmark::State& state)
{
    const bool old = state.range(0) != 0;
    for (auto _ : state)
        report(state, runCase({"burst", old ? "old" : "new", "17000"}, state));
}

void BM_FullRate(benchmark::State& state)
{
    const bool old = state.range(0) != 0;
    for (auto _ : state)
        report(state, runCase({"fullrate", old ? "old" : "new", "20"}, state));
}

void BM_Overload(benchmark::State& state)
{
    for (auto _ : state)
        report(state, runCase({"overload", state.range(0) ? "returns" : "flood", "15"}, state));
}

} // namespace

// The old path takes about 1 ms a frame and keeps its growth: 25 000 frames show its cost per
// frame without a quarter of an hour per run.
BENCHMARK(BM_Memory)
    ->Args({0, 250000})
    ->Args({1, 25000})
    ->ArgNames({"old", "frames"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK(BM_Burst)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("old")
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK(BM_FullRate)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("old")
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK(BM_Overload)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("returns")
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

int main(int argc, char** argv)
{
    self = QString::fromLocal8Bit(argv[0]);
    const bool isCase = argc >= 5 && QByteArray(argv[1]) == "--case";
    // Never the user's own settings, definitions or ports; a case inherits its parent's.
    QTemporaryDir home;
    if (!isCase)
        usePrivateHome(home);
    if (qEnvironmentVariableIsEmpty("TOVRIK_MKSIM"))
        qputenv("TOVRIK_MKSIM", TOVRIK_MKSIM_PATH);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    if (isCase) {
        if (!MainWindowTestKit::prepareEnvironment())
            return 5;
        const bool old = QByteArray(argv[3]) == "old";
        const QByteArray which = argv[2];
        if (which == "memory")
            return memoryCase(old, QByteArray(argv[4]).toInt());
        if (which == "burst")
            return burstCase(old, QByteArray(argv[4]).toInt());
        if (which == "overload")
            return overloadCase(QByteArray(argv[3]) == "returns", QByteArray(argv[4]).toDouble());
        if (which == "fullrate")
            return fullRateCase(old, QByteArray(argv[4]).toDouble());
        return 6;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
