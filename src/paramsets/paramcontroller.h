#pragma once

#include "conversation.h"
#include "paramset.h"

#include <QObject>
#include <QStringList>

#include <functional>

// What a settings operation ended with.
struct ParamResult
{
    bool ok = false;
    QString error;              // for the user, when !ok
    bool stateUnknown = false;  // the link closed during a write: the set may be half written
    QList<ParamSet> sets;       // the sets read (a read; the read-back of a write)
    int activeSet = 0;          // 1..5 when learnt
    QString backupPath;         // the copy taken before a write
    QStringList adjusted;       // after a write: "the device kept 250 for Gyro_P, not 260"
    QStringList adjustedFields; // the names of those fields
    QByteArray rawAnswer;       // a 'Q' payload that could not be decoded (unknown revision...)
};

// Reads, writes and activates the Flight Ctrl's parameter sets through the request/answer
// layer, one operation at a time, with every check a write to a flying machine deserves:
// nothing while the motors run, the full structure of the device's revision or nothing, a
// backup of the device's set before it is overwritten, the 'S' answer checked, the set read
// back and every value the firmware changed reported. Sends only 'q' (1..5, 0xFF; 10..29
// only from resetToDefaults() with confirmation), 's' and 'f'; never 'R' or 't'.
class ParamController : public QObject
{
    Q_OBJECT
public:
    // How requests reach the device: Conversation::ask, or a stand-in in tests.
    using Ask =
        std::function<void(const Request&, QObject* context, std::function<void(const Reply&)>)>;

    ParamController(const QList<ParamLayout>& layouts, Ask ask, QObject* parent = nullptr);

    void setBackupFolder(const QString& folder) { backupFolder_ = folder; }
    // Called right before a confirmed reset request is asked: the session lets exactly the next
    // 'q' 10..29 through (SessionPipeline::allowReset()).
    void setResetPermit(std::function<void()> permit) { resetPermit_ = std::move(permit); }
    const QList<ParamLayout>& layouts() const { return layouts_; }

    // Frames from the device, for the motor state: the newest Navi Ctrl 'O' (NaviData) status
    // decides. The 'D' status bytes carry no documented motor flag, so they are not used.
    void noteFrame(char cmd, int address, const QByteArray& payload);
    bool motorsRunning() const { return motorsRunning_; }
    // The link went away: a write in flight ends with its state unknown; the motor state is
    // forgotten with the link.
    void linkClosed();

    bool busy() const { return stage_ != Stage::Idle; }

    // Each starts an operation and returns true, or refuses at once (false, with finished()
    // emitted before returning). Results come with finished().
    bool readSet(int set); // 1..5, or kActive
    bool readAll();        // the active set's number, then sets 1..5
    bool write(const ParamSet& set);
    bool activate(int set);
    // 'q' 10+n (channel assignment reset too) or 20+n (kept): only with `confirmed`.
    bool resetToDefaults(int set, bool keepChannels, bool confirmed);

    static constexpr int kActive = 0xFF;
    static constexpr int kAnswerMs = 2000;
    static QString refusedText();

signals:
    void progress(const QString& text);
    void finished(const ParamResult& result);
    // The motor state noteFrame() follows changed.
    void motorsChanged(bool running);

private:
    enum class Stage
    {
        Idle,
        Reading,
        Backup,
        Writing,
        ReadBack,
        Activating
    };
    bool refuse_(const QString& why);
    bool start_(Stage stage);
    void finish_(bool ok, const QString& error = QString());
    void askSet_(int number, std::function<void(const ParamSet&)> next);
    void readNext_();
    void onWritten_(const Reply& reply);
    void onReadBack_(const ParamSet& set);

    QList<ParamLayout> layouts_;
    Ask ask_;
    QString backupFolder_;
    std::function<void()> resetPermit_;
    bool motorsRunning_ = false;
    Stage stage_ = Stage::Idle;
    quint64 generation_ = 0; // answers of an ended operation are ignored
    ParamResult result_;
    QList<int> pending_; // sets still to read
    ParamSet toWrite_;
};
