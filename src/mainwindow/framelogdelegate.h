#pragma once

#include <QStyledItemDelegate>

// Paints the frame table's cells as single lines of plain text, cut at the right with an
// ellipsis, in the view's colours (selection, alternating rows, a sent request's colour).
//
// While a stream runs, the table repaints every visible row at each display tick. The style's
// item painting lays each cell's whole text out twice (to place it and to elide it) and works
// out geometry for icons and check boxes the table never has; with the table's fixed-pitch font
// the part that fits is found by counting characters, and only that part is laid out.
class FrameLogDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // `text` as shown in `width` pixels by `metrics`: whole when it fits, else cut with an
    // ellipsis at the end.
    static QString fitted(const QString& text, const QFontMetrics& metrics, int width,
                          bool fixedPitch);

private:
    // Whether the last font painted with is of fixed pitch (looking it up takes a font match).
    mutable QFont pitchOf_;
    mutable bool fixedPitch_ = false;
};
