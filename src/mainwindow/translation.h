#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QLocale;
class QTranslator;

// The program's translation: "Lang_<locale>.qm" for the system locale, looked up in the working
// directory and then in the installed tree. A translation file is checked before it is loaded,
// since the translator itself trusts every length and offset in it.
class Translation
{
public:
    Translation() = delete;

    // The largest translation file that is read.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    // The file names tried, in order: in each directory, the name with ".qm" and without, then
    // the same for the name cut at its last '_', and so on down to the part before the first
    // '_' (as QTranslator's own search does).
    static QStringList candidates(const QString& baseName, const QStringList& directories);

    // The directories searched: the working directory, then <bin>/../share/tovrik/translations.
    static QStringList directories();

    // True when `image` is a translation file whose every block, table entry and message lies
    // within the file, so that loading it and looking texts up in it reads nothing beyond it.
    // Files that depend on other translation files are refused too.
    static bool isValid(const QByteArray& image);

    // Installs Qt's own translation ("qtbase_<locale>.qm" from Qt's translations folder: file
    // dialogs, standard buttons, key names) for `locale`; false when there is none. Called by
    // install() before the program's translation, which so takes precedence.
    static bool installQt(const QLocale& locale);

    // Loads Qt's translation and then the first existing candidate for the system locale into
    // `translator` and installs it. Returns a line for the console when that file was refused
    // (damaged, too large, not a file), empty otherwise; no file at all is not a problem. The
    // file's bytes are kept for the life of the process, since the translator reads them in place.
    static QString install(QTranslator& translator);
    // The same for a given base name and directories.
    static QString install(QTranslator& translator, const QString& baseName,
                           const QStringList& directories);
};
