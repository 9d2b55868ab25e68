#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

namespace zv::test {

// While it lives, answers every modal message box with OK as soon as it is open, and notes what
// the box showed. A box blocks the click that opened it, so the answer comes from a timer that
// runs in the box's own event loop.
class BoxAnswerer {
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        bool applicationModal = false;
    };

    // `whileOpen` runs with the box on the screen, before it is answered.
    explicit BoxAnswerer(std::function<void()> whileOpen = {});

    const std::vector<Box>& Boxes() const { return m_boxes; }

private:
    void Answer();

    std::function<void()> m_whileOpen;
    std::vector<Box> m_boxes;
    QTimer m_timer;
};

}  // namespace zv::test
