#include "commandline.h"

#include "capturereader.h"
#include "csvexport.h"
#include "fielddecoder.h"
#include "filesafety.h"
#include "gpxexport.h"
#include "mainwindow.h"
#include "scriptloader.h"
#include "sessionfiles.h"
#include "settingscommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QStringDecoder>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace CommandLine {

namespace {

constexpr char kVersionText[] = "Tovrik 0.41";

void printError(const QString& text)
{
    std::fprintf(stderr, "tovrik: %s\n", qPrintable(text));
}

// Every option, the window's and the export's, so that --help lists them all in one place.
void setUp(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine",
        "Talks to Mikrokopter flight controllers over a serial line: requests, a checked "
        "frame log, decoded fields and live analog values. Captures of a session can be "
        "recorded, opened, replayed and exported as CSV."));
    parser.addHelpOption();
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                      QCoreApplication::translate("CommandLine", "Displays version information.")});
    parser.addPositionalArgument(
        QStringLiteral("capture"),
        QCoreApplication::translate("CommandLine", "A capture file to open in the frame log."),
        QStringLiteral("[CAPTURE]"));
    parser.addOption(
        {QStringLiteral("port"),
         QCoreApplication::translate("CommandLine", "Selects and opens this serial port at start."),
         QCoreApplication::translate("CommandLine", "path")});
    parser.addOption(
        {QStringLiteral("record"),
         QCoreApplication::translate("CommandLine",
                                     "Records the session to this capture file from the start."),
         QCoreApplication::translate("CommandLine", "file")});
    parser.addOption(
        {QStringLiteral("export-csv"),
         QCoreApplication::translate(
             "CommandLine", "Writes the frames of one command letter of this capture as CSV and "
                            "exits, without opening a window."),
         QCoreApplication::translate("CommandLine", "capture")});
    parser.addOption(
        {QStringLiteral("cmd"),
         QCoreApplication::translate("CommandLine", "The command letter to export (default D)."),
         QCoreApplication::translate("CommandLine", "letter"), QStringLiteral("D")});
    parser.addOption(
        {{QStringLiteral("o"), QStringLiteral("output")},
         QCoreApplication::translate("CommandLine",
                                     "Writes the CSV to this file instead of the standard output; "
                                     "names the parameter set file of --read-settings."),
         QCoreApplication::translate("CommandLine", "file")});
    SettingsCommand::addOptions(parser);
    parser.addOption({QStringLiteral("export-gpx"),
                      QCoreApplication::translate(
                          "CommandLine", "Writes the Navi Ctrl positions of this capture as a GPX "
                                         "track (to the file of -o, or the standard output) and "
                                         "exits, without opening a window."),
                      QCoreApplication::translate("CommandLine", "capture")});
}

// Parses, and answers --help and --version. False with exitCode set when the program ends here.
bool parse(QCommandLineParser& parser, int& exitCode)
{
    setUp(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        printError(parser.errorText());
        exitCode = 2;
        return false;
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        // Only process() lists the toolkit's own options; it prints and exits.
        parser.process(QCoreApplication::arguments());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        exitCode = 0;
        return false;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s\n", kVersionText);
        exitCode = 0;
        return false;
    }
    if (parser.positionalArguments().size() > 1) {
        printError(
            QCoreApplication::translate("CommandLine", "only one capture file can be opened"));
        exitCode = 2;
        return false;
    }
    return true;
}

int exportCsv(const QCommandLineParser& parser)
{
    const QString captureName = parser.value(QStringLiteral("export-csv"));
    const QString letter = parser.value(QStringLiteral("cmd"));
    if (letter.size() != 1 || letter.at(0).unicode() > 0xff) {
        printError(
            QCoreApplication::translate("CommandLine", "--cmd wants one command letter, not '%1'")
                .arg(letter));
        return 2;
    }
    const char cmd = char(letter.at(0).unicode());

    QList<FrameModel> models;
    QString error;
    if (!ScriptLoader::loadDefinitions(models, error)) {
        printError(error);
        return 1;
    }
    CaptureReader reader;
    if (!reader.open(captureName)) {
        printError(reader.errorString());
        return 1;
    }
    std::unique_ptr<CsvExport> csv;
    const auto writeRows = [&](QIODevice& out) {
        csv = std::make_unique<CsvExport>(models, cmd, &out);
        if (csv->exportCapture(reader))
            return true;
        if (!reader.errorString().isEmpty())
            printError(reader.errorString());
        return false;
    };
    const QString outName = parser.value(QStringLiteral("output"));
    if (!FieldDecoder::findModel(models, cmd))
        printError(QCoreApplication::translate("CommandLine",
                                               "mk.js defines no fields for the letter '%1'")
                       .arg(letter));
    if (outName.isEmpty()) {
        // "tovrik --export-csv a.mkcap >> a.mkcap" would read its own rows without end.
        const QString refused = FileSafety::checkOpenOutput(
            STDOUT_FILENO, QCoreApplication::translate("CommandLine", "standard output"),
            {captureName});
        if (!refused.isEmpty()) {
            printError(refused);
            return 1;
        }
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || !writeRows(out) || !out.flush()) {
            printError(
                QCoreApplication::translate("CommandLine", "cannot write the standard output: %1")
                    .arg(out.errorString()));
            return 1;
        }
    } else {
        // The old file stays whole until the new one is; the capture itself is never a target.
        QString error;
        if (!FileSafety::writeWhole(outName, {captureName}, writeRows, error)) {
            printError(error);
            return 1;
        }
    }
    if (csv->badCount() > 0)
        printError(QCoreApplication::translate("CommandLine",
                                               "%1: %2 '%3' frame(s) with a bad check sum skipped")
                       .arg(captureName)
                       .arg(csv->badCount())
                       .arg(letter));
    if (csv->otherRevisionCount() > 0)
        printError(QCoreApplication::translate(
                       "CommandLine", "%1: %2 '%3' frame(s) of another structure revision skipped")
                       .arg(captureName)
                       .arg(csv->otherRevisionCount())
                       .arg(letter));
    if (reader.skippedLines() > 0)
        printError(
            QCoreApplication::translate("CommandLine", "%1: %2 line(s) not understood and skipped")
                .arg(captureName)
                .arg(reader.skippedLines()));
    return 0;
}

