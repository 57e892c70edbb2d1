#include "mkserial.h"
#include "portwatcher.h"
#include "serialtesthelpers.h"
#include "virtualports.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

// Virtual ports are symbolic links in the directory that $TOVRIK_PORTS_DIR names (private to
// this test). Every test starts and ends with that directory empty.
class TestPortWatcher : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void portsDirectory_data();
    void portsDirectory();
    void unsafeFolderIsNotUsed_data();
    void unsafeFolderIsNotUsed();
    void onlyLinksToTerminalsAreListed_data();
    void onlyLinksToTerminalsAreListed();
    void ftdiFlag_data();
    void ftdiFlag();
    void presentPortsReportedBeforeSetUpReturns();
    void appearanceAndRemovalReportedOnce();
    void linkWhoseTargetGoesIsRemoved();
    void retargetedLinkIsRemovedAndDiscovered();
    void notificationsArriveOnTheSetUpThread();

private:
    QString link(const QString& name, const QString& target);
    static QStringList virtualNames(const QList<QPortInfo>& ports);
    QString dir_;
};

void TestPortWatcher::init()
{
    dir_ = virtualPortsDir();
    QDir(dir_).removeRecursively();
    QCOMPARE(virtualPortsDir(), dir_); // made anew, private
    QVERIFY(virtualPortsProblem(dir_).isEmpty());
}

void TestPortWatcher::cleanup()
{
    QDir(dir_).removeRecursively();
}

QString TestPortWatcher::link(const QString& name, const QString& target)
{
    const QString path = dir_ + QLatin1Char('/') + name;
    if (!QFile::link(target, path))
        return {};
    return path;
}

QStringList TestPortWatcher::virtualNames(const QList<QPortInfo>& ports)
{
    QStringList names;
    for (const QPortInfo& p : ports) {
        if (p.name.startsWith(virtualPortsDir()))
            names << p.name;
    }
    return names;
}

void TestPortWatcher::portsDirectory_data()
{
    QTest::addColumn<QString>("portsDir");
    QTest::addColumn<QString>("runtimeDir");
    QTest::addColumn<QString>("expected");
    const QString base = QDir::tempPath() + QStringLiteral("/tovrik-pw-%1").arg(getpid());
    QTest::newRow("explicit directory wins")
        << base + "/explicit" << base + "/run" << base + "/explicit";
    QTest::newRow("runtime directory") << QString() << base + "/run" << base + "/run/tovrik/ports";
    QTest::newRow("neither") << QString() << QString()
                             << QStringLiteral("/tmp/tovrik-%1/ports").arg(getuid());
}

void TestPortWatcher::portsDirectory()
{
    QFETCH(QString, portsDir);
    QFETCH(QString, runtimeDir);
    QFETCH(QString, expected);
    const QByteArray savedPorts = qgetenv("TOVRIK_PORTS_DIR");
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    auto setOrUnset = [](const char* name, const QString& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    };
    setOrUnset("TOVRIK_PORTS_DIR", portsDir);
    setOrUnset("XDG_RUNTIME_DIR", runtimeDir);
    const QString got = virtualPortsDir();
    qputenv("TOVRIK_PORTS_DIR", savedPorts);
    qputenv("XDG_RUNTIME_DIR", savedRuntime);

    QCOMPARE(got, expected);
    QVERIFY2(QFileInfo(got).isDir(), "the directory is created");
    QDir(QDir::tempPath() + QStringLiteral("/tovrik-pw-%1").arg(getpid())).removeRecursively();
}

void TestPortWatcher::unsafeFolderIsNotUsed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("problem"); // %1: the folder; empty when it is used
    QTest::newRow("private folder") << "private" << QString();
    QTest::newRow("created by the program") << "missing" << QString();
    QTest::newRow("link to a private folder") << "link"
                                              << "'%1' is a symbolic link";
    QTest::newRow("mode 0777") << "0777"
                               << "'%1' is open to other users (mode 777; 700 wanted)";
    QTest::newRow("group may read") << "0740"
                                    << "'%1' is open to other users (mode 740; 700 wanted)";
    QTest::newRow("another user's folder") << "foreign"
                                           << "'%1' belongs to user 65534, not to you";
    QTest::newRow("a plain file") << "file"
                                  << "'%1' is not a directory";
}

