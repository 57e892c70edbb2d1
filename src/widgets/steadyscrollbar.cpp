#include "steadyscrollbar.h"

#include <QAbstractScrollArea>
#include <QStyle>
#include <QStyleOptionSlider>

SteadyScrollBar::SteadyScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent)
{
}

void SteadyScrollBar::fitGrowingView(QAbstractScrollArea* area)
{
    area->setVerticalScrollBar(new SteadyScrollBar(Qt::Vertical));
    area->setHorizontalScrollBar(new SteadyScrollBar(Qt::Horizontal));
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The area's own reaction to the vertical range (showing or hiding the bar) has nothing to
    // do for a bar that is always shown.
    QObject::disconnect(area->verticalScrollBar(), &QScrollBar::rangeChanged, area, nullptr);
}

SteadyScrollBar::Look SteadyScrollBar::look_() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    Look look;
    look.slider =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    look.atMinimum = option.sliderPosition == option.minimum;
    look.atMaximum = option.sliderPosition == option.maximum;
    return look;
}

void SteadyScrollBar::sliderChange(SliderChange change)
{
    // Styles whose bars fade in on every change (transient bars) keep their own behaviour.
    const bool transient = style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, this);
    if (transient || !hasPainted_ || change == SliderOrientationChange) {
        QScrollBar::sliderChange(change);
        return;
    }
    // A view that follows its end grows the range, then moves the value to the new end: the
    // picture is compared once both are done.
    if (checkQueued_)
        return;
    checkQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            checkQueued_ = false;
            if (look_() != painted_)
                update();
        },
        Qt::QueuedConnection);
}

void SteadyScrollBar::paintEvent(QPaintEvent* event)
{
    painted_ = look_();
    hasPainted_ = true;
    QScrollBar::paintEvent(event);
}
