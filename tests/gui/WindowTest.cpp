// The window as it opens: its controls, size, icon and tab order.
#include <QAccessible>
#include <QIcon>

#include "tests/gui/WindowUnderTest.h"

using zv::test::WindowUnderTest;

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void TheWindowOpensAsLaidOut();
    void TabVisitsTheControlsInOrder();
};

// Where each control sits and what it shows; a window of a fixed size, with its icon.
void WindowTest::TheWindowOpensAsLaidOut() {
    WindowUnderTest window;
    QStringList texts;
    QStringList names;
    QList<QRect> places;
    for (const char* name : {"TVScreen", "Skew", "UpDown", "Label2", "Label3", "ZIDAFile", "Label1",
                             "Check", "MakeMovie"}) {
        auto* control = window.Window().findChild<QWidget*>(name);
        texts << control->property("text").toString();
        names << QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        places << control->geometry();
    }
    QCOMPARE(texts, QStringList({"", "46", "13", "Skew", "Up", "", "ZIDA File", "Check Alignment",
                                 "Make Movie"}));
    // What a screen reader says: boxes by their labels.
    QCOMPARE(names, QStringList({"Alignment picture", "Skew", "Up", "Skew", "Up", "ZIDA File",
                                 "ZIDA File", "Check Alignment", "Make Movie"}));
    // Twips / 15, rounded.
    const QList<QRect> kPlaces = {
        {14, 8, 85, 84},  {24, 112, 25, 19}, {64, 112, 25, 19}, {23, 96, 33, 17}, {64, 96, 25, 17},
        {8, 152, 97, 21}, {32, 136, 57, 17}, {8, 184, 97, 25},  {8, 216, 97, 25},
    };
    QCOMPARE(places, kPlaces);
    QCOMPARE(window.Box("Skew").maxLength(), 3);
    QCOMPARE(window.Box("UpDown").maxLength(), 3);
    QCOMPARE(window.Box("ZIDAFile").maxLength(), 32'767);
    QCOMPARE(window.Window().windowTitle(), QStringLiteral("ZE Veduz"));
    QWidget& widget = window.Window();
    QCOMPARE(widget.minimumSize(), QSize(112, 247));
    QCOMPARE(widget.maximumSize(), QSize(112, 247));
    QVERIFY(!widget.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!widget.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(widget.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QList<QSize> sizes{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    QCOMPARE(widget.windowIcon().availableSizes(), sizes);
}

void WindowTest::TabVisitsTheControlsInOrder() {
    WindowUnderTest window;
    window.Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window.Window()));
    QCOMPARE(QApplication::focusWidget(), &window.Screen());
    QStringList visited;
    for (int step = 0; step < 6; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited,
             QStringList({"Skew", "UpDown", "ZIDAFile", "Check", "MakeMovie", "TVScreen"}));
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
