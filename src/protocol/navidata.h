#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The Navi Ctrl's navigation record, the payload of its 'O' answer (version 5, 82 bytes, all
// values little-endian). Decoded whole or not at all: a payload of another version or too short
// keeps its raw bytes and the version it claims, so a view can show what arrived.
class NaviData
{
public:
    static constexpr int kVersion = 5;
    static constexpr int kSize = 82;

    enum class Result
    {
        Ok,
        Empty,        // no version byte at all
        OtherVersion, // a version this layout is not for
        TooShort      // version 5, but fewer than kSize bytes
    };

    // A GPS position: degrees from the 1e-7 degree integers, altitude in metres (sent in mm).
    struct Position
    {
        qint32 longitudeE7 = 0;
        qint32 latitudeE7 = 0;
        qint32 altitudeMm = 0;
        quint8 status = 0;
        double longitude() const { return longitudeE7 * 1e-7; }
        double latitude() const { return latitudeE7 * 1e-7; }
        double altitude() const { return altitudeMm / 1000.0; }
        // Latitude within ±90°, longitude within ±180°, and not the 0/0 a receiver without a
        // fix reports.
        bool valid() const;
    };

    // Distance (sent in dm) and bearing (degrees) to a target or home.
    struct Deviation
    {
        quint16 distanceDm = 0;
        qint16 bearing = 0;
        double distance() const { return distanceDm / 10.0; }
    };

    static NaviData decode(const QByteArray& payload);
    // The payload this record decodes from (kSize bytes, version kVersion): for the simulator.
    QByteArray encode() const;

    Result result = Result::Empty;
    int version = -1; // byte 0 as received; -1 for an empty payload
    QByteArray raw;   // the payload as received
    bool ok() const { return result == Result::Ok; }
    // Why the record is not decoded, for the user (empty when it is).
    QString problem() const;

    Position current;
    Position target;
    Deviation targetDeviation;
    Position home;
    Deviation homeDeviation;
    quint8 waypointIndex = 0;
    quint8 waypointNumber = 0;
    quint8 satellites = 0;
    qint16 altimeter = 0; // barometric, 5 cm steps
    qint16 variometer = 0;
    quint16 flyingTimeS = 0;
    quint8 batteryDv = 0; // 0.1 V
    quint16 groundSpeedCms = 0;
    qint16 heading = 0; // degrees
    qint16 compassHeading = 0;
    qint8 angleNick = 0;
    qint8 angleRoll = 0;
    quint8 rcQuality = 0;
    quint8 fcFlags = 0;
    quint8 ncFlags = 0;
    quint8 errorCode = 0;
    quint8 operatingRadiusM = 0;
    qint16 topSpeedCms = 0;
    quint8 targetHoldTimeS = 0;
    quint8 fcFlags2 = 0;
    qint16 setpointAltitude = 0;
    quint8 gas = 0;
    quint16 currentDa = 0; // 0.1 A
    quint16 usedCapacityMah = 0;

    double barometricAltitude() const { return altimeter * 0.05; }
    double batteryVolts() const { return batteryDv / 10.0; }
    double currentAmps() const { return currentDa / 10.0; }
    double groundSpeed() const { return groundSpeedCms / 100.0; }

    // The set flags as words, lowest bit first.
    static QStringList ncFlagWords(quint8 flags);
    static QStringList fcFlagWords(quint8 flags);
    // The Navi Ctrl's text for an error code; empty when the code is not known here.
    static QString errorText(int code);
};
