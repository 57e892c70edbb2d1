#pragma once

#include <QByteArray>
#include <QString>

class FrameSink;

// The version record of a 'V' payload: bytes 0..9 unchanged, plus "major.minor<patch letter>".
struct VersionInfo
{
    quint8 SWMajor = 0;
    quint8 SWMinor = 0;
    quint8 ProtoMajor = 0;
    quint8 ProtoMinor = 0;
    quint8 SWPatch = 0;
    quint8 HardwareError[5] = {0, 0, 0, 0, 0};
    QString text;
};

// Wire protocol of the Mikrokopter serial line: frame codec, payload value conversions and the
// request builder. Static members only; never instantiated.
class MkHelper
{
public:
    MkHelper() = delete;

    // Frame codec
    static void encodeFrame(char cmd, int address, const QByteArray& payload, QByteArray& frame);
    static bool decodeFrame(const QByteArray& frame, char& cmd, int& address, QByteArray& payload);
    static void encode64(const QByteArray& data, QByteArray& out);
    static void decode64(const QByteArray& text, QByteArray& out);
    static QByteArray getCRC(const QByteArray& data);
    static bool checkCRC(const QByteArray& data);

    // Payload value conversions
    static int toInt(const QByteArray& data, int pos, bool isSigned);
    static QString toInt(const QByteArray& data);
    static QString toHex(const QByteArray& data, int mode);
    static QString toASCII(const QByteArray& data);
    static QString toString(const QByteArray& data, int pos, int len);
    static double intToDouble(int value, int pos);
    static VersionInfo decodeVersion(const QByteArray& data);
    static QString parseAddress(int address);

    // Request builder: every request goes to address 1 on the registered sink (none: requests
    // are dropped).
    static void setCurrentSerialPort(FrameSink* sink);
    static void setDebug(bool on);
    static bool isSerialOpen();
    static void rq(char cmd, int p1);
    static void rq(char cmd);
    static void rqVersion();
    static void rqMixer();
    static void rqPPM();
    static void rqDebug(int p1);
    static void rqBL(int p1);
    static void rqLabelAnalogValues(int p1);
    static void rqDisplay(int p1);

private:
    static FrameSink* serialPort_;
    static bool debug_;
};
