#pragma once

#include <string_view>

namespace torvane {

// Walks a text line by line as a text-mode read does: lines end at "\n", a "\r" before it is
// dropped, and the last line needs no line end.
class CTextLines {
public:
    explicit CTextLines(std::string_view text) : m_Text(text) {}

    // The next line; false at the end of the text.
    bool Next(std::string_view& line) {
        if (m_Offset >= m_Text.size())
            return false;
        const size_t end = m_Text.find('\n', m_Offset);
        line = m_Text.substr(m_Offset, end - m_Offset);
        m_Offset = end == std::string_view::npos ? m_Text.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }
    // Bytes read so far, line ends included.
    size_t Offset() const { return m_Offset; }

private:
    std::string_view m_Text;
    size_t m_Offset = 0;
};

} // namespace torvane
