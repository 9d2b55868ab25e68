#pragma once

#include <map>
#include <string>
#include <utility>

#include "common/Window.h"

namespace zv::test {

inline const std::map<Button, std::string> kFirstCaptions{{Button::Check, "Check Alignment"},
                                                          {Button::MakeMovie, "Make Movie"}};

// A window that shows nothing: the boxes hold what a test puts into `boxes`, the buttons keep the
// captions last set, and everything else is let pass.
class NullWindow : public Window {
public:
    explicit NullWindow(std::string programFolder) : m_programFolder(std::move(programFolder)) {}

    std::string BoxText(Box box) const override { return boxes.contains(box) ? boxes.at(box) : ""; }
    std::string Caption(Button button) const override { return captions.at(button); }
    void SetCaption(Button button, const std::string& text) override { captions[button] = text; }
    void SetScreenBackground(Rgb) override {}
    void RepaintScreen() override {}
    void SetScreenPenWidth(int) override {}
    void SetScreenPixel(int, int, Rgb) override {}
    void ShowMessage(const std::string&, const std::string&, MessageStyle) override {}
    void EndProgram(int) override {}
    std::string ProgramFolder() const override { return m_programFolder; }

    std::map<Box, std::string> boxes;
    std::map<Button, std::string> captions = kFirstCaptions;

private:
    std::string m_programFolder;
};

}  // namespace zv::test
