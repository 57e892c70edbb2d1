#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class Conversation;
class FrameSink;
class FrameStore;
struct Reply;

// Which device the line reaches on a copter with a Navi Ctrl. The Navi Ctrl (address 2)
// answers itself until a 'u' to it turns it into a transparent pipe to the Flight Ctrl or the
// MK3MAG; the five raw bytes of kEscape end the pipe. A redirect counts only once the device
// behind it answers a version request ('v') within kAnswerTimeoutMs; otherwise (the Navi Ctrl
// refuses while the motors run, or the device is silent) the escape is sent and the line is the
// Navi Ctrl's again, so the copter is never left piped by a redirect that failed.
//
// Everything is written only on a call of the user's (talkTo, leave); frames arriving, from a
// device or a capture replay, only move the state. The version is asked through the session's
// conversation; whether a Navi Ctrl is there is read from the session's frame store.
class NaviPipe : public QObject
{
    Q_OBJECT
public:
    enum Device
    {
        NaviCtrl,
        FlightCtrl,
        Mk3Mag
    };
    static const QByteArray kEscape;
    static constexpr int kAnswerTimeoutMs = 2000;

    NaviPipe(FrameStore* store, FrameSink* sink, Conversation* conversation,
             QObject* parent = nullptr);

    // A frame from address 2 arrived while the link was open, since the last reset().
    bool naviPresent() const { return naviPresent_; }
    // The device the line reaches now; pending() while a redirect waits for its answer.
    Device device() const { return device_; }
    bool pending() const { return pending_ >= 0; }
    // The address of the device talked to: its own behind the pipe, the Navi Ctrl's when one
    // answered, else the Flight Ctrl's.
    int address() const;
    static int addressOf(Device device);
    static QString nameOf(Device device);

    // Redirects the line to device (NaviCtrl: sends the escape). False, with failed() emitted,
    // when it cannot be done now: no Navi Ctrl answered, or the link is closed.
    bool talkTo(Device device);
    // Sends the escape when the line is piped or a redirect is pending (Disconnect, closing).
    // True when it wrote one.
    bool leave();
    // The link closed or opened: no Navi Ctrl known, nothing piped.
    void reset();

signals:
    void naviPresentChanged(bool present);
    void deviceChanged(Device device);
    // A redirect that could not be made or got no answer, for the user.
    void failed(const QString& reason);

private:
    void onAppended_(qsizetype first, qsizetype count);
    void onVersion_(Device device, const Reply& reply);
    void setDevice_(Device device);
    void writeEscape_();

    FrameStore* store_;
    FrameSink* sink_;
    Conversation* conversation_;
    quint64 askId_ = 0;
    quint64 attempt_ = 0; // counts redirects, so a late reply to an earlier one is ignored
    bool naviPresent_ = false;
    Device device_ = NaviCtrl;
    int pending_ = -1; // the device a redirect waits for, or -1
};
