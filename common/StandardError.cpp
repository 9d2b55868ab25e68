#include "common/StandardError.h"

#include <cstring>

namespace zv {

StandardError StandardError::FromErrno(const std::string& action, const std::string& path,
                                       int error) {
    return StandardError("Cannot " + action + " " + path + ": " + std::strerror(error));
}

}  // namespace zv
