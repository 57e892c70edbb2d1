#include "labeltable.h"

#include "conversation.h"

LabelTable::LabelTable(Conversation* conversation, QObject* parent)
    : QObject(parent), conversation_(conversation), labels_(kCount)
{
}

void LabelTable::startRun()
{
    clear();
    collecting_ = true;
    ask_(0);
}

void LabelTable::clear()
{
    collecting_ = false;
    ++runId_;
    labels_ = QStringList(kCount);
    known_ = 0;
    emit changed();
}

void LabelTable::ask_(int index)
{
    Request request;
    request.cmd = 'a';
    request.payload = QByteArray(1, char(index));
    request.answer = 'A';
    request.answerIndex = index;
    request.timeoutMs = timeoutMs_;
    request.tries = kTries;
    request.resendOnGarbled = true;
    const quint64 run = runId_;
    conversation_->ask(request, this, [this, index, run](const Reply& reply) {
        if (run != runId_ || !collecting_)
            return;
        if (reply.outcome == Reply::Busy) {
            // Someone else asked for a label: take our turn once it is settled.
            ask_(index);
            return;
        }
        if (!reply.ok()) {
            collecting_ = false;
            if (reply.outcome == Reply::TimedOut)
                emit abandoned(index, reply.tries);
            return;
        }
        const MkRecords::Label label = MkRecords::parseLabel(reply.payload);
        store_(index, label.raw);
        if (index < kLastIndex) {
            ask_(index + 1);
            return;
        }
        collecting_ = false;
        emit labelsListReady(labels_);
    });
}

bool LabelTable::store_(int index, const QString& text)
{
    const bool wasKnown = !labels_.at(index).isNull();
    // A label of no text is still known: an empty, not a null string.
    labels_[index] = text.isNull() ? QStringLiteral("") : text;
    if (!wasKnown)
        ++known_;
    emit changed();
    return true;
}

void LabelTable::takeUnasked(const QByteArray& payload)
{
    const MkRecords::Label label = MkRecords::parseLabel(payload);
    if (!label.valid()) {
        ++refused_;
        return;
    }
    if (collecting_ || !labels_.at(label.index).isNull()) {
        ++ignored_;
        return;
    }
    store_(label.index, label.raw);
}

void LabelTable::learn(int index, const QString& text)
{
    if (index < 0 || index >= kCount) {
        ++refused_;
        return;
    }
    if (labels_.at(index).isNull())
        store_(index, text);
}
