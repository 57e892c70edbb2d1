#include "capturetesthelpers.h"
#include "conversation.h"
#include "displaytext.h"
#include "fakelink.h"
#include "framestore.h"
#include "mkhelper.h"
#include "navipipe.h"
#include "navitrack.h"
#include "renewedrequest.h"
#include "sessionpipeline.h"

#include <QSignalSpy>
#include <QTest>

// The Navi Ctrl's redirect and escape, and requests renewed while a view is open, through a
// session pipeline over the fake link.

using namespace CaptureTestHelpers;

namespace {
// A session on the fake link, open, and the pipe over it.
struct Rig
{
    FakeLink link;
    SessionPipeline session;
    NaviPipe pipe{session.store(), &session, session.conversation()};
    Rig()
    {
        session.setLink(&link);
        link.open();
    }
};

// "u@2:0000" for a 'u' frame to address 2 with payload 00; "ESC" for the escape.
QStringList describe(const QList<QByteArray>& frames)
{
    QStringList out;
    for (const QByteArray& f : frames) {
        char cmd = 0;
        int address = 0;
        QByteArray payload;
        if (f == NaviPipe::kEscape)
            out << QStringLiteral("ESC");
        else if (MkHelper::decodeFrame(f, cmd, address, payload))
            out << QStringLiteral("%1@%2:%3")
                       .arg(QLatin1Char(cmd))
                       .arg(address)
                       .arg(QString::fromLatin1(payload.left(2).toHex()));
        else
            out << QStringLiteral("?");
    }
    return out;
}

const QByteArray kVersion("\x00\x5b\x0b\x00\x00\x00\x00\x00\x00\x00", 10);

// A frame from the device, through the pipeline; back once the store holds it.
void receive(Rig& rig, char cmd, int address, const QByteArray& payload = {})
{
    const qsizetype before = rig.session.store()->size();
    rig.link.receive(cmd, address, payload);
    QTRY_VERIFY(rig.session.store()->size() > before);
}
} // namespace

class TestNaviPipe : public QObject
{
    Q_OBJECT

private slots:
    void redirect_data();
    void redirect();
    void escapeOnLeaveAndReset();
    void renewal();
    void trackAroundHome();
};

void TestNaviPipe::redirect_data()
{
    QTest::addColumn<bool>("naviAnswered");
    QTest::addColumn<bool>("linkOpen");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("answerFrom"); // address of the 'V' that comes back, 0: none
    QTest::addColumn<int>("reached");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<bool>("fails");

    QTest::newRow("flight ctrl answers")
        << true << true << int(NaviPipe::FlightCtrl) << 1 << int(NaviPipe::FlightCtrl)
        << QStringList{"u@2:0000", "v@1:"} << false;
    QTest::newRow("mk3mag answers")
        << true << true << int(NaviPipe::Mk3Mag) << 3 << int(NaviPipe::Mk3Mag)
        << QStringList{"u@2:0100", "v@3:"} << false;
    // Refused while the motors run: the Navi Ctrl answers the version itself.
    QTest::newRow("refused, navi ctrl answers instead")
        << true << true << int(NaviPipe::Mk3Mag) << 2 << int(NaviPipe::NaviCtrl)
        << QStringList{"u@2:0100", "v@3:", "ESC"} << true;
    QTest::newRow("no answer") << true << true << int(NaviPipe::FlightCtrl) << 0
                               << int(NaviPipe::NaviCtrl) << QStringList{"u@2:0000", "v@1:", "ESC"}
                               << true;
    QTest::newRow("no navi ctrl present") << false << true << int(NaviPipe::FlightCtrl) << 1
                                          << int(NaviPipe::NaviCtrl) << QStringList() << true;
    QTest::newRow("not connected") << true << false << int(NaviPipe::FlightCtrl) << 1
                                   << int(NaviPipe::NaviCtrl) << QStringList() << true;
}

