#pragma once

// Win32 only: what File, Folder and the program folder share of names, handles and errors.
#include <windows.h>

#include <algorithm>
#include <string>

#include "common/File.h"
#include "common/StandardError.h"

namespace zv {

// `path` as the system takes it: UTF-16, absolute and in the long form; messages keep `path` as the
// user wrote it. A name with a NUL names no file: the system would see only the part before it.
// Text that is not UTF-8 names none either.
std::wstring SystemName(const std::string& path, const char* action);

// "Cannot <action> <path>: <the system's text for `error`>", in English where Windows has it.
StandardError Win32Error(const std::string& action, const std::string& path, DWORD error);

// Opens what is at `path` with CreateFileW, shared with everyone; errors name `path` and `action`.
SystemHandle OpenHandle(const std::string& path, DWORD access, DWORD flags, const char* action);

// What an entry is to the program. Windows shows many files as reparse points: only those whose
// tag is a name surrogate (symbolic links, junctions, mount points) lead elsewhere; the others
// (cloud placeholders, compressed or deduplicated files) are files their filter driver serves.
enum class EntryKind { kFile, kFolder, kLink };
EntryKind KindOf(DWORD attributes, DWORD reparseTag);

// The attributes and reparse tag of an open file (FileAttributeTagInfo).
FILE_ATTRIBUTE_TAG_INFO TagOf(HANDLE handle, const std::string& path);

// The file's id on its volume, the whole 128 bits of ReFS's ids.
FileId FileIdOf(HANDLE handle, const std::string& path);

// A regular file on a disk, for reading. `followLinks` false: a link is refused, not followed.
SystemHandle OpenRegularFile(const std::string& path, bool followLinks);

// What `call(buffer)` writes into a buffer grown until it fits: `call` returns the length written,
// or a length at least the buffer's size when the text came back cut or did not fit.
template <typename Call>
std::wstring Filled(Call call) {
    std::wstring text(MAX_PATH, L'\0');
    std::size_t length = 0;
    while ((length = call(text)) >= text.size()) {
        text.resize(std::max<std::size_t>(length, 2 * text.size()));
    }
    text.resize(length);
    return text;
}

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

inline HANDLE HandleOf(NativeHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

inline NativeHandle NativeOf(HANDLE handle) {
    return reinterpret_cast<NativeHandle>(handle);
}

}  // namespace zv
