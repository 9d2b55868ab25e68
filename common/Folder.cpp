// What Folder does alike on every system, through the system's own calls.
#include "common/Folder.h"

#include <utility>

#include "common/System.h"

namespace zv {

Folder::Folder(NativeHandle handle, std::string path) : m_handle(handle), m_path(std::move(path)) {}

std::string Folder::PathOf(const std::string& name) const {
    return m_path + kPathSeparator + name;
}

}  // namespace zv
