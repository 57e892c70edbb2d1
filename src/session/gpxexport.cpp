#include "gpxexport.h"

#include "capturereader.h"
#include "filesafety.h"
#include "mkhelper.h"
#include "navidata.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace {
constexpr qsizetype kReadBatch = 1 << 16;

QString degrees(qint32 e7)
{
    // Exact decimal of the 1e-7 degree integer, without the detour through a double.
    const qint64 v = e7;
    const qint64 a = v < 0 ? -v : v;
    return QStringLiteral("%1%2.%3")
        .arg(v < 0 ? QStringLiteral("-") : QString())
        .arg(a / 10000000)
        .arg(a % 10000000, 7, 10, QLatin1Char('0'));
}
} // namespace

GpxExport::GpxExport(QIODevice* out, const QString& trackName) : xml_(out), trackName_(trackName)
{
    xml_.setAutoFormatting(true);
    xml_.setAutoFormattingIndent(1);
}

void GpxExport::start_()
{
    started_ = true;
    xml_.writeStartDocument();
    xml_.writeStartElement(QStringLiteral("gpx"));
    xml_.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    xml_.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml_.writeAttribute(QStringLiteral("creator"), QStringLiteral("Tovrik"));
    xml_.writeStartElement(QStringLiteral("trk"));
    if (!trackName_.isEmpty())
        xml_.writeTextElement(QStringLiteral("name"), trackName_);
    xml_.writeStartElement(QStringLiteral("trkseg"));
}

void GpxExport::add(const FrameRecord& record)
{
    if (record.cmd != 'O' || record.direction != FrameRecord::Received)
        return;
    if (!started_)
        start_();
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    if (!record.good || !MkHelper::decodeFrame(record.bytes, cmd, address, payload)) {
        ++skipped_;
        return;
    }
    const NaviData d = NaviData::decode(payload);
    if (!d.ok() || !d.current.valid()) {
        ++skipped_;
        return;
    }
    ++points_;
    xml_.writeStartElement(QStringLiteral("trkpt"));
    xml_.writeAttribute(QStringLiteral("lat"), degrees(d.current.latitudeE7));
    xml_.writeAttribute(QStringLiteral("lon"), degrees(d.current.longitudeE7));
    xml_.writeTextElement(QStringLiteral("ele"), QString::number(d.barometricAltitude(), 'f', 2));
    xml_.writeTextElement(QStringLiteral("time"), timeText_(record.timeUs));
    xml_.writeEndElement();
}

QString GpxExport::timeText_(qint64 timeUs)
{
    // ISO 8601 in UTC with milliseconds. The date changes once a day at most: it is formatted
    // by QDateTime then, the time of day here.
    constexpr qint64 kDayMs = 86'400'000;
    const qint64 ms = timeUs >= 0 ? timeUs / 1000 : -((-timeUs + 999) / 1000);
    const qint64 day = ms >= 0 ? ms / kDayMs : -((-ms + kDayMs - 1) / kDayMs);
    if (day != day_ || datePrefix_.isEmpty()) {
        day_ = day;
        datePrefix_ = QDateTime::fromMSecsSinceEpoch(day * kDayMs, Qt::UTC)
                          .toString(QStringLiteral("yyyy-MM-dd'T'"));
    }
    const qint64 t = ms - day * kDayMs;
    char clock[32];
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d.%03dZ", int(t / 3'600'000),
                  int(t / 60'000 % 60), int(t / 1000 % 60), int(t % 1000));
    return datePrefix_ + QLatin1String(clock);
}

bool GpxExport::finish()
{
    if (!started_)
        start_();
    xml_.writeEndDocument(); // closes trkseg, trk and gpx
    return !xml_.hasError();
}

GpxExport::Result GpxExport::exportCapture(const QString& captureName, const QString& fileName,
                                           const std::function<void(qint64, qint64)>& progress)
{
    Result result;
    CaptureReader reader;
    if (!reader.open(captureName)) {
        result.error = reader.errorString();
        return result;
    }
    const auto writeTrack = [&](QIODevice& out) {
        GpxExport gpx(&out, QFileInfo(captureName).completeBaseName());
        QList<FrameRecord> batch;
        for (bool more = true; more;) {
            batch.clear();
            more = reader.read(batch, kReadBatch);
            for (const FrameRecord& record : std::as_const(batch))
                gpx.add(record);
            if (progress)
                progress(reader.position(), reader.size());
        }
        result.points = gpx.pointCount();
        result.skipped = gpx.skippedCount();
        return gpx.finish();
    };
    if (fileName.isEmpty()) {
        // "--export-gpx a.mkcap >> a.mkcap" would write the track into the capture it reads.
        const QString output = QCoreApplication::translate("GpxExport", "standard output");
        const QString refused = FileSafety::checkOpenOutput(STDOUT_FILENO, output, {captureName});
        if (!refused.isEmpty()) {
            result.error = refused;
            return result;
        }
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || !writeTrack(out) || !out.flush()) {
            result.error = QCoreApplication::translate("GpxExport", "cannot write '%1': %2")
                               .arg(output, out.errorString());
            return result;
        }
    } else if (!FileSafety::writeWhole(fileName, {captureName}, writeTrack, result.error)) {
        // The checks refuse the capture itself, pipes and devices before anything is written.
        return result;
    }
    result.ok = true;
    result.unreadLines = reader.skippedLines();
    return result;
}
