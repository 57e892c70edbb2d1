#include "paramcontroller.h"

#include "parambackup.h"
#include "paramfile.h"

#include <algorithm>

namespace {
// NaviData ('O' from the Navi Ctrl, address 2): FCStatusFlags at this payload offset, bit 0x01
// "motors run".
constexpr int kNaviFcStatusAt = 67;
constexpr int kNaviAddress = 2;
constexpr quint8 kMotorsRun = 0x01;
} // namespace

ParamController::ParamController(const QList<ParamLayout>& layouts, Ask ask, QObject* parent)
    : QObject(parent), layouts_(layouts), ask_(std::move(ask)),
      backupFolder_(ParamBackup::defaultFolder())
{
}

QString ParamController::refusedText()
{
    return tr("refused: motors running, wrong revision, or set out of range");
}

void ParamController::noteFrame(char cmd, int address, const QByteArray& payload)
{
    if (cmd != 'O' || address != kNaviAddress || payload.size() <= kNaviFcStatusAt)
        return;
    const bool running = quint8(payload.at(kNaviFcStatusAt)) & kMotorsRun;
    if (running != motorsRunning_) {
        motorsRunning_ = running;
        emit motorsChanged(running);
    }
}

void ParamController::linkClosed()
{
    if (motorsRunning_) {
        motorsRunning_ = false;
        emit motorsChanged(false);
    }
    if (stage_ == Stage::Writing) {
        result_.stateUnknown = true;
        finish_(false, tr("The link closed during the write: the state of set %1 is unknown. "
                          "Read it back after reconnecting.")
                           .arg(toWrite_.setNumber()));
    } else if (busy()) {
        finish_(false, tr("The link closed before the device answered"));
    }
}

bool ParamController::refuse_(const QString& why)
{
    ParamResult result;
    result.error = why;
    emit finished(result);
    return false;
}

bool ParamController::start_(Stage stage)
{
    if (busy())
        return refuse_(stage == Stage::Backup ? tr("A write is already in progress")
                                              : tr("Another settings request is in progress"));
    if (motorsRunning_)
        return refuse_(tr("The motors are running: settings are not read or written now"));
    stage_ = stage;
    ++generation_;
    result_ = ParamResult();
    return true;
}

void ParamController::finish_(bool ok, const QString& error)
{
    stage_ = Stage::Idle;
    ++generation_;
    result_.ok = ok;
    result_.error = error;
    const ParamResult result = result_;
    emit finished(result);
}

void ParamController::askSet_(int number, std::function<void(const ParamSet&)> next)
{
    Request request;
    request.cmd = 'q';
    request.payload = QByteArray(1, char(number));
    request.answer = 'Q';
    // The active set answers with its own number, which is not known yet.
    request.answerIndex = number == kActive ? -1 : (number >= 10 ? number % 10 : number);
    request.timeoutMs = kAnswerMs;
    // A read changes nothing and may be repeated; a reset is sent once.
    request.tries = number >= 10 && number != kActive ? 1 : 3;
    const quint64 generation = generation_;
    ask_(request, this, [this, generation, number, next](const Reply& reply) {
        if (generation != generation_)
            return;
        if (!reply.ok()) {
            finish_(false, tr("Reading set %1: %2 (the Flight Ctrl does not answer while "
                              "its motors run)")
                               .arg(number == kActive ? tr("active") : QString::number(number))
                               .arg(reply.error));
            return;
        }
        ParamSet set;
        QString error;
        if (!ParamSet::fromAnswer(layouts_, reply.payload, set, error)) {
            result_.rawAnswer = reply.payload;
            finish_(false, error);
            return;
        }
        next(set);
    });
}

bool ParamController::readSet(int set)
{
    if ((set < 1 || set > 5) && set != kActive)
        return refuse_(tr("Set %1 does not exist: the device keeps sets 1 to 5").arg(set));
    if (!start_(Stage::Reading))
        return false;
    pending_ = {set};
    readNext_();
    return true;
}

bool ParamController::readAll()
{
    if (!start_(Stage::Reading))
        return false;
    pending_ = {kActive, 1, 2, 3, 4, 5};
    readNext_();
    return true;
}

void ParamController::readNext_()
{
    if (pending_.isEmpty()) {
        std::sort(
            result_.sets.begin(), result_.sets.end(),
            [](const ParamSet& a, const ParamSet& b) { return a.setNumber() < b.setNumber(); });
        finish_(true);
        return;
    }
    const int number = pending_.takeFirst();
    emit progress(
        tr("Reading set %1").arg(number == kActive ? tr("active") : QString::number(number)));
    askSet_(number, [this, number](const ParamSet& set) {
        if (number == kActive) {
            // The active set's answer carries its number: it need not be read again.
            result_.activeSet = set.setNumber();
            pending_.removeAll(set.setNumber());
        }
        result_.sets << set;
        readNext_();
    });
}

