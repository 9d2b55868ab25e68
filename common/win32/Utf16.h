#pragma once

#include <string>

namespace zv {

// Win32 only. Texts are UTF-8 inside the program; these two convert at the Win32 calls only.
std::wstring ToUtf16(const std::string& text);
std::string FromUtf16(const std::wstring& text);

}  // namespace zv
