#include "mainwindow.h"

#include <QJSValue>

// Placeholder so the tree builds; replaced by the script loading.
void MainWindow::initScript_() {}
void MainWindow::getStructDef_(const QString&, const QJSValue&) {}
