#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class QWidget;

// Dropping a capture file on a window opens it. Anything else dropped — several files, a
// folder, a file that is no capture, something that is no local file — opens nothing and is
// refused with a message.
class CaptureDrop : public QObject
{
    Q_OBJECT
public:
    // Makes `window` accept drops; owned by it.
    static CaptureDrop* watch(QWidget* window);

    // The capture to open from what was dropped, or an empty path and the finished message
    // saying why nothing is opened.
    struct Verdict
    {
        QString fileName;
        QString refusal;
    };
    static Verdict judge(const QList<QUrl>& urls);

signals:
    void openRequested(const QString& fileName);
    void refused(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CaptureDrop(QWidget* window);
    QWidget* window_;
};
