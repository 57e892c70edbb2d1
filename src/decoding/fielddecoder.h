#pragma once

#include "framemodel.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// Cuts a payload into the fields of a structure definition and writes one "name: value" text per
// field, in field order, the way the decoding tree shows them. Reads only inside the payload,
// whatever the definition says.
class FieldDecoder
{
public:
    FieldDecoder() = delete;

    // The text that closes the field list at a type the decoder does not know.
    static QString unknownStructureText();

    // The text shown instead of the fields when every definition for the letter is for another
    // revision of the structure than the payload's.
    static QString unknownRevisionText(int revision);

    // The first definition for the command letter, or null. Later definitions with the same
    // letter are never consulted, even when the first one has no fields.
    static const FrameModel* findModel(const QList<FrameModel>& models, char cmd);
    // The first definition for the letter that applies to the payload (FrameModel::appliesTo):
    // definitions for other revisions of the structure are passed over; or null.
    static const FrameModel* findModel(const QList<FrameModel>& models, char cmd,
                                       const QByteArray& payload);

    // The item texts for the payload under the model: one "%1: %2" per shown field, possibly
    // closed by unknownStructureText(). Fields whose bytes lie past the end of the payload show
    // an empty value; arrays are cut short at the end.
    static QStringList decode(const FrameModel& model, const QByteArray& payload);

    // findModel() for the payload then decode(); no definition gives no texts. When the letter's
    // definitions are all for other revisions: unknownRevisionText() and the bytes in hex.
    static QStringList decode(const QList<FrameModel>& models, char cmd, const QByteArray& payload);
};
