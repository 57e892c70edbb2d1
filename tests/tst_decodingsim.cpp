#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "serialtesthelpers.h"

#include <QDir>
#include <QFile>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using namespace MainWindowTestKit;

// End to end: the shipped mk.js in the real window, decoding the rows that the device
// simulator's answers produce, as a pilot clicks them.
class tst_DecodingSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void selectedRowShowsEveryField_data();
    void selectedRowShowsEveryField();

private:
    std::unique_ptr<MainWindow> window_;
    Simulator sim_;
};

void tst_DecodingSim::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("TOVRIK_MKSIM"))
        QSKIP("TOVRIK_MKSIM is not set: no device simulator to talk to");
    QVERIFY(prepareEnvironment());
    // The shipped definitions in place of the kit's small script.
    QFile::remove(QStringLiteral("mk.js"));
    QVERIFY(QFile::copy(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"), QStringLiteral("mk.js")));
}

void tst_DecodingSim::cleanup()
{
    window_.reset();
    sim_.stop();
}

void tst_DecodingSim::selectedRowShowsEveryField_data()
{
    QTest::addColumn<char>("button");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("version") << 'V' << 0 << 6
                             << QStringList{"Software minor: 91", "Protocol major: 11",
                                            "Hardware errors: 00 00 00 00 00 "};
    QTest::newRow("debug data") << 'D' << 50 << 33
                                << QStringList{"Status flags: 00 00 ", "Analog 20: 128"};
    QTest::newRow("analog label") << 'A' << 22 << 2
                                  << QStringList{"Channel index: 22", "Label: Current [0.1A]  "};
    QTest::newRow("display") << 'L' << 3 << 6
                             << QStringList{"Menu item: 3", "Line 3: Menu item 3         "};
}

void tst_DecodingSim::selectedRowShowsEveryField()
{
    QFETCH(char, button);
    QFETCH(int, parameter);
    QFETCH(int, fieldCount);
    QFETCH(QStringList, lines);

    const QString port = sim_.start({"--name", "decoding", "--seed", "3"});
    QVERIFY(!port.isEmpty());
    window_ = std::make_unique<MainWindow>();
    QVERIFY(connectTo(window_.get(), port));

    const QString letter(QLatin1Char{button});
    if (auto* spin = window_->findChild<QSpinBox*>(QStringLiteral("spinBox%1Cmd_").arg(letter)))
        spin->setValue(parameter);
    window_->findChild<QToolButton*>(QStringLiteral("toolButton%1Cmd_").arg(letter))->click();
    QTRY_VERIFY(rowCount(window_.get()) >= 1);
    QCOMPARE(rowTexts(window_.get(), 0).at(1), letter);

    selectRow(window_.get(), 0);
    QTreeWidgetItem* frame = tree(window_.get())->topLevelItem(0);
    QVERIFY(frame);
    QCOMPARE(frame->child(0)->text(0), QStringLiteral("cmd: ") + letter);
    QCOMPARE(frame->child(1)->text(0), QStringLiteral("address: Flight Ctrl"));
    QTreeWidgetItem* data = frame->child(2);
    QStringList shown;
    for (int i = 0; i < data->childCount(); ++i)
        shown << data->child(i)->text(0);
    QCOMPARE(shown.size(), fieldCount);
    for (const QString& text : shown)
        QVERIFY2(!text.endsWith(QLatin1String(": ")), qPrintable(text)); // every field has a value
    for (const QString& line : lines)
        QVERIFY2(shown.contains(line), qPrintable(line + " not in:\n" + shown.join('\n')));
}

QTEST_MAIN(tst_DecodingSim)
#include "tst_decodingsim.moc"
