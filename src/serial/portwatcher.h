#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QSocketNotifier;
class QTimer;
struct udev;
struct udev_monitor;

// One port as the system lists it: the name to open and a text describing the hardware.
struct PortInfo
{
    QString portName;
    QString physName;
};

// Lists the serial ports present and reports each one that appears or goes away.
//
// Ports come from QSerialPortInfo (name = system location; the physical name is built from
// description, manufacturer, serial number and USB ids, and carries "FTDI" whenever the vendor
// id is 0x0403, since FTDI chips often carry a custom product string) and from the virtual
// ports directory (each symbolic link is a port named by its full path, physical name
// "virtual <link file name> -> <target>"; a link whose target is gone is not a port).
//
// Hot-plug works without a udev daemon: the list is taken again every kRescanMs and the
// difference reported. A udev monitor on the "tty" subsystem and a watch on the virtual ports
// directory only make the report come sooner. Notifications are delivered on the thread this
// object lives in, each appearance and each removal once.
class PortWatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRescanMs = 500;

    explicit PortWatcher(QObject* parent = nullptr);
    ~PortWatcher() override;

    // Every port present now, system ports first, then virtual ones sorted by name.
    static QList<PortInfo> getPorts();

    // Reports every port present through deviceDiscovered before returning, then watches.
    void setUpNotifications();
    bool notificationsActive() const { return timer_ != nullptr; }

public slots:
    // Takes the list again and reports the difference to the last one.
    void rescan();

signals:
    void deviceDiscovered(const PortInfo& info);
    void deviceRemoved(const PortInfo& info);

private:
    void setUpUdev_();
    void onUdevEvent_();

    QMap<QString, QString> known_; // port name -> physical name
    QTimer* timer_ = nullptr;
    QTimer* soon_ = nullptr;
    QFileSystemWatcher* dirWatch_ = nullptr;
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    QSocketNotifier* udevNotifier_ = nullptr;
};

Q_DECLARE_METATYPE(PortInfo)
