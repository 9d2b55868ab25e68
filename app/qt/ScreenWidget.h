#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

namespace zv {

// The picture area: a one-pixel frame around an image that the preview draws into pixel by
// pixel. Pixels are kept in the image and reach the screen when RepaintPending is called.
class ScreenWidget : public QWidget {
    Q_OBJECT

public:
    explicit ScreenWidget(QWidget* parent = nullptr);

    // Drawing coordinates start at the top-left pixel inside the frame.
    const QImage& Image() const { return m_image; }

    // Clears the whole area to the colour.
    void SetBackground(QColor colour);
    // One pixel, the only pen the preview uses; points outside the area are clipped.
    void SetPixel(int x, int y, QRgb colour);

    bool HasPendingPixels() const { return !m_dirty.isEmpty(); }
    // True when (x, y) would start another line than the pixels not yet on the screen.
    bool StartsNewLine(int y) const {
        return HasPendingPixels() && (y < m_dirty.top() || y > m_dirty.bottom());
    }
    // Paints the changed pixels now, without returning to the event loop.
    void RepaintPending();
    void RepaintAll();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect OnWidget(const QRect& imageRect) const;

    QImage m_image;
    QColor m_background;
    QRect m_dirty;
};

}  // namespace zv
