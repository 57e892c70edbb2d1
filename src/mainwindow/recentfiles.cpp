#include "recentfiles.h"

#include "filedialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

RecentFiles::RecentFiles(QObject* parent) : QObject(parent)
{
    const QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    const QStringList stored =
        settings.value(QLatin1String(FileDialogs::kRecentCapturesKey)).toStringList();
    // A hand-edited list may hold anything: relative names, twins, too many entries.
    for (const QString& name : stored) {
        if (name.isEmpty() || QDir::isRelativePath(name) || files_.contains(name))
            continue;
        files_.append(name);
        if (files_.size() == kMaxEntries)
            break;
    }
}

void RecentFiles::add(const QString& fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    files_.removeAll(path);
    files_.prepend(path);
    while (files_.size() > kMaxEntries)
        files_.removeLast();
    save_();
}

void RecentFiles::remove(const QString& fileName)
{
    if (files_.removeAll(QFileInfo(fileName).absoluteFilePath()) > 0)
        save_();
}

QString RecentFiles::problem(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return tr("the file no longer exists");
    if (info.isDir())
        return tr("it is a folder now");
    if (!info.isFile())
        return tr("it is no longer a regular file");
    if (!info.isReadable())
        return tr("it cannot be read");
    return QString();
}

bool RecentFiles::open(const QString& fileName)
{
    const QString why = problem(fileName);
    if (why.isEmpty()) {
        emit openRequested(fileName);
        return true;
    }
    remove(fileName);
    emit refused(tr("Cannot open '%1': %2. It was removed from the recent files.")
                     .arg(QDir::toNativeSeparators(fileName), why));
    return false;
}

QMenu* RecentFiles::createMenu(QWidget* parent)
{
    auto* menu = new QMenu(tr("Open rece&nt"), parent);
    menu->setObjectName(QStringLiteral("menuRecent_"));
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillMenu_(menu); });
    // Filled now too, so that the menu is not shown disabled before its first opening.
    fillMenu_(menu);
    return menu;
}

void RecentFiles::fillMenu_(QMenu* menu)
{
    menu->clear();
    for (int i = 0; i < files_.size(); ++i) {
        const QString path = files_.at(i);
        // Alt-letters 1 to 9, then 0; '&' in a file name is shown as it is.
        const QString number = i < 9 ? QString::number(i + 1) : QStringLiteral("0");
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(number, name));
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { open(path); });
    }
    if (files_.isEmpty()) {
        QAction* none = menu->addAction(tr("&No recent captures"));
        none->setEnabled(false);
    } else {
        menu->addSeparator();
        menu->addAction(tr("&Clear list"), this, [this] {
            files_.clear();
            save_();
        });
    }
}

void RecentFiles::save_() const
{
    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    settings.setValue(QLatin1String(FileDialogs::kRecentCapturesKey), files_);
}
