// "Check Alignment" through the window: the frames drawn into TVScreen, read back pixel by pixel.
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "tests/gui/BoxAnswerer.h"
#include "tests/gui/GuiTestMain.h"
#include "tests/gui/WindowUnderTest.h"

using zv::test::BoxAnswerer;
using zv::test::WindowUnderTest;

namespace {

constexpr int kLines = 147;
constexpr int kGroups = 20;
constexpr int kDrawnWidth = 80;
constexpr int kDrawnLines = 81;
const QRgb kBlue = qRgb(0, 0, 255);

// Changes with the frame, the line and the place, so that any of them out of step shows.
int PixelValue(int frame, int y, int x) {
    return (x + 3 * y + 5 * frame) % 16;
}

QRgb Gray(int value) {
    return qRgb(value * 17, value * 17, value * 17);
}

std::vector<unsigned char> Recording(int headBytes, int frames) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(headBytes), 0x99);
    for (int frame = 0; frame < frames; ++frame) {
        for (int y = 0; y < kLines; ++y) {
            for (int group = 0; group < kGroups; ++group) {
                // Two bytes that are not shown, then two bytes of two pixels each.
                bytes.push_back(0xA5);
                bytes.push_back(0x5A);
                for (int x = group * 4; x < group * 4 + 4; x += 2) {
                    bytes.push_back(static_cast<unsigned char>(PixelValue(frame, y, x) << 4 |
                                                               PixelValue(frame, y, x + 1)));
                }
            }
        }
    }
    return bytes;
}

void Type(QLineEdit& box, const QString& text) {
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, text);
}

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private slots:
    void DrawsTheLastFrameOnBlue_data();
    void DrawsTheLastFrameOnBlue();
    void SkipBeyondTheLimitStopsTheProgram();
};

void PreviewTest::DrawsTheLastFrameOnBlue_data() {
    QTest::addColumn<QString>("up");
    QTest::addColumn<QString>("skew");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("shownFrames");
    QTest::newRow("twelve frames: ten are read") << "2"
                                                 << "7" << 12 << 10;
    QTest::newRow("nothing after the head") << "1"
                                            << "1" << 0 << 0;
}

void PreviewTest::DrawsTheLastFrameOnBlue() {
    QFETCH(QString, up);
    QFETCH(QString, skew);
    QFETCH(int, frames);
    QFETCH(int, shownFrames);

    WindowUnderTest window;
    zv::test::WriteBytes(window / "take1.raw", Recording(up.toInt() * 80 + skew.toInt(), frames));
    Type(window.Box("UpDown"), up);
    Type(window.Box("Skew"), skew);
    QTest::keyClicks(&window.Box("ZIDAFile"), QStringLiteral("take1.raw"));
    int screenPaintsBefore = window.Paints().Paints(QStringLiteral("TVScreen"));

    BoxAnswerer answerer;
    QTest::mouseClick(&window.Button("Check"), Qt::LeftButton);

    QVERIFY(answerer.Boxes().empty());
    QCOMPARE(window.Ends(), 0);
    QCOMPARE(window.Button("Check").text(), QStringLiteral("Check Again?"));
    QCOMPARE(window.Button("MakeMovie").text(), QStringLiteral("Make Movie"));
    std::vector<std::string> expected(static_cast<std::size_t>(shownFrames * kLines), "Checking!");
    expected.push_back("Check Again?");
    QCOMPARE(window.Window().CaptionsSet(zv::Button::Check), expected);

    QImage picture = window.Picture();
    int lastFrame = shownFrames - 1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            bool drawn = shownFrames > 0 && x < kDrawnWidth && y < kDrawnLines;
            QRgb want = drawn ? Gray(PixelValue(lastFrame, y, x)) : kBlue;
            if (picture.pixel(x, y) != want) {
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3, not %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(picture.pixel(x, y), 8, 16)
                                     .arg(want, 8, 16)));
            }
        }
    }
    // The pixels reached the screen while the frames were drawn: at least once per line drawn.
    int screenPaints = window.Paints().Paints(QStringLiteral("TVScreen")) - screenPaintsBefore;
    QVERIFY2(screenPaints >= shownFrames * kDrawnLines, qPrintable(QString::number(screenPaints)));
}

void PreviewTest::SkipBeyondTheLimitStopsTheProgram() {
    WindowUnderTest window;
    zv::test::WriteBytes(window / "take1.raw", Recording(410 * 80, 1));
    Type(window.Box("UpDown"), QStringLiteral("410"));
    window.Box("ZIDAFile").setText(QStringLiteral("take1.raw"));

    int endsWhileOpen = -1;
    BoxAnswerer answerer([&] { endsWhileOpen = window.Ends(); });
    QTest::mouseClick(&window.Button("Check"), Qt::LeftButton);

    QCOMPARE(answerer.Boxes().size(), std::size_t{1});
    QCOMPARE(answerer.Boxes().front().title, QStringLiteral("ZE Veduz"));
    QCOMPARE(answerer.Boxes().front().icon, QMessageBox::Critical);
    QVERIFY(!answerer.Boxes().front().text.isEmpty());
    QCOMPARE(endsWhileOpen, 0);
    QCOMPARE(window.Ends(), 1);
    QCOMPARE(window.Button("Check").text(), QStringLiteral("Check Alignment"));
}

ZV_GUI_TEST_MAIN(PreviewTest)
#include "PreviewTest.moc"
