#pragma once

#include <QString>

// What a channel's label says about its values. A label that ends in a bracketed unit, with an
// optional scale in front of it ("Voltage [0.1V]", "Current [0.1A]", "Capacity [mAh]"), gives
// values in that unit: a raw 125 from "Voltage [0.1V]" is 12.5 V. Any other label, including
// one whose bracket cannot be read, leaves the values raw.
struct ChannelUnit
{
    QString name;     // the label without padding and without the bracket
    QString unit;     // empty: raw values
    double scale = 1; // unit per raw step
    int decimals = 0; // decimals the scale can produce

    static ChannelUnit parse(const QString& label);

    bool hasUnit() const { return !unit.isEmpty(); }
    double value(double raw) const { return raw * scale; }
    // "Voltage [V]" for a label with a unit, the trimmed label otherwise.
    QString displayName() const;
    // "12.5 V" for a raw 125 of "Voltage [0.1V]", "125" for a label without a unit.
    QString format(double raw) const;
};
