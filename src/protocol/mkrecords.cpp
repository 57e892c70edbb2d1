#include "mkrecords.h"

namespace MkRecords {

bool analogValue(const QByteArray& payload, int channel, bool isSigned, int& value)
{
    const int at = analogOffset(channel);
    if (channel < 0 || channel >= kAnalogCount || at + 2 > payload.size())
        return false;
    const quint16 raw = quint16(quint8(payload.at(at)) | (quint8(payload.at(at + 1)) << 8));
    value = isSigned ? int(qint16(raw)) : int(raw);
    return true;
}

Label parseLabel(const QByteArray& payload)
{
    Label label;
    if (payload.isEmpty())
        return label;
    label.index = quint8(payload.at(0));
    QByteArray text = payload.mid(1);
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    label.raw = QString::fromLatin1(text);
    label.text = labelText(label.raw);
    return label;
}

QString labelText(QString raw)
{
    qsizetype end = raw.size();
    while (end > 0 && raw.at(end - 1) == QLatin1Char(' '))
        --end;
    raw.truncate(end);
    return raw;
}

} // namespace MkRecords
