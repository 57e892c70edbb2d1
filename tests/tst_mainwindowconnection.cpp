#include "mainwindow.h"
#include "mainwindowtestkit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
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
// and go, "FTDI only", connect and disconnect with their messages, failures, and removal of the
// connected port.
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

    void removingTheConnectedPortClosesIt()
    {
        auto device = std::make_unique<FakeDevice>(QStringLiteral("pulled"));
        const QString name = device->portName();
        QVERIFY(connectTo(window_.get(), name));
        QSignalSpy opened(window_.get(), &MainWindow::serialConnectionOpened);

        device.reset();
        QTRY_COMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
        const QStringList lines = consoleLines(window_.get());
        const int removed = lines.indexOf(QStringLiteral("Device %1 removed").arg(name));
        QVERIFY(removed >= 0);
        QCOMPARE(lines.value(removed + 1),
                 QStringLiteral("Connection with device %1 closed").arg(name));
        QVERIFY(!listed().contains(name));
        // The real-time dialog is not told on this path.
        QCOMPARE(opened.count(), 0);
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
