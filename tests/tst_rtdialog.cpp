#include "channelunit.h"
#include "livestream.h"
#include "rtdialog.h"
#include "rtplot.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <memory>

namespace {
// A 'D' payload: two status bytes, then the given 16-bit values, low byte first.
QByteArray debugPayload(const QList<int>& values)
{
    QByteArray payload(2, '\0');
    for (int v : values) {
        payload.append(char(v & 0xFF));
        payload.append(char((v >> 8) & 0xFF));
    }
    return payload;
}

QStringList numberedLabels(int count, const QString& stem = QStringLiteral("Analog"))
{
    QStringList labels;
    for (int i = 0; i < count; ++i)
        labels << QStringLiteral("%1%2").arg(stem).arg(i, 2, 10, QLatin1Char('0'));
    return labels;
}

QList<int> ramp(int count, int start = 0)
{
    QList<int> values;
    for (int i = 0; i < count; ++i)
        values << start + i;
    return values;
}
} // namespace

// The real-time dialog on its own, driven through its slots as the window drives it: table,
// values, units, buttons, Live stream, settings, plot.
class TestRtDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void form();
    void valueDecoding_data();
    void valueDecoding();
    void shortPayloadKeepsRemainingRows_data();
    void shortPayloadKeepsRemainingRows();
    void viewHearsOfValuesTogether_data();
    void viewHearsOfValuesTogether();
    void onlyDebugFramesCount_data();
    void onlyDebugFramesCount();
    void labelListReplacesRows_data();
    void labelListReplacesRows();
    void refreshLabelsEmptiesCells();
    void buttonsFollowSerialConnection_data();
    void buttonsFollowSerialConnection();
    void geometryDefaultsAndRestart();
    void checkingChannelsAddsSeries_data();
    void checkingChannelsAddsSeries();
    void plotFollowsValues();
    void checkedChannelsSurviveRestart();
    void channelUnits_data();
    void channelUnits();
    void valuesByAddressAndUnit_data();
    void valuesByAddressAndUnit();
    void liveStreamFollowsToggleAndPort_data();
    void liveStreamFollowsToggleAndPort();
    void liveStreamRenewsAtMostOnceASecond();
    void liveIsRememberedAndWaitsForThePort();
    void pauseFreezesPlotNotTable();
    void valueColumnReadableAtDefaultSize();
    void firstTickGrowsTheDialogOnce();