// Whoever can write into the folder chooses the terminals the program lists and opens: only a
// private folder of the user's own is used, and what is wrong with any other is said.
void TestPortWatcher::unsafeFolderIsNotUsed()
{
    QFETCH(QString, kind);
    QFETCH(QString, problem);
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString real = base.filePath("real");
    const QString folder = base.filePath("ports");
    QVERIFY(QDir().mkdir(real));
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    Pty pty;
    QVERIFY(pty.isValid());
    QVERIFY(QFile::link(pty.path(), real + "/sim"));
    if (kind == "link") {
        QVERIFY(QFile::link(real, folder));
    } else if (kind == "file") {
        QFile plain(folder);
        QVERIFY(plain.open(QIODevice::WriteOnly));
    } else if (kind != "missing") {
        QVERIFY(QDir().rename(real, folder));
        if (kind == "foreign") {
            if (::lchown(QFile::encodeName(folder).constData(), 65534, 65534) != 0)
                QSKIP("only root can give a folder to another user");
        } else if (kind != "private") {
            QCOMPARE(::chmod(QFile::encodeName(folder).constData(), kind.toUInt(nullptr, 8)), 0);
        }
    }

    const QByteArray saved = qgetenv("TOVRIK_PORTS_DIR");
    qputenv("TOVRIK_PORTS_DIR", QFile::encodeName(folder));
    const QString got = virtualPortsProblem();
    const QList<PortInfo> listed = PortWatcher::virtualPorts();
    qputenv("TOVRIK_PORTS_DIR", saved);

    QCOMPARE(got, problem.isEmpty() ? QString() : problem.arg(folder));
    const int expected = kind == "private" ? 1 : 0; // the made folder starts empty
    QCOMPARE(listed.size(), expected);
    if (kind == "missing") {
        QFileInfo made(folder);
        QVERIFY(made.isDir());
        QCOMPARE(int(made.permissions() & 0x0077), 0); // no group or other bits
    }
}

void TestPortWatcher::onlyLinksToTerminalsAreListed_data()
{
    QTest::addColumn<QString>("target"); // "pty" for a fresh terminal, "file" for a plain file
    QTest::addColumn<bool>("isLink");
    QTest::addColumn<bool>("listed");
    QTest::newRow("link to a terminal") << "pty" << true << true;
    QTest::newRow("link to a regular file") << "file" << true << false;
    QTest::newRow("link to /dev/null") << "/dev/null" << true << false;
    QTest::newRow("link to a directory") << "/tmp" << true << false;
    QTest::newRow("dangling link") << "/dev/tovrik-gone" << true << false;
    QTest::newRow("plain file, no link") << "file" << false << false;
}

void TestPortWatcher::onlyLinksToTerminalsAreListed()
{
    QFETCH(QString, target);
    QFETCH(bool, isLink);
    QFETCH(bool, listed);
    MkSerial serial;
    serial.setUpNotifications();
    QSignalSpy discovered(&serial, &MkSerial::deviceDiscovered);
    QVERIFY(virtualNames(serial.getPorts()).isEmpty());

    Pty pty;
    QVERIFY(pty.isValid());
    QTemporaryDir files;
    QString path = dir_ + "/port";
    if (target == "pty") {
        target = pty.path();
    } else if (target == "file") {
        target = isLink ? files.filePath("file") : path;
        QFile plain(target);
        QVERIFY(plain.open(QIODevice::WriteOnly));
    }
    if (isLink)
        QVERIFY(QFile::link(target, path));
    QCOMPARE(virtualNames(serial.getPorts()), listed ? QStringList{path} : QStringList());
    // The watcher agrees with the list.
    if (listed)
        QTRY_COMPARE(discovered.size(), 1);
    QTest::qWait(100);
    QCOMPARE(discovered.size(), listed ? 1 : 0);
}

void TestPortWatcher::ftdiFlag_data()
{
    QTest::addColumn<QString>("linkName");
    QTest::addColumn<bool>("isFTDI");
    QTest::newRow("marked") << "mksim-FTDI" << true;
    QTest::newRow("marked in front") << "FTDIcable" << true;
    QTest::newRow("lower case is not the mark") << "mksim-ftdi" << false;
    QTest::newRow("mixed case is not the mark") << "Ftdi" << false;
    QTest::newRow("plain") << "mksim" << false;
    QTest::newRow("blank in name") << "my port" << false;
}

void TestPortWatcher::ftdiFlag()
{
    QFETCH(QString, linkName);
    QFETCH(bool, isFTDI);
    Pty pty;
    QVERIFY(pty.isValid());
    const QString path = link(linkName, pty.path());
    QVERIFY(!path.isEmpty());

    MkSerial serial;
    const QList<QPortInfo> ports = serial.getPorts();
    auto it = std::find_if(ports.cbegin(), ports.cend(),
                           [&](const QPortInfo& p) { return p.name == path; });
    QVERIFY(it != ports.cend());
    QCOMPARE(it->isFTDI, isFTDI);

    const QList<PortInfo> raw = PortWatcher::getPorts();
    auto r = std::find_if(raw.cbegin(), raw.cend(),
                          [&](const PortInfo& p) { return p.portName == path; });
    QVERIFY(r != raw.cend());
    QCOMPARE(r->physName, QStringLiteral("virtual %1 -> %2").arg(linkName, pty.path()));

    QSignalSpy discovered(&serial, &MkSerial::deviceDiscovered);
    serial.setUpNotifications();
    bool seen = false;
    for (const QList<QVariant>& args : discovered) {
        if (args.at(0).toString() == path) {
            QCOMPARE(args.at(1).toBool(), isFTDI);
            seen = true;
        }
    }
    QVERIFY(seen);
}

