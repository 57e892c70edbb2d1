#include "benchutil.h"
#include "mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

// Time from the device's port appearing to the link being open again by itself: the window
// (offscreen) is connected to a pseudo-terminal registered as a virtual port; each iteration
// removes the link, waits for the closed state, makes the link again and waits for
// serialConnectionOpened(true). Wall time per iteration is the figure; CPU is the GUI thread's.

namespace {

struct Terminal
{
    int master = -1;
    int slave = -1;
    QString path;

    Terminal()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return;
        path = QString::fromLocal8Bit(::ptsname(master));
        // Held open so the far side never reads as hung up between the window's opens.
        slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio{};
        if (slave >= 0 && ::tcgetattr(slave, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(slave, TCSANOW, &tio);
        }
    }
    ~Terminal()
    {
        if (slave >= 0)
            ::close(slave);
        if (master >= 0)
            ::close(master);
    }
};

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    // Sleeps in the event loop between checks, so the CPU figure is the program's, not ours.
    QTimer tick;
    tick.start(5);
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void BM_ReopenAfterReplug(benchmark::State& state)
{
    Terminal terminal;
    const QString link = QDir(qEnvironmentVariable("TOVRIK_PORTS_DIR")).filePath("bench");
    QFile::remove(link);
    if (terminal.slave < 0 || !QFile::link(terminal.path, link)) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    MainWindow window;
    auto* list = window.findChild<QComboBox*>(QStringLiteral("portComboBox_"));
    auto* button = window.findChild<QPushButton*>(QStringLiteral("connectPushButton_"));
    bool open = false;
    QObject::connect(&window, &MainWindow::serialConnectionOpened, [&open](bool on) { open = on; });
    if (!waitFor([&] { return list->findText(link) >= 0; }, 5000)) {
        state.SkipWithError("port not listed");
        return;
    }
    list->setCurrentIndex(list->findText(link));
    button->click();
    if (!open) {
        state.SkipWithError("could not connect");
        return;
    }

    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(link);
        if (!waitFor([&] { return !open && list->findText(link) < 0; }, 5000)) {
            state.SkipWithError("unplug not noticed");
            return;
        }
        state.ResumeTiming();
        QFile::link(terminal.path, link);
        if (!waitFor([&] { return open; }, 10000)) {
            state.SkipWithError("not reopened within 10 s");
            return;
        }
    }
    QFile::remove(link);
}
BENCHMARK(BM_ReopenAfterReplug)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // A private settings and ports location, so the user's own are never touched.
    QTemporaryDir home;
    BenchUtil::usePrivateHome(home);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
