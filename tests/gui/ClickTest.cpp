// The two buttons through the window: the picture drawn, the captions painted in order, the
// message boxes, and "Finished!" ending the program.
#include "tests/gui/WindowUnderTest.h"
#include "tests/support/TestFiles.h"

using zv::test::BoxAnswerer;
using zv::test::WindowUnderTest;

class ClickTest : public QObject {
    Q_OBJECT

private slots:
    void ThePreviewDrawsTheLastFrameOnBlue();
    void TheBuildPaintsEveryStepAndEndsWithFinished();
    void ACloseRequestDuringABuildIsIgnored();
};

// Two frames after the default head, under a name with accents. The second frame is black but
// for a white pixel at (0, 0) and at (79, 80); the two bytes before its pixel bytes, and its line
// 81, are white and not drawn. The first frame, all white, is drawn over.
void ClickTest::ThePreviewDrawsTheLastFrameOnBlue() {
    WindowUnderTest window;
    const std::size_t second = 1'086 + 11'760;
    std::vector<unsigned char> bytes(second, 0xFF);
    bytes.resize(second + 11'760, 0x00);
    for (std::size_t group = second; group < bytes.size(); group += 4) {
        bytes[group] = bytes[group + 1] = 0xFF;
    }
    bytes[second + 2] = 0xF0;
    bytes[second + 80 * 80 + 79] = 0x0F;
    std::fill_n(bytes.begin() + second + 81 * 80, 80, 0xFF);
    zv::test::WriteBytes(window / "Zvěřinec 1.raw", bytes);
    window.Box("ZIDAFile").setText(QStringLiteral("Zvěřinec 1.raw"));
    QTest::mouseClick(&window.Button("Check"), Qt::LeftButton);

    QCOMPARE(window.Button("Check").text(), QStringLiteral("Check Again?"));
    QImage picture = window.Picture();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            bool white = (x == 0 && y == 0) || (x == 79 && y == 80);
            QRgb want = x >= 80 || y >= 81 ? qRgb(0, 0, 255)
                        : white            ? qRgb(255, 255, 255)
                                           : qRgb(0, 0, 0);
            QVERIFY2(picture.pixel(x, y) == want,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
}

// Two track files: "Making CH-3" when the second starts. The closing box opens over the last
// progress, and "Finished!" comes once it is answered; a click on it ends the program.
void ClickTest::TheBuildPaintsEveryStepAndEndsWithFinished() {
    WindowUnderTest window;
    zv::test::MakeSparseFile(window / "take1.raw", 1'088 + 10'584'000 + 2 * 11'760 + 5);
    window.Box("ZIDAFile").setText(QStringLiteral("take1.raw"));
    QStringList whileOpen;
    BoxAnswerer answerer([&] {
        whileOpen = QStringList{window.Painted("MakeMovie").back(), window.Painted("Check").back()};
    });
    QTest::mouseClick(&window.Button("MakeMovie"), Qt::LeftButton);

    QCOMPARE(answerer.Boxes(), QStringList{"information ZIDA ready to be written by CDRWIN!: Exit "
                                           "this program and use CDRWIN to burn."});
    QCOMPARE(whileOpen, QStringList({"Making CH-3", " 899"}));
    QCOMPARE(window.Painted("MakeMovie"),
             QStringList({"Make Movie", "Hold on...", "Making CH-1", "Making CH-3", "Finished!"}));
    // The countdown may skip texts set faster than a screen shows them, but not the last of a
    // file, and it never goes back: it counts up once, when the second file starts.
    QStringList check = window.Painted("Check");
    QCOMPARE(check.front(), QStringLiteral("Check Alignment"));
    QCOMPARE(check.back(), QStringLiteral("Finished!"));
    QVERIFY(check.contains(QStringLiteral(" 1")));
    int restarts = 0;
    for (qsizetype i = 2; i < check.size() - 1; ++i) {
        restarts += check[i].toInt() >= check[i - 1].toInt() ? 1 : 0;
    }
    QCOMPARE(restarts, 1);

    QTest::mouseClick(&window.Button("Check"), Qt::LeftButton);
    QCOMPARE(window.Ends(), std::vector<int>{0});
}

// A request to close the window while the build runs is ignored: the closing box waits for its
// own answer, and the window stays. Keys and clicks come through the X server in the end-to-end
// run.
void ClickTest::ACloseRequestDuringABuildIsIgnored() {
    WindowUnderTest window;
    zv::test::MakeSparseFile(window / "take1.raw", 1'088 + 2 * 11'760);
    window.Box("ZIDAFile").setText(QStringLiteral("take1.raw"));
    window.WhenPainted("MakeMovie", QStringLiteral("Making CH-1"),
                       [&] { QCoreApplication::postEvent(&window.Window(), new QCloseEvent); });
    BoxAnswerer answerer;
    QTest::mouseClick(&window.Button("MakeMovie"), Qt::LeftButton);
    QCoreApplication::processEvents();

    QCOMPARE(answerer.Boxes(), QStringList{"information ZIDA ready to be written by CDRWIN!: Exit "
                                           "this program and use CDRWIN to burn."});
    QVERIFY(window.Window().isVisible());
    QVERIFY(window.Ends().empty());
}

QTEST_MAIN(ClickTest)
#include "ClickTest.moc"
