// Frame codec throughput on frames of the sizes the device sends, in MB/s of frame text.
#include "mkhelper.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray payloadOf(int size)
{
    QByteArray payload(size, '\0');
    for (int i = 0; i < size; ++i)
        payload[i] = char((i * 73 + 11) & 0xFF);
    return payload;
}

// Argument: payload bytes ('V' 10, 'A' 17, 'D' 66, 'N' 77, 'L' 82).
void BM_encodeFrame(benchmark::State& state)
{
    const QByteArray payload = payloadOf(int(state.range(0)));
    QByteArray frame;
    for (auto _ : state) {
        MkHelper::encodeFrame('D', 1, payload, frame);
        benchmark::DoNotOptimize(frame.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * frame.size());
    state.counters["frame_bytes"] = double(frame.size());
}

void BM_decodeFrame(benchmark::State& state)
{
    QByteArray frame;
    MkHelper::encodeFrame('D', 1, payloadOf(int(state.range(0))), frame);
    for (auto _ : state) {
        char cmd;
        int address;
        QByteArray payload;
        const bool good = MkHelper::decodeFrame(frame, cmd, address, payload);
        benchmark::DoNotOptimize(good);
        benchmark::DoNotOptimize(payload.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * frame.size());
    state.counters["frame_bytes"] = double(frame.size());
}

} // namespace

BENCHMARK(BM_encodeFrame)->Arg(0)->Arg(10)->Arg(17)->Arg(66)->Arg(82);
BENCHMARK(BM_decodeFrame)->Arg(0)->Arg(10)->Arg(17)->Arg(66)->Arg(82);
BENCHMARK_MAIN();