void TestPortWatcher::presentPortsReportedBeforeSetUpReturns()
{
    Pty a, b;
    QVERIFY(a.isValid() && b.isValid());
    const QString pa = link("a", a.path());
    const QString pb = link("b", b.path());
    MkSerial serial;
    const QStringList listed = [&] {
        QStringList names;
        for (const QPortInfo& p : serial.getPorts())
            names << p.name;
        return names;
    }();
    QSignalSpy discovered(&serial, &MkSerial::deviceDiscovered);
    serial.setUpNotifications();
    QStringList reported;
    for (const QList<QVariant>& args : discovered)
        reported << args.at(0).toString();
    QCOMPARE(reported, listed);
    QVERIFY(reported.contains(pa));
    QVERIFY(reported.contains(pb));
    // A second set-up reports nothing twice.
    serial.setUpNotifications();
    QCOMPARE(discovered.size(), reported.size());
}

void TestPortWatcher::appearanceAndRemovalReportedOnce()
{
    MkSerial serial;
    serial.setUpNotifications();
    QSignalSpy discovered(&serial, &MkSerial::deviceDiscovered);
    QSignalSpy removed(&serial, &MkSerial::deviceRemoved);

    Pty pty;
    QVERIFY(pty.isValid());
    const QString path = link("plugged-FTDI", pty.path());
    // Hot-plug is reported within a second.
    QTRY_COMPARE_WITH_TIMEOUT(discovered.size(), 1, 1000);
    QCOMPARE(discovered.first().at(0).toString(), path);
    QCOMPARE(discovered.first().at(1).toBool(), true);

    // However often the list is taken again, one appearance is one notification.
    PortWatcher* watcher = serial.findChild<PortWatcher*>();
    QVERIFY(watcher);
    watcher->rescan();
    watcher->rescan();
    QCOMPARE(discovered.size(), 1);
    QCOMPARE(removed.size(), 0);

    QVERIFY(QFile::remove(path));
    QTRY_COMPARE_WITH_TIMEOUT(removed.size(), 1, 1000);
    QCOMPARE(removed.first().at(0).toString(), path);
    watcher->rescan();
    QCOMPARE(removed.size(), 1);
    QCOMPARE(discovered.size(), 1);
}

void TestPortWatcher::linkWhoseTargetGoesIsRemoved()
{
    auto pty = std::make_unique<Pty>();
    QVERIFY(pty->isValid());
    const QString path = link("sim", pty->path());
    MkSerial serial;
    QSignalSpy discovered(&serial, &MkSerial::deviceDiscovered);
    QSignalSpy removed(&serial, &MkSerial::deviceRemoved);
    serial.setUpNotifications();
    QVERIFY(virtualNames(serial.getPorts()).contains(path));

    pty.reset(); // the terminal disappears, the link stays behind, the directory is unchanged
    QTRY_COMPARE(removed.size(), 1);
    QCOMPARE(removed.first().at(0).toString(), path);
    // Another process may be handed the same terminal number at once, which revives the link.
    if (!QFileInfo::exists(path))
        QVERIFY(!virtualNames(serial.getPorts()).contains(path));
}

void TestPortWatcher::retargetedLinkIsRemovedAndDiscovered()
{
    Pty a, b;
    QVERIFY(a.isValid() && b.isValid());
    const QString path = link("moving", a.path());
    MkSerial serial;
    serial.setUpNotifications();
    QSignalSpy discovered(&serial, &MkSerial::deviceDiscovered);
    QSignalSpy removed(&serial, &MkSerial::deviceRemoved);

    QVERIFY(QFile::remove(path));
    QVERIFY(!link("moving", b.path()).isEmpty());
    serial.findChild<PortWatcher*>()->rescan();
    // Either the watcher saw the gap (removed, discovered) or only the new target: in both
    // cases the port ends up listed once more, after exactly one removal.
    QTRY_COMPARE(removed.size(), 1);
    QTRY_COMPARE(discovered.size(), 1);
    QCOMPARE(discovered.first().at(0).toString(), path);
}

void TestPortWatcher::notificationsArriveOnTheSetUpThread()
{
    MkSerial serial;
    serial.setUpNotifications();
    QList<QThread*> threads;
    connect(&serial, &MkSerial::deviceDiscovered, this,
            [&] { threads << QThread::currentThread(); });
    connect(&serial, &MkSerial::deviceRemoved, this, [&] { threads << QThread::currentThread(); });
    Pty pty;
    QVERIFY(pty.isValid());
    const QString path = link("threaded", pty.path());
    QTRY_COMPARE(threads.size(), 1);
    QVERIFY(QFile::remove(path));
    QTRY_COMPARE(threads.size(), 2);
    QCOMPARE(threads.at(0), QThread::currentThread());
    QCOMPARE(threads.at(1), QThread::currentThread());
}

QTEST_GUILESS_MAIN(TestPortWatcher)
#include "tst_portwatcher.moc"
