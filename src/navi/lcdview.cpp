#include "lcdview.h"

#include "displaytext.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPainter>

namespace {
constexpr int kMargin = 8;
}

LcdView::LcdView(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int i = 0; i < DisplayText::kLines; ++i)
        lines_ << QString(DisplayText::kColumns, QLatin1Char(' '));
    updateFont_();
}

void LcdView::setLines(const QStringList& lines)
{
    QStringList fitted;
    for (int i = 0; i < DisplayText::kLines; ++i)
        fitted << lines.value(i).leftJustified(DisplayText::kColumns, QLatin1Char(' '), true);
    if (fitted == lines_)
        return;
    lines_ = fitted;
    update();
}

QSize LcdView::sizeHint() const
{
    const QFontMetrics fm(lcdFont_);
    return {fm.horizontalAdvance(QString(DisplayText::kColumns, QLatin1Char('M'))) + 2 * kMargin,
            fm.lineSpacing() * DisplayText::kLines + 2 * kMargin};
}

void LcdView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        updateFont_();
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}

void LcdView::updateFont_()
{
    lcdFont_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFont base = font();
    if (base.pointSizeF() > 0)
        lcdFont_.setPointSizeF(base.pointSizeF() * 1.5);
    else
        lcdFont_.setPixelSize(base.pixelSize() * 3 / 2);
    lcdFont_.setStyleHint(QFont::TypeWriter);
    setFixedSize(sizeHint());
}

void LcdView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Base));
    p.setPen(pal.color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(lcdFont_);
    p.setPen(pal.color(QPalette::Text));
    const QFontMetrics fm(lcdFont_);
    for (int i = 0; i < lines_.size(); ++i)
        p.drawText(kMargin, kMargin + i * fm.lineSpacing() + fm.ascent(), lines_[i]);
}
