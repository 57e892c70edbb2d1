#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "capturedrop.h"
#include "displaytick.h"
#include "framestore.h"
#include "labeltable.h"
#include "mkhelper.h"
#include "mkserial.h"
#include "navicontrols.h"
#include "recentfiles.h"
#include "rtdialog.h"
#include "sessionfiles.h"
#include "settingsstore.h"
#include "steadyscrollbar.h"
#include "virtualports.h"
#include "windowfitter.h"

#include <QAction>
#include <QCloseEvent>
#include <QJSEngine>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QThread>
#include <QTimer>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui_(new Ui_MainWindow), session_(new SessionPipeline(this)),
      consoleEchoPacer_(new TickPacer(
          kConsoleStreamIntervalMs, [this] { flushConsole_(); }, this))
{
    initGUI_();
    if (!SettingsStore::problem().isEmpty())
        printConsoleError(SettingsStore::problem().toHtmlEscaped());
    initSerialPort_();
    // A port folder others could write to is not used; the user hears why.
    const QString portsProblem = virtualPortsProblem();
    if (!portsProblem.isEmpty())
        printConsoleError(tr("Virtual ports not listed: %1").arg(portsProblem.toHtmlEscaped()));
    initSessionFiles_();
    naviControls_ = new NaviControls(
        this, session_, sessionFiles_->menu(), ui_->menuWindows,
        [this] { return ui_->spinBoxDCmd_->value(); },
        [this] { return sessionFiles_->sessionFiles(); });
    connect(naviControls_, &NaviControls::message, this, [this](const QString& text, bool error) {
        printConsole(error ? Error : NoError, text.toHtmlEscaped());
    });
    initScript_();
    sessionFiles_->setFrameModels(frameModels_);
    initSettingsWindow_();
    initToolTips_();
    printConsoleNoError(tr("Tovrik initialized"));
}

MainWindow::~MainWindow()
{
    // Ended by a signal rather than closed: the pipe is ended here, before the port closes.
    if (naviControls_ && naviControls_->leavePipe())
        QThread::msleep(NaviControls::kEscapeFlushMs);
    delete ui_;
    ui_ = nullptr;
    if (serial_) {
        serial_->close();
        delete serial_;
        serial_ = nullptr;
    }
}

void MainWindow::initGUI_()
{
    ui_->setupUi(this);
    rtDialog_ = new RtDialog(this);
    // Esc and the title bar close the dialog without the "Rt" button: the flag follows, so
    // the next press shows it again.
    connect(rtDialog_, &QDialog::finished, this, [this] { rtDialogVisible_ = false; });
    connect(rtDialog_, &RtDialog::labelsRequested, this, &MainWindow::rqGetLabelsList);
    connect(rtDialog_, &RtDialog::dataRequested, this, &MainWindow::rqRefreshData);
    connect(rtDialog_, &RtDialog::dataStopRequested, this, [] { MkHelper::rqDebug(0); });
    connect(this, &MainWindow::labelsListReady, rtDialog_, &RtDialog::onLabelsListReady_);
    connect(this, &MainWindow::serialConnectionOpened, rtDialog_, &RtDialog::onSerialOpened_);
    readSettings_();
    WindowFitter::watch(this);

    connect(ui_->connectPushButton_, &QPushButton::clicked, this, &MainWindow::onConnect_);
    connect(ui_->clearPushButton_, &QPushButton::clicked, this, &MainWindow::onClear_);
    connect(ui_->rtPushButton_, &QPushButton::clicked, this, &MainWindow::onOpenRt_);
    connect(ui_->FTDIOnlyCheckBox_, &QCheckBox::clicked, this, &MainWindow::onFTDICheck_);
    connect(ui_->checkBoxHex_, &QCheckBox::clicked, this, &MainWindow::onHexCheck_);
    connect(ui_->toolButtonPCmd_, &QToolButton::clicked, this, &MainWindow::onCommandP_);
    connect(ui_->toolButtonVCmd_, &QToolButton::clicked, this, &MainWindow::onCommandV_);
    connect(ui_->toolButtonNCmd_, &QToolButton::clicked, this, &MainWindow::onCommandN_);
    connect(ui_->toolButtonLCmd_, &QToolButton::clicked, this, &MainWindow::onCommandL_);
    connect(ui_->toolButtonACmd_, &QToolButton::clicked, this, &MainWindow::onCommandA_);
    connect(ui_->toolButtonUCmd_, &QToolButton::clicked, this, &MainWindow::onCommandU_);
    connect(ui_->toolButtonDCmd_, &QToolButton::clicked, this, &MainWindow::onCommandD_);

    initFrameLog_();

    aboutAction_ = new QAction(tr("&About"), this);
    aboutAction_->setStatusTip(tr("Show the application's About box"));
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::onAbout_);
    ui_->menuHelp_->addAction(aboutAction_);
    initMenus_();

    connect(ui_->actionShowTerminal_, &QAction::triggered, this, &MainWindow::onShowTerminal_);

    // The console grows at its end several times a second: its bars repaint only when they
    // look different.
    SteadyScrollBar::fitGrowingView(ui_->consoleTextEdit_);
    QScrollBar* consoleBar = ui_->consoleTextEdit_->verticalScrollBar();
    connect(consoleBar, &QScrollBar::valueChanged, this,
            [this, consoleBar](int value) { consoleFollows_ = value == consoleBar->maximum(); });
    connect(consoleBar, &QScrollBar::rangeChanged, this, [this, consoleBar](int, int maximum) {
        if (consoleFollows_)
            consoleBar->setValue(maximum);
    });

    ConsoleText::setUp(ui_->consoleTextEdit_);
    clearConsole();
    if (ftdiOnly_)
        printConsoleNoError(tr("Filter only FTDI devices"));
}

