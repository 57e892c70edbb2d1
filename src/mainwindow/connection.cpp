#include "mainwindow.h"
#include "mkserial.h"

// Placeholder bodies so the tree builds; replaced by connection handling.
void MainWindow::initSerialPort_() { serial_ = new MkSerial(this); }
void MainWindow::onConnect_() {}
void MainWindow::onFTDICheck_() {}
void MainWindow::onDeviceDiscovered_(const QString&, bool) {}
void MainWindow::onDeviceRemoved_(const QString&) {}
void MainWindow::onWriteError_(qint64) {}
