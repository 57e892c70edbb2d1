#include "mainwindow.h"
#include "navicontrols.h"
#include "ui_mainwindow.h"

#include "autoreconnect.h"
#include "framestore.h"
#include "linkstatistics.h"
#include "mkhelper.h"
#include "mkserial.h"
#include "sessionfiles.h"
#include "settingsstore.h"
#include "statisticsdialog.h"

#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>
#include <QTimer>

namespace {
// On-board serial ports of the machine, almost never where a flight controller is plugged in.
bool isLegacyPort(const QString& name)
{
    static const QRegularExpression legacy(QStringLiteral("^/dev/ttyS[0-9]+$"));
    return legacy.match(name).hasMatch();
}

QString toolTipOf(const QPortInfo& port)
{
    QStringList lines;
    if (!port.manufacturer.isEmpty())
        lines << MainWindow::tr("Maker: %1").arg(port.manufacturer);
    if (!port.product.isEmpty())
        lines << MainWindow::tr("Product: %1").arg(port.product);
    if (!port.serialNumber.isEmpty())
        lines << MainWindow::tr("Serial number: %1").arg(port.serialNumber);
    if (!port.byId.isEmpty())
        lines << MainWindow::tr("By-id name: %1").arg(port.byId);
    if (lines.isEmpty() && isLegacyPort(port.name))
        lines << MainWindow::tr("On-board serial port %1").arg(port.name);
    else if (lines.isEmpty())
        lines << MainWindow::tr("No details about the adapter of %1").arg(port.name);
    return lines.join(QLatin1Char('\n'));
}

const QString& kConnectionGroup = SettingsStore::kConnectionGroup;
const QString& kReconnectKey = SettingsStore::kReconnect;
const QString& kLastDeviceKey = SettingsStore::kLastDevice;
} // namespace

void MainWindow::initSerialPort_()
{
    serial_ = new MkSerial(this);
    reconnect_ = new AutoReconnect(this);
    reconnect_->setEnabled(reconnectEnabled_);
    connect(reconnect_, &AutoReconnect::reopenRequested, this, &MainWindow::onReopenRequested_);
    initConnectionExtras_();

    session_->setLink(serial_);
    connect(serial_, &MkSerial::writeError, this, &MainWindow::onWriteError_, Qt::QueuedConnection);
    connect(serial_, &MkSerial::junkDropped, this, [this](qint64 bytes) {
        printConsoleWarning(tr("Line noise: %1 bytes dropped in front of frames").arg(bytes));
        session_->statistics()->addJunkBytes(bytes);
    });
    connect(serial_, &MkSerial::deviceDiscovered, this, &MainWindow::onDeviceDiscovered_);
    connect(serial_, &MkSerial::deviceRemoved, this, &MainWindow::onDeviceRemoved_);
    // Queued: the link may report its failure from inside a call of ours (a write).
    connect(serial_, &MkSerial::connectionLost, this, &MainWindow::onConnectionLost_,
            Qt::QueuedConnection);
    // A choice made by the user is not overridden by ports that appear later.
    connect(ui_->portComboBox_, &QComboBox::activated, this, [this] { userChosePort_ = true; });
    // Every port already present is reported through deviceDiscovered before this returns.
    serial_->setUpNotifications();
    // Requests go through the session: it refuses them while a capture is shown.
    MkHelper::setCurrentSerialPort(session_);
}

void MainWindow::initConnectionExtras_()
{
    reconnectAction_ = new QAction(tr("&Reconnect automatically"), this);
    reconnectAction_->setObjectName(QStringLiteral("actionReconnect_"));
    reconnectAction_->setCheckable(true);
    reconnectAction_->setChecked(reconnectEnabled_);
    reconnectAction_->setStatusTip(
        tr("Reopen the connection by itself when the device last connected comes back"));
    connect(reconnectAction_, &QAction::toggled, this, [this](bool on) {
        reconnectEnabled_ = on;
        reconnect_->setEnabled(on);
    });

    statisticsDialog_ = new StatisticsDialog(linkStatistics(), this);
    statisticsAction_ = new QAction(tr("&Statistics"), this);
    statisticsAction_->setObjectName(QStringLiteral("actionStatistics_"));
    statisticsAction_->setStatusTip(tr("Show counts, rates and answer times of the link"));
    connect(statisticsAction_, &QAction::triggered, this, [this] {
        statisticsDialog_->show();
        statisticsDialog_->raise();
        statisticsDialog_->activateWindow();
    });
    ui_->menuWindows->addAction(statisticsAction_);
    ui_->menuWindows->addAction(reconnectAction_);

    // Refreshed once a second, not per frame: the eye cannot follow faster.
    linkStatusLabel_ = new QLabel(this);
    linkStatusLabel_->setObjectName(QStringLiteral("linkStatusLabel_"));
    ui_->statusbar_->addPermanentWidget(linkStatusLabel_);
    linkStatusTimer_ = new QTimer(this);
    linkStatusTimer_->setInterval(StatisticsDialog::kRefreshMs);
    connect(linkStatusTimer_, &QTimer::timeout, this, &MainWindow::updateLinkStatus_);
    connect(linkStatistics(), &LinkStatistics::cleared, this, &MainWindow::updateLinkStatus_);
    linkStatusTimer_->start();
    updateLinkStatus_();
}

