#pragma once

#include <QImage>
#include <QWidget>

#include "app/ScreenImage.h"

namespace zv {

// The picture area: a one-pixel frame around an image that the preview draws into pixel by
// pixel. Pixels are kept in the image and reach the screen when their rows are repainted.
class ScreenWidget : public QWidget, public ScreenImage {
    Q_OBJECT

public:
    explicit ScreenWidget(QWidget* parent = nullptr);

    void SetBackground(Rgb colour) override;
    bool SetPixel(int x, int y, Rgb colour) override;
    void RepaintRows(int first, int last) override;
    void RepaintAll() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_image;
    QColor m_background;
};

}  // namespace zv
