#include "plotcanvas.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int Margin = 4;
constexpr int TickLength = 3;
// Lines are kept this far beyond the plot area at most: a line through a point far outside
// (a strong zoom on the value axis) still leaves the area at nearly the right slope, and the
// painter never meets coordinates too large for its fixed-point arithmetic.
constexpr double Beyond = 100000;

QString tickText(double value, const PlotCanvas::Ticks& ticks)
{
    // A tick at zero computed as -1e-17 still reads "0", not "-0".
    if (std::abs(value) < ticks.step * 1e-6)
        value = 0;
    return QString::number(value, 'f', ticks.decimals);
}

// The tick values of `ticks` inside lo..hi.
QList<double> tickValues(const PlotCanvas::Ticks& ticks, double lo, double hi)
{
    QList<double> values;
    const double eps = (hi - lo) * 1e-9;
    for (double k = std::ceil((lo - eps) / ticks.step);
         k * ticks.step <= hi + eps && values.size() < 100; ++k)
        values.append(k * ticks.step);
    return values;
}

// The finest round ticks, no more than `most` of them inside lo..hi, that are at least
// `spacing` pixels apart over `pixels`; two or more of them rather than a single one, closer
// together down to `closest` if need be.
PlotCanvas::Ticks fittingTicks(double lo, double hi, int most, double pixels, double spacing,
                               double closest)
{
    PlotCanvas::Ticks fallback = PlotCanvas::niceTicks(lo, hi, 1);
    for (double apart : {spacing, closest}) {
        for (int target = 2 * most; target >= 1; --target) {
            const PlotCanvas::Ticks ticks = PlotCanvas::niceTicks(lo, hi, target);
            const qsizetype count = tickValues(ticks, lo, hi).size();
            if (ticks.step / (hi - lo) * pixels < apart || count > most)
                continue;
            if (count >= 2)
                return ticks;
            if (fallback.step > ticks.step)
                fallback = ticks;
        }
    }
    return fallback;
}
} // namespace

PlotCanvas::Ticks PlotCanvas::niceTicks(double lo, double hi, int target)
{
    if (!(hi > lo)) {
        // A flat line gets a range around its value.
        lo -= 1;
        hi += 1;
    }
    const double raw = (hi - lo) / std::max(target, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double mantissa = raw / magnitude;
    const double step = (mantissa <= 1   ? 1
                         : mantissa <= 2 ? 2
                         : mantissa <= 5 ? 5
                                         : 10) *
                        magnitude;
    Ticks ticks;
    ticks.step = step;
    ticks.lo = std::floor(lo / step + 1e-9) * step;
    ticks.hi = std::ceil(hi / step - 1e-9) * step;
    ticks.decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    return ticks;
}

PlotCanvas::PlotCanvas(QWidget* parent) : QWidget(parent)
{
    // Every pixel is painted, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    layout_();
}

void PlotCanvas::setPlot(const QList<Line>& lines, double xLo, double xHi, double yLo, double yHi)
{
    // A new legend can take another number of rows, new ranges other ticks: both change where
    // things go. Otherwise only the lines are placed anew.
    bool relayout = lines.size() != lines_.size();
    for (qsizetype i = 0; !relayout && i < lines.size(); ++i)
        relayout =
            lines.at(i).name != lines_.at(i).name || lines.at(i).colour != lines_.at(i).colour;
    lines_ = lines;
    if (xHi > xLo && yHi > yLo && (xLo != xLo_ || xHi != xHi_ || yLo != yLo_ || yHi != yHi_)) {
        xLo_ = xLo;
        xHi_ = xHi;
        yLo_ = yLo;
        yHi_ = yHi;
        relayout = true;
    }
    if (relayout) {
        layout_();
        update();
    } else {
        // Only the lines moved: the axes, labels and legend around them stay as they are.
        mapLines_();
        update(area_);
    }
}

void PlotCanvas::setTimeTitle(const QString& title)
{
    timeTitle_ = title;
    layout_();
    update();
}

QList<PlotCanvas::Label> PlotCanvas::legendEntries() const
{
    QList<Label> entries;
    for (const LegendEntry& e : legend_)
        entries.append({e.swatch.united(e.text), e.name});
    return entries;
}

QPointF PlotCanvas::pixelAt(const QPointF& value) const
{
    const double sx = area_.width() / (xHi_ - xLo_);
    const double sy = area_.height() / (yHi_ - yLo_);
    return {area_.left() + (value.x() - xLo_) * sx,
            area_.top() + area_.height() - (value.y() - yLo_) * sy};
}

void PlotCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layout_();
}

