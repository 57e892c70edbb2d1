#include "fieldlayout.h"

namespace {

// Element count of an array type: the text between the first "[" and the last character.
qint64 arrayCount(const QString& type, qsizetype open)
{
    // The last character (normally "]") is dropped; "u8[" has no count text at all.
    const qsizetype length = type.size() - 1 - (open + 1);
    if (length <= 0)
        return 0;
    bool ok = false;
    const int count = type.mid(open + 1, length).toInt(&ok, 10);
    return ok && count > 0 ? count : 0;
}

} // namespace

bool FieldLayout::parseType(const QString& type, Field& field)
{
    static const struct
    {
        QLatin1String scalar;
        QLatin1String array;
        Element element;
    } kTypes[] = {
        {QLatin1String("u8"), QLatin1String("u8["), Element::U8},
        {QLatin1String("s8"), QLatin1String("s8["), Element::S8},
        {QLatin1String("u16"), QLatin1String("u16["), Element::U16},
        {QLatin1String("s16"), QLatin1String("s16["), Element::S16},
    };
    for (const auto& known : kTypes) {
        if (type == known.scalar) {
            field.element = known.element;
            field.array = false;
            field.count = 1;
            field.bytes = field.width();
            return true;
        }
    }
    const qsizetype open = type.indexOf(QLatin1Char('['));
    if (open < 0)
        return false;
    field.array = true;
    field.count = arrayCount(type, open);
    field.element = Element::Other;
    for (const auto& known : kTypes) {
        if (type.contains(known.array)) {
            field.element = known.element;
            break;
        }
    }
    const bool wide = type.contains(QLatin1String("16["));
    field.bytes = (wide ? 2 : 1) * field.count;
    return true;
}

QList<FieldLayout::Field> FieldLayout::of(const FrameModel& model, bool* stoppedAtUnknown)
{
    QList<Field> fields;
    qint64 offset = 0;
    bool stopped = false;
    const qsizetype count = qMin(model.fieldNames.size(), model.fieldTypes.size());
    for (qsizetype k = 0; k < count; ++k) {
        Field field;
        if (!parseType(model.fieldTypes.at(k), field)) {
            stopped = true;
            break;
        }
        field.name = model.fieldNames.at(k);
        field.offset = offset;
        offset += field.bytes;
        fields.append(field);
    }
    if (stoppedAtUnknown)
        *stoppedAtUnknown = stopped;
    return fields;
}
