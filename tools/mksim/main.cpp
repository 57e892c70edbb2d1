// tovrik-mksim: a flight controller on a pseudo-terminal, for trying Tovrik without hardware
// and for driving the serial link in tests.

#include "navisim.h"
#include "replaysource.h"
#include "simdevice.h"
#include "simlink.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {
// The link path as plain bytes, so the signal handler can remove it without allocating.
char g_linkPath[4096] = {};
constexpr int kStatusIntervalMs = 10000;
// The link whose counts are printed when the program ends, however it ends.
const SimLink* g_link = nullptr;

// Writes "tovrik-mksim: <when>: N frames sent, M not delivered" to stdout without allocating,
// so that a signal handler may call it. A soak run tells the simulator's losses (its output
// queue was full because the host did not read) from the program's by this line.
void printCounts(const char* when)
{
    if (!g_link)
        return;
    char line[256];
    size_t n = 0;
    const auto put = [&](const char* text) {
        for (; *text && n < sizeof line - 1; ++text)
            line[n++] = *text;
    };
    const auto number = [&](long long value) {
        char digits[24];
        int d = 0;
        do {
            digits[d++] = char('0' + value % 10);
            value /= 10;
        } while (value > 0);
        while (d > 0 && n < sizeof line - 1)
            line[n++] = digits[--d];
    };
    put("tovrik-mksim: ");
    put(when);
    put(": ");
    number(g_link->delivered());
    put(" frames sent, ");
    number(g_link->dropped());
    put(" not delivered (the host did not read them)\n");
    std::fflush(stdout);
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, line, n);
}

extern "C" void onTerminate(int)
{
    if (g_linkPath[0] != '\0')
        ::unlink(g_linkPath);
    printCounts("exit");
    ::_exit(0);
}

void installSignalHandlers()
{
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = onTerminate;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
}

bool parseRate(const QCommandLineParser& parser, const QString& name, double& out)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    out = parser.value(name).toDouble(&ok);
    return ok && out >= 0.0 && out <= 1.0;
}

bool parseInt(const QCommandLineParser& parser, const QString& name, int low, int high, int& out)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    out = parser.value(name).toInt(&ok);
    return ok && out >= low && out <= high;
}

