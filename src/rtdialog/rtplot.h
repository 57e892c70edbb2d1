#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QVector>
#include <QWidget>

#include "plotcanvas.h"

#include <algorithm>

class QComboBox;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class TickPacer;
class QToolButton;

// Live plot of the analog channels with its controls: pause, time span, automatic or fixed
// value axis, wheel zoom and drag on both axes, a read-out of the sample under the mouse, and
// export of the picture and of the visible samples.
//
// Every channel keeps the last ten minutes of samples whether it is drawn or not, so a channel
// that is switched on, or a longer span, shows the past at once. Samples only mark the plot as
// changed; a single-shot timer redraws, so however fast samples arrive the plot is rebuilt at
// most once per redraw interval, not at all while the plot is hidden, and not at all while it
// is paused: a paused plot holds still (it can be zoomed and dragged) while samples are kept.
class RtPlot : public QWidget
{
    Q_OBJECT
public:
    static constexpr int HistoryMs = 600000;
    // However fast samples come, no more than this many are kept: ten minutes at 100 a second,
    // beyond what the serial line can carry, so only a flood loses its oldest samples early.
    static constexpr int MaxSamples = 60000;
    static constexpr int DefaultSpanMs = 30000;
    static constexpr int RedrawIntervalMs = 40;
    static constexpr int MaxRedrawIntervalMs = 500;
    // The time between two redraws while following: about the time the span puts on one pixel
    // of a plot area `areaWidth` pixels wide, or ten times what the last redraw took
    // (`redrawMs`), rounded to 40, 50, 100, 200 or 400 ms.
    static int redrawIntervalMs(int spanMs, int areaWidth, int redrawMs);
    static const QList<int>& spansMs();

    using Ticks = PlotCanvas::Ticks;
    static Ticks niceTicks(double lo, double hi, int target = 5)
    {
        return PlotCanvas::niceTicks(lo, hi, target);
    }

    explicit RtPlot(QWidget* parent = nullptr);
    ~RtPlot() override;

    // One sample per channel taken at time msecs (monotonic, any origin), in the channel's
    // unit: values[i] belongs to channel i. Channels beyond values.size() have no value then.
    void addSample(qint64 msecs, const QVector<double>& values);

    // Draws channel `channel` under the legend name `name`, or stops drawing it. Calling it
    // again for a drawn channel only renames it. The colour follows the name, not the channel.
    void setChannelShown(int channel, const QString& name, bool shown);
    bool isChannelShown(int channel) const;
    // Forgets every channel: its samples and its line.
    void clear();

    // Preferred colour of a channel name; a drawn channel takes the next free one when another
    // drawn channel has it already.
    static QColor colourFor(const QString& name);
    static QColor paletteColour(int index);

    // The points of one line as drawn, for the samples first..last-1 of `times` (seconds) and
    // `values`: x made relative to `origin`, values that are not numbers left out, and thinned
    // to the lowest and highest sample of each of about `columns` slices of from..to when
    // there are more samples than the plot can show.
    static QList<QPointF> linePoints(const QList<double>& times, const QList<float>& values,
                                     qsizetype first, qsizetype last, double origin, double from,
                                     double to, int columns);
    // The same in two steps, the first shared by every line of a redraw: where each slice
    // starts in `times` (from binary searches), then one line over those slices. The slices
    // are aligned to whole multiples of their width, so there may be one more than `columns`.
    // The bounds are empty when first..last has too few samples to need thinning.
    static QList<qsizetype> columnBounds(const QList<double>& times, qsizetype first,
                                         qsizetype last, double from, double to, int columns);
    static void thinLine(const QList<double>& times, const QList<float>& values, qsizetype first,
                         qsizetype last, const QList<qsizetype>& bounds, double origin,
                         QList<QPointF>& line);

