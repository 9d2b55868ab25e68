#include "tests/support/RecordingWindow.h"

#include <algorithm>
#include <utility>

namespace zv::test {

namespace {

std::string NameOf(Button button) {
    return button == Button::Check ? "Check" : "MakeMovie";
}

std::string CaptionPrefix(Button button) {
    return "caption " + NameOf(button) + " ";
}

constexpr char kMessagePrefix[] = "message ";

}  // namespace

RecordingWindow::RecordingWindow(std::string programFolder)
    : m_programFolder(std::move(programFolder)) {}

std::string RecordingWindow::BoxText(Box box) const {
    auto found = boxes.find(box);
    return found == boxes.end() ? std::string() : found->second;
}

std::string RecordingWindow::Caption(Button button) const {
    return captions.at(button);
}

void RecordingWindow::SetCaption(Button button, const std::string& text) {
    captions[button] = text;
    events.push_back(CaptionPrefix(button) + text);
    if (onCaption) {
        onCaption(text);
    }
}

void RecordingWindow::Reset() {
    events.clear();
    pixels.clear();
    captions = {{Button::Check, "Check Alignment"}, {Button::MakeMovie, "Make Movie"}};
}

void RecordingWindow::SetScreenBackground(Rgb colour) {
    events.push_back("background " + std::to_string(colour.red) + " " +
                     std::to_string(colour.green) + " " + std::to_string(colour.blue));
}

void RecordingWindow::RepaintScreen() {
    events.push_back("repaint");
}

void RecordingWindow::SetScreenPenWidth(int pixels) {
    events.push_back("pen " + std::to_string(pixels));
}

void RecordingWindow::SetScreenPixel(int x, int y, Rgb colour) {
    pixels.push_back({x, y, colour});
}

void RecordingWindow::ShowMessage(const std::string& text, const std::string& title,
                                  MessageStyle style) {
    events.push_back(kMessagePrefix + std::to_string(static_cast<int>(style)) + " " + title + ": " +
                     text);
    if (onMessage) {
        onMessage(title);
    }
}

void RecordingWindow::EndProgram() {
    events.push_back("end");
}

std::string RecordingWindow::ProgramFolder() const {
    return m_programFolder;
}

std::vector<std::string> RecordingWindow::CaptionsSet(Button button) const {
    std::vector<std::string> texts;
    std::string prefix = CaptionPrefix(button);
    for (const std::string& event : events) {
        if (event.starts_with(prefix)) {
            texts.push_back(event.substr(prefix.size()));
        }
    }
    return texts;
}

std::vector<std::string> RecordingWindow::Messages() const {
    std::vector<std::string> messages;
    for (const std::string& event : events) {
        if (event.starts_with(kMessagePrefix)) {
            messages.push_back(event.substr(sizeof kMessagePrefix - 1));
        }
    }
    return messages;
}

bool RecordingWindow::Ended() const {
    return std::find(events.begin(), events.end(), "end") != events.end();
}

}  // namespace zv::test
