#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QAbstractItemModel;

// Finds the rows of a table model whose shown text holds a pattern, without holding the event
// loop: the rows are read in slices of at most kSliceMs each, one slice per turn of the loop,
// so a log of a million rows is searched while the window keeps drawing and taking input. The
// first match is reported as soon as it is found, the count when the last row is read. Rows
// the model gains later are searched too; rows it loses take their matches with them.
class LogSearch : public QObject
{
    Q_OBJECT
public:
    // Where the pattern is looked for: a column's text (letters compared exactly, since 'D'
    // and 'd' are different requests; other text without regard to case), or every column.
    static constexpr int AllColumns = -1;
    static constexpr int kSliceMs = 15;

    explicit LogSearch(QAbstractItemModel* model, QObject* parent = nullptr);

    // Starts a new search, dropping the last one. An empty pattern matches nothing.
    // `exactColumn` is a column compared as a whole and with case (the command letter).
    void start(const QString& pattern, int column, int exactColumn = -1);
    void cancel();

    bool isRunning() const { return running_; }
    QString pattern() const { return pattern_; }
    // Matches found so far, and rows read so far of `rowsToRead()`.
    int matchCount() const { return int(matches_.size()); }
    int rowsRead() const { return nextRow_; }
    int rowsToRead() const;
    const std::vector<int>& matches() const { return matches_; }

    // The first match after (before) `row`, wrapping around the end; -1 when there is none.
    int next(int row) const;
    int previous(int row) const;
    // Position of a matching row in matches() (0-based), -1 when it is no match.
    int indexOf(int row) const;

signals:
    void firstMatch(int row);
    // After every slice while running.
    void progress(int rowsRead, int rowsToRead, int matches);
    void finished(int matches);

private:
    bool matches_row_(int row) const;
    void runSlice_();
    void schedule_();
    void onRowsRemoved_(int first, int last);
    void onRowsInserted_();

    QPointer<QAbstractItemModel> model_;
    QString pattern_;
    int column_ = AllColumns;
    int exactColumn_ = -1;
    std::vector<int> matches_;
    int nextRow_ = 0;
    bool running_ = false;
    bool scheduled_ = false;
    bool firstReported_ = false;
};