void MainWindow::initSessionFiles_()
{
    sessionFiles_ = new SessionFiles(
        session_, serial_,
        [this] {
            // Opening a capture ends the connection at once: the escape that ends a Navi Ctrl
            // pipe gets the send thread's moment to go out first.
            if (naviControls_ && naviControls_->leavePipe())
                QThread::msleep(NaviControls::kEscapeFlushMs);
            closeLink_(CloseCause::User);
        },
        this);
    sessionFiles_->addMenuTo(menuBar());
    connect(sessionFiles_, &SessionFiles::message, this, [this](int severity, const QString& text) {
        printConsole(severity == SessionFiles::Error     ? Error
                     : severity == SessionFiles::Warning ? Warning
                                                         : NoError,
                     text);
    });
    // A new session keeps the console's earlier lines (a start-up script error stays readable);
    // a line marks where the new session begins.
    connect(sessionFiles_, &SessionFiles::sessionStarting, this, [this] {
        ui_->treeWidgetFrame_->clear();
        consoleNotShown_ = 0;
        showNotShown_();
        printConsoleNoError(QStringLiteral("────────────────────"));
    });
    connect(sessionFiles_, &SessionFiles::replayStarted, this, [this] {
        if (!rtDialogVisible_)
            onOpenRt_();
    });
    connect(sessionFiles_, &SessionFiles::sourceChanged, this, &MainWindow::updateTitle_);
    // A capture names its channels from its own label answers, as they come.
    connect(session_->labels(), &LabelTable::changed, this, [this] {
        if (session_->link() != serial_ && session_->labels()->knownCount() > 0)
            rtDialog_->setLabels(sessionFiles_->channelNames());
    });
    connect(this, &MainWindow::serialConnectionOpened, this, [this](bool open) {
        session_->recordEvent(open ? QStringLiteral("connected") : QStringLiteral("disconnected"));
    });
    initFileExtras_();
}

void MainWindow::updateTitle_()
{
    const QString source = session_->link() == serial_
                               ? (serial_->isOpen() ? serial_->deviceName() : QString())
                               : sessionFiles_->captureName();
    setWindowTitle(source.isEmpty() ? QStringLiteral("Tovrik")
                                    : QStringLiteral("%1 - Tovrik").arg(source));
}

void MainWindow::initFileExtras_()
{
    // "Open recent" below "Open capture...", and captures dropped on the window: both open
    // through the File menu's own path, with its checks and questions.
    auto* recent = new RecentFiles(this);
    QMenu* fileMenu = sessionFiles_->menu();
    const QList<QAction*> fileActions = fileMenu->actions();
    fileMenu->insertMenu(fileActions.size() > 1 ? fileActions.at(1) : nullptr,
                         recent->createMenu(fileMenu));
    connect(sessionFiles_, &SessionFiles::captureOpened, recent, &RecentFiles::add);
    auto* drop = CaptureDrop::watch(this);
    const auto open = [this](const QString& fileName) { sessionFiles_->openCapture(fileName); };
    const auto refuse = [this](const QString& message) {
        printConsoleError(message.toHtmlEscaped());
        QMessageBox::warning(this, tr("Open capture"), message);
    };
    connect(recent, &RecentFiles::openRequested, this, open);
    connect(recent, &RecentFiles::refused, this, refuse);
    connect(drop, &CaptureDrop::openRequested, this, open);
    connect(drop, &CaptureDrop::refused, this, refuse);
}

bool MainWindow::userReallyWantsToQuit_()
{
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!userReallyWantsToQuit_()) {
        event->ignore();
        return;
    }
    // A copter left piped to another device would not answer the next session's requests.
    if (naviControls_->leavePipe()) {
        event->ignore();
        QTimer::singleShot(NaviControls::kEscapeFlushMs, this, &QWidget::close);
        return;
    }
    writeSettings_();
    rtDialog_->writeSettings();
    event->accept();
}
