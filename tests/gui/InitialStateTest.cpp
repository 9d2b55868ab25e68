// The window as it opens: texts, captions, layout, size, icon, names and the empty picture area;
// and every caption, label and three-digit value drawn in full, none clipped by its control.
#include <QAccessible>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

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

// The text of a box, button or label; the rest have none.
QString TextOf(QWidget* control) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        return box->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    auto* label = qobject_cast<QLabel*>(control);
    return label != nullptr ? label->text() : QString();
}

// Fails unless all of the control's text is drawn: as much ink as the text has unclipped.
void ExpectDrawnInFull(QWidget* control) {
    QString text = TextOf(control);
    QImage shown = control->grab().toImage();
    // Labels have no frame: their text may start at the edge.
    int margin = qobject_cast<QLabel*>(control) != nullptr ? 0 : kFrameMargin;
    QRect drawn = InkBounds(shown, shown.rect().adjusted(margin, margin, -margin, -margin));
    QRect whole = InkBoundsOfText(control->font(), text);
    // Glyphs may land a fraction of a pixel apart, which moves an edge by one pixel at most.
    QVERIFY2(drawn.width() >= whole.width() - 1 && drawn.height() >= whole.height() - 1,
             qPrintable(QStringLiteral("%1: ink of %2 x %3 pixels drawn, %4 x %5 in the whole text")
                            .arg(text)
                            .arg(drawn.width())
                            .arg(drawn.height())
                            .arg(whole.width())
                            .arg(whole.height())));
}

class InitialStateTest : public QObject {
    Q_OBJECT

private slots:
    void Controls_data();
    void Controls();
    void LaterTextsAreDrawnInFull_data();
    void LaterTextsAreDrawnInFull();
    void WindowHasAFixedSizeAndNoMinimiseOrMaximise();
    void IconHasTwoSixteenColourImages();
    void PictureAreaIsEmpty();
    void BoxesCarryTheirLimitsAndNames();
    void TabVisitsTheControlsInOrder();
};

void InitialStateTest::Controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");
    // Twips / 15, rounded.
    QTest::newRow("TVScreen") << "TVScreen"
                              << "" << QRect(14, 8, 85, 84);
    QTest::newRow("Skew") << "Skew"
                          << "46" << QRect(24, 112, 25, 19);
    QTest::newRow("UpDown") << "UpDown"
                            << "13" << QRect(64, 112, 25, 19);
    QTest::newRow("Label2") << "Label2"
                            << "Skew" << QRect(23, 96, 33, 17);
    QTest::newRow("Label3") << "Label3"
                            << "Up" << QRect(64, 96, 25, 17);
    QTest::newRow("ZIDAFile") << "ZIDAFile"
                              << "" << QRect(8, 152, 97, 21);
    QTest::newRow("Label1") << "Label1"
                            << "ZIDA File" << QRect(32, 136, 57, 17);
    QTest::newRow("Check") << "Check"
                           << "Check Alignment" << QRect(8, 184, 97, 25);
    QTest::newRow("MakeMovie") << "MakeMovie"
                               << "Make Movie" << QRect(8, 216, 97, 25);
}

void InitialStateTest::Controls() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    WindowUnderTest window;
    QWidget* control = window.Window().findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(TextOf(control), text);
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(control->isVisible());
    if (qobject_cast<QLabel*>(control) != nullptr) {
        QCOMPARE(control->focusPolicy(), Qt::NoFocus);
    }
    ExpectDrawnInFull(control);
    QCOMPARE(window.Window().windowTitle(), QStringLiteral("ZE Veduz"));
    // Loading set the values before the boxes were wired: no rule ran, nothing ended.
    const zv::Parameters& values = window.Window().Maker().Values();
    QCOMPARE(values.SkewBytes, std::int16_t{46});
    QCOMPARE(values.UpLines, std::int16_t{13});
    QCOMPARE(values.SourceName, std::string());
    QCOMPARE(window.Ends(), 0);
}

