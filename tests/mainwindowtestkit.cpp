#include "mainwindowtestkit.h"

#include "framelogmodel.h"
#include "mainwindow.h"
#include "mkhelper.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QSocketNotifier>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace MainWindowTestKit {

namespace {

const char kScript[] = R"(
var Version = { cmd: "V", SWMajor: "u8", SWMinor: "u8", ProtoMajor: "u8", ProtoMinor: "u8",
                SWPatch: "u8", HardwareError: "u8[5]" };
var Label = { cmd: "A", Index: "u8", Text: "u8[16]" };
var Debug = { cmd: "D", Status: "u8[2]", Analog: "s16[32]" };
var Compass = { cmd: "k", Nick: "s16", Roll: "s16" };
({ Version: "struct", Label: "struct", Debug: "struct", Compass: "struct" });
)";

} // namespace

bool prepareEnvironment()
{
    // Never run against the user's own settings, data or ports.
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "TOVRIK_PORTS_DIR"}) {
        if (qEnvironmentVariableIsEmpty(name)) {
            QTest::qFail(qPrintable(QStringLiteral("%1 is not set; run this test through ctest")
                                        .arg(QLatin1String(name))),
                         __FILE__, __LINE__);
            return false;
        }
    }
    static QTemporaryDir workDir;
    QFile script(workDir.filePath(QStringLiteral("mk.js")));
    if (!workDir.isValid() || !script.open(QIODevice::WriteOnly) || script.write(kScript) < 0) {
        QTest::qFail("cannot write the definitions script", __FILE__, __LINE__);
        return false;
    }
    script.close();
    QDir::setCurrent(workDir.path());
    clearSettings();
    return true;
}

void clearSettings()
{
    QSettings settings(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
    settings.clear();
    settings.sync();
}

QPlainTextEdit* console(MainWindow* window)
{
    return window->findChild<QPlainTextEdit*>(QStringLiteral("consoleTextEdit_"));
}

QTableView* table(MainWindow* window)
{
    return window->findChild<QTableView*>(QStringLiteral("tableWidgetFrame_"));
}

int rowCount(MainWindow* window)
{
    window->frameLogModel()->announcePending();
    return window->frameLogModel()->rowCount();
}

void selectRow(MainWindow* window, int row)
{
    window->frameLogModel()->announcePending();
    table(window)->selectRow(row);
}

QTreeWidget* tree(MainWindow* window)
{
    return window->findChild<QTreeWidget*>(QStringLiteral("treeWidgetFrame_"));
}

QComboBox* ports(MainWindow* window)
{
    return window->findChild<QComboBox*>(QStringLiteral("portComboBox_"));
}

QPushButton* connectButton(MainWindow* window)
{
    return window->findChild<QPushButton*>(QStringLiteral("connectPushButton_"));
}

QStringList consoleLines(MainWindow* window)
{
    QStringList lines;
    const QTextDocument* doc = console(window)->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    if (lines.size() == 1 && lines.first().isEmpty())
        lines.clear();
    return lines;
}

QStringList redConsoleLines(MainWindow* window)
{
    QStringList lines;
    const QTextDocument* doc = console(window)->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        bool red = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().foreground().color() == QColor(255, 0, 0))
                red = true;
        }
        if (red)
            lines.append(block.text());
    }
    return lines;
}

QStringList rowTexts(MainWindow* window, int row)
{
    FrameLogModel* model = window->frameLogModel();
    model->announcePending();
    QStringList texts;
    for (const int column : {FrameLogModel::NumberColumn, FrameLogModel::CmdColumn,
                             FrameLogModel::AddressColumn, FrameLogModel::DataColumn}) {
        const QVariant text = model->index(row, column).data();
        texts.append(text.isValid() ? text.toString() : QStringLiteral("<none>"));
    }
    return texts;
}

bool connectTo(MainWindow* window, const QString& portName)
{
    QComboBox* list = ports(window);
    if (!QTest::qWaitFor([&] { return list->findText(portName) >= 0; }, 5000))
        return false;
    list->setCurrentIndex(list->findText(portName));
    connectButton(window)->click();
    return connectButton(window)->text() == QStringLiteral("Disconnect");
}

void deliverFrame(MainWindow* window, const QByteArray& frame)
{
    emit window->serialLink()->framesReceived(QList<LinkFrame>{{frame, LinkFrame::nowUs()}});
}

QByteArray frame(char cmd, int address, const QByteArray& payload)
{
    QByteArray bytes;
    MkHelper::encodeFrame(cmd, address, payload, bytes);
    return bytes;
}

FakeDevice::FakeDevice(const QString& linkName)
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
        return;
    }
    const QByteArray slavePath = ::ptsname(master_);
    // Held open so the far side never reads as hung up between the program's opens, and set
    // raw so that nothing written to it is echoed back.
    slave_ = ::open(slavePath.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ >= 0) {
        termios tio{};
        if (::tcgetattr(slave_, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(slave_, TCSANOW, &tio);
        }
    }
    const QDir portsDir(qEnvironmentVariable("TOVRIK_PORTS_DIR"));
    portsDir.mkpath(QStringLiteral("."));
    link_ = portsDir.filePath(linkName);
    terminal_ = QString::fromLocal8Bit(slavePath);
    QFile::remove(link_);
    if (!QFile::link(terminal_, link_)) {
        ::close(master_);
        master_ = -1;
    }
}

FakeDevice::~FakeDevice()
{
    delete notifier_;
    unplug();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

QList<QByteArray> FakeDevice::requests()
{
    readPending_();
    return requests_;
}

void FakeDevice::setResponder(std::function<QByteArray(const QByteArray&)> responder)
{
    responder_ = std::move(responder);
    if (!notifier_ && master_ >= 0) {
        notifier_ = new QSocketNotifier(master_, QSocketNotifier::Read);
        QObject::connect(notifier_, &QSocketNotifier::activated, [this] { readPending_(); });
    }
}

void FakeDevice::readPending_()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        pending_.append(buffer, n);
    }
    for (qsizetype end = pending_.indexOf('\r'); end >= 0; end = pending_.indexOf('\r')) {
        const QByteArray request = pending_.left(end + 1);
        pending_.remove(0, end + 1);
        // A lone carriage return ends a fragment on the device side; it asks for nothing.
        if (request == "\r")
            continue;
        requests_.append(request);
        if (responder_) {
            const QByteArray answer = responder_(request);
            if (!answer.isEmpty())
                send(answer);
        }
    }
}

void FakeDevice::send(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        if (n > 0)
            done += n;
    }
}

void FakeDevice::unplug()
{
    if (!link_.isEmpty())
        QFile::remove(link_);
}

bool FakeDevice::plugIn()
{
    QFile::remove(link_);
    return QFile::link(terminal_, link_);
}

Request decodeRequest(const QByteArray& frame)
{
    Request request;
    int address = 0;
    QByteArray payload;
    if (MkHelper::decodeFrame(frame, request.cmd, address, payload) && !payload.isEmpty())
        request.parameter = quint8(payload.at(0));
    return request;
}

} // namespace MainWindowTestKit
