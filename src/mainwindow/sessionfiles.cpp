#include "sessionfiles.h"

#include "capturereader.h"
#include "capturewriter.h"
#include "csvexport.h"
#include "filedialogs.h"
#include "filesafety.h"
#include "framestore.h"
#include "framestorewalk.h"
#include "labeltable.h"
#include "link.h"
#include "replaylink.h"
#include "sessionpipeline.h"
#include "stepprogress.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace {

// Lines read between two looks at the progress bar while a capture loads.
constexpr qsizetype kLoadBatch = 20000;

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

SessionFiles::SessionFiles(SessionPipeline* session, Link* device, std::function<void()> disconnect,
                           QWidget* window)
    : QObject(window), session_(session), device_(device), disconnect_(std::move(disconnect)),
      window_(window)
{
    confirm_ = [this](const QString& question) {
        return QMessageBox::question(window_, tr("Open a capture"), question,
                                     QMessageBox::Yes | QMessageBox::Cancel,
                                     QMessageBox::Cancel) == QMessageBox::Yes;
    };
    connect(session_->writer(), &CaptureWriter::failed, this, [this](const QString& text) {
        fail_(text);
        recordAction_->setChecked(false);
        emit recordingFailed(text);
    });
    buildMenu_();
}

// The writer, a child of the session, writes what is pending and closes the file on its own.
SessionFiles::~SessionFiles() = default;

void SessionFiles::buildMenu_()
{
    menu_ = new QMenu(tr("&File"), window_);
    menu_->setObjectName(QStringLiteral("menuFile_"));

    QAction* open = menu_->addAction(tr("&Open capture..."), this, &SessionFiles::onOpen_);
    open->setObjectName(QStringLiteral("actionOpenCapture_"));
    open->setShortcut(QKeySequence::Open);
    open->setStatusTip(tr("Load a capture file into the frame log"));

    recordAction_ = menu_->addAction(tr("&Record..."));
    recordAction_->setObjectName(QStringLiteral("actionRecord_"));
    recordAction_->setCheckable(true);
    recordAction_->setStatusTip(tr("Write every frame and event of the session to a capture file"));
    connect(recordAction_, &QAction::triggered, this, &SessionFiles::onRecord_);

    QMenu* replay = menu_->addMenu(tr("Re&play"));
    replay->setObjectName(QStringLiteral("menuReplay_"));
    const struct
    {
        QString text;
        const char* name;
        int speed;
    } speeds[] = {
        {tr("At the recorded pace (x&1)"), "actionReplay1_", 1},
        {tr("Four times faster (x&4)"), "actionReplay4_", 4},
        {tr("&As fast as possible"), "actionReplayFast_", 0},
    };
    for (const auto& speed : speeds) {
        QAction* action = replay->addAction(speed.text);
        action->setObjectName(QLatin1String(speed.name));
        action->setStatusTip(tr("Play a capture's frames again, as the device sent them"));
        const int factor = speed.speed;
        connect(action, &QAction::triggered, this, [this, factor] { onReplay_(factor); });
    }
    replay->addSeparator();
    pauseAction_ = replay->addAction(tr("&Pause"));
    pauseAction_->setObjectName(QStringLiteral("actionReplayPause_"));
    pauseAction_->setCheckable(true);
    pauseAction_->setEnabled(false);
    connect(pauseAction_, &QAction::toggled, this, [this](bool on) {
        if (replay_)
            replay_->setPaused(on);
    });
    stopReplayAction_ = replay->addAction(tr("&Stop"), this, &SessionFiles::stopReplay_);
    stopReplayAction_->setObjectName(QStringLiteral("actionReplayStop_"));
    stopReplayAction_->setEnabled(false);

    QAction* exportCsv = menu_->addAction(tr("&Export CSV..."), this, &SessionFiles::onExport_);
    exportCsv->setObjectName(QStringLiteral("actionExportCsv_"));
    exportCsv->setStatusTip(tr("Write the frames of one command letter as a CSV table"));

    menu_->addSeparator();
    QAction* quit = menu_->addAction(tr("&Quit"), window_, &QWidget::close);
    quit->setObjectName(QStringLiteral("actionQuit_"));
    quit->setShortcut(QKeySequence::Quit);
}

void SessionFiles::addMenuTo(QMenuBar* bar)
{
    const QList<QAction*> existing = bar->actions();
    bar->insertMenu(existing.isEmpty() ? nullptr : existing.constFirst(), menu_);
}

