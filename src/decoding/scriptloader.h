#pragma once

#include "framemodel.h"

#include <QJSEngine>
#include <QJSValue>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

class QIODevice;

// What a definitions script may use before it is stopped.
struct ScriptLimits
{
    // A script still running after this long is taken for an endless loop.
    std::chrono::milliseconds time{5000};
    // A script that grows the process by more than this is taken for an endless allocation.
    qint64 memoryBytes = qint64(256) * 1024 * 1024;
};

// Loading the definitions script, for the window and the command line alike: where the file is
// looked for, how its bytes become script text, how an evaluation is judged and guarded, and how
// the script's objects become structure definitions.
class ScriptLoader
{
public:
    ScriptLoader() = delete;

    using Limits = ScriptLimits;

    struct Definitions
    {
        enum Status
        {
            Loaded,     // evaluated; models holds what the script defines (maybe nothing)
            Missing,    // no candidate could be opened
            NotRegular, // the first candidate that opened is no regular file
            TooLarge,   // the first candidate that opened is larger than kMaxScriptBytes
            Threw,      // the script threw; models holds what its thrown value named
            TimedOut,   // stopped at the time limit; models is empty
            OutOfMemory // stopped at the memory limit; models is empty
        };
        Status status = Missing;
        QString path; // absolute path of the file read or refused; empty when Missing
        qint64 size = 0;
        QList<FrameModel> models;
        QString message; // the thrown value's message when Threw
        // The engine the script ran in, for whoever keeps it; a fresh one after a runaway or a
        // throw (whatever the script left behind is given back at once), none when not read.
        std::unique_ptr<QJSEngine> engine;
    };

    // Reads the first of `paths` that opens (readScriptFile), evaluates it under the limits and
    // collects its structure definitions. Runs on the calling thread and returns within the
    // time limit plus the reading of at most kMaxScriptBytes.
    static Definitions load(const QStringList& paths, const Limits& limits = Limits());
    static Definitions load(const Limits& limits = Limits())
    {
        return load(candidatePaths(QStringLiteral("mk.js")), limits);
    }
    // The definitions of mk.js, looked up where the window looks, for tools without a console.
    // False with a message naming the file when none could be had: not found, refused, stopped,
    // or a throw that left no definition.
    static bool loadDefinitions(QList<FrameModel>& models, QString& error);
    // A message naming the file for every status but Loaded.
    static QString problemText(const Definitions& definitions, const Limits& limits = Limits());

    // Where the named file is looked for, in order: the working directory (the bare name), the
    // per-user data directory of organisation and application "Tovrik", the installed data
    // directory beside the program (<bin>/../share/tovrik), the program's own directory, and
    // for a program run from its build folder the source tree.
    static QStringList candidatePaths(const QString& fileName);

    // The largest definitions script that is read; a larger file is refused.
    static constexpr qint64 kMaxScriptBytes = 8 * 1024 * 1024;

    struct ScriptFile
    {
        enum Status
        {
            Read,       // bytes holds the whole file
            Missing,    // no candidate could be opened
            NotRegular, // the first candidate that opened is a FIFO, a device, a directory...
            TooLarge,   // the first candidate that opened is larger than kMaxScriptBytes
        };
        Status status = Missing;
        QString path;
        QByteArray bytes;
    };

    // Reads the first of `paths` that can be opened. It must be a regular file of at most
    // kMaxScriptBytes: a FIFO would block start-up and a link to a device could be read
    // without end, so anything else is refused without reading it (the later candidates are
    // not tried: the user should hear about the file that is in the way).
    static ScriptFile readScriptFile(const QStringList& paths);

    // The script text: the bytes up to the first NUL, each one Latin-1 character.
    static QString scriptText(QByteArray bytes);
    static QString readScriptText(QIODevice& device);

    struct Evaluation
    {
        QJSValue value; // completion value, or the thrown value
        bool threw = false;
        // The thrown value's "message" property as a string, or the value's own text when it
        // has no "message" (a thrown string or number).
        QString message;
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
    // A field is a type string (any other value is read as its string), or an object with
    // "type" and optional "min" and "max"
    // (numbers), "bits", "choices" and "items" (arrays of names), "unit" (see fieldExtra()).
    // Numbers under "revision" and "revisionAt" are no fields: they give FrameModel's revision and
    // the payload offset where it is matched.
    static bool definition(const QJSValue& object, const QString& name, FrameModel& model);

    // The optional parts of an object field; a range needs both numbers and min <= max.
    static FieldExtra fieldExtra(const QJSValue& field);
};
