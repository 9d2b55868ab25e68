#include <QApplication>

#include "app/qt/MainWindow.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    zv::MainWindow window;  // its load event runs before it is first shown
    window.show();
    return QApplication::exec();
}
