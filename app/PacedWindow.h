#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "common/Window.h"

namespace zv {

// What every window of the program does alike, whatever its toolkit: a build sets the captions
// tens of thousands of times and the preview sets thousands of pixels without returning to the
// event loop, and each must be seen at once. A caption is painted when it is set, but at most once
// per frame interval; one held back is painted before anything else is shown. Pixels are painted
// a line at a time, when the next line starts and before a caption or a box is shown. The
// toolkit's window paints what it is told.
class PacedWindow : public Window {
public:
    std::string Caption(Button button) const override;
    void SetCaption(Button button, const std::string& text) override;
    void SetScreenBackground(Rgb colour) override;
    void RepaintScreen() override;
    void SetScreenPenWidth(int pixels) override;
    void SetScreenPixel(int x, int y, Rgb colour) override;

protected:
    // The caption a button starts with, painted at once.
    void StartCaption(Button button, const std::string& text);
    // Shows whatever is held back: after each event handler, and before a box opens.
    void FlushAll();
    // Around a box. In its first moments a box takes no keys or clicks: they were meant for the
    // window, typed before the user could have seen the box.
    void BoxOpened();
    void BoxClosed();
    bool BoxIsSettling() const;

    // Sets the button's text and paints the button now.
    virtual void PaintCaption(Button button, const std::string& text) = 0;
    // The picture area's image, not yet painted.
    virtual void FillScreenImage(Rgb colour) = 0;
    // False when the point lies outside the image, which stays as it was.
    virtual bool SetScreenImagePixel(int x, int y, Rgb colour) = 0;
    // Paints the image's rows first to last now.
    virtual void PaintScreenRows(int first, int last) = 0;
    // Paints the whole area now.
    virtual void PaintScreen() = 0;

private:
    using Clock = std::chrono::steady_clock;

    struct PacedCaption {
        std::string text;
        bool pending = false;
        Clock::time_point painted;
    };

    void Paint(Button button);
    void FlushCaptions();
    void PaintPendingPixels();
    PacedCaption& CaptionOf(Button button);
    const PacedCaption& CaptionOf(Button button) const;

    PacedCaption m_check;
    PacedCaption m_makeMovie;
    // The image rows set since the area was last painted; none while first > last. All of them
    // after the background was set.
    int m_pendingFirst = 0;
    int m_pendingLast = -1;
    bool m_pendingAll = false;
    std::optional<Clock::time_point> m_boxOpened;
};

}  // namespace zv
