#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/Window.h"

namespace zv::test {

// A window that records every operation the logic asks of it, in order.
class RecordingWindow : public Window {
public:
    struct Pixel {
        int x;
        int y;
        Rgb colour;
        friend bool operator==(const Pixel&, const Pixel&) = default;
    };

    explicit RecordingWindow(std::string programFolder);

    std::string BoxText(Box box) const override;
    std::string Caption(Button button) const override;
    void SetCaption(Button button, const std::string& text) override;
    void SetScreenBackground(Rgb colour) override;
    void RepaintScreen() override;
    void SetScreenPenWidth(int pixels) override;
    void SetScreenPixel(int x, int y, Rgb colour) override;
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageStyle style) override;
    void EndProgram() override;
    std::string ProgramFolder() const override;

    // Every call but the pixels, as text: "caption Check Checking!", "caption MakeMovie Hold
    // on...", "background 0 0 255", "repaint", "pen 1", "message 16 <title>: <text>", "end".
    std::vector<std::string> events;
    std::vector<Pixel> pixels;
    std::map<Box, std::string> boxes;
    std::map<Button, std::string> captions{{Button::Check, "Check Alignment"},
                                           {Button::MakeMovie, "Make Movie"}};
    // Runs while a message box is "open", before it is dismissed.
    std::function<void(const std::string& title)> onMessage;
    // Runs after each caption is set: lets a test change the world in the middle of an operation.
    std::function<void(const std::string& text)> onCaption;

    // Back to a freshly opened window: no events, no pixels, the first captions.
    void Reset();

    // The events that set a caption of `button`, as their texts, in order.
    std::vector<std::string> CaptionsSet(Button button) const;
    // The events that show a message box, as "<style> <title>: <text>".
    std::vector<std::string> Messages() const;
    bool Ended() const;

private:
    std::string m_programFolder;
};

}  // namespace zv::test