    // The view: time range in seconds relative to the newest sample while following live, or
    // to the newest sample at the moment of pausing.
    bool isPaused() const { return !following_; }
    void setPaused(bool paused);
    // Back to following the newest samples over the chosen span, with the chosen value axis.
    void followLive();
    int spanMs() const { return spanMs_; }
    void setSpanMs(int ms);
    void setAutoValueRange();
    void setFixedValueRange(double lo, double hi);
    bool isAutoValueRange() const { return autoY_; }
    QPointF timeRange() const { return {xLo_, xHi_}; }
    QPointF valueRange() const { return {yLo_, yHi_}; }
    // Zooms both axes by `factor` (below 1: in) around the point at `pos` of the canvas,
    // and drags the view by a distance in pixels; both pause following.
    void zoomAt(const QPoint& pos, double factorX, double factorY);
    void dragBy(const QPoint& pixels);
    // Text of the read-out for the sample nearest to `pos` of the canvas; empty if none.
    QString readoutAt(const QPoint& pos) const;

    // The samples inside the visible time range: a header "time_s" and one column per drawn
    // channel named by its legend name, then one line per sample.
    QString visibleCsv() const;
    // The visible data as a whole file (see FileSafety::writeWhole); false with error set.
    bool saveCsv(const QString& path, QString* error = nullptr) const;
    // PNG, or SVG when the name ends in ".svg", as a whole file (see FileSafety::writeWhole);
    // false with error set when the file is refused or cannot be written.
    bool saveImage(const QString& path, QString* error = nullptr);

    int sampleCount() const { return int(times_.size()); }
    qint64 sampleBytes() const;
    int redrawCount() const { return redrawCount_; }

    // What the last redraw drew: the widget the plot is painted on (mouse input goes there),
    // the drawn channels in legend order, and a channel's name, colour and points (seconds
    // before the newest sample, value) as drawn.
    PlotCanvas* canvas() const { return canvas_; }
    QList<int> drawnChannels() const;
    QString channelName(int channel) const;
    QColor channelColour(int channel) const;
    QList<QPointF> drawnPoints(int channel) const;

public slots:
    // Rebuilds the drawn lines and the axes from the samples now.
    void redraw();

signals:
    void pausedChanged(bool paused);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Channel
    {
        QList<float> values; // one per entry of times_; NaN where the channel had no value
        bool shown = false;
        QString name;
        QColor colour;
        QList<QPointF> points; // as last drawn
    };

    void buildControls_();
    void scheduleRedraw_();
    static int columnsFor_(int width) { return std::max(200, width / 2); }
    void onRedrawTick_();
    void ensureChannels_(qsizetype count);
    void stopFollowing_();
    void onScaleControls_();
    void onSaveImage_();
    void onSaveCsv_();
    QPointF valueAt_(const QPoint& pos) const;
    double latestS_() const { return times_.isEmpty() ? 0.0 : times_.constLast(); }
    // Index range of the samples from..to (absolute seconds), one more on either side.
    std::pair<qsizetype, qsizetype> indexRange_(double from, double to) const;

    PlotCanvas* canvas_ = nullptr;
    TickPacer* redrawPacer_ = nullptr;
    QToolButton* pauseButton_ = nullptr;
    QComboBox* spanBox_ = nullptr;
    QCheckBox* autoBox_ = nullptr;
    QDoubleSpinBox* minBox_ = nullptr;
    QDoubleSpinBox* maxBox_ = nullptr;
    QLabel* readout_ = nullptr;

    QList<double> times_; // seconds, oldest first
    QVector<Channel> channels_;

    bool following_ = true;
    double anchorS_ = 0; // time the view's range is relative to
    double xLo_ = -DefaultSpanMs / 1000.0;
    double xHi_ = 0;
    int spanMs_ = DefaultSpanMs;
    bool autoY_ = true;
    bool userY_ = false; // value range zoomed or dragged by the user
    double fixedLo_ = 0;
    double fixedHi_ = 100;
    double yLo_ = -2;
    double yHi_ = 2;
    QPoint dragFrom_;
    bool dragging_ = false;
    bool dirty_ = false;
    int redrawCount_ = 0;
};
