// Reads arbitrary bytes as a capture file, behind a valid header or not. Besides the
// sanitizers' checks it traps when the reader breaks its own promises: every frame it returns
// ends with its carriage return and survives writing and reading again unchanged, and no more
// items come out than lines went in.

#include "captureformat.h"
#include "capturereader.h"

#include <QByteArray>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {

void check(bool promise)
{
    if (!promise)
        std::abort();
}

// The bytes as a file the reader can open by name, kept in memory.
QString memoryFile(const QByteArray& bytes)
{
    static int fd = -1;
    if (fd < 0)
        fd = ::memfd_create("capture", 0);
    check(fd >= 0);
    check(::ftruncate(fd, 0) == 0);
    check(::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0) == bytes.size());
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

void checkRecords(const QList<FrameRecord>& records)
{
    for (const FrameRecord& record : records) {
        check(record.bytes.endsWith('\r'));
        QByteArray line = CaptureFormat::formatTime(record.timeUs);
        line += " < ";
        CaptureFormat::appendEscaped(line, record.bytes);
        QList<FrameRecord> again;
        check(CaptureReader::parseLine(line, again, nullptr));
        check(again.size() == 1 && again.first().bytes == record.bytes &&
              again.first().timeUs == record.timeUs && again.first().good == record.good);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    // Half of the inputs get the header, so the fuzzer spends its time past it.
    const bool withHeader = size > 0 && (data[0] & 1);
    const QByteArray content =
        withHeader ? QByteArray(CaptureFormat::kHeader) + '\n' + input.mid(1) : input;

    CaptureReader reader;
    QList<FrameRecord> records;
    QList<CaptureReader::Event> events;
    if (reader.readAll(memoryFile(content), records, &events)) {
        const qsizetype lines = content.count('\n') + 1;
        check(records.size() + events.size() + reader.skippedLines() <= lines);
        checkRecords(records);
    }
    return 0;
}
