#include "scriptloader.h"
#include "scriptwatchdog.h"

#include <QBuffer>
#include <QDir>
#include <QJSEngine>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace std::chrono_literals;

namespace {

// What the program does at start-up with a script text, without the window: evaluate, walk
// the index, read each named definition from the global object.
struct Loaded
{
    ScriptLoader::Evaluation evaluation;
    QStringList names;
    QList<FrameModel> models;
};

Loaded load(QJSEngine& engine, const QString& text)
{
    Loaded loaded;
    loaded.evaluation = ScriptLoader::evaluate(engine, text, QStringLiteral("mk.js"));
    loaded.names = ScriptLoader::indexNames(loaded.evaluation.value);
    for (const QString& name : loaded.names) {
        FrameModel model;
        if (ScriptLoader::definition(engine.globalObject(), name, model))
            loaded.models << model;
    }
    return loaded;
}

} // namespace

class tst_ScriptLoader : public QObject
{
    Q_OBJECT

private slots:
    void evaluation_data();
    void evaluation();
    void definition_data();
    void definition();
    void definitionExtras_data();
    void definitionExtras();
    void scriptText_data();
    void scriptText();
    void candidatePaths();
    void runawayScriptIsStopped_data();
    void runawayScriptIsStopped();
    void loadUnderLimits_data();
    void loadUnderLimits();
};

void tst_ScriptLoader::evaluation_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("threw");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("index as completion value")
        << "var A = {cmd: 'A'}; var B = {cmd: 'B'}; ({B: 'struct', A: 'struct'})" << false
        << QString() << QStringList{"B", "A"};
    QTest::newRow("declarations only have no index")
        << "var A = {cmd: 'A'}; var index = {A: 'struct'};" << false << QString() << QStringList{};
    QTest::newRow("function declaration has no index")
        << "var A = {cmd: 'A'}; function index() { return {A: 'struct'}; }" << false << QString()
        << QStringList{};
    // A declaration leaves the completion value of the statements before it in place.
    QTest::newRow("declaration after the index keeps it")
        << "var A = {cmd: 'A'}; ({A: 'struct'}); var x = 1;" << false << QString()
        << QStringList{"A"};
    QTest::newRow("thrown Error") << "var A = {cmd: 'A'}; throw new Error('boom');" << true
                                  << "boom" << QStringList{};
    QTest::newRow("thrown number counts too") << "throw 42;" << true << "42" << QStringList{};
    QTest::newRow("thrown string is its own message")
        << "throw 'no index';" << true << "no index" << QStringList{};
    QTest::newRow("thrown object without a message")
        << "throw {toString: function() { return 'odd'; }};" << true << "odd" << QStringList{};
    QTest::newRow("thrown object with a message")
        << "throw {message: 'plain'};" << true << "plain" << QStringList{};
    QTest::newRow("failing statement")
        << "null.x;" << true << "Cannot read property 'x' of null" << QStringList{};
    QTest::newRow("thrown index is still walked") << "var A = {cmd: 'A'}; throw {A: 'struct'};"
                                                  << true << "[object Object]" << QStringList{"A"};
    QTest::newRow("struct test is exact and case-sensitive")
        << "({a: 'Struct', b: 'struct ', c: 'STRUCT', d: 'struct', e: 'structs'})" << false
        << QString() << QStringList{"d"};
    QTest::newRow("values converting to struct count")
        << "({a: {toString: function() { return 'struct'; }}, b: ['struct'], c: 7})" << false
        << QString() << QStringList{"a", "b"};
    QTest::newRow("string completion value names nothing")
        << "'struct'" << false << QString() << QStringList{};
    QTest::newRow("empty script") << "" << false << QString() << QStringList{};
}

void tst_ScriptLoader::evaluation()
{
    QFETCH(QString, script);
    QFETCH(bool, threw);
    QFETCH(QString, message);
    QFETCH(QStringList, names);

    QJSEngine engine;
    const Loaded loaded = load(engine, script);
    QCOMPARE(loaded.evaluation.threw, threw);
    QCOMPARE(loaded.evaluation.message, message);
    QCOMPARE(loaded.names, names);
}

