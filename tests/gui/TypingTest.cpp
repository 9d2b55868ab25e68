// Keys and pastes in the offset boxes as the platform delivers them: the window's key filter, the
// length limit, and the stop box of the number rule.
#include <QClipboard>
#include <QMenu>

#include "tests/gui/WindowUnderTest.h"
#include "tests/support/KeyCodes.h"

using zv::test::BoxAnswerer;
using zv::test::WindowUnderTest;

namespace {

// X11 gives Delete the text 127 and Ctrl with a letter its control code; QTest gives the first
// no text and the others the letter.
struct Key {
    Qt::Key key;
    const char* text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

const Key kHome{Qt::Key_Home, ""};
const Key kSelectAll{Qt::Key_End, "", Qt::ShiftModifier};  // Shift+End after Home types nothing

// The key that types the code as X11 gives it: control codes come with Ctrl and their letter.
void TypeCode(QLineEdit& box, int code) {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (code == '\b') {
        key = Qt::Key_Backspace;
    } else if (code == '\r') {
        key = Qt::Key_Return;
    } else if (code < ' ') {
        key = Qt::Key(Qt::Key_A + code - 1);
        modifiers = Qt::ControlModifier;
    } else if (code < 0x7F) {
        // Qt's keys of printable ASCII are their upper-case codes.
        key = Qt::Key(QChar(code).toUpper().unicode());
    }
    QTest::sendKeyEvent(QTest::Click, &box, key, QString(QChar(code)), modifiers);
}

}  // namespace

class TypingTest : public QObject {
    Q_OBJECT

private slots:
    void EveryCodeMeetsTheKeyFilter();
    void KeysReachTheBoxThroughTheFilter();
    void PastingMeetsTheNumberRule();
};

void TypingTest::EveryCodeMeetsTheKeyFilter() {
    WindowUnderTest window;
    for (const zv::test::KeyCode& key : zv::test::kKeyCodes) {
        for (const char* name : {"Skew", "UpDown"}) {
            QLineEdit& box = window.Box(name);
            box.setText(QStringLiteral("4"));
            TypeCode(box, key.code);
            QVERIFY2(box.text() == QString::fromLatin1(key.after),
                     qPrintable(QStringLiteral("%1 %2").arg(name).arg(key.code)));
        }
    }
}

// Keys in a row, the length limit, and what each platform sends for Delete and Ctrl with a letter.
void TypingTest::KeysReachTheBoxThroughTheFilter() {
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const struct {
        const char* start;
        std::vector<Key> keys;
        const char* text;
    } cases[] = {
        {"", {{Qt::Key_0, "0"}, {Qt::Key_0, "0"}, {Qt::Key_7, "7"}, {Qt::Key_1, "1"}}, "007"},
        {"46", {kHome, {Qt::Key_Delete, ""}}, "6"},
        {"46", {kHome, {Qt::Key_Delete, "\x7f"}}, "6"},
        // "-7" is on the clipboard: a paste would stop the program, a cut or copy change it.
        {"46", {kHome, kSelectAll, {Qt::Key_V, "v", ctrl}}, "46"},
        {"46", {kHome, kSelectAll, {Qt::Key_X, "x", ctrl}}, "46"},
        {"46", {kHome, kSelectAll, {Qt::Key_C, "c", ctrl}}, "46"},
    };
    for (const auto& c : cases) {
        WindowUnderTest window;
        QApplication::clipboard()->setText(QStringLiteral("-7"));
        BoxAnswerer answerer;
        for (const char* name : {"Skew", "UpDown"}) {
            QLineEdit& box = window.Box(name);
            box.setText(QString::fromLatin1(c.start));
            for (const Key& key : c.keys) {
                QTest::sendKeyEvent(QTest::Click, &box, key.key, QString::fromLatin1(key.text),
                                    key.modifiers);
            }
            QCOMPARE(box.text(), QString::fromLatin1(c.text));
        }
        const zv::Parameters& values = window.Window().Maker().Values();
        QCOMPARE(int{values.SkewBytes}, std::atoi(c.text));
        QCOMPARE(int{values.UpLines}, std::atoi(c.text));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("-7"));
        QVERIFY(answerer.Boxes().empty());
    }
}

// A paste passes no key filter: the number rule meets the text, and what it refuses ends the
// program after the stop box, with status 1.
void TypingTest::PastingMeetsTheNumberRule() {
    const struct {
        const char* pasted;
        bool byMenu;  // else Shift+Insert
        const char* text;
        int value;
        const char* stopBox;
    } cases[] = {
        {"2e2", false, "2e2", 200, ""},
        {"1234", false, "123", 123, ""},
        {"abc", false, "abc", 46, "stop ZE Veduz: Type mismatch: Skew \"abc\" is not a number"},
        {"-1", true, "-1", 46, "stop ZE Veduz: Overflow: Skew \"-1\" is outside 0 to 32767"},
    };
    for (const auto& c : cases) {
        WindowUnderTest window;
        QLineEdit& skew = window.Box("Skew");
        QApplication::clipboard()->setText(QString::fromLatin1(c.pasted));
        skew.selectAll();
        std::vector<int> endsWhileOpen;
        BoxAnswerer answerer([&] { endsWhileOpen = window.Ends(); });
        if (c.byMenu) {
            // The box's own context menu, as a right click shows it.
            std::unique_ptr<QMenu> menu(skew.createStandardContextMenu());
            const QList<QAction*> actions = menu->actions();
            auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
                return action->text().startsWith(QStringLiteral("&Paste"));
            });
            QVERIFY(paste != actions.end() && (*paste)->isEnabled());
            (*paste)->trigger();
        } else {
            QTest::keyClick(&skew, Qt::Key_Insert, Qt::ShiftModifier);
        }
        QCOMPARE(skew.text(), QString::fromLatin1(c.text));
        QCOMPARE(int{window.Window().Maker().Values().SkewBytes}, c.value);
        bool stops = *c.stopBox != '\0';
        QCOMPARE(answerer.Boxes(), stops ? QStringList{c.stopBox} : QStringList{});
        QVERIFY(endsWhileOpen.empty());
        QCOMPARE(window.Ends(), stops ? std::vector<int>{1} : std::vector<int>{});
    }
}

QTEST_MAIN(TypingTest)
#include "TypingTest.moc"
