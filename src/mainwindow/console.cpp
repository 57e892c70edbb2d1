#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "consoletext.h"

void MainWindow::printConsole(ConsoleErrorSeverity severity, const QString& text)
{
    consoleLines_.append({ConsoleText::fromMarkup(text), severity != NoError});
    if (consoleBatchDepth_ == 0)
        flushConsole_();
}

void MainWindow::printConsoleLine_(const QString& text, bool red)
{
    consoleLines_.append({ConsoleText::fromPlain(text), red});
    if (consoleBatchDepth_ == 0)
        flushConsole_();
}

void MainWindow::flushConsole_()
{
    ConsoleText::append(ui_->consoleTextEdit_, consoleLines_);
    consoleLines_.clear();
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
    consoleLines_.clear();
    ui_->consoleTextEdit_->clear();
}

void MainWindow::onShowTerminal_(bool on)
{
    ui_->consoleTextEdit_->setVisible(on);
}
