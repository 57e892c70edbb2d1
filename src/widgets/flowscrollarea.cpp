#include "flowscrollarea.h"
#include "flowlayout.h"

#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

FlowScrollArea::FlowScrollArea(int maxRows, QWidget* parent)
    : QScrollArea(parent), maxRows_(std::max(maxRows, 1))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    auto* inner = new QWidget;
    flow_ = new FlowLayout(inner);
    flow_->setContentsMargins(0, 0, 0, 0);
    setWidget(inner);
    // Takes the width it is offered; its height follows from the width.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int FlowScrollArea::rowCap_() const
{
    int rowHeight = 0;
    for (int i = 0; i < flow_->count(); ++i)
        rowHeight = std::max(rowHeight, flow_->itemAt(i)->sizeHint().height());
    const int gap = flow_->spacing() >= 0 ? flow_->spacing() : 6;
    return maxRows_ * rowHeight + (maxRows_ - 1) * gap;
}

int FlowScrollArea::heightForWidth(int width) const
{
    const int content = flow_->heightForWidth(width);
    if (content <= rowCap_())
        return content;
    // Scrolling: the rows then share the width with the vertical scroll bar.
    return rowCap_();
}

QSize FlowScrollArea::sizeHint() const
{
    const int width = flow_->minimumSize().width() + verticalScrollBar()->sizeHint().width();
    return QSize(width, heightForWidth(this->width() > 0 ? this->width() : width));
}

QSize FlowScrollArea::minimumSizeHint() const
{
    return QSize(sizeHint().width(), std::min(flow_->minimumSize().height(), rowCap_()));
}

void FlowScrollArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    // A new width can mean another number of rows: ask the parent layout again.
    const int wanted = heightForWidth(event->size().width());
    if (wanted != lastHeight_) {
        lastHeight_ = wanted;
        updateGeometry();
    }
}
