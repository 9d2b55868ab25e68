// "Make Movie" through the window: the captions in order, the message boxes, and "Finished!".
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "tests/gui/BoxAnswerer.h"
#include "tests/gui/GuiTestMain.h"
#include "tests/gui/WindowUnderTest.h"
#include "tests/support/Recordings.h"

using zv::test::BoxAnswerer;
using zv::test::WindowUnderTest;

namespace {

constexpr std::int64_t kBlockBytes = 11'760;
constexpr std::int64_t kTrackDataBytes = 900 * kBlockBytes;
// UpLines 13 and SkewBytes 46, then the two bytes only the build skips.
constexpr std::int64_t kHeadBytes = 13 * 80 + 46 + 2;
constexpr char kSource[] = "take1.raw";

// A recording whose copied part is `copied` bytes long, in the program folder.
void MakeRecording(WindowUnderTest& window, std::int64_t copied) {
    zv::test::MakeSparseFile(window / kSource, kHeadBytes + copied);
    window.Box("ZIDAFile").setText(QString::fromLatin1(kSource));
}

std::vector<std::string> Countdown(int from, int to) {
    std::vector<std::string> texts;
    for (int left = from; left >= to; --left) {
        texts.push_back(" " + std::to_string(left));
    }
    return texts;
}

// True when `painted` shows texts of `set` in the order they were set.
bool InOrder(const QStringList& painted, const std::vector<std::string>& set) {
    std::size_t at = 0;
    for (const QString& text : painted) {
        while (at < set.size() && QString::fromStdString(set[at]) != text) {
            ++at;
        }
        if (at == set.size()) {
            return false;
        }
    }
    return true;
}

// What a button showed from the click on, without the caption it had before.
QStringList PaintedSince(WindowUnderTest& window, const char* button, const QString& before) {
    QStringList painted = window.Paints().Painted(QString::fromLatin1(button));
    while (!painted.isEmpty() && painted.front() == before) {
        painted.pop_front();
    }
    return painted;
}

void FinishBuild(WindowUnderTest& window) {
    MakeRecording(window, 100);
    BoxAnswerer answerer;
    QTest::mouseClick(&window.Button("MakeMovie"), Qt::LeftButton);
    QCOMPARE(answerer.Boxes().size(), std::size_t{1});
    QCOMPARE(window.Button("Check").text(), QStringLiteral("Finished!"));
    QCOMPARE(window.Button("MakeMovie").text(), QStringLiteral("Finished!"));
}

}  // namespace

class BuildTest : public QObject {
    Q_OBJECT

private slots:
    void CaptionsCountDownAndTheClosingBoxShowsTheLastOnes();
    void FinishedEndsTheProgramWithoutTouchingAFile_data();
    void FinishedEndsTheProgramWithoutTouchingAFile();
    void MissingSourceLeavesTheCaptions_data();
    void MissingSourceLeavesTheCaptions();
    void MissingLeadInLeavesTheCaptions();
};

