#include "channelunit.h"

#include <QRegularExpression>

ChannelUnit ChannelUnit::parse(const QString& label)
{
    ChannelUnit result;
    result.name = label.trimmed();
    // name, then "[", an optional decimal scale, a unit that starts with a letter (or a degree,
    // micro or percent sign) and holds no bracket, then "]" at the end.
    static const QRegularExpression pattern(QStringLiteral(
        R"(^(.*\S)\s*\[\s*(\d+(?:\.\d+)?|\.\d+)?\s*([A-Za-z%\x{00B0}\x{00B5}][^\[\]]*?)\s*\]$)"));
    const QRegularExpressionMatch match = pattern.match(result.name);
    if (!match.hasMatch())
        return result;
    const QString scaleText = match.captured(2);
    double scale = 1;
    if (!scaleText.isEmpty()) {
        bool ok = false;
        scale = scaleText.toDouble(&ok);
        // A zero scale would flatten every value: such a label is not read as a unit.
        if (!ok || scale <= 0)
            return result;
    }
    result.name = match.captured(1);
    result.unit = match.captured(3);
    result.scale = scale;
    const qsizetype dot = scaleText.indexOf(QLatin1Char('.'));
    result.decimals = dot < 0 ? 0 : int(scaleText.size() - dot - 1);
    return result;
}

QString ChannelUnit::displayName() const
{
    return hasUnit() ? QStringLiteral("%1 [%2]").arg(name, unit) : name;
}

QString ChannelUnit::format(double raw) const
{
    if (!hasUnit())
        return QString::number(raw, 'f', 0);
    return QStringLiteral("%1 %2").arg(QString::number(value(raw), 'f', decimals), unit);
}
