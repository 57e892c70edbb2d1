#pragma once

#include <QScrollArea>

class FlowLayout;

// A frameless scroll area around a FlowLayout: as tall as the wrapped rows need, up to
// maxRows rows, and scrolling vertically beyond that, so that neither the width nor the height
// of the window depends on the number of items.
class FlowScrollArea : public QScrollArea
{
    Q_OBJECT
public:
    explicit FlowScrollArea(int maxRows, QWidget* parent = nullptr);

    FlowLayout* flow() const { return flow_; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int rowCap_() const;

    FlowLayout* flow_ = nullptr;
    int maxRows_;
    int lastHeight_ = -1;
};
