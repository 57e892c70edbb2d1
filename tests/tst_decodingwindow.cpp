#include "framelogmodel.h"
#include "mainwindow.h"
#include "mkhelper.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <QJSEngine>
#include <QScrollArea>

#include <memory>

#include <sys/stat.h>

namespace {

const char kVdaScript[] = R"(
var Version = { cmd: "V", Major: "u8", Minor: "u8", Errors: "u8[5]" };
var Debug = { cmd: "D", Status: "u8[2]", Nick: "s16", Roll: "s16" };
var Label = { cmd: "A", Index: "u8", Text: "s8[16]" };
({ Version: "struct", Debug: "struct", Label: "struct" })
)";

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray frame(char cmd, int address, const QByteArray& payload)
{
    QByteArray out;
    MkHelper::encodeFrame(cmd, address, payload, out);
    return out;
}

} // namespace

// The main window's side of decoding: the script found and reported at start-up, the filter
// boxes it yields, and the tree shown for a selected row of the frame log.
class tst_DecodingWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void filterBoxes_data();
    void filterBoxes();
    void startupMessages_data();
    void startupMessages();
    void perUserScriptIsFound();
    void workingDirectoryComesFirst();
    void runawayScriptIsStopped();
    void refusedScriptFiles_data();
    void refusedScriptFiles();
    void manyDefinitionsDoNotWidenTheWindow();
    void decodingTree_data();
    void decodingTree();
    void otherSelectionsKeepTheTree();

private:
    MainWindow* makeWindow();
    QStringList consoleLines() const;
    QList<QCheckBox*> shownBoxes() const;
    QStringList treeTexts() const;
    void receive(const QByteArray& bytes);

    std::unique_ptr<QTemporaryDir> workDir_;
    std::unique_ptr<MainWindow> window_;
    QString userScript_;
};

void tst_DecodingWindow::initTestCase()
{
    // Never against the user's own settings and data.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME") ||
        qEnvironmentVariableIsEmpty("XDG_DATA_HOME"))
        QSKIP("needs the private settings and data locations that ctest sets");
    userScript_ = QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath("Tovrik/Tovrik/mk.js");
}

void tst_DecodingWindow::init()
{
    workDir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(workDir_->isValid());
    QVERIFY(QDir::setCurrent(workDir_->path()));
    QFile::remove(userScript_);
    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    settings.clear();
}

void tst_DecodingWindow::cleanup()
{
    window_.reset();
    QFile::remove(userScript_);
    QDir::setCurrent(QDir::tempPath());
    workDir_.reset();
}

MainWindow* tst_DecodingWindow::makeWindow()
{
    window_ = std::make_unique<MainWindow>();
    return window_.get();
}

QStringList tst_DecodingWindow::consoleLines() const
{
    auto* console = window_->findChild<QPlainTextEdit*>(QStringLiteral("consoleTextEdit_"));
    return console ? console->toPlainText().split(QLatin1Char('\n')) : QStringList();
}

QList<QCheckBox*> tst_DecodingWindow::shownBoxes() const
{
    QList<QCheckBox*> boxes;
    // The boxes stand in a wrapping area at the front of the "Filters" row.
    auto* area = window_->findChild<QScrollArea*>(QStringLiteral("filterArea_"));
    QLayout* layout = area && area->widget() ? area->widget()->layout() : nullptr;
    if (!layout)
        return boxes;
    for (int i = 0; i < layout->count(); ++i) {
        if (auto* box = qobject_cast<QCheckBox*>(layout->itemAt(i)->widget()))
            boxes << box;
    }
    return boxes;
}

// The tree as "frame", then its children, then the children of "data", each indented by level.
QStringList tst_DecodingWindow::treeTexts() const
{
    QStringList texts;
    auto* tree = window_->findChild<QTreeWidget*>(QStringLiteral("treeWidgetFrame_"));
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int level) {
        texts << QString(level * 2, QLatin1Char(' ')) + item->text(0);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), level + 1);
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        walk(tree->topLevelItem(i), 0);
    return texts;
}

void tst_DecodingWindow::receive(const QByteArray& bytes)
{
    emit window_->serialLink()->framesReceived(QList<LinkFrame>{{bytes, LinkFrame::nowUs()}});
}

