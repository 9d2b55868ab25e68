#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

namespace zv {

// A failure no operation handles: the event handler shows its message in a stop box and ends the
// program. The message names the failure, the file or value, and the reason.
class StandardError : public std::runtime_error {
public:
    explicit StandardError(const std::string& message) : std::runtime_error(message) {}

    // "Cannot <action> <path>: <reason>"
    static StandardError Cannot(const std::string& action, const std::string& path,
                                const std::string& reason) {
        return StandardError("Cannot " + action + " " + path + ": " + reason);
    }
    // The same, with the C library's text for an errno value as the reason.
    static StandardError FromErrno(const std::string& action, const std::string& path, int error) {
        return Cannot(action, path, std::strerror(error));
    }
};

}  // namespace zv
