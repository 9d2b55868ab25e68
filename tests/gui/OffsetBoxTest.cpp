// Typing and pasting into the boxes: the key filter, the length limit and the number rule.
#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

#include "tests/gui/BoxAnswerer.h"
#include "tests/gui/GuiTestMain.h"
#include "tests/gui/WindowUnderTest.h"

using zv::test::BoxAnswerer;
using zv::test::WindowUnderTest;

namespace {

std::int16_t ValueOf(WindowUnderTest& window, const QString& box) {
    const zv::Parameters& values = window.Window().Maker().Values();
    return box == "Skew" ? values.SkewBytes : values.UpLines;
}

}  // namespace

class OffsetBoxTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void Typing_data();
    void Typing();
    void ControlKeysAreSwallowed_data();
    void ControlKeysAreSwallowed();
    void KeysAsX11ReportsThem_data();
    void KeysAsX11ReportsThem();
    void PastingMeetsTheNumberRule_data();
    void PastingMeetsTheNumberRule();
    void NameBoxTakesAnyName();
};

void OffsetBoxTest::cleanup() {
    while (QWidget* box = QApplication::activeModalWidget()) {
        box->close();
    }
}

void OffsetBoxTest::Typing_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    auto typed = [](const QString& text) {
        QTestEventList keys;
        keys.addKeyClicks(text);
        return keys;
    };
    QTest::newRow("digits") << "Skew"
                            << "" << typed("70") << "70" << 70;
    QTest::newRow("leading zeros") << "Skew"
                                   << "" << typed("007") << "007" << 7;
    QTest::newRow("largest") << "UpDown"
                             << "" << typed("999") << "999" << 999;
    QTest::newRow("letters") << "Skew"
                             << "46" << typed("aZ") << "46" << 46;
    QTest::newRow("minus") << "Skew"
                           << "4" << typed("-") << "4" << 4;
    QTest::newRow("point") << "UpDown"
                           << "" << typed("4.5") << "45" << 45;
    QTest::newRow("blank and sign") << "UpDown"
                                    << "1" << typed(" +e") << "1" << 1;
    QTest::newRow("fourth character") << "Skew"
                                      << "" << typed("1234") << "123" << 123;
    QTest::newRow("fourth character, UpDown") << "UpDown"
                                              << "409" << typed("1") << "409" << 409;

    QTestEventList enter;
    enter.addKeyClick(Qt::Key_Return);
    enter.addKeyClick(Qt::Key_Enter);
    QTest::newRow("Enter") << "Skew"
                           << "46" << enter << "46" << 46;

    QTestEventList backspace;
    backspace.addKeyClick(Qt::Key_Backspace);
    QTest::newRow("backspace") << "Skew"
                               << "46" << backspace << "4" << 4;
    backspace.addKeyClick(Qt::Key_Backspace);
    QTest::newRow("backspace to empty") << "UpDown"
                                        << "13" << backspace << "" << 0;

    QTestEventList deleteFirst;
    deleteFirst.addKeyClick(Qt::Key_Home);
    deleteFirst.addKeyClick(Qt::Key_Delete);
    QTest::newRow("Delete") << "Skew"
                            << "46" << deleteFirst << "6" << 6;

    QTestEventList arrows;
    arrows.addKeyClick(Qt::Key_Left);
    arrows.addKeyClicks("5");
    QTest::newRow("arrow, then a digit") << "UpDown"
                                         << "13" << arrows << "153" << 153;
}

void OffsetBoxTest::Typing() {
    QFETCH(QString, box);
    QFETCH(QString, start);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, text);
    QFETCH(int, value);

    WindowUnderTest window;
    QLineEdit& edit = window.Box(qPrintable(box));
    edit.setText(start);
    BoxAnswerer answerer;
    keys.simulate(&edit);

    QCOMPARE(edit.text(), text);
    QCOMPARE(int{ValueOf(window, box)}, value);
    QCOMPARE(window.Window().BoxText(box == "Skew" ? zv::Box::Skew : zv::Box::UpDown),
             text.toStdString());
    QVERIFY(answerer.Boxes().empty());
    QCOMPARE(window.Ends(), 0);
}

void OffsetBoxTest::ControlKeysAreSwallowed_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("text");
    // "-7" on the clipboard would stop the program if Ctrl+V reached the box.
    QTest::newRow("Ctrl+V") << "Skew" << Qt::Key_V << "46";
    QTest::newRow("Ctrl+V, UpDown") << "UpDown" << Qt::Key_V << "13";
    // Everything is selected: a cut would empty the box.
    QTest::newRow("Ctrl+X") << "Skew" << Qt::Key_X << "46";
    QTest::newRow("Ctrl+C") << "Skew" << Qt::Key_C << "46";
}

