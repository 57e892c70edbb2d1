#include "conversation.h"
#include "mkserial.h"
#include "parambackup.h"
#include "paramcontroller.h"
#include "paramfile.h"
#include "paramsettesthelpers.h"
#include "serialtesthelpers.h"
#include "sessionpipeline.h"
#include "simparamsets.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
// The Flight Ctrl behind a request/answer layer: the simulator's parameter sets answer in the
// next event-loop turn; a request left unanswered fails as the layer's time-out would.
class FakeDevice : public QObject
{
public:
    explicit FakeDevice(int revision) : sets(revision) {}

    void ask(const Request& request, QObject* context, std::function<void(const Reply&)> done)
    {
        requests << request;
        if (request.cmd == holdLetter) {
            held = done;
            return;
        }
        char answer = 0;
        QByteArray payload;
        const bool answered = request.cmd == 's' && refuseWrites
                                  ? (answer = 'S', payload = QByteArray(1, '\0'), true)
                                  : sets.handle(request.cmd, request.payload, answer, payload);
        QTimer::singleShot(0, context, [=] {
            Reply reply;
            reply.outcome =
                answered && answer == request.answer ? Reply::Answered : Reply::TimedOut;
            reply.error = reply.ok() ? QString() : QStringLiteral("no answer within 2 s");
            reply.payload = payload;
            done(reply);
        });
    }
    ParamController::Ask asker()
    {
        return [this](const Request& r, QObject* c, std::function<void(const Reply&)> d) {
            ask(r, c, d);
        };
    }
    QString letters() const
    {
        QString out;
        for (const Request& r : requests)
            out += QLatin1Char(r.cmd);
        return out;
    }

    SimParamSets sets;
    QList<Request> requests;
    char holdLetter = 0; // requests with this letter are never answered
    std::function<void(const Reply&)> held;
    bool refuseWrites = false;
};

QByteArray naviData(bool motorsRun)
{
    QByteArray payload(82, '\0');
    payload[0] = 5;
    payload[67] = char(motorsRun ? 0x03 : 0x00);
    return payload;
}
} // namespace

// The guarded write and the reads against a scripted device: every refusal once, and the
// successful paths with what they send.
class tst_ParamController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusals_data();
    void refusals();
    void writeBacksUpWritesAndReadsBack();
    void readAllAsksForTheActiveSetFirst();
    void againstTheSimulator_data();
    void againstTheSimulator();

private:
    ParamResult run(ParamController& controller, const std::function<bool()>& start);
    // The shipped layouts with Gyro_P's range dropped, as in an mk.js older than the firmware.
    QList<ParamLayout> layoutsWithoutGyroRange() const;
    QList<ParamLayout> layouts_;
};

void tst_ParamController::initTestCase()
{
    layouts_ = shippedLayouts();
    QCOMPARE(layouts_.size(), 2);
}

ParamResult tst_ParamController::run(ParamController& controller,
                                     const std::function<bool()>& start)
{
    QSignalSpy finished(&controller, &ParamController::finished);
    start();
    if (finished.isEmpty() && !finished.wait(5000))
        return ParamResult();
    return finished.first().first().value<ParamResult>();
}

void tst_ParamController::refusals_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<bool>("stateUnknown");

    QTest::newRow("motors running") << "motors"
                                    << "motors are running"
                                    << "" << false;
    QTest::newRow("second write in flight") << "second"
                                            << "already in progress"
                                            << "qs" << false;
    QTest::newRow("device answers 0") << "refuse"
                                      << "refused: motors running, wrong revision"
                                      << "qs" << false;
    QTest::newRow("no answer to the write") << "silent"
                                            << "refused: motors running, wrong revision"
                                            << "qs" << false;
    QTest::newRow("link closed mid-write") << "close"
                                           << "state of set 2 is unknown"
                                           << "qs" << true;
    QTest::newRow("device of another revision") << "revision"
                                                << "revision 95, the set to write is 106"
                                                << "q" << false;
    QTest::newRow("value out of range") << "range"
                                        << "Gyro_P is 5, outside 10..250"
                                        << "" << false;
    QTest::newRow("set 6") << "set6"
                           << "sets 1 to 5"
                           << "" << false;
    QTest::newRow("reset without confirmation") << "reset"
                                                << "only after confirmation"
                                                << "" << false;
}

