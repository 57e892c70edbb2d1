#pragma once

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class QJSEngine;

// Interrupts a script engine that is still busy when the time limit runs out, so that an endless
// loop in a script cannot hang the program. Guards everything that may run script code (the
// evaluation, and getters or toString() methods reached while reading its results) for as long
// as it lives. The engine's interrupt flag is thread-safe; the watchdog sets it from its own
// thread and clears it again when it is destroyed, leaving the engine usable.
class ScriptWatchdog
{
public:
    ScriptWatchdog(QJSEngine* engine, std::chrono::milliseconds limit);
    ~ScriptWatchdog();

    ScriptWatchdog(const ScriptWatchdog&) = delete;
    ScriptWatchdog& operator=(const ScriptWatchdog&) = delete;

    // True once the limit ran out and the engine was interrupted.
    bool fired() const;

private:
    void watch_(std::chrono::milliseconds limit);

    QJSEngine* engine_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    bool fired_ = false;
    std::thread thread_;
};
