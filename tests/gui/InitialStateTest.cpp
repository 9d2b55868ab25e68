// The window as it opens: texts, captions, layout, size, icon, names and the empty picture area.
#include <QAccessible>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/gui/GuiTestMain.h"
#include "tests/gui/WindowUnderTest.h"

using zv::test::WindowUnderTest;

class InitialStateTest : public QObject {
    Q_OBJECT

private slots:
    void TextsAndCaptions_data();
    void TextsAndCaptions();
    void ValuesAfterLoad();
    void ControlsSitWhereTheLayoutSays_data();
    void ControlsSitWhereTheLayoutSays();
    void WindowHasAFixedSizeAndNoMinimiseOrMaximise();
    void IconHasTwoSixteenColourImages();
    void PictureAreaIsEmpty();
    void BoxesCarryTheirLimitsAndNames();
    void TabVisitsTheControlsInOrder();
};

void InitialStateTest::TextsAndCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("Skew") << "Skew"
                          << "46";
    QTest::newRow("UpDown") << "UpDown"
                            << "13";
    QTest::newRow("ZIDAFile") << "ZIDAFile"
                              << "";
    QTest::newRow("Check") << "Check"
                           << "Check Alignment";
    QTest::newRow("MakeMovie") << "MakeMovie"
                               << "Make Movie";
    QTest::newRow("Label1") << "Label1"
                            << "ZIDA File";
    QTest::newRow("Label2") << "Label2"
                            << "Skew";
    QTest::newRow("Label3") << "Label3"
                            << "Up";
}

void InitialStateTest::TextsAndCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    WindowUnderTest window;
    QWidget* control = window.Window().findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        QCOMPARE(box->text(), text);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), text);
    } else {
        auto* label = qobject_cast<QLabel*>(control);
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }
    QCOMPARE(window.Window().windowTitle(), QStringLiteral("ZE Veduz"));
    QCOMPARE(window.Window().Caption(zv::Button::Check), std::string("Check Alignment"));
    QCOMPARE(window.Window().Caption(zv::Button::MakeMovie), std::string("Make Movie"));
}

void InitialStateTest::ValuesAfterLoad() {
    WindowUnderTest window;
    const zv::Parameters& values = window.Window().Maker().Values();
    QCOMPARE(values.SkewBytes, std::int16_t{46});
    QCOMPARE(values.UpLines, std::int16_t{13});
    QCOMPARE(values.SourceName, std::string());
    // Loading raised no change event, so no rule ran: no box, no end.
    QCOMPARE(window.Ends(), 0);
}

void InitialStateTest::ControlsSitWhereTheLayoutSays_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    // Twips / 15, rounded.
    QTest::newRow("TVScreen") << "TVScreen" << QRect(14, 8, 85, 84);
    QTest::newRow("Skew") << "Skew" << QRect(24, 112, 25, 19);
    QTest::newRow("UpDown") << "UpDown" << QRect(64, 112, 25, 19);
    QTest::newRow("Label2") << "Label2" << QRect(23, 96, 33, 17);
    QTest::newRow("Label3") << "Label3" << QRect(64, 96, 25, 17);
    QTest::newRow("ZIDAFile") << "ZIDAFile" << QRect(8, 152, 97, 21);
    QTest::newRow("Label1") << "Label1" << QRect(32, 136, 57, 17);
    QTest::newRow("Check") << "Check" << QRect(8, 184, 97, 25);
    QTest::newRow("MakeMovie") << "MakeMovie" << QRect(8, 216, 97, 25);
}

void InitialStateTest::ControlsSitWhereTheLayoutSays() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    WindowUnderTest window;
    QWidget* control = window.Window().findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(control->isVisible());
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
