#pragma once

#include <QLayout>
#include <QList>

// Lays its items out left to right and starts a new row when the next item would not fit the
// width it is given, so that any number of items never widens the window: the layout asks for
// the width of its widest item only and grows downwards instead (height for width).
class FlowLayout : public QLayout
{
    Q_OBJECT
public:
    explicit FlowLayout(QWidget* parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    // Puts `widget` at `index` (appended when out of range), ahead of the items from there on.
    void insertWidget(int index, QWidget* widget);
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in `rect` (only measures when `apply` is false); returns the height used.
    int arrange_(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> items_;
};
