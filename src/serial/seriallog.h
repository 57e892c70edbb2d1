#pragma once

#include <QLoggingCategory>

// Diagnostics of the serial link that are not meant for the user.
Q_DECLARE_LOGGING_CATEGORY(lcSerial)
