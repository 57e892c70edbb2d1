#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>

class FrameSink;
class QTimer;

// A request the device forgets a few seconds after it came ('h', 'o', 'c' streams): sent when
// started and again every renewMs while active. Address and payload are asked for at every
// sending, so a change (a key pressed, another device talked to) goes out with the next one.
// Nothing is written while the sink is closed; a sink that reopens gets the next renewal.
class RenewedRequest : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRenewMs = 2000;

    RenewedRequest(FrameSink* sink, char cmd, QObject* parent = nullptr);

    void setAddress(std::function<int()> address) { address_ = std::move(address); }
    void setPayload(std::function<QByteArray()> payload) { payload_ = std::move(payload); }
    // Whether a renewal may be sent now (default: always); false skips it without stopping.
    void setCondition(std::function<bool()> condition) { condition_ = std::move(condition); }

    void start(int renewMs = kRenewMs);
    void stop();
    bool isActive() const;
    // Sends at once (when active) and restarts the renewal period.
    void sendNow();

signals:
    void sent(const QByteArray& frame);

private:
    void send_();

    FrameSink* sink_;
    char cmd_;
    std::function<int()> address_;
    std::function<QByteArray()> payload_;
    std::function<bool()> condition_;
    QTimer* timer_;
};
