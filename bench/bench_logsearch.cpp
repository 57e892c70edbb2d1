// Finding text in a frame log of a million 'D' frames, as the search bar does it: the frame
// log's own model over a full store, searched in slices on the event loop while a 1 ms timer
// stands for the window's other work. Figures per run:
//   first_ms   time from the start to the first match (the match lies half-way down the log);
//   count_ms   time to the end of the search, every row read and the matches counted;
//   stall_ms   the longest gap between two turns of the event loop during the search;
//   matches    rows found (one in 1000 carries the pattern).

#include "framelogmodel.h"
#include "framestore.h"
#include "logsearch.h"
#include "mkhelper.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int kRows = 1000000;

// A full log: 'D' frames with 66 payload bytes; every thousandth from the middle on carries
// "FIND" in its payload.
FrameLogModel* filledLog()
{
    static FrameLogModel* log = [] {
        auto* s = new FrameStore(nullptr, kRows + 1);
        auto* model = new FrameLogModel(s, s);
        QList<FrameRecord> batch;
        const qint64 start = 1'700'000'000'000'000;
        for (int i = 0; i < kRows; ++i) {
            QByteArray payload(66, char(i % 251));
            if (i >= kRows / 2 && i % 1000 == 0)
                payload.replace(10, 4, "FIND");
            QByteArray bytes;
            MkHelper::encodeFrame('D', 1, payload, bytes);
            FrameRecord record =
                FrameRecord::fromFrame(bytes, FrameRecord::Received, start + qint64(i) * 16000);
            record.logged = true;
            batch.append(std::move(record));
            if (batch.size() == 50000) {
                s->append(std::move(batch));
                batch.clear();
            }
        }
        s->append(std::move(batch));
        model->announcePending();
        return model;
    }();
    return log;
}

void BM_SearchMillionRows(benchmark::State& state)
{
    FrameLogModel& model = *filledLog();
    for (auto _ : state) {
        LogSearch search(&model);
        QEventLoop loop;
        QElapsedTimer clock;
        double firstMs = -1;
        qint64 stallMs = 0;
        QElapsedTimer sinceTurn;
        QTimer ticker;
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout,
                         [&] { stallMs = std::max(stallMs, sinceTurn.restart()); });
        QObject::connect(&search, &LogSearch::firstMatch,
                         [&] { firstMs = double(clock.nsecsElapsed()) / 1e6; });
        QObject::connect(&search, &LogSearch::finished, &loop, &QEventLoop::quit);
        clock.start();
        sinceTurn.start();
        ticker.start();
        search.start(QStringLiteral("FIND"), FrameLogModel::DataColumn, FrameLogModel::CmdColumn);
        loop.exec();
        const double countMs = double(clock.nsecsElapsed()) / 1e6;
        state.counters["first_ms"] = firstMs;
        state.counters["count_ms"] = countMs;
        state.counters["stall_ms"] = double(stallMs);
        state.counters["matches"] = search.matchCount();
    }
}

} // namespace

BENCHMARK(BM_SearchMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
