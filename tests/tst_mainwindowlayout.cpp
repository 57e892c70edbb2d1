#include "helpwindows.h"
#include "mainwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

// The main window as built: object tree, initial values, texts, menus and the About box.
class TestMainWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commandButtons_data();
    void commandButtons();
    void spinBoxes_data();
    void spinBoxes();
    void panesAndTable();
    void bottomRow();
    void menusAndTitle();
    void tabOrder();
    void aboutBox();
    void picturesAreEmbedded();

private:
    template <typename T> T* child(const char* name)
    {
        T* w = window_->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qWarning("missing child %s", name);
        return w;
    }
    MainWindow* window_ = nullptr;
};

void TestMainWindowLayout::init()
{
    window_ = new MainWindow;
}

void TestMainWindowLayout::cleanup()
{
    delete window_;
    window_ = nullptr;
}

void TestMainWindowLayout::commandButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("v") << "toolButtonVCmd_"
                       << "v"
                       << "Version request";
    QTest::newRow("n") << "toolButtonNCmd_"
                       << "n"
                       << "Mixer Request";
    QTest::newRow("a") << "toolButtonACmd_"
                       << "a"
                       << "Labels of analog values request";
    QTest::newRow("u") << "toolButtonUCmd_"
                       << "u"
                       << "BL Parameter request";
    QTest::newRow("p") << "toolButtonPCmd_"
                       << "p"
                       << "Read PPM Channels";
    QTest::newRow("l") << "toolButtonLCmd_"
                       << "l"
                       << "Display request";
    QTest::newRow("d") << "toolButtonDCmd_"
                       << "d"
                       << "Debug request";
}

void TestMainWindowLayout::commandButtons()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    auto* button = window_->findChild<QToolButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), text);
    QCOMPARE(button->toolTip(), toolTip);
    auto* group = child<QGroupBox>("groupBox");
    QVERIFY(group);
    QCOMPARE(group->title(), QString("Mikrokopter commands"));
    QVERIFY(group->isAncestorOf(button));
}

void TestMainWindowLayout::spinBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::newRow("a") << "spinBoxACmd_" << 31 << 0;
    QTest::newRow("u") << "spinBoxUCmd_" << 16 << 0;
    QTest::newRow("l") << "spinBoxLCmd_" << 17 << 0;
    QTest::newRow("d") << "spinBoxDCmd_" << 120 << 30;
}

void TestMainWindowLayout::spinBoxes()
{
    QFETCH(QString, name);
    QFETCH(int, maximum);
    QFETCH(int, value);
    auto* spin = window_->findChild<QSpinBox*>(name);
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), 0);
    QCOMPARE(spin->maximum(), maximum);
    QCOMPARE(spin->value(), value);
    spin->setValue(maximum + 1);
    QCOMPARE(spin->value(), maximum);
    spin->setValue(-1);
    QCOMPARE(spin->value(), 0);
}

void TestMainWindowLayout::panesAndTable()
{
    auto* splitter = child<QSplitter>("splitter");
    QVERIFY(splitter);
    QCOMPARE(splitter->orientation(), Qt::Vertical);
    QCOMPARE(splitter->count(), 3);
    auto* table = child<QTableView>("tableWidgetFrame_");
    auto* tree = child<QTreeWidget>("treeWidgetFrame_");
    auto* console = child<QPlainTextEdit>("consoleTextEdit_");
    // The table shares its pane with the search bar above it.
    QCOMPARE(splitter->widget(0), table->parentWidget());
    QVERIFY(splitter->widget(0)->isAncestorOf(child<QWidget>("searchBar_")));
    QCOMPARE(splitter->widget(1), tree);
    QCOMPARE(splitter->widget(2), console);

    const QStringList headers{"No.", "Time", "Cmd", "Address", "Data"};
    QCOMPARE(table->model()->columnCount(), headers.size());
    for (int c = 0; c < headers.size(); ++c) {
        QCOMPARE(table->model()->headerData(c, Qt::Horizontal).toString(), headers.at(c));
        QCOMPARE(table->model()->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignCenter));
    }
    QCOMPARE(table->columnWidth(2), 50);
    QVERIFY(table->horizontalHeader()->stretchLastSection());
    QVERIFY(!table->verticalHeader()->isVisible());
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(table->alternatingRowColors());
    QVERIFY(!table->showGrid());
    QCOMPARE(table->font().family(), QString("Courier"));
    QCOMPARE(table->model()->rowCount(), 0);

    QVERIFY(tree->isHeaderHidden());
    QCOMPARE(tree->columnCount(), 1);
    QCOMPARE(tree->topLevelItemCount(), 0);

    QVERIFY(console->isReadOnly());
    QCOMPARE(console->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(console->maximumBlockCount(), 50000);
    QCOMPARE(console->font().pointSize(), 10);

    auto* filters = child<QGroupBox>("groupBox_2");
    QCOMPARE(filters->title(), QString("Filters"));
    auto* hex = child<QCheckBox>("checkBoxHex_");
    QCOMPARE(hex->text(), QString("Hex"));
    QCOMPARE(hex->toolTip(), QString("display data in hexadecimal"));
}

