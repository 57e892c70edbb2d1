#include "mainwindow.h"

// Placeholder bodies so the tree builds; replaced by the console pane.
void MainWindow::printConsole(ConsoleErrorSeverity, const QString&) {}
void MainWindow::printConsoleNoError(const QString& text) { printConsole(NoError, text); }
void MainWindow::printConsoleWarning(const QString& text) { printConsole(Warning, text); }
void MainWindow::printConsoleError(const QString& text) { printConsole(Error, text); }
void MainWindow::clearConsole() {}
void MainWindow::onShowTerminal_(bool) {}
