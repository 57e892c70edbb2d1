#include "mainwindow.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <exception>

int main(int argc, char* argv[])
{
    int exitCode = 0;
    MainWindow* window = nullptr;
    auto* app = new QApplication(argc, argv);

    // Shows the "Error" box over the window once it exists, else without a parent.
    const auto showError = [&window](const QString& text) {
        QMessageBox::critical(window, QStringLiteral("Error"), text, QMessageBox::Ok);
    };

    try {
        // "Lang_" + locale, relative to the working directory; the translator's fallbacks also
        // try the name cut at its delimiters. A missing file is not an error.
        auto* translator = new QTranslator;
        (void)translator->load(QStringLiteral("Lang_") + QLocale::system().name());
        QCoreApplication::installTranslator(translator);

        MainWindow* constructed = new MainWindow;
        window = constructed;
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
