#include "Progress.h"

#include <algorithm>

namespace torvane {

std::string CProgress::PercentTextFor(int position) {
    int percent = (position - Lower) * 100 / (Upper - Lower);
    if (percent != 100)
        percent %= 100;
    return std::to_string(percent) + "%";
}

int CProgress::SetPos(int position) {
    PumpEvents();
    const int previous = m_Pos;
    m_Pos = std::clamp(position, Lower, Upper);
    m_Text = PercentTextFor(position);
    ShowPosition(m_Pos, m_Text);
    return previous;
}

bool CProgress::IsCancelled() {
    PumpEvents();
    return m_Cancelled;
}

} // namespace torvane