private:
    void restart(bool writeSettings);
    QTableWidget* table() const { return dialog_->findChild<QTableWidget*>("tableWidget_"); }
    RtPlot* plot() const { return dialog_->findChild<RtPlot*>(); }
    QPushButton* button(const char* name) const
    {
        return dialog_->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem* item = table()->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    // A frame reaches the dialog and the pass of the event loop that brought it ends.
    void receive(char cmd, int address, const QByteArray& payload, qint64 ageMs = 0)
    {
        dialog_->onReceiveData(cmd, address, payload, ageMs);
        QCoreApplication::sendPostedEvents();
    }
    void setChecked(int row, bool on)
    {
        table()->item(row, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }

    std::unique_ptr<RtDialog> dialog_;
};

void TestRtDialog::initTestCase()
{
    QVERIFY(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")); // never the user's own settings
}

void TestRtDialog::init()
{
    QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik")).clear();
    dialog_ = std::make_unique<RtDialog>(nullptr);
}

void TestRtDialog::cleanup()
{
    dialog_.reset();
}

// The window stores the dialog's settings when the program quits.
void TestRtDialog::restart(bool writeSettings)
{
    if (writeSettings)
        dialog_->writeSettings();
    dialog_ = std::make_unique<RtDialog>(nullptr);
}

void TestRtDialog::form()
{
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Real time dialog"));
    QVERIFY(!dialog_->isModal());
    QCOMPARE(dialog_->locale(), QLocale(QLocale::English, QLocale::UnitedStates));

    QTableWidget* t = table();
    QVERIFY(t);
    QCOMPARE(t->columnCount(), 2);
    QCOMPARE(t->rowCount(), 0);
    QCOMPARE(t->horizontalHeaderItem(0)->text(), QStringLiteral("Label"));
    QCOMPARE(t->horizontalHeaderItem(1)->text(), QStringLiteral("Value"));
    // The label column yields the room; the value column keeps its width.
    QCOMPARE(t->horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    QCOMPARE(t->verticalHeader()->defaultSectionSize(), 20);

    // The table is the splitter's first pane and the plot the second, under it.
    auto* splitter = dialog_->findChild<QSplitter*>("splitter");
    QVERIFY(splitter);
    QCOMPARE(splitter->orientation(), Qt::Vertical);
    QCOMPARE(splitter->count(), 2);
    QCOMPARE(splitter->widget(0), t);
    QCOMPARE(splitter->widget(1), plot());

    QCOMPARE(button("refreshLabelsPushButton_")->text(), QStringLiteral("Refresh Labels"));
    QCOMPARE(button("refreshDataPushButton_")->text(), QStringLiteral("Refresh data"));
    QVERIFY(!button("refreshLabelsPushButton_")->isEnabled());
    QVERIFY(!button("refreshDataPushButton_")->isEnabled());
    auto* live = dialog_->findChild<QCheckBox*>("liveCheckBox_");
    QCOMPARE(live->text(), QStringLiteral("Live"));
    QVERIFY(!live->isChecked());
    QVERIFY(!dialog_->isVisible());
}

void TestRtDialog::valueDecoding_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    const struct
    {
        const char* name;
        const char* hex;
        const char* shown;
    } pairs[] = {
        {"FF FF", "ffff", "-1"},     {"00 80", "0080", "-32768"}, {"FF 7F", "ff7f", "32767"},
        {"80 01", "8001", "384"},    {"34 12", "3412", "4660"},   {"00 00", "0000", "0"},
        {"01 80", "0180", "-32767"}, {"00 FF", "00ff", "-256"},   {"FF 00", "ff00", "255"},
    };
    for (const auto& p : pairs) {
        for (int channel : {0, 9, 31}) {
            QTest::addRow("%s in channel %d", p.name, channel)
                << channel << QByteArray::fromHex(p.hex) << QString::fromLatin1(p.shown);
        }
    }
}

void TestRtDialog::valueDecoding()
{
    QFETCH(int, channel);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);

    const QStringList labels = numberedLabels(32);
    dialog_->setLabels(labels);
    QByteArray payload = debugPayload(ramp(32, 100));
    // The status bytes must not be taken for a value.
    payload[0] = char(0xAA);
    payload[1] = char(0x55);
    payload.replace(2 + 2 * channel, 2, bytes);
    receive('D', 1, payload);

    for (int row = 0; row < 32; ++row) {
        QCOMPARE(cell(row, 0), labels.at(row));
        QCOMPARE(cell(row, 1), row == channel ? shown : QString::number(100 + row));
    }
}

void TestRtDialog::shortPayloadKeepsRemainingRows_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("payloadSize");
    QTest::addColumn<int>("updatedRows");

    QTest::newRow("empty payload") << 8 << 0 << 0;
    QTest::newRow("one status byte") << 8 << 1 << 0;
    QTest::newRow("status bytes only") << 8 << 2 << 0;
    QTest::newRow("half of the first value") << 8 << 3 << 0;
    QTest::newRow("three values and a stray byte") << 8 << 9 << 3;
    QTest::newRow("all but the last value") << 8 << 16 << 7;
    QTest::newRow("exactly one value per row") << 8 << 18 << 8;
    QTest::newRow("more values than rows") << 4 << 66 << 4;
    QTest::newRow("full frame with padding") << 32 << 68 << 32;
}

void TestRtDialog::shortPayloadKeepsRemainingRows()
{
    QFETCH(int, rows);
    QFETCH(int, payloadSize);
    QFETCH(int, updatedRows);

    dialog_->setLabels(numberedLabels(rows));
    receive('D', 1, debugPayload(QList<int>(rows, 7)));
    // Values of -2 from byte 2 on; a stray odd byte at the end is FE too.
    QByteArray payload = debugPayload(QList<int>(40, -2));
    payload.resize(payloadSize);
    receive('D', 1, payload);

    QCOMPARE(table()->rowCount(), rows);
    // The second frame's values are shown with the next repaint.
    for (int row = 0; row < rows; ++row)
        QTRY_COMPARE(cell(row, 1), row < updatedRows ? QStringLiteral("-2") : QStringLiteral("7"));
}

void TestRtDialog::viewHearsOfValuesTogether_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("values");
    QTest::addColumn<int>("lastChangedRow"); // -1: nothing announced

    QTest::newRow("full frame") << 32 << 32 << 31;
    QTest::newRow("short frame") << 32 << 3 << 2;
    QTest::newRow("more values than rows") << 5 << 32 << 4;
    QTest::newRow("no labels yet") << 0 << 32 << -1;
    QTest::newRow("no values") << 8 << 0 << -1;
}

