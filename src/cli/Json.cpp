#include "cli/Json.h"

#include "core/base/TextCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace torvane::cli {

std::string JsonQuote(std::string_view raw) {
    // JSON is UTF-8: a byte that begins no valid sequence stands as U+FFFD.
    const std::string text =
        CTextCodec::IsValidUtf8(raw) ? std::string(raw) : CTextCodec::SanitizeUtf8(raw);
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string Base64(std::string_view bytes) {
    static const char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t pos = 0; pos < bytes.size(); pos += 3) {
        const size_t count = std::min<size_t>(3, bytes.size() - pos);
        uint32_t group = 0;
        for (size_t i = 0; i < 3; ++i)
            group = group << 8 | (i < count ? static_cast<uint8_t>(bytes[pos + i]) : 0);
        for (size_t i = 0; i < 4; ++i)
            out += i <= count ? Digits[(group >> (18 - 6 * i)) & 63] : '=';
    }
    return out;
}

void CJsonObject::Name(std::string_view name) {
    if (!m_Body.empty())
        m_Body += ',';
    m_Body += JsonQuote(name) + ":";
}

CJsonObject& CJsonObject::Add(std::string_view name, std::string_view text) {
    Name(name);
    m_Body += JsonQuote(text);
    return *this;
}

CJsonObject& CJsonObject::Add(std::string_view name, int64_t number) {
    Name(name);
    m_Body += std::to_string(number);
    return *this;
}

CJsonObject& CJsonObject::Add(std::string_view name, const std::vector<std::string>& texts) {
    Name(name);
    m_Body += '[';
    for (size_t i = 0; i < texts.size(); ++i)
        m_Body += (i ? "," : "") + JsonQuote(texts[i]);
    m_Body += ']';
    return *this;
}

CJsonObject& CJsonObject::AddNull(std::string_view name) {
    Name(name);
    m_Body += "null";
    return *this;
}

CJsonObject& CJsonObject::Add(std::string_view name, const CJsonObject& object) {
    Name(name);
    m_Body += object.Text();
    return *this;
}

} // namespace torvane::cli
