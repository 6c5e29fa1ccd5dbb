#include "core/base/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <vector>

namespace torvane {
namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr uint32_t ReplacementChar = 0xFFFD;

bool EqualsAsciiFolded(std::string_view text, std::string_view lower) {
    return std::equal(text.begin(), text.end(), lower.begin(), lower.end(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

// Length of the valid UTF-8 sequence at text[pos], or 0 when it is not one.
size_t Utf8SequenceLength(std::string_view text, size_t pos, uint32_t* codePoint = nullptr) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(pos);
    size_t length;
    uint32_t cp;
    uint32_t minimum;
    if (lead < 0x80) {
        if (codePoint)
            *codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (length > text.size() - pos)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    if (codePoint)
        *codePoint = cp;
    return length;
}

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<uint8_t>(c) >= 0x80)
            return false;
    return true;
}

bool HasPrivateUseChar(std::string_view utf8) {
    for (size_t pos = 0; pos < utf8.size();) {
        uint32_t cp = 0;
        const size_t length = Utf8SequenceLength(utf8, pos, &cp);
        if (length == 0)
            return true;
        if ((cp >= 0xE000 && cp <= 0xF8FF) || cp >= 0xF0000)
            return true;
        pos += length;
    }
    return false;
}

// Whole text through iconv; false when the converter is missing or a sequence is invalid. A
// multibyte character cut off at the end (a fixed-width tag field that ends inside one) is
// dropped when the text holds other non-ASCII characters, so a cut Japanese field keeps its
// text; a lone high byte at the end of Latin text still fails and is decoded as CP1252.
bool ConvertWithIconv(const std::string& from, std::string_view bytes, std::string& out) {
    iconv_t cd = iconv_open("UTF-8", from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::vector<char> buffer(bytes.size() * 4 + 16);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    const bool cutAtEnd = result == static_cast<size_t>(-1) && errno == EINVAL;
    const bool flushed = iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    out.assign(buffer.data(), static_cast<size_t>(outPtr - buffer.data()));
    if (cutAtEnd)
        return flushed && !IsAscii(out);
    return result != static_cast<size_t>(-1) && inLeft == 0 && flushed;
}

// CP1252, with its five unassigned bytes taken as the Latin-1 control characters, so that every
// byte decodes to something.
std::string FromCp1252(std::string_view bytes) {
    static constexpr uint16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        AppendUtf8(out, (b >= 0x80 && b < 0xA0) ? High[b - 0x80] : b);
    }
    return out;
}

} // namespace

CTextCodec::CTextCodec(std::string legacyCodePage) : m_CodePage(std::move(legacyCodePage)) {
    const std::string_view setting = m_CodePage;
    const bool automatic =
        setting.empty() || (setting.size() >= 4 && EqualsAsciiFolded(setting.substr(0, 4), "auto"));
    if (automatic) {
        std::string_view preferred = setting.size() > 4 ? setting.substr(4) : std::string_view();
        if (!preferred.empty() && preferred.front() == ':')
            preferred.remove_prefix(1);
        m_Preferred = LegacyEncodingOf(preferred).value_or(LegacyEncoding::Cp932);
        m_CodePage = LegacyEncodingName(m_Preferred);
        return;
    }
    m_Automatic = false;
    // A bare Windows code page number names its "CPnnn".
    if (std::all_of(m_CodePage.begin(), m_CodePage.end(),
                    [](char c) { return c >= '0' && c <= '9'; }))
        m_CodePage = "CP" + m_CodePage;
}

std::string CTextCodec::FromLegacy(std::string_view bytes) const {
    if (m_Automatic)
        return std::move(FromLegacyTogether(std::span(&bytes, 1)).front());
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    if (ConvertWithIconv(m_CodePage, bytes, out) && !HasPrivateUseChar(out))
        return out;
    return FromCp1252(bytes);
}

std::vector<std::string>
CTextCodec::FromLegacyTogether(std::span<const std::string_view> texts) const {
    std::vector<std::string> out;
    out.reserve(texts.size());
    if (!m_Automatic || std::all_of(texts.begin(), texts.end(), IsAscii)) {
        for (const std::string_view text : texts)
            out.push_back(m_Automatic ? std::string(text) : FromLegacy(text));
        return out;
    }
    const LegacyEncoding chosen = CLegacyDetector::Detect(texts, m_Preferred).Encoding;
    for (const std::string_view text : texts) {
        std::string decoded;
        if (IsAscii(text))
            decoded = text;
        else if (!CLegacyDetector::Decode(text, chosen, decoded) &&
                 !CLegacyDetector::Decode(
                     text, CLegacyDetector::Detect(std::span(&text, 1), m_Preferred).Encoding,
                     decoded))
            decoded = FromCp1252(text);
        out.push_back(std::move(decoded));
    }
    return out;
}

std::string CTextCodec::CodePageFor(std::span<const std::string_view> texts) const {
    if (!m_Automatic)
        return m_CodePage;
    return LegacyEncodingName(CLegacyDetector::Detect(texts, m_Preferred).Encoding);
}

bool CTextCodec::FromLegacyStrictly(std::string_view bytes, std::string& out) const {
    return DecodeStrictly(bytes, CodePageFor(std::span(&bytes, 1)), out);
}

bool CTextCodec::DecodeStrictly(std::string_view bytes, const std::string& codePage,
                                std::string& out) {
    std::string decoded;
    if (!ConvertWithIconv(codePage, bytes, decoded) || HasPrivateUseChar(decoded) ||
        !IsValidUtf8(decoded))
        return false;
    std::string again;
    if (!ToEncoding(decoded, codePage, again) || again != bytes)
        return false;
    out = std::move(decoded);
    return true;
}

std::string CTextCodec::EscapeInvalidUtf8(std::string_view text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const size_t length = Utf8SequenceLength(text, pos);
        const auto byte = static_cast<uint8_t>(text[pos]);
        if (length > 0 && byte >= 0x20 && byte != 0x7F) {
            out.append(text.substr(pos, length));
            pos += length;
            continue;
        }
        out += "\\x";
        out += Hex[byte >> 4];
        out += Hex[byte & 0x0F];
        ++pos;
    }
    return out;
}

