#pragma once

#include <string>

namespace zv {

// Every path the program uses, built by plain joining onto the program folder.
class Paths {
public:
    explicit Paths(std::string programFolder);

    const std::string& ProgramFolder() const { return m_programFolder; }
    std::string SourcePath(const std::string& sourceName) const;
    std::string OutputFolder() const;
    // n.bin in the output folder: 0 is the lead-in, then the tracks, then the filler.
    std::string TrackPath(int number) const;

    // The names of the output files within the output folder.
    static std::string TrackName(int number);
    static const char* CueSheetName() { return "ZIDA.cue"; }
    // The cue sheet while the set is written: no burner takes it for a sheet, no count for a track.
    static const char* CueSheetDraftName() { return "ZIDA.cue.tmp"; }

private:
    std::string m_programFolder;
};

}  // namespace zv
