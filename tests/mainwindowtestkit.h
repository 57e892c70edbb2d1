#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class MainWindow;
class QComboBox;
class QSocketNotifier;
class QPushButton;
class QPlainTextEdit;
class QTableView;
class QTreeWidget;

// Shared helpers of the main window tests: a working directory with a small definitions
// script, access to the window's widgets by object name, and a fake device on a
// pseudo-terminal that the window sees as a virtual port.
namespace MainWindowTestKit {

// Fails unless the test runs with a private settings location (as ctest arranges), then moves
// into a fresh working directory holding a definitions script for the letters V, A, D and k.
// Returns false (with a test failure recorded) when that cannot be done.
bool prepareEnvironment();

// Empties the program's settings store (the private one of the test).
void clearSettings();

QPlainTextEdit* console(MainWindow* window);
QTableView* table(MainWindow* window);
QTreeWidget* tree(MainWindow* window);
QComboBox* ports(MainWindow* window);
QPushButton* connectButton(MainWindow* window);

// The console's lines as plain text, and the lines printed in red.
QStringList consoleLines(MainWindow* window);
QStringList redConsoleLines(MainWindow* window);

// The frame table's rows, with the rows still waiting for their announcement announced now.
int rowCount(MainWindow* window);
// The texts of one table row: "No.", "Cmd", "Address" and "Data" (the columns a row had before
// the "Time" column), with waiting rows announced first.
QStringList rowTexts(MainWindow* window, int row);
// Selects one whole row of the frame table.
void selectRow(MainWindow* window, int row);

// Waits for the port to be listed, chooses it and presses "Connect"; true once connected.
bool connectTo(MainWindow* window, const QString& portName);

// Runs a private slot of the window with one argument, as a signal would.
void deliverFrame(MainWindow* window, const QByteArray& frame);

// A frame as the device sends it.
QByteArray frame(char cmd, int address, const QByteArray& payload);

// A device on a pseudo-terminal, registered as a virtual port by a symbolic link in the
// ports directory of the test. It records the frames the program sends and sends frames back.
class FakeDevice
{
public:
    explicit FakeDevice(const QString& linkName);
    ~FakeDevice();
    FakeDevice(const FakeDevice&) = delete;
    FakeDevice& operator=(const FakeDevice&) = delete;

    bool isValid() const { return master_ >= 0; }
    QString portName() const { return link_; }

    // Every complete frame received so far, in order.
    QList<QByteArray> requests();
    // Answers each frame as it arrives with what the function returns (nothing when empty).
    void setResponder(std::function<QByteArray(const QByteArray& request)> responder);
    void send(const QByteArray& bytes);
    // Removes the link, as when the adapter is pulled out.
    void unplug();
    // Makes the link again, as when the same adapter is plugged back in.
    bool plugIn();

private:
    void readPending_();

    int master_ = -1;
    int slave_ = -1;
    QString link_;
    QString terminal_;
    QByteArray pending_;
    QList<QByteArray> requests_;
    std::function<QByteArray(const QByteArray&)> responder_;
    QSocketNotifier* notifier_ = nullptr;
};

// The command letter and the parameter byte (-1 when none) of a request frame.
struct Request
{
    char cmd = 0;
    int parameter = -1;
};
Request decodeRequest(const QByteArray& frame);

} // namespace MainWindowTestKit
