#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "mkhelper.h"
#include "mkserial.h"
#include "rtdialog.h"

#include <QSpinBox>
#include <QStatusBar>

namespace {

// A request parameter: the spin box's text read as a decimal number, 0 when it is none.
int parameterOf(const QSpinBox* box)
{
    return box->text().toInt();
}

// Sends one request while the link is open and says so in the status bar; otherwise only the
// status bar tells that nothing was sent. Status texts stay until the next one replaces them.
template <typename Request>
void sendCommand(FrameSink* serial, QStatusBar* statusBar, char letter, Request request)
{
    if (!serial->isOpen()) {
        statusBar->showMessage(MainWindow::tr("Cannot sent cmd: port not opened"));
        return;
    }
    request();
    statusBar->showMessage(MainWindow::tr("send '%1' cmd").arg(QChar::fromLatin1(letter)));
}

} // namespace

void MainWindow::onCommandV_()
{
    sendCommand(session_, ui_->statusbar_, 'v', [] { MkHelper::rqVersion(); });
}

void MainWindow::onCommandP_()
{
    sendCommand(session_, ui_->statusbar_, 'p', [] { MkHelper::rqPPM(); });
}

void MainWindow::onCommandN_()
{
    sendCommand(session_, ui_->statusbar_, 'n', [] { MkHelper::rqMixer(); });
}

void MainWindow::onCommandL_()
{
    const int p1 = parameterOf(ui_->spinBoxLCmd_);
    sendCommand(session_, ui_->statusbar_, 'l', [p1] { MkHelper::rqDisplay(p1); });
}

void MainWindow::onCommandA_()
{
    const int p1 = parameterOf(ui_->spinBoxACmd_);
    sendCommand(session_, ui_->statusbar_, 'a', [p1] { MkHelper::rqLabelAnalogValues(p1); });
}

void MainWindow::onCommandU_()
{
    const int p1 = parameterOf(ui_->spinBoxUCmd_);
    sendCommand(session_, ui_->statusbar_, 'u', [p1] { MkHelper::rqBL(p1); });
}

void MainWindow::onCommandD_()
{
    const int p1 = parameterOf(ui_->spinBoxDCmd_);
    sendCommand(session_, ui_->statusbar_, 'd', [p1] { MkHelper::rqDebug(p1); });
}

void MainWindow::rqRefreshData()
{
    MkHelper::rqDebug(parameterOf(ui_->spinBoxDCmd_));
}

void MainWindow::onOpenRt_()
{
    // The flag says whether the dialog is shown; it is also cleared when the dialog closes
    // itself (Esc, title bar).
    const bool wasVisible = rtDialogVisible_;
    rtDialogVisible_ = !wasVisible;
    if (wasVisible)
        rtDialog_->hide();
    else
        rtDialog_->show();
}
