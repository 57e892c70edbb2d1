#pragma once

#include "linkstatistics.h"

#include <QDialog>

class QLabel;
class QTableView;
class QTimer;
class StatisticsModel;

// A window over the link statistics: one table row per command letter and a line of totals,
// refreshed once a second while it is shown. "Clear" starts the counts afresh.
class StatisticsDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 1000;

    StatisticsDialog(LinkStatistics* statistics, QWidget* parent = nullptr);

    // The short form for the status bar: "rx 5.7 kB/s · 61 frames/s · 0 bad".
    static QString summaryText(const LinkStatistics::Totals& totals);
    // Bytes per second with a unit a reader takes in at a glance ("820 B/s", "5.7 kB/s").
    static QString byteRateText(double bytesPerSecond);

public slots:
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    LinkStatistics* statistics_;
    StatisticsModel* model_;
    QTableView* view_;
    QLabel* totals_;
    QTimer* timer_;
};
