#pragma once

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QStringList>
#include <deque>
#include <map>

#include "consoletext.h"
#include "framemodel.h"
#include "framerecord.h"
#include "mkserial.h"
#include "sessionpipeline.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QJSEngine;
class QJSValue;
class QTimer;
class Ui_MainWindow;
class RtDialog;
class MkSerial;
class FrameStore;
class AutoReconnect;
class LinkStatistics;
class QLabel;
class QSettings;
class StatisticsDialog;
class FrameLogModel;
class SessionFiles;
class TickPacer;
class NaviControls;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    enum ConsoleErrorSeverity
    {
        NoError = 0,
        Warning = 1,
        Error = 2
    };

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Console pane: one line per call. Callers pass finished (already translated) texts that
    // may hold the program's own markup; text from outside must be escaped by the caller.
    void printConsole(ConsoleErrorSeverity severity, const QString& text);
    void printConsoleNoError(const QString& text);
    void printConsoleWarning(const QString& text);
    void printConsoleError(const QString& text);
    void clearConsole();

    // The session shown: the device's or a capture's frames, labels, statistics, recording.
    SessionPipeline* session() const { return session_; }
    // Every frame of the session, received and sent, in arrival order.
    FrameStore* frameStore() const { return session_->store(); }
    // Counts of what crossed the link, fed from the frame store.
    LinkStatistics* linkStatistics() const { return session_->statistics(); }
    // The serial link to the device.
    MkSerial* serialLink() const { return serial_; }
    // The File menu: captures, recording, replay, CSV export.
    SessionFiles* sessionFiles() const { return sessionFiles_; }
    // Remote display, navigation panel, "Talk to" selector and GPX export.
    NaviControls* naviControls() const { return naviControls_; }
    // The structure definitions read from mk.js.
    const QList<FrameModel>& frameModels() const { return frameModels_; }

    // Chooses the named port (listed or not) and connects to it, as the "Connect" button does.
    void openPort(const QString& name);

    // The rows of the frame table: the logged frames of the store.
    FrameLogModel* frameLogModel() const { return frameLog_; }

    // Received frames the window had no time to process (they were stored, neither logged nor
    // shown) since the last "Clear".
    qint64 framesNotShown() const { return session_->framesNotShown() + consoleNotShown_; }
    // GUI time spent on console lines per event-loop turn, and the most frame echoes waiting
    // for the console: beyond it the oldest echoes are skipped (the frames stay in the log).
    static constexpr int kConsoleBudgetMs = 6;
    static constexpr int kMaxConsoleBacklog = 2000;
    // While frame echoes keep coming (a stream), the console is edited at most this often, on
    // the display ticks it shares with the frame table: each edit costs a layout pass and a
    // repaint, the console's are the dearest part of a stream, and the table shows every row
    // in the meantime.
    static constexpr int kConsoleStreamIntervalMs = 400;
    // Bad frames reported in full each second; the rest are counted in one line.
    static constexpr int kBadFramesReported = 5;
    // A frame older than this when it is processed comes from a capture, not the live link.
    static constexpr int kFrameAgeLimitMs = 1000;

signals:
    void labelsListReady(QStringList);
    void serialConnectionOpened(bool);

public slots:
    void rqGetLabelsList();
    void rqRefreshData();

