#pragma once

#include <QApplication>
#include <QtTest>

// Offscreen unless the environment names another platform (an X server, say).
#define ZV_GUI_TEST_MAIN(TestClass)                           \
    int main(int argc, char** argv) {                         \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) { \
            qputenv("QT_QPA_PLATFORM", "offscreen");          \
        }                                                     \
        QApplication application(argc, argv);                 \
        TestClass test;                                       \
        return QTest::qExec(&test, argc, argv);               \
    }
