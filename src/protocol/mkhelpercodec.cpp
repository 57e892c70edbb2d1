#include "mkhelper.h"
