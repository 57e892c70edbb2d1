#include "commandline.h"
#include "framestore.h"
#include "mainwindow.h"
#include "sessionfiles.h"
#include "translation.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <exception>

namespace {

// Help, version and CSV export: no display, no window. A damaged translation is reported on
// stderr and the work goes on in English.
int runWithoutWindow(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString translationProblem = Translation::install(*new QTranslator(&app));
    if (!translationProblem.isEmpty())
        std::fprintf(stderr, "tovrik: %s\n", qPrintable(translationProblem));
    return CommandLine::runWithoutWindow();
}

} // namespace

int main(int argc, char* argv[])
{
    FrameStore::keepLargeBlocksOutOfTheHeap();
    if (!CommandLine::argumentsAreUtf8(argc, argv))
        return 2;
    if (CommandLine::wantsNoWindow(argc, argv)) {
        try {
            return runWithoutWindow(argc, argv);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "tovrik: %s\n", e.what());
        } catch (...) {
            std::fputs("tovrik: unexpected failure\n", stderr);
        }
        return 1;
    }

    int exitCode = 0;
    MainWindow* window = nullptr;
    // Outside a login session (a root shell, su, sudo) XDG_RUNTIME_DIR is unset and the toolkit
    // says so at every start while it falls back to a private folder under /tmp, which serves
    // this program well; that one line is dropped, everything else goes on as before.
    static QtMessageHandler previousHandler = nullptr;
    previousHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type != QtWarningMsg ||
                !text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
                previousHandler(type, context, text);
        });
    auto* app = new QApplication(argc, argv);
    qInstallMessageHandler(previousHandler);

    // Shows the "Error" box over the window once it exists, else without a parent.
    const auto showError = [&window](const QString& text) {
        QMessageBox::critical(window, QStringLiteral("Error"), text, QMessageBox::Ok);
    };

    try {
        // "Lang_" + locale; a missing file is not an error, a damaged one is refused.
        const QString translationProblem = Translation::install(*new QTranslator(app));
        CommandLine::WindowOptions options;
        if (CommandLine::parseWindowOptions(options, exitCode)) {
            CommandLine::quitOnTerminationSignals();
            MainWindow* constructed = new MainWindow;
            window = constructed;
            if (!translationProblem.isEmpty())
                window->printConsoleError(translationProblem.toHtmlEscaped());
            window->show();
            if (CommandLine::applyWindowOptions(*window, options)) {
                const int loopCode = app->exec();
                // Ended here, not in the destructor, so a last write that fails is still told.
                window->sessionFiles()->stopRecording();
                exitCode = CommandLine::windowExitCode(loopCode);
            } else {
                exitCode = 1;
            }
        }
    } catch (const QString& text) {
        showError(text);
        exitCode = 1;
    } catch (const char* text) {
        showError(QString::fromLatin1(text));
        exitCode = 1;
    } catch (const std::exception& e) {
        showError(QString::fromLatin1(e.what()));
        exitCode = 1;
    } catch (...) {
        exitCode = 1;
    }

    // Closes a capture being recorded, with everything still pending written.
    delete window;
    delete app;
    return exitCode;
}
