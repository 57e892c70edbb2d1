#pragma once

#include "mkrecords.h"

#include <QObject>
#include <QStringList>

class Conversation;

// The device's analog channel labels, stored by the index each 'A' answer carries: always
// kCount slots, whatever arrives in whatever order. A label run asks for label 0, then for the
// next label after each answer, until label 31 has come (the run's list goes out then); each
// request is matched to its own answer by the conversation, so a duplicated, late or swapped
// answer cannot shift a name. Answers no request waits for are learned into empty slots outside
// a run and ignored (counted) during one; an index above 31 is refused (counted).
class LabelTable : public QObject
{
    Q_OBJECT
public:
    static constexpr int kCount = MkRecords::kAnalogCount;
    static constexpr int kLastIndex = kCount - 1;
    static constexpr int kTries = 3;
    static constexpr int kDefaultTimeoutMs = 2000;

    explicit LabelTable(Conversation* conversation, QObject* parent = nullptr);

    // kCount labels by index; a label not known yet is a null string.
    QStringList labels() const { return labels_; }
    int knownCount() const { return known_; }
    bool isCollecting() const { return collecting_; }
    void setTimeout(int ms) { timeoutMs_ = ms; }
    int timeout() const { return timeoutMs_; }
    // Answers ignored (duplicates, late, unasked during a run) and refused (index above 31).
    qint64 ignoredCount() const { return ignored_; }
    qint64 refusedCount() const { return refused_; }

    // Starts a run, forgetting every label.
    void startRun();
    // Forgets every label and ends a run under way.
    void clear();
    // A good 'A' answer that settled no request.
    void takeUnasked(const QByteArray& payload);
    // A label known from elsewhere (a capture's label line): fills an empty slot only.
    void learn(int index, const QString& text);

signals:
    // A run ended with label 31: every label by index (unanswered ones null).
    void labelsListReady(QStringList labels);
    // The awaited label went unanswered `tries` times; the run is over.
    void abandoned(int index, int tries);
    // A slot was filled or the table cleared.
    void changed();

private:
    void ask_(int index);
    bool store_(int index, const QString& text);

    Conversation* conversation_;
    QStringList labels_;
    int known_ = 0;
    int timeoutMs_ = kDefaultTimeoutMs;
    bool collecting_ = false;
    quint64 runId_ = 0; // tells the answers of an abandoned run from the current one's
    qint64 ignored_ = 0;
    qint64 refused_ = 0;
};
