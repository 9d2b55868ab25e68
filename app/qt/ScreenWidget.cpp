#include "app/qt/ScreenWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

namespace zv {

namespace {
constexpr int kFrameWidth = 1;
}  // namespace

ScreenWidget::ScreenWidget(QWidget* parent)
    : QWidget(parent), m_background(palette().color(QPalette::Window)) {
    setContentsMargins(kFrameWidth, kFrameWidth, kFrameWidth, kFrameWidth);
    // Every pixel is painted from the image: nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void ScreenWidget::SetBackground(Rgb colour) {
    m_background = QColor(colour.red, colour.green, colour.blue);
    m_image.fill(m_background);
}

bool ScreenWidget::SetPixel(int x, int y, Rgb colour) {
    if (!m_image.rect().contains(x, y)) {
        return false;
    }
    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = qRgb(colour.red, colour.green, colour.blue);
    return true;
}

void ScreenWidget::RepaintRows(int first, int last) {
    QRect rows(0, first, m_image.width(), last - first + 1);
    repaint(rows.translated(contentsRect().topLeft()));
}

void ScreenWidget::RepaintAll() {
    repaint();
}

void ScreenWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawImage(contentsRect().topLeft(), m_image);
}

void ScreenWidget::resizeEvent(QResizeEvent*) {
    // The area has a fixed size in practice; a new one starts cleared.
    if (m_image.size() != contentsRect().size()) {
        m_image = QImage(contentsRect().size(), QImage::Format_RGB32);
        m_image.fill(m_background);
    }
}

}  // namespace zv
