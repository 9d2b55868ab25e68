#pragma once

#include <string>

namespace zv {

// The window's texts are UTF-8 like the logic's; these two convert at the Win32 calls only.
std::wstring ToUtf16(const std::string& text);
std::string FromUtf16(const std::wstring& text);

}  // namespace zv
