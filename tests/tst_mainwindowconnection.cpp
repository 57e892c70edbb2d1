#include "autoreconnect.h"
#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "mkserial.h"
#include "statisticsdialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace MainWindowTestKit;

// Connection handling of the real window: the port list following virtual ports as they come
// and go, "FTDI only", connect and disconnect with their messages, failures, the link ending
// without the user, and reopening by itself when the device comes back.
class TestMainWindowConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window_;

    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < ports(window_.get())->count(); ++i)
            names.append(ports(window_.get())->itemText(i));
        return names;
    }
    QCheckBox* ftdiBox() const
    {
        return window_->findChild<QCheckBox*>(QStringLiteral("FTDIOnlyCheckBox_"));
    }
    bool hasLine(const QString& line) const { return consoleLines(window_.get()).contains(line); }
    // Waits until the window lists exactly the given ports of the test's ports directory.
    bool listsExactly(QStringList expected) const
    {
        const QString dir = qEnvironmentVariable("TOVRIK_PORTS_DIR");
        expected.sort();
        return QTest::qWaitFor(
            [&] {
                QStringList virtualPorts = listed().filter(dir);
                virtualPorts.sort();
                return virtualPorts == expected;
            },
            5000);
    }

private slots:
    void initTestCase() { QVERIFY(prepareEnvironment()); }

    void init()
    {
        clearSettings();
        window_ = std::make_unique<MainWindow>();
    }

    void cleanup() { window_.reset(); }

    void portsFollowHotPlug()
    {
        auto first = std::make_unique<FakeDevice>(QStringLiteral("first"));
        FakeDevice second(QStringLiteral("second"));
        QVERIFY(first->isValid() && second.isValid());
        QVERIFY(listsExactly({first->portName(), second.portName()}));
        QVERIFY(hasLine(QStringLiteral("Device %1 discovered").arg(first->portName())));
        QVERIFY(hasLine(QStringLiteral("Device %1 discovered").arg(second.portName())));

        const QString gone = first->portName();
        first.reset();
        QVERIFY(listsExactly({second.portName()}));
        QTRY_VERIFY(hasLine(QStringLiteral("Device %1 removed").arg(gone)));
        // Neither was connected: no closing line.
        QVERIFY(consoleLines(window_.get()).filter(QStringLiteral("Connection with")).isEmpty());
    }

    void portNamesWithMarkupShowLiterally()
    {
        FakeDevice device(QStringLiteral("<b>mk&amp;<i>"));
        QVERIFY(device.isValid());
        QVERIFY(listsExactly({device.portName()}));
        QVERIFY(hasLine(QStringLiteral("Device %1 discovered").arg(device.portName())));
        QVERIFY(connectTo(window_.get(), device.portName()));
        QVERIFY(hasLine(
            QStringLiteral("Serial device '%1' opened succesfully.").arg(device.portName())));
    }

    void connectAndDisconnect()
    {
        FakeDevice device(QStringLiteral("device"));
        QVERIFY(device.isValid());
        QSignalSpy opened(window_.get(), &MainWindow::serialConnectionOpened);

        QVERIFY(connectTo(window_.get(), device.portName()));
        QVERIFY(hasLine(
            QStringLiteral("Serial device '%1' opened succesfully.").arg(device.portName())));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toBool(), true);

        connectButton(window_.get())->click();
        QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
        QVERIFY(hasLine(
            QStringLiteral("Serial device '%1' closed succesfully.").arg(device.portName())));
        QCOMPARE(opened.count(), 2);
        QCOMPARE(opened.at(1).at(0).toBool(), false);
        QVERIFY(redConsoleLines(window_.get()).isEmpty());

        // And again, on the same port.
        connectButton(window_.get())->click();
        QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Disconnect"));
        QCOMPARE(opened.count(), 3);
    }

    void portThatCannotOpenIsReported()
    {
        // A port another holder has locked: listed, but refused, with the holder named.
        FakeDevice device(QStringLiteral("held"));
        QVERIFY(device.isValid());
        const int holder =
            ::open(QFile::encodeName(device.portName()).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        QVERIFY(holder >= 0);
        QCOMPARE(::flock(holder, LOCK_EX | LOCK_NB), 0);
        QSignalSpy opened(window_.get(), &MainWindow::serialConnectionOpened);

        QVERIFY(!connectTo(window_.get(), device.portName()));
        ::close(holder);
        QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
        const QStringList red = redConsoleLines(window_.get());
        QCOMPARE(red.size(), 2);
        QCOMPARE(red.at(0),
                 QStringLiteral("Serial device '%1' Failed to open").arg(device.portName()));
        QVERIFY2(red.at(1).contains(QStringLiteral("(pid %1)").arg(::getpid())),
                 qPrintable(red.at(1)));
        QCOMPARE(opened.count(), 0);
    }

    void emptyListRefusesEvenToDisconnect()
    {
        FakeDevice device(QStringLiteral("plain"));
        QVERIFY(connectTo(window_.get(), device.portName()));
        // "FTDI only" on while connected to a port without the flag empties the list of
        // virtual ports; other ports of the machine are not FTDI adapters here either.
        ftdiBox()->click();
        if (ports(window_.get())->count() != 0)
            QSKIP("this machine has an FTDI adapter; the list cannot be emptied");

        bool boxShown = false;
        QTimer::singleShot(0, this, [&boxShown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->windowTitle() == QStringLiteral("Connection error")) {
                boxShown = box->text().startsWith(QStringLiteral("Serial name device is empty"));
                box->accept();
            }
        });
        connectButton(window_.get())->click();
        QVERIFY(boxShown);
        QCOMPARE(redConsoleLines(window_.get()),
                 QStringList{QStringLiteral("Serial name device is empty, check you MKUSB "
                                            "connection or install FTDI drivers.")});
        // Still connected.
        QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Disconnect"));
        window_->rqRefreshData();
        QTRY_COMPARE(device.requests().size(), 1);
    }

    void ftdiOnlyRebuildsTheList()
    {
        FakeDevice plain(QStringLiteral("plain"));
        FakeDevice ftdi(QStringLiteral("FTDI-adapter"));
        FakeDevice lower(QStringLiteral("ftdi-lower"));
        QVERIFY(listsExactly({plain.portName(), ftdi.portName(), lower.portName()}));
        const int lines = consoleLines(window_.get()).size();

        ftdiBox()->click();
        QVERIFY(listsExactly({ftdi.portName()}));
        QCOMPARE(ports(window_.get())->currentIndex(), 0);
        ftdiBox()->click();
        QVERIFY(listsExactly({plain.portName(), ftdi.portName(), lower.portName()}));
        // Rebuilding the list prints nothing.
        QCOMPARE(consoleLines(window_.get()).size(), lines);

        // The flag also filters ports that appear later, silently.
        ftdiBox()->click();
        FakeDevice later(QStringLiteral("later"));
        FakeDevice laterFtdi(QStringLiteral("later-FTDI"));
        QVERIFY(listsExactly({ftdi.portName(), laterFtdi.portName()}));
        QVERIFY(hasLine(QStringLiteral("Device %1 discovered").arg(laterFtdi.portName())));
        QVERIFY(!hasLine(QStringLiteral("Device %1 discovered").arg(later.portName())));
    }

    void storedFtdiOnlyAppliesAtStartUp()
    {
        FakeDevice plain(QStringLiteral("plain"));
        FakeDevice ftdi(QStringLiteral("FTDI-adapter"));
        window_.reset();
        QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
            .setValue(QStringLiteral("FTDIOnly"), true);
        window_ = std::make_unique<MainWindow>();

        QVERIFY(ftdiBox()->isChecked());
        QVERIFY(listsExactly({ftdi.portName()}));
        const QStringList lines = consoleLines(window_.get());
        QCOMPARE(lines.first(), QStringLiteral("Filter only FTDI devices"));
        QVERIFY(!lines.filter(plain.portName()).size());
    }

    // However the link ends without the user, the window, the real-time dialog and the console
    // agree: one closed state, announced once.
    void linkEndsClosedEverywhere_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("port removed")
            << QStringList{"unplug"}
            << QStringList{"Device %1 removed", "Connection with device %1 closed"};
        QTest::newRow("link failed")
            << QStringList{"lost"}
            << QStringList{"Connection with device %1 lost: Input/output error"};
        QTest::newRow("link failed, then port removed")
            << QStringList{"lost", "unplug"}
            << QStringList{"Connection with device %1 lost: Input/output error",
                           "Device %1 removed"};
        QTest::newRow("port removed, late failure report")
            << QStringList{"unplug", "lost"}
            << QStringList{"Device %1 removed", "Connection with device %1 closed"};
    }

    void linkEndsClosedEverywhere()
    {
        QFETCH(QStringList, events);
        QFETCH(QStringList, lines);
        // No reopening while the states are compared.
        window_->findChild<AutoReconnect*>()->setDelays(60'000, 60'000, 60'000);
        FakeDevice device(QStringLiteral("pulled"));
        const QString name = device.portName();
        QVERIFY(connectTo(window_.get(), name));
        QSignalSpy opened(window_.get(), &MainWindow::serialConnectionOpened);
        const int before = consoleLines(window_.get()).size();

        for (const QString& event : events) {
            if (event == QLatin1String("unplug")) {
                device.unplug();
                QTRY_VERIFY(!listed().contains(name));
            } else {
                emit window_->findChild<MkSerial*>()->connectionLost(
                    QStringLiteral("Input/output error"));
                QTest::qWait(20);
            }
        }
        QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toBool(), false);
        for (const char* button : {"refreshLabelsPushButton_", "refreshDataPushButton_"})
            QVERIFY(!window_->findChild<QPushButton*>(button)->isEnabled());
        QStringList expected;
        for (const QString& line : lines)
            expected << line.arg(name);
        QCOMPARE(consoleLines(window_.get()).mid(before), expected);
    }

    // The device the user connected comes back: reopened by itself unless the user said no.
    void replugReopens_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("reopened");

        QTest::newRow("automatic") << QString() << true;
        QTest::newRow("Disconnect pressed") << QStringLiteral("disconnect") << false;
        QTest::newRow("setting off") << QStringLiteral("off") << false;
        QTest::newRow("setting off and on again") << QStringLiteral("off,on") << true;
    }

    void replugReopens()
    {
        QFETCH(QString, before);
        QFETCH(bool, reopened);
        auto* reconnect = window_->findChild<AutoReconnect*>();
        reconnect->setDelays(10, 100, 1000);
        auto* setting = window_->findChild<QAction*>(QStringLiteral("actionReconnect_"));
        QVERIFY(setting->isChecked());
        FakeDevice device(QStringLiteral("replugged"));
        const QString name = device.portName();
        QVERIFY(connectTo(window_.get(), name));

        for (const QString& step : before.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (step == QLatin1String("disconnect"))
                connectButton(window_.get())->click();
            else
                setting->setChecked(step == QLatin1String("on"));
        }
        device.unplug();
        QTRY_VERIFY(!listed().contains(name));
        QSignalSpy opened(window_.get(), &MainWindow::serialConnectionOpened);
        QVERIFY(device.plugIn());
        QVERIFY(listsExactly({name}));

        const QString back =
            QStringLiteral("Serial device '%1' reopened automatically.")
                .arg(name);
        if (!reopened) {
            QTest::qWait(300);
            QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
            QVERIFY(!hasLine(back));
            QCOMPARE(opened.count(), 0);
            return;
        }
        QTRY_COMPARE(connectButton(window_.get())->text(), QStringLiteral("Disconnect"));
        QVERIFY(hasLine(back));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toBool(), true);
        QCOMPARE(ports(window_.get())->currentText(), name);
        window_->rqRefreshData();
        QTRY_COMPARE(device.requests().size(), 1);
    }

    // The device is back but another program holds its port: tried again with growing waits,
    // reopened once the port is free.
    void reopenRetriesWhileThePortIsHeld()
    {
        window_->findChild<AutoReconnect*>()->setDelays(10, 80, 60'000);
        FakeDevice device(QStringLiteral("held"));
        const QString name = device.portName();
        QVERIFY(connectTo(window_.get(), name));
        // Opened through the link while it exists, locked once the window let go.
        const int holder = ::open(QFile::encodeName(name).constData(), O_RDWR | O_NOCTTY);
        QVERIFY(holder >= 0);
        const auto closeHolder = qScopeGuard([holder] { ::close(holder); });
        device.unplug();
        QTRY_COMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
        QVERIFY(::flock(holder, LOCK_EX | LOCK_NB) == 0);
        QVERIFY(device.plugIn());
        const auto retries = [this] {
            return consoleLines(window_.get()).filter(QStringLiteral("Trying again in "));
        };
        QTRY_VERIFY(retries().size() >= 4);
        ::flock(holder, LOCK_UN);
        QTRY_COMPARE(connectButton(window_.get())->text(), QStringLiteral("Disconnect"));

        const QStringList waits = retries();
        QCOMPARE(waits.mid(0, 4), (QStringList{"Trying again in 0.02 s.", "Trying again in 0.04 s.",
                                               "Trying again in 0.08 s.", "Trying again in 0.08 s."}));
        QCOMPARE(redConsoleLines(window_.get()).filter(QStringLiteral("Failed to open")).size(),
                 waits.size());
    }

    void reconnectSettingAndLastDeviceSurviveARestart()
    {
        FakeDevice first(QStringLiteral("a-first"));
        FakeDevice used(QStringLiteral("b-used"));
        QVERIFY(listsExactly({first.portName(), used.portName()}));
        QCOMPARE(ports(window_.get())->currentText(), first.portName());
        QVERIFY(connectTo(window_.get(), used.portName()));
        window_->findChild<QAction*>(QStringLiteral("actionReconnect_"))->setChecked(false);
        window_->close();
        window_.reset();

        window_ = std::make_unique<MainWindow>();
        QVERIFY(listsExactly({first.portName(), used.portName()}));
        QCOMPARE(ports(window_.get())->currentText(), used.portName());
        QVERIFY(!window_->findChild<QAction*>(QStringLiteral("actionReconnect_"))->isChecked());
        // Not connected by itself at start-up.
        QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
    }

    void startUpPrefersAnAdapterToOnBoardPorts()
    {
        FakeDevice device(QStringLiteral("adapter"));
        window_ = std::make_unique<MainWindow>();
        QVERIFY(listsExactly({device.portName()}));
        const QStringList names = listed();
        const QStringList onBoard = names.filter(QRegularExpression(QStringLiteral("^/dev/ttyS[0-9]+$")));
        if (onBoard.isEmpty() || names.indexOf(onBoard.first()) > names.indexOf(device.portName()))
            QSKIP("no on-board port listed before the virtual one on this machine");
        QCOMPARE(ports(window_.get())->currentText(), device.portName());
    }

    void statusBarTexts_data()
    {
        QTest::addColumn<double>("bytesPerSecond");
        QTest::addColumn<double>("framesPerSecond");
        QTest::addColumn<QString>("text");

        QTest::newRow("idle") << 0.0 << 0.0 << "rx 0 B/s · 0 frames/s · 2 bad";
        QTest::newRow("trickle") << 19.4 << 0.2 << "rx 19 B/s · 0.2 frames/s · 2 bad";
        QTest::newRow("just under a kilobyte") << 999.4 << 9.94 << "rx 999 B/s · 9.9 frames/s · 2 bad";
        QTest::newRow("rounds up to a kilobyte") << 999.6 << 9.96 << "rx 1.0 kB/s · 10 frames/s · 2 bad";
        QTest::newRow("debug stream") << 5734.0 << 61.2 << "rx 5.7 kB/s · 61 frames/s · 2 bad";
    }

    void statusBarTexts()
    {
        QFETCH(double, bytesPerSecond);
        QFETCH(double, framesPerSecond);
        QFETCH(QString, text);
        LinkStatistics::Totals totals;
        totals.rxBytesPerSecond = bytesPerSecond;
        totals.rxFramesPerSecond = framesPerSecond;
        totals.bad = 2;
        QCOMPARE(StatisticsDialog::summaryText(totals), text);
    }

    // The reconnect policy alone: attempts spaced out by doubling waits, never more often.
    void reconnectBacksOff_data()
    {
        QTest::addColumn<int>("stableMs");
        QTest::addColumn<QList<int>>("waits");

        // Each open fails: 10, 20, 40, 80, then the cap.
        QTest::newRow("failing to open") << 60'000 << QList<int>{20, 40, 80, 80, 80};
        // The link opens and drops at once each time: the wait keeps growing.
        QTest::newRow("dropping at once") << 60'000 << QList<int>{20, 40, 80, 80, 80};
        // A link that stayed up long enough starts short again.
        QTest::newRow("stable in between") << 0 << QList<int>{10, 10, 10, 10, 10};
    }

    void reconnectBacksOff()
    {
        QFETCH(int, stableMs);
        QFETCH(QList<int>, waits);
        const bool opensEachTime = QByteArray(QTest::currentDataTag()) != "failing to open";
        AutoReconnect policy;
        policy.setDelays(10, 80, stableMs);
        QSignalSpy requests(&policy, &AutoReconnect::reopenRequested);
        policy.arm(QStringLiteral("serial:A1"), QStringLiteral("/dev/ttyUSB0"));
        policy.linkLost();
        QVERIFY(policy.isPending());
        QCOMPARE(policy.nextDelayMs(), 10);

        QList<int> seen;
        for (int attempt = 1; attempt <= waits.size(); ++attempt) {
            QTRY_COMPARE(requests.count(), attempt);
            QCOMPARE(requests.last().at(0).toString(), QStringLiteral("/dev/ttyUSB0"));
            QVERIFY(!policy.isPending());
            if (opensEachTime) {
                policy.linkOpened();
                policy.linkLost();
            } else {
                policy.openFailed();
            }
            QVERIFY(policy.isPending());
            seen << policy.nextDelayMs();
        }
        QCOMPARE(seen, waits);
    }

    void reconnectOnlyWhenWanted_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<bool>("attempted");

        QTest::newRow("followed device appears") << "appears" << true;
        QTest::newRow("under a new port name") << "renamed" << true;
        QTest::newRow("another device appears") << "other" << false;
        QTest::newRow("after Disconnect") << "disarmed" << false;
        QTest::newRow("setting off") << "disabled" << false;
        QTest::newRow("port removed before the attempt") << "removed" << false;
        QTest::newRow("link already open again") << "open" << false;
    }

    void reconnectOnlyWhenWanted()
    {
        QFETCH(QString, situation);
        QFETCH(bool, attempted);
        AutoReconnect policy;
        policy.setDelays(30, 100, 1000);
        QSignalSpy requests(&policy, &AutoReconnect::reopenRequested);
        const QString id = QStringLiteral("by-id:usb-FTDI_MK_A1-if00-port0");
        policy.arm(id, QStringLiteral("/dev/ttyUSB0"));
        policy.portRemoved(QStringLiteral("/dev/ttyUSB0"));
        policy.linkLost();
        QVERIFY(!policy.isPending());

        QString port = situation == QLatin1String("renamed") ? QStringLiteral("/dev/ttyUSB1")
                                                              : QStringLiteral("/dev/ttyUSB0");
        if (situation == QLatin1String("disarmed"))
            policy.disarm();
        if (situation == QLatin1String("disabled"))
            policy.setEnabled(false);
        policy.portAppeared(port, situation == QLatin1String("other")
                                      ? QStringLiteral("serial:OTHER")
                                      : id);
        if (situation == QLatin1String("removed"))
            policy.portRemoved(port);
        if (situation == QLatin1String("open"))
            policy.linkOpened();

        if (attempted) {
            QTRY_COMPARE(requests.count(), 1);
            QCOMPARE(requests.at(0).at(0).toString(), port);
        } else {
            QTest::qWait(100);
            QCOMPARE(requests.count(), 0);
        }
    }

    void writeWhileClosedIsReported()
    {
        // The dialog's refresh makes no open-port check; the failed write comes back in red.
        window_->rqRefreshData();
        QTRY_COMPARE(redConsoleLines(window_.get()).size(), 1);
        QVERIFY2(redConsoleLines(window_.get()).first().startsWith("Write error, errorCode=-"),
                 qPrintable(redConsoleLines(window_.get()).first()));
    }
};

QTEST_MAIN(TestMainWindowConnection)
#include "tst_mainwindowconnection.moc"
