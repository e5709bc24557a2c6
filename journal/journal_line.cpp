#include "journal_line.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cctype>

namespace vrn {
namespace {

constexpr QByteArrayView kHead = "{\"seq\":";
constexpr QByteArrayView kPrev = ",\"prev\":\"";
constexpr QByteArrayView kAfterTorn = ",\"after_torn\":\"";
constexpr QByteArrayView kOwnHash = ",\"sha256\":\"";
constexpr QByteArrayView kEnd = "\"}";
constexpr int kMaxSeqDigits = 18; // below 2^63
constexpr int kMaxJsonDepth = 16; // an entry nests two deep; more is no entry

// The names of the entry's fields in the line, in the order they are written.
namespace key {
constexpr char at[] = "at";
constexpr char action[] = "action";
constexpr char source[] = "source";
constexpr char osUser[] = "os_user";
constexpr char operatorName[] = "operator";
constexpr char programVersion[] = "program_version";
constexpr char port[] = "port";
constexpr char adapter[] = "adapter";
constexpr char adapterDetails[] = "adapter_details";
constexpr char model[] = "model";
constexpr char cardSerial[] = "card_serial";
constexpr char file[] = "file";
constexpr char fileSha256[] = "file_sha256";
constexpr char before[] = "before";
constexpr char after[] = "after";
constexpr char outcome[] = "outcome";
constexpr char reason[] = "reason";
constexpr char name[] = "name";
constexpr char unit[] = "unit";
constexpr char code[] = "code";
} // namespace key

bool isLowerHex(QByteArrayView text)
{
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// The 64 hex digits at `at`, followed by a quote; empty when they are not there.
QByteArrayView hashAt(QByteArrayView line, qsizetype at)
{
    if (line.size() < at + kHashHexLength + 1 || line[at + kHashHexLength] != '"')
        return {};
    const QByteArrayView hex = line.sliced(at, kHashHexLength);
    return isLowerHex(hex) ? hex : QByteArrayView();
}

int hexDigit(char c)
{
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

// A JSON string, UTF-8, with the characters JSON does not take as they are escaped.
void appendString(QByteArray& out, const QString& text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20) {
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        }
    }
    out += '"';
}

void appendField(QByteArray& out, const char* name, const QString& text)
{
    out += ",\"";
    out += name;
    out += "\":";
    appendString(out, text);
}

void appendValues(QByteArray& out, const char* name, const std::vector<JournalValue>& values)
{
    out += ",\"";
    out += name;
    out += "\":[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        const JournalValue& value = values[i];
        if (i > 0)
            out += ',';
        out += "{\"name\":";
        appendString(out, value.name);
        out += ",\"unit\":";
        appendString(out, value.unit);
        out += ",\"code\":";
        out += value.code ? QByteArray::number(*value.code) : QByteArray("null");
        out += '}';
    }
    out += ']';
}

std::vector<JournalValue> valuesFrom(const QJsonValue& json)
{
    std::vector<JournalValue> values;
    for (const QJsonValue& item : json.toArray()) {
        const QJsonObject object = item.toObject();
        const QJsonValue code = object.value(QLatin1String(key::code));
        values.push_back({object.value(QLatin1String(key::name)).toString(),
                          object.value(QLatin1String(key::unit)).toString(),
                          code.isDouble() ? std::optional<int>(code.toInt()) : std::nullopt});
    }
    return values;
}

// A syntax check of JSON text, by recursive descent over the bytes: no value is built.
class JsonScan
{
public:
    explicit JsonScan(QByteArrayView text) : m_at(text.begin()), m_end(text.end()) {}

    bool wholeObject()
    {
        skipBlanks();
        if (m_at == m_end || *m_at != '{' || !value(0))
            return false;
        skipBlanks();
        return m_at == m_end;
    }

private:
    void skipBlanks()
    {
        while (m_at != m_end && (*m_at == ' ' || *m_at == '\t' || *m_at == '\n' || *m_at == '\r'))
            ++m_at;
    }

