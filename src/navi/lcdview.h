#pragma once

#include <QStringList>
#include <QWidget>

// The controllers' 4 x 20 character display, drawn like their LCD: a monospace font one and a
// half times the widget's font, a fixed size that follows it, colours from the palette.
class LcdView : public QWidget
{
    Q_OBJECT
public:
    explicit LcdView(QWidget* parent = nullptr);

    // Four lines of 20 characters (shorter ones are padded, longer ones cut).
    void setLines(const QStringList& lines);
    const QStringList& lines() const { return lines_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateFont_();

    QStringList lines_;
    QFont lcdFont_;
};
