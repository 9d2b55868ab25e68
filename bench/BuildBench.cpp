// A full build with a null window against a plain durable copy of the same recording (dd with
// fsync), timed in the same run, each in a child process of its own.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BuildRound.h"
#include "bench/Figures.h"
#include "bench/Measure.h"
#include "tests/support/NullWindow.h"
#include "tests/support/TempFolder.h"

namespace {

using zv::bench::ChildRun;

struct Figures {
    std::vector<double> buildSeconds;
    std::vector<double> ddSeconds;
    std::vector<double> buildCpuSeconds;
    std::vector<double> ddCpuSeconds;
    std::vector<double> buildPeakMib;
    std::vector<double> fillerKib;
};

void TimeBuild(const zv::test::TempFolder& scratch, Figures& figures) {
    zv::bench::FlushDisks();
    ChildRun run = zv::bench::TimeChild([&] {
        zv::test::NullWindow window(scratch.Path());
        zv::bench::MakeMovie(window, zv::bench::kRecordingName);
    });
    zv::bench::BuiltSet set = zv::bench::InspectBuild(scratch.Path());
    figures.buildSeconds.push_back(run.seconds);
    figures.buildCpuSeconds.push_back(run.cpuSeconds);
    figures.buildPeakMib.push_back(run.peakMib);
    figures.fillerKib.push_back(static_cast<double>(set.fillerAllocatedKib));
    std::fprintf(stderr,
                 "  build %.3f s (cpu %.3f s), peak %.1f MiB, %d files, filler %lld KiB on disk\n",
                 run.seconds, run.cpuSeconds, run.peakMib, set.files,
                 static_cast<long long>(set.fillerAllocatedKib));
    zv::bench::RemoveBuild(scratch.Path());
}

void TimeCopy(const zv::test::TempFolder& scratch, Figures& figures) {
    std::string copy = scratch / "copy.raw";
    zv::bench::FlushDisks();
    ChildRun run = zv::bench::TimeProgram(
        {"dd", "if=" + (scratch / zv::bench::kRecordingName), "of=" + copy, "bs=1M", "conv=fsync"});
    figures.ddSeconds.push_back(run.seconds);
    figures.ddCpuSeconds.push_back(run.cpuSeconds);
    std::fprintf(stderr, "  dd    %.3f s (cpu %.3f s)\n", run.seconds, run.cpuSeconds);
    std::filesystem::remove(copy);
}

}  // namespace

int main(int argc, char** argv) {
    const char* arguments = "[rounds] [recording bytes]";
    int rounds = zv::bench::RoundsFrom(argc, argv, zv::bench::kBuildRounds, arguments);
    long long bytes = argc > 2 ? std::atoll(argv[2]) : zv::bench::kRecordingBytes;
    if (rounds == 0) {
        return 2;
    }
    if (bytes < 1) {
        std::fprintf(stderr, "usage: %s %s\n", argv[0], arguments);
        return 2;
    }
    try {
        zv::test::TempFolder scratch;
        std::fprintf(stderr, "build benchmark: %lld-byte recording in %s, %d rounds\n", bytes,
                     scratch.Path().c_str(), rounds);
        zv::bench::MakePatternFile(scratch / zv::bench::kRecordingName, bytes);

        Figures figures;
        for (int round = 0; round < rounds; ++round) {
            std::fprintf(stderr, "round %d\n", round + 1);
            // Alternate the order, so that neither side always runs on a disk the other warmed.
            if (round % 2 == 0) {
                TimeBuild(scratch, figures);
                TimeCopy(scratch, figures);
            } else {
                TimeCopy(scratch, figures);
                TimeBuild(scratch, figures);
            }
        }

        using zv::bench::Median;
        double build = Median(figures.buildSeconds);
        double copy = Median(figures.ddSeconds);
        std::fprintf(stderr, "medians: build %.3f s (cpu %.3f s), dd %.3f s (cpu %.3f s)\n", build,
                     Median(figures.buildCpuSeconds), copy, Median(figures.ddCpuSeconds));
        zv::bench::PrintFigure("build_s", build, 3);
        zv::bench::PrintFigure("dd_s", copy, 3);
        zv::bench::PrintFigure("build_vs_dd", build / copy, 2);
        zv::bench::PrintFigure("peak_rss_mib", zv::bench::Maximum(figures.buildPeakMib), 1);
        zv::bench::PrintFigure("filler_alloc_kib", zv::bench::Maximum(figures.fillerKib), 0);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "build benchmark: %s\n", error.what());
        return 1;
    }
    return 0;
}
