#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/MovieMaker.h"
#include "fuzz/FuzzWindow.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr std::int16_t kMaxUpLines = 409;
constexpr std::int16_t kMaxSkew = 999;
constexpr std::size_t kOffsetBytes = 4;
constexpr char kRecordingName[] = "recording.raw";

}  // namespace

// Two bytes of Up, two of Skew, then the recording: any length, any offsets within range. The
// preview must draw only inside its block and end without a report.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kOffsetBytes) {
        return -1;
    }
    const std::string& folder = zv::fuzz::ScratchProgramFolder();
    zv::test::WriteBytes(folder + "/" + kRecordingName,
                         std::vector<unsigned char>(data + kOffsetBytes, data + size));
    zv::fuzz::FuzzWindow window(folder);
    zv::MovieMaker maker(window);
    maker.Form_Load();
    maker.Values().UpLines =
        static_cast<std::int16_t>((data[0] << 8 | data[1]) % (kMaxUpLines + 1));
    maker.Values().SkewBytes = static_cast<std::int16_t>((data[2] << 8 | data[3]) % (kMaxSkew + 1));
    maker.Values().SourceName = kRecordingName;
    maker.Check_Click();
    if (window.messages != 0 || window.ended ||
        window.Caption(zv::Button::Check) != "Check Again?") {
        std::abort();
    }
    return 0;
}
