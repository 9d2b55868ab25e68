#include "params/FileProbe.h"

#include "common/File.h"
#include "common/StandardError.h"

namespace zv {

bool FileExists(const std::string& path) {
    try {
        File::OpenForReading(path).Close();
        return true;
    } catch (const StandardError&) {
        return false;
    }
}

}  // namespace zv
