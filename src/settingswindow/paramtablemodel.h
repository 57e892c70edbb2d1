#pragma once

#include "paramset.h"

#include <QAbstractTableModel>
#include <QSet>

// One parameter set as table rows: a row per scalar, per array element (the channel assignment
// by channel), per named bit (a check box under its byte) and one for a text. Values outside
// a field's range are refused with rejected(); edited rows are marked against the set as read,
// and rows of fields the device changed on its own are marked after a write.
class ParamTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        FieldColumn,
        ValueColumn,
        RangeColumn,
        MeaningColumn,
        ColumnCount
    };

    explicit ParamTableModel(QObject* parent = nullptr);

    // Shows a set as read from the device or a file; the edit starts from it.
    void setParamSet(const ParamSet& set);
    // Raw bytes of a set whose layout is unknown: read-only, one row.
    void setRaw(const QByteArray& payload);
    // Shows `set` (of the same layout) as an edit of the set shown.
    void setEdited(const ParamSet& set);
    const ParamSet& original() const { return original_; }
    const ParamSet& edited() const { return edited_; }
    bool isEdited() const { return edited_.structure() != original_.structure(); }
    // Fields to mark as changed by the device (after a write's read-back).
    void setAdjusted(const QStringList& fields);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void rejected(const QString& why);

private:
    struct Row
    {
        int field = -1;   // index into the layout's fields; -1 for the raw row
        int element = -1; // array element, or -1
        int bit = -1;     // bit of a byte, or -1
    };
    const ParamField& field_(const Row& row) const;
    int elementValue_(const ParamSet& set, const Row& row) const;
    bool rowEdited_(const Row& row) const;
    void build_();

    ParamSet original_;
    ParamSet edited_;
    QByteArray raw_;
    QList<Row> rows_;
    QSet<QString> adjusted_;
};
