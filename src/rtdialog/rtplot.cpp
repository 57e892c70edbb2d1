#include "rtplot.h"

#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QLegend>
#include <QLineSeries>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

RtPlot::RtPlot(QWidget* parent)
    : QWidget(parent), chart_(new QChart), axisX_(new QValueAxis), axisY_(new QValueAxis),
      redrawTimer_(new QTimer(this))
{
    chart_->legend()->setVisible(true);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setMargins(QMargins(2, 2, 2, 2));

    // The time axis shows seconds before the newest sample, so the lines scroll to the left.
    axisX_->setRange(-WindowMs / 1000.0, 0);
    axisX_->setLabelFormat(QStringLiteral("%.0f"));
    axisX_->setTickCount(7);
    axisX_->setTitleText(tr("s"));
    axisY_->setRange(-2, 2);
    axisY_->setLabelFormat(QStringLiteral("%.0f"));
    chart_->addAxis(axisX_, Qt::AlignBottom); // the chart owns its axes
    chart_->addAxis(axisY_, Qt::AlignLeft);

    view_ = new QChartView(chart_, this); // the view owns the chart
    view_->setRenderHint(QPainter::Antialiasing, false);
    view_->setMinimumHeight(80);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    redrawTimer_->setSingleShot(true);
    redrawTimer_->setInterval(RedrawIntervalMs);
    connect(redrawTimer_, &QTimer::timeout, this, &RtPlot::onRedrawTimer_);
}

RtPlot::~RtPlot() = default;

void RtPlot::addSample(qint64 msecs, const QVector<int>& values)
{
    if (channels_.size() < values.size())
        channels_.resize(values.size());
    latestMs_ = msecs;
    const qreal x = msecs / 1000.0;
    const qreal cutoff = (msecs - WindowMs) / 1000.0;
    for (qsizetype i = 0; i < values.size(); ++i) {
        QList<QPointF>& points = channels_[i].points;
        points.append(QPointF(x, values.at(i)));
        // Keep one sample older than the window so the line runs in from the left edge.
        qsizetype stale = 0;
        while (stale + 1 < points.size() && points.at(stale + 1).x() < cutoff)
            ++stale;
        stale = std::max(stale, points.size() - MaxPointsPerChannel);
        if (stale > 0)
            points.remove(0, stale);
    }
    scheduleRedraw_();
}

void RtPlot::setChannelShown(int channel, const QString& name, bool shown)
{
    if (channel < 0)
        return;
    if (channels_.size() <= channel)
        channels_.resize(channel + 1);
    Channel& ch = channels_[channel];
    if (shown) {
        if (!ch.series) {
            ch.series = new QLineSeries;
            ch.series->setPen(QPen(channelColour(channel), 1.5));
            chart_->addSeries(ch.series); // the chart owns the series
            ch.series->attachAxis(axisX_);
            ch.series->attachAxis(axisY_);
            scheduleRedraw_();
        }
        ch.series->setName(name);
    } else if (ch.series) {
        chart_->removeSeries(ch.series);
        delete ch.series;
        ch.series = nullptr;
        scheduleRedraw_();
    }
}

bool RtPlot::isChannelShown(int channel) const
{
    return channel >= 0 && channel < channels_.size() && channels_.at(channel).series;
}

int RtPlot::sampleCount(int channel) const
{
    return channel >= 0 && channel < channels_.size() ? int(channels_.at(channel).points.size())
                                                      : 0;
}

QLineSeries* RtPlot::series(int channel) const
{
    return channel >= 0 && channel < channels_.size() ? channels_.at(channel).series : nullptr;
}

void RtPlot::clear()
{
    for (Channel& ch : channels_) {
        if (ch.series) {
            chart_->removeSeries(ch.series);
            delete ch.series;
        }
    }
    channels_.clear();
    scheduleRedraw_();
}

