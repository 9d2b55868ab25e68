#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/NullWindow.h"

namespace zv::test {

// A window that notes every operation the logic asks of it, in order: "caption Check Checking!",
// "background 0 0 255", "repaint", "pen 1", "message 16 <title>: <text>", "end 1"; the pixels
// apart.
class RecordingWindow : public NullWindow {
public:
    struct Pixel {
        int x;
        int y;
        Rgb colour;
        friend bool operator==(const Pixel&, const Pixel&) = default;
    };

    using NullWindow::NullWindow;

    void SetCaption(Button button, const std::string& text) override {
        NullWindow::SetCaption(button, text);
        events.push_back((button == Button::Check ? "caption Check " : "caption MakeMovie ") +
                         text);
        if (onCaption) {
            onCaption(text);
        }
    }
    void SetScreenBackground(Rgb colour) override {
        events.push_back("background " + std::to_string(colour.red) + " " +
                         std::to_string(colour.green) + " " + std::to_string(colour.blue));
    }
    void RepaintScreen() override { events.push_back("repaint"); }
    void SetScreenPenWidth(int pixels) override {
        events.push_back("pen " + std::to_string(pixels));
    }
    void SetScreenPixel(int x, int y, Rgb colour) override { pixels.push_back({x, y, colour}); }
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageStyle style) override {
        events.push_back("message " + std::to_string(int(style)) + " " + title + ": " + text);
        if (onMessage) {
            onMessage();
        }
    }
    void EndProgram(int status) override { events.push_back("end " + std::to_string(status)); }

    // Back to a freshly opened window: no events, no pixels, the first captions.
    void Reset() {
        events.clear();
        pixels.clear();
        captions = kFirstCaptions;
    }
    std::vector<std::string> events;
    std::vector<Pixel> pixels;
    // Run after a caption is set, and while a message box is open: a test may change the world
    // in the middle of an operation.
    std::function<void(const std::string& text)> onCaption;
    std::function<void()> onMessage;
};

}  // namespace zv::test
