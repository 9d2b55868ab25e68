#include "app/qt/PacedCaption.h"

#include <QAbstractButton>
#include <utility>

namespace zv {

namespace {
// About one frame of a 60 Hz screen: faster changes could not be seen anyway.
constexpr qint64 kPaintIntervalMs = 16;
}  // namespace

PacedCaption::PacedCaption(QAbstractButton& button, std::string text)
    : m_button(button), m_text(std::move(text)) {
    m_button.setText(QString::fromStdString(m_text));
}

void PacedCaption::Set(const std::string& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    if (m_sincePaint.isValid() && m_sincePaint.elapsed() < kPaintIntervalMs) {
        m_pending = true;
        return;
    }
    Paint();
}

void PacedCaption::Flush() {
    if (m_pending) {
        Paint();
    }
}

void PacedCaption::Paint() {
    m_button.setText(QString::fromStdString(m_text));
    // Synchronous: the operation that sets the caption does not return to the event loop.
    m_button.repaint();
    m_sincePaint.start();
    m_pending = false;
}

}  // namespace zv
