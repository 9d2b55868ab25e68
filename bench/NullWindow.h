#pragma once

#include <string>

#include "common/Window.h"

namespace zv::bench {

// A window that shows nothing, so that a measurement sees the logic's own cost only.
class NullWindow : public Window {
public:
    explicit NullWindow(std::string programFolder);

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

private:
    std::string m_programFolder;
};

}  // namespace zv::bench