void InitialStateTest::LaterTextsAreDrawnInFull_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    for (const char* caption : {"Checking!", "Check Again?", " 900", " 1", "Finished!"}) {
        QTest::newRow(caption) << "Check" << caption;
    }
    for (const char* caption : {"Hold on...", "Making CH-1", "Making CH-99", "Finished!"}) {
        QTest::newRow(caption) << "MakeMovie" << caption;
    }
    for (const char* digits : {"888", "000", "409"}) {
        QTest::newRow(qPrintable(QStringLiteral("Skew %1").arg(digits))) << "Skew" << digits;
        QTest::newRow(qPrintable(QStringLiteral("UpDown %1").arg(digits))) << "UpDown" << digits;
    }
}

void InitialStateTest::LaterTextsAreDrawnInFull() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    WindowUnderTest window;
    QWidget* widget = window.Window().findChild<QWidget*>(control);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        box->setText(text);
    } else {
        qobject_cast<QAbstractButton*>(widget)->setText(text);
    }
    QCOMPARE(TextOf(widget), text);
    ExpectDrawnInFull(widget);
}

void InitialStateTest::WindowHasAFixedSizeAndNoMinimiseOrMaximise() {
    WindowUnderTest window;
    QWidget& widget = window.Window();
    QCOMPARE(widget.size(), QSize(112, 247));
    QCOMPARE(widget.minimumSize(), QSize(112, 247));
    QCOMPARE(widget.maximumSize(), QSize(112, 247));
    Qt::WindowFlags flags = widget.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // The whole window uses the smaller font, so that "Check Alignment" fits its button.
    QCOMPARE(widget.font().pointSize(), 8);
    QCOMPARE(window.Button("Check").font().pointSize(), 8);
}

void InitialStateTest::IconHasTwoSixteenColourImages() {
    WindowUnderTest window;
    QIcon icon = window.Window().windowIcon();
    QList<QSize> sizes = icon.availableSizes();
    QVERIFY2(sizes.contains(QSize(16, 16)), "no 16 x 16 image");
    QVERIFY2(sizes.contains(QSize(32, 32)), "no 32 x 32 image");
    for (int side : {16, 32}) {
        QImage image(QStringLiteral(":/icons/zeveduz-%1.png").arg(side));
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY(image.colorCount() > 0);
        QVERIFY(image.colorCount() <= 16);
    }
}

void InitialStateTest::PictureAreaIsEmpty() {
    WindowUnderTest window;
    QImage picture = window.Picture();
    // The inner area holds the 80 x 81 pixels a preview draws.
    QVERIFY(picture.width() >= 80);
    QVERIFY(picture.height() >= 81);
    QRgb background = window.Window().palette().color(QPalette::Window).rgb();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != background) {
                QFAIL(
                    qPrintable(QStringLiteral("pixel %1,%2 is not the background").arg(x).arg(y)));
            }
        }
    }
}

void InitialStateTest::BoxesCarryTheirLimitsAndNames() {
    WindowUnderTest window;
    QCOMPARE(window.Box("Skew").maxLength(), 3);
    QCOMPARE(window.Box("UpDown").maxLength(), 3);
    QVERIFY(window.Box("ZIDAFile").maxLength() >= 32'767);
    // What a screen reader reads for each control.
    auto accessibleName = [](QWidget& widget) {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
    };
    QCOMPARE(accessibleName(window.Box("Skew")), QStringLiteral("Skew"));
    QCOMPARE(accessibleName(window.Box("UpDown")), QStringLiteral("Up"));
    QCOMPARE(accessibleName(window.Box("ZIDAFile")), QStringLiteral("ZIDA File"));
    QCOMPARE(accessibleName(window.Button("Check")), QStringLiteral("Check Alignment"));
    QCOMPARE(accessibleName(window.Button("MakeMovie")), QStringLiteral("Make Movie"));
    QVERIFY(!accessibleName(window.Screen()).isEmpty());
}

void InitialStateTest::TabVisitsTheControlsInOrder() {
    WindowUnderTest window;
    window.Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window.Window()));
    // The first control in the tab order has the focus when the window opens.
    QCOMPARE(QApplication::focusWidget(), &window.Screen());
    QStringList forward;
    for (int step = 0; step < 6; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(forward,
             QStringList({"Skew", "UpDown", "ZIDAFile", "Check", "MakeMovie", "TVScreen"}));
    QStringList backward;
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backward << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(backward, QStringList({"MakeMovie", "Check", "ZIDAFile", "UpDown", "Skew"}));
}

ZV_GUI_TEST_MAIN(InitialStateTest)
#include "InitialStateTest.moc"
