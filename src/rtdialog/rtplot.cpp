#include "rtplot.h"

#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QLegend>
#include <QLineSeries>
#include <QTimer>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

const QList<int>& RtPlot::spansMs()
{
    static const QList<int> spans{10000, 30000, 120000, 600000};
    return spans;
}

RtPlot::RtPlot(QWidget* parent)
    : QWidget(parent), chart_(new QChart), axisX_(new QValueAxis), axisY_(new QValueAxis),
      redrawTimer_(new QTimer(this))
{
    chart_->legend()->setVisible(true);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setMargins(QMargins(2, 2, 2, 2));
    // The time axis shows seconds before the newest sample, so the lines scroll to the left.
    axisX_->setTitleText(tr("s"));
    axisX_->setTickType(QValueAxis::TicksDynamic);
    axisY_->setTickType(QValueAxis::TicksDynamic);
    // Short tick labels ("-100", "12.5") must never be cut to an ellipsis on a small plot.
    axisX_->setTruncateLabels(false);
    axisY_->setTruncateLabels(false);
    chart_->addAxis(axisX_, Qt::AlignBottom); // the chart owns its axes
    chart_->addAxis(axisY_, Qt::AlignLeft);
    setAxisTicks_(axisX_, xLo_, xHi_, false);
    setAxisTicks_(axisY_, yLo_, yHi_, false);

    view_ = new QChartView(chart_, this); // the view owns the chart
    view_->setRenderHint(QPainter::Antialiasing, false);
    view_->setMinimumHeight(80);
    view_->setMouseTracking(true);
    view_->viewport()->setMouseTracking(true);
    view_->viewport()->installEventFilter(this);
    buildControls_();

    redrawTimer_->setSingleShot(true);
    redrawTimer_->setInterval(RedrawIntervalMs);
    connect(redrawTimer_, &QTimer::timeout, this, &RtPlot::onRedrawTimer_);
}

RtPlot::~RtPlot() = default;

void RtPlot::ensureChannels_(qsizetype count)
{
    const qsizetype old = channels_.size();
    if (count <= old)
        return;
    channels_.resize(count);
    // A channel new to the plot has had no value at the samples taken so far.
    for (qsizetype i = old; i < count; ++i)
        channels_[i].values.fill(std::numeric_limits<float>::quiet_NaN(), times_.size());
}

void RtPlot::addSample(qint64 msecs, const QVector<double>& values)
{
    ensureChannels_(values.size());
    const double t = msecs / 1000.0;
    times_.append(t);
    for (qsizetype i = 0; i < channels_.size(); ++i) {
        channels_[i].values.append(i < values.size() ? float(values.at(i))
                                                     : std::numeric_limits<float>::quiet_NaN());
    }
    // Keep one sample older than the history so a line still runs in from the left edge.
    const double cutoff = t - HistoryMs / 1000.0;
    qsizetype stale = 0;
    while (stale + 1 < times_.size() && times_.at(stale + 1) < cutoff)
        ++stale;
    stale = std::max(stale, times_.size() - MaxSamples);
    if (stale > 0) {
        times_.remove(0, stale);
        for (Channel& ch : channels_)
            ch.values.remove(0, stale);
    }
    // A paused plot holds still: new samples are kept, not drawn.
    if (following_)
        scheduleRedraw_();
}

