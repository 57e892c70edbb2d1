#pragma once

#include <QAbstractTableModel>

#include <vector>

class FrameStore;
class TickPacer;
struct FrameRecord;

// The frame table's rows: the records of the store that were logged on arrival, in arrival
// order, formatted only when the view asks for a cell. New rows are announced on the display
// ticks, a few times a second, never per frame: announcing (and so repainting) per frame costs
// as much as the frame's whole processing. The model follows the store: when it drops its
// oldest records their rows go too (the remaining rows keep their numbers), and when it is
// cleared the table empties and numbering starts again at 0.
class FrameLogModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        NumberColumn,
        TimeColumn,
        CmdColumn,
        AddressColumn,
        DataColumn,
        ColumnCount
    };
    // New rows are announced at once, or, within this time of the last announcement, with the
    // frames of the next display tick of this period (see DisplayTick).
    static constexpr int kStreamIntervalMs = 400;
    // A long log spaces its announcements further: a millisecond more for every this many rows.
    static constexpr int kRowsPerStreamMs = 1000;
    // The spacing of a stream's announcements with `rows` rows shown.
    static int streamIntervalMs(qsizetype rows);

    explicit FrameLogModel(FrameStore* store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Payload column in hexadecimal (every row, old and new) or as text.
    void setHex(bool on);
    bool hex() const { return hex_; }

    // Sent requests (records of direction Sent) among the rows, marked, or not (the default).
    // Changing it rebuilds the rows from the store.
    void setShowSent(bool on);
    bool showSent() const { return showSent_; }

    // A row's frame as it crossed the line; empty for a row that does not exist.
    QByteArray frameBytes(int row) const;

    // The store index of a row's record; -1 for a row that does not exist.
    qsizetype storeIndex(int row) const;
    // Logged rows not announced yet.
    qsizetype pendingCount() const { return qsizetype(pending_.size()); }
    // Announces the waiting rows now instead of on the display tick.
    void announcePending();

private:
    void onAppended_(qsizetype first, qsizetype count);
    void onDroppedOldest_(qsizetype count);
    void onCleared_();
    bool shown_(qsizetype index) const;

    FrameStore* store_;
    // Rows as positions counted from the store's last clear (store index + dropped_), so that
    // dropping the oldest records needs no rewrite of the rows that stay.
    std::vector<qint64> rows_;
    std::vector<qint64> pending_;
    qint64 dropped_ = 0;     // records the store dropped since its last clear
    qint64 firstNumber_ = 0; // number shown for row 0: logged rows dropped with the oldest
    bool hex_ = false;
    bool showSent_ = false;
    TickPacer* announcer_;
};
