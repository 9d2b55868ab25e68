#include "bench/NullWindow.h"

#include <utility>

namespace zv::bench {

NullWindow::NullWindow(std::string programFolder) : m_programFolder(std::move(programFolder)) {}

std::string NullWindow::BoxText(Box) const {
    return {};
}

// Never "Finished!": every click does its work.
std::string NullWindow::Caption(Button) const {
    return {};
}

void NullWindow::SetCaption(Button, const std::string&) {}

void NullWindow::SetScreenBackground(Rgb) {}

void NullWindow::RepaintScreen() {}

void NullWindow::SetScreenPenWidth(int) {}

void NullWindow::SetScreenPixel(int, int, Rgb) {}

void NullWindow::ShowMessage(const std::string&, const std::string&, MessageStyle) {}

void NullWindow::EndProgram() {}

std::string NullWindow::ProgramFolder() const {
    return m_programFolder;
}

}  // namespace zv::bench
