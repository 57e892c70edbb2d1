#include "scriptwatchdog.h"

#include <QJSEngine>

#include <cstdio>
#include <unistd.h>

ScriptWatchdog::ScriptWatchdog(QJSEngine* engine, std::chrono::milliseconds limit,
                               qint64 memoryLimit)
    : engine_(engine), thread_(&ScriptWatchdog::watch_, this, limit, memoryLimit)
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
    if (reason_ != Reason::None && engine_)
        engine_->setInterrupted(false);
}

bool ScriptWatchdog::fired() const
{
    return reason() != Reason::None;
}

ScriptWatchdog::Reason ScriptWatchdog::reason() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return reason_;
}

qint64 ScriptWatchdog::residentBytes()
{
    // statm's second field is the resident set in pages; read with stdio, which allocates
    // nothing the engine's heap would count.
    std::FILE* statm = std::fopen("/proc/self/statm", "re");
    if (!statm)
        return -1;
    long long size = 0;
    long long resident = -1;
    if (std::fscanf(statm, "%lld %lld", &size, &resident) != 2)
        resident = -1;
    std::fclose(statm);
    return resident < 0 ? -1 : resident * ::sysconf(_SC_PAGESIZE);
}

void ScriptWatchdog::watch_(std::chrono::milliseconds limit, qint64 memoryLimit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const qint64 start = residentBytes();
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        const auto next = std::min(deadline, std::chrono::steady_clock::now() +
                                                 std::chrono::milliseconds(kMemoryPollMs));
        if (wake_.wait_until(lock, next, [this] { return done_; }))
            return;
        if (std::chrono::steady_clock::now() >= deadline) {
            reason_ = Reason::Time;
            break;
        }
        const qint64 now = residentBytes();
        if (start >= 0 && now >= 0 && now - start > memoryLimit) {
            reason_ = Reason::Memory;
            break;
        }
    }
    if (engine_)
        engine_->setInterrupted(true);
}
