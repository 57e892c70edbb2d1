#include "trackview.h"

#include "navitrack.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr double kMinAcrossM = 20.0;
constexpr int kMargin = 12;
} // namespace

TrackView::TrackView(const NaviTrack* track, QWidget* parent) : QWidget(parent), track_(track)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(120, 120);
}

double TrackView::scaleLength(double metresAcross)
{
    const double target = metresAcross / 4;
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= target)
            return step * power;
    return power;
}

void TrackView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Base));
    p.setPen(pal.color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(pal.color(QPalette::Text));
    p.drawText(rect().adjusted(0, 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop, tr("N"));
    if (!track_->hasHome()) {
        p.drawText(rect(), Qt::AlignCenter, tr("No position yet"));
        return;
    }

    // Metres per pixel: the farthest point from home fits, home stays in the middle.
    double reach = kMinAcrossM / 2;
    for (const QPointF& pt : track_->points())
        reach = qMax(reach, qMax(std::abs(pt.x()), std::abs(pt.y())));
    const QRectF area = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const double scale = qMin(area.width(), area.height()) / (2 * reach * 1.05);
    const QPointF centre = area.center();
    const auto toScreen = [&](const QPointF& m) {
        return QPointF(centre.x() + m.x() * scale, centre.y() - m.y() * scale);
    };

    const QList<QPointF>& points = track_->points();
    QPainterPath path;
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (i == 0)
            path.moveTo(toScreen(points[i]));
        else
            path.lineTo(toScreen(points[i]));
    }
    p.setPen(QPen(pal.color(QPalette::Highlight), 1.5));
    p.drawPath(path);

    p.setPen(QPen(pal.color(QPalette::Text), 1.5));
    p.drawLine(centre + QPointF(-5, 0), centre + QPointF(5, 0));
    p.drawLine(centre + QPointF(0, -5), centre + QPointF(0, 5));
    if (!points.isEmpty()) {
        p.setBrush(pal.color(QPalette::Highlight));
        p.drawEllipse(toScreen(points.last()), 4, 4);
    }

    const double across = qMin(area.width(), area.height()) / scale;
    const double bar = scaleLength(across);
    const QPointF left(kMargin, height() - kMargin);
    const QPointF right = left + QPointF(bar * scale, 0);
    p.drawLine(left, right);
    p.drawLine(left, left - QPointF(0, 4));
    p.drawLine(right, right - QPointF(0, 4));
    p.drawText(QRectF(left.x(), left.y() - 20, 200, 16), Qt::AlignLeft | Qt::AlignBottom,
               bar >= 1000 ? tr("%1 km").arg(bar / 1000) : tr("%1 m").arg(bar));
}
