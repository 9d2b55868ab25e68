#include "app/PacedWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using zv::Button;
using Clock = zv::PacedWindow::Clock;

// The clock the window reads: a test moves it by hand.
Clock::time_point g_now;

Clock::time_point ReadClock() {
    return g_now;
}

// The toolkit's side of a window, noting what it is told to paint, in order: "Check Checking!",
// "rows 3-4", "all", "background", "drain", "box File not found!".
class PaintLog : public zv::PacedWindow, public zv::ScreenImage {
public:
    // A folder without the recording: a click stops at the box that says so.
    PaintLog() : PacedWindow("zv-no-such-folder", &ReadClock) { SetScreen(*this); }

    using PacedWindow::DropsInput;
    using PacedWindow::Run;

    std::string BoxText(zv::Box) const override { return {}; }
    void EndProgram(int) override {}

    void SetBackground(zv::Rgb) override { log.push_back("background"); }
    bool SetPixel(int, int, zv::Rgb) override { return true; }
    void RepaintRows(int first, int last) override {
        log.push_back("rows " + std::to_string(first) + "-" + std::to_string(last));
    }
    void RepaintAll() override { log.push_back("all"); }

    void PaintCaption(Button button, const std::string& text) override {
        log.push_back((button == Button::Check ? "Check " : "MakeMovie ") + text);
    }
    void ShowBox(const std::string&, const std::string& title, zv::MessageStyle) override {
        log.push_back("box " + title);
        inBox();
    }
    void DrainInput() override { log.push_back(DropsInput() ? "drain" : "drain, taking input"); }

    std::vector<std::string> log;
    // Run while a box is open.
    std::function<void()> inBox = [] {};
};

struct Step {
    std::chrono::milliseconds after;
    std::function<void(PaintLog&)> action;
};

TEST(PacedWindowTest, PaintsAtMostOncePerFrameIntervalAndHoldsNothingBackBeforeABox) {
    auto check = [](const char* text) {
        return [text](PaintLog& window) { window.SetCaption(Button::Check, text); };
    };
    auto pixel = [](int x, int y) {
        return [x, y](PaintLog& window) { window.SetScreenPixel(x, y, {}); };
    };
    auto box = [](PaintLog& window) {
        window.ShowMessage("text", "Title", zv::MessageStyle::Stop);
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::vector<std::string> painted;
    } cases[] = {
        {"a caption within 16 ms of the last paint waits for a later one",
         {{0ms, check("A")}, {5ms, check("B")}, {10ms, check("C")}, {15ms, check("D")}},
         {"Check A", "Check D"}},
        {"a held caption is painted before the box, after the input is drained",
         {{0ms, check("A")}, {1ms, check("B")}, {1ms, box}},
         {"Check A", "Check B", "drain", "box Title"}},
        {"the other button's held caption is painted first",
         {{0ms, check("A")},
          {1ms, check("B")},
          {1ms, [](PaintLog& w) { w.SetCaption(Button::MakeMovie, "Making CH-1"); }}},
         {"Check A", "Check B", "MakeMovie Making CH-1"}},
        {"a line's pixels are painted when the next line starts, and before a caption",
         {{0ms, pixel(0, 3)}, {0ms, pixel(1, 3)}, {0ms, pixel(0, 4)}, {0ms, check("A")}},
         {"rows 3-3", "rows 4-4", "Check A"}},
        {"after the background the whole area is painted once",
         {{0ms,
           [](PaintLog& w) {
               w.SetScreenBackground({0, 0, 255});
           }},
          {0ms, pixel(2, 2)},
          {0ms, pixel(2, 9)},
          {0ms, box}},
         {"background", "all", "drain", "box Title"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_now = Clock::time_point(1h);
        PaintLog window;
        for (const Step& step : c.steps) {
            g_now += step.after;
            step.action(window);
        }
        EXPECT_EQ(window.log, c.painted);
    }
}

TEST(PacedWindowTest, DropsInputDuringAClickAndInABoxsFirstHalfSecond) {
    struct Case {
        std::chrono::milliseconds inBox;
        bool drops;
    } cases[] = {{0ms, true}, {499ms, true}, {500ms, false}, {3s, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inBox.count());
        g_now = Clock::time_point(1h);
        PaintLog window;
        bool dropped = !c.drops;
        window.inBox = [&] {
            g_now += c.inBox;
            dropped = window.DropsInput();
        };
        EXPECT_FALSE(window.DropsInput());
        window.Run(&zv::MovieMaker::Check_Click);
        EXPECT_EQ(dropped, c.drops);
        EXPECT_FALSE(window.DropsInput());
        EXPECT_EQ(window.log, (std::vector<std::string>{"drain", "box File not found!", "drain"}));
    }
}

}  // namespace
