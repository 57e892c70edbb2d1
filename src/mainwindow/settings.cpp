#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "screengeometry.h"

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
    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    settings.beginGroup(QStringLiteral("MainWindow"));
    // Fitted to a screen: the stored values may come from another screen setup or a bad file.
    ScreenGeometry::restore(this, settings.value(QStringLiteral("size")),
                            settings.value(QStringLiteral("pos")), QSize(510, 680),
                            QPoint(200, 200));

    const bool showTerminal = readFlag(settings, QStringLiteral("showTerminal"), true);
    ui_->actionShowTerminal_->setChecked(showTerminal);
    onShowTerminal_(showTerminal);

    // Stored negated: true means hidden. onOpenRt_ flips it back and shows or hides the dialog.
    rtDialogVisible_ = readFlag(settings, QStringLiteral("showRtDialog"), true);
    onOpenRt_();
    settings.endGroup();

    ftdiOnly_ = readFlag(settings, QStringLiteral("FTDIOnly"), false);
    ui_->FTDIOnlyCheckBox_->setChecked(ftdiOnly_);
    hexDisplay_ = readFlag(settings, QStringLiteral("hexDisplay"), false);
    ui_->checkBoxHex_->setChecked(hexDisplay_);
    cmdFilter_ = readText(settings, QStringLiteral("cmdFilter"), QStringLiteral("VNPLAUDk"));
    session_->setLogFilter(cmdFilter_);
    readConnectionSettings_(settings);
}

void MainWindow::writeSettings_()
{
    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    settings.beginGroup(QStringLiteral("MainWindow"));
    settings.setValue(QStringLiteral("size"), size());
    settings.setValue(QStringLiteral("pos"), pos());
    settings.setValue(QStringLiteral("showTerminal"), ui_->actionShowTerminal_->isChecked());
    settings.setValue(QStringLiteral("showRtDialog"), !rtDialogVisible_);
    settings.endGroup();

    settings.setValue(QStringLiteral("FTDIOnly"), ftdiOnly_);
    settings.setValue(QStringLiteral("hexDisplay"), hexDisplay_);
    settings.setValue(QStringLiteral("cmdFilter"), cmdFilter_);
    writeConnectionSettings_(settings);
}
