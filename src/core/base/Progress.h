#pragma once

#include <limits>
#include <string>

namespace torvane {

// The progress of one long operation: a position on 0..100, a percentage text, and a cancel
// flag that, once set, stays set, so nested loops (a folder scan inside a drop of several
// folders) all stop. Reporting and asking both give the desktop a chance to handle waiting
// events; the GUI subclass shows the window and decides how often it takes that chance, the base
// alone serves headless runs.
class CProgress {
public:
    static constexpr int Lower = 0;
    static constexpr int Upper = 100;

    virtual ~CProgress() = default;

    // Moves the bar (clamped to 0..100) and updates the text; answers the previous position.
    int SetPos(int position);
    int GetPos() const { return m_Pos; }
    bool IsCancelled();
    // The cancel button and the close box.
    void Cancel() { m_Cancelled = true; }
    const std::string& PercentText() const { return m_Text; }
    virtual void Close() {}

    // "42%": the position's percentage of the range, shown modulo 100 except for 100 itself.
    static std::string PercentTextFor(int position);

protected:
    // Called by every SetPos and IsCancelled; percentChanged says SetPos has just shown a new
    // percentage text.
    virtual void PumpEvents(bool /*percentChanged*/) {}
    virtual void ShowPosition(int /*position*/, const std::string& /*percentText*/) {}

private:
    int m_Pos = Lower;
    bool m_Cancelled = false;
    std::string m_Text = " 0 %";
    int m_TextFor = std::numeric_limits<int>::min(); // the position m_Text was made for
};

} // namespace torvane