void MainWindow::updateLinkStatus_()
{
    linkStatusLabel_->setText(
        StatisticsDialog::summaryText(linkStatistics()->totals(FrameRecord::nowUs())));
}

void MainWindow::readConnectionSettings_(QSettings& settings)
{
    settings.beginGroup(kConnectionGroup);
    reconnectEnabled_ = settings.value(kReconnectKey, true).toBool();
    lastDevice_ = settings.value(kLastDeviceKey).toString();
    settings.endGroup();
}

void MainWindow::writeConnectionSettings_(QSettings& settings) const
{
    settings.beginGroup(kConnectionGroup);
    settings.setValue(kReconnectKey, reconnectEnabled_);
    settings.setValue(kLastDeviceKey, lastDevice_);
    settings.endGroup();
}

bool MainWindow::openLink_(const QString& name, bool automatic)
{
    // The device becomes the session's source again (after a capture, a new session).
    if (session_->link() != serial_) {
        sessionFiles_->leaveCapture();
        session_->setLink(serial_);
    }
    serial_->setDeviceName(name);
    if (!serial_->open()) {
        printConsoleError(
            tr("Serial device '%1' Failed to open").arg(serial_->deviceName().toHtmlEscaped()));
        printConsoleError(serial_->openFailureReason().toHtmlEscaped());
        return false;
    }
    if (automatic)
        printConsoleNoError(tr("Serial device '%1' reopened automatically.")
                                .arg(serial_->deviceName().toHtmlEscaped()));
    else
        printConsoleNoError(tr("Serial device '%1' opened succesfully.")
                                .arg(serial_->deviceName().toHtmlEscaped()));
    ui_->connectPushButton_->setText(tr("Disconnect"));
    lostPort_.clear();
    reconnect_->linkOpened();
    updateTitle_();
    emit serialConnectionOpened(true);
    return true;
}

void MainWindow::closeLink_(CloseCause cause, const QString& reason)
{
    const bool wasOpen = serial_->isOpen();
    const QString name = serial_->deviceName().toHtmlEscaped();
    serial_->close();
    ui_->connectPushButton_->setText(tr("Connect"));
    switch (cause) {
    case CloseCause::User:
        reconnect_->disarm();
        printConsoleNoError(tr("Serial device '%1' closed succesfully.").arg(name));
        break;
    case CloseCause::Unplugged:
        printConsoleNoError(tr("Connection with device %1 closed").arg(name));
        break;
    case CloseCause::Lost:
        lostPort_ = serial_->deviceName();
        printConsoleError(
            tr("Connection with device %1 lost: %2").arg(name, reason.toHtmlEscaped()));
        break;
    }
    if (serial_->droppedRequests() > 0)
        printConsoleNoError(tr("Requests dropped on closing: %1").arg(serial_->droppedRequests()));
    if (!wasOpen)
        return;
    if (cause != CloseCause::User)
        reconnect_->linkLost();
    updateTitle_();
    emit serialConnectionOpened(false);
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
        // The escape that ends a Navi Ctrl pipe goes out before the port closes.
        if (naviControls_->leavePipe())
            QTimer::singleShot(NaviControls::kEscapeFlushMs, this, [this] {
                if (serial_->isOpen())
                    closeLink_(CloseCause::User);
            });
        else
            closeLink_(CloseCause::User);
        return;
    }

    // A press of "Connect" replaces whatever device was followed before.
    reconnect_->disarm();
    if (openLink_(deviceName_, false)) {
        lastDevice_ = portInfo_(deviceName_).identity();
        reconnect_->arm(lastDevice_, deviceName_);
    }
}

