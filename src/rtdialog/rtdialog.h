#pragma once

#include <QByteArray>
#include <QDialog>
#include <QStringList>

class Ui_RtDialog;

// Real-time values dialog: analog channel labels and the latest value of each channel from every
// 'D' frame. Its parent must be the MainWindow, whose public request slots it calls directly.
class RtDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RtDialog(QWidget* parent);
    ~RtDialog() override;

    void setLabels(const QStringList& labels);
    void subscribe(const QString& label);
    void unsubscribe(const QString& label);
    void onReceiveData(char cmd, int address, const QByteArray& payload);
    void writeSettings();

private slots:
    void onRefreshLabelsButton_();
    void onRefreshDataButton_();
    void onLabelsListReady_(QStringList labels);
    void onSerialOpened_(bool open);

private:
    void initGUI_();
    void readSettings_();

    Ui_RtDialog* ui_ = nullptr;
    int rowCount_ = 0;
    QStringList subscribedLabels_;
};
