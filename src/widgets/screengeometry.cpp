#include "screengeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

qint64 overlapArea(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// Index of the screen that `rect` overlaps most, -1 when it overlaps none.
int bestScreen(const QRect& rect, const QList<QRect>& screens)
{
    int best = -1;
    qint64 bestArea = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const qint64 area = overlapArea(rect, screens.at(i));
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    return best;
}

} // namespace

QRect ScreenGeometry::fit(const QSize& size, const QPoint& pos, const QList<QRect>& screens,
                          const QSize& defaultSize, const QPoint& defaultPos)
{
    QSize wanted = size.isValid() && !size.isEmpty() ? size : defaultSize;
    if (screens.isEmpty())
        return QRect(pos, wanted);

    QPoint at = pos;
    // Sizes are cut first, so a huge stored size cannot make any rectangle overlap a screen.
    QRect probe(at, wanted.boundedTo(QSize(1 << 16, 1 << 16)));
    int screen = bestScreen(probe, screens);
    if (screen < 0) {
        at = defaultPos;
        probe.moveTopLeft(at);
        screen = std::max(bestScreen(probe, screens), 0);
    }
    const QRect area = screens.at(screen);
    wanted = wanted.boundedTo(area.size());
    at.setX(std::clamp(at.x(), area.left(), area.left() + area.width() - wanted.width()));
    at.setY(std::clamp(at.y(), area.top(), area.top() + area.height() - wanted.height()));
    return QRect(at, wanted);
}

QRect ScreenGeometry::keepOnScreen(const QRect& frame, const QList<QRect>& screens)
{
    // The rules of a restored geometry, with the window's own place as the fallback: a frame
    // on no screen then goes to the first one.
    return fit(frame.size(), frame.topLeft(), screens, frame.size(), frame.topLeft());
}

QList<QRect> ScreenGeometry::availableScreens()
{
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            screens << screen->availableGeometry();
    }
    return screens;
}

void ScreenGeometry::restore(QWidget* window, const QVariant& size, const QVariant& pos,
                             const QSize& defaultSize, const QPoint& defaultPos)
{
    const QList<QRect> screens = availableScreens();
    const QSize storedSize = size.typeId() == QMetaType::QSize ? size.toSize() : defaultSize;
    const QPoint storedPos = pos.typeId() == QMetaType::QPoint ? pos.toPoint() : defaultPos;
    const QRect geometry = fit(storedSize, storedPos, screens, defaultSize, defaultPos);
    window->resize(geometry.size());
    window->move(geometry.topLeft());
}
