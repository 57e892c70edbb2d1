#pragma once

#include "simdevice.h"
#include "simdisplay.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QTimer;

// A Navi Ctrl (address 2) with a Flight Ctrl (1) and an MK3MAG (3) behind it. The Navi Ctrl
// answers itself until a 'u' to address 2 redirects the line to one of the others; from then
// on every frame goes to that device, until the five bytes 1B 1B 55 AA 00 return the line to
// the Navi Ctrl. A redirect to the MK3MAG or the GPS is ignored while the motors run.
//
// On top of the requests SimDevice answers, each device has its remote display ('h', with key
// handling), 3D data ('c') and, on the Navi Ctrl, navigation data ('o') from SimFlight. These
// three streams run at the interval asked and stop kSubscriptionMs after the last renewal;
// a stream of a device the line is not connected to stays silent.
class NaviSim : public QObject
{
    Q_OBJECT
public:
    enum Target
    {
        Navi,
        Flight,
        Compass,
        Gps, // a pipe to a receiver that never answers a request
        TargetCount
    };
    static const QByteArray kEscape;

    explicit NaviSim(const SimDevice::Options& options, QObject* parent = nullptr);
    ~NaviSim() override;

    void feed(const QByteArray& bytes);
    Target target() const { return target_; }

signals:
    void output(const QByteArray& bytes);
    void request(char cmd, int address, const QByteArray& payload);
    void badRequest(const QByteArray& frame);
    void redirected(int target);

private:
    struct Stream
    {
        QTimer* timer = nullptr;
        QElapsedTimer renewed;
        std::function<QByteArray()> payload;
    };
    enum StreamKind
    {
        Display,
        ThreeD,
        Navigation,
        StreamKinds
    };

    void handleFrame_(const QByteArray& frame);
    void subscribe_(Target device, StreamKind kind, int interval);
    void tick_(Target device, StreamKind kind);
    void send_(Target device, char cmd, const QByteArray& payload);
    void setTarget_(Target target);
    void buildPages_();
    QByteArray threeD_(Target device) const;
    double seconds_() const;

    SimDevice* devices_[TargetCount] = {};
    SimDisplay displays_[TargetCount];
    bool oneLine_[TargetCount] = {};
    Stream streams_[TargetCount][StreamKinds];
    Target target_ = Navi;
    QByteArray rx_;
    QElapsedTimer clock_;
};
