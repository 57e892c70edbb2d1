#include "simparamsets.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {
// The documented ranges lie at the same offsets in both revisions: structure offsets 14..73.
constexpr int kRangedFrom = 14;
struct Range
{
    quint8 min, max;
};
constexpr Range kFree{0, 255};
constexpr Range kRanges[] = {
    {0, 100},  {0, 250}, {0, 32},  {0, 32},   {0, 50},  {0, 250},  {0, 250}, {0, 250}, // 14..21
    {0, 250},  {1, 6},   {0, 64},  {1, 20},   {0, 32},  {33, 250}, {1, 64},  {0, 32},  // 22..29
    {10, 250}, {0, 250}, {0, 250}, {10, 250}, {0, 250}, {0, 16},   {0, 250}, {0, 250}, // 30..37
    {0, 250},  kFree,    {0, 250}, {0, 250},  {0, 250}, {0, 250},  {0, 250}, {0, 250}, // 38..45
    {0, 250},  {0, 250}, {0, 250}, {0, 250},  {0, 250}, {0, 250},  {0, 250}, kFree,    // 46..53
    kFree,     kFree,    kFree,    kFree,     kFree,    {0, 250},  {0, 250}, {0, 250}, // 54..61
    {0, 250},  {0, 250}, {0, 250}, {0, 250},  {0, 250}, kFree,     kFree,    kFree,    // 62..69
    {0, 250},  {0, 250}, {0, 250}, {0, 250}};                                          // 70..73
constexpr int kRangeCount = int(sizeof kRanges / sizeof kRanges[0]);
constexpr int kGyroP = 30;
constexpr int kNameLength = 12;

Range rangeAt(int offset)
{
    const int k = offset - kRangedFrom;
    return k >= 0 && k < kRangeCount ? kRanges[k] : kFree;
}
} // namespace

int SimParamSets::structureSize(int revision)
{
    return revision == 95 ? 126 : revision == 106 ? 144 : 0;
}

SimParamSets::SimParamSets(int revision) : revision_(structureSize(revision) ? revision : 106)
{
    for (int n = 1; n <= kSets; ++n)
        sets_[n - 1] = defaults(n);
}

QByteArray SimParamSets::defaults(int number) const
{
    const int size = structureSize(revision_);
    QByteArray s(size, '\0');
    s[0] = char(revision_);
    for (int channel = 1; channel <= 12; ++channel)
        s[channel] = char(channel);
    for (int offset = kRangedFrom; offset < kRangedFrom + kRangeCount; ++offset) {
        const Range r = rangeAt(offset);
        s[offset] = char(r.max == 255 ? 0 : (r.min + r.max) / 2);
    }
    // The sets differ a little, as a pilot's would.
    s[kGyroP] = char(90 + 10 * number);
    const QByteArray name = "Set " + QByteArray::number(number);
    s.replace(size - kNameLength, name.size(), name);
    return s;
}

void SimParamSets::clamp_(QByteArray& s) const
{
    for (int offset = kRangedFrom; offset < kRangedFrom + kRangeCount && offset < s.size();
         ++offset) {
        const Range r = rangeAt(offset);
        s[offset] = char(qBound<int>(r.min, quint8(s.at(offset)), r.max));
    }
}

bool SimParamSets::handle(char cmd, const QByteArray& payload, char& answer, QByteArray& out)
{
    const int p1 = payload.isEmpty() ? 0 : quint8(payload.at(0));
    switch (cmd) {
    case 'q': {
        if (motorsOn_)
            return false;
        int number = p1 == 0xFF ? active_ : p1;
        if (p1 >= 10 && p1 <= 29) {
            number = qBound(1, p1 % 10, kSets);
            QByteArray fresh = defaults(number);
            if (p1 >= 20) // keep the channel assignment
                fresh.replace(1, 12, sets_[number - 1].mid(1, 12));
            sets_[number - 1] = fresh;
            save_();
        }
        number = qBound(1, number, kSets);
        answer = 'Q';
        out = QByteArray(1, char(number)) + sets_[number - 1];
        return true;
    }
    case 's': {
        answer = 'S';
        out = QByteArray(1, '\0');
        if (motorsOn_ || p1 < 1 || p1 > kSets || payload.size() < 2 ||
            quint8(payload.at(1)) != revision_)
            return true;
        // The length is not checked: a short frame leaves the rest of the buffer as it was.
        QByteArray s = sets_[p1 - 1];
        const QByteArray sent = payload.mid(1, s.size());
        s.replace(0, sent.size(), sent);
        clamp_(s);
        sets_[p1 - 1] = s;
        active_ = p1;
        save_();
        out[0] = char(p1);
        return true;
    }
    case 'f':
        if (motorsOn_)
            return false;
        active_ = qBound(1, p1, kSets);
        save_();
        answer = 'F';
        out = QByteArray(1, char(active_));
        return true;
    default:
        return false;
    }
}

bool SimParamSets::useFile(const QString& path, QString& error)
{
    path_ = path;
    QFile file(path);
    if (!file.exists()) {
        save_();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const QJsonObject root = QJsonDocument::fromJson(file.read(1 << 20)).object();
    const QJsonArray sets = root.value(QStringLiteral("sets")).toArray();
    if (root.value(QStringLiteral("revision")).toInt() != revision_ || sets.size() != kSets) {
        error = QStringLiteral("%1 holds no revision %2 sets").arg(path).arg(revision_);
        return false;
    }
    for (int n = 0; n < kSets; ++n) {
        const QByteArray s = QByteArray::fromHex(sets.at(n).toString().toLatin1());
        if (s.size() != structureSize(revision_)) {
            error = QStringLiteral("%1: set %2 has the wrong length").arg(path).arg(n + 1);
            return false;
        }
        sets_[n] = s;
    }
    active_ = qBound(1, root.value(QStringLiteral("active")).toInt(1), kSets);
    return true;
}

void SimParamSets::save_()
{
    if (path_.isEmpty())
        return;
    QJsonArray sets;
    for (const QByteArray& s : sets_)
        sets.append(QString::fromLatin1(s.toHex()));
    const QJsonObject root{{QStringLiteral("revision"), revision_},
                           {QStringLiteral("active"), active_},
                           {QStringLiteral("sets"), sets}};
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QJsonDocument(root).toJson());
        file.commit();
    }
}
