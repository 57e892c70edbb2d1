#include "mainwindow.h"
#include "rtdialog.h"
#include "rtplot.h"

#include <QChart>
#include <QHeaderView>
#include <QLineSeries>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>

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

// The real-time dialog as the main window creates it: table, values, buttons, settings, plot.
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
    void viewIsToldOncePerFrame_data();
    void viewIsToldOncePerFrame();
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
    void setChecked(int row, bool on)
    {
        table()->item(row, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }

    std::unique_ptr<MainWindow> window_;
    RtDialog* dialog_ = nullptr;
};

void TestRtDialog::initTestCase()
{
    QVERIFY(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")); // never the user's own settings
}

void TestRtDialog::init()
{
    QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik")).clear();
    window_ = std::make_unique<MainWindow>();
    dialog_ = window_->findChild<RtDialog*>();
    QVERIFY(dialog_);
}

void TestRtDialog::cleanup()
{
    window_.reset();
    dialog_ = nullptr;
}

// Closing the main window stores both windows' settings, as quitting does.
void TestRtDialog::restart(bool writeSettings)
{
    if (writeSettings)
        QVERIFY(window_->close());
    window_ = std::make_unique<MainWindow>();
    dialog_ = window_->findChild<RtDialog*>();
    QVERIFY(dialog_);
}

void TestRtDialog::form()
{
    QCOMPARE(dialog_->parentWidget(), window_.get());
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Real time dialog"));
    QVERIFY(!dialog_->isModal());
    QCOMPARE(dialog_->locale(), QLocale(QLocale::English, QLocale::UnitedStates));

    QTableWidget* t = table();
    QVERIFY(t);
    QCOMPARE(t->columnCount(), 2);
    QCOMPARE(t->rowCount(), 0);
    QCOMPARE(t->horizontalHeaderItem(0)->text(), QStringLiteral("Label"));
    QCOMPARE(t->horizontalHeaderItem(1)->text(), QStringLiteral("Value"));
    QVERIFY(t->horizontalHeader()->stretchLastSection());
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
    // The main window's first start leaves the dialog hidden.
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
    dialog_->onReceiveData('D', 1, payload);

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
    dialog_->onReceiveData('D', 1, debugPayload(QList<int>(rows, 7)));
    // Values of -2 from byte 2 on; a stray odd byte at the end is FE too.
    QByteArray payload = debugPayload(QList<int>(40, -2));
    payload.resize(payloadSize);
    dialog_->onReceiveData('D', 1, payload);

    QCOMPARE(table()->rowCount(), rows);
    for (int row = 0; row < rows; ++row)
        QCOMPARE(cell(row, 1), row < updatedRows ? QStringLiteral("-2") : QStringLiteral("7"));
}

void TestRtDialog::viewIsToldOncePerFrame_data()
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

// The table's view and header learn of a frame's new values in one notice for the value column.
void TestRtDialog::viewIsToldOncePerFrame()
{
    QFETCH(int, rows);
    QFETCH(int, values);
    QFETCH(int, lastChangedRow);

    dialog_->setLabels(numberedLabels(rows));
    QSignalSpy changed(table()->model(), &QAbstractItemModel::dataChanged);
    dialog_->onReceiveData('D', 1, debugPayload(ramp(values, 3)));
    if (lastChangedRow < 0) {
        QCOMPARE(changed.size(), 0);
        return;
    }
    QCOMPARE(changed.size(), 1);
    const auto topLeft = changed.at(0).at(0).value<QModelIndex>();
    const auto bottomRight = changed.at(0).at(1).value<QModelIndex>();
    QCOMPARE(topLeft, table()->model()->index(0, 1));
    QCOMPARE(bottomRight, table()->model()->index(lastChangedRow, 1));
    QCOMPARE(bottomRight.data().toString(), QString::number(lastChangedRow + 3));
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
    dialog_->onReceiveData('D', 2, debugPayload({1, 2, 3, 4}));
    dialog_->onReceiveData(cmd, 1, debugPayload({9, 9, 9, 9}));
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
    dialog_->onReceiveData('D', 1, debugPayload(ramp(32, 500)));
    // The labels arrive the way the main window hands them over.
    emit window_->labelsListReady(second);

    QCOMPARE(table()->rowCount(), second.size());
    for (int row = 0; row < second.size(); ++row) {
        QCOMPARE(cell(row, 0), second.at(row));
        QCOMPARE(cell(row, 1), QString());
        QCOMPARE(table()->item(row, 0)->checkState(), Qt::Unchecked);
    }

    // The next 'D' frame fills exactly these rows, each with the value at its own index.
    dialog_->onReceiveData('D', 1, debugPayload(ramp(32, -16)));
    QCOMPARE(table()->rowCount(), second.size());
    for (int row = 0; row < second.size(); ++row) {
        QCOMPARE(cell(row, 0), second.at(row));
        QCOMPARE(cell(row, 1), QString::number(row - 16));
    }
}

void TestRtDialog::refreshLabelsEmptiesCells()
{
    emit window_->serialConnectionOpened(true);
    dialog_->setLabels(numberedLabels(6));
    dialog_->onReceiveData('D', 1, debugPayload(ramp(6, 1)));
    setChecked(2, true);
    QVERIFY(plot()->isChannelShown(2));

    QTest::mouseClick(button("refreshLabelsPushButton_"), Qt::LeftButton);
    QCOMPARE(table()->rowCount(), 6);
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(cell(row, 0), QStringLiteral("<none>"));
        QCOMPARE(cell(row, 1), QStringLiteral("<none>"));
    }
    QVERIFY(!plot()->isChannelShown(2));

    // Until the new list arrives, 'D' frames have no cells to fill.
    dialog_->onReceiveData('D', 1, debugPayload(ramp(6, 50)));
    QCOMPARE(cell(0, 1), QStringLiteral("<none>"));

    const QStringList labels = numberedLabels(6, QStringLiteral("Fresh"));
    emit window_->labelsListReady(labels);
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
        emit window_->serialConnectionOpened(open);
    QCOMPARE(button("refreshLabelsPushButton_")->isEnabled(), enabled);
    QCOMPARE(button("refreshDataPushButton_")->isEnabled(), enabled);
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
    const QList<QAbstractSeries*> all = plot()->chart()->series();
    QCOMPARE(all.size(), expectedNames.size());
    QSet<QString> names;
    QSet<QRgb> colours;
    for (QAbstractSeries* s : all) {
        auto* line = qobject_cast<QLineSeries*>(s);
        QVERIFY(line);
        names << line->name();
        colours << line->color().rgb();
    }
    QCOMPARE(names, expectedNames);
    QCOMPARE(colours.size(), expectedNames.size());
    for (int row = 0; row < 32; ++row) {
        const bool shown = ticked.contains(row) && !unticked.contains(row);
        QCOMPARE(plot()->isChannelShown(row), shown);
    }
    // The plot pane takes room from the table only while it has a line to draw.
    QCOMPARE(plot()->isVisibleTo(dialog_), !expectedNames.isEmpty());
    dialog_->setLabels({QStringLiteral("other")});
    QVERIFY(!plot()->isVisibleTo(dialog_));
}

