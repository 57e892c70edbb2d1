#pragma once

#include "framemodel.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class Link;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class ReplayLink;
class SessionPipeline;

// The File menu and what stands behind it: opening a capture as the session, recording the
// session to a capture, replaying a capture through the replay link, and exporting one letter's
// frames as CSV. One source at a time: opening or replaying a capture while the device is
// connected asks first, and a capture shown ends when the device is connected again.
// Outcomes are reported through message(); the window shows them in its console.
class SessionFiles : public QObject
{
    Q_OBJECT
public:
    enum Severity
    {
        Info,
        Warning,
        Error
    };

    // `device` is the serial link; `disconnect` closes it as the "Disconnect" button does.
    SessionFiles(SessionPipeline* session, Link* device, std::function<void()> disconnect,
                 QWidget* window);
    ~SessionFiles() override;

    QMenu* menu() const { return menu_; }
    void addMenuTo(QMenuBar* bar);
    // The structure definitions the CSV export cuts frames by.
    void setFrameModels(const QList<FrameModel>& models) { models_ = models; }
    // Asked before a capture replaces the live session; true to go on. Defaults to a question
    // box; tests answer it.
    void setConfirm(std::function<bool(const QString& question)> confirm)
    {
        confirm_ = std::move(confirm);
    }

    // Each reports its outcome through message(); false on failure or when the user declined,
    // with errorString() naming the file and the reason of a failure. Neither a recording nor
    // an export writes onto the capture shown or the file being recorded.
    bool openCapture(const QString& fileName);
    bool replayCapture(const QString& fileName, int speed);
    bool startRecording(const QString& fileName);
    void stopRecording();
    bool isRecording() const;
    bool exportCsv(const QString& fileName, char cmd);

    QString errorString() const { return error_; }

    // The capture shown, empty while the session is the device's.
    QString captureName() const { return capture_; }
    // The files the session reads or writes (the capture shown, the recording): an export
    // never writes onto them.
    QStringList sessionFiles() const;
    // Ends the capture session (the device is about to become the source again).
    void leaveCapture();
    // The names of the real-time channels for a capture: its labels, numbered names where
    // it has none.
    QStringList channelNames() const;
    ReplayLink* replay() const { return replay_; }

signals:
    void message(int severity, const QString& text);
    // A recording stopped because its file could not be written (named, with the reason).
    void recordingFailed(const QString& text);
    // A new session begins: the window drops what it shows of the old one.
    void sessionStarting();
    // A replay starts: the window shows the real-time dialog.
    void replayStarted();
    void sourceChanged();
    // A capture was opened whole into the session.
    void captureOpened(const QString& fileName);

private:
    void buildMenu_();
    bool takeOver_(const QString& question);
    void onOpen_();
    void onRecord_(bool on);
    void onExport_();
    void onReplay_(int speed);
    void stopReplay_();
    void onReplayFinished_();
    void fail_(const QString& text);

    SessionPipeline* session_;
    Link* device_;
    std::function<void()> disconnect_;
    std::function<bool(const QString&)> confirm_;
    QWidget* window_;
    QList<FrameModel> models_;
    QString capture_;
    ReplayLink* replay_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* recordAction_ = nullptr;
    QAction* pauseAction_ = nullptr;
    QAction* stopReplayAction_ = nullptr;
    QString error_;
};