// The table's view learns of new values in one notice for the value column: the first frame
// at once, the frames right after it together in one later notice with the newest values (the
// cells are written and repainted at most five times a second).
void TestRtDialog::viewHearsOfValuesTogether()
{
    QFETCH(int, rows);
    QFETCH(int, values);
    QFETCH(int, lastChangedRow);

    dialog_->setLabels(numberedLabels(rows));
    QSignalSpy changed(table()->model(), &QAbstractItemModel::dataChanged);
    const auto checkNotice = [&](int notice, int offset) {
        const auto topLeft = changed.at(notice).at(0).value<QModelIndex>();
        const auto bottomRight = changed.at(notice).at(1).value<QModelIndex>();
        QCOMPARE(topLeft, table()->model()->index(0, 1));
        QCOMPARE(bottomRight, table()->model()->index(lastChangedRow, 1));
        QCOMPARE(bottomRight.data().toString(), QString::number(lastChangedRow + offset));
    };
    receive('D', 1, debugPayload(ramp(values, 3)));
    if (lastChangedRow >= 0) {
        QCOMPARE(changed.size(), 1);
        checkNotice(0, 3);
    }
    receive('D', 1, debugPayload(ramp(values, 40)));
    receive('D', 1, debugPayload(ramp(values, 50)));
    if (lastChangedRow >= 0) {
        // The cells still show the first frame; the newest values come with the next notice.
        QCOMPARE(changed.size(), 1);
        QCOMPARE(cell(lastChangedRow, 1), QString::number(lastChangedRow + 3));
        QTRY_COMPARE(changed.size(), 2);
        checkNotice(1, 50);
    }
    QTest::qWait(3 * 200); // three repaint intervals: nothing more is announced
    QCOMPARE(changed.size(), lastChangedRow >= 0 ? 2 : 0);
}

void TestRtDialog::onlyDebugFramesCount_data()
{
    QTest::addColumn<char>("cmd");
    QTest::newRow("debug request letter") << 'd';
    QTest::newRow("label reply") << 'A';
    QTest::newRow("version reply") << 'V';
    QTest::newRow("compass frame") << 'k';
    QTest::newRow("zero byte") << '\0';
}

void TestRtDialog::onlyDebugFramesCount()
{
    QFETCH(char, cmd);
    dialog_->setLabels(numberedLabels(4));
    receive('D', 2, debugPayload({1, 2, 3, 4}));
    receive(cmd, 1, debugPayload({9, 9, 9, 9}));
    for (int row = 0; row < 4; ++row)
        QCOMPARE(cell(row, 1), QString::number(row + 1));
}

void TestRtDialog::labelListReplacesRows_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");

    const QStringList full = numberedLabels(32);
    QTest::newRow("shorter list") << full << numberedLabels(5, QStringLiteral("New"));
    QTest::newRow("longer list") << numberedLabels(3) << full;
    QTest::newRow("same list twice") << full << full;
    QTest::newRow("empty list") << full << QStringList();
    QTest::newRow("from nothing") << QStringList() << numberedLabels(2);
    QTest::newRow("duplicate labels") << full
                                      << QStringList{QStringLiteral("Dup"), QStringLiteral("Dup"),
                                                     QStringLiteral("X"), QStringLiteral("Dup")};
    QTest::newRow("labels kept as sent, padding and all")
        << full << QStringList{QStringLiteral("AngleNick       "), QString(), QStringLiteral(" ")};
}

void TestRtDialog::labelListReplacesRows()
{
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);

    dialog_->setLabels(first);
    receive('D', 1, debugPayload(ramp(32, 500)));
    // The labels arrive the way the main window hands them over.
    dialog_->onLabelsListReady_(second);

    QCOMPARE(table()->rowCount(), second.size());
    for (int row = 0; row < second.size(); ++row) {
        QCOMPARE(cell(row, 0), second.at(row));
        QCOMPARE(cell(row, 1), QString());
        QCOMPARE(table()->item(row, 0)->checkState(), Qt::Unchecked);
    }

    // The next 'D' frame fills exactly these rows, each with the value at its own index.
    receive('D', 1, debugPayload(ramp(32, -16)));
    QCOMPARE(table()->rowCount(), second.size());
    for (int row = 0; row < second.size(); ++row) {
        QCOMPARE(cell(row, 0), second.at(row));
        QCOMPARE(cell(row, 1), QString::number(row - 16));
    }
}

