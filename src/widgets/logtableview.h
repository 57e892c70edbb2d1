#pragma once

#include <QTableView>

// A table view for a log that grows at its end. Rows appended below the last visible row
// change only the scroll bar, so the view repaints nothing else for them; any other change of
// the model lays the view out and repaints it as a plain table view does.
class LogTableView : public QTableView
{
    Q_OBJECT
public:
    explicit LogTableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void doItemsLayout() override;
    void reset() override;

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;

private:
    // Only this view's own connections: the plain view's connections to the model stay.
    QList<QMetaObject::Connection> modelConnections_;
    bool appendedOutOfSight_ = false;
    bool fullLayoutDue_ = true;
};
