#include "common/StandardError.h"

#include <cstring>

namespace zv {

StandardError StandardError::Cannot(const std::string& action, const std::string& path,
                                    const std::string& reason) {
    return StandardError("Cannot " + action + " " + path + ": " + reason);
}

StandardError StandardError::FromErrno(const std::string& action, const std::string& path,
                                       int error) {
    return Cannot(action, path, std::strerror(error));
}

}  // namespace zv