void TestRtDialog::refreshLabelsEmptiesCells()
{
    dialog_->onSerialOpened_(true);
    QSignalSpy asked(dialog_.get(), &RtDialog::labelsRequested);
    dialog_->setLabels(numberedLabels(6));
    receive('D', 1, debugPayload(ramp(6, 1)));
    setChecked(2, true);
    QVERIFY(plot()->isChannelShown(2));

    QTest::mouseClick(button("refreshLabelsPushButton_"), Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(table()->rowCount(), 6);
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(cell(row, 0), QStringLiteral("<none>"));
        QCOMPARE(cell(row, 1), QStringLiteral("<none>"));
    }
    QVERIFY(!plot()->isChannelShown(2));

    // Until the new list arrives, 'D' frames have no cells to fill.
    receive('D', 1, debugPayload(ramp(6, 50)));
    QCOMPARE(cell(0, 1), QStringLiteral("<none>"));

    const QStringList labels = numberedLabels(6, QStringLiteral("Fresh"));
    dialog_->onLabelsListReady_(labels);
    QCOMPARE(cell(5, 0), labels.at(5));
    // The tick was the user's choice for that label, not for the row.
    QCOMPARE(table()->item(2, 0)->checkState(), Qt::Unchecked);
}

void TestRtDialog::buttonsFollowSerialConnection_data()
{
    QTest::addColumn<QList<bool>>("reports");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("opened") << QList<bool>{true} << true;
    QTest::newRow("opened then closed") << QList<bool>{true, false} << false;
    QTest::newRow("closed without opening") << QList<bool>{false} << false;
    QTest::newRow("reopened") << QList<bool>{true, false, true} << true;
    QTest::newRow("opened twice") << QList<bool>{true, true} << true;
}

