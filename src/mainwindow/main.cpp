#include "mainwindow.h"
#include "translation.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <exception>

int main(int argc, char* argv[])
{
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
        const QString translationProblem = Translation::install(*new QTranslator);

        MainWindow* constructed = new MainWindow;
        window = constructed;
        if (!translationProblem.isEmpty())
            window->printConsoleError(translationProblem.toHtmlEscaped());
        window->show();
        exitCode = app->exec();
    } catch (const QString& text) {
        showError(text);
        exitCode = 0;
    } catch (const char* text) {
        showError(QString::fromLatin1(text));
        exitCode = 0;
    } catch (const std::exception& e) {
        showError(QString::fromLatin1(e.what()));
        exitCode = 0;
    } catch (...) {
        exitCode = 0;
    }

    delete window;
    delete app;
    return exitCode;
}
