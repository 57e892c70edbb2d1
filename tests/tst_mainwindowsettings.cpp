#include "mainwindow.h"
#include "mainwindowtestkit.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <memory>

using namespace MainWindowTestKit;

// Settings of the real window: first start defaults, values carried from one window to the
// next, where each key lives in the store, and the negated real-time dialog flag.
class TestMainWindowSettings : public QObject
{
    Q_OBJECT

    static QCheckBox* checkBox(MainWindow* window, const char* name)
    {
        return window->findChild<QCheckBox*>(QLatin1String(name));
    }
    static QAction* terminalAction(MainWindow* window)
    {
        return window->findChild<QAction*>(QStringLiteral("actionShowTerminal_"));
    }
    static QDialog* rtDialog(MainWindow* window) { return window->findChild<QDialog*>(); }

private slots:
    void initTestCase() { QVERIFY(prepareEnvironment()); }
    void init() { clearSettings(); }

    void firstStartUsesTheDefaults()
    {
        MainWindow window;
        QCOMPARE(window.size(), QSize(510, 680));
        QCOMPARE(window.pos(), QPoint(200, 200));
        QVERIFY(terminalAction(&window)->isChecked());
        QVERIFY(!console(&window)->isHidden());
        QVERIFY(rtDialog(&window)->isHidden());
        QVERIFY(!checkBox(&window, "FTDIOnlyCheckBox_")->isChecked());
        QVERIFY(!checkBox(&window, "checkBoxHex_")->isChecked());
        // Nothing is written before the window closes.
        QVERIFY(QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik")).allKeys().isEmpty());

        window.close();
        QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
        QCOMPARE(settings.value("cmdFilter").toString(), QStringLiteral("VNPLAUDk"));
        QCOMPARE(settings.value("MainWindow/showRtDialog").toBool(), true);
        QCOMPARE(settings.value("FTDIOnly").toBool(), false);
        QCOMPARE(settings.value("hexDisplay").toBool(), false);
    }

    void keysLiveInTheirGroups()
    {
        MainWindow window;
        window.close();
        QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
        QStringList top = settings.childKeys();
        top.sort();
        QCOMPARE(top, (QStringList{"FTDIOnly", "cmdFilter", "hexDisplay"}));
        settings.beginGroup(QStringLiteral("MainWindow"));
        QStringList group = settings.childKeys();
        group.sort();
        QCOMPARE(group, (QStringList{"pos", "showRtDialog", "showTerminal", "size"}));
        settings.endGroup();
        settings.beginGroup(QStringLiteral("Connection"));
        group = settings.childKeys();
        group.sort();
        QCOMPARE(group, (QStringList{"lastDevice", "reconnect"}));
        settings.endGroup();
        // The real-time dialog keeps a group of its own; nothing else is stored.
        QStringList groups = settings.childGroups();
        groups.removeAll(QStringLiteral("RtDialog"));
        groups.sort();
        QCOMPARE(groups, (QStringList{"Connection", "MainWindow"}));
    }

    void valuesCarryToTheNextWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<bool>("ftdi");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("filter");

        QTest::newRow("all on") << QSize(640, 720) << QPoint(40, 60) << true << true << true
                                << "VD";
        QTest::newRow("all off") << QSize(520, 700) << QPoint(0, 0) << false << false << false
                                 << "";
        QTest::newRow("odd filter kept")
            << QSize(600, 690) << QPoint(300, 10) << true << false << true << "zkDV#";
    }
    void valuesCarryToTheNextWindow()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, pos);
        QFETCH(bool, terminal);
        QFETCH(bool, ftdi);
        QFETCH(bool, hex);
        QFETCH(QString, filter);

        {
            QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
            settings.setValue("cmdFilter", filter);
        }
        {
            MainWindow first;
            first.resize(size);
            first.move(pos);
            if (terminal != terminalAction(&first)->isChecked())
                terminalAction(&first)->trigger();
            if (ftdi)
                checkBox(&first, "FTDIOnlyCheckBox_")->click();
            if (hex)
                checkBox(&first, "checkBoxHex_")->click();
            first.close();
        }
        MainWindow second;
        QCOMPARE(second.size(), size);
        QCOMPARE(second.pos(), pos);
        QCOMPARE(terminalAction(&second)->isChecked(), terminal);
        QCOMPARE(console(&second)->isHidden(), !terminal);
        QCOMPARE(checkBox(&second, "FTDIOnlyCheckBox_")->isChecked(), ftdi);
        QCOMPARE(checkBox(&second, "checkBoxHex_")->isChecked(), hex);
        QCOMPARE(consoleLines(&second).contains("Filter only FTDI devices"), ftdi);

        // The hex flag read from the store is in force without a click.
        deliverFrame(&second, frame('D', 1, "AB"));
        if (filter.contains('D'))
            QCOMPARE(rowTexts(&second, 0).at(3),
                     hex ? QStringLiteral("41 42 00 ") : QStringLiteral("AB."));
        else
            QCOMPARE(table(&second)->rowCount(), 0);

        second.close();
        QCOMPARE(QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
                     .value("cmdFilter")
                     .toString(),
                 filter);
    }

    void realTimeDialogVisibilityIsRestored_data()
    {
        QTest::addColumn<int>("rtPresses");
        QTest::addColumn<bool>("closedByItself"); // closed through its own controls
        QTest::addColumn<bool>("storedFlag");
        QTest::addColumn<bool>("shownNextTime");

        QTest::newRow("never shown") << 0 << false << true << false;
        QTest::newRow("shown") << 1 << false << false << true;
        QTest::newRow("shown then closed by itself") << 1 << true << false << true;
        QTest::newRow("shown and hidden") << 2 << false << true << false;
    }
    void realTimeDialogVisibilityIsRestored()
    {
        QFETCH(int, rtPresses);
        QFETCH(bool, closedByItself);
        QFETCH(bool, storedFlag);
        QFETCH(bool, shownNextTime);
        {
            MainWindow first;
            auto* rt = first.findChild<QPushButton*>(QStringLiteral("rtPushButton_"));
            for (int i = 0; i < rtPresses; ++i)
                rt->click();
            if (closedByItself)
                rtDialog(&first)->close();
            first.close();
        }
        QCOMPARE(QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
                     .value("MainWindow/showRtDialog")
                     .toBool(),
                 storedFlag);
        MainWindow second;
        QCOMPARE(!rtDialog(&second)->isHidden(), shownNextTime);
    }

    void hiddenConsoleKeepsCollecting()
    {
        MainWindow window;
        const int before = consoleLines(&window).size();
        terminalAction(&window)->trigger();
        QVERIFY(console(&window)->isHidden());
        deliverFrame(&window, frame('V', 1, "abc"));
        window.printConsoleError(QStringLiteral("while hidden"));
        terminalAction(&window)->trigger();
        QVERIFY(!console(&window)->isHidden());
        QCOMPARE(consoleLines(&window).last(), QStringLiteral("while hidden"));
        QCOMPARE(consoleLines(&window).size(), before + 2);
    }
};

QTEST_MAIN(TestMainWindowSettings)
#include "tst_mainwindowsettings.moc"
