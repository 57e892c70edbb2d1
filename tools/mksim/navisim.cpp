#include "navisim.h"

#include "mkhelper.h"
#include "simflight.h"

#include <QTimer>
#include <QtEndian>

#include <cmath>

namespace {
constexpr int kAddresses[NaviSim::TargetCount] = {2, 1, 3, 4};
constexpr int kMaxFrame = 1024;
constexpr int kDefaultRadiusM = 50;
constexpr int kRadiusPage = 2; // the Navi Ctrl's page whose item keys set the radius

QString latin1(const char* format, double a = 0, double b = 0)
{
    return QString::asprintf(format, a, b);
}
} // namespace

const QByteArray NaviSim::kEscape("\x1b\x1b\x55\xaa\x00", 5);

NaviSim::NaviSim(const SimDevice::Options& options, QObject* parent) : QObject(parent)
{
    clock_.start();
    for (int t = 0; t < TargetCount; ++t) {
        if (t != Gps) {
            SimDevice::Options o = options;
            o.address = kAddresses[t];
            o.flood = t == Navi ? options.flood : 0; // a flood of 'D' frames from the Navi Ctrl
            devices_[t] = new SimDevice(o, this);
            connect(devices_[t], &SimDevice::output, this, &NaviSim::output);
            connect(devices_[t], &SimDevice::request, this, &NaviSim::request);
            connect(devices_[t], &SimDevice::badRequest, this, &NaviSim::badRequest);
        }
        for (int k = 0; k < StreamKinds; ++k) {
            Stream& s = streams_[t][k];
            s.timer = new QTimer(this);
            s.timer->setTimerType(Qt::PreciseTimer);
            connect(s.timer, &QTimer::timeout, this,
                    [this, t, k] { tick_(Target(t), StreamKind(k)); });
        }
        streams_[t][Display].payload = [this, t] {
            return oneLine_[t] ? displays_[t].oneLine() : displays_[t].screen();
        };
        streams_[t][ThreeD].payload = [this, t] { return threeD_(Target(t)); };
    }
    streams_[Navi][Navigation].payload = [this] {
        return SimFlight::at(seconds_(), displays_[Navi].value(kRadiusPage)).encode();
    };
    buildPages_();
    QTimer::singleShot(0, devices_[Navi], &SimDevice::start);
}

NaviSim::~NaviSim() = default;

double NaviSim::seconds_() const
{
    return clock_.nsecsElapsed() / 1e9;
}

void NaviSim::feed(const QByteArray& bytes)
{
    rx_.append(bytes);
    for (;;) {
        const qsizetype end = rx_.indexOf('\r');
        const qsizetype escape = rx_.indexOf(kEscape);
        if (escape >= 0 && (end < 0 || escape < end)) {
            // Whatever came before the escape was no complete frame; the line is the Navi
            // Ctrl's again.
            rx_.remove(0, escape + kEscape.size());
            setTarget_(Navi);
            continue;
        }
        if (end < 0)
            break;
        const QByteArray frame = SimDevice::takeFrame(rx_, end);
        if (!frame.isEmpty())
            handleFrame_(frame);
    }
    if (rx_.size() > kMaxFrame)
        rx_ = rx_.right(kEscape.size() - 1); // keep what may be the start of an escape
}

void NaviSim::handleFrame_(const QByteArray& frame)
{
    if (target_ == Gps)
        return;
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    if (!MkHelper::decodeFrame(frame, cmd, address, payload)) {
        emit badRequest(frame);
        return;
    }
    const int p1 = payload.isEmpty() ? 0 : quint8(payload.at(0));
    const int p2 = payload.size() < 2 ? 0 : quint8(payload.at(1));
    switch (cmd) {
    case 'h':
        emit request(cmd, address, payload);
        displays_[target_].press(quint8(p1));
        oneLine_[target_] = !(p1 & 0x80);
        subscribe_(target_, Display, p2);
        return;
    case 'c':
        emit request(cmd, address, payload);
        subscribe_(target_, ThreeD, p1);
        return;
    case 'o':
        if (target_ != Navi)
            break;
        emit request(cmd, address, payload);
        subscribe_(Navi, Navigation, p1);
        return;
    case 'u':
        if (target_ != Navi || address != 2)
            break; // on the Flight Ctrl, 'u' asks for BL parameters
        emit request(cmd, address, payload);
        if (p1 == 0)
            setTarget_(Flight);
        else if ((p1 == 1 || p1 == 2) && !SimFlight::motorsRun(seconds_()))
            setTarget_(p1 == 1 ? Compass : Gps);
        return;
    default:
        break;
    }
    devices_[target_]->feed(frame);
}

