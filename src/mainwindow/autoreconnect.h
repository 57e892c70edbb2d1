#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QTimer;

// Decides when the link to the device the user last connected is reopened by itself.
//
// The owner reports what happens: the user connected (arm) or disconnected (disarm), ports
// appeared or went away, the link opened, closed without the user asking, or failed to open.
// When the followed device (known by its identity, see QPortInfo::identity) is listed while the
// link is closed, reopenRequested asks the owner to open it under its current port name.
//
// Attempts are spaced out: the first comes shortly after the port appears (the system may still
// be setting the device's permissions), each failure doubles the wait up to maxDelayMs(). The
// wait starts short again only when the port appears anew or the link stayed up for
// kStableMs, so a device that opens and drops at once is not hammered either.
class AutoReconnect : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFirstDelayMs = 250;
    static constexpr int kMaxDelayMs = 30'000;
    static constexpr int kStableMs = 10'000;

    explicit AutoReconnect(QObject* parent = nullptr);

    // Shorter waits for tests; the doubling stays.
    void setDelays(int firstMs, int maxMs, int stableMs);
    int maxDelayMs() const { return maxMs_; }

    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }

    // The user opened the link to this device: follow it from now on.
    void arm(const QString& identity, const QString& portName);
    // The user closed the link: follow nothing until the next arm().
    void disarm();
    bool isArmed() const { return armed_; }
    QString identity() const { return identity_; }
    // Whether an attempt is waiting for its time, and how long the next wait would be.
    bool isPending() const;
    int nextDelayMs() const;

    void portAppeared(const QString& portName, const QString& identity);
    void portRemoved(const QString& portName);
    void linkOpened();
    // The link closed without the user asking (device gone, read or write failure).
    void linkLost();
    void openFailed();

signals:
    void reopenRequested(const QString& portName);

private:
    void schedule_();
    void fire_();

    QTimer* timer_ = nullptr;
    QElapsedTimer upSince_;
    QString identity_;
    QString port_; // where the followed device is listed now; empty while it is absent
    int firstMs_ = kFirstDelayMs;
    int maxMs_ = kMaxDelayMs;
    int stableMs_ = kStableMs;
    int attempts_ = 0; // since the port appeared or the link was last stable
    bool enabled_ = true;
    bool armed_ = false;
    bool open_ = false;
};
