#pragma once

#include <QObject>

#include "logclipboard.h"

class FrameLogModel;
class LogSearch;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTableView;
class QTimer;
class QToolButton;
class QWidget;

// Find and copy in the frame table: a search bar over the table (Ctrl+F; Enter and the
// platform's find-next key for the next match, find-previous for the previous one, Esc to
// close), and copying the selected rows as a
// table, as hex or as frames (Ctrl+C copies the table; all three in the context menu).
class FrameLogTools : public QObject
{
    Q_OBJECT
public:
    // Puts the search bar above `view` (in the view's place in its parent) and the actions
    // on it.
    FrameLogTools(QTableView* view, FrameLogModel* model);

    QWidget* searchBar() const { return bar_; }
    LogSearch* search() const { return search_; }
    QAction* findAction() const { return findAction_; }

    void copy(LogClipboard::Format format);
    void showSearchBar();
    void hideSearchBar();
    // Selects the next (previous) match after the current row, wrapping.
    void findNext();
    void findPrevious();

private:
    QWidget* buildBar_();
    void restartSearch_();
    void goTo_(int row);
    void updateStatus_();
    QList<int> selectedRows_() const;
    QAction* addAction_(const QString& text, const QKeySequence& keys, const char* name);

    QTableView* view_;
    FrameLogModel* model_;
    LogSearch* search_;
    QWidget* bar_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QComboBox* scope_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer* restartTimer_ = nullptr;
    QAction* findAction_ = nullptr;
    // The user has moved to a match: the first match found no longer moves the selection.
    bool moved_ = false;
};
