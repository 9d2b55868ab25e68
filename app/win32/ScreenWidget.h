#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/ScreenImage.h"
#include "app/win32/BaseWindow.h"

namespace zv {

// The picture area: a one-pixel frame around an image that the preview draws into pixel by
// pixel. The image has the inner size the area has at 96 dots per inch and is scaled with the
// area's dots per inch. Pixels are kept in the image and reach the screen when their rows are
// repainted.
class ScreenWidget : public BaseWindow<ScreenWidget>, public ScreenImage {
public:
    ScreenWidget(HWND parent, int id, int imageWidth, int imageHeight);

    void SetBackground(Rgb colour) override;
    bool SetPixel(int x, int y, Rgb colour) override;
    void RepaintRows(int first, int last) override;
    void RepaintAll() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnPaint(HWND hwnd);
    RECT Inner() const;

    int m_width;
    int m_height;
    Rgb m_background;
    // Top-down rows of 0x00RRGGBB, as a 32-bit DIB holds them.
    std::vector<std::uint32_t> m_pixels;
};

}  // namespace zv
