#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/MovieMaker.h"
#include "fuzz/FuzzWindow.h"

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
    auto upLines = static_cast<std::int16_t>((data[0] << 8 | data[1]) % (kMaxUpLines + 1));
    auto skew = static_cast<std::int16_t>((data[2] << 8 | data[3]) % (kMaxSkew + 1));
    {
        std::ofstream recording(zv::fuzz::ScratchProgramFolder() + "/" + kRecordingName,
                                std::ios::binary | std::ios::trunc);
        recording.write(reinterpret_cast<const char*>(data + kOffsetBytes),
                        static_cast<std::streamsize>(size - kOffsetBytes));
        if (!recording) {
            std::abort();
        }
    }

    zv::fuzz::FuzzWindow window(zv::fuzz::ScratchProgramFolder());
    zv::MovieMaker maker(window);
    maker.Form_Load();
    maker.Values().UpLines = upLines;
    maker.Values().SkewBytes = skew;
    maker.Values().SourceName = kRecordingName;
    maker.Check_Click();
    if (window.messages != 0 || window.ended ||
        window.Caption(zv::Button::Check) != "Check Again?") {
        std::abort();
    }
    return 0;
}
