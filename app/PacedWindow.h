#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <utility>

#include "app/MovieMaker.h"
#include "app/ScreenImage.h"
#include "common/Window.h"

namespace zv {

// What every window of the program does alike, whatever its toolkit. It owns MovieMaker and runs
// its event handlers. A build sets the captions tens of thousands of times and the preview sets
// thousands of pixels without returning to the event loop, and each must be seen at once. A
// caption is painted when it is set, but at most once per frame interval; one held back is painted
// before anything else is shown. Pixels are painted a line at a time, when the next line starts
// and before a caption or a box is shown. Input that comes while a click runs is dropped, and so
// is input in a box's first moments: it was meant for the window, typed before the user could see
// the box.
class PacedWindow : public Window {
public:
    using Clock = std::chrono::steady_clock;
    using Now = Clock::time_point (*)();

    // An empty folder stands for the folder of the program's executable.
    explicit PacedWindow(std::string programFolder = {}, Now now = &Clock::now);

    MovieMaker& Maker() { return m_maker; }
    const MovieMaker& Maker() const { return m_maker; }

    std::string Caption(Button button) const override;
    void SetCaption(Button button, const std::string& text) override;
    void SetScreenBackground(Rgb colour) override;
    void RepaintScreen() override;
    void SetScreenPenWidth(int pixels) override;
    void SetScreenPixel(int x, int y, Rgb colour) override;
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageStyle style) override;
    std::string ProgramFolder() const override;

protected:
    // The toolkit's picture area, before any handler runs.
    void SetScreen(ScreenImage& screen) { m_screen = &screen; }
    // The caption a button starts with, painted at once.
    void StartCaption(Button button, const std::string& text);

    // The event handlers, as the toolkit's controls call them; whatever a handler leaves held
    // back is shown when it returns.
    void Handle(void (MovieMaker::*handler)());
    void HandleKey(void (MovieMaker::*handler)(int&), int& KeyAscii);
    // A click's operation: keys, clicks and close requests that arrive while it runs are dropped.
    void Run(void (MovieMaker::*click)());
    bool Running() const { return m_running; }
    // Whether a key, click or input method event that the toolkit delivers now is dropped.
    bool DropsInput() const;
    // Shows whatever is held back: after each event handler, and before a box opens.
    void FlushAll();

    // Sets the button's text and paints the button now.
    virtual void PaintCaption(Button button, const std::string& text) = 0;
    // The toolkit's modal box; returns once the user has answered it.
    virtual void ShowBox(const std::string& text, const std::string& title, MessageStyle style) = 0;
    // Delivers, or removes, every input event that has reached the program up to now.
    virtual void DrainInput() = 0;

private:
    struct PacedCaption {
        std::string text;
        bool pending = false;
        Clock::time_point painted;
    };

    void DropQueuedInput();
    void Paint(Button button);
    void FlushCaptions();
    void PaintPendingPixels();
    static int Index(Button button) { return static_cast<int>(button); }

    std::string m_programFolder;
    Now m_now;
    ScreenImage* m_screen = nullptr;
    std::array<PacedCaption, 2> m_captions;
    // The image rows set since the area was last painted, first to last; all of them after the
    // background was set.
    using Rows = std::pair<int, int>;
    static constexpr Rows kNoRows{0, -1};
    Rows m_pendingRows = kNoRows;
    bool m_pendingAll = false;
    bool m_running = false;
    bool m_draining = false;
    std::optional<Clock::time_point> m_boxOpened;
    MovieMaker m_maker;
};

}  // namespace zv
