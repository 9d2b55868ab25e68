#include "params/Paths.h"

#include <utility>

#include "common/System.h"

namespace zv {

Paths::Paths(std::string programFolder) : m_programFolder(std::move(programFolder)) {}

std::string Paths::SourcePath(const std::string& sourceName) const {
    return m_programFolder + kPathSeparator + sourceName;
}

std::string Paths::OutputFolder() const {
    return m_programFolder + kPathSeparator + "Files";
}

std::string Paths::TrackPath(int number) const {
    return OutputFolder() + kPathSeparator + TrackName(number);
}

std::string Paths::TrackName(int number) {
    return std::to_string(number) + ".bin";
}

}  // namespace zv
