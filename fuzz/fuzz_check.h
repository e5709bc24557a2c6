#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vrn::fuzz {

// A property every input must keep. A broken one ends the run the way a sanitizer does, so
// libFuzzer keeps the input as a crash.
inline void require(bool holds, const char* property, const QString& detail = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "broken property: %s\n", property);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    std::abort();
}

// Takes the input apart front to back; reads past its end give zeros or nothing.
class InputReader
{
public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    // Eight bytes as the bits of a double: every value, NaNs and infinities included.
    double bitsAsDouble()
    {
        std::uint8_t bits[sizeof(double)] = {};
        for (auto& b : bits)
            b = byte();
        double value = 0.0;
        std::memcpy(&value, bits, sizeof value);
        return value;
    }

    // Up to `length` bytes.
    QByteArray bytes(std::size_t length)
    {
        const std::size_t n = length < m_size - m_pos ? length : m_size - m_pos;
        const QByteArray out(reinterpret_cast<const char*>(m_data + m_pos),
                             static_cast<qsizetype>(n));
        m_pos += n;
        return out;
    }

    QByteArray rest() { return bytes(m_size - m_pos); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace vrn::fuzz