    bool take(char c)
    {
        skipBlanks();
        if (m_at == m_end || *m_at != c)
            return false;
        ++m_at;
        return true;
    }

    bool value(int depth)
    {
        skipBlanks();
        if (m_at == m_end || depth > kMaxJsonDepth)
            return false;
        switch (*m_at) {
        case '{':
            return members(depth + 1, '}', true);
        case '[':
            return members(depth + 1, ']', false);
        case '"':
            return string();
        case 't':
            return word("true");
        case 'f':
            return word("false");
        case 'n':
            return word("null");
        default:
            return number();
        }
    }

    // An object's members or an array's items, the opening bracket at m_at.
    bool members(int depth, char close, bool named)
    {
        ++m_at;
        if (take(close))
            return true;
        do {
            if (named) {
                skipBlanks();
                if (m_at == m_end || *m_at != '"' || !string() || !take(':'))
                    return false;
            }
            if (!value(depth))
                return false;
        } while (take(','));
        return take(close);
    }

    bool string()
    {
        ++m_at; // the opening quote
        while (m_at != m_end) {
            const auto c = static_cast<unsigned char>(*m_at++);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c != '\\')
                continue;
            if (m_at == m_end)
                return false;
            const char escaped = *m_at++;
            if (escaped == 'u') {
                for (int i = 0; i < 4; ++i, ++m_at) {
                    if (m_at == m_end || !std::isxdigit(static_cast<unsigned char>(*m_at)))
                        return false;
                }
            } else if (!QByteArrayView("\"\\/bfnrt").contains(escaped)) {
                return false;
            }
        }
        return false;
    }

    bool word(QByteArrayView expected)
    {
        if (QByteArrayView(m_at, m_end).startsWith(expected)) {
            m_at += expected.size();
            return true;
        }
        return false;
    }

    bool digits()
    {
        const char* start = m_at;
        while (m_at != m_end && *m_at >= '0' && *m_at <= '9')
            ++m_at;
        return m_at != start;
    }

    bool number()
    {
        if (m_at != m_end && *m_at == '-')
            ++m_at;
        if (m_at != m_end && *m_at == '0')
            ++m_at;
        else if (!digits())
            return false;
        if (m_at != m_end && *m_at == '.') {
            ++m_at;
            if (!digits())
                return false;
        }
        if (m_at != m_end && (*m_at == 'e' || *m_at == 'E')) {
            ++m_at;
            if (m_at != m_end && (*m_at == '+' || *m_at == '-'))
                ++m_at;
            if (!digits())
                return false;
        }
        return true;
    }

    const char* m_at;
    const char* m_end;
};

} // namespace

LineFrame lineFrame(QByteArrayView line)
{
    LineFrame frame;
    if (!line.startsWith(kHead))
        return frame;
    qsizetype at = kHead.size();
    const qsizetype digitsStart = at;
    while (at < line.size() && line[at] >= '0' && line[at] <= '9')
        ++at;
    const qsizetype digits = at - digitsStart;
    if (digits == 0 || digits > kMaxSeqDigits || line[digitsStart] == '0')
        return frame;
    for (qsizetype i = digitsStart; i < at; ++i)
        frame.seq = frame.seq * 10 + (line[i] - '0');

    if (!line.sliced(at).startsWith(kPrev))
        return frame;
    at += kPrev.size();
    frame.prev = hashAt(line, at);
    if (frame.prev.isEmpty())
        return frame;
    at += kHashHexLength + 1;
    if (line.sliced(at).startsWith(kAfterTorn)) {
        at += kAfterTorn.size();
        frame.afterTorn = hashAt(line, at);
        if (frame.afterTorn.isEmpty())
            return frame;
        at += kHashHexLength + 1;
    }

    const qsizetype ownHash = line.size() - kEnd.size() - kHashHexLength - kOwnHash.size();
    if (ownHash < at || !line.endsWith(kEnd) || line.sliced(ownHash, kOwnHash.size()) != kOwnHash)
        return frame;
    frame.sha256 = hashAt(line, ownHash + kOwnHash.size());
    if (frame.sha256.isEmpty())
        return frame;
    frame.hashed = line.first(ownHash);
    frame.framed = true;
    return frame;
}

