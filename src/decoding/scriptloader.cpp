#include "scriptloader.h"
#include "scriptwatchdog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QJSEngine>
#include <QJSValueIterator>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QStringList ScriptLoader::candidatePaths(const QString& fileName)
{
    QStringList paths{fileName};
    // The location that QStandardPaths::AppDataLocation names for organisation and application
    // "Tovrik", built by hand so that it does not depend on the names set on the application.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty())
        paths << QDir(dataHome).filePath(QStringLiteral("Tovrik/Tovrik/") + fileName);
    if (QCoreApplication::instance()) {
        const QString programDir = QCoreApplication::applicationDirPath();
        const QDir shared(programDir + QStringLiteral("/../share/tovrik"));
        paths << QDir::cleanPath(shared.filePath(fileName));
        // Next to the program, and the source tree's copy for a program run from its build
        // folder.
        paths << QDir(programDir).filePath(fileName);
        if (QDir(programDir) == QDir(QStringLiteral(TOVRIK_PROGRAM_BUILD_DIR)))
            paths << QDir(QStringLiteral(TOVRIK_SOURCE_TREE)).filePath(fileName);
    }
    return paths;
}

ScriptLoader::ScriptFile ScriptLoader::readScriptFile(const QStringList& paths)
{
    ScriptFile result;
    for (const QString& path : paths) {
        // Opened without blocking, so that a FIFO with no writer cannot hold start-up; the
        // type and size are then checked on the open descriptor, not on the name.
        const int fd =
            ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        result.path = path;
        struct stat info;
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd);
            result.status = ScriptFile::NotRegular;
            return result;
        }
        if (info.st_size > kMaxScriptBytes) {
            ::close(fd);
            result.status = ScriptFile::TooLarge;
            return result;
        }
        QFile file;
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            continue;
        }
        // A file that grows while it is read is cut off at the bound plus one byte.
        result.bytes = file.read(kMaxScriptBytes + 1);
        result.status =
            result.bytes.size() > kMaxScriptBytes ? ScriptFile::TooLarge : ScriptFile::Read;
        if (result.status == ScriptFile::TooLarge)
            result.bytes.clear();
        return result;
    }
    result.path.clear();
    return result;
}

QString ScriptLoader::scriptText(QByteArray bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromLatin1(bytes);
}

QString ScriptLoader::readScriptText(QIODevice& device)
{
    return scriptText(device.readAll());
}

ScriptLoader::Evaluation ScriptLoader::evaluate(QJSEngine& engine, const QString& text,
                                                const QString& fileName)
{
    Evaluation result;
    // The stack trace is filled for every uncaught exception, whatever was thrown; an
    // interrupted evaluation leaves it empty but returns an Error object.
    QStringList trace;
    result.value = engine.evaluate(text, fileName, 1, &trace);
    result.threw = !trace.isEmpty() || result.value.isError();
    if (result.threw) {
        const QString message = QStringLiteral("message");
        result.message = result.value.isObject() && result.value.hasProperty(message)
                             ? result.value.property(message).toString()
                             : result.value.toString();
    }
    return result;
}

FieldExtra ScriptLoader::fieldExtra(const QJSValue& field)
{
    FieldExtra extra;
    const QJSValue min = field.property(QStringLiteral("min"));
    const QJSValue max = field.property(QStringLiteral("max"));
    if (min.isNumber() && max.isNumber() && min.toNumber() <= max.toNumber()) {
        extra.hasRange = true;
        extra.min = qint64(min.toNumber());
        extra.max = qint64(max.toNumber());
    }
    const auto texts = [](const QJSValue& list) {
        QStringList out;
        const int length = list.isArray() ? list.property(QStringLiteral("length")).toInt() : 0;
        // A bit or value list longer than a 16-bit field can use is cut there.
        for (int k = 0; k < qMin(length, 65536); ++k) {
            const QJSValue item = list.property(quint32(k));
            out << (item.isString() ? item.toString() : QString());
        }
        return out;
    };
    extra.bits = texts(field.property(QStringLiteral("bits")));
    extra.choices = texts(field.property(QStringLiteral("choices")));
    extra.items = texts(field.property(QStringLiteral("items")));
    const QJSValue unit = field.property(QStringLiteral("unit"));
    if (unit.isString())
        extra.unit = unit.toString();
    return extra;
}

QStringList ScriptLoader::indexNames(const QJSValue& index)
{
    QStringList names;
    if (!index.isObject())
        return names;
    QJSValueIterator it(index);
    while (it.hasNext()) {
        it.next();
        if (it.value().toString() == QLatin1String("struct"))
            names << it.name();
    }
    return names;
}

