// Translation file check on arbitrary files: whatever it accepts is loaded into a translator
// and looked up in. The translator (not built with the sanitizers) reads the file in place, so
// the file is placed to end right at a page that may not be read: any read beyond it that the
// check lets through crashes.

#include "translation.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstdint>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray image(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!Translation::isValid(image))
        return 0;
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const size_t pages = (size + page - 1) / page + 1;
    auto* region = static_cast<uchar*>(
        mmap(nullptr, pages * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    if (region == MAP_FAILED)
        abort();
    uchar* guard = region + (pages - 1) * page;
    mprotect(guard, page, PROT_NONE);
    uchar* placed = guard - size;
    memcpy(placed, data, size);
    {
        QTranslator translator;
        if (translator.load(placed, int(size))) {
            for (const char* context : {"MainWindow", "RtDialog", ""}) {
                for (const char* text : {"Connect", "Script error", "a", ""}) {
                    (void)translator.translate(context, text);
                    (void)translator.translate(context, text, "comment");
                    (void)translator.translate(context, text, nullptr, 2);
                }
            }
        }
    }
    munmap(region, pages * page);
    return 0;
}
