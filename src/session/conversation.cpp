#include "conversation.h"

#include "framesink.h"
#include "mkhelper.h"

#include <QDateTime>
#include <QTimer>

namespace {

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// Delivers a reply on a later turn of the event loop, so that a caller never sees its callback
// run inside its own ask() or inside a frame handler it called.
void deliver(QObject* owner, QPointer<QObject> context, bool hasContext,
             Conversation::Callback done, Reply reply)
{
    QTimer::singleShot(0, owner,
                       [context, hasContext, done = std::move(done), reply = std::move(reply)] {
                           if (hasContext && !context)
                               return;
                           if (done)
                               done(reply);
                       });
}

} // namespace

Conversation::Conversation(QObject* parent) : QObject(parent), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &Conversation::onTimer_);
}

Conversation::~Conversation() = default;

quint64 Conversation::ask(const Request& request, QObject* context, Callback done)
{
    if (isAwaiting(request.answer)) {
        Reply reply;
        reply.outcome = Reply::Busy;
        reply.error = tr("A request for '%1' is still waiting for its answer")
                          .arg(QChar::fromLatin1(request.answer));
        deliver(this, context, context != nullptr, std::move(done), std::move(reply));
        return 0;
    }
    Pending pending;
    pending.id = nextId_++;
    pending.request = request;
    pending.request.tries = qMax(1, request.tries);
    pending.context = context;
    pending.hasContext = context != nullptr;
    pending.done = std::move(done);
    pending_.push_back(std::move(pending));
    send_(pending_.back());
    rearm_();
    return pending_.back().id;
}

void Conversation::send_(Pending& pending)
{
    ++pending.tries;
    pending.deadlineMs = nowMs() + pending.request.timeoutMs;
    if (!sink_ || !sink_->isOpen())
        return; // the time-out or the link's close ends it
    QByteArray frame;
    MkHelper::encodeFrame(pending.request.cmd, pending.request.address, pending.request.payload,
                          frame);
    sink_->write(frame);
}

void Conversation::cancel(quint64 id)
{
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
        if (it->id == id) {
            Reply reply;
            reply.outcome = Reply::Cancelled;
            reply.error = tr("Cancelled");
            finish_(it, std::move(reply));
            return;
        }
    }
}

void Conversation::cancelAll(const QString& reason)
{
    while (!pending_.empty()) {
        Reply reply;
        reply.outcome = Reply::Cancelled;
        reply.error = reason;
        finish_(pending_.begin(), std::move(reply));
    }
}

bool Conversation::isAwaiting(char answer) const
{
    for (const Pending& pending : pending_) {
        if (pending.request.answer == answer)
            return true;
    }
    return false;
}

bool Conversation::takeFrame(const FrameRecord& record, const QByteArray& payload, int address)
{
    if (record.direction != FrameRecord::Received || pending_.empty())
        return false;
    if (!record.good) {
        for (Pending& pending : pending_) {
            if (!pending.request.resendOnGarbled)
                continue;
            // Neither a try nor a new time-out: only the time-out uses tries up.
            const int tries = pending.tries;
            const qint64 deadline = pending.deadlineMs;
            send_(pending);
            pending.tries = tries;
            pending.deadlineMs = deadline;
        }
        return false;
    }
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
        const Request& request = it->request;
        if (request.answer != record.cmd)
            continue;
        if (request.answerAddress >= 0 && request.answerAddress != address)
            continue;
        if (request.answerIndex >= 0 &&
            (payload.isEmpty() || quint8(payload.at(0)) != quint8(request.answerIndex)))
            continue;
        Reply reply;
        reply.outcome = Reply::Answered;
        reply.record = record;
        reply.payload = payload;
        reply.address = address;
        finish_(it, std::move(reply));
        return true;
    }
    return false;
}

void Conversation::finish_(std::list<Pending>::iterator it, Reply reply)
{
    reply.tries = it->tries;
    Pending pending = std::move(*it);
    pending_.erase(it);
    deliver(this, pending.context, pending.hasContext, std::move(pending.done), std::move(reply));
    rearm_();
}

void Conversation::onTimer_()
{
    const qint64 now = nowMs();
    for (auto it = pending_.begin(); it != pending_.end();) {
        auto next = std::next(it);
        if (it->deadlineMs <= now) {
            if (it->tries < it->request.tries) {
                send_(*it);
            } else {
                Reply reply;
                reply.outcome = Reply::TimedOut;
                reply.error = tr("No answer '%1' after %n request(s)", nullptr, it->tries)
                                  .arg(QChar::fromLatin1(it->request.answer));
                finish_(it, std::move(reply));
            }
        }
        it = next;
    }
    rearm_();
}

void Conversation::rearm_()
{
    if (pending_.empty()) {
        timer_->stop();
        return;
    }
    qint64 earliest = pending_.front().deadlineMs;
    for (const Pending& pending : pending_)
        earliest = qMin(earliest, pending.deadlineMs);
    timer_->start(int(qBound<qint64>(qint64(0), earliest - nowMs(), qint64(60000))));
}
