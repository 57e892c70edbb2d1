#include "simdevice.h"

#include "mkhelper.h"

#include <QTimer>
#include <QtEndian>

#include <cmath>

namespace {
constexpr int kMaxFrame = 1024; // a request is a few dozen bytes; more is line noise

const char* const kLabels[SimDevice::kLabelCount] = {
    "AngleNick",       "AngleRoll",      "AccNick",        "AccRoll",
    "YawGyro",         "Height Value",   "AccZ",           "Gas",
    "Compass Value",   "Voltage [0.1V]", "Receiver Level", "Gyro Compass",
    "Motor Front",     "Motor Rear",     "Motor Left",     "Motor Right",
    "Motor 5",         "Motor 6",        "Motor 7",        "Motor 8",
    "Servo",           "Hovergas",       "Current [0.1A]", "Capacity [mAh]",
    "Height Setpoint", "Temperature",    "Cpu Load",       "Compass Setpoint",
    "I2C-Error",       "BL Limit",       "GPS_Nick",       "GPS_Roll"};

constexpr int kMaxMenuItem = 17;
constexpr int kMotorsPresent = 4;

void appendS16(QByteArray& out, int value)
{
    const qint16 v = qint16(qBound(-32768, value, 32767));
    char bytes[2];
    qToLittleEndian(v, bytes);
    out.append(bytes, 2);
}

QByteArray padded(const QByteArray& text, int width, char fill)
{
    QByteArray out = text.left(width);
    out.append(width - out.size(), fill);
    return out;
}
} // namespace

SimDevice::SimDevice(const Options& options, QObject* parent)
    : QObject(parent), options_(options),
      random_(options.seed ? options.seed : QRandomGenerator::global()->generate()),
      paramSets_(options.settingsRevision)
{
    paramSets_.setMotorsOn(options.motorsOn);
    clock_.start();
    debugTimer_ = new QTimer(this);
    debugTimer_->setTimerType(Qt::PreciseTimer);
    connect(debugTimer_, &QTimer::timeout, this, &SimDevice::onDebugTick_);
    floodTimer_ = new QTimer(this);
    floodTimer_->setTimerType(Qt::PreciseTimer);
    connect(floodTimer_, &QTimer::timeout, this, &SimDevice::onFloodTick_);
}

void SimDevice::start()
{
    if (options_.flood <= 0)
        return;
    // Frames are sent in batches on a short tick, as many as are due by the clock, so that
    // rates far above the timer resolution are met on average.
    floodClock_.start();
    floodSent_ = 0;
    floodTimer_->start(5);
}

void SimDevice::feed(const QByteArray& bytes)
{
    rx_.append(bytes);
    for (;;) {
        const qsizetype end = rx_.indexOf('\r');
        if (end < 0)
            break;
        const QByteArray frame = takeFrame(rx_, end);
        if (!frame.isEmpty())
            handleFrame_(frame);
    }
    if (rx_.size() > kMaxFrame)
        rx_.clear();
}

QByteArray SimDevice::takeFrame(QByteArray& rx, qsizetype end)
{
    const QByteArray line = rx.left(end + 1);
    rx.remove(0, end + 1);
    const qsizetype start = line.lastIndexOf('#');
    return start >= 0 ? line.mid(start) : QByteArray();
}

void SimDevice::handleFrame_(const QByteArray& frame)
{
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    if (!MkHelper::decodeFrame(frame, cmd, address, payload)) {
        emit badRequest(frame);
        return;
    }
    emit request(cmd, address, payload);
    const int p1 = payload.isEmpty() ? 0 : quint8(payload.at(0));
    switch (cmd) {
    case 'v':
        send_('V', versionPayload());
        break;
    case 'a':
        if (!options_.dropLabels)
            send_('A', labelPayload(p1));
        break;
    case 'd':
        subscribe_(p1);
        break;
    case 'p':
        send_('P', ppmPayload());
        break;
    case 'n':
        send_('N', mixerPayload());
        break;
    case 'l':
        send_('L', displayPayload(p1));
        break;
    case 'u':
        send_('U', blPayload(p1));
        break;
    case 'q':
    case 's':
    case 'f': {
        char answer = 0;
        QByteArray out;
        if (paramSets_.handle(cmd, payload, answer, out))
            send_(answer, out);
        break;
    }
    default:
        break; // unknown requests go unanswered, as on the real device
    }
}

void SimDevice::subscribe_(int interval)
{
    if (interval == 0) {
        debugTimer_->stop();
        return;
    }
    lastDebugRequest_.start();
    send_('D', debugPayload());
    debugTimer_->start(interval * 10);
}

void SimDevice::onDebugTick_()
{
    if (lastDebugRequest_.elapsed() > kSubscriptionMs) {
        debugTimer_->stop();
        return;
    }
    send_('D', debugPayload());
}

void SimDevice::onFloodTick_()
{
    const qint64 due = floodClock_.nsecsElapsed() / 1000 * options_.flood / 1000000;
    for (; floodSent_ < due; ++floodSent_)
        send_('D', debugPayload());
}

