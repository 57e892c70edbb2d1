#include "labelcollector.h"

#include "mkhelper.h"

LabelCollector::LabelCollector(QObject* parent, int timeoutMs) : QObject(parent)
{
    timer_.setSingleShot(true);
    timer_.setInterval(timeoutMs);
    connect(&timer_, &QTimer::timeout, this, &LabelCollector::onTimeout_);
}

void LabelCollector::start()
{
    collecting_ = true;
    labels_.clear();
    lastIndex_ = 0;
    retries_ = 0;
    ask_(0);
}

void LabelCollector::ask_(int index)
{
    timer_.start();
    emit requestLabel(index);
}

void LabelCollector::takeFrame(bool good, char cmd, const QByteArray& payload)
{
    if (!collecting_)
        return;
    if (!good) {
        // Garbled answer: ask again at once, without restarting the time-out, so that a line
        // that only ever brings bad frames still ends the run.
        emit requestLabel(lastIndex_ + 1);
        return;
    }
    if (cmd != 'A')
        return;

    const int index = payload.isEmpty() ? 0 : int(qint8(payload.at(0)));
    lastIndex_ = index;
    labels_.append(MkHelper::toString(payload, 1, -1));
    if (index < kLastLabelIndex) {
        retries_ = 0;
        ask_(index + 1);
        return;
    }
    collecting_ = false;
    timer_.stop();
    emit labelsListReady(labels_);
}

void LabelCollector::onTimeout_()
{
    if (!collecting_)
        return;
    // The label awaited: 0 until the first answer, then the one after the last answered.
    const int awaited = labels_.isEmpty() ? 0 : lastIndex_ + 1;
    if (++retries_ >= kTries) {
        collecting_ = false;
        retries_ = 0;
        emit abandoned(awaited, kTries);
        return;
    }
    ask_(awaited);
}
