#include "app/MovieMaker.h"

#include <cstdlib>

#include "common/StandardError.h"
#include "disc/CueSheet.h"
#include "disc/TrackSplitter.h"
#include "params/NumberRule.h"
#include "params/Paths.h"
#include "preview/AlignmentPreview.h"

namespace zv {

namespace {
constexpr char kErrorTitle[] = "ZE Veduz";
}

MovieMaker::MovieMaker(Window& window) : m_window(window) {}

template <typename Operation>
void MovieMaker::Handle(Operation&& operation) {
    try {
        operation();
    } catch (const StandardError& error) {
        m_window.ShowMessage(error.what(), kErrorTitle, MessageStyle::Stop);
        m_window.EndProgram(EXIT_FAILURE);
    }
}

bool MovieMaker::EndIfFinished(Button button) {
    if (m_window.Caption(button) != kFinished) {
        return false;
    }
    m_window.EndProgram(EXIT_SUCCESS);
    return true;
}

void MovieMaker::Form_Load() {
    m_parameters = Parameters{};
}

void MovieMaker::Skew_Change() {
    Handle([&] { m_parameters.SkewBytes = NumberFromText(m_window.BoxText(Box::Skew), "Skew"); });
}

void MovieMaker::UpDown_Change() {
    Handle([&] { m_parameters.UpLines = NumberFromText(m_window.BoxText(Box::UpDown), "Up"); });
}

void MovieMaker::ZIDAFile_Change() {
    m_parameters.SourceName = m_window.BoxText(Box::ZIDAFile);
}

void MovieMaker::Skew_KeyPress(int& KeyAscii) {
    KeyAscii = FilterKey(KeyAscii);
}

void MovieMaker::UpDown_KeyPress(int& KeyAscii) {
    KeyAscii = FilterKey(KeyAscii);
}

void MovieMaker::Check_Click() {
    Handle([&] {
        if (EndIfFinished(Button::Check)) {
            return;
        }
        Paths paths(m_window.ProgramFolder());
        AlignmentPreview(m_window, m_parameters, paths).Run();
    });
}

void MovieMaker::MakeMovie_Click() {
    Handle([&] {
        if (EndIfFinished(Button::MakeMovie)) {
            return;
        }
        Paths paths(m_window.ProgramFolder());
        // Held by this build from its first file to the closing box.
        if (std::optional<OutputFolder> output =
                TrackSplitter(m_window, m_parameters, paths).Run()) {
            MakeCueSheet(m_window, *output);
        }
    });
}

}  // namespace zv
