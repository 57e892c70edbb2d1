#include "csvexport.h"

#include "fielddecoder.h"
#include "mkhelper.h"
#include "scriptloader.h"
#include "scriptwatchdog.h"

#include <QCoreApplication>
#include <QFile>
#include <QIODevice>
#include <QJSEngine>

namespace {

// Where the 'D' frame's analog values start: two status bytes, then one 16-bit value per channel.
constexpr qint64 kAnalogOffset = 2;
constexpr std::chrono::seconds kScriptTimeLimit{5};

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
    for (int i = 0; i < kLabelCount; ++i)
        labels_.append(QString());
}

std::vector<CsvExport::Column> CsvExport::buildColumns(const FrameModel& model,
                                                      const QStringList& labels)
{
    std::vector<Column> columns;
    const auto labelAt = [&labels](qint64 offset, const QString& fallback) {
        const qint64 channel = (offset - kAnalogOffset) / 2;
        if (labels.size() == kLabelCount && offset >= kAnalogOffset &&
            (offset - kAnalogOffset) % 2 == 0 && channel < kLabelCount &&
            !labels.at(channel).isEmpty())
            return labels.at(channel);
        return fallback;
    };
    qint64 offset = 0;
    const qsizetype fields = qMin(model.fieldNames.size(), model.fieldTypes.size());
    for (qsizetype k = 0; k < fields; ++k) {
        const QString& name = model.fieldNames.at(k);
        const QString& type = model.fieldTypes.at(k);
        if (const int width = FieldDecoder::scalarWidth(type)) {
            if (width == 1)
                columns.push_back({offset, type == QLatin1String("u8") ? Kind::U8 : Kind::Char, 1,
                                   name});
            else
                columns.push_back({offset, type == QLatin1String("u16") ? Kind::U16 : Kind::S16, 2,
                                   labelAt(offset, name)});
            offset += width;
            continue;
        }
        // The decoding tree stops at a type it does not know; so do the columns.
        if (!type.contains(QLatin1Char('[')))
            break;
        const qint64 count = FieldDecoder::arrayCount(type);
        const qint64 bytes = FieldDecoder::arrayBytes(type);
        if (type.contains(QLatin1String("s8["))) {
            columns.push_back({offset, Kind::Text, count, name});
        } else if (type.contains(QLatin1String("u8["))) {
            for (qint64 i = 0; i < count; ++i)
                columns.push_back(
                    {offset + i, Kind::U8, 1, QStringLiteral("%1[%2]").arg(name).arg(i)});
        } else if (type.contains(QLatin1String("16["))) {
            const Kind kind = type.contains(QLatin1String("u16[")) ? Kind::U16 : Kind::S16;
            for (qint64 i = 0; i < count; ++i) {
                const QString element = QStringLiteral("%1[%2]").arg(name).arg(i);
                columns.push_back({offset + 2 * i, kind, 2, labelAt(offset + 2 * i, element)});
            }
        }
        // Arrays of any other element type are passed over by their byte count, as when decoding.
        offset += bytes;
    }
    return columns;
}

QStringList CsvExport::columnNames(const FrameModel& model, const QStringList& labels)
{
    QStringList names;
    for (const Column& column : buildColumns(model, labels))
        names.append(column.name);
    return names;
}

bool CsvExport::parseLabel(const QByteArray& payload, int& index, QString& label)
{
    if (payload.isEmpty())
        return false;
    index = quint8(payload.at(0));
    QByteArray text = payload.mid(1);
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    label = QString::fromLatin1(text);
    return true;
}

void CsvExport::appendField(std::string& line, QByteArrayView utf8)
{
    const bool quote = utf8.contains(',') || utf8.contains('"') || utf8.contains('\n') ||
                       utf8.contains('\r');
    if (!quote) {
        line.append(utf8.data(), size_t(utf8.size()));
        return;
    }
    line += '"';
    for (const char c : utf8) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

void CsvExport::writeHeader_()
{
    headerWritten_ = true;
    const bool complete = labelsSeen_ == kLabelCount && cmd_ == 'D';
    columns_ = buildColumns(model_, complete ? labels_ : QStringList());
    buffer_ += "time_s,address,cmd";
    for (const Column& column : columns_) {
        buffer_ += ',';
        appendField(buffer_, column.name.toUtf8());
    }
    buffer_ += "\r\n";
}

bool CsvExport::labelOf(const FrameRecord& record, int& index, QString& label)
{
    if (record.cmd != 'A' || !record.good || record.direction != FrameRecord::Received)
        return false;
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    MkHelper::decodeFrame(record.bytes, cmd, address, payload);
    if (!parseLabel(payload, index, label) || index >= kLabelCount)
        return false;
    if (label.isNull())
        label = QStringLiteral("");
    return true;
}

void CsvExport::add(const FrameRecord& record)
{
    if (!firstTimeSet_) {
        firstTimeSet_ = true;
        firstUs_ = record.timeUs;
    }
    if (record.direction != FrameRecord::Received)
        return;
    int index = 0;
    QString label;
    if (!headerWritten_ && labelOf(record, index, label)) {
        if (labels_.at(index).isNull())
            ++labelsSeen_;
        labels_[index] = label;
    }
    if (quint8(record.cmd) != quint8(cmd_))
        return;
    if (!record.good) {
        ++bad_;
        return;
    }
    // Known good: the payload is all that is left to decode.
    QByteArray payload;
    MkHelper::decode64(QByteArray::fromRawData(record.bytes.constData() + 3,
                                               record.bytes.size() - 6),
                       payload);
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
        appendField(address, MkHelper::parseAddress(qint8(record.address)).toUtf8());
        address += ',';
        appendField(address, QString(QChar(ushort(quint8(cmd_)))).toUtf8());
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
            appendField(buffer_, QString::fromLatin1(text).toUtf8());
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
                appendField(buffer_, QString(QChar(ushort(quint8(payload.at(pos))))).toUtf8());
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
        writeFailed_ = out_->write(buffer_.data(), qint64(buffer_.size())) != qint64(buffer_.size());
    buffer_.clear();
    return !writeFailed_;
}

bool CsvExport::finish()
{
    if (!headerWritten_)
        writeHeader_();
    return write_();
}

bool CsvExport::loadDefinitions(QList<FrameModel>& models, QString& error)
{
    const QString fileName = QStringLiteral("mk.js");
    QFile file;
    for (const QString& path : ScriptLoader::candidatePaths(fileName)) {
        file.setFileName(path);
        if (file.open(QIODevice::ReadOnly))
            break;
    }
    if (!file.isOpen()) {
        error = QCoreApplication::translate("CsvExport", "file 'mk.js' not found");
        return false;
    }
    const QString text = ScriptLoader::readScriptText(file);
    QJSEngine engine;
    ScriptWatchdog watchdog(&engine, kScriptTimeLimit);
    const ScriptLoader::Evaluation result = ScriptLoader::evaluate(engine, text, fileName);
    const QJSValue global = engine.globalObject();
    for (const QString& name : ScriptLoader::indexNames(result.value)) {
        FrameModel model;
        if (ScriptLoader::definition(global, name, model))
            models.append(model);
    }
    if (watchdog.fired() || (result.threw && models.isEmpty())) {
        error = QCoreApplication::translate("CsvExport", "script error in '%1': %2")
                    .arg(file.fileName(), watchdog.fired() ? QStringLiteral("time limit")
                                                           : result.message);
        return false;
    }
    return true;
}
