#pragma once

#include <QString>

// Directory whose symbolic links stand for serial ports (the device simulator registers its
// pseudo-terminal there). $TOVRIK_PORTS_DIR, else $XDG_RUNTIME_DIR/tovrik/ports, else
// /tmp/tovrik-<uid>/ports. Missing folders on the way are created with mode 0700; the path is
// returned even when creating it failed, so callers can report it.
QString virtualPortsDir();

// Why the folder must not be used, empty when it may: it has to be a real directory (not a
// link to one), owned by this user, with no access for group or others, since whoever can write
// there decides which terminal the program offers and opens. The text names the folder.
QString virtualPortsProblem(const QString& dir);
QString virtualPortsProblem();
