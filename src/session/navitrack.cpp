#include "navitrack.h"

#include <QtMath>

#include <cmath>

namespace {
constexpr double kEarthRadiusM = 6371000.0;
}

bool NaviTrack::add(const NaviData& data)
{
    if (!data.ok() || !data.current.valid() || !data.home.valid())
        return false;
    if (!hasHome_ || data.home.latitudeE7 != home_.latitudeE7 ||
        data.home.longitudeE7 != home_.longitudeE7)
        rebase_(data.home);
    if (positions_.size() >= kMaxPoints) {
        QList<NaviData::Position> kept;
        QList<QPointF> keptPoints;
        for (qsizetype i = 0; i < positions_.size(); i += 2) {
            kept << positions_[i];
            keptPoints << points_[i];
        }
        positions_.swap(kept);
        points_.swap(keptPoints);
    }
    positions_ << data.current;
    points_ << toLocal(data.current);
    return true;
}

void NaviTrack::clear()
{
    points_.clear();
    positions_.clear();
    hasHome_ = false;
}

QPointF NaviTrack::toLocal(const NaviData::Position& pos) const
{
    const double north = qDegreesToRadians((pos.latitudeE7 - home_.latitudeE7) * 1e-7);
    // Longitude differences across the antimeridian wrap to the short way round.
    double dLon = (qint64(pos.longitudeE7) - home_.longitudeE7) * 1e-7;
    if (dLon > 180)
        dLon -= 360;
    else if (dLon < -180)
        dLon += 360;
    const double east = qDegreesToRadians(dLon) * std::cos(qDegreesToRadians(home_.latitude()));
    return {east * kEarthRadiusM, north * kEarthRadiusM};
}

void NaviTrack::rebase_(const NaviData::Position& home)
{
    home_ = home;
    hasHome_ = true;
    for (qsizetype i = 0; i < positions_.size(); ++i)
        points_[i] = toLocal(positions_[i]);
}
