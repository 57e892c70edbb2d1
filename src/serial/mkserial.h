#pragma once

#include "link.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class PortWatcher;
class SerialPort;
class ThreadReceive;
class ThreadSend;
struct PortInfo;

// One port as the serial link lists it, with what the system tells of the adapter behind it
// (empty where it tells nothing, as for virtual ports).
struct QPortInfo
{
    QString name;
    bool isFTDI = false;
    QString manufacturer;
    QString product;
    QString serialNumber;
    QString byId; // the /dev/serial/by-id name leading to the port, if any

    // What names this adapter across unplugging: its USB serial number when it has one, else
    // its by-id name, else the port name.
    QString identity() const
    {
        if (!serialNumber.isEmpty())
            return QStringLiteral("serial:") + serialNumber;
        if (!byId.isEmpty())
            return QStringLiteral("by-id:") + byId;
        return QStringLiteral("port:") + name;
    }
};

// The serial link: owns the port, the port watcher and both worker threads. Frames and write
// errors are announced on the GUI thread; so are ports that appear and go away, and the end of
// an open link that failed. After every open the first request goes out behind a lone carriage
// return: a request cut off by an earlier close may still sit in the device's receive buffer,
// and would swallow it.
class MkSerial : public Link
{
    Q_OBJECT
public:
    explicit MkSerial(QObject* parent = nullptr);
    ~MkSerial() override;

    Kind kind() const override { return Kind::Device; }
    QString name() const override { return deviceName(); }
    bool open() override;
    // Returns at once whatever the device does: requests still queued are dropped (see
    // droppedRequests()), a write stalled on a device that stopped reading is abandoned.
    void close() override;
    bool isOpen() override;
    // After a failed open: one line for the user with the reason and what helps.
    QString openFailureReason() const { return openFailureReason_; }
    // Requests the last close() dropped before they went out.
    qsizetype droppedRequests() const { return droppedRequests_; }
    QString deviceName() const;
    void setDeviceName(const QString& name);
    QList<QPortInfo> getPorts();
    void setUpNotifications();
    void write(const QByteArray& data) override;
    bool setDebug(bool on);
    // Bytes of line noise dropped by the receive side since construction.
    qint64 droppedBytes() const;

signals:
    // The frames received since the last batch, in order: one signal per wake-up of the GUI
    // thread, so that a receiver can do its work (and repaint) once per batch.
    void newFramesReceived(const QList<QByteArray>& frames);
    // The same frames one by one, after their batch, for receivers that want them so.
    void newFrameReceived(const QByteArray& data);
    void writeError(qint64 errorCode);
    // Bytes of line noise were dropped in front of frames; one signal per burst.
    void junkDropped(qint64 bytes);
    void deviceDiscovered(const QString& name, bool isFTDI);
    void deviceRemoved(const QString& name);

private slots:
    void onFramesReceived_(const QList<QByteArray>& frames, const QList<qint64>& timesUs);
    void onDeviceDiscovered_(const PortInfo& info);
    void onDeviceRemoved_(const PortInfo& info);
    void onWriteError_(qint64 errorCode);
    void onPortFailed_();

private:
    void initSerialPort_();
    void initThread_();

    std::unique_ptr<SerialPort> port_;
    PortWatcher* enumerator_ = nullptr;
    ThreadSend* threadSend_ = nullptr;
    ThreadReceive* threadReceive_ = nullptr;
    bool debug_ = false;
    bool lostReported_ = false;
    // A lone carriage return is still owed in front of the next request (see the class).
    bool terminateFragment_ = false;
    QString openFailureReason_;
    qsizetype droppedRequests_ = 0;
};