void tst_ParamController::refusals()
{
    QFETCH(QString, situation);
    QFETCH(QString, error);
    QFETCH(QString, sent);
    QFETCH(bool, stateUnknown);

    FakeDevice device(situation == "revision" ? 95 : 106);
    QTemporaryDir backups;
    ParamController controller(layouts_, device.asker());
    controller.setBackupFolder(backups.path());
    ParamSet set;
    QString why;
    QVERIFY(ParamSet::fromAnswer(layouts_, QByteArray(1, 2) + SimParamSets(106).set(2), set, why));

    if (situation == "motors")
        controller.noteFrame('O', 2, naviData(true));
    device.refuseWrites = situation == "refuse";
    if (situation == "close" || situation == "second" || situation == "silent")
        device.holdLetter = 's';
    if (situation == "range") {
        QByteArray payload = QByteArray(1, 2) + SimParamSets(106).set(2);
        payload[1 + 30] = 5; // Gyro_P below its range
        QVERIFY(ParamSet::fromAnswer(layouts_, payload, set, why));
    }
    if (situation == "set6")
        set.setSetNumber(6);

    QSignalSpy finished(&controller, &ParamController::finished);
    if (situation == "reset") {
        controller.resetToDefaults(2, true, false);
    } else {
        controller.write(set);
        if (device.holdLetter) {
            QTRY_COMPARE(device.letters(), QStringLiteral("qs"));
            Reply reply;
            reply.outcome = situation == "close" ? Reply::Cancelled : Reply::TimedOut;
            reply.error = situation == "close" ? QStringLiteral("The link was closed")
                                               : QStringLiteral("no answer within 2 s");
            if (situation == "second")
                controller.write(set);
            else
                device.held(reply);
        }
    }
    QTRY_VERIFY(!finished.isEmpty());
    const ParamResult result = finished.first().first().value<ParamResult>();
    QVERIFY2(!result.ok, "refused");
    QVERIFY2(result.error.contains(error), qPrintable(result.error));
    QCOMPARE(result.stateUnknown, stateUnknown);
    QCOMPARE(device.letters(), sent);
    // Nothing restarts or spins the copter, whatever happened.
    QVERIFY(!device.letters().contains('R') && !device.letters().contains('t'));
}

QList<ParamLayout> tst_ParamController::layoutsWithoutGyroRange() const
{
    QList<FrameModel> models = shippedModels();
    for (FrameModel& model : models) {
        const qsizetype k = model.fieldNames.indexOf(QStringLiteral("Gyro_P"));
        if (k >= 0)
            model.fieldExtras[k].hasRange = false;
    }
    return ParamLayout::fromModels(models);
}

void tst_ParamController::writeBacksUpWritesAndReadsBack()
{
    // The device clamps what the tool's layout let through.
    const QList<ParamLayout> layouts = layoutsWithoutGyroRange();

    FakeDevice device(106);
    QTemporaryDir backups;
    ParamController controller(layouts, device.asker());
    controller.setBackupFolder(backups.path());
    controller.noteFrame('O', 2, naviData(false));
    ParamSet set;
    QString error;
    QVERIFY(ParamSet::fromAnswer(layouts, QByteArray(1, 3) + device.sets.set(3), set, error));
    const ParamSet before = set;
    QVERIFY(set.setValue(QStringLiteral("Gyro_P"), 252, error));
    QVERIFY(set.setValue(QStringLiteral("Name"), QStringLiteral("Windy"), error));

    const ParamResult result = run(controller, [&] { return controller.write(set); });
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(device.letters(), QStringLiteral("qsq"));
    QCOMPARE(device.requests.at(1).payload.size(), 145);
    QCOMPARE(device.requests.at(1).tries, 1);
    QCOMPARE(result.adjusted, QStringList{"the device kept 250 for Gyro_P, not 252"});
    QCOMPARE(result.activeSet, 3);
    QCOMPARE(result.sets.first().name(), QStringLiteral("Windy"));
    // The backup holds the set as it was before the write.
    ParamFile backup;
    QVERIFY2(ParamFile::read(result.backupPath, backup, error), qPrintable(error));
    QCOMPARE(QFileInfo(result.backupPath).dir().path(), backups.path());
    QVERIFY(compareParams(fieldOrder(before.layout()), before.values(), fieldOrder(before.layout()),
                          backup.fields)
                .isEmpty());
}