bool SessionFiles::takeOver_(const QString& question)
{
    if (device_->isOpen()) {
        if (!confirm_(question))
            return false;
        disconnect_();
    }
    stopReplay_();
    if (session_->isRecording())
        stopRecording();
    emit sessionStarting();
    session_->setLink(nullptr);
    session_->clear();
    return true;
}

void SessionFiles::onOpen_()
{
    const QString fileName =
        FileDialogs::openFile(window_, FileDialogs::Capture, tr("Open capture"));
    if (!fileName.isEmpty())
        openCapture(fileName);
}

bool SessionFiles::openCapture(const QString& fileName)
{
    CaptureReader reader;
    if (!reader.open(fileName)) {
        fail_(reader.errorString());
        return false;
    }
    if (!takeOver_(tr("Disconnect from the device and open the capture '%1'?").arg(fileName)))
        return false;
    capture_ = fileName;
    emit sourceChanged();

    qint64 frames = 0;
    QList<CaptureReader::Event> events;
    const bool cancelled = !StepProgress::run(
        window_, tr("Loading the capture '%1'...").arg(fileName),
        [&] {
            QList<FrameRecord> batch;
            const bool more = reader.read(batch, kLoadBatch, &events);
            frames += batch.size();
            if (!batch.isEmpty())
                session_->appendLoaded(std::move(batch));
            session_->learnFromEvents(events);
            events.clear();
            return more;
        },
        [&] { return int(reader.position() * 1000 / qMax<qint64>(1, reader.size())); });

    const QString name = escaped(fileName);
    QString text = tr("Capture '%1' opened: %n frame(s)", nullptr, int(frames)).arg(name);
    if (reader.skippedLines() > 0)
        text += tr(", %n line(s) not understood and skipped", nullptr, int(reader.skippedLines()));
    if (cancelled) {
        emit message(Warning, text + tr(" (loading cancelled)"));
        error_ = tr("Loading the capture '%1' cancelled").arg(fileName);
        return false;
    }
    emit message(Info, text);
    emit captureOpened(fileName);
    return true;
}

void SessionFiles::leaveCapture()
{
    const bool wasCapture = !capture_.isEmpty() || replay_;
    stopReplay_();
    if (!wasCapture)
        return;
    capture_.clear();
    emit sessionStarting();
    session_->clear();
    emit sourceChanged();
}

QStringList SessionFiles::channelNames() const
{
    QStringList names = session_->labels()->labels();
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).isNull())
            names[i] = tr("Analog %1").arg(i);
    }
    return names;
}

QStringList SessionFiles::sessionFiles() const
{
    QStringList files{capture_};
    if (session_->isRecording())
        files << session_->writer()->fileName();
    return files;
}

bool SessionFiles::isRecording() const
{
    return session_->isRecording();
}

bool SessionFiles::startRecording(const QString& fileName)
{
    stopRecording();
    // The capture shown is never recorded over (the writer checks the rest once it is open).
    QString error = FileSafety::checkTarget(fileName, {capture_});
    if (!error.isEmpty() || !session_->startRecording(fileName, &error)) {
        fail_(error);
        recordAction_->setChecked(false);
        return false;
    }
    recordAction_->setChecked(true);
    emit message(Info, tr("Recording to '%1'").arg(escaped(fileName)));
    return true;
}

void SessionFiles::stopRecording()
{
    if (!session_->isRecording())
        return;
    const QString fileName = session_->writer()->fileName();
    session_->stopRecording();
    recordAction_->setChecked(false);
    emit message(Info, tr("Recording to '%1' ended").arg(escaped(fileName)));
}

void SessionFiles::onRecord_(bool on)
{
    if (!on) {
        stopRecording();
        return;
    }
    const QString fileName = FileDialogs::saveFile(window_, FileDialogs::Capture, tr("Record to"));
    if (fileName.isEmpty())
        recordAction_->setChecked(false);
    else
        startRecording(fileName);
}

void SessionFiles::onReplay_(int speed)
{
    QString fileName = capture_;
    if (fileName.isEmpty())
        fileName = FileDialogs::openFile(window_, FileDialogs::Capture, tr("Replay capture"));
    if (!fileName.isEmpty())
        replayCapture(fileName, speed);
}

