#include "labelcollector.h"
#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "mkhelper.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace MainWindowTestKit;

namespace {

// The 'A' answer for label `index` as a device sends it: index byte, 16 characters.
QByteArray labelFrame(int index, const QByteArray& text)
{
    return frame('A', 1, char(index) + text.leftJustified(16, ' '));
}

QByteArray labelText(int index)
{
    return "Label " + QByteArray::number(index);
}

// Answers per requested label index, each used once, in order.
using Answers = QMap<int, QList<QByteArray>>;

// A device for the collector alone: answers each request on a later turn of the event loop,
// as a line would, with the next answer given for that index.
struct FakeLine
{
    LabelCollector& collector;
    Answers answers;
    QList<int> requests;

    void onRequest(int index)
    {
        requests.append(index);
        QList<QByteArray>& list = answers[index];
        if (list.isEmpty())
            return;
        const QByteArray bytes = list.takeFirst();
        QTimer::singleShot(0, &collector, [this, bytes] {
            // A reply may hold several frames.
            for (const QByteArray& part : bytes.split('\r')) {
                if (part.isEmpty())
                    continue;
                char cmd = 0;
                int address = 0;
                QByteArray payload;
                const bool good = MkHelper::decodeFrame(part + '\r', cmd, address, payload);
                collector.takeFrame(good, cmd, payload);
            }
        });
    }
};

} // namespace

