#include "mkserial.h"

// Placeholder so the tree builds; replaced by the real serial link.
MkSerial::MkSerial(QObject* parent) : QObject(parent) {}
MkSerial::~MkSerial() = default;
bool MkSerial::open() { return false; }
void MkSerial::close() {}
bool MkSerial::isOpen() { return false; }
QString MkSerial::deviceName() const { return {}; }
void MkSerial::setDeviceName(const QString&) {}
QList<QPortInfo> MkSerial::getPorts() { return {}; }
void MkSerial::setUpNotifications() {}
void MkSerial::write(const QByteArray&) {}
bool MkSerial::setDebug(bool) { return false; }
