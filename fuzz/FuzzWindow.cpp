#include "fuzz/FuzzWindow.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

namespace zv::fuzz {

namespace {

constexpr int kDrawnWidth = 80;
constexpr int kDrawnLines = 81;
constexpr int kGrayStep = 17;

}  // namespace

FuzzWindow::FuzzWindow(std::string programFolder) : m_programFolder(std::move(programFolder)) {}

std::string FuzzWindow::BoxText(Box) const {
    return "";
}

std::string FuzzWindow::Caption(Button button) const {
    return m_captions.at(button);
}

void FuzzWindow::SetCaption(Button button, const std::string& text) {
    m_captions[button] = text;
}

void FuzzWindow::SetScreenBackground(Rgb) {}

void FuzzWindow::RepaintScreen() {}

void FuzzWindow::SetScreenPenWidth(int) {}

void FuzzWindow::SetScreenPixel(int x, int y, Rgb colour) {
    bool inside = x >= 0 && x < kDrawnWidth && y >= 0 && y < kDrawnLines;
    bool gray =
        colour.red == colour.green && colour.green == colour.blue && colour.red % kGrayStep == 0;
    if (!inside || !gray) {
        std::abort();
    }
}

void FuzzWindow::ShowMessage(const std::string& text, const std::string&, MessageStyle) {
    ++messages;
    lastMessage = text;
}

void FuzzWindow::EndProgram() {
    ended = true;
}

std::string FuzzWindow::ProgramFolder() const {
    return m_programFolder;
}

const std::string& ScratchProgramFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zeveduz-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern;
    }();
    return folder;
}

}  // namespace zv::fuzz
