#include "statisticsmodel.h"

namespace {
QString milliseconds(qint64 us)
{
    if (us < 0)
        return QStringLiteral("–");
    return QString::number(double(us) / 1000.0, 'f', 1);
}

QString letterText(char cmd)
{
    // Letters are printable on a sane line; anything else is shown by its code.
    if (cmd > ' ' && cmd < 127)
        return QString(QLatin1Char(cmd));
    return QStringLiteral("0x%1").arg(quint8(cmd), 2, 16, QLatin1Char('0'));
}
} // namespace

StatisticsModel::StatisticsModel(QObject* parent) : QAbstractTableModel(parent) {}

void StatisticsModel::setRows(const QList<LinkStatistics::Row>& rows)
{
    bool sameLetters = rows.size() == rows_.size();
    for (qsizetype i = 0; sameLetters && i < rows.size(); ++i)
        sameLetters = rows.at(i).cmd == rows_.at(i).cmd;
    if (!sameLetters) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
        return;
    }
    rows_ = rows;
    if (!rows_.isEmpty())
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, ColumnCount - 1));
}

int StatisticsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int StatisticsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StatisticsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == Letter ? int(Qt::AlignCenter)
                                        : int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const LinkStatistics::Row& row = rows_.at(index.row());
    switch (index.column()) {
    case Letter:
        return letterText(row.cmd);
    case Received:
        return row.received;
    case Sent:
        return row.sent;
    case Rate:
        return QString::number(row.framesPerSecond, 'f', 1);
    case Bad:
        return row.bad;
    case BytesIn:
        return row.bytesIn;
    case BytesOut:
        return row.bytesOut;
    case LatencyMin:
        return milliseconds(row.latencyMinUs);
    case LatencyMedian:
        return milliseconds(row.latencyMedianUs);
    case LatencyMax:
        return milliseconds(row.latencyMaxUs);
    default:
        return {};
    }
}

QVariant StatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::ToolTipRole) {
        if (section >= LatencyMin && section <= LatencyMax)
            return tr("Time from a request to its answer, in milliseconds (v to V, a to A, d to "
                      "D, ...)");
        if (section == Rate)
            return tr("Frames per second, both directions, over the last 5 seconds");
        return {};
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Letter:
        return tr("Cmd");
    case Received:
        return tr("Received");
    case Sent:
        return tr("Sent");
    case Rate:
        return tr("Frames/s");
    case Bad:
        return tr("Bad");
    case BytesIn:
        return tr("Bytes in");
    case BytesOut:
        return tr("Bytes out");
    case LatencyMin:
        return tr("Min ms");
    case LatencyMedian:
        return tr("Median ms");
    case LatencyMax:
        return tr("Max ms");
    default:
        return {};
    }
}
