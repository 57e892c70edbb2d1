#include "navicontrols.h"

#include "filedialogs.h"
#include "filesafety.h"
#include "framestore.h"
#include "framestorewalk.h"
#include "gpxexport.h"
#include "mkhelper.h"
#include "navigationpanel.h"
#include "navipipe.h"
#include "remotedisplay.h"
#include "sessionpipeline.h"
#include "stepprogress.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

NaviControls::NaviControls(QMainWindow* window, SessionPipeline* session, QMenu* fileMenu,
                           QMenu* windowsMenu, std::function<int()> debugIntervalTicks,
                           std::function<QStringList()> sessionFiles)
    : QObject(window), store_(session->store()),
      pipe_(new NaviPipe(session->store(), session, session->conversation(), this)),
      window_(window), sessionFiles_(std::move(sessionFiles))
{
    FrameSink* sink = session;
    display_ = new RemoteDisplay(sink, pipe_, window);
    panel_ = new NavigationPanel(sink, pipe_, &track_, std::move(debugIntervalTicks), window);
    QAction* displayAction =
        windowsMenu->addAction(tr("Remote &display"), display_, &QWidget::show);
    displayAction->setObjectName(QStringLiteral("actionRemoteDisplay_"));
    displayAction->setStatusTip(tr("The controller's own menus, with its keys"));
    QAction* panelAction = windowsMenu->addAction(tr("&Navigation data"), panel_, &QWidget::show);
    panelAction->setObjectName(QStringLiteral("actionNavigationData_"));
    panelAction->setStatusTip(tr("The Navi Ctrl's position, home, battery and flags, and the "
                                 "track of the session"));
    addFileMenuEntry_(fileMenu);

    talkToWidget_ = new QWidget(window);
    auto* layout = new QHBoxLayout(talkToWidget_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Talk to:"), talkToWidget_));
    talkTo_ = new QComboBox(talkToWidget_);
    talkTo_->setObjectName(QStringLiteral("talkToComboBox_"));
    talkTo_->setToolTip(tr("The device requests reach: the Navi Ctrl itself, or the Flight Ctrl "
                           "or MK3MAG through its redirect"));
    for (NaviPipe::Device d : {NaviPipe::NaviCtrl, NaviPipe::FlightCtrl, NaviPipe::Mk3Mag})
        talkTo_->addItem(NaviPipe::nameOf(d), int(d));
    layout->addWidget(talkTo_);
    talkState_ = new QLabel(talkToWidget_);
    layout->addWidget(talkState_);
    window->statusBar()->addPermanentWidget(talkToWidget_);
    talkToWidget_->hide();

    connect(talkTo_, &QComboBox::activated, this, &NaviControls::onTalkTo_);
    connect(pipe_, &NaviPipe::naviPresentChanged, this, &NaviControls::updateTalkTo_);
    connect(pipe_, &NaviPipe::deviceChanged, this, &NaviControls::updateTalkTo_);
    connect(pipe_, &NaviPipe::failed, this, [this](const QString& reason) {
        window_->statusBar()->showMessage(reason, 10000);
        emit message(reason, true);
        updateTalkTo_();
    });
    connect(store_, &FrameStore::appended, this, &NaviControls::onAppended_);
    connect(session, &SessionPipeline::linkChanged, this, &NaviControls::onLinkChanged_);
    connect(store_, &FrameStore::cleared, this, [this] {
        track_.clear();
        panel_->trackChanged();
    });
}

void NaviControls::addFileMenuEntry_(QMenu* fileMenu)
{
    auto* action = new QAction(tr("Export &GPX..."), this);
    action->setObjectName(QStringLiteral("actionExportGpx_"));
    action->setStatusTip(tr("Write the Navi Ctrl's positions of the session as a GPX track"));
    connect(action, &QAction::triggered, this, [this] {
        const QString fileName = FileDialogs::saveFile(window_, FileDialogs::Gpx, tr("Export GPX"));
        if (!fileName.isEmpty())
            exportGpx(fileName);
    });
    // Beside the other exports: before the separator that precedes Quit.
    QAction* before = nullptr;
    for (QAction* a : fileMenu->actions())
        if (a->isSeparator())
            before = a;
    fileMenu->insertAction(before, action);
}

bool NaviControls::leavePipe()
{
    const bool sent = pipe_->leave();
    updateTalkTo_();
    return sent;
}

void NaviControls::onLinkChanged_()
{
    // Another device, or none: what was known of the last one no longer holds.
    pipe_->reset();
    updateTalkTo_();
}

void NaviControls::onTalkTo_(int index)
{
    const auto device = NaviPipe::Device(talkTo_->itemData(index).toInt());
    if (device != pipe_->device() || pipe_->pending())
        pipe_->talkTo(device);
    updateTalkTo_();
    if (pipe_->pending())
        talkState_->setText(tr("redirecting to the %1...").arg(NaviPipe::nameOf(device)));
}

void NaviControls::updateTalkTo_()
{
    talkToWidget_->setVisible(pipe_->naviPresent());
    talkTo_->setCurrentIndex(talkTo_->findData(int(pipe_->device())));
    talkState_->setText(pipe_->device() == NaviPipe::NaviCtrl
                            ? tr("not piped")
                            : tr("piped to the %1").arg(NaviPipe::nameOf(pipe_->device())));
}

void NaviControls::onAppended_(qsizetype first, qsizetype count)
{
    // The letter and verdict are read from the store's slots: only the frames these windows
    // show are built (the rest of a full-rate stream costs no copy).
    QByteArray screen;
    bool screenCame = false;
    NaviData latest;
    bool trackGrew = false;
    for (qsizetype i = first; i < first + count; ++i) {
        const char cmd = store_->cmd(i);
        if (store_->isSent(i) || !store_->isGood(i) || (cmd != 'O' && cmd != 'H'))
            continue;
        char decodedCmd = 0;
        int address = 0;
        QByteArray payload;
        MkHelper::decodeFrame(store_->at(i).bytes, decodedCmd, address, payload);
        if (cmd == 'H') {
            screen = payload;
            screenCame = true;
            continue;
        }
        latest = NaviData::decode(payload);
        trackGrew = track_.add(latest) || trackGrew;
    }
    if (screenCame && display_->isVisible())
        display_->showScreen(screen);
    if (latest.result != NaviData::Result::Empty || !latest.raw.isEmpty())
        if (panel_->isVisible())
            panel_->showRecord(latest);
    if (trackGrew)
        panel_->trackChanged();
}

bool NaviControls::exportGpx(const QString& fileName)
{
    FrameStoreWalk walk(store_);
    qint64 points = 0;
    qint64 skipped = 0;
    bool cancelled = false;
    QString error;
    const bool written = FileSafety::writeWhole(
        fileName, sessionFiles_ ? sessionFiles_() : QStringList(),
        [&](QIODevice& out) {
            GpxExport gpx(&out, tr("Tovrik session"));
            cancelled = !StepProgress::run(
                window_, tr("Exporting GPX..."),
                [&] {
                    return walk.step(FrameStoreWalk::kStep,
                                     [&](const FrameRecord& r) { gpx.add(r); });
                },
                [&] { return walk.permille(); });
            points = gpx.pointCount();
            skipped = gpx.skippedCount();
            return !cancelled && gpx.finish();
        },
        error);
    if (cancelled) {
        emit message(tr("GPX export to '%1' cancelled; nothing written").arg(fileName), false);
        return false;
    }
    if (!written) {
        emit message(error, true);
        return false;
    }
    QString text = tr("Exported %n position(s) to '%1'", nullptr, int(points)).arg(fileName);
    if (skipped > 0)
        text += tr(", %n 'O' frame(s) without a valid position skipped", nullptr, int(skipped));
    emit message(text, false);
    return true;
}