void TestNaviPipe::redirect()
{
    QFETCH(bool, naviAnswered);
    QFETCH(bool, linkOpen);
    QFETCH(int, target);
    QFETCH(int, answerFrom);
    QFETCH(int, reached);
    QFETCH(QStringList, written);
    QFETCH(bool, fails);

    Rig rig;
    NaviPipe& pipe = rig.pipe;
    QSignalSpy failed(&pipe, &NaviPipe::failed);
    if (naviAnswered)
        receive(rig, 'V', 2, kVersion);
    QCOMPARE(pipe.naviPresent(), naviAnswered);
    if (!linkOpen)
        rig.link.close(); // the port failed after the Navi Ctrl answered
    QCOMPARE(pipe.address(), naviAnswered ? 2 : 1);

    QCOMPARE(pipe.talkTo(NaviPipe::Device(target)), naviAnswered && linkOpen);
    if (answerFrom)
        receive(rig, 'V', answerFrom, kVersion);
    if (fails)
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, NaviPipe::kAnswerTimeoutMs * 3);
    else
        QTRY_VERIFY(!pipe.pending());
    QCOMPARE(int(pipe.device()), reached);
    QVERIFY(!pipe.pending());
    QCOMPARE(describe(rig.link.written), written);
    QCOMPARE(failed.size(), fails ? 1 : 0);
    if (!fails)
        QCOMPARE(pipe.address(), NaviPipe::addressOf(NaviPipe::Device(reached)));
}

void TestNaviPipe::escapeOnLeaveAndReset()
{
    Rig rig;
    NaviPipe& pipe = rig.pipe;
    QVERIFY(!pipe.leave()); // nothing piped: nothing sent
    receive(rig, 'O', 2, QByteArray(82, '\0'));
    QVERIFY(pipe.talkTo(NaviPipe::FlightCtrl));
    receive(rig, 'V', 1, kVersion);
    QTRY_COMPARE(pipe.device(), NaviPipe::FlightCtrl);

    // From the Flight Ctrl straight to the MK3MAG: back through the Navi Ctrl first.
    QVERIFY(pipe.talkTo(NaviPipe::Mk3Mag));
    receive(rig, 'V', 3, kVersion);
    QTRY_COMPARE(pipe.device(), NaviPipe::Mk3Mag);
    QVERIFY(pipe.talkTo(NaviPipe::NaviCtrl));
    QCOMPARE(pipe.device(), NaviPipe::NaviCtrl);
    QCOMPARE(describe(rig.link.written),
             (QStringList{"u@2:0000", "v@1:", "ESC", "u@2:0100", "v@3:", "ESC"}));

    // Disconnect while piped, even with the answer still awaited: one escape; a second leave
    // finds nothing to end.
    rig.link.written.clear();
    QVERIFY(pipe.talkTo(NaviPipe::FlightCtrl));
    QVERIFY(pipe.leave());
    QVERIFY(!pipe.leave());
    receive(rig, 'V', 1, kVersion);
    QCOMPARE(pipe.device(), NaviPipe::NaviCtrl);
    QCOMPARE(describe(rig.link.written), (QStringList{"u@2:0000", "v@1:", "ESC"}));

    // Frames that arrive, as from a replayed capture holding a whole redirect, write nothing.
    rig.link.written.clear();
    FrameStore* store = rig.session.store();
    store->append(
        record(frame('u', 2, QByteArray(1, '\0')), FrameRecord::nowUs(), FrameRecord::Sent));
    store->append(record(NaviPipe::kEscape, FrameRecord::nowUs(), FrameRecord::Sent));
    receive(rig, 'V', 1, kVersion);
    QVERIFY(rig.link.written.isEmpty());
    QCOMPARE(pipe.device(), NaviPipe::NaviCtrl);

    // Clearing the session keeps what is known of the line; a closed link knows nothing, and
    // a capture's frames from address 2 make no Navi Ctrl present.
    QVERIFY(pipe.talkTo(NaviPipe::FlightCtrl));
    receive(rig, 'V', 1, kVersion);
    QTRY_COMPARE(pipe.device(), NaviPipe::FlightCtrl);
    rig.session.clear();
    QCOMPARE(pipe.device(), NaviPipe::FlightCtrl);
    QSignalSpy present(&pipe, &NaviPipe::naviPresentChanged);
    rig.link.close();
    pipe.reset();
    QCOMPARE(present.size(), 1);
    QVERIFY(!pipe.naviPresent());
    QCOMPARE(pipe.device(), NaviPipe::NaviCtrl);
    receive(rig, 'O', 2, QByteArray(82, '\0'));
    QVERIFY(!pipe.naviPresent());
}

