#include "csvexport.h"

#include "captureformat.h"
#include "csvfield.h"
#include "fielddecoder.h"
#include "filesafety.h"
#include "mkhelper.h"

#include <QIODevice>

namespace {

// A decimal number, written in place: a million rows of 35 numbers each make a temporary
// QByteArray per number the export's main cost.
void appendNumber(std::string& line, qint64 value, int minDigits = 1)
{
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    const bool negative = value < 0;
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0 || end - p < minDigits);
    if (negative)
        *--p = '-';
    line.append(p, end - p);
}

// Seconds with six decimals, from a difference in microseconds (exact, no floating point).
void appendSeconds(std::string& line, qint64 us)
{
    if (us < 0) {
        line += '-';
        us = -us;
    }
    appendNumber(line, us / 1'000'000);
    line += '.';
    appendNumber(line, us % 1'000'000, 6);
}

} // namespace

CsvExport::CsvExport(const QList<FrameModel>& models, char cmd, QIODevice* out)
    : cmd_(cmd), out_(out)
{
    if (const FrameModel* model = FieldDecoder::findModel(models, cmd)) {
        model_ = *model;
        hasModel_ = true;
    }
    // A letter with one definition per structure revision takes its columns from the first
    // exported frame's revision.
    for (const FrameModel& model : models) {
        if (quint8(model.cmd) == quint8(cmd) && model.revision >= 0)
            revisions_ << model;
    }
}

void CsvExport::appendColumns(std::vector<Column>& columns, const FieldLayout::Field& field,
                              const QStringList& labels)
{
    // A label names a 16-bit column at an analog offset; an empty one keeps the field's name.
    const auto nameAt = [&labels](qint64 offset, const QString& fallback) {
        const int channel = MkRecords::analogChannelAt(offset);
        if (channel >= 0 && channel < labels.size() && !labels.at(channel).isEmpty())
            return labels.at(channel);
        return fallback;
    };
    using Element = FieldLayout::Element;
    if (!field.array) {
        switch (field.element) {
        case Element::U8:
        case Element::S8:
            columns.push_back({field.offset, field.element == Element::U8 ? Kind::U8 : Kind::Char,
                               1, field.name});
            break;
        case Element::U16:
        case Element::S16:
            columns.push_back({field.offset, field.isSigned() ? Kind::S16 : Kind::U16, 2,
                               nameAt(field.offset, field.name)});
            break;
        case Element::Other:
            break;
        }
        return;
    }
    if (field.element == Element::S8) {
        columns.push_back({field.offset, Kind::Text, field.count, field.name});
        return;
    }
    if (field.element == Element::Other)
        return; // passed over by its byte count, as when decoding
    const Kind kind = field.element == Element::U8    ? Kind::U8
                      : field.element == Element::U16 ? Kind::U16
                                                      : Kind::S16;
    for (qint64 i = 0; i < field.count; ++i) {
        const qint64 offset = field.offset + i * field.width();
        const QString element = QStringLiteral("%1[%2]").arg(field.name).arg(i);
        columns.push_back(
            {offset, kind, field.width(), kind == Kind::U8 ? element : nameAt(offset, element)});
    }
}

std::vector<CsvExport::Column> CsvExport::buildColumns(const FrameModel& model,
                                                       const QStringList& labels)
{
    std::vector<Column> columns;
    for (const FieldLayout::Field& field : FieldLayout::of(model))
        appendColumns(columns, field, labels);
    return columns;
}

QStringList CsvExport::columnNames(const FrameModel& model, const QStringList& labels)
{
    QStringList names;
    for (const Column& column : buildColumns(model, labels))
        names.append(column.name);
    return names;
}

bool CsvExport::labelOf(const FrameRecord& record, MkRecords::Label& label)
{
    if (record.cmd != 'A' || !record.good || record.direction != FrameRecord::Received)
        return false;
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    MkHelper::decodeFrame(record.bytes, cmd, address, payload);
    label = MkRecords::parseLabel(payload);
    return label.valid();
}

void CsvExport::setLabel(int index, const QString& text)
{
    if (headerWritten_ || index < 0 || index >= MkRecords::kAnalogCount || labels_.known[index])
        return;
    labels_.known[index] = true;
    // A label table keeps a label's padding; a column's name has none.
    labels_.texts[index] = MkRecords::labelText(text);
}

void CsvExport::learn(const FrameRecord& record)
{
    MkRecords::Label label;
    if (labelOf(record, label))
        setLabel(label.index, label.text);
}

