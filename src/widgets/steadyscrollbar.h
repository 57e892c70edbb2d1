#pragma once

#include <QRect>
#include <QScrollBar>

class QAbstractScrollArea;

// A scroll bar that repaints only when its picture changes. A log that grows several times a
// second changes the bar's range each time, yet once the document is long the slider keeps its
// smallest length and its place: the plain scroll bar repaints anyway, and on a busy link those
// repaints cost more than the rows that caused them.
class SteadyScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit SteadyScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Fits a text view that grows at its end with steady bars; its vertical bar is always
    // shown. A scroll area lays its bars out again after every range change, and with both bars
    // shown that repaints both (and the window behind them) on every appended line; an always
    // shown vertical bar needs no such layout for its range.
    static void fitGrowingView(QAbstractScrollArea* area);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What a range or value change can alter in the picture: the slider, and the arrows that
    // are drawn disabled at either end.
    struct Look
    {
        QRect slider;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look& other) const
        {
            return slider == other.slider && atMinimum == other.atMinimum &&
                   atMaximum == other.atMaximum;
        }
        bool operator!=(const Look& other) const { return !(*this == other); }
    };
    Look look_() const;

    Look painted_;
    bool hasPainted_ = false;
    bool checkQueued_ = false;
};
