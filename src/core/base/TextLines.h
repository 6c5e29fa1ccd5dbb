#pragma once

#include <string_view>

namespace torvane {

// Walks a text line by line as a text-mode read does: lines end at "\n", a "\r" before it is
// dropped, and the last line needs no line end. A text without any "\n" whose lines end at
// "\r" alone (written on an old Macintosh) is cut at each "\r" instead of being one line.
class CTextLines {
public:
    explicit CTextLines(std::string_view text) : m_Text(text), m_End(LineEndOf(text)) {}
    // A part of a text, cut at the line end of the whole text (LineEndOf).
    CTextLines(std::string_view text, char lineEnd) : m_Text(text), m_End(lineEnd) {}

    // The next line; false at the end of the text.
    bool Next(std::string_view& line) {
        if (m_Offset >= m_Text.size())
            return false;
        const size_t end = m_Text.find(m_End, m_Offset);
        line = m_Text.substr(m_Offset, end - m_Offset);
        m_Offset = end == std::string_view::npos ? m_Text.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }
    // Bytes read so far, line ends included.
    size_t Offset() const { return m_Offset; }

    // "\r" for a text without any "\n" that holds a "\r", else "\n".
    static char LineEndOf(std::string_view text) {
        const bool crOnly =
            text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos;
        return crOnly ? '\r' : '\n';
    }

private:
    std::string_view m_Text;
    char m_End;
    size_t m_Offset = 0;
};

} // namespace torvane