void TestMainWindowLayout::bottomRow()
{
    auto* connect = child<QPushButton>("connectPushButton_");
    QCOMPARE(connect->text(), QString("Connect"));
    QCOMPARE(connect->toolTip(), QString("Connection to Mikrokopter"));
    QVERIFY(connect->isDefault());
    QVERIFY(!connect->autoDefault());
    QCOMPARE(child<QPushButton>("clearPushButton_")->text(), QString("Clear"));
    QCOMPARE(child<QPushButton>("clearPushButton_")->toolTip(), QString("clear 3 display panes"));
    QCOMPARE(child<QPushButton>("rtPushButton_")->text(), QString("Rt"));
    QCOMPARE(child<QPushButton>("rtPushButton_")->toolTip(), QString("Real time display"));
    auto* ftdi = child<QCheckBox>("FTDIOnlyCheckBox_");
    QCOMPARE(ftdi->text(), QString("FTDI only"));
    QVERIFY(!ftdi->isTristate());
    QCOMPARE(child<QComboBox>("portComboBox_")->toolTip(), QString("list of devices"));
    auto* port = child<QLabel>("portLabel_");
    QVERIFY(port->text().isEmpty());
    QVERIFY(!port->pixmap().isNull());
    QCOMPARE(port->maximumSize(), QSize(25, 25));
}

