#include "fielddecoder.h"

#include "mkhelper.h"

#include <QCoreApplication>

namespace {

QString fieldText(const QString& name, const QString& value)
{
    return QStringLiteral("%1: %2").arg(name, value);
}

// Scalar value text, or an empty text when the scalar's bytes are not all in the payload.
QString scalarText(const QString& type, const QByteArray& payload, qint64 offset, int width)
{
    if (offset < 0 || offset + width > payload.size())
        return QString();
    const int pos = int(offset);
    if (type == QLatin1String("u8"))
        return QString::number(quint8(payload.at(pos)));
    if (type == QLatin1String("s8"))
        return QString(QChar(ushort(quint8(payload.at(pos)))));
    return QString::number(MkHelper::toInt(payload, pos, type == QLatin1String("s16")));
}

} // namespace

QString FieldDecoder::unknownStructureText()
{
    return QCoreApplication::translate("FieldDecoder", "unknown structure");
}

const FrameModel* FieldDecoder::findModel(const QList<FrameModel>& models, char cmd)
{
    for (const FrameModel& model : models) {
        if (quint8(model.cmd) == quint8(cmd))
            return &model;
    }
    return nullptr;
}

int FieldDecoder::scalarWidth(const QString& type)
{
    if (type == QLatin1String("u8") || type == QLatin1String("s8"))
        return 1;
    if (type == QLatin1String("u16") || type == QLatin1String("s16"))
        return 2;
    return 0;
}

qint64 FieldDecoder::arrayBytes(const QString& type)
{
    const qint64 count = arrayCount(type);
    return type.contains(QLatin1String("16[")) ? 2 * count : count;
}

qint64 FieldDecoder::arrayCount(const QString& type)
{
    const qsizetype open = type.indexOf(QLatin1Char('['));
    if (open < 0)
        return 0;
    // The last character (normally "]") is dropped; "u8[" has no count text at all.
    const qsizetype length = type.size() - 1 - (open + 1);
    if (length <= 0)
        return 0;
    bool ok = false;
    const int count = type.mid(open + 1, length).toInt(&ok, 10);
    return ok && count > 0 ? count : 0;
}

QStringList FieldDecoder::decode(const FrameModel& model, const QByteArray& payload)
{
    QStringList texts;
    // Wide enough that no sum of counts taken from int-sized texts can overflow.
    qint64 offset = 0;
    const qsizetype fields = qMin(model.fieldNames.size(), model.fieldTypes.size());
    for (qsizetype k = 0; k < fields; ++k) {
        const QString& name = model.fieldNames.at(k);
        const QString& type = model.fieldTypes.at(k);

        if (const int width = scalarWidth(type)) {
            texts << fieldText(name, scalarText(type, payload, offset, width));
            offset += width;
            continue;
        }
        if (!type.contains(QLatin1Char('['))) {
            texts << unknownStructureText();
            break;
        }

        const qint64 bytes = arrayBytes(type);
        QByteArray slice;
        if (offset < payload.size())
            slice = payload.mid(offset, qMin<qint64>(bytes, payload.size() - offset));

        if (type.contains(QLatin1String("u8[")))
            texts << fieldText(name, MkHelper::toHex(slice, 1));
        else if (type.contains(QLatin1String("s8[")))
            texts << fieldText(name, MkHelper::toASCII(slice));
        else if (type.contains(QLatin1String("u16[")))
            texts << fieldText(name, MkHelper::toHex(slice, 2));
        else if (type.contains(QLatin1String("s16[")))
            texts << fieldText(name, MkHelper::toInt(slice));
        // Any other element type is skipped by its byte count without an item.
        offset += bytes;
    }
    return texts;
}

QStringList FieldDecoder::decode(const QList<FrameModel>& models, char cmd,
                                 const QByteArray& payload)
{
    const FrameModel* model = findModel(models, cmd);
    return model ? decode(*model, payload) : QStringList();
}
