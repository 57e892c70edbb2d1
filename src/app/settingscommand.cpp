#include "settingscommand.h"

#include "conversation.h"
#include "mkserial.h"
#include "paramcontroller.h"
#include "paramfile.h"
#include "scriptloader.h"
#include "sessionpipeline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

#include <cstdio>

namespace SettingsCommand {

namespace {

void printError(const QString& text)
{
    std::fprintf(stderr, "tovrik: %s\n", qPrintable(text));
}

// The file for set `number` when all sets are read: "<stem>-set<N>.<suffix>" beside FILE.
QString allSetsName(const QString& file, int number)
{
    const QFileInfo info(file);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("mkparam") : info.suffix();
    return info.dir().filePath(
        QStringLiteral("%1-set%2.%3").arg(info.completeBaseName()).arg(number).arg(suffix));
}

// Runs one controller operation to its end.
ParamResult await(ParamController& controller, const std::function<bool()>& start)
{
    ParamResult result;
    QEventLoop loop;
    const auto connection =
        QObject::connect(&controller, &ParamController::finished, &loop, [&](const ParamResult& r) {
            result = r;
            loop.quit();
        });
    if (start())
        loop.exec();
    QObject::disconnect(connection);
    return result;
}

} // namespace

void addOptions(QCommandLineParser& parser)
{
    parser.addOption(
        {QStringLiteral("read-settings"),
         QCoreApplication::translate(
             "SettingsCommand", "Reads parameter set N (1-5), the active one or all five from the "
                                "device at --port into the file named by -o (all: FILE-set1 ... "
                                "FILE-set5) and exits."),
         QStringLiteral("N|active|all")});
    parser.addOption({QStringLiteral("write-settings"),
                      QCoreApplication::translate(
                          "SettingsCommand",
                          "Writes the parameter set in this file to set --set of the device at "
                          "--port, after saving a backup of it, and reads it back."),
                      QCoreApplication::translate("SettingsCommand", "file")});
    parser.addOption({QStringLiteral("set"),
                      QCoreApplication::translate("SettingsCommand", "The set to write (1-5)."),
                      QStringLiteral("N")});
    parser.addOption(
        {QStringLiteral("accept-mapping"),
         QCoreApplication::translate(
             "SettingsCommand",
             "Writes a file of another revision, field by field by name, although "
             "the device lacks some of its fields or it lacks some of the device's.")});
}

bool wanted(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("read-settings")) ||
           parser.isSet(QStringLiteral("write-settings"));
}

int run(const QCommandLineParser& parser)
{
    const QString port = parser.value(QStringLiteral("port"));
    const bool reading = parser.isSet(QStringLiteral("read-settings"));
    const QString output = parser.value(QStringLiteral("output"));
    const QString which = parser.value(QStringLiteral("read-settings"));
    bool setOk = false;
    const int setNumber = parser.value(QStringLiteral("set")).toInt(&setOk);
    if (port.isEmpty()) {
        printError(QCoreApplication::translate("SettingsCommand",
                                               "parameter sets need the device's --port"));
        return 2;
    }
    if (reading && parser.isSet(QStringLiteral("write-settings"))) {
        printError(QCoreApplication::translate(
            "SettingsCommand", "--read-settings and --write-settings cannot be combined"));
        return 2;
    }
    if (reading && output.isEmpty()) {
        printError(QCoreApplication::translate("SettingsCommand",
                                               "--read-settings needs the output file (-o FILE)"));
        return 2;
    }
    const int readNumber =
        which == QLatin1String("active") ? ParamController::kActive : which.toInt();
    if (reading && which != QLatin1String("all") && readNumber != ParamController::kActive &&
        (readNumber < 1 || readNumber > 5)) {
        printError(QCoreApplication::translate(
                       "SettingsCommand", "--read-settings wants 1 to 5, active or all, not '%1'")
                       .arg(which));
        return 2;
    }
    if (!reading && (!setOk || setNumber < 1 || setNumber > 5)) {
        printError(QCoreApplication::translate(
            "SettingsCommand", "--write-settings needs --set with a set number from 1 to 5"));
        return 2;
    }

    QList<FrameModel> models;
    QString error;
    if (!ScriptLoader::loadDefinitions(models, error)) {
        printError(error);
        return 1;
    }
    const QList<ParamLayout> layouts = ParamLayout::fromModels(models);
    // The file is checked before the port is opened: a bad file sends nothing.
    ParamFile file;
    if (!reading && !ParamFile::read(parser.value(QStringLiteral("write-settings")), file, error)) {
        printError(error);
        return 1;
    }

    MkSerial serial;
    serial.setDeviceName(port);
    if (!serial.open()) {
        printError(QCoreApplication::translate("SettingsCommand", "cannot open %1: %2")
                       .arg(port, serial.openFailureReason()));
        return 1;
    }
    // The session pipeline carries the requests and matches the answers, as in the window.
    SessionPipeline session;
    session.setLink(&serial);
    ParamController controller(layouts, [&session](const Request& r, QObject* c, auto done) {
        session.conversation()->ask(r, c, std::move(done));
    });
    QObject::connect(
        &session, &SessionPipeline::frameProcessed, &controller,
        [&controller](const FrameRecord& record, const QByteArray& payload, int address) {
            if (record.good)
                controller.noteFrame(record.cmd, address, payload);
        });

    int code = 0;
    if (reading) {
        const ParamResult result = await(controller, [&] {
            return which == QLatin1String("all") ? controller.readAll()
                                                 : controller.readSet(readNumber);
        });
        if (!result.ok) {
            printError(result.error);
            code = 1;
        }
        for (const ParamSet& set : result.sets) {
            const QString name =
                which == QLatin1String("all") ? allSetsName(output, set.setNumber()) : output;
            if (code == 0 && !ParamFile::write(name, set, error)) {
                printError(error);
                code = 1;
            }
        }
    } else {
        // The device's set gives the target layout and the values the file lacks.
        ParamResult current = await(controller, [&] { return controller.readSet(setNumber); });
        if (!current.ok) {
            printError(current.error);
            serial.close();
            return 1;
        }
        const ParamFile::Mapping m = file.mapOnto(current.sets.first(), layouts);
        if (!m.ok()) {
            printError(QCoreApplication::translate("SettingsCommand", "%1: %2; nothing written")
                           .arg(parser.value(QStringLiteral("write-settings")),
                                m.errors.join(QStringLiteral("; "))));
            serial.close();
            return 1;
        }
        if (!m.exact()) {
            const QString lists =
                QCoreApplication::translate(
                    "SettingsCommand",
                    "the device's revision %1 lacks: %2; the file (revision %3) lacks: %4")
                    .arg(m.set.revision())
                    .arg(m.targetLacks.join(QStringLiteral(", ")))
                    .arg(file.revision)
                    .arg(m.fileLacks.join(QStringLiteral(", ")));
            if (!parser.isSet(QStringLiteral("accept-mapping"))) {
                printError(lists + QCoreApplication::translate(
                                       "SettingsCommand",
                                       "; nothing written (--accept-mapping writes it)"));
                serial.close();
                return 1;
            }
            printError(lists);
        }
        const ParamResult result = await(controller, [&] { return controller.write(m.set); });
        if (!result.backupPath.isEmpty())
            std::printf("backup: %s\n", qPrintable(result.backupPath));
        if (!result.ok) {
            printError(result.error);
            code = 1;
        }
        for (const QString& line : result.adjusted)
            printError(line);
    }
    serial.close();
    return code;
}

} // namespace SettingsCommand
