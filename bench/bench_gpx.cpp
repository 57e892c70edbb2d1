#include "benchutil.h"
#include "capturewriter.h"
#include "gpxexport.h"
#include "mkhelper.h"
#include "navidata.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

// "tovrik --export-gpx" over a capture of 1 000 000 'O' frames (28 hours of navigation data at
// ten a second, every frame a point): read, decode, write the track atomically. The capture is
// written once, outside the timing.

namespace {

QTemporaryDir* g_home = nullptr;

QString capture(int frames)
{
    const QString path = g_home->filePath(QStringLiteral("navi-%1.mkcap").arg(frames));
    if (QFile::exists(path))
        return path;
    CaptureWriter writer;
    if (!writer.open(path))
        return QString();
    const qint64 t0 = 1'796'000'000'000'000;
    NaviData d;
    d.home.latitudeE7 = 469480000;
    d.home.longitudeE7 = 74474000;
    for (int i = 0; i < frames; ++i) {
        const double a = i * 0.01;
        d.current.latitudeE7 = d.home.latitudeE7 + qint32(4500 * std::cos(a));
        d.current.longitudeE7 = d.home.longitudeE7 + qint32(6500 * std::sin(a));
        d.altimeter = qint16(400 + (i % 100));
        QByteArray bytes;
        MkHelper::encodeFrame('O', 2, d.encode(), bytes);
        writer.writeFrame(FrameRecord::fromFrame(bytes, FrameRecord::Received, t0 + i * 100'000LL));
    }
    writer.close();
    return path;
}

void BM_ExportGpx(benchmark::State& state)
{
    const QString path = capture(int(state.range(0)));
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the capture");
        return;
    }
    const QString outPath = g_home->filePath(QStringLiteral("track.gpx"));
    for (auto _ : state) {
        const GpxExport::Result r = GpxExport::exportCapture(path, outPath);
        if (!r.ok || r.points != state.range(0))
            state.SkipWithError("export incomplete");
    }
    state.counters["points"] = double(state.range(0));
    state.counters["file_MB"] = double(QFile(outPath).size()) / 1e6;
    state.counters["rss_MiB"] = double(BenchUtil::residentKiB()) / 1024;
}

} // namespace

BENCHMARK(BM_ExportGpx)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    QTemporaryDir home;
    g_home = &home;
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
