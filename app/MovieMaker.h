#pragma once

#include "common/Window.h"
#include "params/Parameters.h"

namespace zv {

// Owns the values the user sets and runs the operation of each of the window's events. A click or
// a box's change whose operation fails with a StandardError shows it in a stop box; the program
// then ends with EXIT_FAILURE.
class MovieMaker {
public:
    explicit MovieMaker(Window& window);

    void Form_Load();
    void Skew_Change();
    void UpDown_Change();
    void ZIDAFile_Change();
    // Set KeyAscii to 0 to swallow the typed character.
    void Skew_KeyPress(int& KeyAscii);
    void UpDown_KeyPress(int& KeyAscii);
    void Check_Click();
    void MakeMovie_Click();

    // Tests and benchmarks set the values without boxes to type them into.
    Parameters& Values() { return m_parameters; }
    const Parameters& Values() const { return m_parameters; }

private:
    template <typename Operation>
    void Handle(Operation&& operation);
    bool EndIfFinished(Button button);

    Window& m_window;
    Parameters m_parameters;
};

}  // namespace zv
