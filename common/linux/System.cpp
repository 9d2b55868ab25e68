// Linux only: the Windows counterpart is common/win32/System.cpp.
#include "common/System.h"

#include <unistd.h>

#include <cerrno>

#include "common/StandardError.h"

namespace zv {

std::string ExecutableFolder() {
    constexpr char kLink[] = "/proc/self/exe";
    // The name as the system holds it, byte for byte: it need not be valid text.
    std::string path(256, '\0');
    while (true) {
        ssize_t length = ::readlink(kLink, path.data(), path.size());
        if (length < 0) {
            throw StandardError::FromErrno("find the program's folder from", kLink, errno);
        }
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            break;
        }
        path.resize(path.size() * 2);
    }
    // The link holds an absolute path.
    return path.substr(0, path.rfind('/'));
}

}  // namespace zv
