#pragma once

#include "navidata.h"

#include <QList>
#include <QPointF>

// The positions of a session's navigation records in a local metric frame around home: x east,
// y north, in metres, from an equirectangular projection at home's latitude (exact to well
// under a metre within the few kilometres a copter flies). Bounded: past kMaxPoints every
// other point is dropped, so a long session keeps its whole shape at a coarser step.
class NaviTrack
{
public:
    static constexpr qsizetype kMaxPoints = 20000;

    // Adds the current position of a decoded record; false when it has no valid position or
    // no valid home yet (the home of the latest record is the frame's origin).
    bool add(const NaviData& data);
    void clear();

    const QList<QPointF>& points() const { return points_; }
    bool hasHome() const { return hasHome_; }
    // Where pos lies in the frame around home.
    QPointF toLocal(const NaviData::Position& pos) const;

private:
    void rebase_(const NaviData::Position& home);

    QList<QPointF> points_;
    QList<NaviData::Position> positions_; // as received, to move the points if home moves
    NaviData::Position home_;
    bool hasHome_ = false;
};