void tst_DecodingWindow::filterBoxes_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QVariant>("storedFilter");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("checked");

    QTest::newRow("definition order, default filter")
        << QByteArray(kVdaScript) << QVariant() << "VDA"
        << "yyy";
    QTest::newRow("stored filter checks its letters")
        << QByteArray(kVdaScript) << QVariant("D") << "VDA"
        << "nyn";
    QTest::newRow("filter is case-sensitive") << QByteArray(kVdaScript) << QVariant("vda") << "VDA"
                                              << "nnn";
    QTest::newRow("a box per definition, repeated letters too")
        << QByteArray("var A = {cmd: 'k'}; var B = {cmd: 'k', x: 'u8'}; ({A: 'struct', B: "
                      "'struct'})")
        << QVariant() << "kk"
        << "yy";
    QTest::newRow("no box for a name without a definition")
        << QByteArray("var A = {cmd: 'A'}; var N = {x: 'u8'}; ({A: 'struct', N: 'struct', "
                      "Gone: 'struct'})")
        << QVariant() << "A"
        << "y";
    QTest::newRow("no file, no boxes") << QByteArray() << QVariant() << ""
                                       << "";
    QFile shipped(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QTest::newRow("shipped script covers the default filter")
        << shipped.readAll() << QVariant() << "VNPLAUDkQSFOHC"
        << "yyyyyyyynnnnnn";
}

void tst_DecodingWindow::filterBoxes()
{
    QFETCH(QByteArray, script);
    QFETCH(QVariant, storedFilter);
    QFETCH(QString, letters);
    QFETCH(QString, checked);

    if (!script.isNull())
        QVERIFY(writeFile(QStringLiteral("mk.js"), script));
    if (storedFilter.isValid())
        QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
            .setValue(QStringLiteral("cmdFilter"), storedFilter);
    makeWindow();

    QString shownLetters;
    QString shownChecked;
    for (QCheckBox* box : shownBoxes()) {
        shownLetters += box->text();
        shownChecked += box->isChecked() ? QLatin1Char('y') : QLatin1Char('n');
    }
    QCOMPARE(shownLetters, letters);
    QCOMPARE(shownChecked, checked);
    // The boxes stand ahead of the layout's spacer.
    auto* layout = window_->findChild<QHBoxLayout*>(QStringLiteral("horizontalLayout_2"));
    QVERIFY(layout);
    QVERIFY(layout->itemAt(layout->count() - 1)->spacerItem());
}

void tst_DecodingWindow::startupMessages_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("missing file") << QByteArray()
                                  << QStringList{"Error: file 'mk.js' not found",
                                                 "Tovrik initialized"};
    QTest::newRow("good script") << QByteArray(kVdaScript)
                                 << QStringList{"Parsing script file 'mk.js'",
                                                "Tovrik initialized"};
    QTest::newRow("script that throws")
        << QByteArray("var a = 1;\nthrow new Error('no <b>bold</b> here');")
        << QStringList{"Parsing script file 'mk.js'", "Script errorno <b>bold</b> here",
                       "Tovrik initialized"};
    QTest::newRow("syntax error") << QByteArray("var = ;")
                                  << QStringList{"Parsing script file 'mk.js'",
                                                 "Script errorExpected token `identifier'",
                                                 "Tovrik initialized"};
    QTest::newRow("thrown string reported by its text")
        << QByteArray("throw 'no index';")
        << QStringList{"Parsing script file 'mk.js'", "Script errorno index", "Tovrik initialized"};
    QTest::newRow("thrown number reported by its text")
        << QByteArray("throw 42;")
        << QStringList{"Parsing script file 'mk.js'", "Script error42", "Tovrik initialized"};
    QTest::newRow("text ends at a NUL byte")
        << QByteArray("var A = {cmd: 'A'}; ({A: 'struct'})\0throw 1;", 43)
        << QStringList{"Parsing script file 'mk.js'", "Tovrik initialized"};
}

