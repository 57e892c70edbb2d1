#include "mainwindow.h"
#include "mainwindowtestkit.h"

#include <QDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace MainWindowTestKit;

// The command buttons of the real window against a fake device: what each sends, with which
// parameter, the status bar texts, the requests the real-time dialog makes, and "Rt".
class TestMainWindowCommands : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<FakeDevice> device_;

    QString status() const
    {
        return window_->findChild<QStatusBar*>(QStringLiteral("statusbar_"))->currentMessage();
    }
    QToolButton* button(const QString& letter) const
    {
        return window_->findChild<QToolButton*>(QStringLiteral("toolButton%1Cmd_").arg(letter));
    }
    QSpinBox* spinBox(const QString& letter) const
    {
        return window_->findChild<QSpinBox*>(QStringLiteral("spinBox%1Cmd_").arg(letter));
    }
    QDialog* rtDialog() const { return window_->findChild<QDialog*>(); }

    static void addLetterRows()
    {
        QTest::addColumn<QString>("letter");
        for (const char* letter : {"V", "N", "P", "A", "U", "L", "D"})
            QTest::newRow(letter) << QString::fromLatin1(letter);
    }

private slots:
    void initTestCase() { QVERIFY(prepareEnvironment()); }

    void init()
    {
        clearSettings();
        device_ = std::make_unique<FakeDevice>(QStringLiteral("commands"));
        QVERIFY(device_->isValid());
        window_ = std::make_unique<MainWindow>();
    }

    void cleanup()
    {
        window_.reset();
        device_.reset();
    }

    void closedPortSendsNothing_data() { addLetterRows(); }
    void closedPortSendsNothing()
    {
        QFETCH(QString, letter);
        button(letter)->click();
        QCOMPARE(status(), QStringLiteral("Cannot sent cmd: port not opened"));

        // Connecting afterwards shows that nothing was queued meanwhile.
        QVERIFY(connectTo(window_.get(), device_->portName()));
        window_->rqRefreshData();
        QTRY_COMPARE(device_->requests().size(), 1);
        QCOMPARE(decodeRequest(device_->requests().first()).cmd, 'd');
    }

    void openPortSendsTheRequest_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("value");     // -1: leave the spin box as it is
        QTest::addColumn<int>("parameter"); // -1: no parameter byte

        QTest::newRow("v") << "V" << -1 << -1;
        QTest::newRow("n") << "N" << -1 << -1;
        QTest::newRow("p") << "P" << -1 << -1;
        QTest::newRow("a initial") << "A" << -1 << 0;
        QTest::newRow("a 31") << "A" << 31 << 31;
        QTest::newRow("a above range") << "A" << 99 << 31;
        QTest::newRow("u 16") << "U" << 16 << 16;
        QTest::newRow("l 17") << "L" << 17 << 17;
        QTest::newRow("d initial") << "D" << -1 << 30;
        QTest::newRow("d 120") << "D" << 120 << 120;
        QTest::newRow("d 0") << "D" << 0 << 0;
    }
    void openPortSendsTheRequest()
    {
        QFETCH(QString, letter);
        QFETCH(int, value);
        QFETCH(int, parameter);

        QVERIFY(connectTo(window_.get(), device_->portName()));
        if (value >= 0)
            spinBox(letter)->setValue(value);
        button(letter)->click();
        const char cmd = letter.toLower().at(0).toLatin1();
        QCOMPARE(status(), QStringLiteral("send '%1' cmd").arg(QLatin1Char(cmd)));

        QTRY_COMPARE(device_->requests().size(), 1);
        const QByteArray sent = device_->requests().first();
        QCOMPARE(decodeRequest(sent).cmd, cmd);
        QCOMPARE(decodeRequest(sent).parameter, parameter);
        // Every request goes to address 1.
        QCOMPARE(sent.at(1), 'b');
    }

    void aButtonDoesNotStartALabelCollection()
    {
        QVERIFY(connectTo(window_.get(), device_->portName()));
        button("A")->click();
        QTRY_COMPARE(device_->requests().size(), 1);
        device_->send(frame('A', 1, QByteArray("\x00Label", 6)));
        QTRY_COMPARE(rowCount(window_.get()), 1);
        QCOMPARE(device_->requests().size(), 1);
    }

    void refreshDataUsesTheSpinBoxWithoutStatus()
    {
        QVERIFY(connectTo(window_.get(), device_->portName()));
        spinBox("D")->setValue(7);
        window_->rqRefreshData();
        QTRY_COMPARE(device_->requests().size(), 1);
        QCOMPARE(decodeRequest(device_->requests().first()).parameter, 7);
        QVERIFY(status().isEmpty());
    }

    void rtButtonTogglesTheDialog()
    {
        QPushButton* rt = window_->findChild<QPushButton*>(QStringLiteral("rtPushButton_"));
        QVERIFY(rtDialog());
        QVERIFY(rtDialog()->isHidden());
        rt->click();
        QVERIFY(!rtDialog()->isHidden());
        rt->click();
        QVERIFY(rtDialog()->isHidden());

        // Closed through its own controls (Esc, title bar): the next press shows it again.
        rt->click();
        rtDialog()->close();
        QVERIFY(rtDialog()->isHidden());
        rt->click();
        QVERIFY(!rtDialog()->isHidden());
        rt->click();
        QVERIFY(rtDialog()->isHidden());
    }
};

QTEST_MAIN(TestMainWindowCommands)
#include "tst_mainwindowcommands.moc"
