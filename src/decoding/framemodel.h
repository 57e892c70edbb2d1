#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// What a definition may say about one field beyond its name and type: the documented range,
// names of its bits (index = bit number, an empty text for an unnamed bit), of its values
// (index = value) or of an array's elements, and a unit. All optional.
struct FieldExtra
{
    bool hasRange = false;
    qint64 min = 0;
    qint64 max = 0;
    QStringList bits;
    QStringList choices;
    QStringList items;
    QString unit;
};

// One structure definition from the definitions script: the command letter it decodes and its
// fields, names and type strings at matching indices (both lists always have the same length).
// A definition may apply to one revision of a structure only: then `revision` is that number
// and `revisionAt` the payload offset of the structure's first byte, which holds the revision.
struct FrameModel
{
    char cmd = 0;
    QStringList fieldNames;
    QStringList fieldTypes;
    int revision = -1; // -1: any payload
    int revisionAt = 0;
    // The extras of field k, when k < fieldExtras.size(); a model built without them has none.
    QList<FieldExtra> fieldExtras = {};

    // True when this definition decodes the payload: it names no revision, or the payload's
    // byte at revisionAt equals it.
    bool appliesTo(const QByteArray& payload) const
    {
        if (revision < 0)
            return true;
        return revisionAt >= 0 && revisionAt < payload.size() &&
               quint8(payload.at(revisionAt)) == revision;
    }
};