void tst_DecodingWindow::startupMessages()
{
    QFETCH(QByteArray, script);
    QFETCH(QStringList, lines);

    if (!script.isNull())
        QVERIFY(writeFile(QStringLiteral("mk.js"), script));
    makeWindow();
    const QStringList shown = consoleLines();
    // The expected lines appear in this order; other lines may stand between them.
    qsizetype from = 0;
    for (const QString& line : lines) {
        const qsizetype at = shown.indexOf(line, from);
        QVERIFY2(at >= 0, qPrintable(line + QStringLiteral(" missing from:\n") + shown.join('\n')));
        from = at + 1;
    }
    // The file that runs is named with its full path and size, also in the working directory.
    const QStringList using_ = shown.filter(QStringLiteral("Using script file"));
    if (script.isNull()) {
        QVERIFY(using_.isEmpty());
    } else {
        QCOMPARE(using_, QStringList{QStringLiteral("Using script file '%1' (%2 bytes)")
                                         .arg(QDir::current().absoluteFilePath("mk.js"))
                                         .arg(script.size())});
    }
}

void tst_DecodingWindow::perUserScriptIsFound()
{
    QVERIFY(writeFile(userScript_, kVdaScript));
    makeWindow();
    const QStringList shown = consoleLines();
    QVERIFY2(shown.contains(QStringLiteral("Using script file '%1' (%2 bytes)")
                                .arg(userScript_)
                                .arg(qstrlen(kVdaScript))),
             qPrintable(shown.join('\n')));
    QVERIFY(!shown.contains(QStringLiteral("Error: file 'mk.js' not found")));
    QCOMPARE(shownBoxes().size(), 3);
}

void tst_DecodingWindow::workingDirectoryComesFirst()
{
    QVERIFY(writeFile(userScript_, kVdaScript));
    QVERIFY(writeFile(QStringLiteral("mk.js"), "var K = {cmd: 'k'}; ({K: 'struct'})"));
    makeWindow();
    QCOMPARE(shownBoxes().size(), 1);
    QCOMPARE(shownBoxes().constFirst()->text(), QStringLiteral("k"));
    QCOMPARE(consoleLines().filter(QStringLiteral("Using script file")).size(), 1);
    QVERIFY(consoleLines()
                .filter(QStringLiteral("Using script file"))
                .constFirst()
                .contains(QDir::current().absoluteFilePath("mk.js")));
}

void tst_DecodingWindow::runawayScriptIsStopped()
{
    QVERIFY(writeFile(QStringLiteral("mk.js"), "var V = {cmd: 'V'};\nwhile (true) {}\n"));
    makeWindow();
    const QStringList shown = consoleLines();
    const qsizetype stopped = shown.indexOf(
        QStringLiteral("Script error: stopped after running for 5 seconds without finishing"));
    QVERIFY2(stopped >= 0, qPrintable(shown.join('\n')));
    QVERIFY(shown.indexOf(QStringLiteral("Tovrik initialized"), stopped) > stopped);
    QVERIFY(shownBoxes().isEmpty());
    // The runaway script's engine is gone; the window holds a fresh one.
    const QList<QJSEngine*> engines = window_->findChildren<QJSEngine*>();
    QCOMPARE(engines.size(), 1);
    QVERIFY(!engines.constFirst()->globalObject().hasProperty(QStringLiteral("V")));
}

void tst_DecodingWindow::refusedScriptFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error"); // %1: the path

    // Every kind of refused file is in the loader's suite; here the window's two messages.
    QTest::newRow("FIFO") << "fifo"
                          << "Error: '%1' is not a regular file; no definitions loaded";
    QTest::newRow("over 8 MiB") << "large"
                                << "Error: '%1' is larger than 8 MiB; no definitions loaded";
}

void tst_DecodingWindow::refusedScriptFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, error);
    // A good script further down the lookup is not used instead of the refused one.
    QVERIFY(writeFile(userScript_, kVdaScript));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo("mk.js", 0600), 0);
    else {
        QFile big(QStringLiteral("mk.js"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(8 * 1024 * 1024 + 1));
    }
    makeWindow(); // must not block nor read without end
    const QStringList shown = consoleLines();
    const qsizetype at = shown.indexOf(error.arg(QDir::current().absoluteFilePath("mk.js")));
    QVERIFY2(at >= 0, qPrintable(shown.join('\n')));
    QVERIFY(shown.indexOf(QStringLiteral("Tovrik initialized"), at) > at);
    QVERIFY(shownBoxes().isEmpty());
}

