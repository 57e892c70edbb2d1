#pragma once

#include <QByteArray>
#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>

class QTableWidgetItem;
class RtPlot;
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
    // Follows the tick in a label cell: draws or removes that channel's line.
    void onItemChanged_(QTableWidgetItem* item);
    void updatePlotVisibility_();
    static QString channelName_(const QString& label);

    Ui_RtDialog* ui_ = nullptr;
    int rowCount_ = 0;
    QStringList subscribedLabels_;

    RtPlot* plot_ = nullptr;
    // Time base of the plot's samples.
    QElapsedTimer clock_;
    // Names of the ticked channels; kept across label lists and runs, so a channel that comes
    // back is drawn again.
    QStringList checkedChannels_;
};
