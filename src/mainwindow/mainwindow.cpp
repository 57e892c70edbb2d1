#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "framestore.h"
#include "mkhelper.h"
#include "mkserial.h"
#include "navicontrols.h"
#include "rtdialog.h"
#include "sessionfiles.h"
#include "steadyscrollbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QJSEngine>
#include <QScrollBar>
#include <QTimer>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui_(new Ui_MainWindow), frameStore_(new FrameStore(this))
{
    initGUI_();
    initSerialPort_();
    naviControls_ =
        new NaviControls(this, frameStore_, serial_, sessionFiles_->menu(), ui_->menuWindows,
                         [this] { return ui_->spinBoxDCmd_->value(); });
    connect(naviControls_, &NaviControls::message, this, [this](const QString& text, bool error) {
        printConsole(error ? Error : NoError, text.toHtmlEscaped());
    });
    connect(this, &MainWindow::serialConnectionOpened, naviControls_,
            &NaviControls::onConnectionChanged);
    initScript_();
    printConsoleNoError(tr("Tovrik initialized"));
}

MainWindow::~MainWindow()
{
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
    connect(rtDialog_, &RtDialog::labelsRequested, this, &MainWindow::rqGetLabelsList);
    connect(rtDialog_, &RtDialog::dataRequested, this, &MainWindow::rqRefreshData);
    connect(rtDialog_, &RtDialog::dataStopRequested, this, [] { MkHelper::rqDebug(0); });
    connect(this, &MainWindow::labelsListReady, rtDialog_, &RtDialog::onLabelsListReady_);
    connect(this, &MainWindow::serialConnectionOpened, rtDialog_, &RtDialog::onSerialOpened_);
    readSettings_();

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

    connect(ui_->actionShowTerminal_, &QAction::triggered, this, &MainWindow::onShowTerminal_);

    sessionFiles_ = new SessionFiles(this);
    connect(sessionFiles_, &SessionFiles::clearRequested, this, &MainWindow::onClear_);
    connect(sessionFiles_, &SessionFiles::replayStarted, this, [this] {
        if (!rtDialogVisible_)
            onOpenRt_();
    });
    connect(sessionFiles_, &SessionFiles::replayLabels, rtDialog_, &RtDialog::setLabels);
    connect(sessionFiles_, &SessionFiles::replayFrame, rtDialog_, &RtDialog::onReceiveData);
    connect(this, &MainWindow::serialConnectionOpened, sessionFiles_,
            &SessionFiles::onConnectionChanged);

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
