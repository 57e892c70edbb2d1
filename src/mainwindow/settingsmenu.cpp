#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "sessionpipeline.h"
#include "settingswindow.h"

#include <QAction>
#include <QKeySequence>

void MainWindow::initSettingsWindow_()
{
    auto* action = new QAction(tr("&Parameter sets"), this);
    action->setObjectName(QStringLiteral("actionSettings_"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    action->setStatusTip(tr("Read, edit, compare and write the Flight Ctrl's parameter sets"));
    ui_->menuWindows->addAction(action);
    // Made on first use, when mk.js has given its layouts; it follows the session from then on.
    connect(action, &QAction::triggered, this, [this] {
        auto* window = findChild<SettingsWindow*>();
        if (!window) {
            window = new SettingsWindow(ParamLayout::fromModels(frameModels_), session_, this);
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
}
