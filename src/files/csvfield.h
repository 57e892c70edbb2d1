#pragma once

#include <QByteArrayView>
#include <QString>

#include <string>

// One field of every CSV the program writes (RFC 4180): a field holding a comma, quote or line
// break is quoted, quotes doubled. A text that begins with "=", "+", "-", "@", a tab or a
// carriage return and is not a number gets a leading apostrophe, so that a spreadsheet shows
// it as text instead of running it as a formula (device labels and text fields come from the
// device and from capture files anyone may hand over). Numbers, negative ones included, stay
// numbers.
namespace CsvField {

// Appends the field for the UTF-8 text to line.
void append(std::string& line, QByteArrayView utf8);
// The field for the text.
QString field(const QString& text);

// Whether a spreadsheet would read the text as a formula: it begins with one of the characters
// above and is not a decimal number ("-12", "+3.5", "-1e3").
bool looksLikeFormula(QByteArrayView utf8);

} // namespace CsvField
