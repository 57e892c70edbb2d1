// The plot's controls, mouse interaction, read-out and export.
#include "rtplot.h"

#include "csvfield.h"
#include "filedialogs.h"
#include "filesafety.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QSvgGenerator>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidgetAction>

#include <algorithm>
#include <cmath>

namespace {
QString spanText(int ms)
{
    return ms < 60000 ? RtPlot::tr("%1 s").arg(ms / 1000) : RtPlot::tr("%1 min").arg(ms / 60000);
}
} // namespace

void RtPlot::buildControls_()
{
    pauseButton_ = new QToolButton(this);
    pauseButton_->setObjectName(QStringLiteral("pauseButton_"));
    pauseButton_->setText(tr("Pause"));
    pauseButton_->setToolTip(tr("Hold the plot still; double-click the plot to follow again"));
    pauseButton_->setCheckable(true);
    connect(pauseButton_, &QToolButton::toggled, this, &RtPlot::setPaused);

    spanBox_ = new QComboBox(this);
    spanBox_->setObjectName(QStringLiteral("spanBox_"));
    spanBox_->setToolTip(tr("Time span"));
    for (int ms : spansMs())
        spanBox_->addItem(spanText(ms), ms);
    spanBox_->setCurrentIndex(int(spansMs().indexOf(DefaultSpanMs)));
    connect(spanBox_, &QComboBox::activated, this,
            [this](int index) { setSpanMs(spanBox_->itemData(index).toInt()); });

    // The value axis: automatic, or a fixed range typed by the user.
    auto* scaleButton = new QToolButton(this);
    scaleButton->setText(tr("Axis"));
    scaleButton->setToolTip(tr("Value axis: automatic or fixed"));
    scaleButton->setPopupMode(QToolButton::InstantPopup);
    auto* scaleMenu = new QMenu(scaleButton);
    auto* scaleForm = new QWidget(scaleMenu);
    auto* form = new QFormLayout(scaleForm);
    autoBox_ = new QCheckBox(tr("Automatic"), scaleForm);
    autoBox_->setChecked(true);
    autoBox_->setToolTip(tr("Fit the value axis to the drawn values"));
    minBox_ = new QDoubleSpinBox(scaleForm);
    maxBox_ = new QDoubleSpinBox(scaleForm);
    for (QDoubleSpinBox* box : {minBox_, maxBox_}) {
        box->setRange(-1e6, 1e6);
        box->setDecimals(2);
        box->setEnabled(false);
        connect(box, &QDoubleSpinBox::editingFinished, this, &RtPlot::onScaleControls_);
    }
    minBox_->setToolTip(tr("Lowest value on the fixed value axis"));
    maxBox_->setToolTip(tr("Highest value on the fixed value axis"));
    minBox_->setValue(fixedLo_);
    maxBox_->setValue(fixedHi_);
    form->addRow(autoBox_);
    form->addRow(tr("Min"), minBox_);
    form->addRow(tr("Max"), maxBox_);
    connect(autoBox_, &QCheckBox::toggled, this, &RtPlot::onScaleControls_);
    auto* scaleAction = new QWidgetAction(scaleMenu);
    scaleAction->setDefaultWidget(scaleForm);
    scaleMenu->addAction(scaleAction);
    scaleButton->setMenu(scaleMenu);

    auto* saveButton = new QToolButton(this);
    saveButton->setText(tr("Save"));
    saveButton->setToolTip(tr("Save the plot as a picture or its visible data as CSV"));
    saveButton->setPopupMode(QToolButton::InstantPopup);
    auto* saveMenu = new QMenu(saveButton);
    saveMenu->addAction(tr("Save plot as &image..."), this, &RtPlot::onSaveImage_);
    saveMenu->addAction(tr("Save visible data as &CSV..."), this, &RtPlot::onSaveCsv_);
    saveButton->setMenu(saveMenu);

    readout_ = new QLabel(this);
    readout_->setObjectName(QStringLiteral("readout_"));
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(pauseButton_);
    bar->addWidget(spanBox_);
    bar->addWidget(scaleButton);
    bar->addWidget(saveButton);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(canvas_, 1);
    layout->addWidget(readout_);
}

void RtPlot::setPaused(bool paused)
{
    if (paused == isPaused())
        return;
    if (paused) {
        stopFollowing_();
    } else {
        followLive();
    }
}

void RtPlot::stopFollowing_()
{
    if (!following_)
        return;
    following_ = false;
    // The view stays where the last redraw left it.
    pauseButton_->setChecked(true);
    pauseButton_->setText(tr("Resume"));
    emit pausedChanged(true);
}

