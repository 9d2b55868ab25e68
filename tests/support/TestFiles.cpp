#include "tests/support/TestFiles.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace zv::test {

namespace fs = std::filesystem;

namespace {

// Paths are UTF-8 inside, as the program's are.
fs::path PathOf(const std::string& path) {
    return fs::path(std::u8string(path.begin(), path.end()));
}

}  // namespace

std::vector<unsigned char> PatternBytes(std::int64_t first, std::int64_t count) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(count));
    for (std::int64_t i = first; unsigned char& byte : bytes) {
        byte = static_cast<unsigned char>(i * 7 + i / 251);
        ++i;
    }
    return bytes;
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    if (!out.write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes))) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadText(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::string text = ReadText(path);
    return {text.begin(), text.end()};
}

void MakeSparseFile(const std::string& path, std::int64_t length) {
    std::ofstream{PathOf(path)};
    fs::resize_file(PathOf(path), static_cast<std::uintmax_t>(length));
}

bool IsAllZeros(const std::string& path) {
    static const char kZeros[1 << 16] = {};
    std::ifstream in(PathOf(path), std::ios::binary);
    char buffer[sizeof kZeros];
    bool zeros = static_cast<bool>(in);
    while (zeros && in.read(buffer, sizeof buffer).gcount() > 0) {
        zeros = std::memcmp(buffer, kZeros, static_cast<std::size_t>(in.gcount())) == 0;
    }
    return zeros;
}

#ifdef _WIN32

std::map<std::string, std::string> ListFolder(const std::string& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(PathOf(folder))) {
        std::u8string name = fs::relative(entry.path(), PathOf(folder)).u8string();
        entries[std::string(name.begin(), name.end())] =
            entry.is_directory()
                ? "folder"
                : std::to_string(entry.file_size()) + " " +
                      std::to_string(entry.last_write_time().time_since_epoch().count());
    }
    return entries;
}
#else
std::map<std::string, std::string> ListFolder(const std::string& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        struct stat status {};
        ::lstat(entry.path().c_str(), &status);
        std::int64_t nanoseconds = status.st_mtim.tv_sec * 1'000'000'000 + status.st_mtim.tv_nsec;
        entries[fs::relative(entry.path(), folder)] =
            S_ISDIR(status.st_mode)
                ? "folder"
                : std::to_string(status.st_size) + " " + std::to_string(nanoseconds);
    }
    return entries;
}
#endif

}  // namespace zv::test
