#pragma once
// (API sketch; implementation follows.)
#include "framerecord.h"

#include <QObject>
#include <functional>

class Link;

// A request and the answer that settles it.
struct Request
{
    char cmd = 0;         // request letter
    int address = 1;      // device address the request goes to
    QByteArray payload;   // request parameters
    char answer = 0;      // letter of the awaited answer
    int answerIndex = -1; // >= 0: the answer's first payload byte must equal it ('A' label, 'Q' set)
    int timeoutMs = 2000; // per try
    int tries = 3;        // sends before giving up (1: no retry)
};

struct Reply
{
    bool ok = false;
    QString error;        // for the user, when !ok (time-out, link closed, cancelled, busy)
    FrameRecord record;   // the answer frame
    QByteArray payload;   // its decoded payload
    int address = 0;      // address it came from
};