void SimDevice::send_(char cmd, const QByteArray& payload)
{
    QByteArray frame;
    MkHelper::encodeFrame(cmd, options_.address, payload, frame);
    if (options_.corrupt > 0 && random_.generateDouble() < options_.corrupt) {
        // Move the first checksum character within the alphabet so the frame stays printable.
        char& c = frame[frame.size() - 3];
        c = char(c == '|' ? '=' : c + 1);
    }
    if (options_.noise > 0 && random_.generateDouble() < options_.noise) {
        QByteArray junk;
        const int n = 1 + int(random_.bounded(8));
        for (int i = 0; i < n; ++i) {
            char b = char(random_.bounded(256));
            junk.append(b == '\r' ? '\0' : b);
        }
        frame.prepend(junk);
    }
    emit output(frame);
}

double SimDevice::seconds_() const
{
    return clock_.nsecsElapsed() / 1e9;
}

QByteArray SimDevice::versionPayload()
{
    // SW 0.91a, protocol 11.0, no hardware error.
    const char bytes[10] = {0, 91, 11, 0, 0, 0, 0, 0, 0, 0};
    return QByteArray(bytes, sizeof bytes);
}

QByteArray SimDevice::labelPayload(int index)
{
    index = qBound(0, index, kLabelCount - 1);
    QByteArray out(1, char(index));
    out.append(padded(kLabels[index], 16, ' '));
    return out;
}

QByteArray SimDevice::debugPayload()
{
    const double t = seconds_();
    const double nick = 150 * std::sin(t * 0.7);
    const double roll = 120 * std::sin(t * 0.9 + 1.0);
    const double gas = 90 + 25 * std::sin(t * 0.3);
    const int jitter = int(random_.bounded(7)) - 3;
    int v[kAnalogCount] = {};
    v[0] = int(nick);
    v[1] = int(roll);
    v[2] = int(nick * 0.8) + jitter;
    v[3] = int(roll * 0.8) - jitter;
    v[4] = int(40 * std::sin(t * 1.3));
    v[5] = int(200 + 80 * std::sin(t * 0.1));
    v[6] = 512 + jitter;
    v[7] = int(gas);
    v[8] = int(std::fmod(t * 12.0, 360.0));
    v[9] = 126 - int(t / 60.0) % 20;
    v[10] = 200 - qAbs(jitter);
    v[11] = v[8];
    for (int m = 0; m < 4; ++m)
        v[12 + m] = int(gas + (m < 2 ? 1 : -1) * nick / 10 + (m % 2 ? 1 : -1) * roll / 10);
    v[20] = 128;
    v[21] = 100;
    v[22] = int(gas / 2) + qAbs(jitter);
    v[23] = int(t * 5);
    v[24] = 200;
    v[25] = 31;
    v[26] = 40 + jitter;
    v[27] = 90;
    // A running count in the last channel lets a consumer of the flood stream spot gaps.
    v[31] = options_.flood > 0 ? int(qint16(sequence_++)) : int(10 * std::cos(t));

    QByteArray out(2, '\0'); // status bytes
    for (int value : v)
        appendS16(out, value);
    return out;
}

QByteArray SimDevice::mixerPayload()
{
    QByteArray out(1, char(1)); // revision
    out.append(padded("Quadro", 12, '\0'));
    // Per motor: gas, nick, roll, yaw; front, rear, right, left, the rest unused.
    const qint8 table[kMotorsPresent][4] = {
        {64, 64, 0, 64}, {64, -64, 0, 64}, {64, 0, -64, -64}, {64, 0, 64, -64}};
    for (int m = 0; m < 16; ++m)
        for (int k = 0; k < 4; ++k)
            out.append(char(m < kMotorsPresent ? table[m][k] : 0));
    return out;
}

QByteArray SimDevice::ppmPayload()
{
    const double t = seconds_();
    QByteArray out;
    appendS16(out, 180); // RSSI
    for (int ch = 1; ch <= 16; ++ch)
        appendS16(out, ch <= 4 ? int(100 * std::sin(t * 0.5 + ch)) : (ch == 5 ? 120 : 0));
    for (int poti = 17; poti <= 28; ++poti)
        appendS16(out, -127 + (poti - 17) * 20);
    appendS16(out, 0); // waypoint event
    appendS16(out, -127);
    appendS16(out, 0);
    appendS16(out, 128);
    appendS16(out, 0);
    appendS16(out, 0);
    return out;
}

QByteArray SimDevice::displayPayload(int item)
{
    item = qBound(0, item, kMaxMenuItem);
    QByteArray out;
    out.append(char(item));
    out.append(char(kMaxMenuItem));
    out.append(padded("Tovrik simulator", 20, ' '));
    out.append(padded("Flight-Ctrl V0.91a", 20, ' '));
    out.append(padded(QByteArray("Menu item ") + QByteArray::number(item), 20, ' '));
    out.append(padded("Voltage: 12.6 V", 20, ' '));
    return out;
}

QByteArray SimDevice::blPayload(int motor)
{
    const bool present = motor < kMotorsPresent;
    QByteArray out;
    out.append(char(present ? 1 : 0));
    out.append(char(present ? 0 : 2)); // 2: motor missing
    out.append(char(motor));
    // Revision, SetMask, PwmScaling, CurrentLimit, TempLimit, CurrentScaling, BitConfig, crc
    const quint8 settings[8] = {2, 0, 255, 30, 99, 64, 0, 0};
    QByteArray s(reinterpret_cast<const char*>(settings), 8);
    if (present) {
        quint8 crc = 0xAA;
        for (int i = 0; i < 7; ++i)
            crc = quint8(crc + quint8(s.at(i)));
        s[7] = char(crc);
    } else {
        s.fill('\0');
    }
    out.append(s);
    return out;
}
