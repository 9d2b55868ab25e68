#pragma once

#include "common/Window.h"
#include "params/Parameters.h"
#include "params/Paths.h"

namespace zv {

// Draws up to ten frames from the start of the recording into the picture area, one over the
// other, so that the user can judge the alignment values.
class AlignmentPreview {
public:
    AlignmentPreview(Window& window, const Parameters& parameters, const Paths& paths);

    void Run();

private:
    void DrawLine(const unsigned char* line, int y);

    Window& m_window;
    const Parameters& m_parameters;
    const Paths& m_paths;
};

}  // namespace zv
