#pragma once

#include <QElapsedTimer>
#include <QObject>

class QTimer;

// Keeps the device's debug-data stream alive while the user wants it and the port is open.
// The device stops sending 'D' frames a few seconds (4 s) after the last 'd' request, so the
// request is renewed well within that time, yet never more than once a second. Turning the
// stream off asks the device to stop outright (some firmware streams on until told to); a
// closed port just ends the renewals, and reopening it resumes them.
class LiveStream : public QObject
{
    Q_OBJECT
public:
    // Two renewals fit into the device's 4 s, so one lost request does not stop the stream.
    static constexpr int DefaultRenewMs = 1500;
    static constexpr int MinimumGapMs = 1000;

    explicit LiveStream(QObject* parent = nullptr);

    bool isEnabled() const { return enabled_; }
    bool isPortOpen() const { return portOpen_; }
    // Renewing now: enabled and the port open.
    bool isActive() const { return enabled_ && portOpen_; }
    int renewIntervalMs() const { return renewMs_; }
    // Renewal period; kept between the minimum gap and the default.
    void setRenewIntervalMs(int ms);

public slots:
    void setEnabled(bool on);
    void setPortOpen(bool open);

signals:
    // Ask the device for the 'D' stream at the user's interval.
    void renewRequested();
    // Ask the device to stop the stream ('d' with interval 0).
    void stopRequested();

private:
    void update_(bool wasActive);
    void renew_();

    QTimer* timer_ = nullptr;
    QElapsedTimer lastRenew_;
    int renewMs_ = DefaultRenewMs;
    bool enabled_ = false;
    bool portOpen_ = false;
};
