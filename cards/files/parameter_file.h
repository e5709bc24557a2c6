#pragma once

#include "slot_table.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace vrn {

// Parameter files are a few dozen characters; anything far larger is not one.
constexpr qint64 kMaxParameterFileBytes = 4096;
// The longest text a field of a parameter file may hold: what a value box takes.
constexpr int kMaxFileText = 100;

// One value of a parameter file as read: an empty field, a bare number or a text.
struct FileField
{
    enum class Kind { Empty, Number, Text };

    Kind kind = Kind::Empty;
    QString text;        // the field's characters (without quotes)
    double number = 0.0; // for a number

    // The numeric value: the number as read, the leading number of a text, 0 when empty.
    double numericValue() const;
    // The value when the whole field is a number (bare, or a quoted number); else nothing.
    std::optional<double> wholeNumber() const;
};

// Splits a file's characters into fields: a field ends at a comma or at a line end (CR LF,
// LF or CR); leading blanks are skipped; a field starting with a double quote runs to the
// closing quote and commas inside it belong to it; an empty line gives an empty field.
// Stops after `wanted` fields.
std::vector<FileField> splitParameterFields(const QByteArray& content, int wanted);

// Reads the first `count` fields of a parameter file. On failure the sentence for the user
// names the file and the reason; fields are only given when all `count` are there.
struct FileFields
{
    std::vector<FileField> fields;
    QString error;
    QByteArray content; // the file's bytes, once it could be read
    bool ok() const { return error.isEmpty(); }
};
FileFields readParameterFields(const QString& path, int count);

// Builds a parameter file of a given number of lines, each ended by CR LF; every line is
// given its value by its number (1-based), in any order.
class ParameterFileWriter
{
public:
    explicit ParameterFileWriter(int lines) : m_lines(static_cast<std::size_t>(lines)) {}

    void integer(int line, int value);           // bare
    void text(int line, const QString& value);   // between double quotes (quotes inside dropped)
    void slot(int line, const SlotValue& value); // quoted code, bare number, or an empty line
    QByteArray bytes() const;

private:
    QByteArray& at(int line);

    std::vector<QByteArray> m_lines; // without their line ends
};

// Writes the whole file at once through a temporary file, so a failure leaves any earlier
// file of that name untouched. Returns the sentence for the user on failure, else nothing.
std::optional<QString> writeParameterFile(const QString& path, const QByteArray& bytes);

// Checks of loaded values, each giving the sentence for the user on failure. `what` names the
// value for the user ("ramp-up slider position").
struct LoadCheck
{
    QString error;

    // A slider position: a number, brought to the nearest whole number, within 0..maximum.
    int position(const std::vector<FileField>& fields, int line, const QString& what, int maximum);
    // A number in a text (a box's text): any value, as long as it is a number and the text
    // fits in a value box.
    double boxNumber(const std::vector<FileField>& fields, int line, const QString& what);
    // A slot's value (an option's number): empty counts as 0, otherwise a number.
    double slotNumber(const std::vector<FileField>& fields, int line, const QString& what);
    // A slot's value that goes out as a five-digit code: as slotNumber, and a whole number
    // from 0 to 99999, so that its frame keeps the shape of a command frame.
    double slotCode(const std::vector<FileField>& fields, int line, const QString& what);

    bool ok() const { return error.isEmpty(); }
};

// "The file "name" was not loaded: <reason>. Nothing was changed."
QString fileRefusal(const QString& path, const QString& reason);

} // namespace vrn
