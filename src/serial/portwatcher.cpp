#include "portwatcher.h"
#include "seriallog.h"
#include "virtualports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSerialPortInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <libudev.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
constexpr quint16 kFtdiVendorId = 0x0403;
constexpr int kBurstMs = 20;
const char* const kDevDir = "/dev";
const char* const kByIdDir = "/dev/serial/by-id";

int periodicRescanMs = 0; // set for comparisons only
int virtualPollMs = 0;    // set for comparisons only

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

// Device path -> the by-id link name that leads to it.
QMap<QString, QString> byIdNames()
{
    QMap<QString, QString> names;
    const QFileInfoList links =
        QDir(QString::fromLatin1(kByIdDir)).entryInfoList(QDir::System | QDir::Files);
    for (const QFileInfo& link : links) {
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty())
            names.insert(target, link.fileName());
    }
    return names;
}

// A character device of the tty class. Pseudo-terminal slaves (majors 136-143) are not in
// sysfs; every other terminal has a "subsystem" link there that ends in "tty". The node's
// change time goes to instance: a node made anew for the same number has another.
bool isTerminal(const QString& path, QString* instance)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    *instance = QStringLiteral("%1.%2").arg(st.st_ctim.tv_sec).arg(st.st_ctim.tv_nsec);
    const unsigned maj = major(st.st_rdev);
    if (maj >= 136 && maj <= 143)
        return true;
    const QByteArray subsystem = "/sys/dev/char/" + QByteArray::number(maj) + ':' +
                                 QByteArray::number(minor(st.st_rdev)) + "/subsystem";
    char target[256] = {};
    const ssize_t n = ::readlink(subsystem.constData(), target, sizeof target - 1);
    return n > 0 && QByteArray(target, int(n)).endsWith("/tty");
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
    return systemPorts() + virtualPorts();
}

QList<PortInfo> PortWatcher::systemPorts()
{
    QList<PortInfo> ports;
    const QMap<QString, QString> byId = byIdNames();
    const auto system = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : system) {
        PortInfo port;
        port.portName = info.systemLocation();
        port.physName = physicalName(info);
        port.manufacturer = info.manufacturer();
        port.product = info.description();
        port.serialNumber = info.serialNumber();
        port.byId = byId.value(QFileInfo(port.portName).canonicalFilePath());
        ports.append(port);
    }
    return ports;
}

QList<PortInfo> PortWatcher::virtualPorts()
{
    QList<PortInfo> ports;
    // Whoever could write into a folder that is not private would choose the terminals listed.
    const QString path = virtualPortsDir();
    if (!virtualPortsProblem(path).isEmpty())
        return ports;
    const QDir dir(path);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        // A link whose target has gone, or that leads to anything but a terminal (a regular
        // file, /dev/null), is no port; nor is a terminal this user may not open.
        PortInfo port;
        if (!entry.isSymLink() || !isTerminal(entry.absoluteFilePath(), &port.instance) ||
            ::access(QFile::encodeName(entry.absoluteFilePath()).constData(), R_OK | W_OK) != 0)
            continue;
        port.portName = entry.absoluteFilePath();
        port.physName =
            QStringLiteral("virtual %1 -> %2").arg(entry.fileName(), entry.symLinkTarget());
        ports.append(port);
    }
    return ports;
}

void PortWatcher::setPeriodicRescanForComparison(int ms)
{
    periodicRescanMs = ms;
}

void PortWatcher::setVirtualPollForComparison(int ms)
{
    virtualPollMs = ms;
}

void PortWatcher::setUpNotifications()
{
    if (active_)
        return;
    active_ = true;
    rescan();

    fallback_ = new QTimer(this);
    connect(fallback_, &QTimer::timeout, this, &PortWatcher::rescan);
    if (periodicRescanMs > 0) {
        fallback_->start(periodicRescanMs);
        return;
    }

    // Events come in bursts (several udev events per adapter, a link and its target): one
    // rescan shortly after the first is enough.
    soon_ = new QTimer(this);
    soon_->setSingleShot(true);
    soon_->setInterval(kBurstMs);
    connect(soon_, &QTimer::timeout, this, &PortWatcher::rescan);
    virtualSoon_ = new QTimer(this);
    virtualSoon_->setSingleShot(true);
    virtualSoon_->setInterval(kBurstMs);
    connect(virtualSoon_, &QTimer::timeout, this, &PortWatcher::rescanVirtual_);
    virtualPollMs_ = virtualPollMs;
    virtualCheck_ = new QTimer(this);
    virtualCheck_->setInterval(virtualPollMs_ > 0 ? virtualPollMs_ : kVirtualCheckMs);
    connect(virtualCheck_, &QTimer::timeout, this, &PortWatcher::rescanVirtual_);
    targetWatch_ = new QFileSystemWatcher(this);
    connect(targetWatch_, &QFileSystemWatcher::fileChanged, virtualSoon_,
            qOverload<>(&QTimer::start));

    dirWatch_ = new QFileSystemWatcher(this);
    virtualEvents_ = dirWatch_->addPath(virtualPortsDir());
    // Device nodes appear in /dev also where no udev daemon runs; by-id links come later, from
    // udev, and are watched while their directory exists.
    const bool devWatched = dirWatch_->addPath(QString::fromLatin1(kDevDir));
    connect(dirWatch_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& path) {
        if (path == virtualPortsDir())
            virtualSoon_->start();
        else
            soon_->start();
    });
    const bool udevWatched = setUpUdev_();
    systemEvents_ = devWatched || udevWatched;
    if (!systemEvents_) {
        qCDebug(lcSerial) << "no event source for system ports; rescanning every"
                          << kFallbackRescanMs << "ms";
        fallback_->start(kFallbackRescanMs);
    }
    rescanVirtual_(); // starts the virtual check when needed
}

