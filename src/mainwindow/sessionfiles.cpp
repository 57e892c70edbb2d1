#include "sessionfiles.h"

#include "capturereader.h"
#include "capturereplay.h"
#include "capturewriter.h"
#include "csvexport.h"
#include "filedialogs.h"
#include "framestore.h"
#include "mainwindow.h"

#include <QActionGroup>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>

namespace {

// Lines read between two looks at the clock and the progress bar while a capture loads.
constexpr qsizetype kLoadBatch = 20000;
// A load that takes longer than this shows a progress bar.
constexpr int kProgressAfterMs = 500;

} // namespace

SessionFiles::SessionFiles(MainWindow* window)
    : QObject(window), window_(window), store_(window->frameStore()),
      writer_(new CaptureWriter(this)), replay_(new CaptureReplay(store_, this))
{
    connect(store_, &FrameStore::appended, this, &SessionFiles::onStoreAppended_);
    connect(writer_, &CaptureWriter::failed, this, [this](const QString& message) {
        window_->printConsoleError(message.toHtmlEscaped());
        recordAction_->setChecked(false);
    });
    connect(replay_, &CaptureReplay::frame, this, &SessionFiles::replayFrame);
    connect(replay_, &CaptureReplay::finished, this, [this] {
        pauseAction_->setChecked(false);
        pauseAction_->setEnabled(false);
        stopReplayAction_->setEnabled(false);
    });
    buildMenu_();
}

// The writer, a child, writes what is pending and closes the file on its own; the console may
// be gone by now.
SessionFiles::~SessionFiles() = default;

void SessionFiles::buildMenu_()
{
    menu_ = new QMenu(tr("&File"), window_);
    menu_->setObjectName(QStringLiteral("menuFile_"));
    QMenuBar* bar = window_->menuBar();
    const QList<QAction*> existing = bar->actions();
    bar->insertMenu(existing.isEmpty() ? nullptr : existing.constFirst(), menu_);

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
        action->setStatusTip(tr("Feed the logged frames to the real-time dialog"));
        const int factor = speed.speed;
        connect(action, &QAction::triggered, this, [this, factor] { onReplay_(factor); });
    }
    replay->addSeparator();
    pauseAction_ = replay->addAction(tr("&Pause"));
    pauseAction_->setObjectName(QStringLiteral("actionReplayPause_"));
    pauseAction_->setCheckable(true);
    pauseAction_->setEnabled(false);
    connect(pauseAction_, &QAction::toggled, replay_, &CaptureReplay::setPaused);
    stopReplayAction_ = replay->addAction(tr("&Stop"), replay_, &CaptureReplay::stop);
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
        window_->printConsoleError(reader.errorString().toHtmlEscaped());
        return false;
    }
    replay_->stop();
    emit clearRequested();

    QElapsedTimer clock;
    clock.start();
    QProgressDialog* progress = nullptr;
    bool cancelled = false;
    qint64 frames = 0;
    loading_ = true;
    for (bool more = true; more;) {
        QList<FrameRecord> batch;
        more = reader.read(batch, kLoadBatch);
        frames += batch.size();
        // The log shows every good frame the device sent, as it would have live.
        for (FrameRecord& record : batch)
            record.logged = record.direction == FrameRecord::Received && record.good;
        if (!batch.isEmpty())
            store_->append(std::move(batch));
        if (!progress && more && clock.elapsed() > kProgressAfterMs) {
            progress = new QProgressDialog(tr("Loading the capture '%1'...").arg(fileName),
                                           tr("Cancel"), 0, 1000, window_);
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
        }
        if (progress) {
            const qint64 size = qMax<qint64>(1, reader.size());
            // Modal: setValue() also lets the window repaint and the cancel button work.
            progress->setValue(int(reader.position() * 1000 / size));
            if (progress->wasCanceled()) {
                cancelled = true;
                break;
            }
        }
    }
    loading_ = false;
    delete progress;

    const QString name = fileName.toHtmlEscaped();
    QString text = tr("Capture '%1' opened: %n frame(s)", nullptr, int(frames)).arg(name);
    if (reader.skippedLines() > 0)
        text += tr(", %n line(s) not understood and skipped", nullptr, int(reader.skippedLines()));
    if (cancelled) {
        window_->printConsoleWarning(text + tr(" (loading cancelled)"));
        return false;
    }
    window_->printConsoleNoError(text);
    emit captureOpened(fileName);
    return true;
}

bool SessionFiles::isRecording() const
{
    return writer_->isOpen();
}

