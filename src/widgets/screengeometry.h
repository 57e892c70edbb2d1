#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVariant>

class QWidget;

// Restored window geometry, made safe: a stored size or position may come from another screen
// setup, a hand-edited settings file or an earlier fault, and is never used unchecked.
class ScreenGeometry
{
public:
    ScreenGeometry() = delete;

    // The geometry (frame position, client size) a window gets from the stored `size` and
    // `pos`, fitted to one of `screens` (their available geometries, the primary first):
    // - a size that is not a valid non-empty size becomes `defaultSize`;
    // - the screen is the one the stored rectangle overlaps most; when it overlaps none, the
    //   position becomes `defaultPos` and the screen the one overlapped most from there (the
    //   first when none);
    // - the size is cut to that screen, and the position moved so the window lies on it.
    // With no screen at all, the stored values are used as they are (after the size check).
    static QRect fit(const QSize& size, const QPoint& pos, const QList<QRect>& screens,
                     const QSize& defaultSize, const QPoint& defaultPos);

    // Where a window with frame geometry `frame` goes so that it lies wholly on one of
    // `screens` (available geometries, the primary first): on the screen that holds most of it
    // (the first when it is on none), moved onto it, then shrunk to it if it is still larger.
    // A window that already lies on a screen keeps its geometry.
    static QRect keepOnScreen(const QRect& frame, const QList<QRect>& screens);

    // The available geometries of the current screens, the primary first.
    static QList<QRect> availableScreens();

    // Resizes and moves `window` to the stored values (settings values of any type; a value of
    // the wrong type counts as absent), fitted to the available geometries of the current
    // screens.
    static void restore(QWidget* window, const QVariant& size, const QVariant& pos,
                        const QSize& defaultSize, const QPoint& defaultPos);
};
