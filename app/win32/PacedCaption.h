#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace zv {

// A button caption that a build sets tens of thousands of times without returning to the message
// loop. The text is always current; the button is painted at once, but at most once per frame
// interval, and a text held back is painted by Flush, so the last one of every step is seen.
class PacedCaption {
public:
    PacedCaption(HWND button, std::string text);

    const std::string& Text() const { return m_text; }
    void Set(const std::string& text);
    void Flush();

private:
    using Clock = std::chrono::steady_clock;

    void Paint();

    HWND m_button;
    std::string m_text;
    bool m_pending = false;
    Clock::time_point m_painted;
};

}  // namespace zv
