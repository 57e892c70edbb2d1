// Frame codec on arbitrary bytes. Besides the sanitizers' checks it traps when a round trip
// breaks: a well-formed frame ('#' first, alphabet characters, checksum right, carriage return
// last) decodes to what encodes back to the same bytes, and anything encoded decodes to itself.

#include "mkhelper.h"

#include <QtGlobal>
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

bool inAlphabet(const QByteArray& text)
{
    for (const char c : text) {
        if (c < '=' || c > '|')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Every bad checksum is logged; the fuzzer would spend its time printing.
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const bool encodeFirst = in.ConsumeBool();
    const std::string raw = in.ConsumeRemainingBytesAsString();
    const QByteArray bytes(raw.data(), qsizetype(raw.size()));

    if (encodeFirst) {
        if (bytes.isEmpty() || bytes.at(0) == 'R')
            return 0;
        const char cmd = bytes.at(0);
        const int address = bytes.size() > 1 ? quint8(bytes.at(1)) % 26 : 0;
        const QByteArray payload = bytes.mid(2);
        QByteArray frame;
        MkHelper::encodeFrame(cmd, address, payload, frame);
        char gotCmd = 0;
        int gotAddress = -1;
        QByteArray got;
        if (!MkHelper::decodeFrame(frame, gotCmd, gotAddress, got) || gotCmd != cmd ||
            gotAddress != address || !got.startsWith(payload) || got.size() > payload.size() + 2)
            abort();
        return 0;
    }

    char cmd = 0;
    int address = 0;
    QByteArray payload;
    const bool ok = MkHelper::decodeFrame(bytes, cmd, address, payload);
    // The checksum covers the start character too, but decodeFrame does not check it (the
    // splitter only ever cuts frames at '#'): a good checksum over another start character
    // is no frame that encodeFrame would make.
    if (ok && cmd != 'R' && bytes.startsWith('#') && bytes.endsWith('\r') &&
        (bytes.size() - 6) % 4 == 0 && inAlphabet(bytes.mid(3, bytes.size() - 6))) {
        QByteArray again;
        MkHelper::encodeFrame(cmd, address, payload, again);
        if (again != bytes)
            abort();
    }
    return 0;
}
