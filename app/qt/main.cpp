#include <QApplication>

#include "app/qt/MainWindow.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    zv::MainWindow window;
    window.show();
    return QApplication::exec();
}
