#include "plaintextdelegate.h"

#include <QApplication>
#include <QFontInfo>
#include <QPainter>

QString PlainTextDelegate::fitted(const QString& text, const QFontMetrics& metrics, int width,
                                  bool fixedPitch)
{
    if (!fixedPitch)
        return metrics.elidedText(text, Qt::ElideRight, width);
    return fitted(text, metrics.horizontalAdvance(QLatin1Char('0')), width);
}

QString PlainTextDelegate::fitted(const QString& text, int advance, int width)
{
    // Every character is as wide as any other (the table's texts are Latin-1, one character a
    // glyph): how many fit follows from one advance, without laying the text out.
    const qsizetype fit = width / std::max(1, advance);
    if (text.size() <= fit)
        return text;
    if (fit <= 0)
        return {};
    return text.left(fit - 1) + QChar(0x2026);
}

void PlainTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Active
                                                                               : QPalette::Inactive;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    else if (option.features & QStyleOptionViewItem::Alternate)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::AlternateBase));

    QColor ink = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    if (!selected) {
        const QVariant foreground = index.data(Qt::ForegroundRole);
        if (foreground.canConvert<QColor>())
            ink = foreground.value<QColor>();
    }
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const int horizontal =
        alignment.isValid() ? alignment.toInt() & Qt::AlignHorizontal_Mask : Qt::AlignLeft;

    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect box = option.rect.adjusted(margin, 0, -margin, 0);
    if (option.font != pitchOf_) {
        pitchOf_ = option.font;
        fixedPitch_ = QFontInfo(option.font).fixedPitch();
        advance_ = option.fontMetrics.horizontalAdvance(QLatin1Char('0'));
        // Shaping (kerning, ligatures) changes nothing in these texts and is the dearest step of
        // laying them out; Qt still shapes a script that needs it.
        paintFont_ = option.font;
        paintFont_.setStyleStrategy(QFont::PreferNoShaping);
    }
    const QString cell = index.data(Qt::DisplayRole).toString();
    const QString text = fixedPitch_ ? fitted(cell, advance_, box.width())
                                     : fitted(cell, option.fontMetrics, box.width(), false);

    painter->save();
    painter->setFont(paintFont_);
    painter->setPen(ink);
    painter->drawText(box, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
    }
}
