#include <windows.h>

#include <cstdlib>

#include "app/win32/MainWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    zv::MainWindow window;  // its load event runs before it is first shown
    if (window.Hwnd() == nullptr) {
        return EXIT_FAILURE;
    }
    window.Show(showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and Shift+Tab move between the controls as in a dialog.
        if (!IsDialogMessageW(window.Hwnd(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
