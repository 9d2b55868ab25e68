#include <cstdint>
#include <cstdio>
#include <optional>

#include "tests/faults/FaultTest.h"

namespace zv::test {
namespace {

// What pasting can bring into an offset box (three characters at most). The rule reads plain
// decimal numbers only, rounds down, and takes 0 to 32,767; anything else is the stop box.
struct PastedCase {
    std::string text;
    std::optional<std::int16_t> value;  // none: the standard error report
    std::string report;
};

constexpr std::int16_t kBefore = 123;

class PastedNumberFault : public FaultTest {};

TEST_F(PastedNumberFault, EitherTheRulesValueOrTheStopBox) {
    const PastedCase cases[] = {
        {"1e5", std::nullopt, "Overflow: %s \"1e5\" is outside 0 to 32767"},
        {"1e2", 100, ""},
        {"nan", std::nullopt, "Type mismatch: %s \"nan\" is not a number"},
        {"inf", std::nullopt, "Type mismatch: %s \"inf\" is not a number"},
        {"0x1", std::nullopt, "Type mismatch: %s \"0x1\" is not a number"},
        {" 1", std::nullopt, "Type mismatch: %s \" 1\" is not a number"},
        {"1 ", std::nullopt, "Type mismatch: %s \"1 \" is not a number"},
        {"+1", 1, ""},
        {"-0", 0, ""},
        {".5", 0, ""},
        {"1.", 1, ""},
        {"99.", 99, ""},
    };
    for (Box box : {Box::Skew, Box::UpDown}) {
        std::string boxName = box == Box::Skew ? "Skew" : "Up";
        for (const PastedCase& pasted : cases) {
            SCOPED_TRACE(boxName + " \"" + pasted.text + "\"");
            RecordingWindow window(Folder().Path());
            MovieMaker maker(window);
            maker.Form_Load();
            maker.Values().SkewBytes = kBefore;
            maker.Values().UpLines = kBefore;
            window.boxes[box] = pasted.text;
            if (box == Box::Skew) {
                maker.Skew_Change();
            } else {
                maker.UpDown_Change();
            }

            std::int16_t value =
                box == Box::Skew ? maker.Values().SkewBytes : maker.Values().UpLines;
            std::string text = StopBoxText(window);
            if (box == Box::Skew) {
                std::printf("[ fault    ] pasted \"%s\": %s\n", pasted.text.c_str(),
                            pasted.value ? std::to_string(*pasted.value).c_str()
                                         : ("\"" + text + "\"").c_str());
            }
            if (pasted.value) {
                EXPECT_EQ(value, *pasted.value);
                EXPECT_TRUE(window.events.empty());
            } else {
                char expected[256];
                std::snprintf(expected, sizeof expected, pasted.report.c_str(), boxName.c_str());
                EXPECT_EQ(text, expected);
                EXPECT_TRUE(window.Ended());
                EXPECT_EQ(value, kBefore);
            }
            // The other value is never touched.
            EXPECT_EQ(box == Box::Skew ? maker.Values().UpLines : maker.Values().SkewBytes,
                      kBefore);
        }
    }
}

}  // namespace
}  // namespace zv::test
