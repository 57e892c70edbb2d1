#pragma once

#include <QString>

class QWidget;

// The program's file dialogs, one per kind of file: each starts in the folder last used for
// that kind (kept in the settings), offers the kind's filter, and a name saved without a
// suffix gets the kind's one, so that the Open dialog's filter shows the file afterwards.
class FileDialogs
{
public:
    FileDialogs() = delete;

    enum Kind
    {
        Capture, // .mkcap: open, record
        Csv,     // .csv: export, the plot's data
        Gpx,     // .gpx: the Navi Ctrl's track
        Image    // .png (or .svg): the plot's picture
    };

    // Settings keys, all here: the last folder of each kind, the recent captures.
    static QString folderKey(Kind kind);
    static constexpr const char* kRecentCapturesKey = "Files/recentCaptures";

    // The suffix of a kind, without the dot.
    static QString suffix(Kind kind);
    // `fileName` with ".<suffix>" added when its base name has no suffix at all; a name that
    // has one (another suffix included) is the user's choice and stays.
    static QString withSuffix(const QString& fileName, Kind kind);

    // Empty when cancelled. The folder of the chosen file becomes the kind's last folder.
    static QString openFile(QWidget* parent, Kind kind, const QString& title);
    static QString saveFile(QWidget* parent, Kind kind, const QString& title);

    // The kind's last folder; the user's home folder before any was chosen or when it is gone.
    static QString lastFolder(Kind kind);
    static void setLastFolder(Kind kind, const QString& fileName);

private:
    static QString filter(Kind kind);
    static QString run(QWidget* parent, Kind kind, const QString& title, bool save);
};
