#include "conversation.h"
#include "displaytext.h"
#include "framestore.h"
#include "mkhelper.h"
#include "mkserial.h"
#include "navipipe.h"
#include "serialtesthelpers.h"
#include "sessionpipeline.h"

#include <QTest>

#include <optional>

// End to end against `tovrik-mksim --navi` over a pseudo-terminal: through the Navi Ctrl to the
// Flight Ctrl and back, as the "Talk to" selector does it.
class TestNaviSim : public QObject
{
    Q_OBJECT

private slots:
    void redirectToTheFlightCtrlAndBack();
};

namespace {
QByteArray request(char cmd, int address, const QByteArray& payload = {})
{
    QByteArray frame;
    MkHelper::encodeFrame(cmd, address, payload, frame);
    return frame;
}

// The newest good received frame of the letter since index `from`, or null.
std::optional<FrameRecord> latest(const FrameStore& store, char cmd, qsizetype from)
{
    for (qsizetype i = store.size() - 1; i >= from; --i)
        if (store.at(i).cmd == cmd && store.at(i).good &&
            store.at(i).direction == FrameRecord::Received)
            return store.at(i);
    return std::nullopt;
}
} // namespace

void TestNaviSim::redirectToTheFlightCtrlAndBack()
{
    REQUIRE_SIMULATOR();
    Simulator sim;
    const QString path = sim.start({"--navi", "--name", "navi"});
    QVERIFY(!path.isEmpty());
    MkSerial serial;
    serial.setDeviceName(path);
    SessionPipeline session;
    session.setLink(&serial);
    QVERIFY(serial.open());
    const FrameStore& store = *session.store();
    NaviPipe pipe(session.store(), &session, session.conversation());

    session.write(request('v', 2));
    QTRY_VERIFY(pipe.naviPresent());
    QCOMPARE(int(latest(store, 'V', 0)->address), 2);

    // Through the pipe: the Flight Ctrl's version, then its display.
    QVERIFY(pipe.talkTo(NaviPipe::FlightCtrl));
    QTRY_COMPARE(pipe.device(), NaviPipe::FlightCtrl);
    QCOMPARE(int(latest(store, 'V', 0)->address), 1);
    const qsizetype before = store.size();
    session.write(
        request('h', pipe.address(), QByteArray(1, char(DisplayText::keysByte(0))) + char(0)));
    QTRY_VERIFY(latest(store, 'H', before).has_value());
    const std::optional<FrameRecord> screen = latest(store, 'H', before);
    QCOMPARE(int(screen->address), 1);
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    QVERIFY(MkHelper::decodeFrame(screen->bytes, cmd, address, payload));
    QStringList lines;
    QVERIFY(DisplayText::decode(payload, lines));
    QVERIFY2(lines.first().startsWith(QLatin1String("Flight-Ctrl")), qPrintable(lines.first()));

    // The escape returns the line to the Navi Ctrl: its navigation data flows again.
    QVERIFY(pipe.talkTo(NaviPipe::NaviCtrl));
    QCOMPARE(pipe.device(), NaviPipe::NaviCtrl);
    const qsizetype back = store.size();
    session.write(request('o', 2, QByteArray(1, char(10))));
    QTRY_VERIFY(latest(store, 'O', back).has_value());
    QCOMPARE(int(latest(store, 'O', back)->address), 2);
    serial.close();
}

QTEST_GUILESS_MAIN(TestNaviSim)
#include "tst_navisim.moc"
