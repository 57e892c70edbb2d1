#include "filedialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

QString FileDialogs::folderKey(Kind kind)
{
    switch (kind) {
    case Capture:
        return QStringLiteral("Files/captureFolder");
    case Csv:
        return QStringLiteral("Files/csvFolder");
    case Gpx:
        return QStringLiteral("Files/gpxFolder");
    case Image:
        break;
    }
    return QStringLiteral("Files/imageFolder");
}

QString FileDialogs::suffix(Kind kind)
{
    switch (kind) {
    case Capture:
        return QStringLiteral("mkcap");
    case Csv:
        return QStringLiteral("csv");
    case Gpx:
        return QStringLiteral("gpx");
    case Image:
        break;
    }
    return QStringLiteral("png");
}

QString FileDialogs::filter(Kind kind)
{
    switch (kind) {
    case Capture:
        return QCoreApplication::translate("FileDialogs", "Captures (*.mkcap);;All files (*)");
    case Csv:
        return QCoreApplication::translate("FileDialogs", "CSV files (*.csv);;All files (*)");
    case Gpx:
        return QCoreApplication::translate("FileDialogs", "GPX files (*.gpx);;All files (*)");
    case Image:
        break;
    }
    return QCoreApplication::translate("FileDialogs", "PNG image (*.png);;SVG drawing (*.svg)");
}

QString FileDialogs::withSuffix(const QString& fileName, Kind kind)
{
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    // "flight1." has an empty suffix too: the dot stays and the suffix follows it.
    return fileName.endsWith(QLatin1Char('.')) ? fileName + suffix(kind)
                                               : fileName + QLatin1Char('.') + suffix(kind);
}

QString FileDialogs::lastFolder(Kind kind)
{
    const QString folder = QSettings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"))
                               .value(folderKey(kind))
                               .toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void FileDialogs::setLastFolder(Kind kind, const QString& fileName)
{
    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    settings.setValue(folderKey(kind), QFileInfo(fileName).absolutePath());
}

QString FileDialogs::openFile(QWidget* parent, Kind kind, const QString& title)
{
    return run(parent, kind, title, false);
}

QString FileDialogs::saveFile(QWidget* parent, Kind kind, const QString& title)
{
    return run(parent, kind, title, true);
}

QString FileDialogs::run(QWidget* parent, Kind kind, const QString& title, bool save)
{
    QFileDialog dialog(parent, title, lastFolder(kind), filter(kind));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(suffix(kind));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    // A native dialog may ignore the default suffix: added here too.
    const QString fileName = save ? withSuffix(dialog.selectedFiles().constFirst(), kind)
                                  : dialog.selectedFiles().constFirst();
    setLastFolder(kind, fileName);
    return fileName;
}
