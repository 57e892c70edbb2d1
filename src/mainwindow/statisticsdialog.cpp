#include "statisticsdialog.h"

#include "statisticsmodel.h"
#include "windowfitter.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

StatisticsDialog::StatisticsDialog(LinkStatistics* statistics, QWidget* parent)
    : QDialog(parent), statistics_(statistics), model_(new StatisticsModel(this)),
      view_(new QTableView(this)), totals_(new QLabel(this)), timer_(new QTimer(this))
{
    setObjectName(QStringLiteral("statisticsDialog_"));
    setWindowTitle(tr("Statistics"));
    WindowFitter::watch(this);
    view_->setObjectName(QStringLiteral("statisticsView_"));
    view_->setToolTip(tr("Frames, bytes and answer times of the link, per command letter"));
    view_->setModel(model_);
    view_->verticalHeader()->hide();
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    totals_->setObjectName(QStringLiteral("statisticsTotals_"));
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* clear = buttons->addButton(tr("Clear"), QDialogButtonBox::ResetRole);
    clear->setObjectName(QStringLiteral("statisticsClear_"));
    clear->setToolTip(tr("Start the counts afresh"));
    connect(clear, &QPushButton::clicked, statistics_, &LinkStatistics::clear);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addWidget(totals_);
    layout->addWidget(buttons);
    resize(640, 420);

    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &StatisticsDialog::refresh);
    connect(statistics_, &LinkStatistics::cleared, this, [this] {
        if (isVisible())
            refresh();
    });
}

QString StatisticsDialog::byteRateText(double bytesPerSecond)
{
    if (bytesPerSecond < 999.5)
        return tr("%1 B/s").arg(qRound(bytesPerSecond));
    return tr("%1 kB/s").arg(bytesPerSecond / 1000.0, 0, 'f', 1);
}

QString StatisticsDialog::summaryText(const LinkStatistics::Totals& totals)
{
    // A slow trickle keeps a decimal, so one frame every few seconds does not read as none.
    const double frames = totals.rxFramesPerSecond;
    const QString rate = frames < 9.95 && frames > 0 ? QString::number(frames, 'f', 1)
                                                     : QString::number(qRound(frames));
    return tr("rx %1 · %2 frames/s · %3 bad")
        .arg(byteRateText(totals.rxBytesPerSecond), rate)
        .arg(totals.bad);
}

void StatisticsDialog::refresh()
{
    const qint64 now = FrameRecord::nowUs();
    model_->setRows(statistics_->rows(now));
    const LinkStatistics::Totals totals = statistics_->totals(now);
    totals_->setText(tr("Received %1 frames (%2 bytes), sent %3 (%4 bytes), %5 with a bad check "
                        "sum, %6 junk bytes dropped")
                         .arg(totals.received)
                         .arg(totals.bytesIn)
                         .arg(totals.sent)
                         .arg(totals.bytesOut)
                         .arg(totals.bad)
                         .arg(totals.junkBytes));
}

void StatisticsDialog::showEvent(QShowEvent* event)
{
    refresh();
    timer_->start();
    QDialog::showEvent(event);
}

void StatisticsDialog::hideEvent(QHideEvent* event)
{
    timer_->stop();
    QDialog::hideEvent(event);
}
