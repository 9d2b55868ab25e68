#include "params/FileProbe.h"

#include "common/File.h"
#include "common/Folder.h"
#include "common/StandardError.h"

namespace zv {

namespace {

template <typename Open>
bool Opens(Open&& open) {
    try {
        open().Close();
        return true;
    } catch (const StandardError&) {
        return false;
    }
}

}  // namespace

bool FileExists(const std::string& path) {
    return Opens([&] { return File::OpenForReading(path); });
}

bool FileExists(const Folder& folder, const std::string& name) {
    return Opens([&] { return folder.OpenForReading(name); });
}

}  // namespace zv