void OffsetBoxTest::ControlKeysAreSwallowed() {
    QFETCH(QString, box);
    QFETCH(Qt::Key, key);
    QFETCH(QString, text);

    WindowUnderTest window;
    QApplication::clipboard()->setText(QStringLiteral("-7"));
    QLineEdit& edit = window.Box(qPrintable(box));
    edit.selectAll();
    BoxAnswerer answerer;
    QTest::keyClick(&edit, key, Qt::ControlModifier);

    QCOMPARE(edit.text(), text);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("-7"));
    QCOMPARE(int{ValueOf(window, box)}, text.toInt());
    QVERIFY(answerer.Boxes().empty());
    QCOMPARE(window.Ends(), 0);
}

void OffsetBoxTest::KeysAsX11ReportsThem_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    // X11 gives Delete the text 127 and Ctrl+letters their control codes; QTest gives neither.
    QTest::newRow("Delete") << Qt::Key_Delete << QString(QChar(0x7F)) << Qt::KeyboardModifiers()
                            << "6";
    QTest::newRow("Ctrl+V") << Qt::Key_V << QString(QChar(0x16))
                            << Qt::KeyboardModifiers(Qt::ControlModifier) << "46";
    QTest::newRow("Escape") << Qt::Key_Escape << QString(QChar(0x1B)) << Qt::KeyboardModifiers()
                            << "46";
    QTest::newRow("Tab") << Qt::Key_Tab << QStringLiteral("\t") << Qt::KeyboardModifiers() << "46";
}

void OffsetBoxTest::KeysAsX11ReportsThem() {
    QFETCH(Qt::Key, key);
    QFETCH(QString, keyText);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);

    WindowUnderTest window;
    QApplication::clipboard()->setText(QStringLiteral("-7"));
    QLineEdit& edit = window.Box("Skew");
    edit.setCursorPosition(0);
    BoxAnswerer answerer;
    QTest::sendKeyEvent(QTest::Click, &edit, key, keyText, modifiers);

    QCOMPARE(edit.text(), text);
    QCOMPARE(int{ValueOf(window, QStringLiteral("Skew"))}, text.toInt());
    QVERIFY(answerer.Boxes().empty());
    QCOMPARE(window.Ends(), 0);
}

void OffsetBoxTest::PastingMeetsTheNumberRule_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("byShiftInsert");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stops");
    // Pasting passes no key filter; the number rule sees the text and stops the program.
    QTest::newRow("1e5") << "Skew"
                         << "1e5" << true << "1e5" << true;
    QTest::newRow("abc") << "Skew"
                         << "abc" << true << "abc" << true;
    QTest::newRow("-1") << "Skew"
                        << "-1" << true << "-1" << true;
    QTest::newRow("abc, UpDown, menu paste") << "UpDown"
                                             << "abc" << false << "abc" << true;
    QTest::newRow("1e5, UpDown, menu paste") << "UpDown"
                                             << "1e5" << false << "1e5" << true;
    // A number passes; the length limit cuts what is too long.
    QTest::newRow("2e2") << "UpDown"
                         << "2e2" << true << "2e2" << false;
    QTest::newRow("1234") << "Skew"
                          << "1234" << true << "123" << false;
}

void OffsetBoxTest::PastingMeetsTheNumberRule() {
    QFETCH(QString, box);
    QFETCH(QString, pasted);
    QFETCH(bool, byShiftInsert);
    QFETCH(QString, text);
    QFETCH(bool, stops);

    WindowUnderTest window;
    QLineEdit& edit = window.Box(qPrintable(box));
    std::int16_t before = ValueOf(window, box);
    QApplication::clipboard()->setText(pasted);
    edit.selectAll();
    int endsWhileOpen = -1;
    BoxAnswerer answerer([&] { endsWhileOpen = window.Ends(); });
    if (byShiftInsert) {
        QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    } else {
        edit.paste();
    }

    QCOMPARE(edit.text(), text);
    if (!stops) {
        QVERIFY(answerer.Boxes().empty());
        QCOMPARE(window.Ends(), 0);
        QCOMPARE(int{ValueOf(window, box)}, static_cast<int>(text.toDouble()));
        return;
    }
    QCOMPARE(answerer.Boxes().size(), std::size_t{1});
    const BoxAnswerer::Box& shown = answerer.Boxes().front();
    QCOMPARE(shown.title, QStringLiteral("ZE Veduz"));
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(shown.applicationModal);
    // The box names the failure: the text that does not read as a number.
    QVERIFY2(shown.text.contains(pasted), qPrintable(shown.text));
    // The program ends after the box, not before it.
    QCOMPARE(endsWhileOpen, 0);
    QCOMPARE(window.Ends(), 1);
    QCOMPARE(ValueOf(window, box), before);
}

void OffsetBoxTest::NameBoxTakesAnyName() {
    WindowUnderTest window;
    QLineEdit& edit = window.Box("ZIDAFile");
    const QString name = QStringLiteral("recordings/a long name-1.e5 with Blanks.raw");
    QTest::keyClicks(&edit, name);
    QCOMPARE(edit.text(), name);
    QCOMPARE(window.Window().Maker().Values().SourceName, name.toStdString());
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(window.Window().Maker().Values().SourceName, name.chopped(1).toStdString());
}

ZV_GUI_TEST_MAIN(OffsetBoxTest)
#include "OffsetBoxTest.moc"
