#include "logsearch.h"

#include <QAbstractItemModel>
#include <QTimer>

#include <algorithm>

LogSearch::LogSearch(QAbstractItemModel* model, QObject* parent) : QObject(parent), model_(model)
{
    connect(model, &QAbstractItemModel::rowsInserted, this, &LogSearch::onRowsInserted_);
    connect(model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) { onRowsRemoved_(first, last); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        // Every row is another one now: the same pattern is looked for from the start.
        if (!pattern_.isEmpty())
            start(pattern_, column_, exactColumn_);
    });
    // A change of the shown text (hex or text) changes what matches.
    connect(model, &QAbstractItemModel::dataChanged, this, [this] {
        if (!pattern_.isEmpty())
            start(pattern_, column_, exactColumn_);
    });
}

int LogSearch::rowsToRead() const
{
    return model_ ? model_->rowCount() : 0;
}

void LogSearch::start(const QString& pattern, int column, int exactColumn)
{
    pattern_ = pattern;
    column_ = column;
    exactColumn_ = exactColumn;
    matches_.clear();
    nextRow_ = 0;
    firstReported_ = false;
    running_ = !pattern_.isEmpty();
    if (running_)
        schedule_();
    else
        emit finished(0);
}

void LogSearch::cancel()
{
    pattern_.clear();
    matches_.clear();
    nextRow_ = 0;
    running_ = false;
}

bool LogSearch::matches_row_(int row) const
{
    const int columns = model_->columnCount();
    const int first = column_ == AllColumns ? 0 : column_;
    const int last = column_ == AllColumns ? columns - 1 : column_;
    for (int c = first; c <= last; ++c) {
        const QString text = model_->data(model_->index(row, c)).toString();
        if (c == exactColumn_ ? text == pattern_ : text.contains(pattern_, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void LogSearch::schedule_()
{
    if (scheduled_)
        return;
    scheduled_ = true;
    QTimer::singleShot(0, this, &LogSearch::runSlice_);
}

void LogSearch::runSlice_()
{
    scheduled_ = false;
    if (!running_ || !model_)
        return;
    QElapsedTimer clock;
    clock.start();
    const int rows = model_->rowCount();
    // The clock is read every few rows only: reading it costs about as much as a row.
    constexpr int RowsBetweenLooks = 64;
    while (nextRow_ < rows) {
        const int end = std::min(rows, nextRow_ + RowsBetweenLooks);
        for (; nextRow_ < end; ++nextRow_) {
            if (matches_row_(nextRow_))
                matches_.push_back(nextRow_);
        }
        if (!firstReported_ && !matches_.empty()) {
            firstReported_ = true;
            emit firstMatch(matches_.front());
        }
        if (clock.elapsed() >= kSliceMs)
            break;
    }
    emit progress(nextRow_, rows, matchCount());
    if (nextRow_ < rows) {
        schedule_();
        return;
    }
    running_ = false;
    emit finished(matchCount());
}

void LogSearch::onRowsInserted_()
{
    if (pattern_.isEmpty())
        return;
    running_ = true;
    schedule_();
}

void LogSearch::onRowsRemoved_(int first, int last)
{
    const int removed = last - first + 1;
    const auto from = std::lower_bound(matches_.begin(), matches_.end(), first);
    const auto to = std::upper_bound(from, matches_.end(), last);
    for (auto it = to; it != matches_.end(); ++it)
        *it -= removed;
    matches_.erase(from, to);
    if (nextRow_ > last)
        nextRow_ -= removed;
    else if (nextRow_ > first)
        nextRow_ = first;
}

int LogSearch::next(int row) const
{
    if (matches_.empty())
        return -1;
    const auto it = std::upper_bound(matches_.begin(), matches_.end(), row);
    return it == matches_.end() ? matches_.front() : *it;
}

int LogSearch::previous(int row) const
{
    if (matches_.empty())
        return -1;
    const auto it = std::lower_bound(matches_.begin(), matches_.end(), row);
    return it == matches_.begin() ? matches_.back() : *(it - 1);
}

int LogSearch::indexOf(int row) const
{
    const auto it = std::lower_bound(matches_.begin(), matches_.end(), row);
    return it != matches_.end() && *it == row ? int(it - matches_.begin()) : -1;
}
