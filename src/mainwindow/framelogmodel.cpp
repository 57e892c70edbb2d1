#include "framelogmodel.h"

#include "displaytick.h"
#include "framestore.h"
#include "mkhelper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

FrameLogModel::FrameLogModel(FrameStore* store, QObject* parent)
    : QAbstractTableModel(parent), store_(store),
      announcer_(new TickPacer(
          kStreamIntervalMs, [this] { announcePending(); }, this))
{
    connect(store_, &FrameStore::appended, this, &FrameLogModel::onAppended_);
    connect(store_, &FrameStore::droppedOldest, this, &FrameLogModel::onDroppedOldest_);
    connect(store_, &FrameStore::cleared, this, &FrameLogModel::onCleared_);
}

int FrameLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int FrameLogModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

qsizetype FrameLogModel::storeIndex(int row) const
{
    if (row < 0 || size_t(row) >= rows_.size())
        return -1;
    return qsizetype(rows_[size_t(row)] - dropped_);
}

QVariant FrameLogModel::data(const QModelIndex& index, int role) const
{
    const qsizetype at = storeIndex(index.row());
    if (!index.isValid() || at < 0 || at >= store_->size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == DataColumn ? QVariant() : QVariant(int(Qt::AlignHCenter));

    // A view asks for a dozen roles a cell on every repaint: those answered from the frame's
    // slot, or not at all, are answered without building the record.
    const bool sent = store_->isSent(at);
    if (role == Qt::ForegroundRole)
        return sent ? QVariant(QGuiApplication::palette().color(QPalette::Link)) : QVariant();
    if (role == Qt::ToolTipRole) {
        if (index.column() == TimeColumn)
            return QDateTime::fromMSecsSinceEpoch(store_->timeUs(at) / 1000)
                .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        return sent ? QVariant(
                          QCoreApplication::translate("MainWindow", "Request sent to the device"))
                    : QVariant();
    }
    if (role != Qt::DisplayRole)
        return {};

    switch (index.column()) {
    case NumberColumn:
        // Sent requests are marked with an arrow towards the device.
        return sent ? QStringLiteral("%1 \u2192").arg(firstNumber_ + index.row())
                    : QString::number(firstNumber_ + index.row());
    case TimeColumn:
        return QString::number(double(store_->timeUs(at) - store_->startTimeUs()) / 1e6, 'f', 3);
    case CmdColumn:
        return QString(QChar::fromLatin1(store_->cmd(at)));
    case AddressColumn:
        return MkHelper::parseAddress(store_->address(at));
    case DataColumn: {
        char cmd = 0;
        int address = 0;
        QByteArray payload;
        (void)MkHelper::decodeFrame(store_->at(at).bytes, cmd, address, payload);
        return hex_ ? MkHelper::toHex(payload, 1) : MkHelper::toASCII(payload);
    }
    default:
        return {};
    }
}

QVariant FrameLogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    // The header texts belong to the window's form and keep its translation context.
    switch (section) {
    case NumberColumn:
        return QCoreApplication::translate("MainWindow", "No.");
    case TimeColumn:
        return QCoreApplication::translate("MainWindow", "Time");
    case CmdColumn:
        return QCoreApplication::translate("MainWindow", "Cmd");
    case AddressColumn:
        return QCoreApplication::translate("MainWindow", "Address");
    case DataColumn:
        return QCoreApplication::translate("MainWindow", "Data");
    default:
        return {};
    }
}

void FrameLogModel::setHex(bool on)
{
    if (hex_ == on)
        return;
    hex_ = on;
    if (!rows_.empty())
        emit dataChanged(index(0, DataColumn), index(int(rows_.size()) - 1, DataColumn),
                         {Qt::DisplayRole});
}

QByteArray FrameLogModel::frameBytes(int row) const
{
    const qsizetype at = storeIndex(row);
    return at >= 0 && at < store_->size() ? store_->at(at).bytes : QByteArray();
}

bool FrameLogModel::shown_(qsizetype index) const
{
    return store_->isLogged(index) || (showSent_ && store_->isSent(index));
}

void FrameLogModel::setShowSent(bool on)
{
    if (showSent_ == on)
        return;
    showSent_ = on;
    // The rows are picked from the store again; numbering restarts with them.
    announcer_->reset();
    beginResetModel();
    rows_.clear();
    pending_.clear();
    firstNumber_ = 0;
    for (qsizetype i = 0; i < store_->size(); ++i) {
        if (shown_(i))
            rows_.push_back(qint64(i) + dropped_);
    }
    endResetModel();
}

void FrameLogModel::announcePending()
{
    if (pending_.empty())
        return;
    announcer_->updated();
    const int first = int(rows_.size());
    beginInsertRows(QModelIndex(), first, first + int(pending_.size()) - 1);
    rows_.insert(rows_.end(), pending_.begin(), pending_.end());
    pending_.clear();
    endInsertRows();
}

void FrameLogModel::onAppended_(qsizetype first, qsizetype count)
{
    const size_t before = pending_.size();
    for (qsizetype i = first; i < first + count; ++i) {
        if (shown_(i))
            pending_.push_back(qint64(i) + dropped_);
    }
    if (pending_.size() > before) {
        // Rows that follow others closely (a stream) wait for every other tick: each
        // announcement scrolls and repaints the whole table, and in a stream no one reads
        // the rows as they pass.
        announcer_->setPeriodMs(streamIntervalMs(qsizetype(rows_.size())));
        announcer_->request();
    }
}

int FrameLogModel::streamIntervalMs(qsizetype rows)
{
    // After rows are inserted the table view's row header counts every row's position anew,
    // a pass over all rows that took 5 to 10 ms at 1 600 000 rows: with a stream announced
    // every 400 ms, that count was 40 % of the program's time. Spacing a stream's
    // announcements by the row count (1.6 s there) bounds what the count costs a second,
    // however long the log grows; the console and the real-time window keep their pace.
    return int(std::max<qsizetype>(kStreamIntervalMs, rows / kRowsPerStreamMs));
}

void FrameLogModel::onDroppedOldest_(qsizetype count)
{
    dropped_ += count;
    // Rows and waiting rows are in store order: those gone form a prefix of each.
    const auto gone = std::lower_bound(rows_.begin(), rows_.end(), dropped_);
    const int goneRows = int(gone - rows_.begin());
    if (goneRows > 0) {
        beginRemoveRows(QModelIndex(), 0, goneRows - 1);
        rows_.erase(rows_.begin(), gone);
        endRemoveRows();
    }
    const auto gonePending = std::lower_bound(pending_.begin(), pending_.end(), dropped_);
    const qint64 gonePendingRows = gonePending - pending_.begin();
    pending_.erase(pending_.begin(), gonePending);
    firstNumber_ += goneRows + gonePendingRows;
}

void FrameLogModel::onCleared_()
{
    announcer_->reset();
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    pending_.clear();
    dropped_ = 0;
    firstNumber_ = 0;
    endResetModel();
}
