#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QSettings>

void MainWindow::readSettings_()
{
    // The program's one store, in the platform's native format; the real-time dialog keeps its
    // own group in it.
    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    settings.beginGroup(QStringLiteral("MainWindow"));
    resize(settings.value(QStringLiteral("size"), QSize(510, 680)).toSize());
    move(settings.value(QStringLiteral("pos"), QPoint(200, 200)).toPoint());

    const bool showTerminal = settings.value(QStringLiteral("showTerminal"), true).toBool();
    ui_->actionShowTerminal_->setChecked(showTerminal);
    onShowTerminal_(showTerminal);

    // Stored negated: true means hidden. onOpenRt_ flips it back and shows or hides the dialog.
    rtDialogVisible_ = settings.value(QStringLiteral("showRtDialog"), true).toBool();
    onOpenRt_();
    settings.endGroup();

    ftdiOnly_ = settings.value(QStringLiteral("FTDIOnly"), false).toBool();
    ui_->FTDIOnlyCheckBox_->setChecked(ftdiOnly_);
    hexDisplay_ = settings.value(QStringLiteral("hexDisplay"), false).toBool();
    ui_->checkBoxHex_->setChecked(hexDisplay_);
    cmdFilter_ = settings.value(QStringLiteral("cmdFilter"), QStringLiteral("VNPLAUDk")).toString();
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
