#include "app/win32/PacedCaption.h"

#include <utility>

#include "app/win32/Utf16.h"

namespace zv {

namespace {
// About one frame of a 60 Hz screen: faster changes could not be seen anyway.
constexpr auto kPaintInterval = std::chrono::milliseconds(16);
}  // namespace

PacedCaption::PacedCaption(HWND button, std::string text)
    : m_button(button), m_text(std::move(text)) {
    SetWindowTextW(m_button, ToUtf16(m_text).c_str());
}

void PacedCaption::Set(const std::string& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    if (Clock::now() - m_painted < kPaintInterval) {
        m_pending = true;
        return;
    }
    Paint();
}

void PacedCaption::Flush() {
    if (m_pending) {
        Paint();
    }
}

void PacedCaption::Paint() {
    SetWindowTextW(m_button, ToUtf16(m_text).c_str());
    // The operation that sets the caption does not return to the message loop: paint now.
    UpdateWindow(m_button);
    m_painted = Clock::now();
    m_pending = false;
}

}  // namespace zv
