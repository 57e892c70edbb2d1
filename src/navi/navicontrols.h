#pragma once

#include "navitrack.h"

#include <QObject>

#include <functional>

class FrameStore;
class SessionPipeline;
class NavigationPanel;
class NaviPipe;
class QAction;
class QComboBox;
class QLabel;
class QMainWindow;
class QMenu;
class QWidget;
class RemoteDisplay;

// What a copter with a Navi Ctrl adds to the main window: the remote display and navigation
// panel (in the Windows menu), the "Talk to" selector in the status bar (shown once a Navi Ctrl
// answers), and the GPX export of the session (in the File menu, before Quit). Reads the
// session from its frame store and writes through the session, which sends nothing while its
// link is a capture; the windows get only the newest answer of each batch the store announces.
class NaviControls : public QObject
{
    Q_OBJECT
public:
    // Time the escape gets to leave before the link closes behind it.
    static constexpr int kEscapeFlushMs = 100;

    // sessionFiles names the files the session reads or writes, which an export never
    // writes onto.
    NaviControls(QMainWindow* window, SessionPipeline* session, QMenu* fileMenu, QMenu* windowsMenu,
                 std::function<int()> debugIntervalTicks,
                 std::function<QStringList()> sessionFiles);

    NaviPipe* pipe() const { return pipe_; }
    RemoteDisplay* remoteDisplay() const { return display_; }
    NavigationPanel* navigationPanel() const { return panel_; }
    QComboBox* talkToBox() const { return talkTo_; }
    const NaviTrack& track() const { return track_; }

    // Ends a pipe before the link closes (Disconnect, closing the window). True when an escape
    // was written: the caller closes kEscapeFlushMs later.
    bool leavePipe();
    // Writes the session's positions as GPX, whole or not at all, behind a progress bar on a
    // long session. False (message emitted) on failure or when cancelled.
    bool exportGpx(const QString& fileName);

signals:
    // A line for the console, already translated; error marks failures.
    void message(const QString& text, bool error);

private:
    void onAppended_(qsizetype first, qsizetype count);
    void onLinkChanged_();
    void onTalkTo_(int index);
    void updateTalkTo_();
    void addFileMenuEntry_(QMenu* fileMenu);

    FrameStore* store_;
    NaviPipe* pipe_;
    NaviTrack track_;
    RemoteDisplay* display_;
    NavigationPanel* panel_;
    QWidget* talkToWidget_;
    QComboBox* talkTo_;
    QLabel* talkState_;
    QMainWindow* window_;
    std::function<QStringList()> sessionFiles_;
};
