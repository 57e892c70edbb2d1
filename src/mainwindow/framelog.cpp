#include "mainwindow.h"

// Placeholder bodies so the tree builds; replaced by the frame log.
void MainWindow::onNewFrameReceived_(const QByteArray&) {}
void MainWindow::insertItem_(int, char, int, const QByteArray&) {}
void MainWindow::onFilterCheck_() {}
void MainWindow::onHexCheck_() {}
void MainWindow::onClear_() {}
void MainWindow::onLabelTimeout_() {}