QColor RtPlot::channelColour(int channel)
{
    // Sixteen colours far apart, in an order that keeps neighbouring channels (the ones most
    // often drawn together) clearly different; channels 16 to 31 use lighter shades of them.
    static const QRgb palette[16] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd, 0x17becf,
                                     0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x000080, 0x800000,
                                     0x008080, 0xffd700, 0x000000, 0xff00ff};
    const int index = qAbs(channel) % 32;
    const QColor base = QColor::fromRgb(palette[index % 16]);
    if (index < 16)
        return base;
    // lighter() cannot brighten black; mix every colour with white instead.
    return QColor::fromRgbF(0.45f + 0.55f * base.redF(), 0.45f + 0.55f * base.greenF(),
                            0.45f + 0.55f * base.blueF());
}

QList<QPointF> RtPlot::linePoints(const QList<QPointF>& points, qreal now, int columns)
{
    QList<QPointF> line;
    const qsizetype limit = 2 * qsizetype(std::max(columns, 1)) + 2;
    if (points.size() <= limit) {
        line.reserve(points.size());
        for (const QPointF& p : points)
            line.append(QPointF(p.x() - now, p.y()));
        return line;
    }
    // More samples than the plot has pixels: each column keeps its lowest and its highest
    // sample, in time order, so a one-sample spike still shows.
    const qreal windowS = WindowMs / 1000.0;
    const qreal columnWidth = windowS / std::max(columns, 1);
    line.reserve(limit);
    qsizetype low = 0;
    qsizetype high = 0;
    qint64 column = 0;
    auto flush = [&] {
        const QPointF& a = points.at(std::min(low, high));
        const QPointF& b = points.at(std::max(low, high));
        line.append(QPointF(a.x() - now, a.y()));
        if (low != high)
            line.append(QPointF(b.x() - now, b.y()));
    };
    for (qsizetype i = 0; i < points.size(); ++i) {
        const qreal age = points.at(i).x() - now + windowS;
        const qint64 c = std::max<qint64>(0, qint64(std::floor(age / columnWidth)));
        if (i == 0 || c != column) {
            if (i > 0)
                flush();
            column = c;
            low = high = i;
            continue;
        }
        if (points.at(i).y() < points.at(low).y())
            low = i;
        if (points.at(i).y() > points.at(high).y())
            high = i;
    }
    flush();
    return line;
}

void RtPlot::redraw()
{
    QElapsedTimer spent;
    spent.start();
    dirty_ = false;
    ++redrawCount_;
    const qreal now = latestMs_ / 1000.0;
    const int columns = std::max(200, int(chart_->plotArea().width()));
    qreal lo = std::numeric_limits<qreal>::max();
    qreal hi = std::numeric_limits<qreal>::lowest();
    for (Channel& ch : channels_) {
        if (!ch.series)
            continue;
        const QList<QPointF> line = linePoints(ch.points, now, columns);
        for (const QPointF& p : line) {
            lo = std::min(lo, p.y());
            hi = std::max(hi, p.y());
        }
        ch.series->replace(line);
    }
    if (lo > hi) {
        lo = -2;
        hi = 2;
    } else {
        // At least 2 on each side: five whole-number ticks then never repeat a label.
        const qreal margin = std::max<qreal>(2, (hi - lo) * 0.05);
        lo -= margin;
        hi += margin;
    }
    axisY_->setRange(lo, hi);
    // Painting the lines afterwards costs a few times what rebuilding them does; on a slow
    // machine with many lines the redraws are spaced out so that the window stays responsive.
    redrawTimer_->setInterval(
        int(std::clamp<qint64>(spent.elapsed() * 10, RedrawIntervalMs, MaxRedrawIntervalMs)));
}

void RtPlot::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (dirty_)
        redraw();
}

void RtPlot::scheduleRedraw_()
{
    dirty_ = true;
    if (!redrawTimer_->isActive())
        redrawTimer_->start();
}

void RtPlot::onRedrawTimer_()
{
    // A hidden plot is brought up to date when it is shown again.
    if (dirty_ && isVisible())
        redraw();
}
