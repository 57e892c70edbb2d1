#include "paramtablemodel.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QJsonArray>

ParamTableModel::ParamTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ParamTableModel::setParamSet(const ParamSet& set)
{
    beginResetModel();
    original_ = set;
    edited_ = set;
    raw_.clear();
    adjusted_.clear();
    build_();
    endResetModel();
}

void ParamTableModel::setEdited(const ParamSet& set)
{
    if (set.revision() != original_.revision())
        return setParamSet(set);
    edited_ = set;
    if (!rows_.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void ParamTableModel::setRaw(const QByteArray& payload)
{
    beginResetModel();
    original_ = ParamSet();
    edited_ = ParamSet();
    raw_ = payload;
    adjusted_.clear();
    rows_ = {Row()};
    endResetModel();
}

void ParamTableModel::setAdjusted(const QStringList& fields)
{
    adjusted_ = QSet<QString>(fields.begin(), fields.end());
    if (!rows_.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void ParamTableModel::build_()
{
    rows_.clear();
    const QList<ParamField>& fields = edited_.layout().fields();
    for (int k = 0; k < fields.size(); ++k) {
        const ParamField& f = fields.at(k);
        if (f.isArray && !f.isText) {
            for (int e = 0; e < f.count; ++e)
                rows_.append({k, e, -1});
            continue;
        }
        rows_.append({k, -1, -1});
        for (int b = 0; b < f.extra.bits.size() && b < 8; ++b) {
            if (!f.extra.bits.at(b).isEmpty())
                rows_.append({k, -1, b});
        }
    }
}

const ParamField& ParamTableModel::field_(const Row& row) const
{
    return edited_.layout().fields().at(row.field);
}

int ParamTableModel::elementValue_(const ParamSet& set, const Row& row) const
{
    const ParamField& f = field_(row);
    const QByteArray& bytes = set.structure();
    const int at = f.offset + qMax(0, row.element);
    return at < bytes.size() ? quint8(bytes.at(at)) : 0;
}

bool ParamTableModel::rowEdited_(const Row& row) const
{
    const ParamField& f = field_(row);
    if (f.isText)
        return edited_.value(f.name) != original_.value(f.name);
    const int a = elementValue_(edited_, row), b = elementValue_(original_, row);
    return row.bit >= 0 ? ((a ^ b) >> row.bit) & 1 : a != b;
}

int ParamTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ParamTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ParamTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case FieldColumn:
        return tr("Field");
    case ValueColumn:
        return tr("Value");
    case RangeColumn:
        return tr("Range");
    default:
        return tr("Meaning");
    }
}

QVariant ParamTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return QVariant();
    const Row& row = rows_.at(index.row());
    if (row.field < 0) {
        if (role != Qt::DisplayRole)
            return QVariant();
        return index.column() == FieldColumn   ? tr("bytes")
               : index.column() == ValueColumn ? QString::fromLatin1(raw_.toHex(' '))
                                               : QVariant();
    }
    const ParamField& f = field_(row);
    const int value = elementValue_(edited_, row);
    if (role == Qt::BackgroundRole) {
        if (adjusted_.contains(f.name))
            return QBrush(QColor(255, 200, 160));
        return rowEdited_(row) ? QBrush(QColor(255, 245, 170)) : QVariant();
    }
    if (role == Qt::FontRole && rowEdited_(row)) {
        QFont font;
        font.setBold(true);
        return font;
    }
    if (row.bit >= 0 && index.column() == ValueColumn && role == Qt::CheckStateRole)
        return (value >> row.bit) & 1 ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    switch (index.column()) {
    case FieldColumn:
        if (row.bit >= 0)
            return QStringLiteral("    %1").arg(f.extra.bits.at(row.bit));
        if (row.element >= 0)
            return QStringLiteral("%1: %2").arg(
                f.name, f.extra.items.value(row.element, QString::number(row.element + 1)));
        return f.name;
    case ValueColumn:
        if (row.bit >= 0)
            return QVariant();
        return f.isText ? edited_.valueText(f.name) : QString::number(value);
    case RangeColumn:
        if (row.bit >= 0 || f.isText || !f.extra.hasRange)
            return QVariant();
        return QStringLiteral("%1 – %2").arg(f.minimum()).arg(f.maximum());
    default:
        if (row.bit < 0 && !f.extra.choices.isEmpty())
            return f.extra.choices.value(value);
        if (row.bit < 0 && f.extra.bits.size() > 0)
            return QStringLiteral("0x%1").arg(value, 2, 16, QLatin1Char('0'));
        return f.extra.unit.isEmpty() ? QVariant() : QVariant(f.extra.unit);
    }
}

Qt::ItemFlags ParamTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.column() != ValueColumn || index.row() >= rows_.size())
        return flags;
    const Row& row = rows_.at(index.row());
    if (row.field < 0 || field_(row).offset == 0)
        return flags; // raw bytes and the revision byte are not edited
    return flags | (row.bit >= 0 ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

bool ParamTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    const Row& row = rows_.at(index.row());
    const ParamField& f = field_(row);
    QJsonValue json;
    if (f.isText) {
        json = value.toString();
    } else {
        int v = elementValue_(edited_, row);
        if (row.bit >= 0) {
            if (role != Qt::CheckStateRole)
                return false;
            v = value.toInt() == Qt::Checked ? v | (1 << row.bit) : v & ~(1 << row.bit);
        } else {
            bool ok = false;
            v = value.toString().trimmed().toInt(&ok);
            if (!ok) {
                emit rejected(tr("%1 wants a whole number").arg(f.name));
                return false;
            }
        }
        if (f.isArray) {
            QJsonArray array = edited_.value(f.name).toArray();
            array[row.element] = v;
            json = array;
        } else {
            json = v;
        }
    }
    QString why;
    if (!edited_.setValue(f.name, json, why)) {
        emit rejected(why);
        return false;
    }
    // A byte and its bits show the same value.
    emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, ColumnCount - 1));
    return true;
}