void TestRtDialog::buttonsFollowSerialConnection()
{
    QFETCH(QList<bool>, reports);
    QFETCH(bool, enabled);
    for (bool open : reports)
        dialog_->onSerialOpened_(open);
    QCOMPARE(button("refreshLabelsPushButton_")->isEnabled(), enabled);
    QCOMPARE(button("refreshDataPushButton_")->isEnabled(), enabled);
    if (!enabled)
        return;
    // "Refresh data" asks for one 'd' request; the Live stream is off, so nothing else goes.
    QSignalSpy asked(dialog_.get(), &RtDialog::dataRequested);
    QTest::mouseClick(button("refreshDataPushButton_"), Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
}

void TestRtDialog::geometryDefaultsAndRestart()
{
    QCOMPARE(dialog_->size(), QSize(230, 340));
    QCOMPARE(dialog_->pos(), QPoint(200, 200));

    dialog_->resize(411, 377);
    dialog_->move(123, 87);
    restart(true);
    QCOMPARE(dialog_->size(), QSize(411, 377));
    QCOMPARE(dialog_->pos(), QPoint(123, 87));

    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    QCOMPARE(settings.value("RtDialog/size").toSize(), QSize(411, 377));
    QCOMPARE(settings.value("RtDialog/pos").toPoint(), QPoint(123, 87));

    // Nothing is stored by a run that ends without closing the main window.
    dialog_->resize(300, 300);
    restart(false);
    QCOMPARE(dialog_->size(), QSize(411, 377));
}

void TestRtDialog::checkingChannelsAddsSeries_data()
{
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QList<int>>("unticked");

    QTest::newRow("none") << QList<int>{} << QList<int>{};
    QTest::newRow("one") << QList<int>{9} << QList<int>{};
    QTest::newRow("two neighbours") << QList<int>{0, 1} << QList<int>{};
    QTest::newRow("first and last") << QList<int>{0, 31} << QList<int>{};
    QTest::newRow("ticked then unticked") << QList<int>{3, 4, 5} << QList<int>{4};
    QTest::newRow("all") << ramp(32) << QList<int>{};
}

void TestRtDialog::checkingChannelsAddsSeries()
{
    QFETCH(QList<int>, ticked);
    QFETCH(QList<int>, unticked);

    // Device labels come padded with spaces; the legend shows them without.
    QStringList labels;
    for (const QString& l : numberedLabels(32))
        labels << l.leftJustified(16);
    dialog_->setLabels(labels);
    for (int row : ticked)
        setChecked(row, true);
    for (int row : unticked)
        setChecked(row, false);

    QSet<QString> expectedNames;
    for (int row : ticked) {
        if (!unticked.contains(row))
            expectedNames << labels.at(row).trimmed();
    }
    const QList<int> drawn = plot()->drawnChannels();
    QCOMPARE(drawn.size(), expectedNames.size());
    QSet<QString> names;
    QSet<QRgb> colours;
    for (int channel : drawn) {
        names << plot()->channelName(channel);
        colours << plot()->channelColour(channel).rgb();
    }
    QCOMPARE(names, expectedNames);
    QCOMPARE(colours.size(), expectedNames.size());
    for (int row = 0; row < 32; ++row) {
        const bool shown = ticked.contains(row) && !unticked.contains(row);
        QCOMPARE(plot()->isChannelShown(row), shown);
    }
    // The plot pane takes room from the table only while it has a line to draw.
    QCOMPARE(plot()->isVisibleTo(dialog_.get()), !expectedNames.isEmpty());
    dialog_->setLabels({QStringLiteral("other")});
    QVERIFY(!plot()->isVisibleTo(dialog_.get()));
}

void TestRtDialog::plotFollowsValues()
{
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    dialog_->setLabels(numberedLabels(8));
    setChecked(1, true);
    setChecked(6, true);

    for (int frame = 0; frame < 5; ++frame)
        receive('D', 1, debugPayload(ramp(8, frame * 10)));
    QTRY_COMPARE(plot()->drawnPoints(1).size(), 5);
    const QList<QPointF> one = plot()->drawnPoints(1);
    const QList<QPointF> six = plot()->drawnPoints(6);
    QCOMPARE(six.size(), 5);
    for (int frame = 0; frame < 5; ++frame) {
        QCOMPARE(one.at(frame).y(), qreal(frame * 10 + 1));
        QCOMPARE(six.at(frame).y(), qreal(frame * 10 + 6));
    }
    // The newest sample sits at the right edge; older ones lie to its left.
    QCOMPARE(one.at(4).x(), 0.0);
    QVERIFY(one.at(0).x() <= 0.0);

    // A channel ticked later shows the values it has already had.
    setChecked(3, true);
    QTRY_COMPARE(plot()->drawnPoints(3).size(), 5);
    QCOMPARE(plot()->drawnPoints(3).at(2).y(), 23.0);

    // Frames handed over together sit at the times they were received, and never before a
    // sample already plotted.
    QTest::qWait(400);
    receive('D', 1, debugPayload(ramp(8, 100)), 300);
    receive('D', 1, debugPayload(ramp(8, 200)));
    receive('D', 1, debugPayload(ramp(8, 300)), 60000);
    QTRY_COMPARE(plot()->drawnPoints(1).size(), 8);
    QMap<double, double> timeOf;
    for (const QPointF& p : plot()->drawnPoints(1))
        timeOf.insert(p.y(), p.x());
    QVERIFY(timeOf.value(201) - timeOf.value(101) > 0.299);
    QCOMPARE(timeOf.value(301), timeOf.value(201));

    // A batch after a quiet spell: the cells and the plot both show its newest frame at the end
    // of the pass that brought it (so the window repaints once for both), the plot in one redraw.
    QTest::qWait(400);
    const int redraws = plot()->redrawCount();
    for (int base : {400, 500, 600})
        dialog_->onReceiveData('D', 1, debugPayload(ramp(8, base)));
    QCOMPARE(cell(1, 1), QStringLiteral("301"));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(cell(1, 1), QStringLiteral("601"));
    QCOMPARE(plot()->redrawCount(), redraws + 1);
    QCOMPARE(plot()->drawnPoints(1).constLast().y(), 601.0);
}

void TestRtDialog::checkedChannelsSurviveRestart()
{
    QStringList labels = numberedLabels(10);
    labels[4] = QStringLiteral("Voltage [0.1V]  ");
    labels[7] = QStringLiteral("Current [0.1A]  ");
    dialog_->setLabels(labels);
    setChecked(4, true);
    setChecked(7, true);
    setChecked(2, true);
    setChecked(2, false);
    restart(true);

    QCOMPARE(table()->rowCount(), 0);
    QVERIFY(plot()->drawnChannels().isEmpty());
    // The choice belongs to the label, wherever the new list puts it.
    const QStringList moved{QStringLiteral("Current [0.1A]  "), labels.at(2),
                            QStringLiteral("Voltage [0.1V]"), labels.at(0)};
    dialog_->onLabelsListReady_(moved);
    QCOMPARE(table()->item(0, 0)->checkState(), Qt::Checked);
    QCOMPARE(table()->item(1, 0)->checkState(), Qt::Unchecked);
    QCOMPARE(table()->item(2, 0)->checkState(), Qt::Checked);
    QCOMPARE(table()->item(3, 0)->checkState(), Qt::Unchecked);
    // The legend names the unit the line is drawn in.
    QCOMPARE(plot()->channelName(0), QStringLiteral("Current [A]"));
    QCOMPARE(plot()->channelName(2), QStringLiteral("Voltage [V]"));
    QCOMPARE(plot()->drawnChannels(), (QList<int>{0, 2}));
}

void TestRtDialog::channelUnits_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("legend");
    QTest::addColumn<QString>("shown"); // a raw value of 125

    // clang-format off
    QTest::newRow("tenths of a volt") << "Voltage [0.1V]" << "Voltage [V]" << "12.5 V";
    QTest::newRow("padded as sent") << "Current [0.1A]  " << "Current [A]" << "12.5 A";
    QTest::newRow("unit without scale") << "Capacity [mAh]" << "Capacity [mAh]" << "125 mAh";
    QTest::newRow("space inside") << "Speed [ 0.01 m/s ]" << "Speed [m/s]" << "1.25 m/s";
    QTest::newRow("scale above one") << "Power [10mW]" << "Power [mW]" << "1250 mW";
    QTest::newRow("no space before the bracket") << "Height[cm]" << "Height [cm]" << "125 cm";
    QTest::newRow("degree sign") << QString::fromUtf8("Temp [0.5\u00B0C]")
                                 << QString::fromUtf8("Temp [\u00B0C]")
                                 << QString::fromUtf8("62.5 \u00B0C");
    // Anything else stays raw, under the label as sent without its padding.
    QTest::newRow("no bracket") << "AngleNick       " << "AngleNick" << "125";
    QTest::newRow("bracket not closed") << "Voltage [0.1V" << "Voltage [0.1V" << "125";
    QTest::newRow("bracket not opened") << "Voltage 0.1V]" << "Voltage 0.1V]" << "125";
    QTest::newRow("no name") << "[0.1V]" << "[0.1V]" << "125";
    QTest::newRow("scale without unit") << "Gain [0.1]" << "Gain [0.1]" << "125";
    QTest::newRow("zero scale") << "Voltage [0V]" << "Voltage [0V]" << "125";
    QTest::newRow("text after the bracket") << "Voltage [0.1V] x" << "Voltage [0.1V] x"
                                            << "125";
    QTest::newRow("nested brackets") << "Voltage [[V]]" << "Voltage [[V]]" << "125";
    QTest::newRow("empty brackets") << "Voltage []" << "Voltage []" << "125";
    QTest::newRow("two dots") << "Voltage [0.1.2V]" << "Voltage [0.1.2V]" << "125";
    QTest::newRow("empty label") << "" << "" << "125";
    // clang-format on
}

