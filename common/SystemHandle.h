#pragma once

#include <cstdint>
#include <utility>

namespace zv {

// The system's handle of an open file or folder: a descriptor on Linux, a HANDLE on Windows.
using NativeHandle = std::intptr_t;
inline constexpr NativeHandle kNoHandle = -1;

// For destructors: a handle that will not close has nothing left to lose.
void CloseQuietly(NativeHandle handle);

// Owns one handle and closes it quietly when it goes; a close whose failure counts takes the
// handle with Release and closes it itself.
class SystemHandle {
public:
    SystemHandle() = default;
    explicit SystemHandle(NativeHandle handle) : m_handle(handle) {}
    SystemHandle(SystemHandle&& other) noexcept : m_handle(other.Release()) {}
    SystemHandle& operator=(SystemHandle&& other) noexcept {
        if (this != &other) {
            CloseQuietly(std::exchange(m_handle, other.Release()));
        }
        return *this;
    }
    ~SystemHandle() { CloseQuietly(m_handle); }

    NativeHandle Get() const { return m_handle; }
    NativeHandle Release() { return std::exchange(m_handle, kNoHandle); }

private:
    NativeHandle m_handle = kNoHandle;
};

}  // namespace zv
