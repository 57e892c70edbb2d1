#include "paramfile.h"
#include "paramsettesthelpers.h"
#include "paramtablemodel.h"
#include "simparamsets.h"

#include <QSignalSpy>
#include <QTest>

// The rows of the parameter set table: edits land in the right byte or bit, values outside the
// range and of the wrong kind are refused, the revision byte is not editable, edits are marked.
class tst_ParamTableModel : public QObject
{
    Q_OBJECT

private slots:
    void edits_data();
    void edits();
};

namespace {
int rowOf(const ParamTableModel& model, const QString& caption)
{
    for (int r = 0; r < model.rowCount(); ++r) {
        if (model.index(r, ParamTableModel::FieldColumn).data().toString().trimmed() == caption)
            return r;
    }
    return -1;
}
} // namespace

void tst_ParamTableModel::edits_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected"); // the field's value afterwards; empty: refused

    const int edit = Qt::EditRole;
    QTest::newRow("scalar") << "Gyro_P" << QVariant("120") << edit << "Gyro_P"
                            << "120";
    QTest::newRow("scalar below range") << "Gyro_P" << QVariant("9") << edit << "Gyro_P"
                                        << "";
    QTest::newRow("scalar not a number") << "Stick_P" << QVariant("fast") << edit << "Stick_P"
                                         << "";
    QTest::newRow("channel by its name")
        << "Kanalbelegung: Yaw" << QVariant("9") << edit << "Kanalbelegung"
        << "1 2 3 9 5 6 7 8 9 10 11 12";
    QTest::newRow("bit set") << "GPS active" << QVariant(int(Qt::Checked))
                             << int(Qt::CheckStateRole) << "GlobalConfig"
                             << "32";
    QTest::newRow("bit as text is refused")
        << "GPS active" << QVariant("1") << edit << "GlobalConfig"
        << "";
    QTest::newRow("name") << "Name" << QVariant("Calm") << edit << "Name"
                          << "Calm";
    QTest::newRow("name too long") << "Name" << QVariant("Thirteen char") << edit << "Name"
                                   << "";
    QTest::newRow("revision stays") << "Revision" << QVariant("95") << edit << "Revision"
                                    << "";
}

void tst_ParamTableModel::edits()
{
    QFETCH(QString, row);
    QFETCH(QVariant, value);
    QFETCH(int, role);
    QFETCH(QString, field);
    QFETCH(QString, expected);

    const QList<ParamLayout> layouts = shippedLayouts();
    ParamSet set;
    QString error;
    QVERIFY(ParamSet::fromAnswer(layouts, QByteArray(1, 1) + SimParamSets(106).set(1), set, error));
    ParamTableModel model;
    model.setParamSet(set);
    QSignalSpy rejected(&model, &ParamTableModel::rejected);
    const int r = rowOf(model, row);
    QVERIFY2(r >= 0, qPrintable(row));
    const QModelIndex index = model.index(r, ParamTableModel::ValueColumn);

    const bool accepted = model.setData(index, value, role);
    QCOMPARE(accepted, !expected.isEmpty());
    QCOMPARE(model.isEdited(), accepted);
    if (!accepted) {
        QCOMPARE(model.edited().structure(), set.structure());
        // An editable row says why; the revision byte is not editable at all.
        const bool editable = model.flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
        QCOMPARE(rejected.size(), editable && role == Qt::EditRole && row != "GPS active" ? 1 : 0);
        return;
    }
    QVERIFY(rejected.isEmpty());
    QCOMPARE(model.edited().valueText(field), expected);
    QCOMPARE(model.data(index, Qt::FontRole).value<QFont>().bold(), true);
    // Every other field is as read.
    QCOMPARE(compareParams(set, model.edited()).size(), 1);
}

QTEST_MAIN(tst_ParamTableModel)
#include "tst_paramtablemodel.moc"