bool ScriptLoader::definition(const QJSValue& object, const QString& name, FrameModel& model)
{
    const QJSValue value = object.property(name);
    if (!value.isObject())
        return false;

    FrameModel found;
    bool hasCmd = false;
    QJSValueIterator it(value);
    while (it.hasNext()) {
        it.next();
        const QJSValue field = it.value();
        if (it.name() == QLatin1String("cmd")) {
            const QString letter = field.toString();
            found.cmd = letter.isEmpty() ? char(0) : char(letter.at(0).unicode() & 0xFF);
            hasCmd = true;
        } else if (field.isNumber() && it.name() == QLatin1String("revision")) {
            // Numbers only: a field that older scripts call "revision" has a type string.
            found.revision = qBound(0, field.toInt(), 255);
        } else if (field.isNumber() && it.name() == QLatin1String("revisionAt")) {
            found.revisionAt = qMax(0, field.toInt());
        } else if (field.isObject() && field.hasProperty(QStringLiteral("type"))) {
            found.fieldNames << it.name();
            found.fieldTypes << field.property(QStringLiteral("type")).toString();
            found.fieldExtras.resize(found.fieldNames.size());
            found.fieldExtras.last() = fieldExtra(field);
        } else {
            found.fieldNames << it.name();
            found.fieldTypes << field.toString();
        }
    }
    if (!hasCmd)
        return false;
    model = found;
    return true;
}

ScriptLoader::Definitions ScriptLoader::load(const QStringList& paths, const Limits& limits)
{
    Definitions result;
    ScriptFile file = readScriptFile(paths);
    if (!file.path.isEmpty())
        result.path = QFileInfo(file.path).absoluteFilePath();
    result.size = file.bytes.size();
    switch (file.status) {
    case ScriptFile::Missing:
        result.status = Definitions::Missing;
        return result;
    case ScriptFile::NotRegular:
        result.status = Definitions::NotRegular;
        return result;
    case ScriptFile::TooLarge:
        result.status = Definitions::TooLarge;
        return result;
    case ScriptFile::Read:
        break;
    }

    result.status = Definitions::Loaded;
    result.engine = std::make_unique<QJSEngine>();
    const QString text = scriptText(std::move(file.bytes));
    ScriptWatchdog::Reason stopped = ScriptWatchdog::Reason::None;
    {
        // Also guards the walk below: reading the script's objects can run its getters.
        ScriptWatchdog watchdog(result.engine.get(), limits.time, limits.memoryBytes);
        const Evaluation evaluation = evaluate(*result.engine, text, QStringLiteral("mk.js"));
        if (evaluation.threw) {
            result.status = Definitions::Threw;
            result.message = evaluation.message;
        }
        const QJSValue global = result.engine->globalObject();
        for (const QString& name : indexNames(evaluation.value)) {
            FrameModel model;
            if (definition(global, name, model))
                result.models.append(model);
        }
        stopped = watchdog.reason();
    }
    if (stopped != ScriptWatchdog::Reason::None) {
        result.status = stopped == ScriptWatchdog::Reason::Time ? Definitions::TimedOut
                                                                : Definitions::OutOfMemory;
        result.message.clear();
        result.models.clear();
    }
    // The definitions are copied out; a failed or runaway script's engine (it may hold all it
    // allocated) is dropped now rather than kept for the program's lifetime.
    if (result.status != Definitions::Loaded)
        result.engine = std::make_unique<QJSEngine>();
    return result;
}

bool ScriptLoader::loadDefinitions(QList<FrameModel>& models, QString& error)
{
    const Definitions loaded = load();
    const bool usable = loaded.status == Definitions::Loaded ||
                        (loaded.status == Definitions::Threw && !loaded.models.isEmpty());
    if (!usable) {
        error = problemText(loaded);
        return false;
    }
    models.append(loaded.models);
    return true;
}

QString ScriptLoader::problemText(const Definitions& definitions, const Limits& limits)
{
    switch (definitions.status) {
    case Definitions::Loaded:
        break;
    case Definitions::Missing:
        return QCoreApplication::translate("ScriptLoader", "file 'mk.js' not found");
    case Definitions::NotRegular:
        return QCoreApplication::translate("ScriptLoader",
                                           "'%1' is not a regular file; no definitions loaded")
            .arg(definitions.path);
    case Definitions::TooLarge:
        return QCoreApplication::translate("ScriptLoader",
                                           "'%1' is larger than %2 MiB; no definitions loaded")
            .arg(definitions.path)
            .arg(kMaxScriptBytes / (1024 * 1024));
    case Definitions::Threw:
        return QCoreApplication::translate("ScriptLoader", "script error in '%1': %2")
            .arg(definitions.path, definitions.message);
    case Definitions::TimedOut:
        return QCoreApplication::translate(
                   "ScriptLoader",
                   "script error in '%1': stopped after running for %2 seconds without finishing")
            .arg(definitions.path)
            .arg(std::chrono::duration_cast<std::chrono::seconds>(limits.time).count());
    case Definitions::OutOfMemory:
        return QCoreApplication::translate(
                   "ScriptLoader",
                   "script error in '%1': stopped after growing the program by more than %2 MiB")
            .arg(definitions.path)
            .arg(limits.memoryBytes / (1024 * 1024));
    }
    return QString();
}
