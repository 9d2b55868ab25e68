#include <QApplication>

#include "app/qt/MainWindow.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Wayland docks match a window to its desktop entry by this name alone.
    QGuiApplication::setDesktopFileName(QStringLiteral("zeveduz"));
    zv::MainWindow window;
    window.show();
    return QApplication::exec();
}