void CsvExport::learn(const CaptureReader::Event& event)
{
    int index = 0;
    QString text;
    if (CaptureFormat::parseLabelEvent(event.text, index, text))
        setLabel(index, text);
}

void CsvExport::writeHeader_()
{
    headerWritten_ = true;
    columns_ = buildColumns(model_, cmd_ == 'D' ? labels_.texts : QStringList());
    buffer_ += "time_s,address,cmd";
    for (const Column& column : columns_) {
        buffer_ += ',';
        CsvField::append(buffer_, column.name.toUtf8());
    }
    buffer_ += "\r\n";
}

void CsvExport::add(const FrameRecord& record)
{
    if (!firstTimeSet_) {
        firstTimeSet_ = true;
        firstUs_ = record.timeUs;
    }
    if (record.direction != FrameRecord::Received)
        return;
    if (!headerWritten_)
        learn(record);
    if (quint8(record.cmd) != quint8(cmd_))
        return;
    if (!record.good) {
        ++bad_;
        return;
    }
    // Known good: the payload is all that is left to decode.
    QByteArray payload;
    MkHelper::decode64(
        QByteArray::fromRawData(record.bytes.constData() + 3, record.bytes.size() - 6), payload);
    if (!revisions_.isEmpty()) {
        if (!headerWritten_) {
            if (const FrameModel* model = FieldDecoder::findModel(revisions_, cmd_, payload))
                model_ = *model;
        }
        // Columns of one revision would misname every field of another.
        if (!model_.appliesTo(payload)) {
            ++otherRevision_;
            return;
        }
    }
    if (!headerWritten_)
        writeHeader_();

    appendSeconds(buffer_, record.timeUs - firstUs_);
    buffer_ += ',';
    std::string& address = addressNames_[record.address];
    if (address.empty()) {
        CsvField::append(address, MkHelper::parseAddress(qint8(record.address)).toUtf8());
        address += ',';
        CsvField::append(address, QString(QChar(ushort(quint8(cmd_)))).toUtf8());
    }
    buffer_ += address;
    const qint64 size = payload.size();
    for (const Column& column : columns_) {
        buffer_ += ',';
        if (column.kind == Kind::Text) {
            if (column.offset >= size)
                continue;
            QByteArray text = payload.mid(column.offset, qMin(column.length, size - column.offset));
            const qsizetype zero = text.indexOf('\0');
            if (zero >= 0)
                text.truncate(zero);
            CsvField::append(buffer_, QString::fromLatin1(text).toUtf8());
            continue;
        }
        if (column.offset + column.length > size)
            continue;
        const int pos = int(column.offset);
        switch (column.kind) {
        case Kind::U8:
            appendNumber(buffer_, quint8(payload.at(pos)));
            break;
        case Kind::Char:
            if (payload.at(pos) != '\0')
                CsvField::append(buffer_, QString(QChar(ushort(quint8(payload.at(pos))))).toUtf8());
            break;
        case Kind::U16:
        case Kind::S16:
            appendNumber(buffer_, MkHelper::toInt(payload, pos, column.kind == Kind::S16));
            break;
        case Kind::Text:
            break;
        }
    }
    buffer_ += "\r\n";
    ++rows_;
    if (qsizetype(buffer_.size()) >= kWriteChunk)
        write_();
}

bool CsvExport::write_()
{
    if (!buffer_.empty() && !writeFailed_)
        writeFailed_ = !FileSafety::writeAll(*out_, buffer_.data(), qint64(buffer_.size()));
    buffer_.clear();
    return !writeFailed_;
}

bool CsvExport::finish()
{
    if (!headerWritten_)
        writeHeader_();
    return write_();
}

bool CsvExport::exportCapture(CaptureReader& reader)
{
    QList<FrameRecord> batch;
    QList<CaptureReader::Event> events;
    for (bool more = true; more;) {
        batch.clear();
        events.clear();
        more = reader.read(batch, kReadBatch, &events, 'A');
        // Label events stand for answers that came before the recording started.
        for (const CaptureReader::Event& event : std::as_const(events))
            learn(event);
        for (const FrameRecord& record : std::as_const(batch))
            learn(record);
    }
    if (!reader.errorString().isEmpty() || !reader.open(reader.fileName()))
        return false;
    for (bool more = true; more;) {
        batch.clear();
        more = reader.read(batch, kReadBatch);
        for (const FrameRecord& record : std::as_const(batch))
            add(record);
    }
    // Rows written before a read error stay out of the target with the rest.
    return reader.errorString().isEmpty() && finish();
}