void tst_ParamController::readAllAsksForTheActiveSetFirst()
{
    FakeDevice device(95);
    char answer = 0;
    QByteArray payload;
    device.sets.handle('f', QByteArray(1, 4), answer, payload);
    ParamController controller(layouts_, device.asker());
    const ParamResult result = run(controller, [&] { return controller.readAll(); });
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.activeSet, 4);
    QCOMPARE(result.sets.size(), 5);
    QStringList order;
    for (const Request& r : device.requests)
        order << QString::number(quint8(r.payload.at(0)));
    QCOMPARE(order, (QStringList{"255", "1", "2", "3", "5"}));
    for (int n = 1; n <= 5; ++n) {
        QCOMPARE(result.sets.at(n - 1).setNumber(), n);
        QCOMPARE(result.sets.at(n - 1).name(), QStringLiteral("Set %1").arg(n));
    }
}

void tst_ParamController::againstTheSimulator_data()
{
    QTest::addColumn<bool>("motorsOn");
    QTest::addColumn<QString>("error");
    QTest::newRow("clamped value") << false << "";
    QTest::newRow("motors on") << true << "Reading set 2: No answer 'Q' after 3 request(s)";
}

void tst_ParamController::againstTheSimulator()
{
    QFETCH(bool, motorsOn);
    QFETCH(QString, error);
    REQUIRE_SIMULATOR();
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("sets.json"));
    QStringList args{"--name", "params", "--settings-revision", "95", "--settings-file", store};
    if (motorsOn)
        args << "--motors-on";
    Simulator simulator;
    const QString port = simulator.start(args);
    QVERIFY(!port.isEmpty());

    MkSerial serial;
    serial.setDeviceName(port);
    QVERIFY2(serial.open(), qPrintable(serial.openFailureReason()));
    SessionPipeline session;
    session.setLink(&serial);
    const QList<ParamLayout> layouts = layoutsWithoutGyroRange();
    // Short time-outs keep the silent device's case quick; the simulator answers at once.
    ParamController controller(
        layouts, [&session](Request r, QObject* c, std::function<void(const Reply&)> d) {
            r.timeoutMs = 300;
            session.conversation()->ask(r, c, std::move(d));
        });
    controller.setBackupFolder(dir.filePath(QStringLiteral("backups")));

    ParamSet set;
    QString why;
    QVERIFY(
        ParamSet::fromAnswer(layouts, QByteArray(1, 2) + SimParamSets(95).defaults(2), set, why));
    QVERIFY(set.setValue(QStringLiteral("Gyro_P"), 251, why));
    QVERIFY(set.setValue(QStringLiteral("Name"), QStringLiteral("Hover"), why));
    QVERIFY(set.rangeErrors().isEmpty());
    const ParamResult result = run(controller, [&] { return controller.write(set); });
    QCOMPARE(result.ok, error.isEmpty());
    QVERIFY2(result.error.contains(error), qPrintable(result.error));
    if (motorsOn) {
        // Nothing was written, so no backup either.
        QVERIFY(result.backupPath.isEmpty());
        QVERIFY(!QDir(dir.filePath(QStringLiteral("backups"))).exists());
        return;
    }
    QCOMPARE(result.adjusted, QStringList{"the device kept 250 for Gyro_P, not 251"});
    QVERIFY(QFile::exists(result.backupPath));

    // The simulator kept the set across a restart; it is the active one now.
    simulator.stop();
    serial.close();
    QVERIFY(!simulator.start(args).isEmpty());
    QVERIFY(serial.open());
    const ParamResult again =
        run(controller, [&] { return controller.readSet(ParamController::kActive); });
    QVERIFY2(again.ok, qPrintable(again.error));
    QCOMPARE(again.sets.first().setNumber(), 2);
    QCOMPARE(again.sets.first().valueText(QStringLiteral("Gyro_P")), QStringLiteral("250"));
    QCOMPARE(again.sets.first().name(), QStringLiteral("Hover"));
}

QTEST_GUILESS_MAIN(tst_ParamController)
#include "tst_paramcontroller.moc"
