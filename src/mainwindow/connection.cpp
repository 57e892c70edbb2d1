#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "framestore.h"
#include "mkhelper.h"
#include "mkserial.h"

#include <QMessageBox>

void MainWindow::initSerialPort_()
{
    serial_ = new MkSerial(this);
    connect(serial_, &MkSerial::newFrameReceived, this, &MainWindow::onNewFrameReceived_,
            Qt::QueuedConnection);
    connect(serial_, &MkSerial::writeError, this, &MainWindow::onWriteError_, Qt::QueuedConnection);
    connect(serial_, &MkSerial::frameWritten, this, [this](const QByteArray& frame) {
        frameStore_->append(
            FrameRecord::fromFrame(frame, FrameRecord::Sent, FrameRecord::nowUs()));
    });
    connect(serial_, &MkSerial::deviceDiscovered, this, &MainWindow::onDeviceDiscovered_);
    connect(serial_, &MkSerial::deviceRemoved, this, &MainWindow::onDeviceRemoved_);
    // Every port already present is reported through deviceDiscovered before this returns.
    serial_->setUpNotifications();
    MkHelper::setCurrentSerialPort(serial_);
}

void MainWindow::onConnect_()
{
    deviceName_ = ui_->portComboBox_->currentText();

    // Checked first, so an empty list also refuses to disconnect an open port.
    if (deviceName_.isEmpty()) {
        const QString message = tr("Serial name device is empty, check you MKUSB connection or "
                                   "install FTDI drivers.");
        printConsoleError(message);
        QMessageBox::critical(this, QStringLiteral("Connection error"), message, QMessageBox::Ok);
        return;
    }

    if (serial_->isOpen()) {
        serial_->close();
        ui_->connectPushButton_->setText(tr("Connect"));
        printConsoleNoError(tr("Serial device '%1' closed succesfully.")
                                .arg(serial_->deviceName().toHtmlEscaped()));
        if (serial_->droppedRequests() > 0)
            printConsoleNoError(tr("Requests dropped on closing: %1").arg(serial_->droppedRequests()));
        emit serialConnectionOpened(false);
        return;
    }

    serial_->setDeviceName(deviceName_);
    if (serial_->open()) {
        printConsoleNoError(tr("Serial device '%1' opened succesfully.")
                                .arg(serial_->deviceName().toHtmlEscaped()));
        ui_->connectPushButton_->setText(tr("Disconnect"));
        emit serialConnectionOpened(true);
    } else {
        printConsoleError(
            tr("Serial device '%1' Failed to open").arg(serial_->deviceName().toHtmlEscaped()));
        printConsoleError(serial_->openFailureReason().toHtmlEscaped());
    }
}

void MainWindow::onFTDICheck_()
{
    ftdiOnly_ = ui_->FTDIOnlyCheckBox_->isChecked();
    ui_->portComboBox_->clear();
    const QList<QPortInfo> ports = serial_->getPorts();
    for (const QPortInfo& port : ports) {
        if (!ftdiOnly_ || port.isFTDI)
            ui_->portComboBox_->addItem(port.name);
    }
}

void MainWindow::onDeviceDiscovered_(const QString& name, bool isFTDI)
{
    if (ftdiOnly_ && !isFTDI)
        return;
    ui_->portComboBox_->addItem(name);
    printConsoleNoError(tr("Device %1 discovered").arg(name.toHtmlEscaped()));
}

void MainWindow::onDeviceRemoved_(const QString& name)
{
    const int index = ui_->portComboBox_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        ui_->portComboBox_->removeItem(index);
    printConsoleNoError(tr("Device %1 removed").arg(name.toHtmlEscaped()));

    // The port of the last connect attempt is gone: drop the link, open or not.
    if (name == serial_->deviceName()) {
        serial_->close();
        ui_->connectPushButton_->setText(tr("Connect"));
        printConsoleNoError(tr("Connection with device %1 closed").arg(name.toHtmlEscaped()));
    }
}

void MainWindow::onWriteError_(qint64 errorCode)
{
    printConsoleError(QStringLiteral("Write error, errorCode=%1").arg(errorCode));
}
