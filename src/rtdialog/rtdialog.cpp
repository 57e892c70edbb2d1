#include "rtdialog.h"

// Placeholder so the tree builds; replaced by the real dialog.
RtDialog::RtDialog(QWidget* parent) : QDialog(parent) {}
RtDialog::~RtDialog() = default;
void RtDialog::setLabels(const QStringList&) {}
void RtDialog::subscribe(const QString&) {}
void RtDialog::unsubscribe(const QString&) {}
void RtDialog::onReceiveData(char, int, const QByteArray&) {}
void RtDialog::writeSettings() {}
void RtDialog::onRefreshLabelsButton_() {}
void RtDialog::onRefreshDataButton_() {}
void RtDialog::onLabelsListReady_(QStringList) {}
void RtDialog::onSerialOpened_(bool) {}
void RtDialog::initGUI_() {}
void RtDialog::readSettings_() {}
