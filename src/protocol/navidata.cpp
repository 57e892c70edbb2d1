#include "navidata.h"

#include <QCoreApplication>
#include <QtEndian>

namespace {

// Byte offsets of the version 5 layout.
enum Offset : int
{
    kCurrent = 1,
    kTarget = 14,
    kTargetDeviation = 27,
    kHome = 31,
    kHomeDeviation = 44,
    kWaypointIndex = 48,
    kWaypointNumber = 49,
    kSats = 50,
    kAltimeter = 51,
    kVario = 53,
    kFlyingTime = 55,
    kUBat = 57,
    kGroundSpeed = 58,
    kHeading = 60,
    kCompassHeading = 62,
    kAngleNick = 64,
    kAngleRoll = 65,
    kRcQuality = 66,
    kFcFlags = 67,
    kNcFlags = 68,
    kErrorCode = 69,
    kOperatingRadius = 70,
    kTopSpeed = 71,
    kHoldTime = 73,
    kFcFlags2 = 74,
    kSetpointAltitude = 75,
    kGas = 77,
    kCurrentOffset = 78,
    kUsedCapacity = 80
};

template <typename T> T get(const QByteArray& b, int offset)
{
    return qFromLittleEndian<T>(b.constData() + offset);
}

template <typename T> void put(QByteArray& b, int offset, T value)
{
    qToLittleEndian<T>(value, b.data() + offset);
}

NaviData::Position getPosition(const QByteArray& b, int offset)
{
    NaviData::Position p;
    p.longitudeE7 = get<qint32>(b, offset);
    p.latitudeE7 = get<qint32>(b, offset + 4);
    p.altitudeMm = get<qint32>(b, offset + 8);
    p.status = quint8(b.at(offset + 12));
    return p;
}

void putPosition(QByteArray& b, int offset, const NaviData::Position& p)
{
    put<qint32>(b, offset, p.longitudeE7);
    put<qint32>(b, offset + 4, p.latitudeE7);
    put<qint32>(b, offset + 8, p.altitudeMm);
    b[offset + 12] = char(p.status);
}

NaviData::Deviation getDeviation(const QByteArray& b, int offset)
{
    return {get<quint16>(b, offset), get<qint16>(b, offset + 2)};
}

void putDeviation(QByteArray& b, int offset, const NaviData::Deviation& d)
{
    put<quint16>(b, offset, d.distanceDm);
    put<qint16>(b, offset + 2, d.bearing);
}

QStringList flagWords(quint8 flags, const char* const words[8])
{
    QStringList out;
    for (int bit = 0; bit < 8; ++bit)
        if (flags & (1 << bit))
            out << QCoreApplication::translate("NaviData", words[bit]);
    return out;
}

} // namespace

bool NaviData::Position::valid() const
{
    constexpr qint32 kMaxLat = 900000000;
    constexpr qint32 kMaxLon = 1800000000;
    return latitudeE7 >= -kMaxLat && latitudeE7 <= kMaxLat && longitudeE7 >= -kMaxLon &&
           longitudeE7 <= kMaxLon && (latitudeE7 != 0 || longitudeE7 != 0);
}

NaviData NaviData::decode(const QByteArray& payload)
{
    NaviData d;
    d.raw = payload;
    if (payload.isEmpty())
        return d;
    d.version = quint8(payload.at(0));
    if (d.version != kVersion) {
        d.result = Result::OtherVersion;
        return d;
    }
    if (payload.size() < kSize) {
        d.result = Result::TooShort;
        return d;
    }
    const QByteArray& b = payload;
    d.current = getPosition(b, kCurrent);
    d.target = getPosition(b, kTarget);
    d.targetDeviation = getDeviation(b, kTargetDeviation);
    d.home = getPosition(b, kHome);
    d.homeDeviation = getDeviation(b, kHomeDeviation);
    d.waypointIndex = quint8(b.at(kWaypointIndex));
    d.waypointNumber = quint8(b.at(kWaypointNumber));
    d.satellites = quint8(b.at(kSats));
    d.altimeter = get<qint16>(b, kAltimeter);
    d.variometer = get<qint16>(b, kVario);
    d.flyingTimeS = get<quint16>(b, kFlyingTime);
    d.batteryDv = quint8(b.at(kUBat));
    d.groundSpeedCms = get<quint16>(b, kGroundSpeed);
    d.heading = get<qint16>(b, kHeading);
    d.compassHeading = get<qint16>(b, kCompassHeading);
    d.angleNick = qint8(b.at(kAngleNick));
    d.angleRoll = qint8(b.at(kAngleRoll));
    d.rcQuality = quint8(b.at(kRcQuality));
    d.fcFlags = quint8(b.at(kFcFlags));
    d.ncFlags = quint8(b.at(kNcFlags));
    d.errorCode = quint8(b.at(kErrorCode));
    d.operatingRadiusM = quint8(b.at(kOperatingRadius));
    d.topSpeedCms = get<qint16>(b, kTopSpeed);
    d.targetHoldTimeS = quint8(b.at(kHoldTime));
    d.fcFlags2 = quint8(b.at(kFcFlags2));
    d.setpointAltitude = get<qint16>(b, kSetpointAltitude);
    d.gas = quint8(b.at(kGas));
    d.currentDa = get<quint16>(b, kCurrentOffset);
    d.usedCapacityMah = get<quint16>(b, kUsedCapacity);
    d.result = Result::Ok;
    return d;
}