void PlotCanvas::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layout_();
    // A theme change while running: the backdrop is painted anew in the theme's colours, also
    // while the plot is paused and nothing else would repaint it.
    if (event->type() == QEvent::PaletteChange) {
        backdrop_ = QPixmap();
        update();
    }
}

namespace {

// Relative luminance of an sRGB colour.
double luminance(const QColor& c)
{
    const auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QColor mixed(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

double PlotCanvas::contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor PlotCanvas::readableOn(const QColor& colour, const QColor& background)
{
    if (contrast(colour, background) >= kMinContrast)
        return colour;
    const QColor target = luminance(background) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    // The least mixing that is enough: the contrast grows with the share of the target.
    double lo = 0;
    double hi = 1;
    for (int i = 0; i < 12; ++i) {
        const double mid = (lo + hi) / 2;
        (contrast(mixed(colour, target, mid), background) >= kMinContrast ? hi : lo) = mid;
    }
    return mixed(colour, target, hi);
}

int PlotCanvas::layoutLegend_(int width, int maxHeight)
{
    legend_.clear();
    if (lines_.isEmpty())
        return 0;
    const QFontMetrics fm = fontMetrics();
    const int rowHeight = fm.height() + 2;
    const int fullSwatch = std::max(6, fm.height() - 6);
    const int gap = 4;
    const int spacing = 12;
    // First as a flowing row of whole names, wrapping where the next one does not fit.
    QList<int> textWidths;
    for (const Line& line : std::as_const(lines_))
        textWidths << fm.horizontalAdvance(line.name);
    int rows = 1;
    int x = 0;
    for (int w : std::as_const(textWidths)) {
        const int entry = fullSwatch + gap + w;
        if (x > 0 && x + entry > width) {
            ++rows;
            x = 0;
        }
        x += entry + spacing;
    }
    const int rowsAllowed = std::max(1, maxHeight / rowHeight);
    const bool crowded = rows > rowsAllowed;
    // Too many rows for the room: a grid of as many rows as fit, each column as wide as its
    // widest entry; when they do not fit side by side, the widest columns are narrowed to one
    // width, just enough, and their names shortened.
    const qsizetype columns = crowded ? (lines_.size() + rowsAllowed - 1) / rowsAllowed : 1;
    const int columnSpacing = 8;
    QList<int> columnWidths(columns, 0);
    for (qsizetype i = 0; crowded && i < lines_.size(); ++i) {
        int& cw = columnWidths[i % columns];
        cw = std::max(cw, fullSwatch + gap + textWidths.at(i) + columnSpacing);
    }
    if (crowded) {
        QList<int> sorted = columnWidths;
        std::sort(sorted.begin(), sorted.end());
        int cap = sorted.last();
        int narrower = 0; // total width of the columns below the cap
        for (qsizetype k = 0; k < sorted.size(); ++k) {
            const int even = (width - narrower) / int(sorted.size() - k);
            if (sorted.at(k) > even) {
                cap = std::max(even, 1);
                break;
            }
            narrower += sorted.at(k);
        }
        for (int& cw : columnWidths)
            cw = std::min(cw, cap);
    }
    rows = 1;
    x = 0;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        LegendEntry e;
        int textWidth = textWidths.at(i);
        int swatch = fullSwatch;
        e.name = lines_.at(i).name;
        if (crowded) {
            const int cw = columnWidths.at(i % columns);
            swatch = std::clamp(cw - 2, 1, fullSwatch);
            if (i > 0 && i % columns == 0) {
                ++rows;
                x = 0;
            }
            if (swatch + gap + textWidth + columnSpacing > cw) {
                e.name = fm.elidedText(e.name, Qt::ElideRight,
                                       std::max(0, cw - swatch - gap - columnSpacing));
                textWidth = fm.horizontalAdvance(e.name);
            }
        } else if (x > 0 && x + swatch + gap + textWidth > width) {
            ++rows;
            x = 0;
        }
        const int y = (rows - 1) * rowHeight;
        e.swatch = QRect(x, y + (rowHeight - swatch) / 2, swatch, swatch);
        e.text = QRect(x + swatch + gap, y, textWidth, rowHeight);
        legend_.append(e);
        x += crowded ? columnWidths.at(i % columns) : swatch + gap + textWidth + spacing;
    }
    // Centred as a block under the plot.
    int used = 0;
    for (const LegendEntry& e : std::as_const(legend_))
        used = std::max(used, e.text.right() + 1);
    const int shift = std::max(0, (width - used) / 2);
    for (LegendEntry& e : legend_) {
        e.swatch.translate(shift, 0);
        e.text.translate(shift, 0);
    }
    return rows * rowHeight;
}

void PlotCanvas::layout_()
{
    const QFontMetrics fm = fontMetrics();
    const int lineHeight = fm.height();
    const int w = width();
    const int h = height();

    // The legend first: it may take up to two fifths of the height, the plot keeps the rest.
    const int legendHeight = layoutLegend_(w - 2 * Margin, std::max(lineHeight + 2, h * 2 / 5));
    const int legendTop = h - Margin - legendHeight;
    for (LegendEntry& e : legend_) {
        e.swatch.translate(Margin, legendTop);
        e.text.translate(Margin, legendTop);
    }

    const int top = Margin + lineHeight / 2;
    const int labelTop = legendTop - (legendHeight > 0 ? 2 : 0) - lineHeight;
    const int bottom = std::max(top + 1, labelTop - TickLength);

    // Value axis: ticks at least two lines apart, their labels right-aligned left of it.
    yTicks_ = fittingTicks(yLo_, yHi_, 8, bottom - top, 2 * lineHeight, lineHeight + 2);
    const QList<double> yValues = tickValues(yTicks_, yLo_, yHi_);
    int labelWidth = 0;
    QStringList yTexts;
    for (double v : yValues) {
        yTexts << tickText(v, yTicks_);
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(yTexts.last()));
    }
    const int left = Margin + labelWidth + TickLength + 2;

    // Time axis: the title after the last label, room for half a label at the right end.
    const int titleWidth = timeTitle_.isEmpty() ? 0 : fm.horizontalAdvance(timeTitle_) + 4;
    const int wideLabel = fm.horizontalAdvance(QStringLiteral("-000.0"));
    const int right = w - Margin - titleWidth - wideLabel / 2;
    area_ = QRect(QPoint(left, top), QPoint(std::max(left + 1, right), bottom));
    xTicks_ = fittingTicks(xLo_, xHi_, 8, area_.width(), wideLabel + 16, wideLabel + 6);

    grid_.clear();
    tickMarks_.clear();
    yLabels_.clear();
    xLabels_.clear();
    int lastBottom = h + lineHeight;
    for (qsizetype i = 0; i < yValues.size(); ++i) {
        const double y = std::round(pixelAt({xLo_, yValues.at(i)}).y());
        grid_.append(QLineF(area_.left() + 1, y, area_.right(), y));
        tickMarks_.append(QLineF(area_.left() - TickLength, y, area_.left() - 1, y));
        // Centred on its tick, moved inside the canvas at the ends, left out where it would
        // overlap its neighbour below.
        QRect r(Margin, int(y) - lineHeight / 2, labelWidth, lineHeight);
        r.moveTop(std::clamp(r.top(), 0, std::max(0, h - lineHeight)));
        if (r.bottom() >= lastBottom)
            continue;
        lastBottom = r.top();
        yLabels_.append({r, yTexts.at(i)});
    }
    int lastRight = -1;
    const int labelRight = w - Margin - titleWidth;
    for (double v : tickValues(xTicks_, xLo_, xHi_)) {
        const double x = std::round(pixelAt({v, yLo_}).x());
        grid_.append(QLineF(x, area_.top(), x, area_.bottom() - 1));
        tickMarks_.append(QLineF(x, area_.bottom() + 1, x, area_.bottom() + TickLength));
        const QString text = tickText(v, xTicks_);
        const int textWidth = fm.horizontalAdvance(text);
        QRect r(int(x) - textWidth / 2, labelTop, textWidth, lineHeight);
        r.moveLeft(std::clamp(r.left(), 0, std::max(0, labelRight - textWidth)));
        if (r.left() <= lastRight + 4)
            continue;
        lastRight = r.right();
        xLabels_.append({r, text});
    }
    title_ = {QRect(labelRight + 4, labelTop, titleWidth - 4, lineHeight), timeTitle_};
    prepareTexts_();
    mapLines_();
    backdrop_ = QPixmap();
}

void PlotCanvas::prepareTexts_()
{
    texts_.clear();
    auto add = [this](const QRect& rect, const QString& text, Qt::Alignment align) {
        QStaticText prepared(text);
        prepared.setTextFormat(Qt::PlainText);
        prepared.prepare(QTransform(), font());
        const QSizeF size = prepared.size();
        const double x = align & Qt::AlignRight ? rect.left() + rect.width() - size.width()
                         : align & Qt::AlignHCenter
                             ? rect.left() + (rect.width() - size.width()) / 2
                             : rect.left();
        texts_.append({QPointF(x, rect.top() + (rect.height() - size.height()) / 2), prepared});
    };
    for (const Label& label : std::as_const(yLabels_))
        add(label.rect, label.text, Qt::AlignRight);
    for (const Label& label : std::as_const(xLabels_))
        add(label.rect, label.text, Qt::AlignHCenter);
    add(title_.rect, title_.text, Qt::AlignLeft);
    for (const LegendEntry& e : std::as_const(legend_))
        add(e.text, e.name, Qt::AlignLeft);
}

void PlotCanvas::mapLines_()
{
    pixels_.resize(lines_.size());
    const double sx = area_.width() / (xHi_ - xLo_);
    const double sy = area_.height() / (yHi_ - yLo_);
    const double x0 = area_.left() - xLo_ * sx;
    const double y0 = area_.top() + area_.height() + yLo_ * sy;
    const double minX = area_.left() - Beyond;
    const double maxX = area_.right() + Beyond;
    const double minY = area_.top() - Beyond;
    const double maxY = area_.bottom() + Beyond;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QList<QPointF>& points = lines_.at(i).points;
        QPolygonF& pixels = pixels_[i];
        pixels.resize(points.size());
        QPointF* out = pixels.data();
        for (const QPointF& p : points) {
            *out++ = QPointF(std::clamp(x0 + p.x() * sx, minX, maxX),
                             std::clamp(y0 - p.y() * sy, minY, maxY));
        }
    }
}

