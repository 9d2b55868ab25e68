#pragma once

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <map>
#include <vector>

#include "app/qt/MainWindow.h"
#include "tests/support/TempFolder.h"

namespace zv::test {

// The real window, shown, in a fresh temporary program folder. Ending the program is noted
// instead, and the texts each button is painted with are logged: what a user saw, in order.
class WindowUnderTest : public QObject {
public:
    WindowUnderTest();

    std::string operator/(const std::string& name) const { return m_folder / name; }
    MainWindow& Window() { return m_window; }
    // The exit status of each end of the program asked for.
    const std::vector<int>& Ends() const { return m_ends; }
    QLineEdit& Box(const char* name) { return *m_window.findChild<QLineEdit*>(name); }
    QPushButton& Button(const char* name) { return *m_window.findChild<QPushButton*>(name); }
    QWidget& Screen() { return *m_window.findChild<QWidget*>("TVScreen"); }
    // The inner drawing area of TVScreen as it is painted.
    QImage Picture();
    // Consecutive paints of one text count once.
    QStringList Painted(const char* button) const { return m_painted.value(button); }
    // Runs `action` once, as soon as the button is painted with the text.
    void WhenPainted(const char* button, const QString& text, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TempFolder m_folder;
    std::vector<int> m_ends;
    QMap<QString, QStringList> m_painted;  // outlives the window, whose buttons report to it
    QString m_whenPainted;
    std::function<void()> m_action;
    MainWindow m_window;
};

// While it lives, answers every message box with OK as soon as it is open, and notes it as
// "<stop|information> <title>: <text>", marked when it is not plain text, modal to the application
// and with OK alone. A box blocks the click that opened it: the answer comes from a timer that
// runs in the box's own event loop.
class BoxAnswerer {
public:
    // `whileOpen` runs with the box on the screen, before it is answered.
    explicit BoxAnswerer(std::function<void()> whileOpen = {});

    const QStringList& Boxes() const { return m_boxes; }

private:
    QStringList m_boxes;
    QTimer m_timer;
};

}  // namespace zv::test
