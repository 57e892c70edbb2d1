#include "link.h"

// Links are used through the interface only; the vtable lives here.
Link::~Link() = default;
