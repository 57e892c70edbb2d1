// Serial link figures: idle CPU of a connected silent link against a busy-polling reader,
// latency from a byte written on the far side to newFrameReceived on the GUI thread, and the
// largest 'D' rate from the simulator's flood mode that arrives without a lost frame.

#include "benchutil.h"
#include "mkhelper.h"
#include "mkserial.h"
#include "serialport.h"
#include "serialtesthelpers.h" // Pty: the far side of a link
#include "threadsend.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

// CPU time the process spends while `seconds` of wall time pass with the event loop running.
double cpuOver(double seconds)
{
    const double before = BenchUtil::processCpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return BenchUtil::processCpuSeconds() - before;
}

constexpr double kIdleSeconds = 3.0;

void BM_IdleLinkCpu(benchmark::State& state)
{
    double ours = 0;
    double busy = 0;
    for (auto _ : state) {
        Pty pty;
        {
            MkSerial serial;
            serial.setDeviceName(pty.path());
            if (!serial.open()) {
                state.SkipWithError("cannot open the link");
                return;
            }
            ours = cpuOver(kIdleSeconds);
            serial.close();
        }
        // The reader that polls the byte count without ever waiting, kept here only as the
        // baseline.
        SerialPort port;
        port.setName(pty.path());
        port.open();
        std::atomic<bool> stop{false};
        QThread* poller = QThread::create([&] {
            char buf[2048];
            while (!stop.load()) {
                const qint64 n = port.bytesAvailable();
                if (n <= 0)
                    continue;
                port.read(buf, std::min<qint64>(n, sizeof buf));
            }
        });
        poller->start();
        busy = cpuOver(kIdleSeconds);
        stop = true;
        poller->wait();
        delete poller;
        state.SetIterationTime(2 * kIdleSeconds);
    }
    state.counters["link_cpu_pct"] = 100.0 * ours / kIdleSeconds;
    state.counters["busy_poll_cpu_pct"] = 100.0 * busy / kIdleSeconds;
    state.counters["busy_over_link"] = ours > 0 ? busy / ours : 0.0;
}
BENCHMARK(BM_IdleLinkCpu)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_FrameLatency(benchmark::State& state)
{
    Pty pty;
    MkSerial serial;
    serial.setDeviceName(pty.path());
    if (!serial.open()) {
        state.SkipWithError("cannot open the link");
        return;
    }
    QElapsedTimer clock;
    qint64 arrived = -1;
    QEventLoop loop;
    QObject::connect(&serial, &MkSerial::newFrameReceived, &loop, [&] {
        arrived = clock.nsecsElapsed();
        loop.quit();
    });
    const QByteArray frame = "#bv@x\r";
    std::vector<double> samples;
    for (auto _ : state) {
        arrived = -1;
        clock.start();
        if (::write(pty.master(), frame.constData(), size_t(frame.size())) != frame.size()) {
            state.SkipWithError("write failed");
            return;
        }
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
        guard.start(2000);
        loop.exec();
        if (arrived < 0) {
            state.SkipWithError("frame did not arrive");
            return;
        }
        samples.push_back(double(arrived) / 1000.0);
        state.SetIterationTime(double(arrived) / 1e9);
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_us"] = samples[samples.size() / 2];
    state.counters["p99_us"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    state.counters["max_us"] = samples.back();
}
BENCHMARK(BM_FrameLatency)->Iterations(2000)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Closing a link whose device stopped reading, with 5 000 requests queued: the link as it is,
// and beside it the earlier close, which waited for the stalled write to give up.
void BM_CloseStalledLink(benchmark::State& state)
{
    constexpr int kRequests = 5000;
    const QByteArray request = "#bv@x\r";
    double nowMs = 0;
    double oldMs = 0;
    qsizetype dropped = 0;
    for (auto _ : state) {
        {
            Pty pty; // nobody reads the far side
            MkSerial serial;
            serial.setDeviceName(pty.path());
            if (!serial.open()) {
                state.SkipWithError("cannot open the link");
                return;
            }
            for (int i = 0; i < kRequests; ++i)
                serial.write(request);
            cpuOver(0.3); // the line fills; the send loop waits for room
            QElapsedTimer clock;
            clock.start();
            serial.close();
            nowMs = clock.nsecsElapsed() / 1e6;
            dropped = serial.droppedRequests();
        }
        {
            Pty pty;
            SerialPort port;
            port.setName(pty.path());
            QMutex receiveMutex;
            ThreadSend send(nullptr, port, receiveMutex);
            if (!port.open()) {
                state.SkipWithError("cannot open the port");
                return;
            }
            for (int i = 0; i < kRequests; ++i)
                send.write(request);
            cpuOver(0.3);
            QElapsedTimer clock;
            clock.start();
            send.stopAndWait();
            port.close();
            oldMs = clock.nsecsElapsed() / 1e6;
            send.stopAndDrop(); // the rest of the queue, which the earlier close left behind
        }
        state.SetIterationTime(nowMs / 1000.0);
    }
    state.counters["close_ms"] = nowMs;
    state.counters["waiting_close_ms"] = oldMs;
    state.counters["waiting_over_now"] = nowMs > 0 ? oldMs / nowMs : 0.0;
    state.counters["dropped"] = double(dropped);
}
BENCHMARK(BM_CloseStalledLink)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Runs the simulator at `rate` 'D' frames per second for `seconds` and counts what arrives.
// Channel 31 of each flood frame is a running count, so a gap is a lost frame.
void BM_FloodDelivery(benchmark::State& state)
{
    const int rate = int(state.range(0));
    constexpr double kSeconds = 3.0;
    qint64 received = 0;
    qint64 lost = 0;
    qint64 bad = 0;
    double elapsed = 0;
    for (auto _ : state) {
        Simulator sim;
        const QString link = sim.start({"--name", QStringLiteral("bench-flood-%1").arg(rate),
                                        "--flood", QString::number(rate)});
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
        int last = -1;
        bool counting = false;
        QObject::connect(
            &serial, &MkSerial::newFrameReceived, &serial, [&](const QByteArray& frame) {
                if (!counting)
                    return;
                char cmd = 0;
                int address = 0;
                QByteArray payload;
                if (!MkHelper::decodeFrame(frame, cmd, address, payload) || cmd != 'D' ||
                    payload.size() < 66) {
                    ++bad;
                    return;
                }
                const int seq = qFromLittleEndian<quint16>(payload.constData() + 2 + 2 * 31);
                if (last >= 0)
                    lost += (seq - last - 1) & 0xffff;
                last = seq;
                ++received;
            });
        // Frames the simulator queued before the port was opened are stale; start afresh.
        cpuOver(0.3);
        counting = true;
        QElapsedTimer timer;
        timer.start();
        cpuOver(kSeconds);
        elapsed = timer.nsecsElapsed() / 1e9;
        counting = false;
        serial.close();
        sim.stop();
        state.SetIterationTime(elapsed);
    }
    state.counters["asked_per_s"] = rate;
    state.counters["delivered_per_s"] = double(received) / elapsed;
    state.counters["lost"] = double(lost);
    state.counters["bad"] = double(bad);
}
BENCHMARK(BM_FloodDelivery)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(15000)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(80000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    // Simulator links go to a private directory, never the user's.
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
