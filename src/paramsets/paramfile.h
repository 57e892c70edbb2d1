#pragma once

#include "paramset.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The .mkparam file: one parameter set as JSON, every field by its firmware name.
//   {"format": "tovrik-mkparam", "version": 1, "revision": 106, "set": 3, "name": "Sport",
//    "fields": {"Revision": 106, "Kanalbelegung": [3, 2, ...], "Gyro_P": 120, ...}}
// Files are matched to a device's layout by field name, never by offset, so a set saved from
// one firmware revision can be loaded onto another.
class ParamFile
{
public:
    static constexpr const char* kFormat = "tovrik-mkparam";
    static constexpr int kVersion = 1;
    // A parameter set file is a few kilobytes; anything past this is not one.
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    int revision = -1;
    int setNumber = 0;
    QString name;
    QJsonObject fields;

    static QByteArray toJson(const ParamSet& set);
    // Writes the whole file or nothing (a temporary file in the same folder, then renamed).
    static bool write(const QString& path, const ParamSet& set, QString& error);
    // Reads and checks the header; the field values are checked when they are mapped. Refuses,
    // with the file's name and the reason, anything but a regular file (a FIFO would block),
    // files too large, text that is not JSON or is cut off, another format or a newer version.
    static bool read(const QString& path, ParamFile& file, QString& error);
    static bool parse(const QByteArray& bytes, ParamFile& file, QString& error);

    // The file's values laid onto `base` (normally the device's current set, which gives the
    // target layout and the values the file lacks), field by field by name.
    struct Mapping
    {
        ParamSet set;
        QStringList targetLacks; // in the file, not in the target layout (dropped)
        QStringList fileLacks;   // in the target layout, not in the file (kept from base)
        QStringList errors;      // wrong types, values out of range, unknown fields
        bool ok() const { return errors.isEmpty(); }
        bool exact() const { return targetLacks.isEmpty() && fileLacks.isEmpty(); }
    };
    // `layouts` tells the file's own layout, when mk.js knows its revision: a field neither
    // that layout nor the target's knows is an error, not a dropped field.
    Mapping mapOnto(const ParamSet& base, const QList<ParamLayout>& layouts) const;
};

// The fields in which two sets differ, by name; a field one side lacks counts as different.
struct ParamDifference
{
    QString field;
    QString left; // "—" where the left side lacks the field
    QString right;
};
// Fields in the order of `leftOrder`, then the right side's fields the left lacks.
QList<ParamDifference> compareParams(const QStringList& leftOrder, const QJsonObject& left,
                                     const QStringList& rightOrder, const QJsonObject& right);
QList<ParamDifference> compareParams(const ParamSet& left, const ParamSet& right);
// The field names of a layout in structure order.
QStringList fieldOrder(const ParamLayout& layout);
