#pragma once

#include <QPointF>
#include <QWidget>

class NaviTrack;

// The session's track in the frame around home, north up: home as a cross, the path as a
// line, the latest position as a dot, and a scale bar of a round length. The view fits the
// whole track (at least 20 m across) and keeps metres square.
class TrackView : public QWidget
{
    Q_OBJECT
public:
    explicit TrackView(const NaviTrack* track, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {240, 240}; }
    // The scale bar's length for a view this many metres across: 1, 2 or 5 times a power of
    // ten, about a quarter of it.
    static double scaleLength(double metresAcross);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const NaviTrack* track_;
};