void MainWindow::onReopenRequested_(const QString& name)
{
    if (serial_->isOpen())
        return;
    if (openLink_(name, true)) {
        const int index =
            ui_->portComboBox_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            ui_->portComboBox_->setCurrentIndex(index);
        return;
    }
    reconnect_->openFailed();
    printConsoleNoError(tr("Trying again in %1 s.").arg(reconnect_->nextDelayMs() / 1000.0));
}

void MainWindow::onConnectionLost_(const QString& reason)
{
    // Reported once per failure, but a close through another path may have come first.
    if (serial_->isOpen())
        closeLink_(CloseCause::Lost, reason);
}

QPortInfo MainWindow::portInfo_(const QString& name)
{
    // Listing ports walks every terminal of the system: done once for a burst of appearances
    // (start-up reports every port), not once per port.
    if (!portInfos_.contains(name)) {
        const QList<QPortInfo> ports = serial_->getPorts();
        for (const QPortInfo& port : ports)
            portInfos_.insert(port.name, port);
    }
    QPortInfo fallback;
    fallback.name = name;
    return portInfos_.value(name, fallback);
}

void MainWindow::addPortItem_(const QPortInfo& port)
{
    QComboBox* list = ui_->portComboBox_;
    list->addItem(port.name);
    list->setItemData(list->count() - 1, toolTipOf(port), Qt::ToolTipRole);
}

void MainWindow::choosePort_()
{
    QComboBox* list = ui_->portComboBox_;
    if (userChosePort_ || serial_->isOpen() || list->count() == 0)
        return;
    int chosen = -1;
    for (int i = 0; i < list->count() && chosen < 0 && !lastDevice_.isEmpty(); ++i) {
        const auto port = portInfos_.constFind(list->itemText(i));
        if (port != portInfos_.cend() && port->identity() == lastDevice_)
            chosen = i;
    }
    if (chosen < 0 && isLegacyPort(list->currentText())) {
        for (int i = 0; i < list->count() && chosen < 0; ++i) {
            if (!isLegacyPort(list->itemText(i)))
                chosen = i;
        }
    }
    if (chosen >= 0)
        list->setCurrentIndex(chosen);
}

void MainWindow::openPort(const QString& name)
{
    if (ui_->portComboBox_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        ui_->portComboBox_->addItem(name);
    ui_->portComboBox_->setCurrentText(name);
    if (!serial_->isOpen())
        onConnect_();
}

void MainWindow::onFTDICheck_()
{
    ftdiOnly_ = ui_->FTDIOnlyCheckBox_->isChecked();
    ui_->portComboBox_->clear();
    userChosePort_ = false;
    portInfos_.clear();
    const QList<QPortInfo> ports = serial_->getPorts();
    for (const QPortInfo& port : ports) {
        portInfos_.insert(port.name, port);
        if (!ftdiOnly_ || port.isFTDI)
            addPortItem_(port);
    }
    choosePort_();
}

void MainWindow::onDeviceDiscovered_(const QString& name, bool isFTDI)
{
    const QPortInfo port = portInfo_(name);
    if (!ftdiOnly_ || isFTDI) {
        addPortItem_(port);
        printConsoleNoError(tr("Device %1 discovered").arg(name.toHtmlEscaped()));
        choosePort_();
    }
    // The followed device comes back whatever the list shows.
    reconnect_->portAppeared(name, port.identity());
}

void MainWindow::onDeviceRemoved_(const QString& name)
{
    QComboBox* list = ui_->portComboBox_;
    const int index = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        if (index == list->currentIndex())
            userChosePort_ = false;
        list->removeItem(index);
    }
    portInfos_.remove(name);
    reconnect_->portRemoved(name);
    printConsoleNoError(tr("Device %1 removed").arg(name.toHtmlEscaped()));
    session_->recordEvent(QStringLiteral("device removed ") + name);

    // The port of the last connect attempt is gone: drop the link, open or not. When its
    // failure was reported already, that report stands for the close.
    if (name == serial_->deviceName()) {
        if (serial_->isOpen() || lostPort_ != name)
            closeLink_(CloseCause::Unplugged);
        lostPort_.clear();
    }
}

void MainWindow::onWriteError_(qint64 errorCode)
{
    printConsoleError(QStringLiteral("Write error, errorCode=%1").arg(errorCode));
}