void TestRtDialog::channelUnits()
{
    QFETCH(QString, label);
    QFETCH(QString, legend);
    QFETCH(QString, shown);
    const ChannelUnit unit = ChannelUnit::parse(label);
    QCOMPARE(unit.displayName(), legend);
    QCOMPARE(unit.format(125), shown);
}

void TestRtDialog::valuesByAddressAndUnit_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("address");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");    // the table's value cell
    QTest::addColumn<QString>("toolTip"); // the same cell's tool tip
    QTest::addColumn<double>("plotted");

    const QString plain = QStringLiteral("Analog");
    const QString volts = QStringLiteral("Voltage [0.1V]  ");
    // clang-format off
    QTest::newRow("Flight Ctrl, FF FF") << plain << 1 << QByteArray::fromHex("ffff") << "-1" << ""
                                        << -1.0;
    QTest::newRow("Navi Ctrl, FF FF") << plain << 2 << QByteArray::fromHex("ffff") << "65535" << ""
                                      << 65535.0;
    QTest::newRow("Navi Ctrl, 00 80") << plain << 2 << QByteArray::fromHex("0080") << "32768" << ""
                                      << 32768.0;
    QTest::newRow("compass, 00 80") << plain << 3 << QByteArray::fromHex("0080") << "-32768" << ""
                                    << -32768.0;
    QTest::newRow("Flight Ctrl volts") << volts << 1 << QByteArray::fromHex("7d00") << "125"
                                       << "12.5 V" << 12.5;
    QTest::newRow("Flight Ctrl negative volts") << volts << 1 << QByteArray::fromHex("fbff")
                                                << "-5" << "-0.5 V" << -0.5;
    QTest::newRow("Navi Ctrl volts, top bit set") << volts << 2 << QByteArray::fromHex("ffff")
                                                  << "65535" << "6553.5 V" << 6553.5;
    // clang-format on
}

