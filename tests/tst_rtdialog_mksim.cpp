#include "livestream.h"
#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "rtdialog.h"
#include "rtplot.h"
#include "serialtesthelpers.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace MainWindowTestKit;

// The real-time dialog in the real main window, talking to the device simulator over its
// virtual port: labels, values, the 'd' stream and the plot, end to end.
class TestRtDialogMkSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void labelsValuesAndStream();
    void buttonsFollowTheConnection();
    void liveKeepsTheStreamAlive();
    void liveRequestsAndStop();

private:
    QTableWidget* rtTable() const { return dialog_->findChild<QTableWidget*>("tableWidget_"); }
    QPushButton* rtButton(const char* name) const
    {
        return dialog_->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QString value(int row) const
    {
        const QTableWidgetItem* item = rtTable()->item(row, 1);
        return item ? item->text() : QString();
    }
    bool allValuesShown() const
    {
        for (int row = 0; row < rtTable()->rowCount(); ++row) {
            if (value(row).isEmpty())
                return false;
        }
        return rtTable()->rowCount() > 0;
    }

    // Watches the 'D' frames reaching the plot for `ms`; the longest time without one.
    qint64 longestGap(int ms) const;
    QCheckBox* liveBox() const { return dialog_->findChild<QCheckBox*>("liveCheckBox_"); }
    RtPlot* plot() const { return dialog_->findChild<RtPlot*>(); }

    std::unique_ptr<Simulator> sim_;
    std::unique_ptr<MainWindow> window_;
    RtDialog* dialog_ = nullptr;
    QString port_;
};

void TestRtDialogMkSim::initTestCase()
{
    REQUIRE_SIMULATOR();
    QVERIFY(prepareEnvironment());
}

void TestRtDialogMkSim::init()
{
    clearSettings();
    sim_ = std::make_unique<Simulator>();
    port_ = sim_->start({QStringLiteral("--name"), QStringLiteral("rtdialog"),
                         QStringLiteral("--seed"), QStringLiteral("7")});
    QVERIFY2(!port_.isEmpty(), "the simulator did not come up");
    window_ = std::make_unique<MainWindow>();
    dialog_ = window_->findChild<RtDialog*>();
    QVERIFY(dialog_);
}

void TestRtDialogMkSim::cleanup()
{
    window_.reset();
    dialog_ = nullptr;
    sim_.reset();
}

void TestRtDialogMkSim::labelsValuesAndStream()
{
    QVERIFY(connectTo(window_.get(), port_));
    // "Rt" shows the dialog; the plot draws only while it is visible.
    window_->findChild<QPushButton*>("rtPushButton_")->click();
    QVERIFY(dialog_->isVisible());

    rtButton("refreshLabelsPushButton_")->click();
    QTRY_COMPARE_WITH_TIMEOUT(rtTable()->rowCount(), 32, 10000);
    const struct
    {
        int row;
        const char* label;
    } known[] = {{0, "AngleNick"}, {9, "Voltage [0.1V]"}, {22, "Current [0.1A]"}, {31, "GPS_Roll"}};
    for (const auto& k : known) {
        // Labels stand as the device sends them, padded to 16 characters.
        QCOMPARE(rtTable()->item(k.row, 0)->text(), QString::fromLatin1(k.label).leftJustified(16));
        QCOMPARE(value(k.row), QString());
    }

    // "Refresh data" asks for the 'd' stream at the spin box's interval (300 ms by default).
    window_->findChild<QSpinBox*>("spinBoxDCmd_")->setValue(10);
    rtButton("refreshDataPushButton_")->click();
    QTRY_VERIFY_WITH_TIMEOUT(allValuesShown(), 5000);
    // Channels the simulated controller holds steady: each value sits beside its own label.
    QCOMPARE(value(20), QStringLiteral("128")); // Servo
    QCOMPARE(value(21), QStringLiteral("100")); // Hovergas
    QCOMPARE(value(24), QStringLiteral("200")); // Height Setpoint
    QCOMPARE(value(25), QStringLiteral("31"));  // Temperature
    const int accZ = value(6).toInt();
    QVERIFY2(accZ >= 509 && accZ <= 515, qPrintable(value(6)));

    // The stream keeps the values moving: the compass turns steadily.
    const QString compass = value(8);
    QTRY_VERIFY_WITH_TIMEOUT(value(8) != compass, 5000);

    // Two ticked channels are drawn and keep growing while frames come in.
    rtTable()->item(0, 0)->setCheckState(Qt::Checked);
    rtTable()->item(1, 0)->setCheckState(Qt::Checked);
    auto* plot = dialog_->findChild<RtPlot*>();
    QCOMPARE(plot->drawnChannels(), (QList<int>{0, 1}));
    QCOMPARE(plot->channelName(0), QStringLiteral("AngleNick"));
    QCOMPARE(plot->channelName(1), QStringLiteral("AngleRoll"));
    // Their recent past is drawn at the next redraw, and more follows.
    QTRY_VERIFY(plot->drawnPoints(0).size() > 0);
    const qsizetype drawn = plot->drawnPoints(0).size();
    QTRY_VERIFY_WITH_TIMEOUT(plot->drawnPoints(0).size() > drawn, 5000);
    QTRY_VERIFY(plot->drawnPoints(1).size() > drawn);
}

