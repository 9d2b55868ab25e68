#include "params/Paths.h"

#include <utility>

namespace zv {

namespace {
constexpr char kSeparator = '/';
}

Paths::Paths(std::string programFolder) : m_programFolder(std::move(programFolder)) {}

std::string Paths::SourcePath(const std::string& sourceName) const {
    return m_programFolder + kSeparator + sourceName;
}

std::string Paths::OutputFolder() const {
    return m_programFolder + kSeparator + "Files";
}

std::string Paths::TrackPath(int number) const {
    return OutputFolder() + kSeparator + std::to_string(number) + ".bin";
}

std::string Paths::CueSheetPath() const {
    return OutputFolder() + kSeparator + "ZIDA.cue";
}

}  // namespace zv
