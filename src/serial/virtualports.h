#pragma once

#include <QString>

// Directory whose symbolic links stand for serial ports (the device simulator registers its
// pseudo-terminal there). $TOVRIK_PORTS_DIR, else $XDG_RUNTIME_DIR/tovrik/ports, else
// /tmp/tovrik-<uid>/ports. The directory is created if missing; the path is returned even when
// creating it failed, so callers can report it.
QString virtualPortsDir();
