#include "framelogtools.h"

#include "framelogmodel.h"
#include "logsearch.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <set>

namespace {
// Typing restarts the search once the keys pause this long.
constexpr int RestartDelayMs = 250;
} // namespace

FrameLogTools::FrameLogTools(QTableView* view, FrameLogModel* model)
    : QObject(view), view_(view), model_(model), search_(new LogSearch(model, this))
{
    // The bar and the table share the table's place: a column of the two.
    QWidget* parent = view_->parentWidget();
    // Created without a parent: the splitter refuses to put one of its own children in the
    // view's place.
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("frameLogColumn_"));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    if (auto* splitter = qobject_cast<QSplitter*>(parent)) {
        const int at = splitter->indexOf(view_);
        splitter->replaceWidget(at, column);
    } else if (parent && parent->layout()) {
        column->setParent(parent);
        delete parent->layout()->replaceWidget(view_, column);
    }
    bar_ = buildBar_();
    layout->addWidget(bar_);
    layout->addWidget(view_);
    bar_->hide();

    findAction_ = addAction_(tr("&Find..."), QKeySequence::Find, "actionFind_");
    connect(findAction_, &QAction::triggered, this, &FrameLogTools::showSearchBar);
    QAction* next = addAction_(tr("Find &next"), QKeySequence::FindNext, "actionFindNext_");
    connect(next, &QAction::triggered, this, &FrameLogTools::findNext);
    QAction* previous =
        addAction_(tr("Find &previous"), QKeySequence::FindPrevious, "actionFindPrevious_");
    connect(previous, &QAction::triggered, this, &FrameLogTools::findPrevious);

    auto* separator = new QAction(view_);
    separator->setSeparator(true);
    view_->addAction(separator);
    QAction* copyTable = addAction_(tr("&Copy rows"), QKeySequence::Copy, "actionCopyRows_");
    connect(copyTable, &QAction::triggered, this, [this] { copy(LogClipboard::Table); });
    QAction* copyHex = addAction_(tr("Copy as &hex"), QKeySequence(), "actionCopyHex_");
    connect(copyHex, &QAction::triggered, this, [this] { copy(LogClipboard::Hex); });
    QAction* copyFrames = addAction_(tr("Copy as f&rames"), QKeySequence(), "actionCopyFrames_");
    connect(copyFrames, &QAction::triggered, this, [this] { copy(LogClipboard::Frames); });
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(search_, &LogSearch::firstMatch, this, [this](int row) {
        if (!moved_)
            goTo_(row);
    });
    connect(search_, &LogSearch::progress, this, &FrameLogTools::updateStatus_);
    connect(search_, &LogSearch::finished, this, &FrameLogTools::updateStatus_);
}

QAction* FrameLogTools::addAction_(const QString& text, const QKeySequence& keys, const char* name)
{
    auto* action = new QAction(text, view_);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    // Ctrl+F works anywhere in the window; the others where the table or the bar has focus.
    action->setShortcutContext(keys == QKeySequence(QKeySequence::Find)
                                   ? Qt::WindowShortcut
                                   : Qt::WidgetWithChildrenShortcut);
    view_->addAction(action);
    return action;
}

