#pragma once

#include <cstdint>
#include <string>

namespace zv {

enum class Box { Skew, UpDown, ZIDAFile };
enum class Button { Check, MakeMovie };

// The numbers are the message box styles the program uses.
enum class MessageStyle { Stop = 16, Information = 64 };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr char kFinished[] = "Finished!";

// Everything the logic asks of the window. A typed character is swallowed by the key handlers of
// MovieMaker setting the character code they are given to 0; the window then inserts nothing.
class Window {
public:
    virtual ~Window() = default;

    virtual std::string BoxText(Box box) const = 0;
    virtual std::string Caption(Button button) const = 0;
    // The captions are all the progress a run shows, and a run keeps the event loop until it
    // ends: the window paints them itself.
    virtual void SetCaption(Button button, const std::string& text) = 0;

    // The whole area: the preview draws its frames one over the other on a clean area.
    virtual void SetScreenBackground(Rgb colour) = 0;
    virtual void RepaintScreen() = 0;
    virtual void SetScreenPenWidth(int pixels) = 0;
    // Painted without the event loop, as captions are. A point outside the area is dropped, not
    // an error: the picture shows what fits.
    virtual void SetScreenPixel(int x, int y, Rgb colour) = 0;

    // Returns once the user has answered: what the run does next waits until the box is read.
    virtual void ShowMessage(const std::string& text, const std::string& title,
                             MessageStyle style) = 0;
    // The caller returns right after; the program ends once the event handler is left, with
    // EXIT_SUCCESS after a finished run or EXIT_FAILURE after a failure's stop box.
    virtual void EndProgram(int exitStatus) = 0;
    // The folder of the program's executable, without a trailing separator.
    virtual std::string ProgramFolder() const = 0;
};

}  // namespace zv
