#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/PacedWindow.h"
#include "app/win32/BaseWindow.h"
#include "app/win32/OffsetKeyFilter.h"
#include "app/win32/ScreenWidget.h"

namespace zv {

// The one window of ZE Veduz. It forwards its controls' events to MovieMaker and carries out what
// MovieMaker asks of a window. A preview or a build runs inside its click; the window drops
// whatever the user does meanwhile.
class MainWindow : public BaseWindow<MainWindow>, public PacedWindow {
public:
    // An empty folder stands for the folder of the program's executable. Hwnd() is null when the
    // window could not be made.
    explicit MainWindow(std::string programFolder = {});
    ~MainWindow() override;

    // Makes the window, shows it and hands it its messages until the program ends; returns the
    // exit status. A window that cannot be made or a message that cannot be read ends the
    // program after a stop box, with EXIT_FAILURE.
    static int RunProgram(int showCommand, const std::string& programFolder = {});

    void Show(int showCommand);

    std::string BoxText(Box box) const override;
    void EndProgram(int exitStatus) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    void PaintCaption(Button button, const std::string& text) override;
    void ShowBox(const std::string& text, const std::string& title, MessageStyle style) override;
    void DrainInput() override;

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
    // The box's own message loop hands each of its messages here first.
    static LRESULT CALLBACK FilterBoxMessage(int code, WPARAM wParam, LPARAM lParam);
    // Answers Windows and paints what needs it, without taking any input.
    void KeepResponding();
    HWND Item(std::string_view name) const;

    std::unique_ptr<ScreenWidget> m_screen;
    std::unique_ptr<OffsetKeyFilter> m_skewFilter;
    std::unique_ptr<OffsetKeyFilter> m_upDownFilter;
    HFONT m_font = nullptr;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    // Where the focus was when the window last lost it.
    HWND m_lastFocus = nullptr;
    bool m_wired = false;
    bool m_ending = false;
};

}  // namespace zv
