#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "flowlayout.h"
#include "flowscrollarea.h"
#include "scriptloader.h"
#include "scriptwatchdog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QJSEngine>
#include <QJSValue>

namespace {

// A script still running after this long is taken for an endless loop and stopped.
constexpr std::chrono::seconds ScriptTimeLimit{5};
// Rows of filter boxes shown before the row scrolls.
constexpr int FilterRows = 3;

} // namespace

void MainWindow::initScript_()
{
    const QString fileName = QStringLiteral("mk.js");
    // Working directory first, then the per-user and the installed data directories, then
    // next to the program, and the source tree's copy for a program run from its build folder.
    QStringList candidates = ScriptLoader::candidatePaths(fileName);
    const QString programDir = QCoreApplication::applicationDirPath();
    candidates << QDir(programDir).filePath(fileName);
    if (QDir(programDir) == QDir(QStringLiteral(TOVRIK_PROGRAM_BUILD_DIR)))
        candidates << QDir(QStringLiteral(TOVRIK_SOURCE_TREE)).filePath(fileName);
    const ScriptLoader::ScriptFile file = ScriptLoader::readScriptFile(candidates);
    switch (file.status) {
    case ScriptLoader::ScriptFile::Missing:
        printConsoleError(tr("Error: file 'mk.js' not found"));
        return;
    case ScriptLoader::ScriptFile::NotRegular:
        printConsoleError(tr("Error: '%1' is not a regular file; no definitions loaded")
                              .arg(file.path.toHtmlEscaped()));
        return;
    case ScriptLoader::ScriptFile::TooLarge:
        printConsoleError(tr("Error: '%1' is larger than %2 MiB; no definitions loaded")
                              .arg(file.path.toHtmlEscaped())
                              .arg(ScriptLoader::kMaxScriptBytes / (1024 * 1024)));
        return;
    case ScriptLoader::ScriptFile::Read:
        break;
    }
    if (file.path != candidates.constFirst())
        printConsoleNoError(tr("Using script file '%1'").arg(file.path.toHtmlEscaped()));
    printConsoleNoError(tr("Parsing script file 'mk.js'"));

    // Owned by the window so that it goes with it; nothing uses it after start-up.
    scriptEngine_ = new QJSEngine(this);
    const QString text = ScriptLoader::scriptText(file.bytes);

    bool stopped = false;
    bool threw = false;
    {
        // Also guards the walk below: reading the script's objects can run its getters.
        ScriptWatchdog watchdog(scriptEngine_, ScriptTimeLimit);
        const ScriptLoader::Evaluation result =
            ScriptLoader::evaluate(*scriptEngine_, text, fileName);
        threw = result.threw;
        if (result.threw && !watchdog.fired())
            printConsoleError(tr("Script error") + result.message.toHtmlEscaped());

        const QJSValue global = scriptEngine_->globalObject();
        for (const QString& name : ScriptLoader::indexNames(result.value))
            getStructDef_(name, global);
        stopped = watchdog.fired();
    }
    if (stopped) {
        printConsoleError(tr("Script error") +
                          tr(": stopped after running for %1 seconds without finishing")
                              .arg(ScriptTimeLimit.count()));
    }
    if (stopped || threw) {
        // The definitions are copied out; whatever a failed or runaway script left in its
        // engine (it may have allocated without bound) is given back now, not at exit.
        delete scriptEngine_;
        scriptEngine_ = new QJSEngine(this);
    }

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
