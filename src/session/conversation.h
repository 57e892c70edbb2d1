#pragma once

#include "framerecord.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <list>

class FrameSink;
class QTimer;

// A request and what counts as its answer.
struct Request
{
    char cmd = 0;       // request letter
    int address = 1;    // device address the request goes to
    QByteArray payload; // request parameters
    char answer = 0;    // letter of the awaited answer
    int answerIndex =
        -1; // >= 0: the answer's first payload byte must equal it ('A' label, 'Q' set)
    int answerAddress = -1; // >= 0: only an answer from this address counts
    int timeoutMs = 2000;   // per try
    int tries = 3;          // sends before giving up; 1: no retry
    // A frame that fails its check while the answer is awaited sends the request again at once
    // (the garbled frame may have been the answer); the time-out keeps running, so a line that
    // only brings noise still ends the wait.
    bool resendOnGarbled = false;
};

// How a request ended.
struct Reply
{
    enum Outcome
    {
        Answered,
        TimedOut,  // no matching answer after every try
        Cancelled, // the link closed or the caller gave up
        Busy       // a request awaiting the same answer letter was in flight
    };
    Outcome outcome = Cancelled;
    QString error;      // for the user, when not answered
    FrameRecord record; // the answer frame
    QByteArray payload; // its decoded payload
    int address = 0;    // address it came from
    int tries = 0;      // sends made

    bool ok() const { return outcome == Answered; }
};

// Sends requests and matches the answers that come back: by letter, and by index where the
// answer carries one. At most one request per answer letter is in flight; a second is refused
// at once (Busy) instead of being matched to the first one's answer. Every request ends with
// exactly one call of its callback: answered, timed out after its tries, or cancelled when the
// link closes. Received frames come in through takeFrame(), from the session pipeline.
class Conversation : public QObject
{
    Q_OBJECT
public:
    using Callback = std::function<void(const Reply&)>;

    explicit Conversation(QObject* parent = nullptr);
    ~Conversation() override;

    // Where requests are written; nothing is sent while it is null or not open.
    void setSink(FrameSink* sink) { sink_ = sink; }

    // Sends the request; `done` is called once, later (never from inside ask()), unless
    // `context` is destroyed first. Returns an id for cancel(), 0 when refused as Busy.
    quint64 ask(const Request& request, QObject* context, Callback done);
    void cancel(quint64 id);
    // Ends every request in flight as Cancelled with this reason (the link closed).
    void cancelAll(const QString& reason);
    bool isAwaiting(char answer) const;
    int inFlight() const { return int(pending_.size()); }

    // A frame from the device. Returns true when it settled a request in flight.
    bool takeFrame(const FrameRecord& record, const QByteArray& payload, int address);

private:
    struct Pending
    {
        quint64 id = 0;
        Request request;
        QPointer<QObject> context;
        bool hasContext = false;
        Callback done;
        qint64 deadlineMs = 0;
        int tries = 0;
    };
    void send_(Pending& pending);
    void finish_(std::list<Pending>::iterator it, Reply reply);
    void onTimer_();
    void rearm_();

    FrameSink* sink_ = nullptr;
    std::list<Pending> pending_;
    quint64 nextId_ = 1;
    QTimer* timer_;
};
