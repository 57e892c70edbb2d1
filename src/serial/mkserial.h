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

// One port as the serial link lists it.
struct QPortInfo
{
    QString name;
    bool isFTDI = false;
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
