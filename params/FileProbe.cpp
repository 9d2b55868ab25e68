#include "params/FileProbe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

bool FileExists(const std::string& path) {
    // O_NONBLOCK: opening a pipe must not wait for a writer.
    int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    struct stat status {};
    bool regular = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    ::close(descriptor);
    return regular;
}

}  // namespace zv
