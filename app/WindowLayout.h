#pragma once

#include <cstddef>
#include <string_view>

#include "common/Window.h"

namespace zv {

// The window as data, read by both toolkits: what each control is, where it sits, what it shows.
// Each window makes its own widgets from this table; tests keep their own copy of the figures.

inline constexpr char kWindowTitle[] = "ZE Veduz";
// 1,440 twips make an inch, 15 a pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1'440;
inline constexpr int kClientWidthTwips = 1'680;
inline constexpr int kClientHeightTwips = 3'705;

enum class ControlKind { Picture, Box, Label, Button };

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlDescription {
    const char* name;
    ControlKind kind;
    TwipsRect twips;
    const char* text;
    // Characters a box takes; 0 for no limit.
    int maxLength;
    // Offset boxes: only the key filter's digits go in, so no input method may compose text.
    bool digitsOnly;
    // A label: the box it names for screen readers. Other controls: their name for screen
    // readers, or nullptr when their text names them.
    const char* names;
};

// In the order the tab key visits them; labels take no focus.
inline constexpr ControlDescription kControls[] = {
    {"TVScreen", ControlKind::Picture, {205, 120, 1'270, 1'267}, "", 0, false, "Alignment picture"},
    {"Skew", ControlKind::Box, {360, 1'680, 375, 285}, "46", 3, true, nullptr},
    {"UpDown", ControlKind::Box, {960, 1'680, 375, 285}, "13", 3, true, nullptr},
    {"Label2", ControlKind::Label, {350, 1'440, 495, 255}, "Skew", 0, false, "Skew"},
    {"Label3", ControlKind::Label, {960, 1'440, 375, 255}, "Up", 0, false, "UpDown"},
    {"ZIDAFile", ControlKind::Box, {120, 2'280, 1'455, 315}, "", 0, false, nullptr},
    {"Label1", ControlKind::Label, {480, 2'040, 855, 255}, "ZIDA File", 0, false, "ZIDAFile"},
    {"Check", ControlKind::Button, {120, 2'760, 1'455, 375}, "Check Alignment", 0, false, nullptr},
    {"MakeMovie", ControlKind::Button, {120, 3'240, 1'455, 375}, "Make Movie", 0, false, nullptr},
};

inline constexpr std::size_t kControlCount = std::size(kControls);

// The index of the control in kControls; kControlCount for an unknown name.
constexpr std::size_t IndexOf(std::string_view name) {
    std::size_t index = 0;
    while (index < kControlCount && std::string_view(kControls[index].name) != name) {
        ++index;
    }
    return index;
}

constexpr const ControlDescription& ControlNamed(std::string_view name) {
    return kControls[IndexOf(name)];
}

// The label that names the box, or nullptr.
constexpr const ControlDescription* LabelOf(std::string_view box) {
    for (const ControlDescription& control : kControls) {
        if (control.kind == ControlKind::Label && std::string_view(control.names) == box) {
            return &control;
        }
    }
    return nullptr;
}

// The control the logic means by a box or a button.
constexpr const char* NameOf(Box box) {
    constexpr const char* kNames[] = {"Skew", "UpDown", "ZIDAFile"};
    return kNames[static_cast<int>(box)];
}

constexpr const char* NameOf(Button button) {
    return button == Button::Check ? "Check" : "MakeMovie";
}

// At 96 dots per inch, rounded to the nearest pixel.
constexpr int PixelsAt96Dpi(int twips) {
    constexpr int kTwipsPerPixel = kTwipsPerInch / 96;
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

}  // namespace zv
