#include "rtplot.h"

#include "displaytick.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <limits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {
// The lowest and the highest of `count` values, those that are not numbers left out; lo above
// hi when there is none.
void minMax(const float* v, qsizetype count, float& lo, float& hi)
{
    lo = std::numeric_limits<float>::infinity();
    hi = -lo;
    qsizetype i = 0;
#ifdef __SSE2__
    // minps and maxps give their second operand when either is not a number: a missing value
    // never displaces the running extremes.
    __m128 lo4 = _mm_set1_ps(lo);
    __m128 hi4 = _mm_set1_ps(hi);
    for (; i + 4 <= count; i += 4) {
        const __m128 x = _mm_loadu_ps(v + i);
        lo4 = _mm_min_ps(x, lo4);
        hi4 = _mm_max_ps(x, hi4);
    }
    alignas(16) float los[4];
    alignas(16) float his[4];
    _mm_store_ps(los, lo4);
    _mm_store_ps(his, hi4);
    for (int k = 0; k < 4; ++k) {
        lo = std::min(lo, los[k]);
        hi = std::max(hi, his[k]);
    }
#endif
    for (; i < count; ++i) {
        // Comparisons with a missing value are false.
        if (v[i] < lo)
            lo = v[i];
        if (v[i] > hi)
            hi = v[i];
    }
}

// The index of the first of v[from..to) that equals `value`, which is among them.
qsizetype firstOf(const float* v, qsizetype from, qsizetype to, float value)
{
    qsizetype i = from;
#ifdef __SSE2__
    const __m128 wanted = _mm_set1_ps(value);
    for (; i + 4 <= to; i += 4) {
        const int mask = _mm_movemask_ps(_mm_cmpeq_ps(_mm_loadu_ps(v + i), wanted));
        if (mask)
            return i + __builtin_ctz(unsigned(mask));
    }
#endif
    while (v[i] != value)
        ++i;
    return i;
}
} // namespace

const QList<int>& RtPlot::spansMs()
{
    static const QList<int> spans{10000, 30000, 120000, 600000};
    return spans;
}

int RtPlot::redrawIntervalMs(int spanMs, int areaWidth, int redrawMs)
{
    // Scrolling, the lines move one pixel per redraw at most: a redraw more often than the
    // span covers a pixel would draw the same picture. On a slow machine with many lines the
    // redraws are spaced out so that the window stays responsive.
    const qint64 perPixel = areaWidth > 0 ? spanMs / areaWidth : 0;
    const qint64 wanted = std::max<qint64>(perPixel, qint64(redrawMs) * 10);
    // A period the display ticks of the other views divide or are a multiple of, so that the
    // plot mostly repaints in the same pass as they do: the longest one within a quarter
    // above the wanted time.
    int period = RedrawIntervalMs;
    for (int candidate : {50, 100, 200, 400}) {
        if (candidate <= wanted * 5 / 4)
            period = candidate;
    }
    return std::clamp(period, RedrawIntervalMs, MaxRedrawIntervalMs);
}

RtPlot::RtPlot(QWidget* parent)
    : QWidget(parent), canvas_(new PlotCanvas(this)),
      redrawPacer_(new TickPacer(
          RedrawIntervalMs, [this] { onRedrawTick_(); }, this))
{
    // The time axis shows seconds before the newest sample, so the lines scroll to the left.
    canvas_->setTimeTitle(tr("s"));
    canvas_->setMinimumHeight(80);
    canvas_->setMouseTracking(true);
    canvas_->installEventFilter(this);
    buildControls_();
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
    if (shown && !ch.shown) {
        // The name's own colour, or the next one no other drawn line has.
        QList<QRgb> taken;
        for (const Channel& other : std::as_const(channels_)) {
            if (other.shown)
                taken << other.colour.rgb();
        }
        const QColor preferred = colourFor(name);
        int index = 0;
        while (index < 32 && paletteColour(index) != preferred)
            ++index;
        QColor colour = preferred;
        for (int k = 0; k < 32 && taken.contains(colour.rgb()); ++k)
            colour = paletteColour((index + k + 1) % 32);
        ch.colour = colour;
    }
    if (ch.shown != shown || ch.name != name)
        scheduleRedraw_();
    ch.shown = shown;
    ch.name = shown ? name : QString();
    if (!shown)
        ch.points.clear();
}

bool RtPlot::isChannelShown(int channel) const
{
    return channel >= 0 && channel < channels_.size() && channels_.at(channel).shown;
}

QList<int> RtPlot::drawnChannels() const
{
    QList<int> drawn;
    for (qsizetype i = 0; i < channels_.size(); ++i) {
        if (channels_.at(i).shown)
            drawn << int(i);
    }
    return drawn;
}

QString RtPlot::channelName(int channel) const
{
    return isChannelShown(channel) ? channels_.at(channel).name : QString();
}

QColor RtPlot::channelColour(int channel) const
{
    return isChannelShown(channel) ? channels_.at(channel).colour : QColor();
}

