#pragma once

#include "conversation.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class FrameSink;

// A request/answer layer for the settings over any FrameSink: one request in flight at a
// time (the others wait in order), the answer matched by letter and, when asked, by its first
// payload byte; each try waits timeoutMs; cancelAll() fails what is pending, as a closing link
// does. The owner feeds every frame received to onFrame().
class FrameAsker : public QObject
{
    Q_OBJECT
public:
    explicit FrameAsker(FrameSink* sink, QObject* parent = nullptr);

    void ask(const Request& request, QObject* context, std::function<void(const Reply&)> done);
    void onFrame(const QByteArray& frame);
    void cancelAll(const QString& reason);

private:
    struct Pending
    {
        Request request;
        QObject* context = nullptr;
        bool hasContext = false;
        std::function<void(const Reply&)> done;
        int triesLeft = 0;
    };
    void sendNext_();
    void onTimeout_();
    void settle_(const Reply& reply);

    FrameSink* sink_;
    QList<Pending> queue_; // the first one is in flight
    bool inFlight_ = false;
    QTimer timer_;
};
