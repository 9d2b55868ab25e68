// Win32 only: the Linux counterpart is common/linux/System.cpp.
#include "common/System.h"

#include "common/win32/Handle.h"
#include "common/win32/Utf16.h"

namespace zv {

std::string ExecutableFolder() {
    std::wstring path = Filled([](std::wstring& buffer) {
        DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            throw Win32Error("find the program's folder from", "GetModuleFileNameW",
                             ::GetLastError());
        }
        return length;
    });
    // The path is absolute. Every path is made from it: a name that does not convert would lead
    // to no file, or another.
    std::optional<std::string> folder =
        Utf8Of(path.substr(0, path.find_last_of(L"\\/")), IllFormed::kRefuse);
    if (!folder) {
        throw Win32Error("find the program's folder from", "GetModuleFileNameW",
                         ERROR_NO_UNICODE_TRANSLATION);
    }
    return *std::move(folder);
}

}  // namespace zv
