#include "portwatcher.h"
#include "seriallog.h"
#include "virtualports.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSerialPortInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <libudev.h>

namespace {
constexpr quint16 kFtdiVendorId = 0x0403;

QString physicalName(const QSerialPortInfo& info)
{
    QStringList parts;
    for (const QString& s : {info.description(), info.manufacturer(), info.serialNumber()}) {
        if (!s.isEmpty())
            parts << s;
    }
    if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
        parts << QStringLiteral("%1:%2")
                     .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                     .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
    }
    if (info.hasVendorIdentifier() && info.vendorIdentifier() == kFtdiVendorId &&
        !parts.join(QLatin1Char(' ')).contains(QLatin1String("FTDI")))
        parts << QStringLiteral("FTDI");
    return parts.join(QLatin1Char(' '));
}

QList<PortInfo> virtualPorts()
{
    QList<PortInfo> ports;
    const QDir dir(virtualPortsDir());
    const QFileInfoList entries =
        dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        // exists() follows the link: a link whose target has gone is no port.
        if (!entry.isSymLink() || !entry.exists())
            continue;
        ports.append(
            {entry.absoluteFilePath(),
             QStringLiteral("virtual %1 -> %2").arg(entry.fileName(), entry.symLinkTarget())});
    }
    return ports;
}
} // namespace

PortWatcher::PortWatcher(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<PortInfo>();
}

PortWatcher::~PortWatcher()
{
    delete udevNotifier_;
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

QList<PortInfo> PortWatcher::getPorts()
{
    QList<PortInfo> ports;
    const auto system = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : system)
        ports.append({info.systemLocation(), physicalName(info)});
    ports.append(virtualPorts());
    return ports;
}

void PortWatcher::setUpNotifications()
{
    if (timer_)
        return;
    rescan();

    timer_ = new QTimer(this);
    timer_->setInterval(kRescanMs);
    connect(timer_, &QTimer::timeout, this, &PortWatcher::rescan);
    timer_->start();

    // Events come in bursts (a link and its target, several udev events per adapter): one
    // rescan shortly after the first is enough.
    soon_ = new QTimer(this);
    soon_->setSingleShot(true);
    soon_->setInterval(20);
    connect(soon_, &QTimer::timeout, this, &PortWatcher::rescan);

    dirWatch_ = new QFileSystemWatcher(this);
    dirWatch_->addPath(virtualPortsDir());
    connect(dirWatch_, &QFileSystemWatcher::directoryChanged, soon_, qOverload<>(&QTimer::start));

    setUpUdev_();
}

void PortWatcher::setUpUdev_()
{
    udev_ = udev_new();
    if (!udev_)
        return;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        qCDebug(lcSerial) << "no udev monitor; relying on periodic re-enumeration";
        return;
    }
    udevNotifier_ = new QSocketNotifier(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
    connect(udevNotifier_, &QSocketNotifier::activated, this, &PortWatcher::onUdevEvent_);
}

void PortWatcher::onUdevEvent_()
{
    if (udev_device* dev = udev_monitor_receive_device(monitor_))
        udev_device_unref(dev);
    soon_->start();
}

void PortWatcher::rescan()
{
    QMap<QString, QString> now;
    const QList<PortInfo> ports = getPorts();
    for (const PortInfo& p : ports)
        now.insert(p.portName, p.physName);

    // A name that now stands for other hardware (a link pointed elsewhere) is a removal and an
    // appearance.
    const QMap<QString, QString> before = known_;
    known_ = now;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const auto found = now.constFind(it.key());
        if (found == now.cend() || found.value() != it.value())
            emit deviceRemoved({it.key(), it.value()});
    }
    for (const PortInfo& p : ports) {
        const auto found = before.constFind(p.portName);
        if (found == before.cend() || found.value() != p.physName)
            emit deviceDiscovered(p);
    }
}
