#pragma once

#include <map>
#include <string>

#include "common/Window.h"

namespace zv::fuzz {

// A window that draws nothing and checks what it is asked: a pixel outside the drawn block or a
// colour that is no gray level aborts, so that the fuzzer reports it.
class FuzzWindow : public Window {
public:
    explicit FuzzWindow(std::string programFolder);

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

    int messages = 0;
    bool ended = false;
    std::string lastMessage;

private:
    std::string m_programFolder;
    std::map<Button, std::string> m_captions{{Button::Check, "Check Alignment"},
                                             {Button::MakeMovie, "Make Movie"}};
};

// A temporary program folder, made once per fuzzing run.
const std::string& ScratchProgramFolder();

}  // namespace zv::fuzz
