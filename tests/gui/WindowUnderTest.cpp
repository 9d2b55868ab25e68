#include "tests/gui/WindowUnderTest.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <stdexcept>

namespace zv::test {

TestWindow::TestWindow(const std::string& programFolder, int& ends)
    : MainWindow(MainWindowOptions{programFolder, [&ends] { ++ends; }}) {}

void TestWindow::SetCaption(Button button, const std::string& text) {
    m_captionsSet.emplace_back(button, text);
    MainWindow::SetCaption(button, text);
    if (onCaption) {
        onCaption(button, text);
    }
}

std::vector<std::string> TestWindow::CaptionsSet(Button button) const {
    std::vector<std::string> texts;
    for (const auto& [which, text] : m_captionsSet) {
        if (which == button) {
            texts.push_back(text);
        }
    }
    return texts;
}

QStringList PaintLog::Painted(const QString& objectName) const {
    auto found = m_texts.find(objectName);
    return found == m_texts.end() ? QStringList() : found->second;
}

int PaintLog::Paints(const QString& objectName) const {
    auto found = m_paints.find(objectName);
    return found == m_paints.end() ? 0 : found->second;
}

bool PaintLog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ++m_paints[watched->objectName()];
        if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
            QStringList& texts = m_texts[watched->objectName()];
            if (texts.isEmpty() || texts.back() != button->text()) {
                texts.push_back(button->text());
            }
        }
    }
    return false;
}

WindowUnderTest::WindowUnderTest() : m_window(m_folder.Path(), m_ends) {
    for (const char* name : {"Check", "MakeMovie", "TVScreen"}) {
        m_window.findChild<QWidget*>(QString::fromLatin1(name))->installEventFilter(&m_paints);
    }
    m_window.show();
    if (!QTest::qWaitForWindowExposed(&m_window)) {
        throw std::runtime_error("the window was never shown");
    }
}

QLineEdit& WindowUnderTest::Box(const char* objectName) {
    auto* box = m_window.findChild<QLineEdit*>(QString::fromLatin1(objectName));
    if (box == nullptr) {
        throw std::runtime_error(std::string("no box named ") + objectName);
    }
    return *box;
}

QPushButton& WindowUnderTest::Button(const char* objectName) {
    auto* button = m_window.findChild<QPushButton*>(QString::fromLatin1(objectName));
    if (button == nullptr) {
        throw std::runtime_error(std::string("no button named ") + objectName);
    }
    return *button;
}

QWidget& WindowUnderTest::Screen() {
    auto* screen = m_window.findChild<QWidget*>(QStringLiteral("TVScreen"));
    if (screen == nullptr) {
        throw std::runtime_error("no TVScreen");
    }
    return *screen;
}

QImage WindowUnderTest::Picture() {
    QWidget& screen = Screen();
    return screen.grab(screen.contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace zv::test
