#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "screengeometry.h"
#include "settingsstore.h"

#include <QSettings>

namespace {

// A stored flag as written by any store format ("true"/"false" text in files, a bool or a
// number elsewhere); anything else, a hand-edited "xyz" included, is the default.
bool readFlag(const QSettings& settings, const QString& key, bool defaultValue)
{
    const QVariant value = settings.value(key);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toLongLong() == 1 ? true : value.toLongLong() == 0 ? false : defaultValue;
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = value.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1"))
            return true;
        if (text == QLatin1String("false") || text == QLatin1String("0"))
            return false;
        return defaultValue;
    }
    default:
        return defaultValue;
    }
}

// A stored text; a value of another type (a list, from a line with commas) is the default.
QString readText(const QSettings& settings, const QString& key, const QString& defaultValue)
{
    const QVariant value = settings.value(key, defaultValue);
    return value.typeId() == QMetaType::QString ? value.toString() : defaultValue;
}

} // namespace

void MainWindow::readSettings_()
{
    // The program's one store, in the platform's native format; the real-time dialog keeps its
    // own group in it.
    using S = SettingsStore;
    // What is wrong with the store is said once the console is set up.
    S::check();
    const std::unique_ptr<QSettings> store = S::open();
    QSettings& settings = *store;
    settings.beginGroup(S::kMainWindowGroup);
    // Fitted to a screen: the stored values may come from another screen setup or a bad file.
    ScreenGeometry::restore(this, settings.value(S::kSize), settings.value(S::kPos),
                            QSize(510, 680), QPoint(200, 200));

    const bool showTerminal = readFlag(settings, S::kShowTerminal, true);
    ui_->actionShowTerminal_->setChecked(showTerminal);
    onShowTerminal_(showTerminal);

    // Stored negated: true means hidden. onOpenRt_ flips it back and shows or hides the dialog.
    rtDialogVisible_ = readFlag(settings, S::kShowRtDialog, true);
    onOpenRt_();
    settings.endGroup();

    ftdiOnly_ = readFlag(settings, S::kFtdiOnly, false);
    ui_->FTDIOnlyCheckBox_->setChecked(ftdiOnly_);
    hexDisplay_ = readFlag(settings, S::kHexDisplay, false);
    ui_->checkBoxHex_->setChecked(hexDisplay_);
    cmdFilter_ = readText(settings, S::kCmdFilter, QStringLiteral("VNPLAUDk"));
    session_->setLogFilter(cmdFilter_);
    readConnectionSettings_(settings);
}

void MainWindow::writeSettings_()
{
    using S = SettingsStore;
    if (!S::mayWrite())
        return;
    const std::unique_ptr<QSettings> store = S::open();
    QSettings& settings = *store;
    settings.beginGroup(S::kMainWindowGroup);
    settings.setValue(S::kSize, size());
    settings.setValue(S::kPos, pos());
    settings.setValue(S::kShowTerminal, ui_->actionShowTerminal_->isChecked());
    settings.setValue(S::kShowRtDialog, !rtDialogVisible_);
    settings.endGroup();

    settings.setValue(S::kFtdiOnly, ftdiOnly_);
    settings.setValue(S::kHexDisplay, hexDisplay_);
    settings.setValue(S::kCmdFilter, cmdFilter_);
    writeConnectionSettings_(settings);
    S::sync(settings);
}
