#include "core/playlist/XspfFormat.h"

#include "core/base/FileUri.h"
#include "core/base/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace torvane {
namespace {

// Character data for an element: markup characters escaped, text made valid UTF-8, and the
// control characters that XML 1.0 does not allow left out.
std::string EscapeXml(std::string_view text) {
    std::string escaped;
    for (const char c : CTextCodec::SanitizeUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            if (byte >= 0x20 || c == '\t' || c == '\n' || c == '\r')
                escaped += c;
        }
    }
    return escaped;
}

void AddElement(std::string& xml, std::string_view name, std::string_view text) {
    if (text.empty())
        return;
    xml += "      <";
    xml += name;
    xml += '>';
    xml += EscapeXml(text);
    xml += "</";
    xml += name;
    xml += ">\n";
}

// The track number's leading digits ("3/12" gives 3); empty when there are none or it is 0,
// since XSPF numbers tracks from 1.
std::string TrackNumber(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    uint32_t number = 0;
    const auto [end, error] =
        std::from_chars(text.data() + first, text.data() + text.size(), number);
    if (error != std::errc() || number == 0)
        return {};
    return std::to_string(number);
}

// Decodes the five predefined entities and character references; anything else stays.
std::string DecodeEntities(std::string_view text) {
    static constexpr std::pair<std::string_view, char> Named[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
        if (semicolon == std::string_view::npos) {
            decoded += text[i];
            continue;
        }
        const std::string_view name = text.substr(i + 1, semicolon - i - 1);
        bool known = false;
        for (const auto& [entity, c] : Named)
            if (name == entity) {
                decoded += c;
                known = true;
            }
        if (!known && name.size() > 1 && name.front() == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            uint32_t codePoint = 0;
            const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(),
                                                      codePoint, hex ? 16 : 10);
            known = error == std::errc() && end == digits.data() + digits.size() &&
                    !digits.empty() && codePoint <= 0x10FFFF;
            if (known)
                CTextCodec::AppendCodePoint(decoded, codePoint);
        }
        if (known)
            i = semicolon;
        else
            decoded += text[i];
    }
    return decoded;
}

std::string_view LocalName(std::string_view qualified) {
    const size_t colon = qualified.find(':');
    return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

std::string_view TrimmedXmlSpace(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Walks the markup of an XSPF document and keeps the locations of the track list's tracks.
class CXspfScanner {
public:
    explicit CXspfScanner(std::string_view xml) : m_Xml(xml) {}

    std::vector<std::vector<std::string>> Run() {
        while (m_Pos < m_Xml.size()) {
            if (m_Xml[m_Pos] != '<') {
                const size_t next = std::min(m_Xml.find('<', m_Pos), m_Xml.size());
                if (m_InLocation)
                    m_Text += DecodeEntities(m_Xml.substr(m_Pos, next - m_Pos));
                m_Pos = next;
            } else if (!Markup()) {
                break;
            }
        }
        return std::move(m_Tracks);
    }

private:
    // One piece of markup at m_Pos; false when the document ends inside it.
    bool Markup() {
        const std::string_view rest = m_Xml.substr(m_Pos);
        if (rest.starts_with("<!--"))
            return SkipPast("-->");
        if (rest.starts_with("<![CDATA[")) {
            const size_t end = m_Xml.find("]]>", m_Pos);
            if (end == std::string_view::npos)
                return false;
            if (m_InLocation)
                m_Text += m_Xml.substr(m_Pos + 9, end - m_Pos - 9);
            m_Pos = end + 3;
            return true;
        }
        if (rest.starts_with("<?"))
            return SkipPast("?>");
        if (rest.starts_with("<!"))
            return SkipPast(">");
        const size_t end = TagEnd();
        if (end == std::string_view::npos)
            return false;
        const std::string_view tag = m_Xml.substr(m_Pos + 1, end - m_Pos - 1);
        m_Pos = end + 1;
        if (tag.starts_with('/'))
            EndElement();
        else
            StartElement(tag);
        return true;
    }

    bool SkipPast(std::string_view terminator) {
        const size_t end = m_Xml.find(terminator, m_Pos);
        if (end == std::string_view::npos)
            return false;
        m_Pos = end + terminator.size();
        return true;
    }

    // The ">" that closes the tag at m_Pos, passing over quoted attribute values.
    size_t TagEnd() const {
        char quote = 0;
        for (size_t i = m_Pos + 1; i < m_Xml.size(); ++i) {
            const char c = m_Xml[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return i;
            }
        }
        return std::string_view::npos;
    }

    void StartElement(std::string_view tag) {
        const bool selfClosing = tag.ends_with('/');
        const std::string_view name = LocalName(tag.substr(0, tag.find_first_of(" \t\r\n/")));
        const bool inTrackList = m_Open.size() >= 2 && m_Open[m_Open.size() - 2] == "trackList";
        const bool inTrack = inTrackList && m_Open.back() == "track";
        if (name == "track" && !m_Open.empty() && m_Open.back() == "trackList")
            m_Tracks.emplace_back();
        if (selfClosing)
            return;
        m_Open.emplace_back(name);
        if (name == "location" && inTrack) {
            m_InLocation = true;
            m_Text.clear();
        }
    }

    void EndElement() {
        if (m_Open.empty())
            return;
        if (m_InLocation) {
            m_InLocation = false;
            if (!m_Tracks.empty())
                m_Tracks.back().emplace_back(TrimmedXmlSpace(m_Text));
        }
        m_Open.pop_back();
    }

    std::string_view m_Xml;
    size_t m_Pos = 0;
    std::vector<std::string> m_Open; // local names of the open elements
    bool m_InLocation = false;
    std::string m_Text;
    std::vector<std::vector<std::string>> m_Tracks;
};

} // namespace

std::string BuildXspf(const std::vector<PlaylistEntry>& entries) {
    std::string xml(XspfHeader());
    for (const PlaylistEntry& entry : entries)
        AppendXspfTrack(xml, entry);
    xml += XspfFooter();
    return xml;
}

std::string_view XspfHeader() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">\n"
           "  <trackList>\n";
}

void AppendXspfTrack(std::string& xml, const PlaylistEntry& entry) {
    xml += "    <track>\n";
    AddElement(xml, "location", LocationOfPath(entry.Location));
    AddElement(xml, "title", entry.Title);
    AddElement(xml, "creator", entry.Artist);
    AddElement(xml, "album", entry.Album);
    AddElement(xml, "trackNum", TrackNumber(entry.TrackNum));
    if (entry.Seconds > 0)
        AddElement(xml, "duration", std::to_string(int64_t{entry.Seconds} * 1000));
    xml += "    </track>\n";
}

std::string_view XspfFooter() {
    return "  </trackList>\n"
           "</playlist>\n";
}

std::vector<std::vector<std::string>> ParseXspfLocations(std::string_view xml) {
    return CXspfScanner(xml).Run();
}

} // namespace torvane
