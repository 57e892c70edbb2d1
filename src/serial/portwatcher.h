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

// One port as the system lists it: the name to open, a text describing the hardware, and what
// the adapter tells of itself (empty where it tells nothing, as for virtual ports).
struct PortInfo
{
    QString portName;
    QString physName;
    QString manufacturer;
    QString product;
    QString serialNumber;
    QString byId; // the /dev/serial/by-id name leading to the port, if any
    // Tells apart two devices behind the same name, such as a pseudo-terminal number handed to
    // another program after ours went away (its node is made anew).
    QString instance;
};

// Lists the serial ports present and reports each one that appears or goes away.
//
// System ports come from QSerialPortInfo (name = system location; the physical name is built
// from description, manufacturer, serial number and USB ids, and carries "FTDI" whenever the
// vendor id is 0x0403, since FTDI chips often carry a custom product string). Virtual ports are
// the symbolic links in the virtual ports directory that lead to a terminal (named by their full
// path, physical name "virtual <link file name> -> <target>"); a link whose target is gone or is
// no terminal is not a port.
//
// Taking the system list walks every tty the kernel knows and costs milliseconds, so it is
// taken only when something changed: on a udev event for the "tty" subsystem, or on a change in
// /dev when no udev daemon runs. Virtual ports are cheap to list: the directory's watch reports
// links made and removed, and a watch on each listed link's terminal reports the terminal going
// away behind its link (a pseudo-terminal's node is removed when its far side closes). Only
// where a watch cannot be set is the virtual list checked every kVirtualCheckMs, and only when
// neither udev nor the /dev watch works is the whole list taken every kFallbackRescanMs. Idle,
// nothing runs. Notifications are delivered on the
// thread this object lives in, each appearance and each removal once.
class PortWatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr int kVirtualCheckMs = 500;
    static constexpr int kFallbackRescanMs = 10000;

    explicit PortWatcher(QObject* parent = nullptr);
    ~PortWatcher() override;

    // Every port present now, system ports first, then virtual ones sorted by name.
    static QList<PortInfo> getPorts();
    static QList<PortInfo> systemPorts();
    static QList<PortInfo> virtualPorts();

    // For comparisons only: watchers set up after this call take the whole list every ms
    // milliseconds and use no event source, as an earlier design did. 0 restores the default.
    static void setPeriodicRescanForComparison(int ms);
    // For comparisons only: watchers set up after this call check the listed virtual ports'
    // terminals every ms milliseconds instead of watching them. 0 restores the default.
    static void setVirtualPollForComparison(int ms);

    // Reports every port present through deviceDiscovered before returning, then watches.
    void setUpNotifications();
    bool notificationsActive() const { return active_; }
    // True when a source of events for system ports works, so no periodic full rescan runs.
    bool systemEventsWatched() const { return systemEvents_; }

public slots:
    // Takes the whole list again and reports the difference to the last one.
    void rescan();

signals:
    void deviceDiscovered(const PortInfo& info);
    void deviceRemoved(const PortInfo& info);

private:
    bool setUpUdev_();
    void onUdevEvent_();
    void rescanVirtual_();
    bool watchTargets_(const QList<PortInfo>& ports);
    void report_(const QList<PortInfo>& ports);

    bool active_ = false;
    bool systemEvents_ = false;
    bool virtualEvents_ = false;
    QList<PortInfo> system_;        // the system list as last taken
    QMap<QString, QString> known_;  // port name -> physical name and instance
    QTimer* soon_ = nullptr;        // full rescan shortly after a burst of system events
    QTimer* virtualSoon_ = nullptr; // virtual rescan shortly after a directory change
    QTimer* virtualCheck_ = nullptr;
    QTimer* fallback_ = nullptr;
    QFileSystemWatcher* dirWatch_ = nullptr;
    QFileSystemWatcher* targetWatch_ = nullptr; // the terminals behind listed virtual ports
    int virtualPollMs_ = 0;                     // set for comparisons only
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    QSocketNotifier* udevNotifier_ = nullptr;
};

Q_DECLARE_METATYPE(PortInfo)
