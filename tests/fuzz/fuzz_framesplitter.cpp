// Frame splitter on arbitrary bytes arriving in arbitrary chunks, as the receive thread feeds
// it. Traps when a promise breaks: every frame ends at its only carriage return and holds at
// most one '#', at its start; no byte is made up or lost without being counted; the frames do
// not depend on how the bytes were chunked.

#include "framesplitter.h"

#include <QList>
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

namespace {

struct Split
{
    QList<QByteArray> frames;
    qint64 dropped = 0;
    QByteArray rest;
};

void feed(Split& split, const QByteArray& chunk)
{
    split.rest += chunk;
    QByteArray frame;
    qsizetype dropped = 0;
    while (getNextCommand(split.rest, frame, &dropped)) {
        split.frames << frame;
        split.dropped += dropped;
        frame.clear();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    Split chunked;
    QByteArray all;
    while (in.remaining_bytes() > 0) {
        const std::string chunk = in.ConsumeRandomLengthString(64);
        const QByteArray bytes(chunk.data(), qsizetype(chunk.size()));
        all += bytes;
        feed(chunked, bytes);
    }
    Split whole;
    feed(whole, all);

    if (chunked.frames != whole.frames || chunked.dropped != whole.dropped ||
        chunked.rest != whole.rest)
        abort();
    qint64 kept = 0;
    for (const QByteArray& frame : chunked.frames) {
        if (!frame.endsWith('\r') || frame.count('\r') != 1 || frame.count('#') > 1 ||
            (frame.contains('#') && !frame.startsWith('#')))
            abort();
        kept += frame.size();
    }
    if (kept + chunked.dropped + chunked.rest.size() != all.size() || chunked.rest.contains('\r'))
        abort();
    return 0;
}
