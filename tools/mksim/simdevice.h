#pragma once

#include "simparamsets.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>

class QTimer;

// The device side of the conversation: takes the bytes a host writes, answers each good
// request frame like a flight controller would, and streams debug data when subscribed.
// Knows nothing of terminals; whatever it sends comes out of the signal output.
class SimDevice : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        int address = 1;
        double noise = 0.0;   // chance of junk bytes in front of a frame
        double corrupt = 0.0; // chance of a frame with a wrong checksum
        bool dropLabels = false;
        int flood = 0;              // 'D' frames per second regardless of requests; 0: off
        quint32 seed = 0;           // 0: random
        int settingsRevision = 106; // parameter set structure revision: 95 or 106
        bool motorsOn = false;      // a running copter: parameter set requests are refused
    };

    static constexpr int kLabelCount = 32;
    static constexpr int kAnalogCount = 32;
    // A debug subscription ends this long after the last 'd' request.
    static constexpr int kSubscriptionMs = 4000;

    explicit SimDevice(const Options& options, QObject* parent = nullptr);

    // Bytes from the host; complete frames are answered at once.
    void feed(const QByteArray& bytes);
    // Removes the first line (up to its '\r') from rx and returns the frame in it, from its
    // last '#': a line may carry junk in front of a frame. Empty when the line holds no '#'.
    static QByteArray takeFrame(QByteArray& rx, qsizetype end);
    // Starts the flood stream if one was asked for.
    void start();
    SimParamSets& paramSets() { return paramSets_; }

    static QByteArray versionPayload();
    static QByteArray labelPayload(int index);
    QByteArray debugPayload();
    static QByteArray mixerPayload();
    QByteArray ppmPayload();
    static QByteArray displayPayload(int item);
    static QByteArray blPayload(int motor);

signals:
    void output(const QByteArray& bytes);
    // A good request frame, for the verbose log.
    void request(char cmd, int address, const QByteArray& payload);
    // A frame that failed its checksum and was ignored.
    void badRequest(const QByteArray& frame);

private:
    void handleFrame_(const QByteArray& frame);
    void subscribe_(int interval);
    void onDebugTick_();
    void onFloodTick_();
    void send_(char cmd, const QByteArray& payload);
    double seconds_() const;

    Options options_;
    QRandomGenerator random_;
    QByteArray rx_;
    QElapsedTimer clock_;
    QElapsedTimer lastDebugRequest_;
    QTimer* debugTimer_ = nullptr;
    QTimer* floodTimer_ = nullptr;
    qint64 floodSent_ = 0;
    QElapsedTimer floodClock_;
    quint16 sequence_ = 0;
    SimParamSets paramSets_;
};
