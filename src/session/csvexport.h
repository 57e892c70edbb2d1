#pragma once

#include "framemodel.h"
#include "framerecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QIODevice;

// Writes the good received frames of one command letter as CSV (RFC 4180: fields with a comma,
// quote or line break quoted, quotes doubled, CRLF line ends, UTF-8). Columns: time_s (seconds
// since the first frame of the session, six decimals), address (the device's name), cmd, then one
// column per field of the letter's definition: a scalar is one column, a numeric array one
// column per element ("Name[0]", ...), a character array one text column.
//
// Records are fed in session order, frames of every letter and direction: the 'A' label answers
// among them name the 16-bit columns at payload bytes 2 + 2i of 'D' frames, when all the labels
// arrived before the first exported row (the header is written once, with that row).
class CsvExport
{
public:
    static constexpr int kLabelCount = 32;
    static constexpr qsizetype kWriteChunk = 1024 * 1024;

    CsvExport(const QList<FrameModel>& models, char cmd, QIODevice* out);

    void add(const FrameRecord& record);
    // Writes the header if no row came, and everything pending. False when a write failed.
    bool finish();

    qint64 rowCount() const { return rows_; }
    // Received frames of the letter left out because their check sum did not match.
    qint64 badCount() const { return bad_; }
    // Frames of the letter left out because their structure revision is not the one the
    // columns were made for (the first exported frame's).
    qint64 otherRevisionCount() const { return otherRevision_; }
    bool hasDefinition() const { return hasModel_; }

    // The field columns of a definition, and the names they get; labels (empty for "none")
    // rename the 16-bit columns at payload bytes 2 + 2i.
    static QStringList columnNames(const FrameModel& model, const QStringList& labels = {});
    // Index and text of an 'A' answer's payload: byte 0, then the text up to the first zero
    // byte with trailing blanks trimmed. False for an empty payload.
    static bool parseLabel(const QByteArray& payload, int& index, QString& label);
    // The label a received, good 'A' frame answers, with its index below kLabelCount; the text
    // is non-null even when empty, so an answered index can be told from a missing one.
    static bool labelOf(const FrameRecord& record, int& index, QString& label);
    // One CSV field, quoted when it must be.
    static void appendField(std::string& line, QByteArrayView utf8);

    // The structure definitions of mk.js, looked up where the window looks. False with a message.
    static bool loadDefinitions(QList<FrameModel>& models, QString& error);

private:
    enum class Kind
    {
        U8,
        Char,
        U16,
        S16,
        Text
    };
    struct Column
    {
        qint64 offset;
        Kind kind;
        qint64 length; // bytes of a Text column
        QString name;
    };
    static std::vector<Column> buildColumns(const FrameModel& model, const QStringList& labels);
    void writeHeader_();
    bool write_();

    FrameModel model_;
    bool hasModel_ = false;
    QList<FrameModel> revisions_; // the letter's definitions for one revision each
    qint64 otherRevision_ = 0;
    char cmd_;
    QIODevice* out_;
    std::vector<Column> columns_;
    QStringList labels_;
    int labelsSeen_ = 0;
    bool headerWritten_ = false;
    bool firstTimeSet_ = false;
    qint64 firstUs_ = 0;
    qint64 rows_ = 0;
    qint64 bad_ = 0;
    bool writeFailed_ = false;
    // Rows waiting to be written (a std::string: appending one character is inline there).
    std::string buffer_;
    // "address,cmd" of a row, per address byte, made once.
    std::string addressNames_[256];
};
