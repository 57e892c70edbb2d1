#include "sessionpipeline.h"

#include "captureformat.h"
#include "capturewriter.h"
#include "conversation.h"
#include "framestore.h"
#include "labeltable.h"
#include "linkstatistics.h"
#include "mkhelper.h"

#include <QElapsedTimer>
#include <QTimer>

SessionPipeline::SessionPipeline(QObject* parent)
    : QObject(parent), store_(new FrameStore(this)), conversation_(new Conversation(this)),
      labels_(new LabelTable(conversation_, this)), statistics_(new LinkStatistics(this)),
      writer_(new CaptureWriter(this))
{
    conversation_->setSink(this);
    statistics_->follow(store_);
    connect(store_, &FrameStore::appended, this, &SessionPipeline::onStoreAppended_);
}

SessionPipeline::~SessionPipeline() = default;

void SessionPipeline::setLink(Link* link)
{
    if (link_ == link)
        return;
    if (link_) {
        disconnect(link_, nullptr, this, nullptr);
        conversation_->cancelAll(tr("The link changed"));
    }
    // Frames of the old link still waiting are its own: they are stored, not dropped.
    processInbox_();
    link_ = link;
    if (link_) {
        connect(link_, &Link::framesReceived, this, &SessionPipeline::onFrames_);
        connect(link_, &Link::frameWritten, this, &SessionPipeline::onSent_);
        connect(link_, &Link::closed, this, &SessionPipeline::onLinkClosed_);
        connect(link_, &Link::opened, this, &SessionPipeline::linkChanged);
    }
    emit linkChanged();
}

void SessionPipeline::onLinkClosed_()
{
    conversation_->cancelAll(tr("The link was closed"));
    if (labels_->isCollecting())
        labels_->clear();
    emit linkChanged();
}

void SessionPipeline::clear()
{
    inbox_.clear();
    batch_.clear();
    store_->clear();
    labels_->clear();
    notShown_ = 0;
    emit notShownChanged(notShown_);
}

void SessionPipeline::onFrames_(const QList<LinkFrame>& frames)
{
    for (const LinkFrame& frame : frames)
        inbox_.push_back(frame);

    // Too far behind: the oldest waiting frames go to the store as they are, counted.
    if (inbox_.size() > size_t(kMaxBacklog)) {
        flush_();
        QList<FrameRecord> shed;
        while (inbox_.size() > size_t(kMaxBacklog)) {
            const LinkFrame& frame = inbox_.front();
            shed.append(FrameRecord::fromFrame(frame.bytes, FrameRecord::Received, frame.timeUs));
            inbox_.pop_front();
        }
        notShown_ += shed.size();
        store_->append(std::move(shed));
        emit notShownChanged(notShown_);
    }
    if (!inboxScheduled_)
        processInbox_();
}

void SessionPipeline::processInbox_()
{
    inboxScheduled_ = false;
    if (inbox_.empty())
        return;
    QElapsedTimer clock;
    clock.start();
    emit batchStarted();
    while (!inbox_.empty()) {
        const LinkFrame frame = std::move(inbox_.front());
        inbox_.pop_front();
        process_(frame);
        if (clock.elapsed() >= kFrameBudgetMs)
            break;
    }
    flush_();
    emit batchFinished();
    if (!inbox_.empty()) {
        inboxScheduled_ = true;
        QTimer::singleShot(0, this, &SessionPipeline::processInbox_);
    }
}

void SessionPipeline::process_(const LinkFrame& frame)
{
    FrameRecord record;
    record.timeUs = frame.timeUs;
    record.bytes = frame.bytes;
    QByteArray payload;
    int address = 0;
    record.good = MkHelper::decodeFrame(frame.bytes, record.cmd, address, payload);
    record.address = quint8(address);
    // Frames during a label run feed it alone.
    const bool collecting = labels_->isCollecting();
    record.logged = record.good && !collecting && filter_.contains(QChar::fromLatin1(record.cmd));

    const bool settled = conversation_->takeFrame(record, payload, address);
    if (!settled && record.good && record.cmd == 'A')
        labels_->takeUnasked(payload);
    if (!collecting || !record.good)
        emit frameProcessed(record, payload, address);
    // Queued for the store before anything the frame causes (such as the next request, which
    // is stored as it is written).
    batch_.append(std::move(record));
}

