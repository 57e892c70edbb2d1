#pragma once

#include <QList>
#include <QObject>
#include <QString>

// One port as the serial link lists it.
struct QPortInfo
{
    QString name;
    bool isFTDI = false;
};

// Public interface of the serial link. The serial subsystem owns the implementation and may add
// private members; the public part below is what the main window and MkHelper rely on.
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
};
