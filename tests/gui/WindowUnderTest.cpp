#include "tests/gui/WindowUnderTest.h"

#include <QMessageBox>
#include <stdexcept>
#include <utility>

namespace zv::test {

WindowUnderTest::WindowUnderTest()
    : m_window(
          MainWindowOptions{m_folder.Path(), [this](int status) { m_ends.push_back(status); }}) {
    Button("Check").installEventFilter(this);
    Button("MakeMovie").installEventFilter(this);
    m_window.show();
    if (!QTest::qWaitForWindowExposed(&m_window)) {
        throw std::runtime_error("the window was never shown");
    }
}

QImage WindowUnderTest::Picture() {
    return Screen().grab(Screen().contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
}

bool WindowUnderTest::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QPushButton*>(watched);
    if (event->type() == QEvent::Paint && button != nullptr) {
        QStringList& texts = m_painted[button->objectName()];
        if (texts.isEmpty() || texts.back() != button->text()) {
            texts.push_back(button->text());
        }
        if (m_action && m_whenPainted == button->objectName() + " " + button->text()) {
            std::exchange(m_action, {})();
        }
    }
    return false;
}

void WindowUnderTest::WhenPainted(const char* button, const QString& text,
                                  std::function<void()> action) {
    m_whenPainted = QString::fromLatin1(button) + " " + text;
    m_action = std::move(action);
}

BoxAnswerer::BoxAnswerer(std::function<void()> whileOpen) {
    QObject::connect(&m_timer, &QTimer::timeout, [this, whileOpen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        QString kind = box->icon() == QMessageBox::Critical      ? "stop"
                       : box->icon() == QMessageBox::Information ? "information"
                                                                 : "other";
        bool plainModalOk = box->textFormat() == Qt::PlainText &&
                            box->windowModality() == Qt::ApplicationModal &&
                            box->standardButtons() == QMessageBox::Ok;
        m_boxes << kind + " " + box->windowTitle() + ": " + box->text() +
                       (plainModalOk ? "" : " (not plain, modal, OK alone)");
        if (whileOpen) {
            whileOpen();
        }
        box->button(QMessageBox::Ok)->click();
    });
    m_timer.start(0);
}

}  // namespace zv::test
