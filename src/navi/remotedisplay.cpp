#include "remotedisplay.h"

#include "displaytext.h"
#include "lcdview.h"
#include "navipipe.h"
#include "renewedrequest.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

RemoteDisplay::RemoteDisplay(FrameSink* sink, NaviPipe* pipe, QWidget* parent)
    : QWidget(parent, Qt::Window), view_(new LcdView(this)), status_(new QLabel(this)), pipe_(pipe),
      request_(new RenewedRequest(sink, 'h', this))
{
    setObjectName(QStringLiteral("remoteDisplay_"));
    setWindowTitle(tr("Remote display"));
    request_->setAddress([this] { return pipe_->address(); });
    request_->setPayload([this] {
        QByteArray payload(1, char(DisplayText::keysByte(pressed_)));
        payload.append(char(kIntervalTicks));
        return payload;
    });
    request_->setCondition([this] { return !pipe_->pending(); });

    struct Key
    {
        quint8 bit;
        QString text;
        QString tip;
        QKeySequence shortcut;
    };
    const Key keys[] = {
        {DisplayText::PreviousPage, QStringLiteral("\u25c0"), tr("Previous page (Left arrow)"),
         QKeySequence(Qt::Key_Left)},
        {DisplayText::NextPage, QStringLiteral("\u25b6"), tr("Next page (Right arrow)"),
         QKeySequence(Qt::Key_Right)},
        {DisplayText::Item1, tr("Key 3"), tr("First item key of the page (A)"),
         QKeySequence(Qt::Key_A)},
        {DisplayText::Item2, tr("Key 4"), tr("Second item key of the page (S)"),
         QKeySequence(Qt::Key_S)},
    };
    auto* layout = new QGridLayout(this);
    layout->addWidget(view_, 0, 0, 1, 4, Qt::AlignCenter);
    int column = 0;
    for (const Key& key : keys) {
        auto* button = new QPushButton(key.text, this);
        button->setToolTip(key.tip);
        button->setShortcut(key.shortcut);
        button->setAutoRepeat(false);
        button->setFocusPolicy(Qt::NoFocus);
        const quint8 bit = key.bit;
        connect(button, &QPushButton::clicked, this, [this, bit] { press(bit); });
        layout->addWidget(button, 1, column++);
    }
    status_->setWordWrap(true);
    layout->addWidget(status_, 2, 0, 1, 4);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(pipe_, &NaviPipe::deviceChanged, this, [this] {
        answered_ = false;
        updateStatus_();
        request_->sendNow(); // the new device learns of the window at once
    });
    updateStatus_();
}

void RemoteDisplay::showScreen(const QByteArray& payload)
{
    QStringList lines;
    QString problem;
    DisplayText::decode(payload, lines, &problem);
    view_->setLines(lines);
    if (!answered_ || problem != problem_) {
        answered_ = true;
        problem_ = problem;
        updateStatus_();
    }
}

void RemoteDisplay::press(quint8 keys)
{
    pressed_ = keys;
    request_->sendNow();
    pressed_ = 0;
}

void RemoteDisplay::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    answered_ = false;
    updateStatus_();
    request_->start();
}

void RemoteDisplay::hideEvent(QHideEvent* event)
{
    request_->stop();
    QWidget::hideEvent(event);
}

void RemoteDisplay::updateStatus_()
{
    const int address = pipe_->address();
    const QString device = address == 1   ? NaviPipe::nameOf(NaviPipe::FlightCtrl)
                           : address == 2 ? NaviPipe::nameOf(NaviPipe::NaviCtrl)
                                          : NaviPipe::nameOf(NaviPipe::Mk3Mag);
    QString text = answered_ ? tr("Display of the %1").arg(device)
                             : tr("Waiting for the display of the %1...").arg(device);
    if (answered_ && !problem_.isEmpty())
        text += QStringLiteral(": ") + problem_;
    status_->setText(text);
}