private slots:
    void onConnect_();
    void onClear_();
    void onOpenRt_();
    void onFTDICheck_();
    void onHexCheck_();
    void onFilterCheck_();
    void onCommandV_();
    void onCommandP_();
    void onCommandN_();
    void onCommandL_();
    void onCommandA_();
    void onCommandU_();
    void onCommandD_();
    void onWriteError_(qint64 errorCode);
    void onDeviceDiscovered_(const QString& name, bool isFTDI);
    void onDeviceRemoved_(const QString& name);
    void onConnectionLost_(const QString& reason);
    void onReopenRequested_(const QString& name);
    void onFrameSelection_();
    void onAbout_();
    void onShowTerminal_(bool on);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void initGUI_();
    void initFileExtras_();
    void initMenus_();
    void initToolTips_();
    bool userReallyWantsToQuit_();
    void initSerialPort_();
    void initSessionFiles_();
    // Connection state: every open and every close of the link goes through these two.
    enum class CloseCause
    {
        User,      // "Disconnect"
        Unplugged, // the port went away
        Lost       // the link failed (read or write error)
    };
    bool openLink_(const QString& name, bool automatic);
    void closeLink_(CloseCause cause, const QString& reason = QString());
    QPortInfo portInfo_(const QString& name);
    void addPortItem_(const QPortInfo& port);
    void choosePort_();
    void initConnectionExtras_();
    void updateLinkStatus_();
    void readConnectionSettings_(QSettings& settings);
    void writeConnectionSettings_(QSettings& settings) const;
    void initFrameLog_();
    void initSettingsWindow_();
    // A received frame the session processed: console and real-time window.
    void onFrameProcessed_(const FrameRecord& record, const QByteArray& payload, int address);
    // The session's source changed: the title names it.
    void updateTitle_();
    void reportBadFrame_(const QByteArray& frame, char cmd, int address, const QByteArray& payload);
    void onBadFrameWindowEnd_();
    void flushConsole_();
    // At the end of a batch: lines other than frame echoes are flushed now, echoes alone wait
    // for the echo timer.
    void scheduleConsole_();
    // One console line of literal text (frame bytes need no escaping here).
    void printConsoleLine_(const QString& text, bool red, bool frame = false);
    void showNotShown_();
    void readSettings_();
    void writeSettings_();
    void initScript_();
    void getStructDef_(const QString& name, const QJSValue& object);

    Ui_MainWindow* ui_ = nullptr;
    RtDialog* rtDialog_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* showSentAction_ = nullptr;
    // Ordered by the letter's 8-bit code (unsigned), whatever the signedness of char.
    struct LetterOrder
    {
        bool operator()(char a, char b) const { return quint8(a) < quint8(b); }
    };
    std::map<char, QCheckBox*, LetterOrder> filterBoxes_;
    MkSerial* serial_ = nullptr;
    SessionPipeline* session_ = nullptr;
    SessionFiles* sessionFiles_ = nullptr;
    NaviControls* naviControls_ = nullptr;
    QString deviceName_;
    AutoReconnect* reconnect_ = nullptr;
    QAction* reconnectAction_ = nullptr;
    QAction* statisticsAction_ = nullptr;
    StatisticsDialog* statisticsDialog_ = nullptr;
    QLabel* linkStatusLabel_ = nullptr;
    QTimer* linkStatusTimer_ = nullptr;
    QMap<QString, QPortInfo> portInfos_; // what the link told of each listed port
    QString lastDevice_;                 // identity of the device last connected by the button
    QString lostPort_;                   // port whose link failure was reported already
    bool reconnectEnabled_ = true;
    bool userChosePort_ = false;
    QString cmdFilter_;
    bool ftdiOnly_ = false;
    bool hexDisplay_ = false;
    bool rtDialogVisible_ = false;
    QList<FrameModel> frameModels_;
    QJSEngine* scriptEngine_ = nullptr;

    FrameLogModel* frameLog_ = nullptr;

    // Frame echoes the console skipped for want of time since the last "Clear".
    qint64 consoleNotShown_ = 0;
    QLabel* notShownLabel_ = nullptr;

    // Bad frames of the current one-second window: reported, then only counted.
    int badFramesInWindow_ = 0;
    QTimer* badFrameWindow_ = nullptr;

    // Console lines of the batch being processed; flushed in one edit at its end. Outside a
    // batch every line is flushed at once.
    std::deque<ConsoleText::Line> consoleLines_;
    qsizetype consoleEchoes_ = 0; // frame echoes among consoleLines_
    int consoleBatchDepth_ = 0;
    bool consoleScheduled_ = false;
    // Flushes waiting frame echoes a few times a second; any other line flushes them at once.
    TickPacer* consoleEchoPacer_;

    // The console keeps its newest line in view while the user has it scrolled to the end,
    // like a terminal; scrolled up, it stays where the user put it.
    bool consoleFollows_ = true;
    // The same for the frame table.
    bool tableFollows_ = true;
};
