#include "app/win32/ScreenWidget.h"

#include <windowsx.h>

#include <algorithm>

namespace zv {

namespace {

constexpr wchar_t kClassName[] = L"ZEVeduzScreen";
constexpr int kFrameWidth = 1;

std::uint32_t DibPixel(Rgb colour) {
    return static_cast<std::uint32_t>(colour.red) << 16 |
           static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

Rgb RgbOf(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

}  // namespace

ScreenWidget::ScreenWidget(HWND parent, int id, int imageWidth, int imageHeight)
    : m_width(imageWidth),
      m_height(imageHeight),
      m_background(RgbOf(GetSysColor(COLOR_BTNFACE))),
      m_pixels(static_cast<std::size_t>(imageWidth) * static_cast<std::size_t>(imageHeight),
               DibPixel(m_background)) {
    WNDCLASSEXW windowClass{};
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    Create(kClassName, windowClass, 0, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, parent,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void ScreenWidget::SetBackground(Rgb colour) {
    m_background = colour;
    std::fill(m_pixels.begin(), m_pixels.end(), DibPixel(colour));
}

bool ScreenWidget::SetPixel(int x, int y, Rgb colour) {
    if (x < 0 || x >= m_width || y < 0 || y >= m_height) {
        return false;
    }
    m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
             static_cast<std::size_t>(x)] = DibPixel(colour);
    return true;
}

void ScreenWidget::RepaintRows(int first, int last) {
    // Widened to whole pixels of the scaled image.
    RECT inner = Inner();
    int innerHeight = inner.bottom - inner.top;
    RECT rows = inner;
    rows.top = inner.top + first * innerHeight / m_height;
    rows.bottom = inner.top + ((last + 1) * innerHeight + m_height - 1) / m_height;
    InvalidateRect(m_hwnd, &rows, FALSE);
    UpdateWindow(m_hwnd);
}

void ScreenWidget::RepaintAll() {
    InvalidateRect(m_hwnd, nullptr, FALSE);
    UpdateWindow(m_hwnd);
}

LRESULT ScreenWidget::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(m_hwnd, WM_PAINT, OnPaint);
        case WM_ERASEBKGND:
            // Every pixel is painted from the image: nothing needs erasing first.
            return 1;
        case WM_LBUTTONDOWN:
            SetFocus(m_hwnd);
            return 0;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void ScreenWidget::OnPaint(HWND hwnd) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT outer;
    GetClientRect(hwnd, &outer);
    FrameRect(dc, &outer, GetSysColorBrush(COLOR_BTNSHADOW));
    // What the scaled image leaves of the area inside the frame shows the background.
    InflateRect(&outer, -kFrameWidth, -kFrameWidth);
    RECT inner = Inner();
    HBRUSH background =
        CreateSolidBrush(RGB(m_background.red, m_background.green, m_background.blue));
    RECT right{inner.right, outer.top, outer.right, outer.bottom};
    RECT below{outer.left, inner.bottom, inner.right, outer.bottom};
    FillRect(dc, &right, background);
    FillRect(dc, &below, background);
    DeleteObject(background);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Whole pixels, never blended: the preview's grays must reach the screen as they are.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top, 0,
                  0, m_width, m_height, m_pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    EndPaint(hwnd, &paint);
}

RECT ScreenWidget::Inner() const {
    // Whole screen pixels for every image pixel where the scale allows.
    UINT dpi = GetDpiForWindow(m_hwnd);
    RECT outer;
    GetClientRect(m_hwnd, &outer);
    return RECT{kFrameWidth, kFrameWidth,
                std::min<LONG>(kFrameWidth + MulDiv(m_width, dpi, USER_DEFAULT_SCREEN_DPI),
                               outer.right - kFrameWidth),
                std::min<LONG>(kFrameWidth + MulDiv(m_height, dpi, USER_DEFAULT_SCREEN_DPI),
                               outer.bottom - kFrameWidth)};
}

}  // namespace zv
