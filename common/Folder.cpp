// What Folder does alike on every system, through the system's own calls.
#include "common/Folder.h"

#include "common/StandardError.h"
#include "common/System.h"

namespace zv {

bool Folder::HoldsFile(const std::string& name) const {
    try {
        OpenForReading(name).Close();
        return true;
    } catch (const StandardError&) {
        return false;
    }
}

std::string Folder::PathOf(const std::string& name) const {
    return m_path + kPathSeparator + name;
}

}  // namespace zv
