#include "bench/BuildRound.h"

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include "app/MovieMaker.h"
#include "params/Paths.h"

namespace zv::bench {

namespace {

constexpr std::int64_t kBlockBytesOnDisk = 512;  // the unit of st_blocks

}

void MakeMovie(Window& window, const std::string& sourceName) {
    MovieMaker maker(window);
    maker.Form_Load();
    maker.Values().SourceName = sourceName;
    maker.MakeMovie_Click();
}

BuiltSet InspectBuild(const std::string& programFolder) {
    Paths paths(programFolder);
    std::string cueSheet = paths.OutputFolder() + "/" + Paths::CueSheetName();
    if (!std::filesystem::is_regular_file(cueSheet)) {
        throw std::runtime_error("the build failed: no " + cueSheet);
    }
    BuiltSet set;
    while (std::filesystem::is_regular_file(paths.TrackPath(set.files))) {
        ++set.files;
    }
    if (set.files < 2) {
        throw std::runtime_error("the build left no filler in " + paths.OutputFolder());
    }
    set.fillerPath = paths.TrackPath(set.files - 1);
    struct stat status {};
    if (::stat(set.fillerPath.c_str(), &status) != 0) {
        throw std::runtime_error("cannot measure " + set.fillerPath);
    }
    set.fillerAllocatedKib = static_cast<std::int64_t>(status.st_blocks) * kBlockBytesOnDisk / 1024;
    return set;
}

void RemoveBuild(const std::string& programFolder) {
    std::filesystem::remove_all(Paths(programFolder).OutputFolder());
}

}  // namespace zv::bench