void RtPlot::followLive()
{
    const bool wasPaused = !following_;
    following_ = true;
    userY_ = false;
    pauseButton_->setChecked(false);
    pauseButton_->setText(tr("Pause"));
    redraw();
    if (wasPaused)
        emit pausedChanged(false);
}

void RtPlot::setSpanMs(int ms)
{
    spanMs_ = std::clamp(ms, 1000, HistoryMs);
    const int index = spanBox_->findData(spanMs_);
    if (index >= 0)
        spanBox_->setCurrentIndex(index);
    if (!following_)
        xLo_ = xHi_ - spanMs_ / 1000.0;
    redraw();
}

void RtPlot::setAutoValueRange()
{
    autoY_ = true;
    userY_ = false;
    autoBox_->setChecked(true);
    autoBox_->setToolTip(tr("Fit the value axis to the drawn values"));
    redraw();
}

void RtPlot::setFixedValueRange(double lo, double hi)
{
    if (!(hi > lo))
        return;
    fixedLo_ = lo;
    fixedHi_ = hi;
    autoY_ = false;
    userY_ = false;
    const QSignalBlocker blockAuto(autoBox_);
    autoBox_->setChecked(false);
    minBox_->setValue(lo);
    maxBox_->setValue(hi);
    minBox_->setEnabled(true);
    maxBox_->setEnabled(true);
    redraw();
}

void RtPlot::onScaleControls_()
{
    const bool automatic = autoBox_->isChecked();
    minBox_->setEnabled(!automatic);
    maxBox_->setEnabled(!automatic);
    if (automatic)
        setAutoValueRange();
    else if (maxBox_->value() > minBox_->value())
        setFixedValueRange(minBox_->value(), maxBox_->value());
}

QPointF RtPlot::valueAt_(const QPoint& pos) const
{
    // From the plot's own ranges: the canvas has those of the last redraw, which may be older.
    const QRectF area = canvas_->plotArea();
    const double fx = area.width() > 0 ? (pos.x() - area.left()) / area.width() : 0;
    const double fy =
        area.height() > 0 ? (area.top() + area.height() - pos.y()) / area.height() : 0;
    return {xLo_ + fx * (xHi_ - xLo_), yLo_ + fy * (yHi_ - yLo_)};
}

void RtPlot::zoomAt(const QPoint& pos, double factorX, double factorY)
{
    const QPointF centre = valueAt_(pos);
    stopFollowing_();
    const double minWidth = 0.05;
    if (factorX != 1 && (xHi_ - xLo_) * factorX >= minWidth &&
        (xHi_ - xLo_) * factorX <= 2 * HistoryMs / 1000.0) {
        xLo_ = centre.x() + (xLo_ - centre.x()) * factorX;
        xHi_ = centre.x() + (xHi_ - centre.x()) * factorX;
    }
    if (factorY != 1 && (yHi_ - yLo_) * factorY > 1e-6) {
        userY_ = true;
        yLo_ = centre.y() + (yLo_ - centre.y()) * factorY;
        yHi_ = centre.y() + (yHi_ - centre.y()) * factorY;
    }
    redraw();
}

void RtPlot::dragBy(const QPoint& pixels)
{
    const QRect area = canvas_->plotArea();
    if (area.width() <= 0 || area.height() <= 0)
        return;
    stopFollowing_();
    const double dx = double(pixels.x()) / area.width() * (xHi_ - xLo_);
    const double dy = double(pixels.y()) / area.height() * (yHi_ - yLo_);
    xLo_ -= dx;
    xHi_ -= dx;
    if (dy != 0) {
        userY_ = true;
        yLo_ += dy;
        yHi_ += dy;
    }
    redraw();
}

QString RtPlot::readoutAt(const QPoint& pos) const
{
    if (times_.isEmpty() || !canvas_->plotArea().contains(pos))
        return QString();
    const QPointF value = valueAt_(pos);
    const double t = anchorS_ + value.x();
    // The sample nearest in time, then the drawn line nearest in value there.
    auto it = std::lower_bound(times_.cbegin(), times_.cend(), t);
    qsizetype index = it - times_.cbegin();
    if (index == times_.size() || (index > 0 && t - times_.at(index - 1) < times_.at(index) - t))
        --index;
    const Channel* best = nullptr;
    double bestDistance = 0;
    for (const Channel& ch : channels_) {
        if (!ch.shown || std::isnan(ch.values.at(index)))
            continue;
        const double distance = std::abs(ch.values.at(index) - value.y());
        if (!best || distance < bestDistance) {
            best = &ch;
            bestDistance = distance;
        }
    }
    if (!best)
        return QString();
    return tr("%1: %2 at %3 s")
        .arg(best->name, QString::number(double(best->values.at(index)), 'g', 7),
             QString::number(times_.at(index) - anchorS_, 'f', 2));
}

