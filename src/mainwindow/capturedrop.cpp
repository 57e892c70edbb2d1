#include "capturedrop.h"

#include "captureformat.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

CaptureDrop* CaptureDrop::watch(QWidget* window)
{
    return new CaptureDrop(window);
}

CaptureDrop::CaptureDrop(QWidget* window) : QObject(window), window_(window)
{
    window_->setAcceptDrops(true);
    window_->installEventFilter(this);
}

CaptureDrop::Verdict CaptureDrop::judge(const QList<QUrl>& urls)
{
    if (urls.isEmpty())
        return {QString(), tr("Nothing to open was dropped.")};
    if (urls.size() > 1)
        return {QString(), tr("%n files were dropped; drop one capture file at a time.", nullptr,
                              int(urls.size()))};
    const QUrl& url = urls.constFirst();
    if (!url.isLocalFile())
        return {QString(), tr("'%1' is not a file on this computer.").arg(url.toDisplayString())};
    const QString path = url.toLocalFile();
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (info.isDir())
        return {QString(), tr("'%1' is a folder, not a capture file.").arg(shown)};
    if (!info.exists())
        return {QString(), tr("'%1' does not exist.").arg(shown)};
    if (!info.isFile())
        return {QString(), tr("'%1' is not a regular file.").arg(shown)};
    // A capture is known by its suffix or, renamed, by its first line.
    if (info.suffix().compare(QLatin1String("mkcap"), Qt::CaseInsensitive) != 0) {
        QFile file(path);
        const QByteArray header(CaptureFormat::kHeader);
        if (!file.open(QIODevice::ReadOnly) || !file.read(header.size()).startsWith(header))
            return {QString(), tr("'%1' is not a capture file (.mkcap).").arg(shown)};
    }
    return {path, QString()};
}

bool CaptureDrop::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        // Anything with file names is taken, so that a wrong drop gets its message.
        if (enter->mimeData()->hasUrls()) {
            enter->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        drop->acceptProposedAction();
        const Verdict verdict = judge(drop->mimeData()->urls());
        // Acted on after the drop has finished: the source waits for it, and opening or a
        // message box must not hold it.
        QTimer::singleShot(0, this, [this, verdict] {
            if (verdict.fileName.isEmpty())
                emit refused(verdict.refusal);
            else
                emit openRequested(verdict.fileName);
        });
        return true;
    }
    return false;
}
