#include "navigationpanel.h"

#include "navidata.h"
#include "navipipe.h"
#include "navitrack.h"
#include "renewedrequest.h"
#include "trackview.h"

#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

NavigationPanel::NavigationPanel(FrameSink* sink, NaviPipe* pipe, const NaviTrack* track,
                                 std::function<int()> intervalTicks, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(new QFormLayout), problem_(new QLabel(this)),
      trackView_(new TrackView(track, this)), request_(new RenewedRequest(sink, 'o', this)),
      pipe_(pipe), intervalTicks_(std::move(intervalTicks))
{
    setObjectName(QStringLiteral("navigationPanel_"));
    setWindowTitle(tr("Navigation data"));
    request_->setAddress([] { return NaviPipe::addressOf(NaviPipe::NaviCtrl); });
    request_->setPayload([this] {
        const int ticks = intervalTicks_ ? intervalTicks_() : 0;
        return QByteArray(1, char(ticks > 0 ? qMin(ticks, 255) : kDefaultTicks));
    });
    request_->setCondition(
        [this] { return pipe_->device() == NaviPipe::NaviCtrl && !pipe_->pending(); });

    addRow_(QStringLiteral("position"), tr("Position"));
    addRow_(QStringLiteral("altitude"), tr("Barometric altitude"));
    addRow_(QStringLiteral("home"), tr("Home"));
    addRow_(QStringLiteral("satellites"), tr("Satellites"));
    addRow_(QStringLiteral("speed"), tr("Ground speed"));
    addRow_(QStringLiteral("vario"), tr("Vertical speed (variometer)"));
    addRow_(QStringLiteral("heading"), tr("Heading"));
    addRow_(QStringLiteral("battery"), tr("Battery"));
    addRow_(QStringLiteral("current"), tr("Current"));
    addRow_(QStringLiteral("capacity"), tr("Used capacity"));
    addRow_(QStringLiteral("time"), tr("Flying time"));
    addRow_(QStringLiteral("ncFlags"), tr("Navi Ctrl"));
    addRow_(QStringLiteral("fcFlags"), tr("Flight Ctrl"));
    addRow_(QStringLiteral("error"), tr("Error"));

    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_->setText(tr("Waiting for navigation data..."));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addWidget(problem_);
    layout->addWidget(trackView_, 1);
}

QLabel* NavigationPanel::addRow_(const QString& key, const QString& label)
{
    auto* value = new QLabel(QStringLiteral("-"), this);
    value->setObjectName(key);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form_->addRow(label, value);
    return value;
}

QString NavigationPanel::value(const QString& key) const
{
    const auto* label = findChild<QLabel*>(key);
    return label ? label->text() : QString();
}

void NavigationPanel::showRecord(const NaviData& d)
{
    if (!d.ok()) {
        // Shown as it came, so a newer layout can still be read by eye.
        problem_->setText(tr("%1: %2").arg(d.problem(), QString::fromLatin1(d.raw.toHex(' '))));
        return;
    }
    const auto set = [this](const char* key, const QString& text) {
        if (auto* label = findChild<QLabel*>(QLatin1String(key)); label && label->text() != text)
            label->setText(text);
    };
    const QLocale c = QLocale::c();
    set("position", d.current.valid() ? tr("%1\u00b0, %2\u00b0")
                                            .arg(c.toString(d.current.latitude(), 'f', 7),
                                                 c.toString(d.current.longitude(), 'f', 7))
                                      : tr("invalid (%1\u00b0, %2\u00b0)")
                                            .arg(c.toString(d.current.latitude(), 'f', 7),
                                                 c.toString(d.current.longitude(), 'f', 7)));
    set("altitude", tr("%1 m").arg(d.barometricAltitude(), 0, 'f', 2));
    set("home", tr("%1 m, bearing %2\u00b0")
                    .arg(d.homeDeviation.distance(), 0, 'f', 1)
                    .arg(d.homeDeviation.bearing));
    set("satellites", QString::number(d.satellites));
    set("speed", tr("%1 m/s").arg(d.groundSpeed(), 0, 'f', 2));
    set("vario", QString::number(d.variometer));
    set("heading", tr("%1\u00b0 (compass %2\u00b0)").arg(d.heading).arg(d.compassHeading));
    set("battery", tr("%1 V").arg(d.batteryVolts(), 0, 'f', 1));
    set("current", tr("%1 A").arg(d.currentAmps(), 0, 'f', 1));
    set("capacity", tr("%1 mAh").arg(d.usedCapacityMah));
    set("time",
        tr("%1:%2").arg(d.flyingTimeS / 60).arg(d.flyingTimeS % 60, 2, 10, QLatin1Char('0')));
    const QStringList nc = NaviData::ncFlagWords(d.ncFlags);
    const QStringList fc = NaviData::fcFlagWords(d.fcFlags);
    set("ncFlags", nc.isEmpty() ? tr("none") : nc.join(QStringLiteral(", ")));
    set("fcFlags", fc.isEmpty() ? tr("none") : fc.join(QStringLiteral(", ")));
    const QString errorText = NaviData::errorText(d.errorCode);
    set("error", errorText.isEmpty() ? QString::number(d.errorCode)
                                     : tr("%1 (%2)").arg(d.errorCode).arg(errorText));
    if (!problem_->text().isEmpty())
        problem_->clear();
}

void NavigationPanel::trackChanged()
{
    if (isVisible())
        trackView_->update();
}

void NavigationPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    request_->start();
}

void NavigationPanel::hideEvent(QHideEvent* event)
{
    request_->stop();
    QWidget::hideEvent(event);
}