bool ParamController::write(const ParamSet& set)
{
    QString error;
    if (set.writePayload(error).isEmpty())
        return refuse_(error);
    const QStringList ranges = set.rangeErrors();
    if (!ranges.isEmpty())
        return refuse_(tr("Nothing written: %1").arg(ranges.join(QStringLiteral("; "))));
    if (!start_(Stage::Backup))
        return false;
    toWrite_ = set;
    const int number = set.setNumber();
    emit progress(tr("Saving a backup of set %1").arg(number));
    askSet_(number, [this, number](const ParamSet& current) {
        if (current.revision() != toWrite_.revision()) {
            finish_(false, tr("Set %1 on the device is revision %2, the set to write is %3: "
                              "read the device's set first and load the file onto it by field "
                              "name; nothing written")
                               .arg(number)
                               .arg(current.revision())
                               .arg(toWrite_.revision()));
            return;
        }
        QString error;
        result_.backupPath = ParamBackup::save(current, error, backupFolder_);
        if (result_.backupPath.isEmpty()) {
            finish_(false, tr("No backup, so nothing written: %1").arg(error));
            return;
        }
        QString payloadError;
        Request request;
        request.cmd = 's';
        request.payload = toWrite_.writePayload(payloadError);
        request.answer = 'S';
        request.timeoutMs = kAnswerMs;
        request.tries = 1; // a write is never repeated behind the user's back
        stage_ = Stage::Writing;
        emit progress(tr("Writing set %1").arg(number));
        const quint64 generation = generation_;
        ask_(request, this, [this, generation](const Reply& reply) {
            if (generation == generation_)
                onWritten_(reply);
        });
    });
    return true;
}

void ParamController::onWritten_(const Reply& reply)
{
    const int number = toWrite_.setNumber();
    if (reply.outcome == Reply::Cancelled) {
        // The link closed with the write on its way: the set may be half written.
        result_.stateUnknown = true;
        finish_(false, tr("The link closed during the write: the state of set %1 is unknown. "
                          "Read it back after reconnecting.")
                           .arg(number));
        return;
    }
    if (!reply.ok()) {
        finish_(false, tr("No answer to the write of set %1 within %2 s (%3): %4. "
                          "Read the set back to see what it holds.")
                           .arg(number)
                           .arg(kAnswerMs / 1000)
                           .arg(reply.error, refusedText()));
        return;
    }
    const int answer = reply.payload.isEmpty() ? 0 : quint8(reply.payload.at(0));
    if (answer != number) {
        finish_(false,
                answer == 0
                    ? tr("The device did not write set %1: %2").arg(number).arg(refusedText())
                    : tr("The device answered the write of set %1 with set %2")
                          .arg(number)
                          .arg(answer));
        return;
    }
    result_.activeSet = number;
    stage_ = Stage::ReadBack;
    emit progress(tr("Reading set %1 back").arg(number));
    askSet_(number, [this](const ParamSet& set) { onReadBack_(set); });
}

void ParamController::onReadBack_(const ParamSet& set)
{
    result_.sets = {set};
    for (const ParamDifference& d : compareParams(toWrite_, set)) {
        result_.adjusted << tr("the device kept %1 for %2, not %3").arg(d.right, d.field, d.left);
        result_.adjustedFields << d.field;
    }
    finish_(true);
}

bool ParamController::activate(int set)
{
    if (set < 1 || set > 5)
        return refuse_(tr("Set %1 does not exist: the device keeps sets 1 to 5").arg(set));
    if (!start_(Stage::Activating))
        return false;
    Request request;
    request.cmd = 'f';
    request.payload = QByteArray(1, char(set));
    request.answer = 'F';
    request.timeoutMs = kAnswerMs;
    const quint64 generation = generation_;
    ask_(request, this, [this, generation, set](const Reply& reply) {
        if (generation != generation_)
            return;
        const int active = reply.ok() && !reply.payload.isEmpty() ? quint8(reply.payload.at(0)) : 0;
        result_.activeSet = active;
        if (active == set)
            finish_(true);
        else
            finish_(false, reply.ok() ? tr("The device kept set %1 active").arg(active)
                                      : tr("Activating set %1: %2").arg(set).arg(reply.error));
    });
    return true;
}

bool ParamController::resetToDefaults(int set, bool keepChannels, bool confirmed)
{
    if (set < 1 || set > 5)
        return refuse_(tr("Set %1 does not exist: the device keeps sets 1 to 5").arg(set));
    if (!confirmed)
        return refuse_(
            tr("Set %1 is reset to the firmware's defaults only after confirmation").arg(set));
    if (!start_(Stage::Reading))
        return false;
    pending_.clear();
    if (resetPermit_)
        resetPermit_();
    askSet_((keepChannels ? 20 : 10) + set, [this](const ParamSet& s) {
        result_.sets << s;
        finish_(true);
    });
    return true;
}
