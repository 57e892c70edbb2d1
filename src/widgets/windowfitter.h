#pragma once

#include <QObject>

class QWidget;

// Keeps a top-level window wholly on the screen that holds most of it: whenever the window is
// shown or grows, it is moved onto that screen and, if still too large, shrunk to the screen's
// available geometry (see ScreenGeometry::keepOnScreen). Maximised and full-screen windows are
// left to the window manager. Owned by the window it watches.
class WindowFitter : public QObject
{
    Q_OBJECT
public:
    static WindowFitter* watch(QWidget* window);

    // Fits the window now (a window that is hidden is left as it is).
    void fitNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowFitter(QWidget* window);

    QWidget* window_;
    // Fitting waits for the event loop, so that a resize and the layout it causes are done
    // and several growths in one turn are fitted once.
    bool scheduled_ = false;
};
