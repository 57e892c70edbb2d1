#include "link.h"

#include <chrono>

// Links are used through the interface only; the vtable lives here.
Link::~Link() = default;

qint64 LinkFrame::nowUs()
{
    // Whole microseconds: a device that answers within a millisecond still shows how fast.
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}
