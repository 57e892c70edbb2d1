#include "simflight.h"

#include <QtMath>

#include <cmath>

namespace {
constexpr double kEarthRadiusM = 6371000.0;

NaviData::Position position(double northM, double eastM, double altitudeM)
{
    const double lat = SimFlight::kHomeLatitude + qRadiansToDegrees(northM / kEarthRadiusM);
    const double lon =
        SimFlight::kHomeLongitude +
        qRadiansToDegrees(eastM / (kEarthRadiusM * std::cos(qDegreesToRadians(lat))));
    NaviData::Position p;
    p.latitudeE7 = qint32(std::lround(lat * 1e7));
    p.longitudeE7 = qint32(std::lround(lon * 1e7));
    p.altitudeMm = qint32(std::lround(altitudeM * 1000));
    p.status = 1;
    return p;
}

int degrees(double radians)
{
    const int d = int(std::lround(qRadiansToDegrees(radians))) % 360;
    return d < 0 ? d + 360 : d;
}
} // namespace

bool SimFlight::motorsRun(double t)
{
    const double c = std::fmod(t, kCycleS);
    return c >= kTakeOffS && c < kLandS;
}

NaviData SimFlight::at(double t, int operatingRadiusM)
{
    const double c = std::fmod(t, kCycleS);
    const bool flying = motorsRun(t);
    // Climb to 20 m in 5 s, circle, descend in the last 5 s before landing.
    const double up = flying ? qMin(1.0, qMin(c - kTakeOffS, kLandS - c) / 5.0) : 0.0;
    const double height = 20.0 * up + (flying ? 1.5 * std::sin(t * 0.2) : 0.0);
    const double angle = flying ? 2 * M_PI * (c - kTakeOffS) / kLapS : 0.0;
    // Out to the circle while climbing, back home while descending.
    const double r = kRadiusM * up;
    const double north = r * std::cos(angle);
    const double east = r * std::sin(angle);

    NaviData d;
    d.result = NaviData::Result::Ok;
    d.version = NaviData::kVersion;
    d.home = position(0, 0, 540.0);
    d.current = position(north, east, 540.0 + height);
    d.target = d.home;
    d.homeDeviation.distanceDm = quint16(std::lround(r * 10));
    d.homeDeviation.bearing = qint16(degrees(std::atan2(-east, -north)));
    d.targetDeviation = d.homeDeviation;
    d.satellites = quint8(8 + int(t / 7) % 4);
    d.altimeter = qint16(std::lround(height / 0.05));
    d.variometer = qint16(std::lround(30 * std::cos(t * 0.2)));
    d.flyingTimeS = quint16(flying ? c - kTakeOffS : 0);
    // 4S pack: 16.8 V full, down 0.1 V a minute to 13.2 V, then fresh again.
    d.batteryDv = quint8(168 - int(t / 60) % 37);
    const double speed = flying ? 2 * M_PI * r / kLapS : 0.0;
    d.groundSpeedCms = quint16(std::lround(speed * 100));
    d.heading = qint16(degrees(angle + M_PI / 2));
    d.compassHeading = d.heading;
    d.rcQuality = 200;
    d.fcFlags = flying ? 0x03 : 0x00;
    d.ncFlags = 0x80 | (flying ? 0x02 : 0x01); // GPS ok, position hold or free
    d.operatingRadiusM = quint8(qBound(0, operatingRadiusM, 255));
    d.gas = flying ? 110 : 0;
    d.currentDa = flying ? quint16(150 + std::lround(10 * std::sin(t))) : 5;
    // Roughly 15 A while flying: 15 A * t / 3.6 mAh.
    d.usedCapacityMah = quint16(std::lround(15.0 * std::fmod(t, 37 * 60.0) / 3.6));
    return d;
}
