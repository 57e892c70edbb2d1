#include "mkserial.h"
#include "opendiagnosis.h"
#include "portwatcher.h"
#include "serialport.h"
#include "threadreceive.h"
#include "threadsend.h"

#include <QMetaMethod>

#include <cstring>

namespace {
bool isFtdi(const PortInfo& info)
{
    return info.physName.contains(QLatin1String("FTDI"));
}
} // namespace

MkSerial::MkSerial(QObject* parent) : Link(parent)
{
    initSerialPort_();
    initThread_();
}

MkSerial::~MkSerial()
{
    close();
    delete threadSend_;
    delete threadReceive_;
    port_.reset();
    delete enumerator_;
}

void MkSerial::initSerialPort_()
{
    // The line settings (57600 8N1, no flow control) are fixed inside SerialPort.
    port_ = std::make_unique<SerialPort>();
    enumerator_ = new PortWatcher(this);
    connect(enumerator_, &PortWatcher::deviceDiscovered, this, &MkSerial::onDeviceDiscovered_);
    connect(enumerator_, &PortWatcher::deviceRemoved, this, &MkSerial::onDeviceRemoved_);
}

void MkSerial::initThread_()
{
    threadReceive_ = new ThreadReceive(this, *port_);
    threadSend_ = new ThreadSend(this, *port_, threadReceive_->mutex());
    // The receive thread's object lives on this thread and emits from there: no queueing.
    connect(threadReceive_, &ThreadReceive::newFramesReceived, this, &MkSerial::onFramesReceived_);
    connect(threadReceive_, &ThreadReceive::junkDropped, this, &MkSerial::junkDropped);
    connect(threadSend_, &ThreadSend::writeError, this, &MkSerial::onWriteError_,
            Qt::QueuedConnection);
    connect(threadReceive_, &ThreadReceive::portFailed, this, &MkSerial::onPortFailed_,
            Qt::QueuedConnection);
}

bool MkSerial::open()
{
    if (!port_->open()) {
        openFailureReason_ = OpenDiagnosis().explain(port_->name(), port_->errorCode());
        return false;
    }
    openFailureReason_.clear();
    droppedRequests_ = 0;
    lostReported_ = false;
    threadSend_->start(QThread::InheritPriority);
    threadReceive_->start(QThread::InheritPriority);
    // The carriage return goes out in front of the first request, in the same write.
    terminateFragment_ = true;
    emit opened();
    return true;
}

void MkSerial::close()
{
    // Both loops must have left the port before its descriptor goes away, or a read or write
    // could land on a descriptor number the system has already given to someone else.
    // A write waiting for room on a device that stopped reading is woken rather than waited
    // for; what is still queued is dropped, not sent to a closed port.
    threadSend_->stop();
    threadReceive_->stop();
    const bool wasOpen = port_->isOpen();
    const qsizetype dropped = threadSend_->stopAndDrop();
    if (wasOpen)
        droppedRequests_ = dropped;
    threadReceive_->stopAndWait();
    port_->close();
    if (wasOpen)
        emit closed();
}

qint64 MkSerial::droppedBytes() const
{
    return threadReceive_->droppedBytes();
}

bool MkSerial::isOpen()
{
    return port_->isOpen();
}

QString MkSerial::deviceName() const
{
    return port_->name();
}

void MkSerial::setDeviceName(const QString& name)
{
    port_->setName(name);
}

QList<QPortInfo> MkSerial::getPorts()
{
    QList<QPortInfo> ports;
    const QList<PortInfo> found = PortWatcher::getPorts();
    for (const PortInfo& info : found) {
        QPortInfo port;
        port.name = info.portName;
        port.isFTDI = isFtdi(info);
        port.manufacturer = info.manufacturer;
        port.product = info.product;
        port.serialNumber = info.serialNumber;
        port.byId = info.byId;
        ports.append(port);
    }
    return ports;
}

void MkSerial::setUpNotifications()
{
    enumerator_->setUpNotifications();
}

void MkSerial::write(const QByteArray& data)
{
    threadReceive_->noteRequestSent();
    if (terminateFragment_ && port_->isOpen()) {
        terminateFragment_ = false;
        // Not part of the frame: not announced as written, not stored.
        threadSend_->write('\r' + data);
    } else {
        threadSend_->write(data);
    }
    if (port_->isOpen())
        emit frameWritten(data);
}

bool MkSerial::setDebug(bool on)
{
    const bool was = debug_;
    debug_ = on;
    return was;
}

void MkSerial::onFramesReceived_(const QList<QByteArray>& frames, const QList<qint64>& timesUs)
{
    if (isSignalConnected(QMetaMethod::fromSignal(&Link::framesReceived))) {
        QList<LinkFrame> stamped;
        stamped.reserve(frames.size());
        for (qsizetype i = 0; i < frames.size(); ++i)
            stamped.append({frames.at(i), timesUs.at(i)});
        emit framesReceived(stamped);
    }
    emit newFramesReceived(frames);
    static const QMetaMethod single = QMetaMethod::fromSignal(&MkSerial::newFrameReceived);
    if (!isSignalConnected(single))
        return;
    for (const QByteArray& frame : frames)
        emit newFrameReceived(frame);
}

void MkSerial::onDeviceDiscovered_(const PortInfo& info)
{
    emit deviceDiscovered(info.portName, isFtdi(info));
}

void MkSerial::onDeviceRemoved_(const PortInfo& info)
{
    emit deviceRemoved(info.portName);
}

void MkSerial::onWriteError_(qint64 errorCode)
{
    emit writeError(errorCode);
    if (port_->isOpen() && port_->failure() != 0)
        onPortFailed_();
}

void MkSerial::onPortFailed_()
{
    // A report from a line closed and opened again since finds the new line healthy.
    if (!port_->isOpen() || lostReported_ || port_->failure() == 0)
        return;
    lostReported_ = true;
    const int err = port_->failure();
    emit connectionLost(err > 0 ? QString::fromLocal8Bit(std::strerror(err))
                                : tr("the device hung up"));
}
