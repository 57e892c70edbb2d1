#pragma once

#include "framerecord.h"

#include <QString>
#include <QXmlStreamWriter>

#include <functional>

class QIODevice;

// Writes the positions of the Navi Ctrl's 'O' frames as one GPX 1.1 track: per point latitude
// and longitude (7 decimals, as sent), the barometric altitude as elevation and the frame's
// time (UTC, milliseconds). Records are fed in session order, every letter and direction; only
// received 'O' frames are read. One that gives no position (bad check sum, a navigation record
// of another version or too short, latitude or longitude out of range, no fix) is skipped and
// counted.
class GpxExport
{
public:
    explicit GpxExport(QIODevice* out, const QString& trackName = QString());

    void add(const FrameRecord& record);
    // Closes the document. False when a write failed.
    bool finish();

    qint64 pointCount() const { return points_; }
    qint64 skippedCount() const { return skipped_; }

    struct Result
    {
        bool ok = false;
        QString error; // names the file and the reason, when !ok
        qint64 points = 0;
        qint64 skipped = 0;
        qint64 unreadLines = 0; // capture lines not understood
    };
    // Exports a capture file to fileName, written whole or not at all (a temporary file in the
    // target folder, renamed over it at the end); an empty fileName writes to the standard
    // output. progress(done, total) is called now and then with bytes of the capture read.
    static Result exportCapture(const QString& captureName, const QString& fileName,
                                const std::function<void(qint64, qint64)>& progress = {});

private:
    void start_();
    QString timeText_(qint64 timeUs);

    QXmlStreamWriter xml_;
    QString trackName_;
    bool started_ = false;
    qint64 points_ = 0;
    qint64 skipped_ = 0;
    qint64 day_ = 0; // days since 1970 of datePrefix_
    QString datePrefix_;
};