void tst_ScriptLoader::definition_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("cmd");
    QTest::addColumn<QStringList>("fieldNames");
    QTest::addColumn<QStringList>("fieldTypes");

    QTest::newRow("fields in property order")
        << "var V = {cmd: 'V', Major: 'u8', Minor: 'u8', Errors: 'u8[5]'};"
        << "V" << true << int('V') << QStringList{"Major", "Minor", "Errors"}
        << QStringList{"u8", "u8", "u8[5]"};
    QTest::newRow("cmd anywhere among the fields")
        << "var D = {a: 's16', cmd: 'D', b: 'u16'};"
        << "D" << true << int('D') << QStringList{"a", "b"} << QStringList{"s16", "u16"};
    QTest::newRow("first character of a longer cmd")
        << "var D = {cmd: 'Debug'};"
        << "D" << true << int('D') << QStringList{} << QStringList{};
    QTest::newRow("empty cmd is letter 0")
        << "var E = {cmd: '', a: 'u8'};"
        << "E" << true << 0 << QStringList{"a"} << QStringList{"u8"};
    QTest::newRow("low 8 bits of the cmd code unit")
        << "var L = {cmd: '\\u0141'};"
        << "L" << true << 0x41 << QStringList{} << QStringList{};
    QTest::newRow("non-string cmd converts")
        << "var N = {cmd: 65};"
        << "N" << true << int('6') << QStringList{} << QStringList{};
    QTest::newRow("non-string types convert")
        << "var T = {cmd: 'T', a: 8, b: null};"
        << "T" << true << int('T') << QStringList{"a", "b"} << QStringList{"8", "null"};
    QTest::newRow("Cmd is a field, not the letter")
        << "var C = {Cmd: 'C', a: 'u8'};"
        << "C" << false << 0 << QStringList{} << QStringList{};
    QTest::newRow("without cmd adds no record")
        << "var F = {a: 'u8'};"
        << "F" << false << 0 << QStringList{} << QStringList{};
    QTest::newRow("name of nothing adds no record")
        << "var F = {cmd: 'F'};"
        << "G" << false << 0 << QStringList{} << QStringList{};
    QTest::newRow("name of a string adds no record")
        << "var S = 'cmd';"
        << "S" << false << 0 << QStringList{} << QStringList{};
    QTest::newRow("let is not a global property")
        << "let V = {cmd: 'V'};"
        << "V" << false << 0 << QStringList{} << QStringList{};
    QTest::newRow("a revision with a type string is a field")
        << "var N = {cmd: 'N', revision: 'u8'};"
        << "N" << true << int('N') << QStringList{"revision"} << QStringList{"u8"};
    QTest::newRow("object field gives its type")
        << "var Q = {cmd: 'Q', revision: 95, revisionAt: 1, a: {type: 'u8', min: 1}, b: 's8[3]'};"
        << "Q" << true << int('Q') << QStringList{"a", "b"} << QStringList{"u8", "s8[3]"};
    QTest::newRow("inherited cmd is not own")
        << "var P = Object.create({cmd: 'P'}); P.a = 'u8';"
        << "P" << false << 0 << QStringList{} << QStringList{};
}

void tst_ScriptLoader::definitionExtras_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("revision");
    QTest::addColumn<bool>("hasRange");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QStringList>("bits");

    QTest::newRow("range and bit names") << "{type: 'u8', min: 1, max: 6, bits: ['up', 7, 'left']}"
                                         << 95 << true << 1 << 6 << QStringList{"up", "", "left"};
    QTest::newRow("range needs both ends")
        << "{type: 'u8', min: 1}" << 95 << false << 0 << 0 << QStringList{};
    QTest::newRow("range upside down is none")
        << "{type: 'u8', min: 9, max: 3}" << 95 << false << 0 << 0 << QStringList{};
    QTest::newRow("bits that are no list")
        << "{type: 'u8', bits: 'abc'}" << 95 << false << 0 << 0 << QStringList{};
}