bool SessionFiles::startRecording(const QString& fileName)
{
    stopRecording();
    if (!writer_->open(fileName)) {
        window_->printConsoleError(writer_->errorString().toHtmlEscaped());
        recordAction_->setChecked(false);
        return false;
    }
    recordAction_->setChecked(true);
    writer_->writeEvent(FrameRecord::nowUs(), QStringLiteral("recording started"));
    window_->printConsoleNoError(tr("Recording to '%1'").arg(fileName.toHtmlEscaped()));
    return true;
}

void SessionFiles::stopRecording()
{
    if (!writer_->isOpen())
        return;
    const QString fileName = writer_->fileName();
    writer_->close();
    recordAction_->setChecked(false);
    window_->printConsoleNoError(tr("Recording to '%1' ended").arg(fileName.toHtmlEscaped()));
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

void SessionFiles::recordEvent(const QString& text)
{
    writer_->writeEvent(FrameRecord::nowUs(), text);
}

void SessionFiles::onConnectionChanged(bool open)
{
    recordEvent(open ? QStringLiteral("connected") : QStringLiteral("disconnected"));
}

void SessionFiles::onStoreAppended_(qsizetype first, qsizetype count)
{
    if (loading_ || !writer_->isOpen())
        return;
    for (qsizetype i = first; i < first + count; ++i)
        writer_->writeFrame(store_->at(i));
}

void SessionFiles::onReplay_(int speed)
{
    if (store_->isEmpty()) {
        window_->printConsoleWarning(tr("Nothing to replay: the frame log is empty"));
        return;
    }
    emit replayStarted();
    QStringList labels = labelsInStore_();
    if (labels.isEmpty()) {
        for (int i = 0; i < CsvExport::kLabelCount; ++i)
            labels << tr("Analog %1").arg(i);
    }
    emit replayLabels(labels);
    replay_->start(speed);
    pauseAction_->setEnabled(true);
    pauseAction_->setChecked(false);
    stopReplayAction_->setEnabled(true);
}

QStringList SessionFiles::labelsInStore_() const
{
    // The latest answer for each index counts, as in a collection asked again.
    QStringList labels(CsvExport::kLabelCount);
    int found = 0;
    for (qsizetype i = 0; i < store_->size(); ++i) {
        int index = 0;
        QString label;
        if (!CsvExport::labelOf(store_->at(i), index, label))
            continue;
        found += labels.at(index).isNull();
        labels[index] = label;
    }
    return found == CsvExport::kLabelCount ? labels : QStringList();
}

void SessionFiles::onExport_()
{
    QStringList letters;
    for (const FrameModel& model : window_->frameModels()) {
        const QString letter = QString(QChar(ushort(quint8(model.cmd))));
        if (!letters.contains(letter))
            letters.append(letter);
    }
    if (letters.isEmpty()) {
        window_->printConsoleError(tr("CSV export needs the definitions of mk.js"));
        return;
    }
    bool ok = false;
    const int current = qMax(0, int(letters.indexOf(QStringLiteral("D"))));
    const QString letter = QInputDialog::getItem(window_, tr("Export CSV"),
                                                 tr("Command letter:"), letters, current, false,
                                                 &ok);
    if (!ok || letter.isEmpty())
        return;
    const QString fileName = FileDialogs::saveFile(window_, FileDialogs::Csv, tr("Export CSV"));
    if (!fileName.isEmpty())
        exportCsv(fileName, char(letter.at(0).unicode()));
}

bool SessionFiles::exportCsv(const QString& fileName, char cmd)
{
    const QString name = fileName.toHtmlEscaped();
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        window_->printConsoleError(
            tr("Cannot write '%1': %2").arg(name, file.errorString().toHtmlEscaped()));
        return false;
    }
    CsvExport csv(window_->frameModels(), cmd, &file);
    for (qsizetype i = 0; i < store_->size(); ++i)
        csv.add(store_->at(i));
    if (!csv.finish() || !file.flush()) {
        window_->printConsoleError(
            tr("Cannot write '%1': %2").arg(name, file.errorString().toHtmlEscaped()));
        return false;
    }
    const QString letter = QString(QChar(ushort(quint8(cmd)))).toHtmlEscaped();
    QString text = tr("Exported %n '%1' frame(s) to '%2'", nullptr, int(csv.rowCount()))
                       .arg(letter, name);
    if (csv.badCount() > 0)
        text += tr(", %n bad frame(s) skipped", nullptr, int(csv.badCount()));
    window_->printConsoleNoError(text);
    return true;
}
