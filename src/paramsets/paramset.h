#pragma once

#include "paramlayout.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

// One Flight Ctrl parameter set: a layout, the structure's bytes (without crc, exactly
// layout().size() of them) and the set number it came from or goes to. Values are read and
// written by field name as JSON values: a number for a scalar, an array of numbers for an array,
// a string for characters.
class ParamSet
{
public:
    ParamSet() = default;
    // A set of zeros with the revision byte filled in.
    ParamSet(const ParamLayout& layout, int setNumber);

    // The set a 'Q' payload carries: the set number, then the structure. Its length must be the
    // layout's, or at most two bytes more (padding of the line encoding, dropped). Fails with a
    // message for the user on a short or long payload and on a revision no layout knows.
    static bool fromAnswer(const QList<ParamLayout>& layouts, const QByteArray& payload,
                           ParamSet& set, QString& error);

    bool isValid() const { return layout_.isValid() && bytes_.size() == layout_.size(); }
    const ParamLayout& layout() const { return layout_; }
    int revision() const { return layout_.revision(); }
    int setNumber() const { return setNumber_; }
    void setSetNumber(int number) { setNumber_ = number; }
    const QByteArray& structure() const { return bytes_; }
    // The "Name" field, without its zero padding; empty when the layout has none.
    QString name() const;

    QJsonValue value(const QString& field) const;
    // Sets the field when the value has its type and lies in its range; else says why (naming
    // the field) and leaves the set as it was.
    bool setValue(const QString& field, const QJsonValue& value, QString& error);
    // Every field by name (the revision byte included).
    QJsonObject values() const;
    // The field's value as the user reads it: "120", "1 2 3", or the text.
    QString valueText(const QString& field) const;
    static QString jsonText(const QJsonValue& value);

    // Fields whose stored value lies outside the documented range, one message each.
    QStringList rangeErrors() const;
    // Checks the value against the field's type and range; empty when it fits.
    static QString checkValue(const ParamField& field, const QJsonValue& value);

    // The 's' payload: set number, then the whole structure. Empty, with a reason, unless the
    // set number is 1..5 and the structure has exactly the layout's length: a short frame
    // would make the device store whatever its buffer held.
    QByteArray writePayload(QString& error) const;

private:
    ParamLayout layout_;
    QByteArray bytes_;
    int setNumber_ = 0;
};