void tst_ScriptLoader::definitionExtras()
{
    QFETCH(QString, field);
    QFETCH(int, revision);
    QFETCH(bool, hasRange);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QStringList, bits);

    QJSEngine engine;
    const QString script = QStringLiteral("var Q = {cmd: 'Q', revision: %1, revisionAt: 1, a: %2};")
                               .arg(revision)
                               .arg(field);
    QVERIFY(!ScriptLoader::evaluate(engine, script, QStringLiteral("mk.js")).threw);
    FrameModel model;
    QVERIFY(ScriptLoader::definition(engine.globalObject(), QStringLiteral("Q"), model));
    QCOMPARE(model.revision, revision);
    QCOMPARE(model.revisionAt, 1);
    QCOMPARE(model.fieldExtras.size(), 1);
    const FieldExtra& extra = model.fieldExtras.first();
    QCOMPARE(extra.hasRange, hasRange);
    QCOMPARE(int(extra.min), min);
    QCOMPARE(int(extra.max), max);
    QCOMPARE(extra.bits, bits);
}

void tst_ScriptLoader::definition()
{
    QFETCH(QString, script);
    QFETCH(QString, name);
    QFETCH(bool, found);
    QFETCH(int, cmd);
    QFETCH(QStringList, fieldNames);
    QFETCH(QStringList, fieldTypes);

    QJSEngine engine;
    QVERIFY(!ScriptLoader::evaluate(engine, script, QStringLiteral("mk.js")).threw);
    FrameModel model;
    model.cmd = '?';
    QCOMPARE(ScriptLoader::definition(engine.globalObject(), name, model), found);
    if (!found) {
        QCOMPARE(model.cmd, '?');
        return;
    }
    QCOMPARE(quint8(model.cmd), quint8(cmd));
    QCOMPARE(model.fieldNames, fieldNames);
    QCOMPARE(model.fieldTypes, fieldTypes);
}

void tst_ScriptLoader::scriptText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << QByteArray("var a = 1;") << QString("var a = 1;");
    QTest::newRow("ends at the first NUL")
        << QByteArray("var a = 1;\0garbage\0", 19) << QString("var a = 1;");
    QTest::newRow("NUL first gives nothing") << QByteArray("\0var a;", 7) << QString();
    QTest::newRow("bytes are Latin-1")
        << QByteArray("'\xe9\xff'") << QString::fromUtf16(u"'\u00e9\u00ff'");
    QTest::newRow("UTF-8 is not decoded")
        << QByteArray("\xc3\xa9") << QString::fromUtf16(u"\u00c3\u00a9");
}

void tst_ScriptLoader::scriptText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(ScriptLoader::readScriptText(buffer), text);
}

void tst_ScriptLoader::candidatePaths()
{
    // ctest gives every test its own data home; the per-user file lies under it.
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        QSKIP("needs the private XDG_DATA_HOME that ctest sets");
    const QStringList paths = ScriptLoader::candidatePaths(QStringLiteral("mk.js"));
    const QStringList expected{
        QStringLiteral("mk.js"),
        QDir(dataHome).filePath(QStringLiteral("Tovrik/Tovrik/mk.js")),
        QDir::cleanPath(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/../share/tovrik/mk.js")),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("mk.js")),
    };
    QCOMPARE(paths, expected);
}

void tst_ScriptLoader::runawayScriptIsStopped_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("endless loop") << "var V = {cmd: 'V'}; for (;;) {}";
    QTest::newRow("endless recursion guarded by try")
        << "function f() { try { for (;;) {} } catch (e) { f(); } } f();";
    QTest::newRow("endless getter in the index") << "({get V() { for (;;) {} }})";
    QTest::newRow("endless toString of a field type")
        << "var V = {cmd: 'V', a: {toString: function() { for (;;) {} }}}; ({V: 'struct'})";
}

void tst_ScriptLoader::runawayScriptIsStopped()
{
    QFETCH(QString, script);
    QJSEngine engine;
    {
        ScriptWatchdog watchdog(&engine, 200ms);
        load(engine, script);
        QVERIFY(watchdog.fired());
    }
    // The engine runs scripts again once the watchdog is gone.
    QCOMPARE(engine.evaluate(QStringLiteral("6 * 7")).toInt(), 42);
}

