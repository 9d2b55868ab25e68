#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "tests/support/TempFolder.h"

class QLineEdit;
class QPushButton;

namespace zv::test {

// The real window, with the two operations a test cannot let through: ending the program is
// counted, and the captions the logic sets are noted before the window shows them.
class TestWindow : public MainWindow {
public:
    TestWindow(const std::string& programFolder, int& ends);

    void SetCaption(Button button, const std::string& text) override;

    std::vector<std::string> CaptionsSet(Button button) const;
    // Runs after each caption is set: lets a test change the world in the middle of a build.
    std::function<void(Button button, const std::string& text)> onCaption;

private:
    std::vector<std::pair<Button, std::string>> m_captionsSet;
};

// Notes the text of each button whenever it is painted: what the user actually saw, in order.
class PaintLog : public QObject {
public:
    // Consecutive paints of the same text count once.
    QStringList Painted(const QString& objectName) const;
    int Paints(const QString& objectName) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::map<QString, QStringList> m_texts;
    std::map<QString, int> m_paints;
};

// A shown window in a fresh temporary program folder.
class WindowUnderTest {
public:
    WindowUnderTest();

    const std::string& Folder() const { return m_folder.Path(); }
    std::string operator/(const std::string& name) const { return m_folder / name; }
    TestWindow& Window() { return m_window; }
    int Ends() const { return m_ends; }

    QLineEdit& Box(const char* objectName);
    QPushButton& Button(const char* objectName);
    QWidget& Screen();
    // The inner drawing area of TVScreen as it is painted.
    QImage Picture();
    const PaintLog& Paints() const { return m_paints; }

private:
    TempFolder m_folder;
    int m_ends = 0;
    TestWindow m_window;
    PaintLog m_paints;
};

}  // namespace zv::test