void NaviSim::setTarget_(Target target)
{
    if (target == target_)
        return;
    target_ = target;
    emit redirected(target);
}

void NaviSim::subscribe_(Target device, StreamKind kind, int interval)
{
    Stream& s = streams_[device][kind];
    s.renewed.start();
    tick_(device, kind);
    if (interval > 0)
        s.timer->start(interval * 10);
    else
        s.timer->stop();
}

void NaviSim::tick_(Target device, StreamKind kind)
{
    Stream& s = streams_[device][kind];
    if (s.renewed.elapsed() > SimDevice::kSubscriptionMs) {
        s.timer->stop();
        return;
    }
    static const char letters[StreamKinds] = {'H', 'C', 'O'};
    if (device == target_)
        send_(device, letters[kind], s.payload());
}

void NaviSim::send_(Target device, char cmd, const QByteArray& payload)
{
    QByteArray frame;
    MkHelper::encodeFrame(cmd, kAddresses[device], payload, frame);
    emit output(frame);
}

QByteArray NaviSim::threeD_(Target device) const
{
    const double t = seconds_();
    QByteArray out;
    const qint16 angles[3] = {qint16(std::lround(80 * std::sin(t * 0.7))),
                              qint16(std::lround(60 * std::sin(t * 0.9))),
                              qint16(std::lround(std::fmod(t * 60, 3600)))};
    for (qint16 a : angles) {
        char b[2];
        qToLittleEndian(a, b);
        out.append(b, 2);
    }
    if (device == Flight)
        out.append(QByteArray("\x02\xfe\x00", 3)); // centroid
    else
        out.append(8, '\0');
    return out;
}

void NaviSim::buildPages_()
{
    // Navi Ctrl: status, position, home, the operating radius (item keys: -/+ 10 m), error.
    auto nav = [this] { return SimFlight::at(seconds_(), displays_[Navi].value(kRadiusPage)); };
    displays_[Navi].addPage({[nav](int) {
        const NaviData d = nav();
        return QStringList{QStringLiteral("Navi-Ctrl V0.91a"),
                           latin1("Sats: %.0f  GPS ok", d.satellites),
                           latin1("Home: %.0f m", d.homeDeviation.distance()),
                           latin1("Battery: %.1f V", d.batteryVolts())};
    }});
    displays_[Navi].addPage({[nav](int) {
        const NaviData d = nav();
        return QStringList{QStringLiteral("Position"), latin1("N %.7f", d.current.latitude()),
                           latin1("E %.7f", d.current.longitude()),
                           latin1("Alt: %.1f m", d.barometricAltitude())};
    }});
    displays_[Navi].addPage({[](int radius) {
                                 return QStringList{QStringLiteral("Operating radius"),
                                                    latin1("%.0f m", radius), QString(),
                                                    QStringLiteral("\x7f -10  +10 \x7e")};
                             },
                             kDefaultRadiusM, 10, 10, 250});
    displays_[Navi].addPage({[](int) {
        return QStringList{QStringLiteral("Error: 0"), NaviData::errorText(0)};
    }});
    // Flight Ctrl: version, battery and motors, angles, hover gas (item keys: -/+ 1).
    displays_[Flight].addPage({[this](int) {
        return QStringList{QStringLiteral("Flight-Ctrl V0.91a"),
                           latin1("Voltage: %.1f V", SimFlight::at(seconds_(), 0).batteryVolts()),
                           SimFlight::motorsRun(seconds_()) ? QStringLiteral("Motors: on")
                                                            : QStringLiteral("Motors: off")};
    }});
    displays_[Flight].addPage({[this](int) {
        const QByteArray a = threeD_(Flight);
        return QStringList{QStringLiteral("Attitude"),
                           latin1("Nick %.0f Roll %.0f", qFromLittleEndian<qint16>(a.constData()),
                                  qFromLittleEndian<qint16>(a.constData() + 2))};
    }});
    displays_[Flight].addPage(
        {[](int gas) {
             return QStringList{QStringLiteral("Hover gas"), latin1("%.0f", gas)};
         },
         120, 1, 60, 180});
    // MK3MAG: one page, with the LCD's degree sign.
    displays_[Compass].addPage({[this](int) {
        return QStringList{QStringLiteral("MK3MAG V0.91a"),
                           latin1("Heading: %.0f", std::fmod(seconds_() * 6, 360)) + QChar(0xDF),
                           QStringLiteral("Magnet: 512 498 503")};
    }});
}
