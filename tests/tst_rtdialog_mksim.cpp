#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "rtdialog.h"
#include "rtplot.h"
#include "serialtesthelpers.h"

#include <QChart>
#include <QLineSeries>
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
    QCOMPARE(plot->chart()->series().size(), 2);
    QCOMPARE(plot->series(0)->name(), QStringLiteral("AngleNick"));
    QCOMPARE(plot->series(1)->name(), QStringLiteral("AngleRoll"));
    // Their recent past is drawn at the next redraw, and more follows.
    QTRY_VERIFY(plot->series(0)->count() > 0);
    const int drawn = plot->series(0)->count();
    QTRY_VERIFY_WITH_TIMEOUT(plot->series(0)->count() > drawn, 5000);
    QTRY_VERIFY(plot->series(1)->count() > drawn);
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

QTEST_MAIN(TestRtDialogMkSim)
#include "tst_rtdialog_mksim.moc"