// The table shows the raw number read with the controller's signedness; the tool tip and the
// plot show it in the label's unit.
void TestRtDialog::valuesByAddressAndUnit()
{
    QFETCH(QString, label);
    QFETCH(int, address);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QFETCH(double, plotted);

    dialog_->setLabels({QStringLiteral("first"), label});
    setChecked(1, true);
    QByteArray payload = debugPayload({7, 0});
    payload.replace(4, 2, bytes);
    receive('D', address, payload);
    QCOMPARE(cell(0, 1), QStringLiteral("7"));
    QCOMPARE(cell(1, 1), text);
    QCOMPARE(table()->item(1, 1)->toolTip(), toolTip);
    plot()->redraw();
    QCOMPARE(plot()->drawnPoints(1).size(), 1);
    QCOMPARE(plot()->drawnPoints(1).first().y(), plotted);
}

void TestRtDialog::liveStreamFollowsToggleAndPort_data()
{
    QTest::addColumn<QString>("steps"); // L/l: Live on/off, O/o: port open/closed
    QTest::addColumn<int>("renewals");
    QTest::addColumn<int>("stops");
    QTest::addColumn<bool>("active");

    QTest::newRow("off by default, port open") << "O" << 0 << 0 << false;
    QTest::newRow("on while closed waits") << "L" << 0 << 0 << false;
    QTest::newRow("on, then the port opens") << "LO" << 1 << 0 << true;
    QTest::newRow("port open, then on") << "OL" << 1 << 0 << true;
    QTest::newRow("switched off sends a stop") << "OLl" << 1 << 1 << false;
    QTest::newRow("closed port ends it silently") << "OLo" << 1 << 0 << false;
    QTest::newRow("off while closed tells nobody") << "OLol" << 1 << 0 << false;
    QTest::newRow("resumes after a reconnect") << "OLoO" << 1 << 0 << true;
    QTest::newRow("on twice is one stream") << "OLL" << 1 << 0 << true;
    QTest::newRow("reported open twice") << "LOO" << 1 << 0 << true;
}

void TestRtDialog::liveStreamFollowsToggleAndPort()
{
    QFETCH(QString, steps);
    QFETCH(int, renewals);
    QFETCH(int, stops);
    QFETCH(bool, active);

    // Driven through the dialog as the user and the window drive it. The renewals right away
    // are counted; a renewal held back by the one-a-second limit would come later.
    auto* live = dialog_->findChild<QCheckBox*>("liveCheckBox_");
    QSignalSpy renewed(dialog_.get(), &RtDialog::dataRequested);
    QSignalSpy stopped(dialog_.get(), &RtDialog::dataStopRequested);
    for (QChar step : steps) {
        // clang-format off
        switch (step.toLatin1()) {
        case 'L': live->setChecked(true); break;
        case 'l': live->setChecked(false); break;
        case 'O': dialog_->onSerialOpened_(true); break;
        case 'o': dialog_->onSerialOpened_(false); break;
        }
        // clang-format on
    }
    QCOMPARE(renewed.size(), renewals);
    QCOMPARE(stopped.size(), stops);
    QCOMPARE(dialog_->liveStream()->isActive(), active);
}

