#include "preview/AlignmentPreview.h"

#include <array>

#include "common/File.h"
#include "params/FileProbe.h"
#include "params/SkipRule.h"

namespace zv {

namespace {

constexpr int kMaxFrames = 10;
constexpr int kDrawnLines = 81;
constexpr int kGroupBytes = 4;
constexpr int kGrayStep = 17;  // 15 * 17 = 255: white
constexpr Rgb kBlue{0, 0, 255};

Rgb Gray(int value) {
    auto level = static_cast<std::uint8_t>(value * kGrayStep);
    return {level, level, level};
}

}  // namespace

AlignmentPreview::AlignmentPreview(Window& window, const Parameters& parameters, const Paths& paths)
    : m_window(window), m_parameters(parameters), m_paths(paths) {}

void AlignmentPreview::Run() {
    std::string sourcePath = m_paths.SourcePath(m_parameters.SourceName);
    if (!FileExists(sourcePath)) {
        m_window.ShowMessage(sourcePath + " NOT FOUND!", "File not found!", MessageStyle::Stop);
        return;
    }
    File source = File::OpenForReading(sourcePath);
    m_window.SetScreenBackground(kBlue);
    m_window.RepaintScreen();
    m_window.SetScreenPenWidth(1);

    // A recording that ends early is only shown as far as it goes: this is a look, not a build.
    if (SkipHead(source, m_parameters)) {
        std::array<unsigned char, kFrameBytes> frame;
        for (int frames = 0; frames < kMaxFrames; ++frames) {
            std::size_t got = source.Read(frame.data(), frame.size());
            std::size_t lines = got / kLineBytes;
            for (std::size_t y = 0; y < lines; ++y) {
                m_window.SetCaption(Button::Check, "Checking!");
                DrawLine(frame.data() + y * kLineBytes, static_cast<int>(y));
            }
            if (got < frame.size()) {
                break;
            }
        }
    }
    source.Close();
    m_window.SetCaption(Button::Check, "Check Again?");
}

void AlignmentPreview::DrawLine(const unsigned char* line, int y) {
    if (y >= kDrawnLines) {
        return;
    }
    int x = 0;
    // Each group: two bytes that are not shown, then two bytes of two pixels each, high half first.
    for (int group = 0; group < kLineBytes; group += kGroupBytes) {
        for (int at = group + 2; at < group + kGroupBytes; ++at) {
            m_window.SetScreenPixel(x++, y, Gray(line[at] >> 4));
            m_window.SetScreenPixel(x++, y, Gray(line[at] & 0x0F));
        }
    }
}

}  // namespace zv
