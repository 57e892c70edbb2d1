#pragma once

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
// errors are announced on the GUI thread; so are ports that appear and go away.
class MkSerial : public QObject
{
    Q_OBJECT
public:
    explicit MkSerial(QObject* parent = nullptr);
    ~MkSerial() override;

    bool open();
    void close();
    bool isOpen();
    QString deviceName() const;
    void setDeviceName(const QString& name);
    QList<QPortInfo> getPorts();
    void setUpNotifications();
    void write(const QByteArray& data);
    bool setDebug(bool on);

signals:
    void newFrameReceived(const QByteArray& data);
    // A frame was handed to the send thread (emitted on the caller's thread, by write()).
    void frameWritten(const QByteArray& frame);
    // The open link failed for good (read error, device gone); the link is still to be closed
    // by the owner. The reason is a text for the user.
    void connectionLost(const QString& reason);
    void writeError(qint64 errorCode);
    void deviceDiscovered(const QString& name, bool isFTDI);
    void deviceRemoved(const QString& name);

private slots:
    void onDeviceDiscovered_(const PortInfo& info);
    void onDeviceRemoved_(const PortInfo& info);

private:
    void initSerialPort_();
    void initThread_();

    std::unique_ptr<SerialPort> port_;
    PortWatcher* enumerator_ = nullptr;
    ThreadSend* threadSend_ = nullptr;
    ThreadReceive* threadReceive_ = nullptr;
    bool debug_ = false;
};