bool SessionFiles::replayCapture(const QString& fileName, int speed)
{
    if (!takeOver_(tr("Disconnect from the device and replay the capture '%1'?").arg(fileName)))
        return false;
    capture_ = fileName;
    replay_ = new ReplayLink(fileName, this);
    replay_->setSpeed(speed);
    replay_->setBacklogProbe([this] { return session_->backlog(); });
    session_->setLink(replay_);
    connect(replay_, &Link::framesReceived, this,
            [this] { session_->learnFromEvents(replay_->takeEvents()); });
    connect(replay_, &ReplayLink::finished, this, &SessionFiles::onReplayFinished_);
    emit sourceChanged();
    if (!replay_->open()) {
        emit message(Error, escaped(replay_->errorString()));
        stopReplay_();
        return false;
    }
    emit replayStarted();
    emit message(Info, tr("Replaying '%1'").arg(escaped(fileName)));
    pauseAction_->setEnabled(true);
    pauseAction_->setChecked(false);
    stopReplayAction_->setEnabled(true);
    return true;
}

void SessionFiles::onReplayFinished_()
{
    QString text = tr("Replay of '%1' finished: %n frame(s)", nullptr, int(replay_->framesPlayed()))
                       .arg(escaped(replay_->name()));
    if (replay_->oddGaps() > 0)
        text += tr(", %n step(s) back in time or gap(s) over 10 s played as 1 s pauses", nullptr,
                   int(replay_->oddGaps()));
    emit message(Info, text);
    pauseAction_->setChecked(false);
    pauseAction_->setEnabled(false);
    stopReplayAction_->setEnabled(false);
}

void SessionFiles::stopReplay_()
{
    if (!replay_)
        return;
    ReplayLink* replay = replay_;
    replay_ = nullptr;
    if (session_->link() == replay)
        session_->setLink(nullptr);
    replay->close();
    replay->deleteLater();
    pauseAction_->setChecked(false);
    pauseAction_->setEnabled(false);
    stopReplayAction_->setEnabled(false);
}

void SessionFiles::onExport_()
{
    QStringList letters;
    for (const FrameModel& model : models_) {
        const QString letter = QString(QChar(ushort(quint8(model.cmd))));
        if (!letters.contains(letter))
            letters.append(letter);
    }
    if (letters.isEmpty()) {
        emit message(Error, tr("CSV export needs the definitions of mk.js"));
        return;
    }
    bool ok = false;
    const int current = qMax(0, int(letters.indexOf(QStringLiteral("D"))));
    const QString letter = QInputDialog::getItem(window_, tr("Export CSV"), tr("Command letter:"),
                                                 letters, current, false, &ok);
    if (!ok || letter.isEmpty())
        return;
    const QString fileName = FileDialogs::saveFile(window_, FileDialogs::Csv, tr("Export CSV"));
    if (!fileName.isEmpty())
        exportCsv(fileName, char(letter.at(0).unicode()));
}

bool SessionFiles::exportCsv(const QString& fileName, char cmd)
{
    FrameStoreWalk walk(session_->store());
    qint64 rows = 0;
    qint64 bad = 0;
    bool cancelled = false;
    QString error;
    const bool written = FileSafety::writeWhole(
        fileName, sessionFiles(),
        [&](QIODevice& out) {
            CsvExport csv(models_, cmd, &out);
            // The session's labels (a capture's label events among them), then the answers
            // anywhere in the log for what they lack: a first pass learns them, the second
            // writes the rows.
            const QStringList known = session_->labels()->labels();
            for (int i = 0; i < known.size(); ++i) {
                if (!known.at(i).isNull())
                    csv.setLabel(i, known.at(i));
            }
            bool learning = true;
            cancelled = !StepProgress::run(
                window_, tr("Exporting CSV..."),
                [&] {
                    if (learning) {
                        if (!walk.step(FrameStoreWalk::kStep,
                                       [&](const FrameRecord& r) { csv.learn(r); })) {
                            learning = false;
                            walk.restart();
                        }
                        return true;
                    }
                    return walk.step(FrameStoreWalk::kStep,
                                     [&](const FrameRecord& r) { csv.add(r); });
                },
                [&] { return (learning ? 0 : 500) + walk.permille() / 2; });
            rows = csv.rowCount();
            bad = csv.badCount();
            return !cancelled && csv.finish();
        },
        error);
    if (cancelled) {
        emit message(Info,
                     tr("CSV export to '%1' cancelled; nothing written").arg(escaped(fileName)));
        return false;
    }
    if (!written) {
        fail_(error);
        return false;
    }
    const QString letter = escaped(QString(QChar(ushort(quint8(cmd)))));
    QString text =
        tr("Exported %n '%1' frame(s) to '%2'", nullptr, int(rows)).arg(letter, escaped(fileName));
    if (bad > 0)
        text += tr(", %n bad frame(s) skipped", nullptr, int(bad));
    emit message(Info, text);
    return true;
}

void SessionFiles::fail_(const QString& text)
{
    error_ = text;
    emit message(Error, escaped(text));
}
