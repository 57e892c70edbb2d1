#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "flowlayout.h"
#include "flowscrollarea.h"
#include "scriptloader.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QJSEngine>
#include <QJSValue>

namespace {

// Rows of filter boxes shown before the row scrolls.
constexpr int FilterRows = 3;

} // namespace

void MainWindow::initScript_()
{
    const QString fileName = QStringLiteral("mk.js");
    const ScriptLoader::Limits limits;
    ScriptLoader::Definitions loaded =
        ScriptLoader::load(ScriptLoader::candidatePaths(fileName), limits);
    using Definitions = ScriptLoader::Definitions;
    switch (loaded.status) {
    case Definitions::Missing:
        printConsoleError(tr("Error: file 'mk.js' not found"));
        return;
    case Definitions::NotRegular:
    case Definitions::TooLarge:
        printConsoleError(tr("Error: ") + ScriptLoader::problemText(loaded).toHtmlEscaped());
        return;
    default:
        break;
    }
    // Wherever it was found, the user sees which file runs.
    printConsoleNoError(
        tr("Using script file '%1' (%2 bytes)").arg(loaded.path.toHtmlEscaped()).arg(loaded.size));
    printConsoleNoError(tr("Parsing script file 'mk.js'"));
    switch (loaded.status) {
    case Definitions::Threw:
        printConsoleError(tr("Script error") + loaded.message.toHtmlEscaped());
        break;
    case Definitions::TimedOut:
        printConsoleError(
            tr("Script error") +
            tr(": stopped after running for %1 seconds without finishing")
                .arg(std::chrono::duration_cast<std::chrono::seconds>(limits.time).count()));
        break;
    case Definitions::OutOfMemory:
        printConsoleError(tr("Script error") +
                          tr(": stopped after growing the program by more than %1 MiB")
                              .arg(limits.memoryBytes / (1024 * 1024)));
        break;
    default:
        break;
    }
    frameModels_.append(loaded.models);
    // Owned by the window so that it goes with it; nothing uses it after start-up.
    scriptEngine_ = loaded.engine.release();
    scriptEngine_->setParent(this);

    // The boxes wrap onto further rows and scroll past a few, so no number of definitions
    // widens or lengthens the window.
    auto* filterArea = new FlowScrollArea(FilterRows, ui_->groupBox_2);
    filterArea->setObjectName(QStringLiteral("filterArea_"));
    FlowLayout* flow = filterArea->flow();
    QHBoxLayout* row = ui_->horizontalLayout_2;
    row->insertWidget(0, filterArea, 1);
    // The flow keeps the boxes to the left itself; the row's spacer gives up its width to it.
    if (QSpacerItem* spacer = row->itemAt(row->count() - 1)->spacerItem()) {
        spacer->changeSize(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
        row->invalidate();
    }
    for (int j = 0; j < frameModels_.size(); ++j) {
        const char letter = frameModels_.at(j).cmd;
        // Definitions of further revisions of a structure share the first one's box.
        if (frameModels_.at(j).revision >= 0 && filterBoxes_.count(letter) != 0)
            continue;
        const QString label = QString(QChar(ushort(quint8(letter))));
        auto* box = new QCheckBox(ui_->centralwidget);
        // A second definition for a letter takes over the entry; its box alone drives the filter.
        filterBoxes_[letter] = box;
        box->setText(label);
        box->setChecked(cmdFilter_.contains(label));
        flow->insertWidget(j, box);
        connect(box, &QCheckBox::clicked, this, &MainWindow::onFilterCheck_);
    }
}

void MainWindow::getStructDef_(const QString& name, const QJSValue& object)
{
    // A name that leads to no object, or an object without "cmd", is no definition.
    FrameModel model;
    if (ScriptLoader::definition(object, name, model))
        frameModels_.append(model);
}
