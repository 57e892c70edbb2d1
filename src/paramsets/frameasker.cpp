#include "frameasker.h"

#include "framesink.h"
#include "mkhelper.h"

#include <QPointer>

FrameAsker::FrameAsker(FrameSink* sink, QObject* parent) : QObject(parent), sink_(sink)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &FrameAsker::onTimeout_);
}

void FrameAsker::ask(const Request& request, QObject* context,
                     std::function<void(const Reply&)> done)
{
    Pending p;
    p.request = request;
    p.context = context;
    p.hasContext = context != nullptr;
    p.done = std::move(done);
    p.triesLeft = qMax(1, request.tries);
    if (p.hasContext) {
        // A context that goes away takes its callbacks with it.
        connect(context, &QObject::destroyed, this, [this, context] {
            for (Pending& q : queue_) {
                if (q.context == context)
                    q.done = nullptr;
            }
        });
    }
    queue_ << p;
    if (!inFlight_)
        sendNext_();
}

void FrameAsker::sendNext_()
{
    while (!queue_.isEmpty() && !inFlight_) {
        Pending& p = queue_.first();
        if (!sink_ || !sink_->isOpen()) {
            settle_(Reply{false, tr("the link is closed"), {}, {}, 0});
            continue;
        }
        QByteArray frame;
        MkHelper::encodeFrame(p.request.cmd, p.request.address, p.request.payload, frame);
        --p.triesLeft;
        inFlight_ = true;
        timer_.start(p.request.timeoutMs);
        sink_->write(frame);
    }
}

void FrameAsker::onTimeout_()
{
    if (queue_.isEmpty())
        return;
    inFlight_ = false;
    if (queue_.first().triesLeft > 0) {
        sendNext_();
        return;
    }
    settle_(Reply{false,
                  tr("no answer within %1 s").arg(queue_.first().request.timeoutMs / 1000.0),
                  {},
                  {},
                  0});
    sendNext_();
}

void FrameAsker::onFrame(const QByteArray& frame)
{
    if (!inFlight_ || queue_.isEmpty())
        return;
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    if (!MkHelper::decodeFrame(frame, cmd, address, payload))
        return;
    const Request& r = queue_.first().request;
    if (cmd != r.answer)
        return;
    if (r.answerIndex >= 0 && (payload.isEmpty() || quint8(payload.at(0)) != r.answerIndex))
        return;
    timer_.stop();
    inFlight_ = false;
    Reply reply;
    reply.ok = true;
    reply.payload = payload;
    reply.address = address;
    settle_(reply);
    sendNext_();
}

void FrameAsker::cancelAll(const QString& reason)
{
    timer_.stop();
    inFlight_ = false;
    while (!queue_.isEmpty())
        settle_(Reply{false, reason, {}, {}, 0});
}

void FrameAsker::settle_(const Reply& reply)
{
    const Pending p = queue_.takeFirst();
    if (p.done && (!p.hasContext || p.context))
        p.done(reply);
}