void tst_DecodingWindow::manyDefinitionsDoNotWidenTheWindow()
{
    QByteArray script = "var index = {};\n";
    for (int i = 0; i < 1000; ++i)
        script += "var D" + QByteArray::number(i) + " = {cmd: 'D', a: 'u8'}; index.D" +
                  QByteArray::number(i) + " = 'struct';\n";
    script += "index\n";
    QVERIFY(writeFile(QStringLiteral("mk.js"), script));
    MainWindow* window = makeWindow();
    QCOMPARE(shownBoxes().size(), 1000);
    QVERIFY2(window->minimumSizeHint().width() < 510,
             qPrintable(QString::number(window->minimumSizeHint().width())));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->size(), QSize(510, 680));
    // The rows wrap inside the window's width and scroll past a few rows, so the frame log
    // keeps its room.
    auto* area = window_->findChild<QScrollArea*>(QStringLiteral("filterArea_"));
    QVERIFY(area->height() < 100);
    QVERIFY(area->mapTo(window, QPoint(area->width(), 0)).x() <= window->width());
    QVERIFY(shownBoxes().last()->y() > shownBoxes().first()->y());
    for (QCheckBox* box : shownBoxes())
        QVERIFY(box->x() + box->width() <= area->viewport()->width());
    QVERIFY(window->findChild<QWidget*>(QStringLiteral("tableWidgetFrame_"))->height() > 100);
}

void tst_DecodingWindow::decodingTree_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QStringList>("tree");

    QTest::newRow("version from Navi Ctrl")
        << frame('V', 2, QByteArray::fromHex("005b0100000000"))
        << QStringList{"frame",        "  cmd: V",      "  address: Navi Ctrl",       "  data",
                       "    Major: 0", "    Minor: 91", "    Errors: 01 00 00 00 00 "};
    QTest::newRow("debug data, signed values")
        << frame('D', 1, QByteArray::fromHex("0000ffff0100"))
        << QStringList{"frame",      "  cmd: D",           "  address: Flight Ctrl",
                       "  data",     "    Status: 00 00 ", "    Nick: -1",
                       "    Roll: 1"};
    QTest::newRow("label text from an unknown address")
        << frame('A', 9, QByteArray("\x09Voltage [0.1V]  ", 17))
        << QStringList{"frame",  "  cmd: A",     "  address: Unknown",
                       "  data", "    Index: 9", "    Text: Voltage [0.1V]  "};
    QTest::newRow("letter without definition has empty data")
        << frame('k', 3, QByteArray::fromHex("0102"))
        << QStringList{"frame", "  cmd: k", "  address: MK3MAG", "  data"};
}

void tst_DecodingWindow::decodingTree()
{
    QFETCH(QByteArray, frame);
    QFETCH(QStringList, tree);

    QVERIFY(writeFile(QStringLiteral("mk.js"), kVdaScript));
    makeWindow();
    receive(frame);
    auto* table = window_->findChild<QTableView*>(QStringLiteral("tableWidgetFrame_"));
    window_->frameLogModel()->announcePending();
    QCOMPARE(table->model()->rowCount(), 1);
    table->selectRow(0);
    QCOMPARE(treeTexts(), tree);

    auto* treeWidget = window_->findChild<QTreeWidget*>(QStringLiteral("treeWidgetFrame_"));
    QTreeWidgetItem* top = treeWidget->topLevelItem(0);
    QVERIFY(top->isExpanded());
    QVERIFY(top->child(2)->isExpanded());
}

void tst_DecodingWindow::otherSelectionsKeepTheTree()
{
    QVERIFY(writeFile(QStringLiteral("mk.js"), kVdaScript));
    makeWindow();
    receive(frame('V', 1, QByteArray::fromHex("0001020304050607080900")));
    receive(frame('D', 1, QByteArray::fromHex("00000500")));
    auto* table = window_->findChild<QTableView*>(QStringLiteral("tableWidgetFrame_"));
    window_->frameLogModel()->announcePending();
    QCOMPARE(table->model()->rowCount(), 2);

    table->selectRow(1);
    const QStringList second = treeTexts();
    QVERIFY(second.contains(QStringLiteral("    Nick: 5")));
    table->selectRow(0);
    const QStringList first = treeTexts();
    QVERIFY(first.contains(QStringLiteral("    Minor: 1")));

    // Two rows, then none: the tree still shows the first row.
    table->selectionModel()->select(table->model()->index(1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(table->selectionModel()->selectedRows().size(), 2);
    QCOMPARE(treeTexts(), first);
    table->clearSelection();
    QCOMPARE(treeTexts(), first);
}

QTEST_MAIN(tst_DecodingWindow)
#include "tst_decodingwindow.moc"
