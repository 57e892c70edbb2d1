#pragma once

#include <QStyledItemDelegate>

// Paints cells of plain text (no icon, no check box) as single lines cut at the right with an
// ellipsis, in the view's colours (selection, alternating rows, the item's own text colour).
//
// Views that repaint many cells several times a second use it: the frame table during a
// stream, the real-time values. The style's item painting lays each cell's whole text out twice
// (to place it and to elide it) and works out geometry for icons and check boxes these cells
// never have; with a fixed-pitch font the part that fits is found by counting characters, and
// only that part is laid out.
class PlainTextDelegate : public QStyledItemDelegate
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
    // The same in a fixed-pitch font whose characters are `advance` pixels wide.
    static QString fitted(const QString& text, int advance, int width);

private:
    // Whether the last font painted with is of fixed pitch (looking it up takes a font match),
    // its characters' width, and that font as the cells are painted with.
    mutable QFont pitchOf_;
    mutable bool fixedPitch_ = false;
    mutable int advance_ = 1;
    mutable QFont paintFont_;
};