int exportGpx(const QCommandLineParser& parser)
{
    const QString captureName = parser.value(QStringLiteral("export-gpx"));
    const GpxExport::Result r =
        GpxExport::exportCapture(captureName, parser.value(QStringLiteral("output")));
    if (!r.ok) {
        printError(r.error);
        return 1;
    }
    if (r.skipped > 0)
        printError(QCoreApplication::translate(
                       "CommandLine", "%1: %2 'O' frame(s) without a valid position skipped")
                       .arg(captureName)
                       .arg(r.skipped));
    if (r.unreadLines > 0)
        printError(
            QCoreApplication::translate("CommandLine", "%1: %2 line(s) not understood and skipped")
                .arg(captureName)
                .arg(r.unreadLines));
    return 0;
}

int g_signalPipe[2] = {-1, -1};
bool g_recordingFailed = false;

extern "C" void onTerminationSignal(int)
{
    const char byte = 1;
    // Nothing else is safe in a signal handler; the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}

} // namespace

bool argumentsAreUtf8(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(QByteArrayView(argv[i]));
        if (!decoder.hasError())
            continue;
        // Shown with the undecodable bytes as U+FFFD; the toolkit would look for that name.
        printError(QCoreApplication::translate(
                       "CommandLine", "the file name '%1' is not valid UTF-8: rename the file")
                       .arg(text));
        return false;
    }
    return true;
}

bool wantsNoWindow(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
            arg == "--version" || arg == "--export-csv" || arg.startsWith("--export-csv=") ||
            arg.startsWith("--read-settings") || arg.startsWith("--write-settings") ||
            arg == "--export-gpx" || arg.startsWith("--export-gpx="))
            return true;
    }
    return false;
}

int runWithoutWindow()
{
    QCommandLineParser parser;
    int exitCode = 0;
    if (!parse(parser, exitCode))
        return exitCode;
    if (SettingsCommand::wanted(parser))
        return SettingsCommand::run(parser);
    if (parser.isSet(QStringLiteral("export-gpx")))
        return exportGpx(parser);
    return exportCsv(parser);
}

bool parseWindowOptions(WindowOptions& options, int& exitCode)
{
    QCommandLineParser parser;
    if (!parse(parser, exitCode))
        return false;
    if (!parser.positionalArguments().isEmpty())
        options.capture = parser.positionalArguments().constFirst();
    options.port = parser.value(QStringLiteral("port"));
    options.record = parser.value(QStringLiteral("record"));
    if (!options.capture.isEmpty()) {
        // Checked before the window opens, so a wrong name ends the program with a message.
        CaptureReader reader;
        if (!reader.open(options.capture)) {
            printError(reader.errorString());
            exitCode = 1;
            return false;
        }
    }
    return true;
}

bool applyWindowOptions(MainWindow& window, const WindowOptions& options)
{
    SessionFiles* files = window.sessionFiles();
    // The capture first: a recording must not start on the file it names.
    if (!options.capture.isEmpty() && !files->openCapture(options.capture)) {
        printError(files->errorString());
        return false;
    }
    if (!options.record.isEmpty()) {
        if (!files->startRecording(options.record)) {
            printError(files->errorString());
            return false;
        }
        // Whoever asked for the recording on the command line learns that it broke off.
        QObject::connect(files, &SessionFiles::recordingFailed, files, [](const QString& text) {
            printError(text);
            g_recordingFailed = true;
        });
    }
    if (!options.port.isEmpty())
        window.openPort(options.port);
    return true;
}

int windowExitCode(int code)
{
    return code == 0 && g_recordingFailed ? 1 : code;
}

void quitOnTerminationSignals()
{
    if (g_signalPipe[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(qintptr(g_signalPipe[1]), QSocketNotifier::Read,
                                         QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, QCoreApplication::instance(), [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_signalPipe[1], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction sa = {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGINT, SIGTERM})
        ::sigaction(sig, &sa, nullptr);
}

} // namespace CommandLine
