#pragma once

#include "framemodel.h"

#include <QList>
#include <QString>

// One field of a parameter set structure: where it lies in the structure (the set without the
// set number in front), how many one-byte elements it has, and what the definition says of it.
struct ParamField
{
    QString name;
    QString type;
    int offset = 0; // within the structure
    int count = 1;  // elements; 1 for a scalar
    bool isArray = false;
    bool isText = false; // "s8[n]": characters, zero-padded
    FieldExtra extra;

    // The documented range of each element, or 0..255 when none is documented.
    int minimum() const { return extra.hasRange ? int(extra.min) : 0; }
    int maximum() const { return extra.hasRange ? int(extra.max) : 255; }
};

// The layout of one revision of the Flight Ctrl's parameter set, built from the 'Q' definition
// of mk.js for that revision. The 'Q' payload is the set number, then the structure without
// its crc; the structure's first byte is the revision.
class ParamLayout
{
public:
    // The letter of the definitions that describe parameter sets.
    static constexpr char kAnswer = 'Q';

    int revision() const { return revision_; }
    // Bytes of the structure without crc (what 's' carries after the set number).
    int size() const { return size_; }
    // Payload offset of the structure in a 'Q' answer (the set number's bytes in front).
    int structureAt() const { return structureAt_; }
    const QList<ParamField>& fields() const { return fields_; }
    const ParamField* field(const QString& name) const;
    bool isValid() const { return revision_ >= 0 && size_ > 0; }

    // The layout a 'Q' definition describes: its fields from revisionAt on. Fails, saying why,
    // when the definition names no revision, uses a type other than u8, s8, u8[n] and s8[n],
    // repeats a field name or has no "Revision" byte first.
    static bool fromModel(const FrameModel& model, ParamLayout& layout, QString& error);
    // Every parameter set layout among the definitions (the first one per revision).
    static QList<ParamLayout> fromModels(const QList<FrameModel>& models);
    static const ParamLayout* find(const QList<ParamLayout>& layouts, int revision);

private:
    int revision_ = -1;
    int size_ = 0;
    int structureAt_ = 1;
    QList<ParamField> fields_;
};
