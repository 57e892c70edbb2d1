#pragma once

#include <QWidget>

class FrameSink;
class LcdView;
class NaviPipe;
class QLabel;
class RenewedRequest;

// The remote display window: the menu of the device the user talks to (Navi Ctrl, Flight Ctrl
// or MK3MAG, as NaviPipe says), with its four keys. While the window is shown an 'h' goes out
// every 2 s asking for the screen kIntervalTicks apart; closing the window stops the renewals
// and the device stops sending 4 s later.
class RemoteDisplay : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kIntervalTicks = 10; // 10 ms units: ten screens a second

    RemoteDisplay(FrameSink* sink, NaviPipe* pipe, QWidget* parent = nullptr);

    // The payload of an 'H' answer.
    void showScreen(const QByteArray& payload);
    // Sends the keys (DisplayText::Key bits) with the next request, at once.
    void press(quint8 keys);

    LcdView* view() const { return view_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateStatus_();

    LcdView* view_;
    QLabel* status_;
    QString problem_;
    NaviPipe* pipe_;
    RenewedRequest* request_;
    quint8 pressed_ = 0;
    bool answered_ = false;
};