void BuildTest::CaptionsCountDownAndTheClosingBoxShowsTheLastOnes() {
    WindowUnderTest window;
    // Two full blocks and a few bytes after the first track file: 1.bin, 2.bin, the filler 3.bin.
    MakeRecording(window, kTrackDataBytes + 2 * kBlockBytes + 5);

    QString checkWhileOpen;
    QString makeMovieWhileOpen;
    QStringList checkPaintedWhileOpen;
    QStringList makeMoviePaintedWhileOpen;
    BoxAnswerer answerer([&] {
        checkWhileOpen = window.Button("Check").text();
        makeMovieWhileOpen = window.Button("MakeMovie").text();
        checkPaintedWhileOpen = window.Paints().Painted(QStringLiteral("Check"));
        makeMoviePaintedWhileOpen = window.Paints().Painted(QStringLiteral("MakeMovie"));
    });
    QTest::mouseClick(&window.Button("MakeMovie"), Qt::LeftButton);

    std::vector<std::string> makeMovieSet = {"Hold on...", "Making CH-1", "Making CH-3",
                                             "Finished!"};
    std::vector<std::string> checkSet = Countdown(900, 1);
    checkSet.push_back(" 900");
    checkSet.push_back(" 899");
    checkSet.push_back("Finished!");
    QCOMPARE(window.Window().CaptionsSet(zv::Button::MakeMovie), makeMovieSet);
    QCOMPARE(window.Window().CaptionsSet(zv::Button::Check), checkSet);

    QCOMPARE(answerer.Boxes().size(), std::size_t{1});
    const BoxAnswerer::Box& closing = answerer.Boxes().front();
    QCOMPARE(closing.title, QStringLiteral("ZIDA ready to be written by CDRWIN!"));
    QCOMPARE(closing.text, QStringLiteral("Exit this program and use CDRWIN to burn."));
    QCOMPARE(closing.icon, QMessageBox::Information);
    QCOMPARE(closing.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(closing.applicationModal);

    // Behind the open box the buttons show, on the screen, the last progress of the build.
    QCOMPARE(makeMovieWhileOpen, QStringLiteral("Making CH-3"));
    QCOMPARE(checkWhileOpen, QStringLiteral(" 899"));
    QCOMPARE(makeMoviePaintedWhileOpen.back(), QStringLiteral("Making CH-3"));
    QCOMPARE(checkPaintedWhileOpen.back(), QStringLiteral(" 899"));

    // Every step's caption was painted, in order; the countdown may skip, never reorder.
    QStringList makeMoviePainted = PaintedSince(window, "MakeMovie", "Make Movie");
    QCOMPARE(makeMoviePainted,
             QStringList({"Hold on...", "Making CH-1", "Making CH-3", "Finished!"}));
    QStringList checkPainted = PaintedSince(window, "Check", "Check Alignment");
    QVERIFY2(InOrder(checkPainted, checkSet), qPrintable(checkPainted.join('|')));
    QVERIFY2(checkPainted.contains(" 1"), "the last countdown of 1.bin was never shown");
    QCOMPARE(checkPainted.back(), QStringLiteral("Finished!"));

    QCOMPARE(window.Ends(), 0);
    QCOMPARE(QFileInfo(QString::fromStdString(window / "Files/2.bin")).size(),
             2 * kBlockBytes + 5 + 81'620);
    QVERIFY(QFileInfo::exists(QString::fromStdString(window / "Files/3.bin")));
    QVERIFY(QFileInfo::exists(QString::fromStdString(window / "Files/ZIDA.cue")));
}

void BuildTest::FinishedEndsTheProgramWithoutTouchingAFile_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("Check") << "Check";
    QTest::newRow("MakeMovie") << "MakeMovie";
}

void BuildTest::FinishedEndsTheProgramWithoutTouchingAFile() {
    QFETCH(QString, button);
    WindowUnderTest window;
    FinishBuild(window);
    // Even with the source gone, the click only ends the program.
    QVERIFY(std::remove((window / kSource).c_str()) == 0);
    auto before = zv::test::ListFolder(window.Folder());

    BoxAnswerer answerer;
    QTest::mouseClick(&window.Button(qPrintable(button)), Qt::LeftButton);

    QCOMPARE(window.Ends(), 1);
    QVERIFY(answerer.Boxes().empty());
    QVERIFY(zv::test::ListFolder(window.Folder()) == before);
    QCOMPARE(window.Button("Check").text(), QStringLiteral("Finished!"));
    QCOMPARE(window.Button("MakeMovie").text(), QStringLiteral("Finished!"));
}

void BuildTest::MissingSourceLeavesTheCaptions_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::newRow("Check, no name") << "Check"
                                    << "";
    QTest::newRow("MakeMovie, missing") << "MakeMovie"
                                        << "movie.raw";
    // A name that looks like markup is shown as typed.
    QTest::newRow("MakeMovie, markup") << "MakeMovie"
                                       << "<b>movie</b>.raw";
}

void BuildTest::MissingSourceLeavesTheCaptions() {
    QFETCH(QString, button);
    QFETCH(QString, name);
    WindowUnderTest window;
    QTest::keyClicks(&window.Box("ZIDAFile"), name);
    QImage pictureBefore = window.Picture();

    BoxAnswerer answerer;
    QTest::mouseClick(&window.Button(qPrintable(button)), Qt::LeftButton);

    QCOMPARE(answerer.Boxes().size(), std::size_t{1});
    const BoxAnswerer::Box& shown = answerer.Boxes().front();
    QCOMPARE(shown.title, QStringLiteral("File not found!"));
    QCOMPARE(shown.text, QString::fromStdString(window.Folder()) + "/" + name + " NOT FOUND!");
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(window.Button("Check").text(), QStringLiteral("Check Alignment"));
    QCOMPARE(window.Button("MakeMovie").text(), QStringLiteral("Make Movie"));
    QVERIFY(window.Window().CaptionsSet(zv::Button::Check).empty());
    QVERIFY(window.Window().CaptionsSet(zv::Button::MakeMovie).empty());
    QVERIFY(!QFileInfo::exists(QString::fromStdString(window / "Files")));
    QCOMPARE(window.Picture(), pictureBefore);
    QCOMPARE(window.Ends(), 0);
}

void BuildTest::MissingLeadInLeavesTheCaptions() {
    WindowUnderTest window;
    MakeRecording(window, kBlockBytes + 100);
    // The lead-in vanishes while the tracks are copied: the cue sheet finds no 0.bin.
    window.Window().onCaption = [&](zv::Button, const std::string& text) {
        if (text == "Making CH-1") {
            QVERIFY(std::remove((window / "Files/0.bin").c_str()) == 0);
        }
    };
    BoxAnswerer answerer;
    QTest::mouseClick(&window.Button("MakeMovie"), Qt::LeftButton);
    QCOMPARE(answerer.Boxes().size(), std::size_t{1});
    const BoxAnswerer::Box& shown = answerer.Boxes().front();
    QCOMPARE(shown.title, QStringLiteral("BIN file not found!"));
    QCOMPARE(shown.text, "I couldn't find a .bin file in " +
                             QString::fromStdString(window.Folder()) +
                             "/Files/ please read user guide and try again.");
    QCOMPARE(shown.icon, QMessageBox::Information);
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(window.Button("MakeMovie").text(), QStringLiteral("Making CH-1"));
    QCOMPARE(window.Button("Check").text(), QStringLiteral(" 900"));
    QCOMPARE(window.Ends(), 0);
}

ZV_GUI_TEST_MAIN(BuildTest)
#include "BuildTest.moc"
