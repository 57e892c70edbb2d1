#include "stepprogress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

#include <algorithm>
#include <memory>

namespace {
// Work that ends sooner shows no bar at all.
constexpr int kShowAfterMs = 500;
} // namespace

bool StepProgress::run(QWidget* parent, const QString& text, const std::function<bool()>& step,
                       const std::function<int()>& permille)
{
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    while (step()) {
        if (!progress && clock.elapsed() > kShowAfterMs) {
            progress = std::make_unique<QProgressDialog>(
                text, QCoreApplication::translate("StepProgress", "Cancel"), 0, 1000, parent);
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
        }
        if (progress) {
            // Modal: setValue() also lets the window repaint and the Cancel button work.
            progress->setValue(std::clamp(permille(), 0, 999));
            if (progress->wasCanceled())
                return false;
        }
    }
    return true;
}
