#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// Opens the files the program reads and writes so that a wrong name can neither block the
// program nor destroy what the user has: a named pipe, a device or a directory is refused
// before it is opened (and again after, for what changed in between), every open is made with
// O_NONBLOCK and O_NOCTTY, a target is never the file being read, a finished file replaces the
// old one only when it is complete, and a recording holds a lock no second recorder passes.
// Every error text names the file and gives the system's reason.
namespace FileSafety {

// The system's text for an error number ("No space left on device").
QString reason(int error);

// Opens a regular file for reading. -1 with error set otherwise.
int openForReading(const QString& path, QString& error);

// Why target must not be written: it exists and is not a regular file, or it is one of the
// inputs (the same file by device and inode, whatever the names). Empty when it may be.
QString checkTarget(const QString& target, const QStringList& inputs = {});

// Why an output the program was handed open (the standard output) must not be written: it is
// one of the inputs, which would grow while it is read. Pipes and terminals are fine. Empty
// when it may be written.
QString checkOpenOutput(int fd, const QString& name, const QStringList& inputs);

// Writes a whole file: checkTarget(), then write() into a temporary file in the target's folder
// that is renamed onto the target only when write() returned true and everything reached the
// disk. Whatever fails, the old file stays as it was and no temporary file is left. False
// with error set.
bool writeWhole(const QString& target, const QStringList& inputs,
                const std::function<bool(QIODevice&)>& write, QString& error);

// Writes all bytes to out. A short write is followed by another, so that a full disk ends in a
// failed write that carries the system's reason in out.errorString(). False when not all went.
bool writeAll(QIODevice& out, const char* data, qint64 size);

// Opens a capture to record into: checkTarget(), opened without truncating, locked against
// every other recorder (of this process or another), and only then emptied. A file another
// recorder holds is refused with that recorder's process id. -1 with error set otherwise; the
// lock goes with the descriptor.
int openForRecording(const QString& path, const QStringList& inputs, QString& error);

} // namespace FileSafety
