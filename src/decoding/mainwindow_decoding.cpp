#include "mainwindow.h"

// Placeholder so the tree builds; replaced by the decoding tree.
void MainWindow::onFrameSelection_() {}
