// Ten frames decoded and handed to a null window, next to a plain read of the same bytes.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/MovieMaker.h"
#include "bench/Figures.h"
#include "bench/Measure.h"
#include "params/Parameters.h"
#include "params/SkipRule.h"
#include "tests/support/NullWindow.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr int kDefaultRounds = 200;
constexpr int kWarmUpRounds = 20;
constexpr int kPreviewFrames = 10;
// More than the preview reads, so that it never meets the end of the file.
constexpr int kRecordingFrames = 12;
constexpr std::size_t kPreviewBytes = static_cast<std::size_t>(kPreviewFrames) * zv::kFrameBytes;
constexpr char kSourceName[] = "recording.raw";

double MicrosecondsSince(std::chrono::steady_clock::time_point started) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started)
        .count();
}

double TimePreview(zv::MovieMaker& maker) {
    auto started = std::chrono::steady_clock::now();
    maker.Check_Click();
    return MicrosecondsSince(started);
}

double TimePlainRead(const std::string& path, off_t offset, std::vector<char>& buffer) {
    auto started = std::chrono::steady_clock::now();
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        throw std::runtime_error("cannot open " + path);
    }
    ssize_t got = ::pread(descriptor, buffer.data(), buffer.size(), offset);
    ::close(descriptor);
    double elapsed = MicrosecondsSince(started);
    if (got != static_cast<ssize_t>(buffer.size())) {
        throw std::runtime_error("short read of " + path);
    }
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = zv::bench::RoundsFrom(argc, argv, kDefaultRounds);
    if (rounds == 0) {
        return 2;
    }
    try {
        zv::test::TempFolder scratch;
        std::string source = scratch / kSourceName;
        zv::Parameters defaults;
        auto head = static_cast<off_t>(zv::HeadLength(defaults));
        zv::bench::MakePatternFile(source,
                                   head + static_cast<off_t>(kRecordingFrames) * zv::kFrameBytes);

        zv::test::NullWindow window(scratch.Path());
        zv::MovieMaker maker(window);
        maker.Form_Load();
        maker.Values().SourceName = kSourceName;
        std::vector<char> buffer(kPreviewBytes);

        std::vector<double> previewMicroseconds;
        std::vector<double> readMicroseconds;
        for (int round = -kWarmUpRounds; round < rounds; ++round) {
            double preview = TimePreview(maker);
            double read = TimePlainRead(source, head, buffer);
            if (round >= 0) {
                previewMicroseconds.push_back(preview);
                readMicroseconds.push_back(read);
            }
        }
        std::fprintf(stderr, "preview benchmark: %d rounds of %zu bytes, slowest preview %.1f us\n",
                     rounds, kPreviewBytes, zv::bench::Maximum(previewMicroseconds));
        zv::bench::PrintFigure("preview_us", zv::bench::Median(previewMicroseconds), 1);
        zv::bench::PrintFigure("preview_read_us", zv::bench::Median(readMicroseconds), 1);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "preview benchmark: %s\n", error.what());
        return 1;
    }
    return 0;
}