QWidget* FrameLogTools::buildBar_()
{
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("searchBar_"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);

    edit_ = new QLineEdit(bar);
    edit_->setObjectName(QStringLiteral("searchEdit_"));
    edit_->setPlaceholderText(tr("Find in the log"));
    const QString nextKeys =
        QKeySequence(QKeySequence::FindNext).toString(QKeySequence::NativeText);
    const QString previousKeys =
        QKeySequence(QKeySequence::FindPrevious).toString(QKeySequence::NativeText);
    edit_->setToolTip(tr("Text to find in the frame log; Enter or %1 for the next match, %2 for "
                         "the previous one, Esc closes the bar")
                          .arg(nextKeys, previousKeys));
    edit_->setClearButtonEnabled(true);
    scope_ = new QComboBox(bar);
    scope_->setObjectName(QStringLiteral("searchScope_"));
    scope_->addItem(tr("Data"), int(FrameLogModel::DataColumn));
    scope_->addItem(tr("Letter"), int(FrameLogModel::CmdColumn));
    scope_->addItem(tr("Address"), int(FrameLogModel::AddressColumn));
    scope_->addItem(tr("All columns"), LogSearch::AllColumns);
    scope_->setToolTip(tr("Where to look: the shown data, the command letter (exactly, with "
                          "case), the address, or every column"));
    auto* previous = new QToolButton(bar);
    previous->setArrowType(Qt::UpArrow);
    previous->setToolTip(tr("Previous match (%1)").arg(previousKeys));
    auto* next = new QToolButton(bar);
    next->setArrowType(Qt::DownArrow);
    next->setToolTip(tr("Next match (%1)").arg(nextKeys));
    status_ = new QLabel(bar);
    status_->setObjectName(QStringLiteral("searchStatus_"));
    progress_ = new QProgressBar(bar);
    progress_->setObjectName(QStringLiteral("searchProgress_"));
    progress_->setMaximumWidth(80);
    progress_->setRange(0, 100);
    progress_->setToolTip(tr("Rows searched so far"));
    progress_->hide();
    auto* close = new QToolButton(bar);
    close->setText(QStringLiteral("\u2715"));
    close->setAutoRaise(true);
    close->setToolTip(tr("Close the search bar (Esc)"));
    row->addWidget(edit_, 1);
    row->addWidget(scope_);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(progress_);
    row->addWidget(status_);
    row->addWidget(close);

    restartTimer_ = new QTimer(this);
    restartTimer_->setSingleShot(true);
    restartTimer_->setInterval(RestartDelayMs);
    connect(restartTimer_, &QTimer::timeout, this, &FrameLogTools::restartSearch_);
    connect(edit_, &QLineEdit::textEdited, restartTimer_, qOverload<>(&QTimer::start));
    connect(scope_, &QComboBox::currentIndexChanged, this, &FrameLogTools::restartSearch_);
    connect(edit_, &QLineEdit::returnPressed, this, [this] {
        if (restartTimer_->isActive())
            restartSearch_();
        else
            findNext();
    });
    connect(previous, &QToolButton::clicked, this, &FrameLogTools::findPrevious);
    connect(next, &QToolButton::clicked, this, &FrameLogTools::findNext);
    connect(close, &QToolButton::clicked, this, &FrameLogTools::hideSearchBar);
    auto* escape = new QAction(bar);
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QAction::triggered, this, &FrameLogTools::hideSearchBar);
    bar->addAction(escape);
    return bar;
}

void FrameLogTools::showSearchBar()
{
    bar_->show();
    edit_->setFocus();
    edit_->selectAll();
}

void FrameLogTools::hideSearchBar()
{
    restartTimer_->stop();
    search_->cancel();
    bar_->hide();
    view_->setFocus();
}

void FrameLogTools::restartSearch_()
{
    restartTimer_->stop();
    moved_ = false;
    const int exact = int(FrameLogModel::CmdColumn);
    search_->start(edit_->text(), scope_->currentData().toInt(), exact);
    updateStatus_();
}

void FrameLogTools::findNext()
{
    const QModelIndex current = view_->currentIndex();
    goTo_(search_->next(current.isValid() ? current.row() : -1));
}

void FrameLogTools::findPrevious()
{
    const QModelIndex current = view_->currentIndex();
    goTo_(search_->previous(current.isValid() ? current.row() : model_->rowCount()));
}

void FrameLogTools::goTo_(int row)
{
    if (row < 0)
        return;
    moved_ = true;
    const QModelIndex index = model_->index(row, FrameLogModel::DataColumn);
    view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    view_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    updateStatus_();
}

void FrameLogTools::updateStatus_()
{
    const int count = search_->matchCount();
    const QModelIndex current = view_->currentIndex();
    const int at = current.isValid() ? search_->indexOf(current.row()) : -1;
    QString text;
    if (search_->pattern().isEmpty())
        text.clear();
    else if (count == 0)
        text = search_->isRunning() ? tr("Searching...") : tr("No match");
    else if (at >= 0)
        text = tr("%1 of %n", nullptr, count).arg(at + 1);
    else
        text = tr("%n match(es)", nullptr, count);
    status_->setText(text);
    const int total = search_->rowsToRead();
    progress_->setVisible(search_->isRunning() && total > 0);
    if (total > 0)
        progress_->setValue(int(qint64(search_->rowsRead()) * 100 / total));
}

QList<int> FrameLogTools::selectedRows_() const
{
    std::set<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    return QList<int>(rows.begin(), rows.end());
}

void FrameLogTools::copy(LogClipboard::Format format)
{
    QList<int> rows = selectedRows_();
    if (rows.isEmpty())
        return;
    QString note;
    if (rows.size() > LogClipboard::kMaxRows) {
        note = tr("Only the first %1 of %2 selected rows were copied")
                   .arg(LogClipboard::kMaxRows)
                   .arg(rows.size());
        rows.resize(LogClipboard::kMaxRows);
    }
    QApplication::clipboard()->setText(LogClipboard::text(*model_, rows, format));
    if (auto* window = qobject_cast<QWidget*>(view_->window())) {
        if (auto* bar = window->findChild<QStatusBar*>()) {
            bar->showMessage(note.isEmpty() ? tr("%n row(s) copied", nullptr, int(rows.size()))
                                            : note);
        }
    }
}