void tst_ScriptLoader::loadUnderLimits_data()
{
    QTest::addColumn<QString>("kind"); // how mk.js is made: "text", "fifo", "zero", "dir", "large"
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("problem"); // %1: the absolute path
    QTest::addColumn<int>("models");

    using D = ScriptLoader::Definitions;
    const QByteArray good = "var V = {cmd: 'V', a: 'u8'}; ({V: 'struct'})";
    // Also: a quick script is left alone by both guards.
    QTest::newRow("good") << "text" << good << int(D::Loaded) << QString() << 1;
    QTest::newRow("throw after the index")
        << "text" << QByteArray("var V = {cmd: 'V'}; throw {V: 'struct', message: 'late'};")
        << int(D::Threw) << "script error in '%1': late" << 1;
    QTest::newRow("endless loop")
        << "text" << QByteArray("var V = {cmd: 'V'}; ({V: 'struct'}); for (;;) {}")
        << int(D::TimedOut)
        << "script error in '%1': stopped after running for 1 seconds without finishing" << 0;
    QTest::newRow("endless allocation")
        << "text"
        << QByteArray("var V = {cmd: 'V'}; var keep = [];"
                      "for (;;) keep.push(new Array(4096).fill(keep.length)); ({V: 'struct'})")
        << int(D::OutOfMemory)
        << "script error in '%1': stopped after growing the program by more than 32 MiB" << 0;
    QTest::newRow("FIFO") << "fifo" << QByteArray() << int(D::NotRegular)
                          << "'%1' is not a regular file; no definitions loaded" << 0;
    QTest::newRow("link to an endless device")
        << "zero" << QByteArray() << int(D::NotRegular)
        << "'%1' is not a regular file; no definitions loaded" << 0;
    QTest::newRow("directory") << "dir" << QByteArray() << int(D::NotRegular)
                               << "'%1' is not a regular file; no definitions loaded" << 0;
    QTest::newRow("over 8 MiB") << "large" << QByteArray() << int(D::TooLarge)
                                << "'%1' is larger than 8 MiB; no definitions loaded" << 0;
}

// The one loader the window and the command line use: every refused file and every stopped
// script gives its status and a message naming the file, and a stopped script's engine is
// replaced by a fresh one. The endless loop runs against a short time limit, the endless
// allocation against a small memory limit and a time limit it never reaches.
void tst_ScriptLoader::loadUnderLimits()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, script);
    QFETCH(int, status);
    QFETCH(QString, problem);
    QFETCH(int, models);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("mk.js"));
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("zero")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else if (kind == QLatin1String("dir")) {
        QVERIFY(QDir().mkdir(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(script), script.size());
        if (kind == QLatin1String("large"))
            QVERIFY(file.resize(ScriptLoader::kMaxScriptBytes + 1));
    }
    ScriptLoader::Limits limits;
    limits.time = status == ScriptLoader::Definitions::OutOfMemory ? 60s : 1s;
    limits.memoryBytes = 32 * 1024 * 1024;
    // A later candidate is not tried when the first one is in the way.
    const QString fallback = dir.filePath(QStringLiteral("other.js"));
    QFile other(fallback);
    QVERIFY(other.open(QIODevice::WriteOnly) && other.write("var W = {cmd: 'W'}; ({W: 'struct'})"));
    other.close();

    const ScriptLoader::Definitions loaded = ScriptLoader::load({path, fallback}, limits);
    QCOMPARE(int(loaded.status), status);
    QCOMPARE(loaded.path, path);
    QCOMPARE(ScriptLoader::problemText(loaded, limits),
             problem.isEmpty() ? QString() : problem.arg(path));
    QCOMPARE(loaded.models.size(), models);
    if (kind != QLatin1String("text")) {
        QVERIFY(!loaded.engine);
        return;
    }
    QCOMPARE(loaded.size, qint64(script.size()));
    QVERIFY(loaded.engine);
    // A runaway's engine is replaced: nothing the script made is left, and the new one runs.
    QCOMPARE(loaded.engine->globalObject().hasProperty(QStringLiteral("V")),
             status == ScriptLoader::Definitions::Loaded);
    QCOMPARE(loaded.engine->evaluate(QStringLiteral("6 * 7")).toInt(), 42);
}

QTEST_GUILESS_MAIN(tst_ScriptLoader)
#include "tst_scriptloader.moc"
