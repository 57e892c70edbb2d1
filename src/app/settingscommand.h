#pragma once

class QCommandLineParser;

// The parameter set work of the command line, without a window:
//   --port P --read-settings N|active|all -o FILE
//   --port P --write-settings FILE --set N [--accept-mapping]
// Each ends with exit code 0, or non-zero with the reason on stderr.
namespace SettingsCommand {

void addOptions(QCommandLineParser& parser);
// True when the arguments ask for parameter set work.
bool wanted(const QCommandLineParser& parser);
// Runs it under the running QCoreApplication; returns the exit code.
int run(const QCommandLineParser& parser);

} // namespace SettingsCommand
