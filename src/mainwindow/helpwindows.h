#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>

class QAction;
class QWidget;

// The Help menu's windows: the keyboard shortcuts and the manual page.
class HelpWindows
{
    Q_DECLARE_TR_FUNCTIONS(HelpWindows)
public:
    HelpWindows() = delete;

    // Each action with a shortcut among `actions`, once, as (key text in the user's language,
    // action text without its Alt-letter marks), in the order given.
    static QList<QPair<QString, QString>> shortcuts(const QList<QAction*>& actions);

    // The manual page as `man tovrik` shows it, embedded in the program.
    static QString manualText();

    // Non-modal windows owned by `parent`; shown again (not built again) on later calls.
    static void showShortcuts(QWidget* parent);
    static void showManual(QWidget* parent);
};
