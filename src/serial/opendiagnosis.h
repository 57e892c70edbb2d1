#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

// Who may open a device node, as the system tells it.
struct DeviceAccess
{
    QString group;               // group owning the node; empty when unknown
    bool accountInGroup = false; // the user's account is a member: what the next login gets
    bool sessionInGroup = false; // this process has the group already
};

// A process that has a device open or locked.
struct PortHolder
{
    QString program;
    qint64 pid = 0;
};

// Turns a failed open of a serial device into one line for the user: the reason and what
// helps. Reads the device node, the account's groups and the process table, nothing else; the
// process table is read under procRoot so tests can give their own.
class OpenDiagnosis
{
    Q_DECLARE_TR_FUNCTIONS(OpenDiagnosis)
public:
    explicit OpenDiagnosis(const QString& procRoot = QStringLiteral("/proc"));

    // Why opening device failed with the error number err, and the remedy.
    QString explain(const QString& device, int err) const;

    // Processes holding device: the owners of locks on it first (from the lock table), then
    // every other process with it open. Each process once.
    QList<PortHolder> holders(const QString& device) const;
    static DeviceAccess access(const QString& device);

    static QString permissionText(const QString& device, const DeviceAccess& access);
    static QString busyText(const QString& device, const QList<PortHolder>& holders);
    static QString otherText(const QString& device, int err);

private:
    QList<qint64> lockOwners_(const QString& device) const;
    QList<qint64> openers_(const QString& device) const;
    QString program_(qint64 pid) const;

    QString procRoot_;
};
