#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "consoletext.h"

void MainWindow::printConsole(ConsoleErrorSeverity severity, const QString& text)
{
    ConsoleText::append(ui_->consoleTextEdit_->document(), text, severity != NoError);
}

void MainWindow::printConsoleNoError(const QString& text)
{
    printConsole(NoError, text);
}

void MainWindow::printConsoleWarning(const QString& text)
{
    printConsole(Warning, text);
}

void MainWindow::printConsoleError(const QString& text)
{
    printConsole(Error, text);
}

void MainWindow::clearConsole()
{
    ConsoleText::clear(ui_->consoleTextEdit_->document());
}

void MainWindow::onShowTerminal_(bool on)
{
    ui_->consoleTextEdit_->setVisible(on);
}
