#include "mainwindow.h"

// Placeholder bodies so the tree builds; replaced by settings persistence.
void MainWindow::readSettings_() {}
void MainWindow::writeSettings_() {}