// The label collection: the collector alone against a scripted line (answers, bad frames,
// other frames, restarts, a silent device), then one run through the real window over a serial
// link to a fake device.
class TestMainWindowLabels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(prepareEnvironment()); }

    void answersDriveTheNextRequest_data()
    {
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QList<int>>("requests");
        QTest::addColumn<int>("labels");    // -1: no list (still collecting or abandoned)
        QTest::addColumn<int>("abandoned"); // index given up on; -1: none

        const QByteArray bad = QByteArray("#bA>==xx\r");
        Answers all;
        QList<int> allRequests;
        for (int i = 0; i < 32; ++i) {
            all[i] = {labelFrame(i, labelText(i))};
            allRequests.append(i);
        }
        QTest::newRow("full run") << all << allRequests << 32 << -1;
        QTest::newRow("last index ends at once")
            << Answers{{0, {labelFrame(31, "Used")}}} << QList<int>{0} << 1 << -1;
        QTest::newRow("index above 31 ends")
            << Answers{{0, {labelFrame(0, "a")}}, {1, {labelFrame(40, "b")}}} << QList<int>{0, 1}
            << 2 << -1;
        QTest::newRow("negative index asks for the next")
            << Answers{{0, {labelFrame(-3, "a")}}, {-2, {labelFrame(31, "b")}}}
            << QList<int>{0, -2} << 2 << -1;
        QTest::newRow("empty answer counts as label 0")
            << Answers{{0, {frame('A', 1, QByteArray())}}, {1, {labelFrame(31, "z")}}}
            << QList<int>{0, 1} << 2 << -1;
        QTest::newRow("bad answer before the first asks for label 1")
            << Answers{{0, {bad}}, {1, {labelFrame(31, "z")}}} << QList<int>{0, 1} << 1 << -1;
        QTest::newRow("bad answer asks for the next again")
            << Answers{{0, {labelFrame(0, "a")}},
                       {1, {labelFrame(1, "b")}},
                       {2, {bad, labelFrame(31, "z")}}}
            << QList<int>{0, 1, 2, 2} << 3 << -1;
        // Other frames are taken and dropped; label 1 then goes unanswered three times.
        QTest::newRow("other frames are dropped")
            << Answers{{0, {labelFrame(0, "a") + frame('V', 1, "v") + frame('D', 1, "d")}}}
            << QList<int>{0, 1, 1, 1} << -1 << 1;
        QTest::newRow("silent from the start") << Answers{} << QList<int>{0, 0, 0} << -1 << 0;
        QTest::newRow("silent after two labels")
            << Answers{{0, {labelFrame(0, "a")}}, {1, {labelFrame(1, "b")}}}
            << QList<int>{0, 1, 2, 2, 2} << -1 << 2;
    }
    void answersDriveTheNextRequest()
    {
        QFETCH(Answers, answers);
        QFETCH(QList<int>, requests);
        QFETCH(int, labels);
        QFETCH(int, abandoned);

        LabelCollector collector(nullptr, 40);
        FakeLine line{collector, answers, {}};
        connect(&collector, &LabelCollector::requestLabel, &collector,
                [&line](int index) { line.onRequest(index); });
        QSignalSpy ready(&collector, &LabelCollector::labelsListReady);
        QSignalSpy gaveUp(&collector, &LabelCollector::abandoned);
        collector.start();
        QVERIFY(collector.isCollecting());

        QTRY_VERIFY(!collector.isCollecting());
        QCOMPARE(line.requests, requests);
        QCOMPARE(ready.count(), labels < 0 ? 0 : 1);
        if (labels >= 0)
            QCOMPARE(ready.first().first().toStringList().size(), labels);
        QCOMPARE(gaveUp.count(), abandoned < 0 ? 0 : 1);
        if (abandoned >= 0)
            QCOMPARE(gaveUp.first(), (QVariantList{abandoned, LabelCollector::kTries}));
        // Nothing more is asked once the run is over.
        QTest::qWait(3 * collector.timeout());
        QCOMPARE(line.requests.size(), requests.size());
    }

    void restartForgetsEarlierLabels()
    {
        LabelCollector collector(nullptr, 1000);
        QSignalSpy ready(&collector, &LabelCollector::labelsListReady);
        collector.start();
        collector.takeFrame(true, 'A', QByteArray("\x00old", 4));
        collector.start();
        collector.takeFrame(true, 'A', QByteArray("\x00new", 4));
        collector.takeFrame(true, 'A', QByteArray("\x1flast", 5));
        QCOMPARE(ready.count(), 1);
        QCOMPARE(ready.first().first().toStringList(), (QStringList{"new", "last"}));
    }

    void streamOfBadFramesStillTimesOut()
    {
        // Every bad frame asks again at once, but the run still ends on its time-out.
        LabelCollector collector(nullptr, 60);
        QSignalSpy requests(&collector, &LabelCollector::requestLabel);
        QSignalSpy gaveUp(&collector, &LabelCollector::abandoned);
        QTimer noise;
        connect(&noise, &QTimer::timeout, &collector,
                [&collector] { collector.takeFrame(false, 'A', QByteArray()); });
        noise.start(10);
        collector.start();
        QTRY_COMPARE(gaveUp.count(), 1);
        QVERIFY(requests.count() > LabelCollector::kTries);
    }

    // One collection through the real window: requests on the line, the list for the
    // real-time dialog, nothing logged meanwhile, the abandonment line of a silent device.
    void windowCollectsOverTheLink()
    {
        clearSettings();
        FakeDevice device(QStringLiteral("labels"));
        QVERIFY(device.isValid());
        MainWindow window;
        QVERIFY(connectTo(&window, device.portName()));
        auto* collector = window.findChild<LabelCollector*>();
        QVERIFY(collector);
        collector->setTimeout(100);

        int answered = 32;
        device.setResponder([&answered](const QByteArray& request) {
            const Request r = decodeRequest(request);
            if (r.cmd != 'a' || r.parameter >= answered)
                return QByteArray();
            return frame('D', 1, "noise") + labelFrame(r.parameter, labelText(r.parameter));
        });
        QSignalSpy ready(&window, &MainWindow::labelsListReady);
        window.rqGetLabelsList();
        QTRY_COMPARE(ready.count(), 1);
        const QStringList labels = ready.first().first().toStringList();
        QCOMPARE(labels.size(), 32);
        QCOMPARE(labels.at(31), QString::fromLatin1(labelText(31).leftJustified(16, ' ')));
        QCOMPARE(rowCount(&window), 0);

        answered = 5;
        window.rqGetLabelsList();
        QTRY_VERIFY(!consoleLines(&window).filter(QStringLiteral("abandoned")).isEmpty());
        QCOMPARE(redConsoleLines(&window),
                 QStringList{"No answer from the device for analog label 5 after 3 tries; "
                             "label collection abandoned."});
        // Logging goes on afterwards.
        device.send(frame('V', 1, "abc"));
        QTRY_COMPARE(rowCount(&window), 1);
    }
};

QTEST_MAIN(TestMainWindowLabels)
#include "tst_mainwindowlabels.moc"
