#include "scriptloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QIODevice>
#include <QJSEngine>
#include <QJSValueIterator>
#include <QStandardPaths>

QStringList ScriptLoader::candidatePaths(const QString& fileName)
{
    QStringList paths{fileName};
    // The location that QStandardPaths::AppDataLocation names for organisation and application
    // "Tovrik", built by hand so that it does not depend on the names set on the application.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty())
        paths << QDir(dataHome).filePath(QStringLiteral("Tovrik/Tovrik/") + fileName);
    if (QCoreApplication::instance()) {
        const QDir shared(QCoreApplication::applicationDirPath() +
                          QStringLiteral("/../share/tovrik"));
        paths << QDir::cleanPath(shared.filePath(fileName));
    }
    return paths;
}

QString ScriptLoader::readScriptText(QIODevice& device)
{
    QByteArray bytes = device.readAll();
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromLatin1(bytes);
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
    if (result.threw)
        result.message = result.value.property(QStringLiteral("message")).toString();
    return result;
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
        if (it.name() == QLatin1String("cmd")) {
            const QString letter = it.value().toString();
            found.cmd = letter.isEmpty() ? char(0) : char(letter.at(0).unicode() & 0xFF);
            hasCmd = true;
        } else {
            found.fieldNames << it.name();
            found.fieldTypes << it.value().toString();
        }
    }
    if (!hasCmd)
        return false;
    model = found;
    return true;
}
