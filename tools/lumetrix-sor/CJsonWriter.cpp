#include "CJsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// Shortest text that reads back as the same number; JSON has no form for
// infinities and NaN, so they become null.
template<typename T> void AppendNumber(QByteArray& text, T number)
{
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(number)) {
            text += "null";
            return;
        }
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    text.append(buffer, result.ptr - buffer);
}

} // namespace

void CJsonWriter::BeforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_hasMembers.empty())
        return;
    if (m_hasMembers.back())
        m_text += m_bSpaced ? ", " : ",";
    m_hasMembers.back() = true;
    NewLine();
}

void CJsonWriter::NewLine()
{
    if (m_bCompact)
        return;
    m_text += '\n';
    m_text.append(qsizetype(m_hasMembers.size() * 2), ' ');
}

void CJsonWriter::Open(char bracket)
{
    BeforeValue();
    m_text += bracket;
    m_hasMembers.push_back(false);
}

void CJsonWriter::Close(char bracket)
{
    const bool hadMembers = m_hasMembers.back();
    m_hasMembers.pop_back();
    if (hadMembers)
        NewLine();
    m_text += bracket;
    if (m_hasMembers.empty())
        m_text += '\n';
}

void CJsonWriter::BeginObject()
{
    Open('{');
}

void CJsonWriter::EndObject()
{
    Close('}');
}

void CJsonWriter::BeginArray()
{
    Open('[');
}

void CJsonWriter::EndArray()
{
    Close(']');
}

void CJsonWriter::Key(const char* key)
{
    Value(key);
    m_text += m_bCompact && !m_bSpaced ? ":" : ": ";
    m_afterKey = true;
}

void CJsonWriter::Value(const QString& text)
{
    BeforeValue();
    m_text += '"';
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            m_text += "\\\"";
            break;
        case '\\':
            m_text += "\\\\";
            break;
        case '\n':
            m_text += "\\n";
            break;
        case '\r':
            m_text += "\\r";
            break;
        case '\t':
            m_text += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(static_cast<unsigned char>(c)));
                m_text += escaped;
            } else {
                m_text += c;
            }
        }
    }
    m_text += '"';
}

void CJsonWriter::Value(const char* text)
{
    Value(QString::fromUtf8(text));
}

void CJsonWriter::Value(float number)
{
    BeforeValue();
    AppendNumber(m_text, number);
}

void CJsonWriter::Value(double number)
{
    BeforeValue();
    AppendNumber(m_text, number);
}

void CJsonWriter::Fixed(double number, int decimals)
{
    BeforeValue();
    if (!std::isfinite(number)) {
        m_text += "null";
        return;
    }
    QByteArray text = QByteArray::number(number, 'f', decimals);
    if (text.startsWith('-') && text.toDouble() == 0.0)
        text.remove(0, 1);
    m_text += text;
}

void CJsonWriter::Null()
{
    BeforeValue();
    m_text += "null";
}

void CJsonWriter::Boolean(bool value)
{
    BeforeValue();
    m_text += value ? "true" : "false";
}

void CJsonWriter::Integer(long long number)
{
    BeforeValue();
    AppendNumber(m_text, number);
}

void CJsonWriter::Unsigned(unsigned long long number)
{
    BeforeValue();
    AppendNumber(m_text, number);
}

void CJsonWriter::Samples(const quint16* samples, size_t count)
{
    BeforeValue();
    m_text.reserve(m_text.size() + qsizetype(count * 7) + 2);
    m_text += '[';
    char buffer[8];
    for (size_t i = 0; i < count; ++i) {
        if (i > 0)
            m_text += ',';
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, samples[i]);
        m_text.append(buffer, result.ptr - buffer);
    }
    m_text += ']';
}
