#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/win32/BaseWindow.h"

namespace zv {

// The picture area: a one-pixel frame around an image that the preview draws into pixel by
// pixel. The image has the inner size the area has at 96 dots per inch and is scaled with the
// area's dots per inch. Pixels are kept in the image and reach the screen when their rows are
// repainted.
class ScreenWidget : public BaseWindow<ScreenWidget> {
public:
    ScreenWidget(HWND parent, int id, int imageWidth, int imageHeight);

    // Clears the whole area to the colour, given as a COLORREF.
    void SetBackground(COLORREF colour);
    // One pixel, the only pen the preview uses; false for a point outside the area, which is
    // clipped.
    bool SetPixel(int x, int y, COLORREF colour);

    // Paint now, without returning to the message loop.
    void RepaintRows(int first, int last);
    void RepaintAll();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnPaint(HWND hwnd);
    RECT Inner() const;

    int m_width;
    int m_height;
    COLORREF m_background;
    // Top-down rows of 0x00RRGGBB, as a 32-bit DIB holds them.
    std::vector<std::uint32_t> m_pixels;
};

}  // namespace zv
