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

// One key as the platform delivers it: X11 gives Delete the text 127 and Ctrl+letters their
// control codes; QTest gives the first none and the others the letter.
struct Key {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
using Keys = QList<Key>;

Keys Typed(const QString& text) {
    Keys keys;
    for (QChar c : text) {
        // Qt's codes of printable keys are those of their upper-case characters.
        keys.push_back({Qt::Key(c.toUpper().unicode()), c});
    }
    return keys;
}

Key Ctrl(Qt::Key key, char letterOrCode) {
    return {key, QString(QChar(letterOrCode)), Qt::ControlModifier};
}

std::int16_t ValueOf(WindowUnderTest& window, const QString& box) {
    const zv::Parameters& values = window.Window().Maker().Values();
    return box == "Skew" ? values.SkewBytes : values.UpLines;
}

}  // namespace

Q_DECLARE_METATYPE(Keys)

class OffsetBoxTest : public QObject {
    Q_OBJECT

private slots:
    void Typing_data();
    void Typing();
    void PastingMeetsTheNumberRule_data();
    void PastingMeetsTheNumberRule();
    void NameBoxTakesAnyName();
};

void OffsetBoxTest::Typing_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("start");
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("text");  // its value is the box's value

    const Key home{Qt::Key_Home, ""};
    // Shift+End types nothing: it reaches the box and selects all.
    const Key selectAll{Qt::Key_End, "", Qt::ShiftModifier};
    QTest::newRow("digits") << "Skew"
                            << "" << Typed("70") << "70";
    QTest::newRow("leading zeros") << "Skew"
                                   << "" << Typed("007") << "007";
    QTest::newRow("largest") << "UpDown"
                             << "" << Typed("999") << "999";
    QTest::newRow("letters") << "Skew"
                             << "46" << Typed("aZ") << "46";
    QTest::newRow("minus") << "Skew"
                           << "4" << Typed("-") << "4";
    QTest::newRow("point") << "UpDown"
                           << "" << Typed("4.5") << "45";
    QTest::newRow("blank and sign") << "UpDown"
                                    << "1" << Typed(" +e") << "1";
    QTest::newRow("fourth character") << "Skew"
                                      << "" << Typed("1234") << "123";
    QTest::newRow("fourth character, UpDown") << "UpDown"
                                              << "409" << Typed("1") << "409";
    QTest::newRow("Enter") << "Skew"
                           << "46" << Keys{{Qt::Key_Return, "\r"}, {Qt::Key_Enter, "\r"}} << "46";
    QTest::newRow("backspace") << "Skew"
                               << "46" << Keys{{Qt::Key_Backspace, "\b"}} << "4";
    QTest::newRow("backspace to empty")
        << "UpDown"
        << "13" << Keys{{Qt::Key_Backspace, "\b"}, {Qt::Key_Backspace, "\b"}} << "";
    QTest::newRow("Delete") << "Skew"
                            << "46" << Keys{home, {Qt::Key_Delete, ""}} << "6";
    QTest::newRow("Delete, X11") << "Skew"
                                 << "46" << Keys{home, {Qt::Key_Delete, "\x7f"}} << "6";
    QTest::newRow("arrow, then a digit")
        << "UpDown"
        << "13" << Keys{{Qt::Key_Left, ""}, Typed("5")[0]} << "153";
    QTest::newRow("Escape, Tab") << "Skew"
                                 << "46"
                                 << Keys{home, {Qt::Key_Escape, "\x1b"}, {Qt::Key_Tab, "\t"}}
                                 << "46";
    // "-7" is on the clipboard: a paste would stop the program, a cut or copy change it.
    QTest::newRow("Ctrl+V") << "Skew"
                            << "46" << Keys{home, selectAll, Ctrl(Qt::Key_V, 'v')} << "46";
    QTest::newRow("Ctrl+V, UpDown") << "UpDown"
                                    << "13" << Keys{home, selectAll, Ctrl(Qt::Key_V, 'v')} << "13";
    QTest::newRow("Ctrl+V, X11") << "Skew"
                                 << "46" << Keys{home, selectAll, Ctrl(Qt::Key_V, 0x16)} << "46";
    QTest::newRow("Ctrl+X") << "Skew"
                            << "46" << Keys{home, selectAll, Ctrl(Qt::Key_X, 'x')} << "46";
    QTest::newRow("Ctrl+C") << "Skew"
                            << "46" << Keys{home, selectAll, Ctrl(Qt::Key_C, 'c')} << "46";
}

void OffsetBoxTest::Typing() {
    QFETCH(QString, box);
    QFETCH(QString, start);
    QFETCH(Keys, keys);
    QFETCH(QString, text);

    WindowUnderTest window;
    QApplication::clipboard()->setText(QStringLiteral("-7"));
    QLineEdit& edit = window.Box(qPrintable(box));
    edit.setText(start);
    BoxAnswerer answerer;
    for (const Key& key : keys) {
        QTest::sendKeyEvent(QTest::Click, &edit, key.key, key.text, key.modifiers);
    }

    QCOMPARE(edit.text(), text);
    QCOMPARE(int{ValueOf(window, box)}, text.toInt());
    QCOMPARE(window.Window().BoxText(box == "Skew" ? zv::Box::Skew : zv::Box::UpDown),
             text.toStdString());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("-7"));
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
