#include "scriptwatchdog.h"

#include <QJSEngine>

ScriptWatchdog::ScriptWatchdog(QJSEngine* engine, std::chrono::milliseconds limit)
    : engine_(engine), thread_(&ScriptWatchdog::watch_, this, limit)
{
}

ScriptWatchdog::~ScriptWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    wake_.notify_all();
    thread_.join();
    if (fired_ && engine_)
        engine_->setInterrupted(false);
}

bool ScriptWatchdog::fired() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return fired_;
}

void ScriptWatchdog::watch_(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (wake_.wait_for(lock, limit, [this] { return done_; }))
        return;
    fired_ = true;
    if (engine_)
        engine_->setInterrupted(true);
}