void SessionPipeline::flush_()
{
    if (batch_.isEmpty())
        return;
    QList<FrameRecord> batch;
    batch.swap(batch_);
    store_->append(std::move(batch));
}

void SessionPipeline::appendLoaded(QList<FrameRecord> batch)
{
    for (FrameRecord& record : batch) {
        record.logged = record.direction == FrameRecord::Received && record.good;
        if (record.logged && record.cmd == 'A') {
            char cmd = 0;
            int address = 0;
            QByteArray payload;
            MkHelper::decodeFrame(record.bytes, cmd, address, payload);
            labels_->takeUnasked(payload);
        }
    }
    loading_ = true;
    store_->append(std::move(batch));
    loading_ = false;
}

void SessionPipeline::learnFromEvents(const QList<CaptureReader::Event>& events)
{
    for (const CaptureReader::Event& event : events) {
        int index = -1;
        QString text;
        if (CaptureFormat::parseLabelEvent(event.text, index, text))
            labels_->learn(index, text);
    }
}

bool SessionPipeline::isSendable(const QByteArray& frame, bool resetAllowed)
{
    // Raw bytes that are no frame (the lone carriage return, the pipe's escape) carry no
    // request letter. The letter is read from its place, whether the rest decodes or not.
    if (frame.size() < 3 || frame.at(0) != '#')
        return true;
    const char cmd = frame.at(2);
    if (cmd == 'R' || cmd == 't')
        return false;
    if (cmd != 'q')
        return true;
    char decodedCmd = 0;
    int address = 0;
    QByteArray payload;
    if (!MkHelper::decodeFrame(frame, decodedCmd, address, payload) || payload.isEmpty())
        return resetAllowed;
    const int set = quint8(payload.at(0));
    return set < 10 || set > 29 || resetAllowed;
}

void SessionPipeline::write(const QByteArray& frame)
{
    // A closed device link still takes the frame: it reports the failed write itself.
    if (!link_ || !link_->canSend()) {
        emit sendRefused(link_ ? tr("Not sent: the session is a capture, not a device")
                               : tr("Not sent: no device connected"));
        return;
    }
    const bool allowed = isSendable(frame, resetAllowed_);
    resetAllowed_ = false;
    if (!allowed) {
        emit sendRefused(tr("Not sent: this request is never sent automatically"));
        return;
    }
    link_->write(frame);
}

bool SessionPipeline::isOpen()
{
    return link_ && link_->canSend() && link_->isOpen();
}

void SessionPipeline::onSent_(const QByteArray& frame)
{
    // Received frames processed before this request was written go into the store first.
    flush_();
    store_->append(FrameRecord::fromFrame(frame, FrameRecord::Sent, FrameRecord::nowUs()));
}

bool SessionPipeline::startRecording(const QString& fileName, QString* error)
{
    stopRecording();
    if (!writer_->open(fileName)) {
        if (error)
            *error = writer_->errorString();
        return false;
    }
    writer_->writeEvent(FrameRecord::nowUs(), QStringLiteral("recording started"));
    writer_->writeLabels(labels_->labels());
    return true;
}

void SessionPipeline::stopRecording()
{
    writer_->close();
}

bool SessionPipeline::isRecording() const
{
    return writer_->isOpen();
}

void SessionPipeline::recordEvent(const QString& text)
{
    writer_->writeEvent(FrameRecord::nowUs(), text);
}

void SessionPipeline::onStoreAppended_(qsizetype first, qsizetype count)
{
    if (loading_ || !writer_->isOpen())
        return;
    for (qsizetype i = first; i < first + count; ++i)
        writer_->writeFrame(store_->at(i));
}
