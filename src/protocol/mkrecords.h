#pragma once

#include <QByteArray>
#include <QString>

// Layouts of the device's records that more than one part of the program reads: the analog
// label answer 'A' and the debug values 'D'. Written once here so that the label table, the
// real-time window and the CSV export cannot read them differently.
namespace MkRecords {

// 'D': Status u8[2], then Analog[32] as 16-bit little-endian values.
constexpr int kAnalogCount = 32;
constexpr int kAnalogOffset = 2;
constexpr int kDebugPayloadSize = kAnalogOffset + 2 * kAnalogCount;

// Byte offset of an analog channel in a 'D' payload.
constexpr int analogOffset(int channel)
{
    return kAnalogOffset + 2 * channel;
}
// The channel a byte offset of a 'D' payload starts, or -1 when it starts none.
constexpr int analogChannelAt(qint64 offset)
{
    return offset >= kAnalogOffset && (offset - kAnalogOffset) % 2 == 0 &&
                   (offset - kAnalogOffset) / 2 < kAnalogCount
               ? int((offset - kAnalogOffset) / 2)
               : -1;
}
// Analog value `channel` of a 'D' payload; false when the payload is too short to hold it.
bool analogValue(const QByteArray& payload, int channel, bool isSigned, int& value);

// 'A': index u8, then up to 16 characters padded with spaces (a zero ends them early).
struct Label
{
    int index = -1;
    QString text; // trailing padding removed: the name of a column or a channel
    QString raw;  // as sent, up to the first zero byte: the padding kept
    // The payload carried an index and it names one of the kAnalogCount channels.
    bool valid() const { return index >= 0 && index < kAnalogCount; }
};
// The label an 'A' payload carries: index as sent (it may be out of range; see valid()), text
// text and raw as described there. An empty payload gives an invalid label.
Label parseLabel(const QByteArray& payload);
// A label as sent (Label::raw, or a label table's entry) without its trailing padding.
QString labelText(QString raw);

} // namespace MkRecords
