#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "framelogmodel.h"
#include "framelogtools.h"
#include "helpwindows.h"
#include "link.h"
#include "sessionpipeline.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSplitter>
#include <QTreeWidget>

#include <memory>

// The View menu (find in the log, sent requests) and the Help menu (shortcuts, manual, About),
// built after the frame log so that its tools exist.
void MainWindow::initMenus_()
{
    auto* tools = new FrameLogTools(ui_->tableWidgetFrame_, frameLog_);
    // The table moved into a new pane: it keeps its place in the focus chain.
    setTabOrder(ui_->spinBoxDCmd_, ui_->tableWidgetFrame_);
    setTabOrder(ui_->tableWidgetFrame_, ui_->treeWidgetFrame_);
    // The panes may shrink to a few lines each, so that the window fits a small screen at a
    // large scale factor (1366 x 768 at twice the size leaves 384 points of height).
    const int paneHeight = fontMetrics().lineSpacing() * 2;
    for (QWidget* pane : {static_cast<QWidget*>(ui_->tableWidgetFrame_),
                          static_cast<QWidget*>(ui_->treeWidgetFrame_),
                          static_cast<QWidget*>(ui_->consoleTextEdit_)})
        pane->setMinimumHeight(paneHeight);
    for (int i = 0; i < ui_->splitter->count(); ++i)
        ui_->splitter->widget(i)->setMinimumHeight(paneHeight);

    auto* view = new QMenu(tr("&View"), this);
    view->setObjectName(QStringLiteral("menuView_"));
    menuBar()->insertMenu(ui_->menuWindows->menuAction(), view);
    view->addAction(tools->findAction());
    for (const char* name : {"actionFindNext_", "actionFindPrevious_"})
        view->addAction(ui_->tableWidgetFrame_->findChild<QAction*>(QLatin1String(name)));
    view->addSeparator();
    showSentAction_ = view->addAction(tr("Show &sent requests"));
    showSentAction_->setObjectName(QStringLiteral("actionShowSent_"));
    showSentAction_->setCheckable(true);
    showSentAction_->setStatusTip(tr(
        "List the requests sent to the device in the log and the console, marked with an arrow"));
    connect(showSentAction_, &QAction::toggled, frameLog_, &FrameLogModel::setShowSent);
    // While shown, each request reaches the console as it is written, marked like its row.
    // The connection follows the link in use (a capture's link writes nothing).
    // The echo's connection lives in a helper object made anew for each link.
    auto echo = std::make_shared<QPointer<QObject>>();
    const auto followLink = [this, echo] {
        delete echo->data();
        *echo = new QObject(this);
        if (Link* link = session_->link()) {
            connect(link, &Link::frameWritten, echo->data(), [this](const QByteArray& frame) {
                if (!frameLog_->showSent())
                    return;
                const qsizetype zero = frame.indexOf('\0');
                printConsoleLine_(QStringLiteral("\u2192 ") +
                                      QString::fromLatin1(zero < 0 ? frame : frame.left(zero)),
                                  false, true);
            });
        }
    };
    connect(session_, &SessionPipeline::linkChanged, this, followLink);
    followLink();

    QAction* keys = new QAction(tr("&Keyboard shortcuts"), this);
    keys->setObjectName(QStringLiteral("actionShortcuts_"));
    keys->setStatusTip(tr("List the keys that work in the window"));
    connect(keys, &QAction::triggered, this, [this] { HelpWindows::showShortcuts(this); });
    QAction* manual = new QAction(tr("&Manual"), this);
    manual->setObjectName(QStringLiteral("actionManual_"));
    manual->setShortcut(QKeySequence::HelpContents);
    manual->setStatusTip(tr("Show the manual page"));
    connect(manual, &QAction::triggered, this, [this] { HelpWindows::showManual(this); });
    ui_->menuHelp_->insertActions(aboutAction_, {keys, manual});
    ui_->menuHelp_->insertSeparator(aboutAction_);
}

void MainWindow::initToolTips_()
{
    // The filter boxes come from mk.js, one per letter it defines.
    for (const auto& [letter, box] : filterBoxes_) {
        if (box->toolTip().isEmpty()) {
            box->setToolTip(tr("Show the '%1' frames in the log and the console")
                                .arg(QChar::fromLatin1(letter)));
        }
    }
}
