#pragma once

#include "capturereader.h"
#include "framerecord.h"
#include "framesink.h"
#include "link.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>

class CaptureWriter;
class Conversation;
class FrameStore;
class LabelTable;
class LinkStatistics;

// One session: the frames of the active link, checked once, stored once, and handed on to
// whoever subscribes. Owns the frame store, the label table, the statistics, the capture being
// recorded and the request/answer conversation; windows only subscribe to its signals and to
// the store. Frames are taken in batches with bounded work per event-loop turn: past
// kMaxBacklog waiting frames the oldest go to the store unprocessed (counted as not shown).
//
// Requests reach the device only through write() (the request builder's sink): nothing is sent
// while the active link is a capture, and letters that can harm a copter (restart, motor test,
// reset to defaults) are refused unless the caller opened a guarded write with allowReset().
class SessionPipeline : public QObject, public FrameSink
{
    Q_OBJECT
public:
    static constexpr int kMaxBacklog = 50000;
    static constexpr int kFrameBudgetMs = 8;

    explicit SessionPipeline(QObject* parent = nullptr);
    ~SessionPipeline() override;

    FrameStore* store() const { return store_; }
    LabelTable* labels() const { return labels_; }
    Conversation* conversation() const { return conversation_; }
    LinkStatistics* statistics() const { return statistics_; }
    CaptureWriter* writer() const { return writer_; }

    // The source of frames from now on (null: none). The previous link is left as it is, but
    // its frames are no longer taken and its requests in flight are cancelled.
    void setLink(Link* link);
    Link* link() const { return link_; }

    // Letters whose good received frames are logged (shown in the frame table and console).
    void setLogFilter(const QString& letters) { filter_ = letters; }
    // Frames taken from the link and not processed yet.
    qsizetype backlog() const { return qsizetype(inbox_.size()); }
    // Received frames stored without processing since the last clear().
    qint64 framesNotShown() const { return notShown_; }

    // Empties the store and the label table (a new session begins).
    void clear();
    // Frames of a capture loaded whole: stored as they are, good received ones logged, labels
    // learned; not recorded again and not passed to subscribers frame by frame.
    void appendLoaded(QList<FrameRecord> batch);

    // Events of a capture: its label lines fill the label table's empty slots.
    void learnFromEvents(const QList<CaptureReader::Event>& events);

    // Recording: every frame stored from now on, plus events, goes to the capture file. The
    // labels known so far are written first, so a recording started mid-stream names them.
    bool startRecording(const QString& fileName, QString* error);
    void stopRecording();
    bool isRecording() const;
    void recordEvent(const QString& text);

    // FrameSink: requests of the request builder and the conversation.
    void write(const QByteArray& frame) override;
    bool isOpen() override;
    // Whether a frame may be sent at all: never 'R' or 't', 'q' 10..29 only while
    // resetAllowed (a reset the user confirmed). Refused frames are reported by sendRefused().
    static bool isSendable(const QByteArray& frame, bool resetAllowed);
    // The next 'q' 10..29 written is allowed; used only by a reset the user confirmed.
    void allowReset() { resetAllowed_ = true; }

signals:
    // A received frame was processed: good or not, outside a label run. Emitted in arrival
    // order, before the batch that holds it reaches the store.
    void frameProcessed(const FrameRecord& record, const QByteArray& payload, int address);
    // Around the frameProcessed() signals of one event-loop turn, so that a subscriber can
    // gather its work and do it once per batch.
    void batchStarted();
    void batchFinished();
    void notShownChanged(qint64 count);
    // A request was not sent: why, for the user.
    void sendRefused(const QString& reason);
    // The link in use changed, opened or closed.
    void linkChanged();

private:
    void onFrames_(const QList<LinkFrame>& frames);
    void processInbox_();
    void process_(const LinkFrame& frame);
    void onSent_(const QByteArray& frame);
    void flush_();
    void onStoreAppended_(qsizetype first, qsizetype count);
    void onLinkClosed_();

    FrameStore* store_;
    Conversation* conversation_;
    LabelTable* labels_;
    LinkStatistics* statistics_;
    CaptureWriter* writer_;
    QPointer<Link> link_;
    QString filter_;
    std::deque<LinkFrame> inbox_;
    bool inboxScheduled_ = false;
    QList<FrameRecord> batch_;
    qint64 notShown_ = 0;
    bool loading_ = false;
    bool resetAllowed_ = false;
};
