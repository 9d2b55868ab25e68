#include "tests/gui/BoxAnswerer.h"

#include <QApplication>
#include <QPushButton>
#include <utility>

namespace zv::test {

BoxAnswerer::BoxAnswerer(std::function<void()> whileOpen) : m_whileOpen(std::move(whileOpen)) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Answer(); });
    m_timer.start(0);
}

void BoxAnswerer::Answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return;
    }
    m_boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                       box->windowModality() == Qt::ApplicationModal});
    if (m_whileOpen) {
        m_whileOpen();
    }
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
    } else {
        box->reject();
    }
}

}  // namespace zv::test
