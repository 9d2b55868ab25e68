#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/win32/BaseWindow.h"

namespace zv {

// The picture area: a one-pixel frame around an image that the preview draws into pixel by
// pixel. The image has the inner size the area has at 96 dots per inch and is scaled with the
// area's dots per inch. Pixels are kept in the image and reach the screen when RepaintPending is
// called.
class ScreenWidget : public BaseWindow<ScreenWidget> {
public:
    ScreenWidget(HWND parent, int id, int imageWidth, int imageHeight);

    // Clears the whole area to the colour, given as a COLORREF.
    void SetBackground(COLORREF colour);
    // One pixel, the only pen the preview uses; points outside the area are clipped.
    void SetPixel(int x, int y, COLORREF colour);

    bool HasPendingPixels() const { return m_dirtyTop <= m_dirtyBottom; }
    // True when (x, y) would start another line than the pixels not yet on the screen.
    bool StartsNewLine(int y) const {
        return HasPendingPixels() && (y < m_dirtyTop || y > m_dirtyBottom);
    }
    // Paints the changed pixels now, without returning to the message loop.
    void RepaintPending();
    void RepaintAll();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnPaint(HWND hwnd);
    RECT Inner() const;
    void MarkClean();

    int m_width;
    int m_height;
    COLORREF m_background;
    // Top-down rows of 0x00RRGGBB, as a 32-bit DIB holds them.
    std::vector<std::uint32_t> m_pixels;
    int m_dirtyTop = 0;
    int m_dirtyBottom = -1;
};

}  // namespace zv
