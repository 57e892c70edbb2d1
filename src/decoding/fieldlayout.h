#pragma once

#include "framemodel.h"

#include <QList>
#include <QString>

// The field-type grammar of the structure definitions, read in one place for every part of the
// program that cuts a payload into fields (the decoding tree, the CSV export):
//
//   "u8", "s8", "u16", "s16"     a scalar of one or two bytes (16-bit values little-endian)
//   "<t>[<n>]"                   an array of n elements, n the decimal text between the first
//                                "[" and the last character; a text that is not a positive
//                                number gives 0 elements
//
// An array's element is the first of "u8[", "s8[", "u16[", "s16[" its type contains; any other
// array is passed over by its byte count (two bytes an element for "..16[", else one). A type
// that is neither a scalar nor an array ends the structure: nothing after it can be placed.
class FieldLayout
{
public:
    enum class Element
    {
        U8,
        S8,
        U16,
        S16,
        Other // an array element no reader shows
    };

    struct Field
    {
        QString name;
        Element element = Element::Other;
        bool array = false;
        qint64 count = 1;  // elements (1 for a scalar)
        qint64 offset = 0; // first payload byte
        qint64 bytes = 0;  // bytes spanned
        // Bytes one element reads.
        int width() const { return element == Element::U16 || element == Element::S16 ? 2 : 1; }
        bool isSigned() const { return element == Element::S16; }
    };

    FieldLayout() = delete;

    // The fields of a definition in order, offsets accumulated (as 64-bit numbers, so no sum of
    // counts can overflow). stoppedAtUnknown, when given, tells whether an unknown type cut the
    // list short.
    static QList<Field> of(const FrameModel& model, bool* stoppedAtUnknown = nullptr);

    // One type text as a field without name and offset; false for a type that ends a structure.
    static bool parseType(const QString& type, Field& field);
};