bool PortWatcher::setUpUdev_()
{
    // Without the daemon the monitor can be made but never hears anything.
    if (::access("/run/udev/control", F_OK) != 0)
        return false;
    udev_ = udev_new();
    if (!udev_)
        return false;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        qCDebug(lcSerial) << "no udev monitor";
        return false;
    }
    udevNotifier_ = new QSocketNotifier(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
    connect(udevNotifier_, &QSocketNotifier::activated, this, &PortWatcher::onUdevEvent_);
    return true;
}

void PortWatcher::onUdevEvent_()
{
    if (udev_device* dev = udev_monitor_receive_device(monitor_))
        udev_device_unref(dev);
    soon_->start();
}

void PortWatcher::rescan()
{
    system_ = systemPorts();
    if (dirWatch_ && QFileInfo::exists(QString::fromLatin1(kByIdDir)))
        dirWatch_->addPath(QString::fromLatin1(kByIdDir));
    report_(system_ + virtualPorts());
}

void PortWatcher::rescanVirtual_()
{
    // The directory may have been removed and made again, which ends its watch.
    if (dirWatch_ && !dirWatch_->directories().contains(virtualPortsDir()))
        virtualEvents_ = dirWatch_->addPath(virtualPortsDir());
    const QList<PortInfo> virt = virtualPorts();
    report_(system_ + virt);
    if (!virtualCheck_)
        return;
    // New links are reported by the folder's watch; only a terminal that goes away behind a
    // listed link needs a watch of its own, or the periodic check where that cannot be had.
    const bool targetsWatched = watchTargets_(virt);
    const bool needed = !virtualEvents_ || !targetsWatched;
    if (needed && !virtualCheck_->isActive())
        virtualCheck_->start();
    else if (!needed)
        virtualCheck_->stop();
}

void PortWatcher::report_(const QList<PortInfo>& ports)
{
    // The physical name, then the instance: what must stay the same for a port to be the same.
    const auto key = [](const PortInfo& p) { return p.physName + QLatin1Char('\n') + p.instance; };
    QMap<QString, QString> now;
    for (const PortInfo& p : ports)
        now.insert(p.portName, key(p));

    // A name that now stands for another device (a link pointed elsewhere, a terminal number
    // reused) is a removal and an appearance.
    const QMap<QString, QString> before = known_;
    known_ = now;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const auto found = now.constFind(it.key());
        if (found == now.cend() || found.value() != it.value()) {
            PortInfo gone;
            gone.portName = it.key();
            gone.physName = it.value().section(QLatin1Char('\n'), 0, 0);
            emit deviceRemoved(gone);
        }
    }
    for (const PortInfo& p : ports) {
        const auto found = before.constFind(p.portName);
        if (found == before.cend() || found.value() != key(p))
            emit deviceDiscovered(p);
    }
}

bool PortWatcher::watchTargets_(const QList<PortInfo>& ports)
{
    QStringList wanted;
    for (const PortInfo& port : ports) {
        const QString target = QFileInfo(port.portName).canonicalFilePath();
        if (!target.isEmpty())
            wanted << target;
    }
    wanted.removeDuplicates();
    if (virtualPollMs_ > 0)
        return wanted.isEmpty();
    const QStringList watched = targetWatch_->files();
    for (const QString& path : watched) {
        if (!wanted.contains(path))
            targetWatch_->removePath(path);
    }
    bool all = true;
    for (const QString& path : std::as_const(wanted)) {
        // A node removed and made anew under the same name ends the old watch: set it again.
        if (!targetWatch_->files().contains(path))
            all = targetWatch_->addPath(path) && all;
    }
    return all && targetWatch_->files().size() == wanted.size();
}
