#pragma once

#include <QString>

#include <memory>

class QSettings;

// The program's one settings store and every key in it. The windows ask here for the store and
// for the key names instead of repeating the strings.
//
// check() looks at the store once at start-up. A store that cannot be read (a format error, or
// a directory or an unreadable file in its place) gives defaults for whatever it could not yield
// and is then left as it is: saving would replace the user's file by the defaults. A store that
// cannot be written is read as usual and not saved. Either way problem() says so in one line
// naming the file.
class SettingsStore
{
public:
    SettingsStore() = delete;

    static std::unique_ptr<QSettings> open();

    // Judges the store as it is now; run again by every window that reads it.
    static void check();
    static QString problem() { return problem_; }
    static bool mayWrite() { return mayWrite_; }
    // Writes what `settings` holds and tells a failure on stderr, naming the file: at exit there
    // is no console left to show it.
    static void sync(QSettings& settings);

    // Groups and keys.
    static inline const QString kMainWindowGroup = QStringLiteral("MainWindow");
    static inline const QString kRtDialogGroup = QStringLiteral("RtDialog");
    static inline const QString kConnectionGroup = QStringLiteral("Connection");
    static inline const QString kSize = QStringLiteral("size");
    static inline const QString kPos = QStringLiteral("pos");
    static inline const QString kShowTerminal = QStringLiteral("showTerminal");
    static inline const QString kShowRtDialog = QStringLiteral("showRtDialog"); // stored negated
    static inline const QString kFtdiOnly = QStringLiteral("FTDIOnly");
    static inline const QString kHexDisplay = QStringLiteral("hexDisplay");
    static inline const QString kCmdFilter = QStringLiteral("cmdFilter");
    static inline const QString kReconnect = QStringLiteral("reconnect");
    static inline const QString kLastDevice = QStringLiteral("lastDevice");
    static inline const QString kCheckedChannels = QStringLiteral("checkedChannels");
    static inline const QString kSplitter = QStringLiteral("splitter");
    static inline const QString kLive = QStringLiteral("live");

private:
    static inline QString problem_;
    static inline bool mayWrite_ = true;
};
