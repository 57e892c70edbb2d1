#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Fetches the device's analog value labels one by one: asks for label 0, and for the next
// label after each answer, until the answer of the last index (31 or above) ends the run.
// While a run is under way it takes every frame that arrives (the owner logs none of them).
// A garbled answer asks for the next label again at once; an awaited label left unanswered
// for timeout() is asked again, and after kTries unanswered requests the run is abandoned so
// that frames are logged again.
class LabelCollector : public QObject
{
    Q_OBJECT
public:
    static constexpr int kLastLabelIndex = 31;
    static constexpr int kTries = 3;
    static constexpr int kDefaultTimeoutMs = 2000;

    explicit LabelCollector(QObject* parent = nullptr, int timeoutMs = kDefaultTimeoutMs);

    int timeout() const { return timer_.interval(); }
    void setTimeout(int ms) { timer_.setInterval(ms); }
    bool isCollecting() const { return collecting_; }

    // Starts a run, forgetting any labels of a run under way.
    void start();
    // A frame that arrived during a run; `good` is the verdict of its check.
    void takeFrame(bool good, char cmd, const QByteArray& payload);

signals:
    // Ask the device for the label with this index.
    void requestLabel(int index);
    void labelsListReady(QStringList labels);
    // The awaited label went unanswered `tries` times; the run is over.
    void abandoned(int index, int tries);

private:
    void onTimeout_();
    void ask_(int index);

    QTimer timer_;
    bool collecting_ = false;
    int lastIndex_ = 0;
    int retries_ = 0;
    QStringList labels_;
};
