#include "navipipe.h"

#include "conversation.h"
#include "framesink.h"
#include "framestore.h"
#include "mkhelper.h"

#include <QCoreApplication>

const QByteArray NaviPipe::kEscape("\x1b\x1b\x55\xaa\x00", 5);

NaviPipe::NaviPipe(FrameStore* store, FrameSink* sink, Conversation* conversation, QObject* parent)
    : QObject(parent), store_(store), sink_(sink), conversation_(conversation)
{
    // Clearing the store (Clear, opening a capture) changes nothing on the line: the state
    // stays until the link closes.
    connect(store_, &FrameStore::appended, this, &NaviPipe::onAppended_);
}

int NaviPipe::addressOf(Device device)
{
    switch (device) {
    case FlightCtrl:
        return 1;
    case NaviCtrl:
        return 2;
    case Mk3Mag:
        return 3;
    }
    return 1;
}

QString NaviPipe::nameOf(Device device)
{
    switch (device) {
    case FlightCtrl:
        return QCoreApplication::translate("NaviPipe", "Flight Ctrl");
    case NaviCtrl:
        return QCoreApplication::translate("NaviPipe", "Navi Ctrl");
    case Mk3Mag:
        return QCoreApplication::translate("NaviPipe", "MK3MAG");
    }
    return {};
}

int NaviPipe::address() const
{
    if (device_ != NaviCtrl)
        return addressOf(device_);
    return naviPresent_ ? addressOf(NaviCtrl) : addressOf(FlightCtrl);
}

bool NaviPipe::talkTo(Device device)
{
    if (!sink_->isOpen()) {
        emit failed(QCoreApplication::translate("NaviPipe", "Not connected: cannot talk to the %1")
                        .arg(nameOf(device)));
        return false;
    }
    if (device == NaviCtrl) {
        leave();
        return true;
    }
    if (!naviPresent_) {
        emit failed(QCoreApplication::translate(
                        "NaviPipe", "No Navi Ctrl answered: the %1 cannot be reached through it")
                        .arg(nameOf(device)));
        return false;
    }
    if (device_ != NaviCtrl || pending())
        leave(); // the Navi Ctrl takes a redirect only while it is not a pipe
    QByteArray frame;
    MkHelper::encodeFrame('u', addressOf(NaviCtrl), QByteArray(1, char(device == Mk3Mag)), frame);
    sink_->write(frame);
    pending_ = device;
    Request version;
    version.cmd = 'v';
    version.address = addressOf(device);
    version.answer = 'V';
    version.answerAddress = addressOf(device);
    version.timeoutMs = kAnswerTimeoutMs;
    version.tries = 1; // a second 'v' would not make a refused redirect succeed
    const quint64 attempt = ++attempt_;
    askId_ = conversation_->ask(version, this, [this, device, attempt](const Reply& reply) {
        if (attempt == attempt_) // not a redirect given up or replaced since
            onVersion_(device, reply);
    });
    return true;
}

bool NaviPipe::leave()
{
    const bool piped = device_ != NaviCtrl || pending();
    pending_ = -1;
    if (askId_)
        conversation_->cancel(askId_);
    askId_ = 0;
    if (!piped)
        return false;
    writeEscape_();
    setDevice_(NaviCtrl);
    return sink_->isOpen();
}

void NaviPipe::reset()
{
    pending_ = -1;
    if (askId_)
        conversation_->cancel(askId_);
    askId_ = 0;
    setDevice_(NaviCtrl);
    if (naviPresent_) {
        naviPresent_ = false;
        emit naviPresentChanged(false);
    }
}

void NaviPipe::writeEscape_()
{
    if (sink_->isOpen())
        sink_->write(kEscape);
}

void NaviPipe::setDevice_(Device device)
{
    if (device_ == device)
        return;
    device_ = device;
    emit deviceChanged(device);
}

void NaviPipe::onAppended_(qsizetype first, qsizetype count)
{
    if (naviPresent_ || device_ != NaviCtrl || !sink_->isOpen())
        return; // only a device on the open link counts, not the frames of a capture
    for (qsizetype i = first; i < first + count; ++i) {
        if (!store_->isSent(i) && store_->isGood(i) && store_->address(i) == addressOf(NaviCtrl)) {
            naviPresent_ = true;
            emit naviPresentChanged(true);
            return;
        }
    }
}

void NaviPipe::onVersion_(Device device, const Reply& reply)
{
    if (pending_ != int(device))
        return; // left or reset meanwhile
    pending_ = -1;
    askId_ = 0;
    if (reply.ok()) {
        setDevice_(device);
        return;
    }
    if (reply.outcome == Reply::Cancelled) {
        setDevice_(NaviCtrl); // the link closed: nothing to end
        return;
    }
    // The Navi Ctrl may have become a pipe to a device that stays silent: end it.
    writeEscape_();
    setDevice_(NaviCtrl);
    emit failed(reply.outcome == Reply::TimedOut
                    ? QCoreApplication::translate("NaviPipe",
                                                  "The %1 did not answer within %2 s (the Navi "
                                                  "Ctrl refuses some redirects while the motors "
                                                  "run)")
                          .arg(nameOf(device))
                          .arg(kAnswerTimeoutMs / 1000)
                    : QCoreApplication::translate("NaviPipe", "Cannot talk to the %1: %2")
                          .arg(nameOf(device), reply.error));
}
