#include "windowfitter.h"

#include "screengeometry.h"

#include <QEvent>
#include <QResizeEvent>
#include <QTimer>
#include <QWidget>

WindowFitter* WindowFitter::watch(QWidget* window)
{
    return new WindowFitter(window);
}

WindowFitter::WindowFitter(QWidget* window) : QObject(window), window_(window)
{
    window_->installEventFilter(this);
}

bool WindowFitter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    bool due = event->type() == QEvent::Show;
    if (event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        due = resize->size().width() > resize->oldSize().width() ||
              resize->size().height() > resize->oldSize().height();
    }
    if (due && !scheduled_) {
        scheduled_ = true;
        QTimer::singleShot(0, this, [this] {
            scheduled_ = false;
            fitNow();
        });
    }
    return false;
}

void WindowFitter::fitNow()
{
    if (!window_->isVisible() ||
        (window_->windowState() &
         (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        return;
    const QRect frame = window_->frameGeometry();
    const QRect fitted = ScreenGeometry::keepOnScreen(frame, ScreenGeometry::availableScreens());
    if (fitted == frame)
        return;
    // The frame (title bar, borders) keeps its thickness: the client area gives up the rest.
    const QSize decoration = frame.size() - window_->size();
    if (fitted.size() != frame.size())
        window_->resize(fitted.size() - decoration);
    window_->move(fitted.topLeft());
}
