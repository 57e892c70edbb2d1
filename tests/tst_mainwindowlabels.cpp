#include "labeltable.h"
#include "mainwindow.h"
#include "mainwindowtestkit.h"
#include "mkhelper.h"

#include <QSignalSpy>
#include <QTest>

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

} // namespace

// One label collection through the real window over a serial link to a fake device (the label
// table itself is driven by a fake link in the session pipeline's suite).
class TestMainWindowLabels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(prepareEnvironment()); }

    // One collection through the real window: requests on the line, the list for the
    // real-time dialog, nothing logged meanwhile, the abandonment line of a silent device.
    void windowCollectsOverTheLink()
    {
        clearSettings();
        FakeDevice device(QStringLiteral("labels"));
        QVERIFY(device.isValid());
        MainWindow window;
        QVERIFY(connectTo(&window, device.portName()));
        window.session()->labels()->setTimeout(100);

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
