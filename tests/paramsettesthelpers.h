#pragma once

// The parameter set layouts of the shipped mk.js, for the parameter set suites.

#include "paramlayout.h"
#include "scriptloader.h"

#include <QFile>
#include <QJSEngine>

inline QList<FrameModel> shippedModels()
{
    QFile file(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QJSEngine engine;
    const ScriptLoader::Evaluation result =
        ScriptLoader::evaluate(engine, ScriptLoader::readScriptText(file), QStringLiteral("mk.js"));
    QList<FrameModel> models;
    for (const QString& name : ScriptLoader::indexNames(result.value)) {
        FrameModel model;
        if (ScriptLoader::definition(engine.globalObject(), name, model))
            models << model;
    }
    return models;
}

inline QList<ParamLayout> shippedLayouts()
{
    return ParamLayout::fromModels(shippedModels());
}
