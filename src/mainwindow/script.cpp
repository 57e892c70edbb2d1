#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "scriptloader.h"
#include "scriptwatchdog.h"

#include <QCheckBox>
#include <QFile>
#include <QJSEngine>
#include <QJSValue>

namespace {

// A script still running after this long is taken for an endless loop and stopped.
constexpr std::chrono::seconds ScriptTimeLimit{5};

} // namespace

void MainWindow::initScript_()
{
    const QString fileName = QStringLiteral("mk.js");
    // Working directory first, then the per-user and the installed data directories.
    QFile file;
    const QStringList candidates = ScriptLoader::candidatePaths(fileName);
    for (const QString& path : candidates) {
        file.setFileName(path);
        if (file.open(QIODevice::ReadOnly))
            break;
    }
    if (!file.isOpen()) {
        printConsoleError(tr("Error: file 'mk.js' not found"));
        return;
    }
    if (file.fileName() != candidates.constFirst())
        printConsoleNoError(tr("Using script file '%1'").arg(file.fileName().toHtmlEscaped()));
    printConsoleNoError(tr("Parsing script file 'mk.js'"));

    // Owned by the window so that it goes with it; nothing uses it after start-up.
    scriptEngine_ = new QJSEngine(this);
    const QString text = ScriptLoader::readScriptText(file);
    file.close();

    bool stopped = false;
    {
        // Also guards the walk below: reading the script's objects can run its getters.
        ScriptWatchdog watchdog(scriptEngine_, ScriptTimeLimit);
        const ScriptLoader::Evaluation result =
            ScriptLoader::evaluate(*scriptEngine_, text, fileName);
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

    for (int j = 0; j < frameModels_.size(); ++j) {
        const char letter = frameModels_.at(j).cmd;
        const QString label = QString(QChar(ushort(quint8(letter))));
        auto* box = new QCheckBox(ui_->centralwidget);
        // A second definition for a letter takes over the entry; its box alone drives the filter.
        filterBoxes_[letter] = box;
        box->setText(label);
        box->setChecked(cmdFilter_.contains(label));
        ui_->horizontalLayout_2->insertWidget(j, box, 0);
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
