#pragma once

#include <QImage>
#include <QWidget>

namespace zv {

// The picture area: a one-pixel frame around an image that the preview draws into pixel by
// pixel. Pixels are kept in the image and reach the screen when their rows are repainted.
class ScreenWidget : public QWidget {
    Q_OBJECT

public:
    explicit ScreenWidget(QWidget* parent = nullptr);

    // Drawing coordinates start at the top-left pixel inside the frame.
    const QImage& Image() const { return m_image; }

    // Clears the whole area to the colour.
    void SetBackground(QColor colour);
    // One pixel, the only pen the preview uses; false for a point outside the area, which is
    // clipped.
    bool SetPixel(int x, int y, QRgb colour);

    // Paint now, without returning to the event loop.
    void RepaintRows(int first, int last);
    void RepaintAll();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_image;
    QColor m_background;
};

}  // namespace zv
