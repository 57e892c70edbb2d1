#pragma once

#include <QObject>
#include <QStringList>

class QMenu;
class QWidget;

// The captures opened last, newest first, kept in the settings: at most kMaxEntries, each
// file once (by absolute path). An entry chosen from the menu is checked first: a file that
// is gone or is no longer a regular file (a FIFO, a folder, a device put in its place) is
// removed from the list and refused with the reason, never opened.
class RecentFiles : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxEntries = 10;

    // Reads the list from the settings.
    explicit RecentFiles(QObject* parent = nullptr);

    QStringList files() const { return files_; }
    // Puts the file first (moved there when listed already) and drops entries past the limit.
    void add(const QString& fileName);
    void remove(const QString& fileName);

    // Why the file cannot be opened from the list, empty when it can.
    static QString problem(const QString& fileName);
    // Opens an entry: emits openRequested, or, for an entry with a problem, removes it and
    // emits refused. True when it was opened.
    bool open(const QString& fileName);

    // An "Open recent" menu, rebuilt from the list each time it is shown, owned by `parent`.
    QMenu* createMenu(QWidget* parent);

signals:
    void openRequested(const QString& fileName);
    // A finished message naming the file and the reason.
    void refused(const QString& message);

private:
    void save_() const;
    void fillMenu_(QMenu* menu);

    QStringList files_;
};