void RtPlot::setChannelShown(int channel, const QString& name, bool shown)
{
    if (channel < 0)
        return;
    ensureChannels_(channel + 1);
    Channel& ch = channels_[channel];
    if (shown) {
        if (!ch.series) {
            // The name's own colour, or the next one no other drawn line has.
            QList<QRgb> taken;
            for (const Channel& other : std::as_const(channels_)) {
                if (other.series)
                    taken << other.series->color().rgb();
            }
            const QColor preferred = colourFor(name);
            int index = 0;
            while (index < 32 && paletteColour(index) != preferred)
                ++index;
            QColor colour = preferred;
            for (int k = 0; k < 32 && taken.contains(colour.rgb()); ++k)
                colour = paletteColour((index + k + 1) % 32);
            ch.series = new QLineSeries;
            // A one-pixel cosmetic pen is drawn without stroking: redraws of many long lines
            // cost a fraction of what a wider pen costs.
            QPen pen(colour, 1);
            pen.setCosmetic(true);
            ch.series->setPen(pen);
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
    times_.clear();
    scheduleRedraw_();
}

qint64 RtPlot::sampleBytes() const
{
    qint64 bytes = times_.capacity() * qint64(sizeof(double));
    for (const Channel& ch : channels_)
        bytes += ch.values.capacity() * qint64(sizeof(float));
    return bytes;
}

QColor RtPlot::paletteColour(int index)
{
    // Sixteen colours far apart, then lighter shades of them.
    static const QRgb palette[16] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd, 0x17becf,
                                     0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x000080, 0x800000,
                                     0x008080, 0xffd700, 0x000000, 0xff00ff};
    index = qAbs(index) % 32;
    const QColor base = QColor::fromRgb(palette[index % 16]);
    if (index < 16)
        return base;
    // lighter() cannot brighten black; mix every colour with white instead.
    return QColor::fromRgbF(0.45f + 0.55f * base.redF(), 0.45f + 0.55f * base.greenF(),
                            0.45f + 0.55f * base.blueF());
}

QColor RtPlot::colourFor(const QString& name)
{
    // FNV-1a over the name's UTF-16 units: the same on every run and every Qt version, unlike
    // qHash, which is seeded per process.
    quint32 hash = 2166136261u;
    for (QChar c : name.trimmed()) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return paletteColour(int(hash % 32));
}

RtPlot::Ticks RtPlot::niceTicks(double lo, double hi, int target)
{
    if (!(hi > lo)) {
        // A flat line gets a range around its value.
        lo -= 1;
        hi += 1;
    }
    const double raw = (hi - lo) / std::max(target, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double mantissa = raw / magnitude;
    const double step = (mantissa <= 1 ? 1 : mantissa <= 2 ? 2 : mantissa <= 5 ? 5 : 10) * magnitude;
    Ticks ticks;
    ticks.step = step;
    ticks.lo = std::floor(lo / step + 1e-9) * step;
    ticks.hi = std::ceil(hi / step - 1e-9) * step;
    ticks.decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    return ticks;
}

void RtPlot::setAxisTicks_(QValueAxis* axis, double lo, double hi, bool widen)
{
    const Ticks ticks = niceTicks(lo, hi, axis == axisX_ ? 6 : 5);
    if (widen) {
        lo = ticks.lo;
        hi = ticks.hi;
    }
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(ticks.decimals));
    axis->setTickAnchor(0);
    axis->setTickInterval(ticks.step);
    axis->setRange(lo, hi);
}

QList<QPointF> RtPlot::linePoints(const QList<double>& times, const QList<float>& values,
                                  qsizetype first, qsizetype last, double origin, double from,
                                  double to, int columns)
{
    QList<QPointF> line;
    first = std::max<qsizetype>(first, 0);
    last = std::min({last, times.size(), values.size()});
    columns = std::max(columns, 1);
    const qsizetype limit = 2 * qsizetype(columns) + 2;
    if (last - first <= limit) {
        line.reserve(last - first);
        for (qsizetype i = first; i < last; ++i) {
            if (!std::isnan(values.at(i)))
                line.append(QPointF(times.at(i) - origin, values.at(i)));
        }
        return line;
    }
    // More samples than the plot has pixels: each column keeps its lowest and its highest
    // sample, in time order, so a one-sample spike still shows.
    const double columnWidth = (to - from) / columns;
    line.reserve(limit);
    qsizetype low = -1;
    qsizetype high = -1;
    qint64 column = -1;
    auto flush = [&] {
        if (low < 0)
            return;
        const qsizetype a = std::min(low, high);
        const qsizetype b = std::max(low, high);
        line.append(QPointF(times.at(a) - origin, values.at(a)));
        if (a != b)
            line.append(QPointF(times.at(b) - origin, values.at(b)));
    };
    for (qsizetype i = first; i < last; ++i) {
        const float v = values.at(i);
        if (std::isnan(v))
            continue;
        const qint64 c = std::clamp<qint64>(qint64(std::floor((times.at(i) - from) / columnWidth)),
                                            -1, columns);
        if (low < 0 || c != column) {
            flush();
            column = c;
            low = high = i;
            continue;
        }
        if (v < values.at(low))
            low = i;
        if (v > values.at(high))
            high = i;
    }
    flush();
    return line;
}

std::pair<qsizetype, qsizetype> RtPlot::indexRange_(double from, double to) const
{
    const auto begin = std::lower_bound(times_.cbegin(), times_.cend(), from);
    const auto end = std::upper_bound(begin, times_.cend(), to);
    return {std::max<qsizetype>(begin - times_.cbegin() - 1, 0),
            std::min<qsizetype>(end - times_.cbegin() + 1, times_.size())};
}

void RtPlot::redraw()
{
    QElapsedTimer spent;
    spent.start();
    dirty_ = false;
    ++redrawCount_;
    if (following_) {
        anchorS_ = latestS_();
        xLo_ = -spanMs_ / 1000.0;
        xHi_ = 0;
    }
    const double from = anchorS_ + xLo_;
    const double to = anchorS_ + xHi_;
    const auto [first, last] = indexRange_(from, to);
    // One lowest and one highest sample every two pixels: a one-sample spike still shows, and
    // the chart has half as many points to lay out as at one column a pixel.
    const int columns = std::max(200, int(chart_->plotArea().width()) / 2);
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    for (Channel& ch : channels_) {
        if (!ch.series)
            continue;
        const QList<QPointF> line =
            linePoints(times_, ch.values, first, last, anchorS_, from, to, columns);
        for (const QPointF& p : line) {
            if (p.x() >= xLo_ && p.x() <= xHi_) {
                lo = std::min(lo, p.y());
                hi = std::max(hi, p.y());
            }
        }
        ch.series->replace(line);
    }
    setAxisTicks_(axisX_, xLo_, xHi_, false);
    if (userY_) {
        setAxisTicks_(axisY_, yLo_, yHi_, false);
    } else if (!autoY_) {
        yLo_ = fixedLo_;
        yHi_ = fixedHi_;
        setAxisTicks_(axisY_, yLo_, yHi_, false);
    } else {
        if (lo > hi) {
            lo = -1;
            hi = 1;
        }
        // Round ticks around the drawn values, with room above and below the extremes.
        const Ticks ticks = niceTicks(lo, hi);
        // (Samples are kept as float: a value on a tick counts as on it.)
        const double near = ticks.step * 1e-3;
        yLo_ = ticks.lo < lo - near ? ticks.lo : ticks.lo - ticks.step;
        yHi_ = ticks.hi > hi + near ? ticks.hi : ticks.hi + ticks.step;
        setAxisTicks_(axisY_, yLo_, yHi_, false);
    }
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
    // A hidden plot is brought up to date when it is shown again: no timer runs for it.
    if (isVisible() && !redrawTimer_->isActive())
        redrawTimer_->start();
}

void RtPlot::onRedrawTimer_()
{
    // A hidden plot is brought up to date when it is shown again.
    if (dirty_ && isVisible())
        redraw();
}
