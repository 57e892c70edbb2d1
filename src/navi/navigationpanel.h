#pragma once

#include <QWidget>

#include <functional>

class FrameSink;
class NaviData;
class NaviPipe;
class NaviTrack;
class QFormLayout;
class QLabel;
class RenewedRequest;
class TrackView;

// The Navi Ctrl's navigation data: the values of its 'O' answers and the session's track.
// While the panel is shown an 'o' goes to address 2 every 2 s (not while the line is piped to
// another device, which would not understand it), asking for the record at the interval the
// main window's 'd' box holds (or kDefaultTicks when it holds 0).
class NavigationPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDefaultTicks = 50; // 10 ms units

    NavigationPanel(FrameSink* sink, NaviPipe* pipe, const NaviTrack* track,
                    std::function<int()> intervalTicks, QWidget* parent = nullptr);

    void showRecord(const NaviData& data);
    // The track changed: repaint it with the next record.
    void trackChanged();

    // The value shown for a row, by its key ("position", "battery", ...): for tests and tools.
    QString value(const QString& key) const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLabel* addRow_(const QString& key, const QString& label);

    QFormLayout* form_;
    QLabel* problem_;
    TrackView* trackView_;
    RenewedRequest* request_;
    NaviPipe* pipe_;
    std::function<int()> intervalTicks_;
};
