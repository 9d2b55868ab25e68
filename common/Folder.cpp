// What Folder does alike on every system, through the system's own calls.
#include "common/Folder.h"

#include "common/System.h"

namespace zv {

std::string Folder::PathOf(const std::string& name) const {
    return m_path + kPathSeparator + name;
}

}  // namespace zv