bool hashHolds(const LineFrame& frame, QCryptographicHash& hasher)
{
    if (!frame.framed)
        return false;
    hasher.reset();
    hasher.addData(frame.hashed);
    const QByteArrayView digest = hasher.resultView();
    for (qsizetype i = 0; i < digest.size(); ++i) {
        const int byte = hexDigit(frame.sha256[2 * i]) << 4 | hexDigit(frame.sha256[2 * i + 1]);
        if (static_cast<unsigned char>(digest[i]) != byte)
            return false;
    }
    return true;
}

bool isJsonObject(QByteArrayView line)
{
    return JsonScan(line).wholeObject();
}

QByteArray sha256Hex(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray entryLine(const JournalEntry& entry, qint64 seq, QByteArrayView prev,
                     QByteArrayView afterTorn)
{
    QByteArray line;
    line.reserve(1024);
    line += kHead;
    line += QByteArray::number(seq);
    line += kPrev;
    line += prev;
    line += '"';
    if (!afterTorn.isEmpty()) {
        line += kAfterTorn;
        line += afterTorn;
        line += '"';
    }
    appendField(line, key::at, entry.at.toUTC().toString(Qt::ISODateWithMs));
    appendField(line, key::action, entry.action);
    appendField(line, key::source, entry.source);
    appendField(line, key::osUser, entry.osUser);
    appendField(line, key::operatorName, entry.operatorName);
    appendField(line, key::programVersion, entry.programVersion);
    appendField(line, key::port, entry.port);
    appendField(line, key::adapter, entry.adapter);
    appendField(line, key::adapterDetails, entry.adapterDetails);
    appendField(line, key::model, entry.model);
    appendField(line, key::cardSerial, entry.cardSerial);
    appendField(line, key::file, entry.file);
    appendField(line, key::fileSha256, entry.fileSha256);
    appendValues(line, key::before, entry.before);
    appendValues(line, key::after, entry.after);
    appendField(line, key::outcome, entry.outcome);
    appendField(line, key::reason, entry.reason);
    const QByteArray hash = sha256Hex(line);
    line += kOwnHash;
    line += hash;
    line += kEnd;
    line += '\n';
    return line;
}

std::optional<JournalEntry> entryFromLine(QByteArrayView line)
{
    const QJsonDocument document = QJsonDocument::fromJson(line.toByteArray());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject o = document.object();
    const auto text = [&o](const char* name) { return o.value(QLatin1String(name)).toString(); };
    JournalEntry entry;
    entry.at = QDateTime::fromString(text(key::at), Qt::ISODateWithMs).toUTC();
    entry.action = text(key::action);
    entry.source = text(key::source);
    entry.osUser = text(key::osUser);
    entry.operatorName = text(key::operatorName);
    entry.programVersion = text(key::programVersion);
    entry.port = text(key::port);
    entry.adapter = text(key::adapter);
    entry.adapterDetails = text(key::adapterDetails);
    entry.model = text(key::model);
    entry.cardSerial = text(key::cardSerial);
    entry.file = text(key::file);
    entry.fileSha256 = text(key::fileSha256);
    entry.before = valuesFrom(o.value(QLatin1String(key::before)));
    entry.after = valuesFrom(o.value(QLatin1String(key::after)));
    entry.outcome = text(key::outcome);
    entry.reason = text(key::reason);
    return entry;
}

QByteArray cardSerialField(const QString& cardSerial)
{
    QByteArray field;
    appendField(field, key::cardSerial, cardSerial);
    return field;
}

} // namespace vrn
