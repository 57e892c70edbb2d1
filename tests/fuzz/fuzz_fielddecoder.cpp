// Decodes arbitrary payloads with arbitrary structure definitions. Besides the sanitizers'
// checks it traps when the decoder breaks its own promises: no more texts than fields, every
// text but a closing "unknown structure" made of a field name and a value.

#include "fielddecoder.h"
#include "mkhelper.h"

#include <QtGlobal>
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

namespace {

// Types the decoder knows, and near misses of them, so that the fuzzer reaches every branch
// quickly; arbitrary type strings come on top.
const char* const kTypes[] = {"u8",   "s8", "u16", "s16", "u8[", "s8[", "u16[", "s16[",  "f32[",
                              "x16[", "U8", "u8 ", "[",   "]",   "",    "u8[]", "s16[-", "u16[+"};

QString text(FuzzedDataProvider& in, size_t maxLength)
{
    const std::string bytes = in.ConsumeRandomLengthString(maxLength);
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

QString type(FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return text(in, 16);
    case 1: {
        // A known element type with a count of any size or sign, and any closing character.
        const QString element = QString::fromLatin1(in.PickValueInArray(kTypes));
        const QString count = QString::number(in.ConsumeIntegral<qint64>());
        return element + count + QChar(ushort(in.ConsumeIntegral<quint8>()));
    }
    default:
        return QString::fromLatin1(in.PickValueInArray(kTypes));
    }
}

FrameModel model(FuzzedDataProvider& in)
{
    FrameModel m;
    m.cmd = char(in.ConsumeIntegral<quint8>());
    const int fields = in.ConsumeIntegralInRange(0, 24);
    for (int k = 0; k < fields; ++k) {
        m.fieldNames << text(in, 8);
        m.fieldTypes << type(in);
    }
    return m;
}

void silence(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(silence), true);
    (void)quiet;

    FuzzedDataProvider in(data, size);
    QList<FrameModel> models;
    const int count = in.ConsumeIntegralInRange(1, 3);
    for (int i = 0; i < count; ++i)
        models << model(in);
    const char cmd = char(in.ConsumeIntegral<quint8>());
    const bool asFrame = in.ConsumeBool();

    const std::vector<uint8_t> rest = in.ConsumeRemainingBytes<uint8_t>();
    QByteArray payload(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));
    if (asFrame) {
        // The same road as a received frame: through the codec, whatever its checksum says.
        char frameCmd = 0;
        int address = 0;
        QByteArray decoded;
        (void)MkHelper::decodeFrame(payload, frameCmd, address, decoded);
        payload = decoded;
    }

    const FrameModel* found = FieldDecoder::findModel(models, cmd);
    const QStringList texts = FieldDecoder::decode(models, cmd, payload);
    if (!found) {
        if (!texts.isEmpty())
            std::abort();
        return 0;
    }
    if (texts.size() > found->fieldNames.size())
        std::abort();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const bool last = i + 1 == texts.size();
        if (texts.at(i) == FieldDecoder::unknownStructureText() && last)
            continue;
        if (!texts.at(i).contains(QLatin1String(": ")))
            std::abort();
    }
    return 0;
}