QByteArray NaviData::encode() const
{
    QByteArray b(kSize, '\0');
    b[0] = char(kVersion);
    putPosition(b, kCurrent, current);
    putPosition(b, kTarget, target);
    putDeviation(b, kTargetDeviation, targetDeviation);
    putPosition(b, kHome, home);
    putDeviation(b, kHomeDeviation, homeDeviation);
    b[kWaypointIndex] = char(waypointIndex);
    b[kWaypointNumber] = char(waypointNumber);
    b[kSats] = char(satellites);
    put<qint16>(b, kAltimeter, altimeter);
    put<qint16>(b, kVario, variometer);
    put<quint16>(b, kFlyingTime, flyingTimeS);
    b[kUBat] = char(batteryDv);
    put<quint16>(b, kGroundSpeed, groundSpeedCms);
    put<qint16>(b, kHeading, heading);
    put<qint16>(b, kCompassHeading, compassHeading);
    b[kAngleNick] = char(angleNick);
    b[kAngleRoll] = char(angleRoll);
    b[kRcQuality] = char(rcQuality);
    b[kFcFlags] = char(fcFlags);
    b[kNcFlags] = char(ncFlags);
    b[kErrorCode] = char(errorCode);
    b[kOperatingRadius] = char(operatingRadiusM);
    put<qint16>(b, kTopSpeed, topSpeedCms);
    b[kHoldTime] = char(targetHoldTimeS);
    b[kFcFlags2] = char(fcFlags2);
    put<qint16>(b, kSetpointAltitude, setpointAltitude);
    b[kGas] = char(gas);
    put<quint16>(b, kCurrentOffset, currentDa);
    put<quint16>(b, kUsedCapacity, usedCapacityMah);
    return b;
}

QString NaviData::problem() const
{
    switch (result) {
    case Result::Ok:
        return {};
    case Result::Empty:
        return QCoreApplication::translate("NaviData", "empty navigation record");
    case Result::OtherVersion:
        return QCoreApplication::translate("NaviData",
                                           "navigation record of version %1 (%2 bytes), not %3")
            .arg(version)
            .arg(raw.size())
            .arg(kVersion);
    case Result::TooShort:
        return QCoreApplication::translate("NaviData", "navigation record of %1 bytes, %2 expected")
            .arg(raw.size())
            .arg(kSize);
    }
    return {};
}

QStringList NaviData::ncFlagWords(quint8 flags)
{
    static const char* const words[8] = {QT_TRANSLATE_NOOP("NaviData", "free"),
                                         QT_TRANSLATE_NOOP("NaviData", "position hold"),
                                         QT_TRANSLATE_NOOP("NaviData", "coming home"),
                                         QT_TRANSLATE_NOOP("NaviData", "range limit"),
                                         QT_TRANSLATE_NOOP("NaviData", "no serial link"),
                                         QT_TRANSLATE_NOOP("NaviData", "target reached"),
                                         QT_TRANSLATE_NOOP("NaviData", "manual control"),
                                         QT_TRANSLATE_NOOP("NaviData", "GPS ok")};
    return flagWords(flags, words);
}

QStringList NaviData::fcFlagWords(quint8 flags)
{
    static const char* const words[8] = {QT_TRANSLATE_NOOP("NaviData", "motors run"),
                                         QT_TRANSLATE_NOOP("NaviData", "flying"),
                                         QT_TRANSLATE_NOOP("NaviData", "calibrating"),
                                         QT_TRANSLATE_NOOP("NaviData", "starting"),
                                         QT_TRANSLATE_NOOP("NaviData", "emergency landing"),
                                         QT_TRANSLATE_NOOP("NaviData", "low battery"),
                                         QT_TRANSLATE_NOOP("NaviData", "vario trim up"),
                                         QT_TRANSLATE_NOOP("NaviData", "vario trim down")};
    return flagWords(flags, words);
}

QString NaviData::errorText(int code)
{
    // The Navi Ctrl's own error list for the codes that are stable across firmware versions.
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("NaviData", "no error"),
        QT_TRANSLATE_NOOP("NaviData", "Flight Ctrl not compatible"),
        QT_TRANSLATE_NOOP("NaviData", "MK3MAG not compatible"),
        QT_TRANSLATE_NOOP("NaviData", "no Flight Ctrl communication"),
        QT_TRANSLATE_NOOP("NaviData", "no compass communication"),
        QT_TRANSLATE_NOOP("NaviData", "no GPS communication"),
        QT_TRANSLATE_NOOP("NaviData", "bad compass value"),
        QT_TRANSLATE_NOOP("NaviData", "RC signal lost")};
    if (code < 0 || code >= int(std::size(texts)))
        return {};
    return QCoreApplication::translate("NaviData", texts[code]);
}
