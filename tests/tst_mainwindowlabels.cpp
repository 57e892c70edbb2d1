#include "mainwindow.h"
#include "mainwindowtestkit.h"

#include <QSignalSpy>
#include <QTableWidget>
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

// The label indices asked for so far.
QList<int> labelRequests(FakeDevice& device)
{
    QList<int> indices;
    const QList<QByteArray> frames = device.requests();
    for (const QByteArray& bytes : frames) {
        const Request request = decodeRequest(bytes);
        if (request.cmd == 'a')
            indices.append(request.parameter);
    }
    return indices;
}

// The requests with each run of repeats of one index shown once. A busy machine may delay an
// answer past the time-out, so that the awaited label is asked again; the order of the labels
// asked for is what the tests check.
QList<int> distinct(const QList<int>& indices)
{
    QList<int> result;
    for (const int index : indices) {
        if (result.isEmpty() || result.last() != index)
            result.append(index);
    }
    return result;
}

// Answers per requested label index, each used once, in order.
using Answers = QMap<int, QList<QByteArray>>;

} // namespace

// The label collection of the real window over a real serial link to a fake device: the full
// run, bad answers, other frames during a run, restarts and the time-out of a silent device.
class TestMainWindowLabels : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<FakeDevice> device_;

private slots:
    void initTestCase() { QVERIFY(prepareEnvironment()); }

    void init()
    {
        clearSettings();
        device_ = std::make_unique<FakeDevice>(QStringLiteral("labels"));
        QVERIFY(device_->isValid());
        window_ = std::make_unique<MainWindow>();
        QVERIFY(connectTo(window_.get(), device_->portName()));
    }

    void cleanup()
    {
        window_.reset();
        device_.reset();
    }

    void fullCollectionGathersAllLabels()
    {
        device_->setResponder([](const QByteArray& request) {
            const Request r = decodeRequest(request);
            return r.cmd == 'a' ? labelFrame(r.parameter, labelText(r.parameter)) : QByteArray();
        });
        QSignalSpy ready(window_.get(), &MainWindow::labelsListReady);
        window_->rqGetLabelsList();

        QTRY_COMPARE(ready.count(), 1);
        const QStringList labels = ready.first().first().toStringList();
        QCOMPARE(labels.size(), 32);
        for (int i = 0; i < 32; ++i)
            QCOMPARE(labels.at(i), QString::fromLatin1(labelText(i).leftJustified(16, ' ')));
        QList<int> expected;
        for (int i = 0; i < 32; ++i)
            expected.append(i);
        QCOMPARE(distinct(labelRequests(*device_)), expected);
        // The answers fed the collection only.
        QCOMPARE(table(window_.get())->rowCount(), 0);

        // Logging goes on afterwards.
        device_->send(frame('V', 1, "abc"));
        QTRY_COMPARE(table(window_.get())->rowCount(), 1);
    }

    void answersDriveTheNextRequest_data()
    {
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QList<int>>("requests");
        QTest::addColumn<int>("labels"); // -1: the collection is still under way
        QTest::addColumn<int>("redLines");

        const QByteArray bad = QByteArray("#bA>==xx\r");
        QTest::newRow("last index ends at once")
            << Answers{{0, {labelFrame(31, "Used")}}} << QList<int>{0} << 1 << 0;
        QTest::newRow("index above 31 ends")
            << Answers{{0, {labelFrame(0, "a")}}, {1, {labelFrame(40, "b")}}} << QList<int>{0, 1}
            << 2 << 0;
        // The request byte of an index outside 0..255 is "?" (63).
        QTest::newRow("negative index asks for the next")
            << Answers{{0, {labelFrame(-3, "a")}}, {63, {labelFrame(31, "b")}}} << QList<int>{0, 63}
            << 2 << 0;
        QTest::newRow("empty answer counts as label 0")
            << Answers{{0, {frame('A', 1, QByteArray())}}, {1, {labelFrame(31, "z")}}}
            << QList<int>{0, 1} << 2 << 0;
        QTest::newRow("bad answer before the first asks for label 1")
            << Answers{{0, {bad}}, {1, {labelFrame(31, "z")}}} << QList<int>{0, 1} << 1 << 2;
        QTest::newRow("bad answer asks for the next again")
            << Answers{{0, {labelFrame(0, "a")}},
                       {1, {labelFrame(1, "b")}},
                       {2, {bad, labelFrame(31, "z")}}}
            << QList<int>{0, 1, 2} << 3 << 2;
        QTest::newRow("other frames are dropped")
            << Answers{{0, {labelFrame(0, "a")}}, {1, {frame('V', 1, "v") + frame('D', 1, "d")}}}
            << QList<int>{0, 1} << -1 << 0;
    }
    void answersDriveTheNextRequest()
    {
        QFETCH(Answers, answers);
        QFETCH(QList<int>, requests);
        QFETCH(int, labels);
        QFETCH(int, redLines);

        int unused = 0;
        for (const QList<QByteArray>& list : answers)
            unused += list.size();
        device_->setResponder([&answers, &unused](const QByteArray& request) {
            QList<QByteArray>& list = answers[decodeRequest(request).parameter];
            if (list.isEmpty())
                return QByteArray();
            --unused;
            return list.takeFirst();
        });
        QSignalSpy ready(window_.get(), &MainWindow::labelsListReady);
        window_->rqGetLabelsList();

        QTRY_COMPARE(unused, 0);
        if (labels >= 0) {
            QTRY_COMPARE(ready.count(), 1);
            QCOMPARE(ready.first().first().toStringList().size(), labels);
        } else {
            device_->send(frame('A', 1, QByteArray(1, char(31))));
            QTRY_COMPARE(ready.count(), 1);
            // Only the two answered labels: the frames in between were dropped.
            QCOMPARE(ready.first().first().toStringList().size(), 2);
        }
        QCOMPARE(distinct(labelRequests(*device_)), requests);
        QCOMPARE(redConsoleLines(window_.get()).size(), redLines);
        QCOMPARE(table(window_.get())->rowCount(), 0);
    }

    void restartForgetsEarlierLabels()
    {
        bool first = true;
        device_->setResponder([&first](const QByteArray& request) {
            const Request r = decodeRequest(request);
            // The first run stalls after label 2; the second answers everything.
            if (first && r.parameter > 2)
                return QByteArray();
            return labelFrame(r.parameter, labelText(r.parameter));
        });
        QSignalSpy ready(window_.get(), &MainWindow::labelsListReady);
        window_->rqGetLabelsList();
        QTRY_VERIFY(labelRequests(*device_).size() >= 4);
        first = false;
        window_->rqGetLabelsList();
        QTRY_COMPARE(ready.count(), 1);
        const QStringList labels = ready.first().first().toStringList();
        QCOMPARE(labels.size(), 32);
        QVERIFY(labels.first().startsWith("Label 0 "));
    }

    void silentDeviceEndsTheCollection_data()
    {
        QTest::addColumn<int>("answered"); // labels answered before the device falls silent
        QTest::addRow("silent from the start") << 0;
        QTest::addRow("silent after five labels") << 5;
    }
    void silentDeviceEndsTheCollection()
    {
        QFETCH(int, answered);
        device_->setResponder([answered](const QByteArray& request) {
            const Request r = decodeRequest(request);
            if (r.cmd == 'a' && r.parameter < answered)
                return labelFrame(r.parameter, labelText(r.parameter));
            return QByteArray();
        });
        QSignalSpy ready(window_.get(), &MainWindow::labelsListReady);
        window_->rqGetLabelsList();

        // The awaited label is asked three times in all, then the collection is given up.
        QTRY_COMPARE_WITH_TIMEOUT(redConsoleLines(window_.get()).size(), 1, 10000);
        QList<int> expected;
        for (int i = 0; i <= answered; ++i)
            expected.append(i);
        QCOMPARE(distinct(labelRequests(*device_)), expected);
        QCOMPARE(labelRequests(*device_).count(answered), 3);
        QVERIFY2(redConsoleLines(window_.get())
                     .first()
                     .contains(QStringLiteral("label %1 ").arg(answered)),
                 qPrintable(redConsoleLines(window_.get()).first()));
        QCOMPARE(ready.count(), 0);

        // Frames are logged again.
        device_->send(frame('V', 1, "abc"));
        QTRY_COMPARE(table(window_.get())->rowCount(), 1);
    }

    void streamOfBadFramesStillTimesOut()
    {
        // A line that brings only garbage: every bad frame asks again at once, but the
        // collection still ends on its time-out instead of running for ever.
        QTimer noise;
        connect(&noise, &QTimer::timeout, this, [this] { device_->send("#bA>==xx\r"); });
        noise.start(200);
        window_->rqGetLabelsList();
        QTRY_VERIFY_WITH_TIMEOUT(
            !consoleLines(window_.get()).filter(QStringLiteral("abandoned")).isEmpty(), 10000);
        noise.stop();
        QVERIFY(labelRequests(*device_).size() > 3);
    }
};

QTEST_MAIN(TestMainWindowLabels)
#include "tst_mainwindowlabels.moc"
