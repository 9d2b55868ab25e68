#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/MovieMaker.h"
#include "app/PacedWindow.h"
#include "app/win32/BaseWindow.h"
#include "app/win32/OffsetKeyFilter.h"
#include "app/win32/ScreenWidget.h"

namespace zv {

// The one window of ZE Veduz. It forwards its controls' events to MovieMaker and carries out what
// MovieMaker asks of a window. Its load event runs in the constructor, before it is first shown.
class MainWindow : public BaseWindow<MainWindow>, public PacedWindow {
public:
    MainWindow();
    ~MainWindow() override;

    void Show(int showCommand);

    std::string BoxText(Box box) const override;
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageStyle style) override;
    void EndProgram(int exitStatus) override;
    std::string ProgramFolder() const override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    void PaintCaption(Button button, const std::string& text) override;
    void FillScreenImage(Rgb colour) override;
    bool SetScreenImagePixel(int x, int y, Rgb colour) override;
    void PaintScreenRows(int first, int last) override;
    void PaintScreen() override;

private:
    void CreateControls();
    void WireEvents();
    // Sizes, places and sets the font of everything for the window's dots per inch.
    void LayOut(UINT dpi);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);
    void OnSetFocus(HWND hwnd, HWND previous);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnDestroy(HWND hwnd);
    // Runs one event handler of MovieMaker and puts on the screen whatever it left pending.
    void Handle(void (MovieMaker::*handler)());
    HWND BoxOf(Box box) const;

    std::unique_ptr<ScreenWidget> m_screen;
    HWND m_skew = nullptr;
    HWND m_upDown = nullptr;
    HWND m_zidaFile = nullptr;
    HWND m_check = nullptr;
    HWND m_makeMovie = nullptr;
    HWND m_label1 = nullptr;
    HWND m_label2 = nullptr;
    HWND m_label3 = nullptr;
    std::unique_ptr<OffsetKeyFilter> m_skewFilter;
    std::unique_ptr<OffsetKeyFilter> m_upDownFilter;
    HFONT m_font = nullptr;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    // Where the focus was when the window last lost it.
    HWND m_lastFocus = nullptr;
    bool m_wired = false;
    bool m_ending = false;
    MovieMaker m_maker;
};

}  // namespace zv