void TestRtDialogMkSim::buttonsFollowTheConnection()
{
    QVERIFY(!rtButton("refreshLabelsPushButton_")->isEnabled());
    QVERIFY(!rtButton("refreshDataPushButton_")->isEnabled());
    QVERIFY(connectTo(window_.get(), port_));
    QVERIFY(rtButton("refreshLabelsPushButton_")->isEnabled());
    QVERIFY(rtButton("refreshDataPushButton_")->isEnabled());

    connectButton(window_.get())->click(); // "Disconnect"
    QCOMPARE(connectButton(window_.get())->text(), QStringLiteral("Connect"));
    QVERIFY(!rtButton("refreshLabelsPushButton_")->isEnabled());
    QVERIFY(!rtButton("refreshDataPushButton_")->isEnabled());
}

qint64 TestRtDialogMkSim::longestGap(int ms) const
{
    QElapsedTimer clock;
    clock.start();
    qint64 lastFrame = 0;
    qint64 longest = 0;
    int count = plot()->sampleCount();
    while (clock.elapsed() < ms) {
        QTest::qWait(50);
        const int now = plot()->sampleCount();
        if (now != count) {
            count = now;
            lastFrame = clock.elapsed();
        }
        longest = std::max(longest, clock.elapsed() - lastFrame);
    }
    return longest;
}

// The device drops the 'D' stream 4 s after the last 'd': with Live on it never does, with
// Live off it stops at once, and a reconnect resumes it without a click.
void TestRtDialogMkSim::liveKeepsTheStreamAlive()
{
    QVERIFY(connectTo(window_.get(), port_));
    rtButton("refreshLabelsPushButton_")->click();
    QTRY_COMPARE_WITH_TIMEOUT(rtTable()->rowCount(), 32, 10000);
    window_->findChild<QSpinBox*>("spinBoxDCmd_")->setValue(20); // 200 ms

    liveBox()->setChecked(true);
    QTRY_VERIFY_WITH_TIMEOUT(plot()->sampleCount() > 0, 3000);
    const qint64 gapWhileLive = longestGap(9000);
    QVERIFY2(gapWhileLive < 1000, qPrintable(QString::number(gapWhileLive)));

    liveBox()->setChecked(false);
    QElapsedTimer stopping;
    stopping.start();
    // Stopped within 5 s: after that, nothing for two seconds.
    QTRY_VERIFY_WITH_TIMEOUT(longestGap(500) >= 500, 5000);
    QVERIFY(stopping.elapsed() < 5000);
    QVERIFY(longestGap(2000) >= 2000);

    // Live again, across a disconnect and a connect by the user.
    liveBox()->setChecked(true);
    QTRY_VERIFY_WITH_TIMEOUT(longestGap(400) < 400, 3000);
    connectButton(window_.get())->click(); // "Disconnect"
    QVERIFY(!dialog_->liveStream()->isActive());
    QVERIFY(longestGap(1500) >= 1000);
    QVERIFY(connectTo(window_.get(), port_));
    QVERIFY(dialog_->liveStream()->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(longestGap(400) < 400, 3000);
    const qint64 gapAfterReconnect = longestGap(6000);
    QVERIFY2(gapAfterReconnect < 1000, qPrintable(QString::number(gapAfterReconnect)));
}

// What goes over the line: the window's 'd' interval while Live is on, at most one request a
// second, and 'd' with interval 0 when it is switched off.
void TestRtDialogMkSim::liveRequestsAndStop()
{
    FakeDevice device(QStringLiteral("rtlive"));
    QVERIFY(device.isValid());
    QVERIFY(connectTo(window_.get(), device.portName()));
    window_->findChild<QSpinBox*>("spinBoxDCmd_")->setValue(25);
    const qsizetype before = device.requests().size();

    liveBox()->setChecked(true);
    QTest::qWait(3500);
    liveBox()->setChecked(false);
    QTRY_VERIFY(!device.requests().isEmpty() &&
                decodeRequest(device.requests().constLast()).parameter == 0);
    QList<Request> sent;
    for (const QByteArray& frame : device.requests().mid(before))
        sent << decodeRequest(frame);
    // At 0, 1.5 and 3 s, then the stop.
    QCOMPARE(sent.size(), 4);
    for (qsizetype i = 0; i < sent.size(); ++i) {
        QCOMPARE(sent.at(i).cmd, 'd');
        QCOMPARE(sent.at(i).parameter, i + 1 < sent.size() ? 25 : 0);
    }
}

QTEST_MAIN(TestRtDialogMkSim)
#include "tst_rtdialog_mksim.moc"
