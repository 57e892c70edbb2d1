#pragma once

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class QJSEngine;

// Interrupts a script engine that is still busy when the time limit runs out, or once the process
// has grown by more than the memory limit since the watchdog was made, so that an endless loop or
// an endless allocation in a script can neither hang the program nor exhaust the machine. Guards
// everything that may run script code (the evaluation, and getters or toString() methods reached
// while reading its results) for as long as it lives. The engine's interrupt flag is thread-safe;
// the watchdog sets it from its own thread and clears it again when it is destroyed, leaving the
// engine usable.
//
// Growth is the resident set as /proc/self/statm tells it, read every kMemoryPollMs: a script that
// allocates at the engine's full speed overshoots the limit by a few MiB at most. One builtin call
// that allocates a huge block at once (a string repeated a billion times) is not interrupted
// before it returns; the engine checks its flag only between statements and calls.
class ScriptWatchdog
{
public:
    enum class Reason
    {
        None,
        Time,
        Memory,
    };
    static constexpr qint64 kDefaultMemoryLimit = qint64(256) * 1024 * 1024;
    static constexpr int kMemoryPollMs = 10;

    ScriptWatchdog(QJSEngine* engine, std::chrono::milliseconds limit,
                   qint64 memoryLimit = kDefaultMemoryLimit);
    ~ScriptWatchdog();

    ScriptWatchdog(const ScriptWatchdog&) = delete;
    ScriptWatchdog& operator=(const ScriptWatchdog&) = delete;

    // True once a limit ran out and the engine was interrupted; reason() says which.
    bool fired() const;
    Reason reason() const;

    // The process's resident set in bytes; -1 when it cannot be read.
    static qint64 residentBytes();

private:
    void watch_(std::chrono::milliseconds limit, qint64 memoryLimit);

    QJSEngine* engine_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    Reason reason_ = Reason::None;
    std::thread thread_;
};
