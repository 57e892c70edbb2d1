#pragma once

#include "linkstatistics.h"

#include <QAbstractTableModel>
#include <QList>

// The per-letter rows of the link statistics as a table: one row per command letter, numbers
// right-aligned, latencies in milliseconds ("–" while no answer was paired).
class StatisticsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Letter,
        Received,
        Sent,
        Rate,
        Bad,
        BytesIn,
        BytesOut,
        LatencyMin,
        LatencyMedian,
        LatencyMax,
        ColumnCount
    };

    explicit StatisticsModel(QObject* parent = nullptr);

    // Takes a fresh set of rows; the view keeps its place when only the numbers changed.
    void setRows(const QList<LinkStatistics::Row>& rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<LinkStatistics::Row> rows_;
};
