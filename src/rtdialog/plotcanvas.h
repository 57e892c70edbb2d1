#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <QWidget>

// A plain line plot painted by hand: lines of points, a value axis on the left, a time axis at
// the bottom, light grid lines at round ticks, and a legend under the plot.
//
// Everything that depends on the size, the font, the ranges or the lines (the plot area, the
// ticks and their labels, the legend's places, the lines in pixels) is worked out when one of
// them changes, and everything but the lines is painted once into a backdrop: a repaint while
// the lines scroll copies the backdrop and draws the lines.
class PlotCanvas : public QWidget
{
    Q_OBJECT
public:
    // Round steps of 1, 2 or 5 times a power of ten, about `target` of them over lo..hi; the
    // range widened to whole steps.
    struct Ticks
    {
        double lo = 0;
        double hi = 0;
        double step = 1;
        int decimals = 0;
    };
    static Ticks niceTicks(double lo, double hi, int target = 5);

    // `colour`, or the nearest shade of it (towards white on a dark background, towards black
    // on a light one) whose contrast ratio against `background` is at least kMinContrast, so
    // that every line stays visible in any theme.
    static constexpr double kMinContrast = 3.0;
    static QColor readableOn(const QColor& colour, const QColor& background);
    // The contrast ratio of two colours, from 1 (the same) to 21 (black and white).
    static double contrast(const QColor& a, const QColor& b);

    struct Line
    {
        QString name;
        QColor colour;
        // In axis units; x relative to the same origin as the time range.
        QList<QPointF> points;
    };

    explicit PlotCanvas(QWidget* parent = nullptr);

    // The lines to draw, in legend order, over the time range xLo..xHi and the value range
    // yLo..yHi (an empty range keeps the one before).
    void setPlot(const QList<Line>& lines, double xLo, double xHi, double yLo, double yHi);
    const QList<Line>& lines() const { return lines_; }
    void setTimeTitle(const QString& title);

    // Where the lines are drawn, in the canvas' pixels.
    QRect plotArea() const { return area_; }
    // The ticks drawn on either axis, and their labels in order.
    Ticks timeTicks() const { return xTicks_; }
    Ticks valueTicks() const { return yTicks_; }
    struct Label
    {
        QRect rect;
        QString text;
    };
    QList<Label> tickLabels(Qt::Orientation orientation) const
    {
        return orientation == Qt::Horizontal ? xLabels_ : yLabels_;
    }
    // Each drawn line's legend entry: the rectangle of its swatch and name, and the name as
    // shown (shortened when the legend is crowded).
    QList<Label> legendEntries() const;
    // The pixel of the canvas where a point of the axes' values is drawn.
    QPointF pixelAt(const QPointF& value) const;

    QSize sizeHint() const override { return {400, 260}; }
    QSize minimumSizeHint() const override { return {120, 80}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct LegendEntry
    {
        QRect swatch;
        QRect text;
        QString name; // elided to fit when the legend is crowded
    };

    void layout_();
    int layoutLegend_(int width, int maxHeight);
    void mapLines_();
    // Texts laid out once, drawn at their places on the backdrop.
    void prepareTexts_();
    // Everything but the lines, in the theme's colours; the legend's swatches in `colours`.
    void paintBackdrop_(const QList<QColor>& colours);

    QList<Line> lines_;
    QList<QPolygonF> pixels_; // lines_ in pixels, one per line
    QString timeTitle_;
    double xLo_ = -1;
    double xHi_ = 0;
    double yLo_ = -1;
    double yHi_ = 1;

    QRect area_;
    Ticks xTicks_;
    Ticks yTicks_;
    QList<QLineF> grid_;
    QList<QLineF> tickMarks_;
    QList<Label> xLabels_;
    QList<Label> yLabels_;
    Label title_;
    QList<LegendEntry> legend_;
    QList<std::pair<QPointF, QStaticText>> texts_;
    // readableOn() of each line colour on readableBackground_: a repaint looks them up instead
    // of working out the contrast again (it costs a few powers a colour).
    QHash<QRgb, QColor> readable_;
    QColor readableBackground_;
    // The painted axes, grid, labels and legend; null when they must be painted anew.
    QPixmap backdrop_;
};
