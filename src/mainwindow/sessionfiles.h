#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class CaptureReplay;
class CaptureWriter;
class FrameStore;
class MainWindow;
class QAction;
class QMenu;

// The window's File menu and what stands behind it: opening a capture into the frame log,
// recording the session to a capture, replaying the log through the real-time dialog, and
// exporting one letter's frames as CSV. MainWindow creates it and wires its signals.
class SessionFiles : public QObject
{
    Q_OBJECT
public:
    explicit SessionFiles(MainWindow* window);
    ~SessionFiles() override;

    QMenu* menu() const { return menu_; }

    // Each reports its outcome in the console; false on failure.
    bool openCapture(const QString& fileName);
    bool startRecording(const QString& fileName);
    void stopRecording();
    bool isRecording() const;
    bool exportCsv(const QString& fileName, char cmd);

    // An event line in the capture being recorded (nothing when not recording).
    void recordEvent(const QString& text);

public slots:
    // Connection opened (true) or closed (false), for the capture's event lines.
    void onConnectionChanged(bool open);

signals:
    // A capture was opened into the log.
    void captureOpened(const QString& fileName);
    // The log is about to receive a capture: the window empties it first.
    void clearRequested();
    // A replay starts: the window shows the real-time dialog.
    void replayStarted();
    // The channel names for a replay: the log's own label answers when it holds all of them,
    // else numbered names.
    void replayLabels(const QStringList& labels);
    // One frame of a replay.
    void replayFrame(char cmd, int address, const QByteArray& payload);

private:
    void buildMenu_();
    void onOpen_();
    void onRecord_(bool on);
    void onExport_();
    void onReplay_(int speed);
    void onStoreAppended_(qsizetype first, qsizetype count);
    QStringList labelsInStore_() const;

    MainWindow* window_;
    FrameStore* store_;
    CaptureWriter* writer_;
    CaptureReplay* replay_;
    QMenu* menu_ = nullptr;
    QAction* recordAction_ = nullptr;
    QAction* pauseAction_ = nullptr;
    QAction* stopReplayAction_ = nullptr;
    // Set while a capture is loaded into the store, so its frames are not recorded again.
    bool loading_ = false;
};
