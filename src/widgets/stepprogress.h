#pragma once

#include <QString>

#include <functional>

class QWidget;

// Long work done in steps on the GUI thread, behind a progress bar with a Cancel button. The
// bar, modal to `parent`, shows once the work has taken half a second; between steps the
// window repaints and the button works. `step` does a bounded share of the work and returns
// whether any is left; `permille` says how far the work is. False when the user cancelled.
namespace StepProgress {
bool run(QWidget* parent, const QString& text, const std::function<bool()>& step,
         const std::function<int()>& permille);
} // namespace StepProgress
