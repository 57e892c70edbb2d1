#include "sessionfiles.h"

#include "captureformat.h"
#include "capturereader.h"
#include "capturereplay.h"
#include "capturewriter.h"
#include "csvexport.h"
#include "filesafety.h"
#include "framestore.h"
#include "mainwindow.h"
#include "mkrecords.h"

#include <QActionGroup>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>

namespace {

// Lines read between two looks at the clock and the progress bar while a capture loads.
constexpr qsizetype kLoadBatch = 20000;
// A load that takes longer than this shows a progress bar.
constexpr int kProgressAfterMs = 500;

QString captureFilter()
{
    return SessionFiles::tr("Captures (*.mkcap);;All files (*)");
}

} // namespace

SessionFiles::SessionFiles(MainWindow* window)
    : QObject(window), window_(window), store_(window->frameStore()),
      writer_(new CaptureWriter(this)), replay_(new CaptureReplay(store_, this))
{
    connect(store_, &FrameStore::appended, this, &SessionFiles::onStoreAppended_);
    connect(writer_, &CaptureWriter::failed, this, [this](const QString& message) {
        fail_(message);
        recordAction_->setChecked(false);
        emit recordingFailed(message);
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
        {tr("At the recorded pace (x1)"), "actionReplay1_", 1},
        {tr("Four times faster (x4)"), "actionReplay4_", 4},
        {tr("As fast as possible"), "actionReplayFast_", 0},
    };
    for (const auto& speed : speeds) {
        QAction* action = replay->addAction(speed.text);
        action->setObjectName(QLatin1String(speed.name));
        action->setStatusTip(tr("Feed the logged frames to the real-time dialog"));
        const int factor = speed.speed;
        connect(action, &QAction::triggered, this, [this, factor] { onReplay_(factor); });
    }
    replay->addSeparator();
    pauseAction_ = replay->addAction(tr("Pause"));
    pauseAction_->setObjectName(QStringLiteral("actionReplayPause_"));
    pauseAction_->setCheckable(true);
    pauseAction_->setEnabled(false);
    connect(pauseAction_, &QAction::toggled, replay_, &CaptureReplay::setPaused);
    stopReplayAction_ = replay->addAction(tr("Stop"), replay_, &CaptureReplay::stop);
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
        QFileDialog::getOpenFileName(window_, tr("Open capture"), QString(), captureFilter());
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
    openedCapture_ = fileName;
    captureLabels_.clear();
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
        QList<CaptureReader::Event> events;
        more = reader.read(batch, kLoadBatch, &events);
        // Labels known before the recording started, for the export.
        for (const CaptureReader::Event& event : std::as_const(events)) {
            if (CaptureFormat::isLabelEvent(event.text))
                captureLabels_.append(event);
        }
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
        error_ = tr("Loading the capture '%1' cancelled").arg(fileName);
        return false;
    }
    window_->printConsoleNoError(text);
    return true;
}

bool SessionFiles::isRecording() const
{
    return writer_->isOpen();
}

bool SessionFiles::startRecording(const QString& fileName)
{
    stopRecording();
    if (!writer_->open(fileName, {openedCapture_})) {
        fail_(writer_->errorString());
        recordAction_->setChecked(false);
        return false;
    }
    recordAction_->setChecked(true);
    writer_->writeEvent(FrameRecord::nowUs(), QStringLiteral("recording started"));
    writer_->writeLabels(labelsInStore_());
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
    const QString fileName =
        QFileDialog::getSaveFileName(window_, tr("Record to"), QString(), captureFilter());
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
        for (int i = 0; i < MkRecords::kAnalogCount; ++i)
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
    QStringList labels(MkRecords::kAnalogCount);
    int found = 0;
    for (qsizetype i = 0; i < store_->size(); ++i) {
        MkRecords::Label label;
        if (!CsvExport::labelOf(store_->at(i), label))
            continue;
        found += labels.at(label.index).isNull();
        labels[label.index] = label.text.isNull() ? QStringLiteral("") : label.text;
    }
    return found == MkRecords::kAnalogCount ? labels : QStringList();
}

void SessionFiles::fail_(const QString& message)
{
    error_ = message;
    window_->printConsoleError(message.toHtmlEscaped());
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
    const QString letter = QInputDialog::getItem(window_, tr("Export CSV"), tr("Command letter:"),
                                                 letters, current, false, &ok);
    if (!ok || letter.isEmpty())
        return;
    const QString fileName = QFileDialog::getSaveFileName(window_, tr("Export CSV"), QString(),
                                                          tr("CSV files (*.csv);;All files (*)"));
    if (!fileName.isEmpty())
        exportCsv(fileName, char(letter.at(0).unicode()));
}

bool SessionFiles::exportCsv(const QString& fileName, char cmd)
{
    QStringList inputs{openedCapture_};
    if (writer_->isOpen())
        inputs << writer_->fileName();
    qint64 rows = 0;
    qint64 bad = 0;
    QString error;
    const bool written = FileSafety::writeWhole(
        fileName, inputs,
        [&](QIODevice& out) {
            CsvExport csv(window_->frameModels(), cmd, &out);
            for (const CaptureReader::Event& event : std::as_const(captureLabels_))
                csv.learn(event);
            for (qsizetype i = 0; i < store_->size(); ++i)
                csv.learn(store_->at(i));
            for (qsizetype i = 0; i < store_->size(); ++i)
                csv.add(store_->at(i));
            rows = csv.rowCount();
            bad = csv.badCount();
            return csv.finish();
        },
        error);
    if (!written) {
        fail_(error);
        return false;
    }
    const QString letter = QString(QChar(ushort(quint8(cmd)))).toHtmlEscaped();
    QString text = tr("Exported %n '%1' frame(s) to '%2'", nullptr, int(rows))
                       .arg(letter, fileName.toHtmlEscaped());
    if (bad > 0)
        text += tr(", %n bad frame(s) skipped", nullptr, int(bad));
    window_->printConsoleNoError(text);
    return true;
}
