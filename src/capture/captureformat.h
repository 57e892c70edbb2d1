#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// The line format of capture files (.mkcap), shared by the writer, the reader and the
// simulator's replay. A capture is UTF-8 text with "\n" line ends:
//
//   # tovrik capture 1                         first line, exactly
//   # any comment
//   2026-12-08T05:12:01.123456Z < #bD...       a frame from the device ("<") or to it (">")
//   2026-12-08T05:12:01.200000Z ! connected    an event
//
// A channel label the session knew before the recording started is kept as an event
// 'label <index> "<text>"'; an 'A' answer recorded as a frame says the same.
//
// A frame is written from its "#" up to, not including, the closing carriage return; every
// byte outside 0x21..0x7E and the backslash itself become "\xNN" (two lower-case hex digits),
// so a line never holds a blank, a control character or a byte that is not ASCII.
namespace CaptureFormat {

inline constexpr char kHeader[] = "# tovrik capture 1";

// Timestamps are accepted from the year 1970 to 9999; anything outside is not a capture time.
// UTC microseconds since 1970 as "YYYY-MM-DDTHH:MM:SS.ffffffZ" (27 characters).
QByteArray formatTime(qint64 timeUs);
// The inverse of formatTime(); false for any other text, an impossible date included.
bool parseTime(QByteArrayView text, qint64& timeUs);

// Frame bytes as they stand on a frame line; the closing carriage return is left out.
void appendEscaped(QByteArray& line, QByteArrayView frame);
// The frame bytes of an escaped text, closing carriage return added back. False for a text
// with a blank, a byte outside 0x21..0x7E, or a backslash not followed by "x" and two hex digits.
bool unescape(QByteArrayView text, QByteArray& frame);

// The event text of a channel label, and back: false for any other event, and for an index
// that is not a decimal number below MkRecords::kAnalogCount.
QString labelEvent(int index, const QString& text);
bool parseLabelEvent(const QString& event, int& index, QString& text);

} // namespace CaptureFormat
