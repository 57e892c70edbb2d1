#include "benchutil.h"
#include "conversation.h"
#include "mkserial.h"
#include "paramcontroller.h"
#include "paramsettesthelpers.h"
#include "serialtesthelpers.h"
#include "sessionpipeline.h"
#include "simparamsets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// Parameter sets against the simulator over a pseudo-terminal, as a user clicks them: read all
// five sets (the active one's number first), and write one with the backup read, the 's' and
// the read-back. Wall time from the start to the result; the pseudo-terminal has no baud rate,
// so the line's own time (about 35 ms per 145-byte set each way at 57600 baud) comes on top.

namespace {

ParamResult await(ParamController& controller, const std::function<bool()>& start)
{
    ParamResult result;
    QEventLoop loop;
    QObject::connect(&controller, &ParamController::finished, &loop, [&](const ParamResult& r) {
        result = r;
        loop.quit();
    });
    if (start())
        loop.exec();
    return result;
}

void BM_ParamSets(benchmark::State& state)
{
    const bool writing = state.range(0) == 1;
    QTemporaryDir dir;
    Simulator sim;
    const QString link = sim.start({"--name", "bench-params", "--settings-revision", "106"});
    if (link.isEmpty()) {
        state.SkipWithError("simulator did not start");
        return;
    }
    MkSerial serial;
    serial.setDeviceName(link);
    if (!serial.open()) {
        state.SkipWithError("cannot open the simulator's port");
        return;
    }
    SessionPipeline session;
    session.setLink(&serial);
    const QList<ParamLayout> layouts = shippedLayouts();
    ParamController controller(
        layouts, [&](const Request& r, QObject* c, std::function<void(const Reply&)> d) {
            session.conversation()->ask(r, c, std::move(d));
        });
    controller.setBackupFolder(dir.filePath(QStringLiteral("backups")));
    ParamSet set;
    QString error;
    ParamSet::fromAnswer(layouts, QByteArray(1, 2) + SimParamSets(106).defaults(2), set, error);
    int gyro = 100;
    for (auto _ : state) {
        set.setValue(QStringLiteral("Gyro_P"), gyro++ % 200 + 20, error);
        QElapsedTimer timer;
        timer.start();
        const ParamResult result = await(
            controller, [&] { return writing ? controller.write(set) : controller.readAll(); });
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            return;
        }
    }
    serial.close();
}
BENCHMARK(BM_ParamSets)
    ->ArgName("write")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir ports;
    BenchUtil::usePrivatePorts(ports, TOVRIK_MKSIM_PATH);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
