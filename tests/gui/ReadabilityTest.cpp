// Every caption, label and three-digit value is drawn in full: none is clipped by its control.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "tests/gui/GuiTestMain.h"
#include "tests/gui/WindowUnderTest.h"

using zv::test::WindowUnderTest;

namespace {

// A control's frame is drawn within this many pixels of its edge; its text never is.
constexpr int kFrameMargin = 2;

// Text is drawn in black; backgrounds and frames are far lighter.
constexpr int kInkGray = 160;

QRect InkBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < kInkGray) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

// The text's ink as it looks with nothing to clip it.
QRect InkBoundsOfText(const QFont& font, const QString& text) {
    QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 20, metrics.height() + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(10, 10 + metrics.ascent(), text);
    painter.end();
    return InkBounds(image, image.rect());
}

}  // namespace

class ReadabilityTest : public QObject {
    Q_OBJECT

private slots:
    void TextIsDrawnInFull_data();
    void TextIsDrawnInFull();
};

void ReadabilityTest::TextIsDrawnInFull_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    for (const char* caption :
         {"Check Alignment", "Checking!", "Check Again?", " 900", " 1", "Finished!"}) {
        QTest::newRow(caption) << "Check" << caption;
    }
    for (const char* caption :
         {"Make Movie", "Hold on...", "Making CH-1", "Making CH-99", "Finished!"}) {
        QTest::newRow(caption) << "MakeMovie" << caption;
    }
    for (const char* digits : {"888", "000", "409"}) {
        QTest::newRow(qPrintable(QStringLiteral("Skew %1").arg(digits))) << "Skew" << digits;
        QTest::newRow(qPrintable(QStringLiteral("UpDown %1").arg(digits))) << "UpDown" << digits;
    }
    QTest::newRow("Label1") << "Label1"
                            << "ZIDA File";
    QTest::newRow("Label2") << "Label2"
                            << "Skew";
    QTest::newRow("Label3") << "Label3"
                            << "Up";
}

void ReadabilityTest::TextIsDrawnInFull() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    WindowUnderTest window;
    QWidget* widget = window.Window().findChild<QWidget*>(control);
    QVERIFY(widget != nullptr);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        box->setText(text);
        QCOMPARE(box->text(), text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else {
        QCOMPARE(qobject_cast<QLabel*>(widget)->text(), text);
    }
    QImage shown = widget->grab().toImage();
    // Labels have no frame: their text may start at the edge.
    int margin = qobject_cast<QLabel*>(widget) != nullptr ? 0 : kFrameMargin;
    QRect inside = shown.rect().adjusted(margin, margin, -margin, -margin);
    QRect drawn = InkBounds(shown, inside);
    QRect whole = InkBoundsOfText(widget->font(), text);
    // Glyphs may land a fraction of a pixel apart, which moves an edge by one pixel at most.
    QVERIFY2(drawn.width() >= whole.width() - 1 && drawn.height() >= whole.height() - 1,
             qPrintable(QStringLiteral("ink of %1 x %2 pixels drawn, %3 x %4 in the whole text")
                            .arg(drawn.width())
                            .arg(drawn.height())
                            .arg(whole.width())
                            .arg(whole.height())));
}

ZV_GUI_TEST_MAIN(ReadabilityTest)
#include "ReadabilityTest.moc"
