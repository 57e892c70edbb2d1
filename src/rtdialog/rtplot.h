#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QVector>
#include <QWidget>

class QChart;
class QChartView;
class QLineSeries;
class QTimer;
class QValueAxis;

// Live plot of the analog channels over the last 30 seconds. Every channel keeps its recent
// samples whether it is drawn or not, so a channel that is switched on shows its recent past at
// once. Samples only mark the plot as changed; the chart is redrawn by a single-shot timer, so
// however fast the samples arrive the chart is rebuilt at most once per redraw interval, and
// not at all while the plot is hidden.
class RtPlot : public QWidget
{
    Q_OBJECT
public:
    static constexpr int WindowMs = 30000;
    // Shortest and longest time between two redraws.
    static constexpr int RedrawIntervalMs = 40;
    static constexpr int MaxRedrawIntervalMs = 500;
    // However fast samples come, a channel keeps no more than this many: 30 s at 200 a second,
    // far beyond what the serial line can carry, so only a flood loses its oldest samples early.
    static constexpr int MaxPointsPerChannel = 6000;

    explicit RtPlot(QWidget* parent = nullptr);
    ~RtPlot() override;

    // One sample per channel taken at time msecs (monotonic, any origin): values[i] belongs to
    // channel i. Channels beyond values.size() get no sample this time.
    void addSample(qint64 msecs, const QVector<int>& values);

    // Draws channel `channel` under the legend name `name`, or stops drawing it. Calling it
    // again for a drawn channel only renames it.
    void setChannelShown(int channel, const QString& name, bool shown);
    bool isChannelShown(int channel) const;

    // Forgets every channel: its samples and its line.
    void clear();

    static QColor channelColour(int channel);
    // The points of one line as drawn: x made relative to `now` (seconds), and thinned to the
    // lowest and highest sample of each of `columns` slices of the window when there are more
    // samples than the plot can show.
    static QList<QPointF> linePoints(const QList<QPointF>& points, qreal now, int columns);
    int sampleCount(int channel) const;

    QChart* chart() const { return chart_; }
    QLineSeries* series(int channel) const;
    int redrawCount() const { return redrawCount_; }

public slots:
    // Rebuilds the drawn lines and the axes from the samples now.
    void redraw();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scheduleRedraw_();
    void onRedrawTimer_();

    struct Channel
    {
        QList<QPointF> points; // x in seconds, oldest first
        QLineSeries* series = nullptr;
    };

    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    QTimer* redrawTimer_ = nullptr;
    QVector<Channel> channels_;
    qint64 latestMs_ = 0;
    bool dirty_ = false;
    int redrawCount_ = 0;
};
