#include "mainwindow.h"

// Placeholder bodies so the tree builds; replaced by the command buttons.
void MainWindow::onCommandV_() {}
void MainWindow::onCommandP_() {}
void MainWindow::onCommandN_() {}
void MainWindow::onCommandL_() {}
void MainWindow::onCommandA_() {}
void MainWindow::onCommandU_() {}
void MainWindow::onCommandD_() {}
void MainWindow::rqGetLabelsList() {}
void MainWindow::rqRefreshData() {}
void MainWindow::onOpenRt_() {}
