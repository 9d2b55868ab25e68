#include <windows.h>

#include "app/win32/MainWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    return zv::MainWindow::RunProgram(showCommand);
}
