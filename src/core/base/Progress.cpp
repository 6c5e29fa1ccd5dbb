#include "core/base/Progress.h"

#include <algorithm>

namespace torvane {

std::string CProgress::PercentTextFor(int position) {
    int percent = (position - Lower) * 100 / (Upper - Lower);
    if (percent != 100)
        percent %= 100;
    return std::to_string(percent) + "%";
}

// Events are let through after the window has been told, so the pump paints the new position.
int CProgress::SetPos(int position) {
    const int previous = m_Pos;
    m_Pos = std::clamp(position, Lower, Upper);
    // Many steps share a position (the files of a folder): the text is made once for each.
    bool percentChanged = false;
    if (position != m_TextFor) {
        m_TextFor = position;
        std::string text = PercentTextFor(position);
        percentChanged = text != m_Text;
        if (percentChanged)
            m_Text = std::move(text);
    }
    ShowPosition(m_Pos, m_Text);
    PumpEvents(percentChanged);
    return previous;
}

bool CProgress::IsCancelled() {
    PumpEvents(false);
    return m_Cancelled;
}

} // namespace torvane
