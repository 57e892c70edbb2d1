#pragma once

#include <QByteArray>
#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>
#include <QVector>

#include "channelunit.h"

class LiveStream;
class QTableWidgetItem;
class RtPlot;
class TickPacer;
class Ui_RtDialog;

// Real-time values dialog: analog channel labels and the latest value of each channel from every
// 'D' frame, a plot of the ticked channels and the "Live" keep-alive of the 'D' stream. It asks
// for labels and data through its signals and learns of the labels and of the port through its
// slots; the window that owns it connects both.
class RtDialog : public QDialog
{
    Q_OBJECT
public:
    // The Navi Ctrl sends its analog values unsigned; every other controller signed.
    static constexpr int NaviCtrlAddress = 2;

    explicit RtDialog(QWidget* parent);
    ~RtDialog() override;

    void setLabels(const QStringList& labels);
    void subscribe(const QString& label);
    void unsubscribe(const QString& label);
    // ageMs: how long ago the frame was received (the link hands frames over in batches);
    // the plot places its values that much before now.
    void onReceiveData(char cmd, int address, const QByteArray& payload, qint64 ageMs = 0);
    void writeSettings();

    LiveStream* liveStream() const { return live_; }
    RtPlot* plot() const { return plot_; }

signals:
    // Start a label collection.
    void labelsRequested();
    // Send one 'd' request at the user's interval.
    void dataRequested();
    // Send 'd' with interval 0: the device stops streaming.
    void dataStopRequested();

public slots:
    void onLabelsListReady_(QStringList labels);
    void onSerialOpened_(bool open);

private slots:
    void onRefreshLabelsButton_();
    void onRefreshDataButton_();

private:
    void initGUI_();
    void readSettings_();
    // Follows the tick in a label cell: draws or removes that channel's line.
    void onItemChanged_(QTableWidgetItem* item);
    void updatePlotVisibility_();
    static QString channelName_(const QString& label);
    // Tells the table's view of the value rows changed since the last notice.
    void announceValues_();
    void dropPendingValues_();

    Ui_RtDialog* ui_ = nullptr;
    int rowCount_ = 0;
    QStringList subscribedLabels_;
    // What each row's label says about its unit, in row order.
    QVector<ChannelUnit> units_;

    RtPlot* plot_ = nullptr;
    LiveStream* live_ = nullptr;
    // Time base of the plot's samples.
    QElapsedTimer clock_;
    qint64 lastSampleMs_ = 0; // clock_ time of the newest plotted sample
    // Names of the ticked channels; kept across label lists and runs, so a channel that comes
    // back is drawn again.
    QStringList checkedChannels_;
    // The dialog grows for the plot once, when the plot first appears.
    bool grownForPlot_ = false;

    // The cells show the newest values at most every ValueRepaintMs (the plot takes every
    // frame): the device streams 'D' frames far faster than anyone reads a number, and writing
    // the texts costs more than the rest of a frame's work. The first values after a quiet
    // spell are shown at once.
    static constexpr int ValueRepaintMs = 200;
    TickPacer* valuePacer_ = nullptr;
    QVector<int> pendingRaw_; // newest raw value of each row not shown yet
    int pendingFirstRow_ = -1;
    int pendingLastRow_ = -1;
};
