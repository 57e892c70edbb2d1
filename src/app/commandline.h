#pragma once

#include <QString>

class MainWindow;

// The program's command line: what it asks for, the work that needs no window (help, version,
// CSV export), and what the window does at start (open a capture, a port, start recording).
namespace CommandLine {

struct WindowOptions
{
    QString capture; // open in the frame log
    QString port;    // select and connect
    QString record;  // record the session to this file
};

// False, with a message on stderr, when an argument is not valid UTF-8: the toolkit would turn
// such a file name into another one and report it missing. Call before any application exists.
bool argumentsAreUtf8(int argc, char* argv[]);

// True when the arguments ask only for work without a window, which then runs under a
// QCoreApplication (no display needed).
bool wantsNoWindow(int argc, char* argv[]);

// Parses the arguments of the running QCoreApplication and does the work without a window.
// Returns the exit code.
int runWithoutWindow();

// Parses the arguments of the running QApplication for the window. False with exitCode set
// (a message already on stderr) when the program must end at once.
bool parseWindowOptions(WindowOptions& options, int& exitCode);

// Does what the options ask of the new window. False (a message on stderr) when a file named on
// the command line cannot be used.
bool applyWindowOptions(MainWindow& window, const WindowOptions& options);

// The window program's exit code from the event loop's: 1 when a recording asked for on the
// command line broke off, so that a script sees it.
int windowExitCode(int code);

// SIGINT and SIGTERM end the event loop instead of the process, so the program closes its
// files the ordinary way. Call once a QCoreApplication exists.
void quitOnTerminationSignals();

} // namespace CommandLine
