#include "app/PacedWindow.h"

#include <algorithm>

namespace zv {

namespace {
// About one frame of a 60 Hz screen: faster changes could not be seen anyway.
constexpr auto kPaintInterval = std::chrono::milliseconds(16);
// Longer than it takes to see a box and answer it.
constexpr auto kBoxSettleTime = std::chrono::milliseconds(500);
}  // namespace

std::string PacedWindow::Caption(Button button) const {
    return CaptionOf(button).text;
}

void PacedWindow::SetCaption(Button button, const std::string& text) {
    // The preview sets a caption once per line: the line's pixels are shown with it.
    PaintPendingPixels();
    Button other = button == Button::Check ? Button::MakeMovie : Button::Check;
    if (CaptionOf(other).pending) {
        Paint(other);
    }
    PacedCaption& caption = CaptionOf(button);
    if (text == caption.text) {
        return;
    }
    caption.text = text;
    if (Clock::now() - caption.painted < kPaintInterval) {
        caption.pending = true;
        return;
    }
    Paint(button);
}

void PacedWindow::SetScreenBackground(Rgb colour) {
    FlushCaptions();
    FillScreenImage(colour);
    m_pendingAll = true;
}

void PacedWindow::RepaintScreen() {
    FlushCaptions();
    m_pendingAll = false;
    m_pendingFirst = 0;
    m_pendingLast = -1;
    PaintScreen();
}

void PacedWindow::SetScreenPenWidth(int) {
    // The preview draws with a pen of one pixel only, which is what SetScreenPixel sets.
    FlushCaptions();
}

void PacedWindow::SetScreenPixel(int x, int y, Rgb colour) {
    FlushCaptions();
    bool pending = m_pendingFirst <= m_pendingLast;
    if (pending && !m_pendingAll && (y < m_pendingFirst || y > m_pendingLast)) {
        PaintPendingPixels();
        pending = false;
    }
    if (SetScreenImagePixel(x, y, colour) && !m_pendingAll) {
        m_pendingFirst = pending ? std::min(m_pendingFirst, y) : y;
        m_pendingLast = pending ? std::max(m_pendingLast, y) : y;
    }
}

void PacedWindow::StartCaption(Button button, const std::string& text) {
    CaptionOf(button).text = text;
    PaintCaption(button, text);
}

void PacedWindow::FlushAll() {
    FlushCaptions();
    PaintPendingPixels();
}

void PacedWindow::BoxOpened() {
    m_boxOpened = Clock::now();
}

void PacedWindow::BoxClosed() {
    m_boxOpened.reset();
}

bool PacedWindow::BoxIsSettling() const {
    return m_boxOpened && Clock::now() - *m_boxOpened < kBoxSettleTime;
}

void PacedWindow::Paint(Button button) {
    PacedCaption& caption = CaptionOf(button);
    PaintCaption(button, caption.text);
    caption.painted = Clock::now();
    caption.pending = false;
}

void PacedWindow::FlushCaptions() {
    for (Button button : {Button::Check, Button::MakeMovie}) {
        if (CaptionOf(button).pending) {
            Paint(button);
        }
    }
}

void PacedWindow::PaintPendingPixels() {
    if (m_pendingAll) {
        m_pendingAll = false;
        m_pendingFirst = 0;
        m_pendingLast = -1;
        PaintScreen();
    } else if (m_pendingFirst <= m_pendingLast) {
        int first = m_pendingFirst;
        int last = m_pendingLast;
        m_pendingFirst = 0;
        m_pendingLast = -1;
        PaintScreenRows(first, last);
    }
}

PacedWindow::PacedCaption& PacedWindow::CaptionOf(Button button) {
    return button == Button::Check ? m_check : m_makeMovie;
}

const PacedWindow::PacedCaption& PacedWindow::CaptionOf(Button button) const {
    return button == Button::Check ? m_check : m_makeMovie;
}

}  // namespace zv
