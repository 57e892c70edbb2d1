#include "mkhelper.h"

#include <QDebug>

namespace {

// Every payload character and both checksum characters are 61 + a 6-bit value ('=' .. '|').
constexpr int kAlphabetBase = 61;

} // namespace

void MkHelper::encodeFrame(char cmd, int address, const QByteArray& payload, QByteArray& frame)
{
    // 'R' is a reset on the device side and is never sent as a frame.
    if (cmd == 'R')
        return;
    frame = QByteArray(1, '#');
    frame.append(char(quint8(address + 'a')));
    frame.append(cmd);
    encode64(payload, frame);
    frame.append(getCRC(frame));
    frame.append('\r');
}

bool MkHelper::decodeFrame(const QByteArray& frame, char& cmd, int& address, QByteArray& payload)
{
    // Shorter than "#", address, command, two checksum characters and "\r": no frame at all.
    const qsizetype length = frame.size();
    if (length < 6)
        return false;

    address = int(qint8(frame.at(1))) - 'a';
    cmd = frame.at(2);
    decode64(frame.mid(3, length - 6), payload);

    const QByteArray received = frame.mid(length - 3, 2);
    const QByteArray computed = getCRC(frame.left(length - 3));
    if (received == computed)
        return true;

    qDebug() << "Bad crc check in frame: received CRC=" << received << " computed CRC=" << computed
             << " cmd=" << cmd << " address=" << address << " data=" << payload;
    return false;
}

void MkHelper::encode64(const QByteArray& data, QByteArray& out)
{
    const auto* bytes = reinterpret_cast<const quint8*>(data.constData());
    const qsizetype n = data.size();
    out.reserve(out.size() + (n + 2) / 3 * 4);
    for (qsizetype i = 0; i < n; i += 3) {
        const quint8 b0 = bytes[i];
        const quint8 b1 = i + 1 < n ? bytes[i + 1] : 0;
        const quint8 b2 = i + 2 < n ? bytes[i + 2] : 0;
        out.append(char(kAlphabetBase + (b0 >> 2)));
        out.append(char(kAlphabetBase + (((b0 & 0x03) << 4) | (b1 >> 4))));
        out.append(char(kAlphabetBase + (((b1 & 0x0F) << 2) | (b2 >> 6))));
        out.append(char(kAlphabetBase + (b2 & 0x3F)));
    }
}

void MkHelper::decode64(const QByteArray& text, QByteArray& out)
{
    const qsizetype n = text.size();
    if (n == 0 || n % 4 != 0)
        return;
    out.reserve(out.size() + n / 4 * 3);
    for (qsizetype i = 0; i < n; i += 4) {
        // Characters outside the alphabet are not rejected: they wrap like the arithmetic gives.
        const quint8 s0 = quint8(text.at(i) - kAlphabetBase);
        const quint8 s1 = quint8(text.at(i + 1) - kAlphabetBase);
        const quint8 s2 = quint8(text.at(i + 2) - kAlphabetBase);
        const quint8 s3 = quint8(text.at(i + 3) - kAlphabetBase);
        out.append(char(quint8((s0 << 2) | (s1 >> 4))));
        out.append(char(quint8((s1 << 4) | (s2 >> 2))));
        out.append(char(quint8((s2 << 6) | s3)));
    }
}

QByteArray MkHelper::getCRC(const QByteArray& data)
{
    int sum = 0;
    for (const char c : data)
        sum += qint8(c); // bytes count as signed 8-bit values
    sum &= 0x0FFF;
    QByteArray crc(2, '\0');
    crc[0] = char(kAlphabetBase + (sum >> 6));
    crc[1] = char(kAlphabetBase + (sum & 0x3F));
    return crc;
}

bool MkHelper::checkCRC(const QByteArray& data)
{
    const qsizetype n = data.size();
    if (n <= 2)
        return false;
    return getCRC(data.left(n - 2)) == data.right(2);
}
