#pragma once

#include "capturereader.h"
#include "fieldlayout.h"
#include "framemodel.h"
#include "framerecord.h"
#include "mkrecords.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QIODevice;

// Writes the good received frames of one command letter as CSV (fields as CsvField writes them,
// CRLF line ends, UTF-8). Columns: time_s (seconds since the first frame of the session, six
// decimals), address (the device's name), cmd, then one column per field of the letter's
// definition (see FieldLayout): a scalar is one column, a numeric array one column per element
// ("Name[0]", ...), a character array one text column.
//
// Channel labels name the 16-bit columns at the analog offsets of 'D' frames: the first label
// learnt for each index counts. The header is written with the first row, so the labels of a
// whole session are learnt first (a pass of learn() over it), then the records are fed in
// session order to add(), frames of every letter and direction; add() learns the labels that
// come before the first row as well.
class CsvExport
{
public:
    static constexpr qsizetype kWriteChunk = 1024 * 1024;
    // Capture lines read at a time.
    static constexpr qsizetype kReadBatch = 1 << 16;

    CsvExport(const QList<FrameModel>& models, char cmd, QIODevice* out);

    // A channel label; ignored when the index already has one, is out of range, or the header
    // is written.
    void setLabel(int index, const QString& text);
    // The label of a received, good 'A' answer, or of a capture's label event.
    void learn(const FrameRecord& record);
    void learn(const CaptureReader::Event& event);

    void add(const FrameRecord& record);
    // Writes the header if no row came, and everything pending. False when a write failed.
    bool finish();

    // The whole of an open capture, in two passes: the labels wherever they are (label events
    // before the frames read with them), then the rows; finish() included. False when the
    // capture cannot be read to its end (reader.errorString() says why) or a write failed.
    bool exportCapture(CaptureReader& reader);

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
    // The label a received, good 'A' frame answers; false for any other record and for an
    // index that names no channel.
    static bool labelOf(const FrameRecord& record, MkRecords::Label& label);

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
    struct Labels
    {
        QStringList texts = QStringList(MkRecords::kAnalogCount);
        bool known[MkRecords::kAnalogCount] = {};
    };
    static std::vector<Column> buildColumns(const FrameModel& model, const QStringList& labels);
    static void appendColumns(std::vector<Column>& columns, const FieldLayout::Field& field,
                              const QStringList& labels);
    void writeHeader_();
    bool write_();

    FrameModel model_;
    bool hasModel_ = false;
    QList<FrameModel> revisions_; // the letter's definitions for one revision each
    qint64 otherRevision_ = 0;
    char cmd_;
    QIODevice* out_;
    std::vector<Column> columns_;
    Labels labels_;
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
