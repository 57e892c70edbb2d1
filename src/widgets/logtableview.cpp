#include "logtableview.h"

#include "steadyscrollbar.h"

LogTableView::LogTableView(QWidget* parent) : QTableView(parent)
{
    setVerticalScrollBar(new SteadyScrollBar(Qt::Vertical, this));
}

void LogTableView::setModel(QAbstractItemModel* model)
{
    if (model == this->model())
        return;
    for (const QMetaObject::Connection& connection : std::as_const(modelConnections_))
        disconnect(connection);
    modelConnections_.clear();
    fullLayoutDue_ = true;
    QTableView::setModel(model);
    if (!model)
        return;
    // Every change but an append needs the full layout the view would do anyway.
    const auto due = [this] { fullLayoutDue_ = true; };
    modelConnections_ = {
        connect(model, &QAbstractItemModel::rowsRemoved, this, due),
        connect(model, &QAbstractItemModel::rowsMoved, this, due),
        connect(model, &QAbstractItemModel::columnsInserted, this, due),
        connect(model, &QAbstractItemModel::columnsRemoved, this, due),
        connect(model, &QAbstractItemModel::columnsMoved, this, due),
        connect(model, &QAbstractItemModel::layoutChanged, this, due),
        connect(model, &QAbstractItemModel::modelReset, this, due),
    };
}

void LogTableView::reset()
{
    fullLayoutDue_ = true;
    QTableView::reset();
}

void LogTableView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    const int lastVisible = rowAt(viewport()->height() - 1);
    const bool outOfSight = !parent.isValid() && lastVisible >= 0 && start > lastVisible &&
                            end == model()->rowCount() - 1;
    if (outOfSight)
        appendedOutOfSight_ = true;
    else
        fullLayoutDue_ = true;
    QTableView::rowsInserted(parent, start, end);
}

void LogTableView::doItemsLayout()
{
    const bool onlyScrollBar = appendedOutOfSight_ && !fullLayoutDue_;
    appendedOutOfSight_ = false;
    fullLayoutDue_ = false;
    if (onlyScrollBar) {
        updateGeometries();
        return;
    }
    QTableView::doItemsLayout();
}