void TestRtDialog::liveStreamRenewsAtMostOnceASecond()
{
    LiveStream live;
    QSignalSpy renewed(&live, &LiveStream::renewRequested);
    live.setPortOpen(true);
    QElapsedTimer clock;
    clock.start();
    live.setEnabled(true);
    QCOMPARE(renewed.size(), 1);
    // Off and on again at once: the stop goes out, the renewal waits for the gap.
    live.setEnabled(false);
    live.setEnabled(true);
    QCOMPARE(renewed.size(), 1);
    QVERIFY(renewed.wait(2000));
    QVERIFY2(clock.elapsed() >= LiveStream::MinimumGapMs - 20,
             qPrintable(QString::number(clock.elapsed())));
    // Then one renewal per period, inside the device's four seconds.
    QCOMPARE(live.renewIntervalMs(), LiveStream::DefaultRenewMs);
    QVERIFY(LiveStream::DefaultRenewMs * 2 < 4000);
    clock.restart();
    QVERIFY(renewed.wait(3000));
    const qint64 period = clock.elapsed();
    QVERIFY2(period >= LiveStream::DefaultRenewMs - 50 &&
                 period <= LiveStream::DefaultRenewMs + 500,
             qPrintable(QString::number(period)));
    live.setPortOpen(false);
    QVERIFY(!renewed.wait(LiveStream::DefaultRenewMs + 300));
}

void TestRtDialog::liveIsRememberedAndWaitsForThePort()
{
    auto* live = dialog_->findChild<QCheckBox*>("liveCheckBox_");
    live->setChecked(true);
    restart(true);
    live = dialog_->findChild<QCheckBox*>("liveCheckBox_");
    QVERIFY(live->isChecked());
    QCOMPARE(QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
                 .value("RtDialog/live")
                 .toBool(),
             true);
    QSignalSpy renewed(dialog_.get(), &RtDialog::dataRequested);
    QVERIFY(!dialog_->liveStream()->isActive());
    dialog_->onSerialOpened_(true);
    QCOMPARE(renewed.size(), 1);
}

void TestRtDialog::pauseFreezesPlotNotTable()
{
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    dialog_->setLabels(numberedLabels(4));
    setChecked(2, true);
    for (int frame = 0; frame < 3; ++frame)
        receive('D', 1, debugPayload(ramp(4, frame)));
    QTRY_COMPARE(plot()->drawnPoints(2).size(), 3);

    plot()->setPaused(true);
    const int redraws = plot()->redrawCount();
    for (int frame = 3; frame < 10; ++frame)
        receive('D', 1, debugPayload(ramp(4, frame)));
    QTRY_COMPARE(cell(2, 1), QStringLiteral("11"));
    QTest::qWait(3 * RtPlot::RedrawIntervalMs);
    QCOMPARE(plot()->redrawCount(), redraws);
    QCOMPARE(plot()->drawnPoints(2).size(), 3);

    // The samples taken while paused are there once the plot follows again.
    plot()->setPaused(false);
    QCOMPARE(plot()->drawnPoints(2).size(), 10);
    QCOMPARE(plot()->drawnPoints(2).at(9).y(), 11.0);
}

void TestRtDialog::valueColumnReadableAtDefaultSize()
{
    QStringList labels;
    for (int i = 0; i < 32; ++i)
        labels << QStringLiteral("Voltage [0.1V]  ");
    dialog_->setLabels(labels);
    receive('D', 1, debugPayload(QList<int>(32, -32768)));
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    QCOMPARE(dialog_->size(), QSize(230, 340));
    QTableWidget* t = table();
    const int needed = t->fontMetrics().horizontalAdvance(QStringLiteral("-32768"));
    QVERIFY2(t->columnWidth(1) > needed, qPrintable(QString::number(t->columnWidth(1))));
    QVERIFY2(t->columnViewportPosition(1) + t->columnWidth(1) <= t->viewport()->width(),
             qPrintable(QStringLiteral("%1 + %2 > %3")
                            .arg(t->columnViewportPosition(1))
                            .arg(t->columnWidth(1))
                            .arg(t->viewport()->width())));
    QVERIFY(t->columnWidth(0) > 0);
}

void TestRtDialog::firstTickGrowsTheDialogOnce()
{
    dialog_->setLabels(numberedLabels(4));
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    QCOMPARE(dialog_->size(), QSize(230, 340));
    setChecked(0, true);
    QTRY_VERIFY(dialog_->height() > 500);
    QVERIFY(dialog_->width() > 400);

    // The user's size stands from then on.
    dialog_->resize(300, 400);
    QTRY_COMPARE(dialog_->size(), QSize(300, 400));
    setChecked(0, false);
    setChecked(1, true);
    QTest::qWait(50);
    QCOMPARE(dialog_->size(), QSize(300, 400));
}

QTEST_MAIN(TestRtDialog)
#include "tst_rtdialog.moc"