QList<QPointF> RtPlot::drawnPoints(int channel) const
{
    return isChannelShown(channel) ? channels_.at(channel).points : QList<QPointF>();
}

void RtPlot::clear()
{
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

QList<qsizetype> RtPlot::columnBounds(const QList<double>& times, qsizetype first, qsizetype last,
                                      double from, double to, int columns)
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, times.size());
    columns = std::max(columns, 1);
    QList<qsizetype> bounds;
    if (last - first <= 2 * qsizetype(columns) + 2)
        return bounds;
    // The slices lie at whole multiples of their width in time, not at offsets from the
    // range's start: while the range moves with the newest sample, a slice keeps the same
    // samples from one redraw to the next, and the thinned line does not shimmer. The first
    // and the last slice are cut at the ends of the range. Slice i holds the samples from
    // bounds[i] up to bounds[i + 1]; those before bounds.first() (left of the range) and from
    // bounds.last() on (at or right of its end) form one more slice each.
    const double width = (to - from) / columns;
    bounds.reserve(columns + 2);
    auto it = std::lower_bound(times.cbegin() + first, times.cbegin() + last, from);
    const auto end = times.cbegin() + last;
    bounds.append(it - times.cbegin());
    for (double k = std::floor(from / width) + 1; k * width < to; ++k) {
        it = std::lower_bound(it, end, k * width);
        bounds.append(it - times.cbegin());
    }
    bounds.append(std::lower_bound(it, end, to) - times.cbegin());
    return bounds;
}

void RtPlot::thinLine(const QList<double>& times, const QList<float>& values, qsizetype first,
                      qsizetype last, const QList<qsizetype>& bounds, double origin,
                      QList<QPointF>& line)
{
    line.clear();
    first = std::max<qsizetype>(first, 0);
    last = std::min({last, times.size(), values.size()});
    const double* t = times.constData();
    const float* v = values.constData();
    if (bounds.isEmpty()) {
        line.reserve(last - first);
        for (qsizetype i = first; i < last; ++i) {
            if (!std::isnan(v[i]))
                line.append(QPointF(t[i] - origin, v[i]));
        }
        return;
    }
    // More samples than the plot has pixels: each slice keeps its lowest and its highest
    // sample, in time order, so a one-sample spike still shows. First the lowest and highest
    // value (four at a time where the processor can), then the first sample with either.
    line.reserve(2 * bounds.size() + 2);
    auto slice = [&](qsizetype a, qsizetype b) {
        a = std::clamp(a, first, last);
        b = std::clamp(b, a, last);
        float lo = 0;
        float hi = 0;
        minMax(v + a, b - a, lo, hi);
        if (hi < lo)
            return; // no value in the slice
        const qsizetype low = firstOf(v, a, b, lo);
        const qsizetype high = firstOf(v, a, b, hi);
        const qsizetype p = std::min(low, high);
        const qsizetype q = std::max(low, high);
        line.append(QPointF(t[p] - origin, v[p]));
        if (p != q)
            line.append(QPointF(t[q] - origin, v[q]));
    };
    slice(first, bounds.first());
    for (qsizetype c = 0; c + 1 < bounds.size(); ++c)
        slice(bounds.at(c), bounds.at(c + 1));
    slice(bounds.last(), last);
}

QList<QPointF> RtPlot::linePoints(const QList<double>& times, const QList<float>& values,
                                  qsizetype first, qsizetype last, double origin, double from,
                                  double to, int columns)
{
    last = std::min(last, values.size());
    QList<QPointF> line;
    thinLine(times, values, first, last, columnBounds(times, first, last, from, to, columns),
             origin, line);
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
    redrawPacer_->updated();
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
    // there are half as many points to draw as at one column a pixel. The slices are found
    // once for all lines.
    const int columns = columnsFor_(canvas_->plotArea().width());
    const QList<qsizetype> bounds = columnBounds(times_, first, last, from, to, columns);
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    QList<PlotCanvas::Line> lines;
    for (Channel& ch : channels_) {
        if (!ch.shown)
            continue;
        thinLine(times_, ch.values, first, last, bounds, anchorS_, ch.points);
        for (const QPointF& p : std::as_const(ch.points)) {
            if (p.x() >= xLo_ && p.x() <= xHi_) {
                lo = std::min(lo, p.y());
                hi = std::max(hi, p.y());
            }
        }
        lines.append({ch.name, ch.colour, ch.points});
    }
    if (!autoY_ && !userY_) {
        yLo_ = fixedLo_;
        yHi_ = fixedHi_;
    } else if (!userY_) {
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
    }
    canvas_->setPlot(lines, xLo_, xHi_, yLo_, yHi_);
    redrawPacer_->setPeriodMs(
        redrawIntervalMs(spanMs_, canvas_->plotArea().width(), int(spent.elapsed())));
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
    if (isVisible())
        redrawPacer_->request();
}

void RtPlot::onRedrawTick_()
{
    // A hidden plot is brought up to date when it is shown again.
    if (dirty_ && isVisible())
        redraw();
}
