#include "parameter_file.h"

#include "audience.h"
#include "protocol.h"

#include "number_rules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cmath>
#include <cstring>

namespace vrn {
namespace {

// The longest file a window saves: ten lines, each at most a box's text between quotes and CR LF.
static_assert(10 * (kMaxFileText + 4) <= kMaxParameterFileBytes);

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Moves past one line end (CR LF counts once).
qsizetype skipLineEnd(const QByteArray& content, qsizetype i)
{
    if (content.at(i) == '\r' && i + 1 < content.size() && content.at(i + 1) == '\n')
        return i + 2;
    return i + 1;
}

QString shown(const FileField& field)
{
    if (field.kind == FileField::Kind::Empty)
        return QCoreApplication::translate("ParameterFile", "nothing");
    QString text = field.text.left(20);
    for (QChar& c : text) {
        if (!c.isPrint())
            c = QChar(0xFFFD);
    }
    return QStringLiteral("\"%1\"").arg(text);
}

// A notice about a file: the path as the system writes it ("C:\Users\..." on Windows) and the
// reason as part of the notice's sentence (Windows' own texts end with a full stop).
QString fileNotice(const QString& pattern, const QString& path, QString reason)
{
    while (reason.endsWith(QLatin1Char('.')) || reason.endsWith(QLatin1Char(' ')))
        reason.chop(1);
    return pattern.arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

double FileField::numericValue() const
{
    switch (kind) {
    case Kind::Empty:
        return 0.0;
    case Kind::Number:
        return number;
    case Kind::Text:
        return leadingNumber(text);
    }
    return 0.0;
}

std::optional<double> FileField::wholeNumber() const
{
    if (kind == Kind::Number)
        return number;
    if (kind == Kind::Text)
        return fileNumber(text.trimmed());
    return std::nullopt;
}

std::vector<FileField> splitParameterFields(const QByteArray& content, int wanted)
{
    std::vector<FileField> fields;
    qsizetype i = 0;
    const qsizetype n = content.size();
    while (i < n && static_cast<int>(fields.size()) < wanted) {
        while (i < n && (content.at(i) == ' ' || content.at(i) == '\t'))
            ++i;
        FileField field;
        if (i < n && content.at(i) == '"') {
            const qsizetype close = content.indexOf('"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            field.kind = FileField::Kind::Text;
            field.text = QString::fromLatin1(content.mid(i + 1, end - i - 1));
            i = close < 0 ? n : close + 1;
            while (i < n && content.at(i) != ',' && !isLineEnd(content.at(i)))
                ++i; // characters between the closing quote and the delimiter are dropped
        } else {
            const qsizetype start = i;
            while (i < n && content.at(i) != ',' && !isLineEnd(content.at(i)))
                ++i;
            const QString raw = QString::fromLatin1(content.mid(start, i - start)).trimmed();
            if (!raw.isEmpty()) {
                field.text = raw;
                if (const auto number = fileNumber(raw)) {
                    field.kind = FileField::Kind::Number;
                    field.number = *number;
                } else {
                    field.kind = FileField::Kind::Text;
                }
            }
        }
        fields.push_back(field);
        if (i < n)
            i = content.at(i) == ',' ? i + 1 : skipLineEnd(content, i);
    }
    return fields;
}

FileFields readParameterFields(const QString& path, int count)
{
    FileFields result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error =
            fileRefusal(path, QCoreApplication::translate("ParameterFile", "it does not exist"));
        return result;
    }
    if (info.isDir()) {
        result.error = fileRefusal(
            path, QCoreApplication::translate("ParameterFile", "it is a folder, not a file"));
        return result;
    }
    // Opening a pipe waits for a writer and a device may never end: only plain files are read.
    if (!info.isFile()) {
        result.error = fileRefusal(
            path, QCoreApplication::translate("ParameterFile",
                                              "it is a device, a pipe or a socket, not a file"));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = fileRefusal(path, file.errorString());
        return result;
    }
    // Read one byte more than a parameter file can hold, so a huge file is never read whole.
    const QByteArray content = file.read(kMaxParameterFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = fileRefusal(path, file.errorString());
        return result;
    }
    if (content.size() > kMaxParameterFileBytes) {
        result.error = fileRefusal(
            path, QCoreApplication::translate(
                      "ParameterFile", "it is larger than %1 bytes, far more than a parameter file")
                      .arg(kMaxParameterFileBytes));
        return result;
    }
    result.content = content;
    std::vector<FileField> fields = splitParameterFields(content, count);
    if (static_cast<int>(fields.size()) < count) {
        result.error =
            fileRefusal(path, QCoreApplication::translate("ParameterFile",
                                                          "it holds %1 of the %2 values of this "
                                                          "window's parameter file")
                                  .arg(fields.size())
                                  .arg(count));
        return result;
    }
    result.fields = std::move(fields);
    return result;
}

QByteArray& ParameterFileWriter::at(int line)
{
    Q_ASSERT_X(line >= 1 && line <= static_cast<int>(m_lines.size()), "ParameterFileWriter",
               "a line of the file");
    return m_lines[static_cast<std::size_t>(line - 1)];
}

void ParameterFileWriter::integer(int line, int value)
{
    at(line) = QByteArray::number(value);
}

void ParameterFileWriter::text(int line, const QString& value)
{
    QString clean = value;
    clean.remove(QLatin1Char('"')); // a quote inside would end the field early when read
    at(line) = '"' + clean.toLatin1() + '"';
}

void ParameterFileWriter::slot(int line, const SlotValue& value)
{
    if (const auto* code = std::get_if<QString>(&value))
        text(line, *code);
    else
        at(line) = slotText(value).toLatin1();
}

QByteArray ParameterFileWriter::bytes() const
{
    QByteArray bytes;
    for (const QByteArray& line : m_lines)
        bytes += line + "\r\n";
    return bytes;
}

std::optional<QString> writeParameterFile(const QString& path, const QByteArray& bytes)
{
    const auto failed = [&path](const QString& reason) {
        return fileNotice(QCoreApplication::translate(
                              "ParameterFile",
                              "The file \"%1\" could not be saved: %2. Any earlier file of "
                              "that name is unchanged."),
                          path, reason);
    };
    const QFileInfo target(path);
    if (target.isDir())
        return failed(QCoreApplication::translate("ParameterFile", "it is a folder"));
    // The new file replaces the old one by renaming: that would put a plain file in place of a
    // device or a pipe.
    if (target.exists() && !target.isFile())
        return failed(QCoreApplication::translate(
            "ParameterFile", "it is a device, a pipe or a socket, not a file"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    // Flushed here, because commit() does not notice a write that fails while it flushes (a
    // full disk) and would put the cut-short file in place of the earlier one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // The system's own words ("No space left on device"); the file's error text can be a
        // bare "Unknown error" here.
        const int systemError = errno;
        const QString reason = systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError))
                                                : file.errorString();
        file.cancelWriting();
        return failed(reason);
    }
    if (!file.commit())
        return failed(file.errorString());
    return std::nullopt;
}

int LoadCheck::position(const std::vector<FileField>& fields, int line, const QString& what,
                        int maximum)
{
    if (!ok())
        return 0;
    const FileField& field = fields.at(line - 1);
    const std::optional<double> value = field.wholeNumber();
    if (!value) {
        error = QCoreApplication::translate("ParameterFile",
                                            "line %1 (%2) holds %3, which is not a number")
                    .arg(line)
                    .arg(what, shown(field));
        return 0;
    }
    const double position = roundHalfEven(*value);
    if (position < 0 || position > maximum) {
        error = QCoreApplication::translate("ParameterFile", "line %1 (%2) is %3, outside 0 to %4")
                    .arg(line)
                    .arg(what, classicNumberText(*value))
                    .arg(maximum);
        return 0;
    }
    return static_cast<int>(position);
}

double LoadCheck::boxNumber(const std::vector<FileField>& fields, int line, const QString& what)
{
    if (!ok())
        return 0;
    const FileField& field = fields.at(line - 1);
    // Bare or quoted, the value must be a number a box takes as typed (no exponent form).
    const std::optional<double> value = fileBoxNumber(field.text);
    if (!value) {
        error = QCoreApplication::translate("ParameterFile",
                                            "line %1 (%2) holds %3, which is not a number")
                    .arg(line)
                    .arg(what, shown(field));
        return 0;
    }
    // A box would cut a longer text short and show another number.
    if (field.kind == FileField::Kind::Text && field.text.size() > kMaxFileText) {
        error = QCoreApplication::translate(
                    "ParameterFile",
                    "line %1 (%2) holds %3 characters, more than the %4 of a value box")
                    .arg(line)
                    .arg(what)
                    .arg(field.text.size())
                    .arg(kMaxFileText);
        return 0;
    }
    return *value;
}

double LoadCheck::slotNumber(const std::vector<FileField>& fields, int line, const QString& what)
{
    if (!ok())
        return 0;
    const FileField& field = fields.at(line - 1);
    if (field.kind == FileField::Kind::Empty)
        return 0;
    const std::optional<double> value = field.wholeNumber();
    if (!value) {
        error = QCoreApplication::translate("ParameterFile",
                                            "line %1 (%2) holds %3, which is not a number")
                    .arg(line)
                    .arg(what, shown(field));
        return 0;
    }
    return *value;
}

double LoadCheck::slotCode(const std::vector<FileField>& fields, int line, const QString& what)
{
    const double value = slotNumber(fields, line, what);
    if (ok() && (value != std::floor(value) || value < 0 || value > protocol::kLargestCode)) {
        error = QCoreApplication::translate("ParameterFile",
                                            "line %1 (%2) is %3, not a whole number from 0 to %4")
                    .arg(line)
                    .arg(what, classicNumberText(value))
                    .arg(protocol::kLargestCode);
        return 0;
    }
    return value;
}

QString fileRefusal(const QString& path, const QString& reason)
{
    if (speaksToShell())
        return fileNotice(QCoreApplication::translate(
                              "ParameterFile", "The file \"%1\" was not loaded: %2. Nothing was "
                                               "sent to any card."),
                          path, reason);
    return fileNotice(
        QCoreApplication::translate("ParameterFile",
                                    "The file \"%1\" was not loaded: %2. Nothing was changed."),
        path, reason);
}

} // namespace vrn