void TestNaviPipe::renewal()
{
    FakeLink sink;
    sink.open();
    quint8 pressed = 0;
    int address = 2;
    bool allowed = true;
    RenewedRequest display(&sink, 'h');
    display.setAddress([&] { return address; });
    display.setPayload(
        [&] { return QByteArray(1, char(DisplayText::keysByte(pressed))) + char(10); });
    display.setCondition([&] { return allowed; });

    display.sendNow(); // not started: nothing
    QVERIFY(sink.written.isEmpty());
    display.start(30);
    QCOMPARE(describe(sink.written), QStringList{"h@2:ff0a"});
    QTRY_VERIFY(sink.written.size() >= 3);

    sink.written.clear();
    pressed = DisplayText::NextPage;
    address = 1;
    display.sendNow();
    pressed = 0;
    QCOMPARE(describe(sink.written), QStringList{"h@1:fd0a"});

    // Not sent while the condition says no or the link is closed; the renewal goes on.
    allowed = false;
    sink.written.clear();
    QTest::qWait(100);
    QVERIFY(sink.written.isEmpty());
    QVERIFY(display.isActive());
    allowed = true;
    sink.close();
    QTest::qWait(100);
    QVERIFY(sink.written.isEmpty());
    sink.open();
    QTRY_VERIFY(!sink.written.isEmpty());

    display.stop();
    sink.written.clear();
    QTest::qWait(100);
    QVERIFY(sink.written.isEmpty());
}

// Positions land in metres east (x) and north (y) of home; records without a valid position
// or home add nothing; a new home moves the points already there.
void TestNaviPipe::trackAroundHome()
{
    const auto at = [](qint32 lat, qint32 lon, qint32 homeLat, qint32 homeLon) {
        NaviData d;
        d.result = NaviData::Result::Ok;
        d.current.latitudeE7 = lat;
        d.current.longitudeE7 = lon;
        d.home.latitudeE7 = homeLat;
        d.home.longitudeE7 = homeLon;
        return d;
    };
    NaviTrack track;
    QVERIFY(!track.add(at(469480000, 74474000, 0, 0)));                      // no home yet
    QVERIFY(track.add(at(469480000 + 4497, 74474000, 469480000, 74474000))); // ~50 m north
    QVERIFY(track.add(at(469480000, 74474000 + 6587, 469480000, 74474000))); // ~50 m east
    QVERIFY(!track.add(at(900000001, 74474000, 469480000, 74474000)));
    QCOMPARE(track.points().size(), 2);
    QVERIFY(qAbs(track.points()[0].x()) < 0.01);
    QVERIFY(qAbs(track.points()[0].y() - 50.0) < 0.1);
    QVERIFY(qAbs(track.points()[1].x() - 50.0) < 0.1);
    QVERIFY(qAbs(track.points()[1].y()) < 0.01);

    // Home moves 50 m north: the first point is home now.
    QVERIFY(track.add(at(469480000, 74474000, 469480000 + 4497, 74474000)));
    QVERIFY(qAbs(track.points()[0].y()) < 0.01);
    QVERIFY(qAbs(track.points()[2].y() + 50.0) < 0.1);

    // Across the antimeridian the short way round.
    NaviTrack pacific;
    QVERIFY(pacific.add(at(0, -1799999000, 0, 1799999000)));
    QVERIFY(qAbs(pacific.points()[0].x() - 22.2) < 0.1);
}

QTEST_GUILESS_MAIN(TestNaviPipe)
#include "tst_navipipe.moc"
