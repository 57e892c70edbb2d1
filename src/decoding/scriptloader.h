#pragma once

#include "framemodel.h"

#include <QJSValue>
#include <QString>
#include <QStringList>

class QIODevice;
class QJSEngine;

// The pieces of loading the definitions script that need no window: where the file is looked
// for, how its bytes become script text, how an evaluation is judged, and how the script's
// objects become structure definitions.
class ScriptLoader
{
public:
    ScriptLoader() = delete;

    // Where the named file is looked for, in order: the working directory (the bare name), the
    // per-user data directory of organisation and application "Tovrik", and the installed data
    // directory beside the program (<bin>/../share/tovrik).
    static QStringList candidatePaths(const QString& fileName);

    // The script text: the bytes up to the first NUL, each one Latin-1 character.
    static QString readScriptText(QIODevice& device);

    struct Evaluation
    {
        QJSValue value; // completion value, or the thrown value
        bool threw = false;
        QString message; // the thrown value's "message" property as a string
    };

    // Evaluates the whole text as one program. Any uncaught exception counts, thrown Error
    // objects and plain thrown values alike.
    static Evaluation evaluate(QJSEngine& engine, const QString& text, const QString& fileName);

    // The names of the index's own properties whose value converts to the string "struct",
    // in the iterator's order. A value that is not an object names nothing.
    static QStringList indexNames(const QJSValue& index);

    // Reads the property `name` of `object` as a definition: "cmd" gives the command letter
    // (low 8 bits of its first UTF-16 unit, 0 for an empty string), every other own property a
    // field in the iterator's order. False, and `model` untouched, when the name leads to no
    // object or the object has no "cmd".
    static bool definition(const QJSValue& object, const QString& name, FrameModel& model);
};
