#include "benchutil.h"
#include "capturereader.h"
#include "capturewriter.h"
#include "csvexport.h"
#include "filesafety.h"
#include "framestore.h"
#include "mainwindow.h"
#include "mkhelper.h"
#include "replaylink.h"
#include "scriptloader.h"
#include "sessionfiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

// Capture files at the size of a long session: 1 000 000 frames (4.5 hours of 'D' frames at the
// device's full rate), opened into the window's frame log and exported as CSV. Wall time of the
// whole operation as the user starts it; the file is written once, outside the timing.

namespace {

QTemporaryDir* g_home = nullptr;

// A capture of `frames` frames: the 32 label answers, then 'D' frames 16 ms apart.
QString capture(int frames)
{
    const QString path = g_home->filePath(QStringLiteral("bench-%1.mkcap").arg(frames));
    if (QFile::exists(path))
        return path;
    CaptureWriter writer;
    if (!writer.open(path))
        return QString();
    const qint64 t0 = FrameRecord::nowUs();
    QList<QByteArray> debug;
    for (int i = 0; i < 64; ++i)
        debug.append(BenchUtil::debugFrame(i));
    for (int i = 0; i < frames; ++i) {
        QByteArray bytes;
        if (i < 32) {
            QByteArray payload(1, char(i));
            payload += QByteArray("Channel ") + QByteArray::number(i).leftJustified(8, ' ');
            MkHelper::encodeFrame('A', 1, payload, bytes);
        } else {
            bytes = debug.at(i % debug.size());
        }
        writer.writeFrame(FrameRecord::fromFrame(bytes, FrameRecord::Received, t0 + i * 16'000));
    }
    writer.close();
    return path;
}

// What "Open capture..." does: read, append to the store in batches, the log's views follow.
void BM_OpenCaptureInWindow(benchmark::State& state)
{
    const QString path = capture(int(state.range(0)));
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the capture");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<MainWindow>();
        window->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        const bool ok = window->sessionFiles()->openCapture(path);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (!ok || window->frameStore()->size() != state.range(0))
            state.SkipWithError("capture not loaded whole");
        window.reset();
        state.ResumeTiming();
    }
    state.counters["frames"] = double(state.range(0));
}

// "Replay, as fast as possible" of the same capture through the window: every frame passes the
// replay link and the session pipeline as a live one would, with the log, console and
// real-time dialog following. Frames per second and the longest event-loop stall (a 1 ms
// timer's longest wait).
void BM_ReplayCaptureInWindow(benchmark::State& state)
{
    const QString path = capture(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<MainWindow>();
        window->show();
        QCoreApplication::processEvents();
        QElapsedTimer gap;
        qint64 worstNs = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(1);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            worstNs = std::max(worstNs, gap.nsecsElapsed());
            gap.start();
        });
        state.ResumeTiming();
        QElapsedTimer wall;
        wall.start();
        gap.start();
        probe.start();
        if (!window->sessionFiles()->replayCapture(path, 0)) {
            state.SkipWithError("replay did not start");
            break;
        }
        QEventLoop loop;
        QObject::connect(window->sessionFiles()->replay(), &ReplayLink::finished, &loop,
                         &QEventLoop::quit);
        loop.exec();
        // What the replay handed on is processed too.
        while (window->session()->backlog() > 0)
            QCoreApplication::processEvents();
        const double seconds = double(wall.nsecsElapsed()) / 1e9;
        probe.stop();
        state.PauseTiming();
        state.counters["frames_per_s"] = double(window->frameStore()->size()) / seconds;
        state.counters["stall_max_ms"] = double(worstNs) / 1e6;
        if (window->frameStore()->size() != state.range(0))
            state.SkipWithError("capture not replayed whole");
        window.reset();
        state.ResumeTiming();
    }
}

// The reader alone, without the window: the floor under the figure above.
void BM_ReadCapture(benchmark::State& state)
{
    const QString path = capture(int(state.range(0)));
    for (auto _ : state) {
        CaptureReader reader;
        QList<FrameRecord> records;
        if (!reader.readAll(path, records) || records.size() != state.range(0))
            state.SkipWithError("capture not read whole");
        benchmark::DoNotOptimize(records.data());
    }
}

// What "tovrik --export-csv" does, with the shipped definitions: read, decode, write the file.
// As the program exports: a pass for the labels, a pass for the rows, into a temporary file
// renamed onto the target. range(1) = 0 leaves out the label pass and writes the file in
// place, as exports did before, for comparison in the same run.
void BM_ExportCsv(benchmark::State& state)
{
    const QString path = capture(int(state.range(0)));
    const bool safe = state.range(1) != 0;
    QList<FrameModel> models;
    QString error;
    if (!ScriptLoader::loadDefinitions(models, error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    const QString outPath = g_home->filePath(QStringLiteral("out.csv"));
    for (auto _ : state) {
        CaptureReader reader;
        if (!reader.open(path)) {
            state.SkipWithError("cannot open the capture");
            break;
        }
        qint64 rows = 0;
        const auto write = [&](QIODevice& out) {
            CsvExport csv(models, 'D', &out);
            bool done = false;
            if (safe) {
                done = csv.exportCapture(reader);
            } else {
                QList<FrameRecord> batch;
                for (bool more = true; more;) {
                    batch.clear();
                    more = reader.read(batch, CsvExport::kReadBatch);
                    for (const FrameRecord& record : std::as_const(batch))
                        csv.add(record);
                }
                done = csv.finish();
            }
            rows = csv.rowCount();
            return done;
        };
        QFile plain(outPath);
        const bool written =
            safe ? FileSafety::writeWhole(outPath, {path}, write, error)
                 : plain.open(QIODevice::WriteOnly | QIODevice::Truncate) && write(plain);
        if (!written || rows != state.range(0) - 32)
            state.SkipWithError("export incomplete");
    }
}

} // namespace

BENCHMARK(BM_OpenCaptureInWindow)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ReplayCaptureInWindow)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ReadCapture)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ExportCsv)
    ->Args({1'000'000, 0})
    ->Args({1'000'000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    // Never the user's own settings, definitions or ports; the shipped mk.js in the working
    // directory, where the program looks first.
    QTemporaryDir home;
    g_home = &home;
    BenchUtil::usePrivateHome(home);
    QFile::copy(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"), home.filePath(QStringLiteral("mk.js")));
    QDir::setCurrent(home.path());

    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
