#include "fielddecoder.h"

#include "fieldlayout.h"
#include "mkhelper.h"

#include <QCoreApplication>

namespace {

QString fieldText(const QString& name, const QString& value)
{
    return QStringLiteral("%1: %2").arg(name, value);
}

// Scalar value text, or an empty text when the scalar's bytes are not all in the payload.
QString scalarText(const FieldLayout::Field& field, const QByteArray& payload)
{
    if (field.offset + field.bytes > payload.size())
        return QString();
    const int pos = int(field.offset);
    if (field.element == FieldLayout::Element::U8)
        return QString::number(quint8(payload.at(pos)));
    if (field.element == FieldLayout::Element::S8)
        return QString(QChar(ushort(quint8(payload.at(pos)))));
    return QString::number(MkHelper::toInt(payload, pos, field.isSigned()));
}

} // namespace

QString FieldDecoder::unknownStructureText()
{
    return QCoreApplication::translate("FieldDecoder", "unknown structure");
}

QString FieldDecoder::unknownRevisionText(int revision)
{
    return QStringLiteral("Parameter set revision %1 is unknown to mk.js").arg(revision);
}

const FrameModel* FieldDecoder::findModel(const QList<FrameModel>& models, char cmd)
{
    for (const FrameModel& model : models) {
        if (quint8(model.cmd) == quint8(cmd))
            return &model;
    }
    return nullptr;
}

const FrameModel* FieldDecoder::findModel(const QList<FrameModel>& models, char cmd,
                                          const QByteArray& payload)
{
    for (const FrameModel& model : models) {
        if (quint8(model.cmd) == quint8(cmd) && model.appliesTo(payload))
            return &model;
    }
    return nullptr;
}

QStringList FieldDecoder::decode(const FrameModel& model, const QByteArray& payload)
{
    QStringList texts;
    bool stopped = false;
    for (const FieldLayout::Field& field : FieldLayout::of(model, &stopped)) {
        if (!field.array) {
            texts << fieldText(field.name, scalarText(field, payload));
            continue;
        }
        QByteArray slice;
        if (field.offset < payload.size())
            slice =
                payload.mid(field.offset, qMin<qint64>(field.bytes, payload.size() - field.offset));
        switch (field.element) {
        case FieldLayout::Element::U8:
            texts << fieldText(field.name, MkHelper::toHex(slice, 1));
            break;
        case FieldLayout::Element::S8:
            texts << fieldText(field.name, MkHelper::toASCII(slice));
            break;
        case FieldLayout::Element::U16:
            texts << fieldText(field.name, MkHelper::toHex(slice, 2));
            break;
        case FieldLayout::Element::S16:
            texts << fieldText(field.name, MkHelper::toInt(slice));
            break;
        case FieldLayout::Element::Other:
            // Passed over by its byte count without an item.
            break;
        }
    }
    if (stopped)
        texts << unknownStructureText();
    return texts;
}

QStringList FieldDecoder::decode(const QList<FrameModel>& models, char cmd,
                                 const QByteArray& payload)
{
    if (const FrameModel* model = findModel(models, cmd, payload))
        return decode(*model, payload);
    // Definitions for the letter exist, all for other revisions of the structure.
    if (const FrameModel* other = findModel(models, cmd)) {
        const int at = other->revisionAt;
        if (at >= 0 && at < payload.size())
            return {unknownRevisionText(quint8(payload.at(at))),
                    fieldText(QStringLiteral("bytes"), MkHelper::toHex(payload, 1))};
    }
    return QStringList();
}
