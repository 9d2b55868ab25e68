#pragma once

#include "common/Window.h"

namespace zv {

// The picture area as a toolkit draws it: an image that the preview sets pixel by pixel, which
// reaches the screen when its rows are repainted.
class ScreenImage {
public:
    // Clears the whole image to the colour.
    virtual void SetBackground(Rgb colour) = 0;
    // Drawing coordinates start at the top-left pixel inside the frame; false for a point outside
    // the image, which stays as it was.
    virtual bool SetPixel(int x, int y, Rgb colour) = 0;
    // Paint now, without returning to the event loop.
    virtual void RepaintRows(int first, int last) = 0;
    virtual void RepaintAll() = 0;

protected:
    ~ScreenImage() = default;
};

}  // namespace zv