void TestMainWindowLayout::menusAndTitle()
{
    QCOMPARE(window_->objectName(), QString("MainWindow"));
    QCOMPARE(window_->windowTitle(), QString("Tovrik"));
    QVERIFY(!window_->windowIcon().isNull());
    const QList<QAction*> menus = window_->menuBar()->actions();
    QCOMPARE(menus.size(), 4);
    QCOMPARE(menus.at(0)->text(), QString("&File"));
    QCOMPARE(menus.at(1)->text(), QString("&View"));
    QCOMPARE(menus.at(2)->text(), QString("&Windows"));
    QCOMPARE(menus.at(3)->text(), QString("&Help"));

    QStringList files;
    for (const QAction* action : menus.at(0)->menu()->actions())
        files << (action->menu() ? action->menu()->objectName() : action->objectName());
    QCOMPARE(files,
             QStringList({"actionOpenCapture_", "menuRecent_", "actionRecord_", "menuReplay_",
                          "actionExportCsv_", "actionExportGpx_", QString(), "actionQuit_"}));

    QStringList views;
    for (const QAction* action : menus.at(1)->menu()->actions())
        views << action->objectName();
    QCOMPARE(views, QStringList({"actionFind_", "actionFindNext_", "actionFindPrevious_", QString(),
                                 "actionShowSent_"}));
    QVERIFY(!menus.at(1)->menu()->actions().constLast()->isChecked());

    const QList<QAction*> windows = menus.at(2)->menu()->actions();
    QStringList names;
    for (const QAction* action : windows)
        names << action->objectName();
    QCOMPARE(names,
             (QStringList{"actionShowTerminal_", "actionStatistics_", "actionReconnect_",
                          "actionRemoteDisplay_", "actionNavigationData_", "actionSettings_"}));
    QCOMPARE(windows.at(5)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    QVERIFY(windows.at(2)->isCheckable());
    QCOMPARE(windows.at(0)->text(), QString("Show &Terminal"));
    QVERIFY(windows.at(0)->isCheckable());
    QVERIFY(!windows.at(0)->icon().isNull());

    const QList<QAction*> help = menus.at(3)->menu()->actions();
    QCOMPARE(help.size(), 4);
    QCOMPARE(help.at(0)->objectName(), QString("actionShortcuts_"));
    QCOMPARE(help.at(1)->objectName(), QString("actionManual_"));
    QVERIFY(help.at(2)->isSeparator());
    QCOMPARE(help.at(3)->text(), QString("&About"));
    QCOMPARE(help.at(3)->statusTip(), QString("Show the application's About box"));
}

void TestMainWindowLayout::tabOrder()
{
    const QStringList order{
        "toolButtonVCmd_",  "toolButtonNCmd_",  "toolButtonACmd_",   "spinBoxACmd_",
        "toolButtonUCmd_",  "spinBoxUCmd_",     "toolButtonPCmd_",   "toolButtonLCmd_",
        "spinBoxLCmd_",     "toolButtonDCmd_",  "spinBoxDCmd_",      "tableWidgetFrame_",
        "treeWidgetFrame_", "consoleTextEdit_", "portComboBox_",     "FTDIOnlyCheckBox_",
        "rtPushButton_",    "clearPushButton_", "connectPushButton_"};
    // Walk the focus chain from the first button and note the listed widgets as they come.
    QWidget* first = window_->findChild<QWidget*>(order.first());
    QVERIFY(first);
    QStringList seen;
    QWidget* w = first;
    do {
        if (order.contains(w->objectName()) && !seen.contains(w->objectName()))
            seen << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != first);
    QCOMPARE(seen, order);
}

void TestMainWindowLayout::aboutBox()
{
    QAction* about = window_->menuBar()->actions().last()->menu()->actions().last();
    // Opened twice: each box starts from the untouched form text.
    for (int round = 0; round < 2; ++round) {
        QString title;
        QString html;
        QString plain;
        bool iconShown = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            auto* label = dialog->findChild<QLabel*>("label_");
            QVERIFY(label);
            html = label->text();
            QTextDocument doc;
            doc.setHtml(html);
            plain = doc.toPlainText();
            auto* icon = dialog->findChild<QLabel*>("icon_");
            iconShown = icon && !icon->pixmap().isNull();
            auto* ok = dialog->findChild<QPushButton*>("okPushButton_");
            QVERIFY(ok);
            QCOMPARE(ok->text(), QString("Ok"));
            ok->click();
        });
        about->trigger(); // modal: returns once "Ok" has closed the box
        QCOMPARE(title, QString("About"));
        QVERIFY(iconShown);
        QVERIFY2(plain.contains("Tovrik 0.41"), qPrintable(plain));
        QVERIFY2(plain.contains("Linux Version 0.41"), qPrintable(plain));
        QVERIFY(plain.contains("WARRANTY"));
        QVERIFY(!html.contains("VVV"));
        QVERIFY(!html.contains("PPP"));
        QVERIFY(html.contains("vertical-align:super"));
    }
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainWindowLayout::picturesAreEmbedded()
{
    for (const char* name : {"logo", "console", "usb", "search", "text", "ram"}) {
        const QImage image(QStringLiteral(":/images/images/%1.png").arg(QLatin1String(name)));
        QVERIFY2(!image.isNull(), name);
        QCOMPARE(image.size(), QSize(128, 128));
        QVERIFY(image.hasAlphaChannel());
    }
    // The manual page, rendered as `man` shows it: headings, no markup left.
    const QString manual = HelpWindows::manualText();
    QVERIFY(manual.contains(QLatin1String("\nSYNOPSIS\n")));
    QVERIFY(manual.contains(QLatin1String("--export-csv")));
    QVERIFY(!manual.contains(QLatin1String(".TH ")));
}

QTEST_MAIN(TestMainWindowLayout)
#include "tst_mainwindowlayout.moc"