std::string CTextCodec::FromUtf16(std::span<const uint8_t> bytes, bool bigEndianWithoutBom) {
    bool bigEndian = bigEndianWithoutBom;
    size_t pos = 0;
    if (bytes.size() >= 2) {
        if (bytes[0] == 0xFF && bytes[1] == 0xFE) {
            bigEndian = false;
            pos = 2;
        } else if (bytes[0] == 0xFE && bytes[1] == 0xFF) {
            bigEndian = true;
            pos = 2;
        }
    }
    const auto unitAt = [&](size_t i) -> uint32_t {
        return bigEndian ? (bytes[i] << 8) | bytes[i + 1] : (bytes[i + 1] << 8) | bytes[i];
    };
    std::string out;
    while (bytes.size() - pos >= 2) {
        uint32_t unit = unitAt(pos);
        pos += 2;
        if (unit == 0)
            break;
        if (unit >= 0xD800 && unit <= 0xDBFF && bytes.size() - pos >= 2) {
            const uint32_t low = unitAt(pos);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                pos += 2;
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF)
            unit = ReplacementChar;
        AppendUtf8(out, unit);
    }
    return out;
}

bool CTextCodec::ToEncoding(std::string_view utf8, const std::string& encoding, std::string& out) {
    CTextEncoder encoder(encoding);
    std::string converted;
    if (!encoder.Known() || !encoder.Convert(utf8, converted) || !encoder.Finish(converted))
        return false;
    out = std::move(converted);
    return true;
}

void CTextCodec::AppendCodePoint(std::string& out, uint32_t codePoint) {
    AppendUtf8(out, codePoint);
}

bool CTextCodec::IsValidUtf8(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const size_t length = Utf8SequenceLength(text, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

std::string CTextCodec::SanitizeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const size_t length = Utf8SequenceLength(text, pos);
        if (length == 0) {
            AppendUtf8(out, ReplacementChar);
            ++pos;
        } else {
            out.append(text.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

std::string CTextCodec::CutUtf8(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes)
        return std::string(text);
    size_t end = maxBytes;
    // Step back over continuation bytes so that the cut falls before a lead byte.
    while (end > 0 && (static_cast<uint8_t>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

std::string_view CTextCodec::UpToZero(std::string_view text) {
    const size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

CTextEncoder::CTextEncoder(const std::string& encoding)
    : m_Converter(iconv_open(encoding.c_str(), "UTF-8")) {}

CTextEncoder::~CTextEncoder() {
    if (Known())
        iconv_close(static_cast<iconv_t>(m_Converter));
}

bool CTextEncoder::Known() const {
    return static_cast<iconv_t>(m_Converter) != reinterpret_cast<iconv_t>(-1);
}

bool CTextEncoder::Convert(std::string_view utf8, std::string& out) {
    return Run(&utf8, out);
}

bool CTextEncoder::Finish(std::string& out) {
    return Run(nullptr, out);
}

// Converts the text, or with none writes the return to the initial state.
bool CTextEncoder::Run(std::string_view* utf8, std::string& out) {
    if (!Known())
        return false;
    char* in = utf8 != nullptr ? const_cast<char*>(utf8->data()) : nullptr;
    size_t inLeft = utf8 != nullptr ? utf8->size() : 0;
    char buffer[4096];
    for (;;) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result =
            iconv(static_cast<iconv_t>(m_Converter), utf8 != nullptr ? &in : nullptr,
                  utf8 != nullptr ? &inLeft : nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (result != static_cast<size_t>(-1))
            return true;
        if (errno != E2BIG)
            return false; // a character the encoding lacks, or invalid UTF-8
    }
}

} // namespace torvane
