#include "paramset.h"

#include "fielddecoder.h"

#include <QJsonArray>

namespace {
// Padding the line encoding may add behind a payload.
constexpr int kMaxPadding = 2;
} // namespace

ParamSet::ParamSet(const ParamLayout& layout, int setNumber)
    : layout_(layout), bytes_(layout.size(), '\0'), setNumber_(setNumber)
{
    if (!bytes_.isEmpty())
        bytes_[0] = char(layout.revision());
}

bool ParamSet::fromAnswer(const QList<ParamLayout>& layouts, const QByteArray& payload,
                          ParamSet& set, QString& error)
{
    if (payload.size() < 2) {
        error = QStringLiteral("The parameter set answer has %1 bytes, too few to hold a set")
                    .arg(payload.size());
        return false;
    }
    const int at = layouts.isEmpty() ? 1 : layouts.first().structureAt();
    const int revision = at < payload.size() ? quint8(payload.at(at)) : -1;
    const ParamLayout* layout = ParamLayout::find(layouts, revision);
    if (!layout) {
        error = FieldDecoder::unknownRevisionText(revision);
        return false;
    }
    const int expected = layout->structureAt() + layout->size();
    if (payload.size() < expected || payload.size() > expected + kMaxPadding) {
        error = QStringLiteral("The parameter set answer has %1 bytes; revision %2 has %3")
                    .arg(payload.size())
                    .arg(revision)
                    .arg(expected);
        return false;
    }
    ParamSet out(*layout, quint8(payload.at(0)));
    out.bytes_ = payload.mid(layout->structureAt(), layout->size());
    set = out;
    return true;
}

QString ParamSet::name() const
{
    const QJsonValue v = value(QStringLiteral("Name"));
    return v.isString() ? v.toString() : QString();
}

QJsonValue ParamSet::value(const QString& name) const
{
    const ParamField* f = layout_.field(name);
    if (!f || f->offset + f->count > bytes_.size())
        return QJsonValue(QJsonValue::Undefined);
    const QByteArray raw = bytes_.mid(f->offset, f->count);
    if (f->isText) {
        const qsizetype nul = raw.indexOf('\0');
        return QString::fromLatin1(nul < 0 ? raw : raw.left(nul));
    }
    if (!f->isArray)
        return int(quint8(raw.at(0)));
    QJsonArray array;
    for (char c : raw)
        array.append(int(quint8(c)));
    return array;
}

QString ParamSet::checkValue(const ParamField& f, const QJsonValue& value)
{
    const auto element = [&f](const QJsonValue& v, QString& why) {
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d != double(qint64(d))) {
            why = QStringLiteral("%1 wants a whole number").arg(f.name);
            return false;
        }
        if (d < f.minimum() || d > f.maximum()) {
            why = QStringLiteral("%1 is %2, outside %3..%4")
                      .arg(f.name)
                      .arg(qint64(d))
                      .arg(f.minimum())
                      .arg(f.maximum());
            return false;
        }
        return true;
    };
    QString why;
    if (f.isText) {
        if (!value.isString())
            return QStringLiteral("%1 wants a text").arg(f.name);
        const QString text = value.toString();
        for (QChar c : text) {
            if (c.unicode() == 0 || c.unicode() > 0xFF)
                return QStringLiteral("%1 holds a character the device cannot store").arg(f.name);
        }
        if (text.size() > f.count)
            return QStringLiteral("%1 has %2 characters, at most %3 fit")
                .arg(f.name)
                .arg(text.size())
                .arg(f.count);
        return QString();
    }
    if (f.isArray) {
        if (!value.isArray() || value.toArray().size() != f.count)
            return QStringLiteral("%1 wants a list of %2 numbers").arg(f.name).arg(f.count);
        for (const QJsonValue& v : value.toArray()) {
            if (!element(v, why))
                return why;
        }
        return QString();
    }
    return element(value, why) ? QString() : why;
}

bool ParamSet::setValue(const QString& name, const QJsonValue& value, QString& error)
{
    const ParamField* f = layout_.field(name);
    if (!f) {
        error = QStringLiteral("revision %1 has no field %2").arg(revision()).arg(name);
        return false;
    }
    error = checkValue(*f, value);
    if (!error.isEmpty())
        return false;
    if (f->offset == 0 && value.toInt() != revision()) {
        error = QStringLiteral("Revision stays %1: it names the layout").arg(revision());
        return false;
    }
    QByteArray raw;
    if (f->isText) {
        raw = value.toString().toLatin1();
        raw.append(f->count - raw.size(), '\0');
    } else if (f->isArray) {
        for (const QJsonValue& v : value.toArray())
            raw.append(char(v.toInt()));
    } else {
        raw.append(char(value.toInt()));
    }
    bytes_.replace(f->offset, f->count, raw);
    return true;
}

QJsonObject ParamSet::values() const
{
    QJsonObject out;
    for (const ParamField& f : layout_.fields())
        out.insert(f.name, value(f.name));
    return out;
}

QString ParamSet::jsonText(const QJsonValue& v)
{
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(qint64(v.toDouble()));
    if (v.isArray()) {
        QStringList parts;
        for (const QJsonValue& e : v.toArray())
            parts << jsonText(e);
        return parts.join(QLatin1Char(' '));
    }
    return QStringLiteral("—");
}

QString ParamSet::valueText(const QString& name) const
{
    return jsonText(value(name));
}

QStringList ParamSet::rangeErrors() const
{
    QStringList errors;
    for (const ParamField& f : layout_.fields()) {
        const QString why = checkValue(f, value(f.name));
        if (!why.isEmpty())
            errors << why;
    }
    return errors;
}

QByteArray ParamSet::writePayload(QString& error) const
{
    if (!layout_.isValid() || bytes_.size() != layout_.size()) {
        error = QStringLiteral("The set has %1 bytes; revision %2 has %3: nothing is sent")
                    .arg(bytes_.size())
                    .arg(revision())
                    .arg(layout_.size());
        return QByteArray();
    }
    if (setNumber_ < 1 || setNumber_ > 5) {
        error =
            QStringLiteral("Set %1 does not exist: the device keeps sets 1 to 5").arg(setNumber_);
        return QByteArray();
    }
    if (quint8(bytes_.at(0)) != revision()) {
        error =
            QStringLiteral("The set's revision byte is not %1: nothing is sent").arg(revision());
        return QByteArray();
    }
    QByteArray payload(1, char(setNumber_));
    payload.append(bytes_);
    return payload;
}
