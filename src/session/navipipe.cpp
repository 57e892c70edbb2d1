#include "navipipe.h"

#include "framesink.h"
#include "framestore.h"
#include "mkhelper.h"

#include <QCoreApplication>
#include <QTimer>

const QByteArray NaviPipe::kEscape("\x1b\x1b\x55\xaa\x00", 5);

NaviPipe::NaviPipe(FrameStore* store, FrameSink* sink, QObject* parent)
    : QObject(parent), store_(store), sink_(sink), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &NaviPipe::onTimeout_);
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
    MkHelper::encodeFrame('v', addressOf(device), QByteArray(), frame);
    sink_->write(frame);
    pending_ = device;
    timer_->start(kAnswerTimeoutMs);
    return true;
}

bool NaviPipe::leave()
{
    const bool piped = device_ != NaviCtrl || pending();
    timer_->stop();
    pending_ = -1;
    if (!piped)
        return false;
    writeEscape_();
    setDevice_(NaviCtrl);
    return sink_->isOpen();
}

void NaviPipe::reset()
{
    timer_->stop();
    pending_ = -1;
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
    for (qsizetype i = first; i < first + count; ++i) {
        const FrameRecord& r = store_->at(i);
        if (r.direction != FrameRecord::Received || !r.good)
            continue;
        // Only a device on the open link counts, not the frames of a capture.
        if (r.address == addressOf(NaviCtrl) && !naviPresent_ && device_ == NaviCtrl &&
            sink_->isOpen()) {
            naviPresent_ = true;
            emit naviPresentChanged(true);
        }
        if (pending() && r.cmd == 'V' && r.address == addressOf(Device(pending_))) {
            timer_->stop();
            const Device reached = Device(pending_);
            pending_ = -1;
            setDevice_(reached);
        }
    }
}

void NaviPipe::onTimeout_()
{
    if (!pending())
        return;
    const Device wanted = Device(pending_);
    pending_ = -1;
    // The Navi Ctrl may have become a pipe to a device that stays silent: end it.
    writeEscape_();
    setDevice_(NaviCtrl);
    emit failed(QCoreApplication::translate("NaviPipe",
                                            "The %1 did not answer within %2 s (the Navi Ctrl "
                                            "refuses some redirects while the motors run)")
                    .arg(nameOf(wanted))
                    .arg(kAnswerTimeoutMs / 1000));
}
