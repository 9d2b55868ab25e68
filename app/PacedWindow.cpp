#include "app/PacedWindow.h"

#include <algorithm>
#include <utility>

#include "common/System.h"

namespace zv {

namespace {
// About one frame of a 60 Hz screen: faster changes could not be seen anyway.
constexpr auto kPaintInterval = std::chrono::milliseconds(16);
// Longer than it takes to see a box and answer it.
constexpr auto kBoxSettleTime = std::chrono::milliseconds(500);
}  // namespace

PacedWindow::PacedWindow(std::string programFolder, Now now)
    : m_programFolder(std::move(programFolder)), m_now(now), m_maker(*this) {}

std::string PacedWindow::Caption(Button button) const {
    return m_captions[Index(button)].text;
}

void PacedWindow::SetCaption(Button button, const std::string& text) {
    // The preview sets a caption once per line: the line's pixels are shown with it.
    PaintPendingPixels();
    Button other = button == Button::Check ? Button::MakeMovie : Button::Check;
    if (m_captions[Index(other)].pending) {
        Paint(other);
    }
    PacedCaption& caption = m_captions[Index(button)];
    if (text == caption.text) {
        return;
    }
    caption.text = text;
    if (m_now() - caption.painted < kPaintInterval) {
        caption.pending = true;
        return;
    }
    Paint(button);
}

void PacedWindow::SetScreenBackground(Rgb colour) {
    FlushCaptions();
    m_screen->SetBackground(colour);
    m_pendingAll = true;
}

void PacedWindow::RepaintScreen() {
    FlushCaptions();
    m_pendingAll = false;
    m_pendingRows = kNoRows;
    m_screen->RepaintAll();
}

void PacedWindow::SetScreenPenWidth(int) {
    // The preview draws with a pen of one pixel only, which is what SetScreenPixel sets.
    FlushCaptions();
}

void PacedWindow::SetScreenPixel(int x, int y, Rgb colour) {
    FlushCaptions();
    if (!m_pendingAll && m_pendingRows != kNoRows &&
        (y < m_pendingRows.first || y > m_pendingRows.second)) {
        PaintPendingPixels();
    }
    if (m_screen->SetPixel(x, y, colour) && !m_pendingAll) {
        auto [first, last] = m_pendingRows;
        m_pendingRows =
            m_pendingRows == kNoRows ? Rows{y, y} : Rows{std::min(first, y), std::max(last, y)};
    }
}

void PacedWindow::StartCaption(Button button, const std::string& text) {
    m_captions[Index(button)].text = text;
    PaintCaption(button, text);
}

void PacedWindow::FlushAll() {
    FlushCaptions();
    PaintPendingPixels();
}

void PacedWindow::ShowMessage(const std::string& text, const std::string& title,
                              MessageStyle style) {
    // The box opens over what the operation has shown so far.
    FlushAll();
    DropQueuedInput();
    m_boxOpened = m_now();
    ShowBox(text, title, style);
    m_boxOpened.reset();
}

std::string PacedWindow::ProgramFolder() const {
    // As the system spells it: a name that is not valid text must still reach the same folder.
    return m_programFolder.empty() ? ExecutableFolder() : m_programFolder;
}

void PacedWindow::Handle(void (MovieMaker::*handler)()) {
    (m_maker.*handler)();
    FlushAll();
}

void PacedWindow::HandleKey(void (MovieMaker::*handler)(int&), int& KeyAscii) {
    (m_maker.*handler)(KeyAscii);
    FlushAll();
}

void PacedWindow::Run(void (MovieMaker::*click)()) {
    m_running = true;
    Handle(click);
    // What the user did while the run kept the window busy was aimed at a window that is gone.
    DropQueuedInput();
    m_running = false;
}

bool PacedWindow::DropsInput() const {
    if (m_boxOpened) {
        return m_now() - *m_boxOpened < kBoxSettleTime;
    }
    return m_running || m_draining;
}

void PacedWindow::DropQueuedInput() {
    bool draining = std::exchange(m_draining, true);
    DrainInput();
    m_draining = draining;
}

void PacedWindow::Paint(Button button) {
    PacedCaption& caption = m_captions[Index(button)];
    PaintCaption(button, caption.text);
    caption.painted = m_now();
    caption.pending = false;
}

void PacedWindow::FlushCaptions() {
    for (Button button : {Button::Check, Button::MakeMovie}) {
        if (m_captions[Index(button)].pending) {
            Paint(button);
        }
    }
}

void PacedWindow::PaintPendingPixels() {
    auto [first, last] = std::exchange(m_pendingRows, kNoRows);
    if (std::exchange(m_pendingAll, false)) {
        m_screen->RepaintAll();
    } else if (first <= last) {
        m_screen->RepaintRows(first, last);
    }
}

}  // namespace zv