int fail(const QString& text)
{
    std::fprintf(stderr, "tovrik-mksim: %s\n", qPrintable(text));
    return 2;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tovrik-mksim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates a flight controller on a pseudo-terminal and lists it as a virtual serial "
        "port, so Tovrik can be tried without hardware. Runs until killed."));
    parser.addHelpOption();
    parser.addOptions({
        {"name", "Port name of the link in the virtual ports directory (default mksim).", "name",
         "mksim"},
        {"ftdi", "Mark the port as an FTDI adapter (adds \"FTDI\" to the link name)."},
        {"address", "Device address to answer from: 1 Flight Ctrl, 2 Navi Ctrl, 3 MK3MAG.", "n",
         "1"},
        {"noise", "Chance (0..1) of junk bytes in front of each frame sent.", "rate"},
        {"corrupt", "Chance (0..1) of a wrong checksum in each frame sent.", "rate"},
        {"drop-labels", "Never answer analog label requests ('a')."},
        {"unplug-after", "Remove the port and exit after this many seconds.", "seconds"},
        {"flood",
         "Send this many 'D' frames per second whatever is asked; channel 31 then "
         "counts frames so a reader can spot losses. Frames the host does not read in "
         "time are counted: the counts are printed every 10 s and on exit.",
         "frames"},
        {"seed", "Seed for noise and corruption (default: random).", "n"},
        {"verbose", "Print every request received."},
        {"settings-revision",
         "Structure revision of the five parameter sets: 95 or 106 (default 106).", "n", "106"},
        {"settings-file", "Keep the parameter sets in this file across restarts.", "file"},
        {"motors-on", "Simulate running motors: parameter set requests are refused."},
        {"replay",
         "Instead of answering requests, send the frames the device sent in this capture "
         "file, at their recorded pace (silences longer than 2 s are shortened), from the "
         "host's first request on; then stay connected and quiet.",
         "file"},
        {"navi", "Simulate a Navi Ctrl (address 2) with a Flight Ctrl and an MK3MAG behind its "
                 "redirect, flying circles around home."},
    });
    parser.process(app);

    SimDevice::Options options;
    double unplugAfter = 0.0;
    int seed = 0;
    if (!parseInt(parser, "address", 0, 25, options.address))
        return fail(QStringLiteral("--address wants a number from 0 to 25"));
    if (!parseRate(parser, "noise", options.noise))
        return fail(QStringLiteral("--noise wants a rate from 0 to 1"));
    if (!parseRate(parser, "corrupt", options.corrupt))
        return fail(QStringLiteral("--corrupt wants a rate from 0 to 1"));
    if (!parseInt(parser, "flood", 0, 1000000, options.flood))
        return fail(QStringLiteral("--flood wants a frame rate from 0 to 1000000"));
    if (!parseInt(parser, "seed", 0, 2147483647, seed))
        return fail(QStringLiteral("--seed wants a non-negative number"));
    if (parser.isSet("unplug-after")) {
        bool ok = false;
        unplugAfter = parser.value("unplug-after").toDouble(&ok);
        if (!ok || unplugAfter <= 0.0)
            return fail(QStringLiteral("--unplug-after wants a positive number of seconds"));
    }
    if (!parseInt(parser, "settings-revision", 0, 255, options.settingsRevision) ||
        !SimParamSets::structureSize(options.settingsRevision))
        return fail(QStringLiteral("--settings-revision wants 95 or 106"));
    options.motorsOn = parser.isSet("motors-on");
    options.dropLabels = parser.isSet("drop-labels");
    options.seed = quint32(seed);
    const bool verbose = parser.isSet("verbose");

    QString linkName = parser.value("name");
    if (parser.isSet("ftdi"))
        linkName += QStringLiteral("-FTDI");

    installSignalHandlers();
    SimLink link;
    if (!link.open(linkName))
        return fail(link.errorString());
    g_link = &link;
    const QByteArray linkBytes = QFile::encodeName(link.linkPath());
    if (size_t(linkBytes.size()) < sizeof g_linkPath)
        std::memcpy(g_linkPath, linkBytes.constData(), size_t(linkBytes.size()));

    SimDevice device(options);
    QString settingsError;
    if (parser.isSet("settings-file") &&
        !device.paramSets().useFile(parser.value("settings-file"), settingsError))
        return fail(settingsError);
    ReplaySource replay;
    const QString replayFile = parser.value("replay");
    if (!replayFile.isEmpty()) {
        if (!replay.open(replayFile))
            return fail(replay.errorString());
        QObject::connect(&replay, &ReplaySource::output, &link, &SimLink::send);
        QObject::connect(&replay, &ReplaySource::finished, [&replay] {
            std::printf("tovrik-mksim: replay finished, %lld frames sent\n",
                        static_cast<long long>(replay.sent()));
            std::fflush(stdout);
        });
    } else if (parser.isSet("navi")) {
        auto* navi = new NaviSim(options, &device);
        QObject::connect(&link, &SimLink::received, navi, &NaviSim::feed);
        QObject::connect(navi, &NaviSim::output, &link, &SimLink::send);
        // The verbose log below reads the Navi Ctrl's requests from the device's signals.
        QObject::connect(navi, &NaviSim::request, &device, &SimDevice::request);
        QObject::connect(navi, &NaviSim::badRequest, &device, &SimDevice::badRequest);
    } else {
        QObject::connect(&link, &SimLink::received, &device, &SimDevice::feed);
        QObject::connect(&device, &SimDevice::output, &link, &SimLink::send);
    }
    if (verbose) {
        QObject::connect(&device, &SimDevice::request,
                         [](char cmd, int address, const QByteArray& payload) {
                             std::printf("tovrik-mksim: request '%c' to address %d payload %s\n",
                                         cmd, address, payload.toHex(' ').constData());
                             std::fflush(stdout);
                         });
        QObject::connect(&device, &SimDevice::badRequest, [](const QByteArray& frame) {
            std::printf("tovrik-mksim: bad checksum, ignored: %s\n",
                        frame.trimmed().toHex(' ').constData());
            std::fflush(stdout);
        });
    }
    if (unplugAfter > 0.0) {
        QTimer::singleShot(int(unplugAfter * 1000), &app, [&] {
            g_linkPath[0] = '\0';
            link.close();
            std::printf("tovrik-mksim: unplugged\n");
            app.quit();
        });
    }

    std::printf("tovrik-mksim: device on %s\n", linkBytes.constData());
    std::fflush(stdout);
    if (replayFile.isEmpty()) {
        device.start();
    } else {
        // Bytes written before a host opens the port would be lost; its first request says
        // it listens.
        auto started = std::make_shared<bool>(false);
        QObject::connect(&link, &SimLink::received, &replay, [&replay, started] {
            if (!*started) {
                *started = true;
                replay.start();
            }
        });
    }
    // Under a flood the host may fall behind: the counts now and then, and at the end.
    QTimer status;
    QObject::connect(&status, &QTimer::timeout, [] { printCounts("status"); });
    if (options.flood > 0)
        status.start(kStatusIntervalMs);
    const int rc = app.exec();
    g_linkPath[0] = '\0';
    link.close();
    printCounts("exit");
    return rc;
}
