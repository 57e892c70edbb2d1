#pragma once

#include <QByteArray>
#include <QString>

// The Flight Ctrl's five parameter sets as the simulator keeps them, with the firmware's rules
// for 'q' (read; 0xFF the active set; 10..29 reset to defaults), 's' (write: set, revision and
// motor checks, values clamped to the documented ranges, the set made active) and 'f'
// (activate). Optionally kept in a file across restarts.
class SimParamSets
{
public:
    static constexpr int kSets = 5;

    // Structure bytes without crc for a revision the simulator knows (95, 106); else 0.
    static int structureSize(int revision);

    explicit SimParamSets(int revision = 106);

    // Loads the sets from `path` when it exists, else writes the defaults there; every change
    // is saved to it afterwards. False, with the reason, for a file that cannot be used.
    bool useFile(const QString& path, QString& error);
    void setMotorsOn(bool on) { motorsOn_ = on; }

    // Answers a request: true with the answer's letter and payload, false when the device
    // stays silent (not a parameter set request, or the motors run).
    bool handle(char cmd, const QByteArray& payload, char& answer, QByteArray& answerPayload);

    int revision() const { return revision_; }
    int activeSet() const { return active_; }
    // Set 1..5: the structure without crc.
    QByteArray set(int number) const { return sets_[number - 1]; }
    QByteArray defaults(int number) const;

private:
    void clamp_(QByteArray& structure) const;
    void save_();

    int revision_;
    int active_ = 1;
    bool motorsOn_ = false;
    QByteArray sets_[kSets];
    QString path_;
};