bool RtPlot::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != canvas_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Resize: {
        // The lines are placed anew by the canvas; a new width also wants another number of
        // slices, so they are thinned again.
        auto* resize = static_cast<QResizeEvent*>(event);
        if (columnsFor_(resize->size().width()) != columnsFor_(resize->oldSize().width()))
            scheduleRedraw_();
        break;
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const double factor = std::pow(0.85, wheel->angleDelta().y() / 120.0);
        // Shift zooms only the time axis, Ctrl only the value axis.
        const Qt::KeyboardModifiers mods = wheel->modifiers();
        zoomAt(wheel->position().toPoint(), mods & Qt::ControlModifier ? 1 : factor,
               mods & Qt::ShiftModifier ? 1 : factor);
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        dragging_ = true;
        dragFrom_ = mouse->position().toPoint();
        canvas_->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        if (dragging_) {
            dragBy(pos - dragFrom_);
            dragFrom_ = pos;
        }
        readout_->setText(readoutAt(pos));
        return dragging_;
    }
    case QEvent::MouseButtonRelease:
        if (!dragging_)
            break;
        dragging_ = false;
        canvas_->unsetCursor();
        return true;
    case QEvent::MouseButtonDblClick:
        followLive();
        return true;
    case QEvent::Leave:
        readout_->clear();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QString RtPlot::visibleCsv() const
{
    QString csv = QStringLiteral("time_s");
    QList<const Channel*> drawn;
    for (const Channel& ch : channels_) {
        if (ch.shown) {
            drawn << &ch;
            csv += QLatin1Char(',') + CsvField::field(ch.name);
        }
    }
    csv += QLatin1Char('\n');
    const double from = anchorS_ + xLo_;
    const double to = anchorS_ + xHi_;
    const auto begin = std::lower_bound(times_.cbegin(), times_.cend(), from);
    for (auto it = begin; it != times_.cend() && *it <= to; ++it) {
        const qsizetype i = it - times_.cbegin();
        csv += QString::number(*it, 'f', 3);
        for (const Channel* ch : std::as_const(drawn)) {
            csv += QLatin1Char(',');
            const float v = ch->values.at(i);
            if (!std::isnan(v))
                csv += QString::number(double(v), 'g', 7);
        }
        csv += QLatin1Char('\n');
    }
    return csv;
}

bool RtPlot::saveCsv(const QString& path, QString* error) const
{
    QString message;
    const QByteArray csv = visibleCsv().toUtf8();
    const bool written = FileSafety::writeWhole(
        path, {},
        [&csv](QIODevice& out) { return FileSafety::writeAll(out, csv.constData(), csv.size()); },
        message);
    if (error)
        *error = message;
    return written;
}

bool RtPlot::saveImage(const QString& path, QString* error)
{
    if (dirty_)
        redraw();
    const bool svg = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    QString message;
    const bool written = FileSafety::writeWhole(
        path, {},
        [this, svg](QIODevice& out) {
            if (!svg)
                return canvas_->grab().save(&out, "PNG");
            QSvgGenerator generator;
            generator.setOutputDevice(&out);
            generator.setSize(canvas_->size());
            generator.setViewBox(QRect(QPoint(0, 0), canvas_->size()));
            generator.setTitle(windowTitle());
            QPainter painter;
            if (!painter.begin(&generator))
                return false;
            canvas_->render(&painter);
            return painter.end();
        },
        message);
    if (error)
        *error = message;
    return written;
}

void RtPlot::onSaveImage_()
{
    // A name without suffix becomes a PNG picture.
    const QString path = FileDialogs::saveFile(this, FileDialogs::Image, tr("Save plot as image"));
    if (path.isEmpty())
        return;
    QString error;
    if (!saveImage(path, &error))
        QMessageBox::warning(this, tr("Save plot as image"),
                             error.isEmpty() ? tr("Could not write %1.").arg(path) : error);
}

void RtPlot::onSaveCsv_()
{
    const QString path =
        FileDialogs::saveFile(this, FileDialogs::Csv, tr("Save visible data as CSV"));
    if (path.isEmpty())
        return;
    QString error;
    if (!saveCsv(path, &error))
        QMessageBox::warning(this, tr("Save visible data as CSV"), error);
}