void PlotCanvas::paintBackdrop_(const QList<QColor>& colours)
{
    const qreal ratio = devicePixelRatioF();
    backdrop_ = QPixmap(size() * ratio);
    backdrop_.setDevicePixelRatio(ratio);
    QPainter painter(&backdrop_);
    // The theme's colours: the plot is a field of text like an entry box.
    const QColor background = palette().color(QPalette::Base);
    const QColor ink = palette().color(QPalette::Text);
    painter.fillRect(rect(), background);
    painter.setPen(mixed(background, ink, 0.12));
    painter.drawLines(grid_);
    painter.setPen(mixed(background, ink, 0.45));
    painter.drawRect(area_);
    painter.drawLines(tickMarks_);
    painter.setPen(ink);
    for (const auto& [at, text] : std::as_const(texts_))
        painter.drawStaticText(at, text);
    for (qsizetype i = 0; i < legend_.size() && i < colours.size(); ++i)
        painter.fillRect(legend_.at(i).swatch, colours.at(i));
}

void PlotCanvas::paintEvent(QPaintEvent*)
{
    const QColor background = palette().color(QPalette::Base);
    if (background != readableBackground_) {
        readable_.clear();
        readableBackground_ = background;
        backdrop_ = QPixmap();
    }
    QList<QColor> colours;
    colours.reserve(lines_.size());
    for (const Line& line : std::as_const(lines_)) {
        auto it = readable_.constFind(line.colour.rgba());
        if (it == readable_.cend())
            it = readable_.insert(line.colour.rgba(), readableOn(line.colour, background));
        colours.append(*it);
    }
    // Axes, grid, labels and legend change only with the layout or the theme: they are painted
    // once into the backdrop, and a repaint while the lines scroll copies it.
    if (backdrop_.isNull() || backdrop_.deviceIndependentSize() != QSizeF(size()) ||
        backdrop_.devicePixelRatio() != devicePixelRatioF())
        paintBackdrop_(colours);
    QPainter painter(this);
    painter.drawPixmap(0, 0, backdrop_);

    // One-pixel cosmetic pens without antialiasing: the cheapest lines the painter draws.
    painter.setClipRect(area_.adjusted(1, 1, 0, 0));
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        QPen pen(colours.at(i), 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawPolyline(pixels_.at(i));
    }
}
