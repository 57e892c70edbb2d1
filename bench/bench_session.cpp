#include "benchutil.h"
#include "capturereader.h"
#include "capturewriter.h"
#include "csvexport.h"
#include "framestore.h"
#include "mainwindow.h"
#include "mkhelper.h"
#include "scriptloader.h"
#include "sessionfiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

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
void BM_ExportCsv(benchmark::State& state)
{
    const QString path = capture(int(state.range(0)));
    QList<FrameModel> models;
    QString error;
    if (!ScriptLoader::loadDefinitions(models, error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    const QString outPath = g_home->filePath(QStringLiteral("out.csv"));
    for (auto _ : state) {
        CaptureReader reader;
        QFile out(outPath);
        if (!reader.open(path) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            state.SkipWithError("cannot open the files");
            break;
        }
        CsvExport csv(models, 'D', &out);
        QList<FrameRecord> batch;
        for (bool more = true; more;) {
            batch.clear();
            more = reader.read(batch, 1 << 16);
            for (const FrameRecord& record : std::as_const(batch))
                csv.add(record);
        }
        if (!csv.finish() || csv.rowCount() != state.range(0) - 32)
            state.SkipWithError("export incomplete");
    }
}

} // namespace

BENCHMARK(BM_OpenCaptureInWindow)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ReadCapture)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ExportCsv)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond);

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