void TestRtDialog::plotFollowsValues()
{
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    dialog_->setLabels(numberedLabels(8));
    setChecked(1, true);
    setChecked(6, true);

    for (int frame = 0; frame < 5; ++frame)
        dialog_->onReceiveData('D', 1, debugPayload(ramp(8, frame * 10)));
    QLineSeries* one = plot()->series(1);
    QLineSeries* six = plot()->series(6);
    QVERIFY(one && six);
    QTRY_COMPARE(one->count(), 5);
    QCOMPARE(six->count(), 5);
    for (int frame = 0; frame < 5; ++frame) {
        QCOMPARE(one->at(frame).y(), qreal(frame * 10 + 1));
        QCOMPARE(six->at(frame).y(), qreal(frame * 10 + 6));
    }
    // The newest sample sits at the right edge; older ones lie to its left.
    QCOMPARE(one->at(4).x(), 0.0);
    QVERIFY(one->at(0).x() <= 0.0);

    // A channel ticked later shows the values it has already had.
    setChecked(3, true);
    QTRY_COMPARE(plot()->series(3)->count(), 5);
    QCOMPARE(plot()->series(3)->at(2).y(), 23.0);
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
    QCOMPARE(plot()->chart()->series().size(), 0);
    // The choice belongs to the label, wherever the new list puts it.
    const QStringList moved{QStringLiteral("Current [0.1A]  "), labels.at(2),
                            QStringLiteral("Voltage [0.1V]"), labels.at(0)};
    emit window_->labelsListReady(moved);
    QCOMPARE(table()->item(0, 0)->checkState(), Qt::Checked);
    QCOMPARE(table()->item(1, 0)->checkState(), Qt::Unchecked);
    QCOMPARE(table()->item(2, 0)->checkState(), Qt::Checked);
    QCOMPARE(table()->item(3, 0)->checkState(), Qt::Unchecked);
    QCOMPARE(plot()->series(0)->name(), QStringLiteral("Current [0.1A]"));
    QCOMPARE(plot()->series(2)->name(), QStringLiteral("Voltage [0.1V]"));
    QCOMPARE(plot()->chart()->series().size(), 2);
}

QTEST_MAIN(TestRtDialog)
#include "tst_rtdialog.moc"
