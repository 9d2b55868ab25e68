// Under Wine: a full build with a null window against CopyFileW of the same recording, timed in
// the same run, each in a process of its own; and the build's peak working set for a short and a
// long recording, which must not grow with the recording. A third run copies the recording into
// track-sized files and flushes each at the end, as the build does: how much of the gap to one
// copied file is the flushing of many files one after another, and how much is the build's own.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/MovieMaker.h"
#include "bench/Figures.h"
#include "params/Paths.h"
#include "tests/support/NullWindow.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDefaultRounds = 5;
constexpr long long kLongBytes = 300'000'000;
constexpr long long kShortBytes = 30'000'000;
constexpr char kRecordingName[] = "recording.raw";
constexpr double kBytesPerMib = 1024.0 * 1024.0;
// A full track file: 900 blocks of 11,760 bytes and the 81,620-byte tail.
constexpr long long kPieceBytes = 10'665'620;
constexpr DWORD kPieceChunkBytes = 1 << 20;

fs::path PathOf(const std::string& path) {
    return fs::path(std::u8string(path.begin(), path.end()));
}

HANDLE OpenFile(const fs::path& path, DWORD access, DWORD disposition) {
    return ::CreateFileW(path.wstring().c_str(), access, 0, nullptr, disposition, 0, nullptr);
}

// The recording written into numbered files of kPieceBytes, then each opened again and flushed.
bool CopyInPieces(const fs::path& from, const fs::path& folder) {
    HANDLE source = OpenFile(from, GENERIC_READ, OPEN_EXISTING);
    if (source == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::vector<char> chunk(kPieceChunkBytes);
    int pieces = 0;
    bool ok = true;
    bool more = true;
    while (ok && more) {
        HANDLE piece = OpenFile(folder / std::to_wstring(pieces++), GENERIC_WRITE, CREATE_NEW);
        ok = piece != INVALID_HANDLE_VALUE;
        for (long long left = kPieceBytes; ok && more && left > 0;) {
            DWORD want = static_cast<DWORD>(std::min<long long>(left, kPieceChunkBytes));
            DWORD got = 0;
            DWORD put = 0;
            ok = ::ReadFile(source, chunk.data(), want, &got, nullptr) &&
                 ::WriteFile(piece, chunk.data(), got, &put, nullptr) && put == got;
            more = got > 0;
            left -= got;
        }
        ::CloseHandle(piece);
    }
    ::CloseHandle(source);
    for (int number = 0; ok && number < pieces; ++number) {
        HANDLE piece = OpenFile(folder / std::to_wstring(number), GENERIC_WRITE, OPEN_EXISTING);
        ok = piece != INVALID_HANDLE_VALUE && ::FlushFileBuffers(piece);
        ::CloseHandle(piece);
    }
    return ok;
}

// The child's work: prints its own peak working set in bytes, the one figure the parent reads.
int RunChild(const std::string& mode, const std::string& from, const std::string& to) {
    if (mode == "pieces") {
        if (!CopyInPieces(PathOf(from), PathOf(to))) {
            return 1;
        }
    } else if (mode == "build") {
        zv::test::NullWindow window(from);
        zv::MovieMaker maker(window);
        maker.Form_Load();
        maker.Values().SourceName = kRecordingName;
        maker.MakeMovie_Click();
        if (!fs::exists(
                PathOf(zv::Paths(from).OutputFolder() + "\\" + zv::Paths::CueSheetName()))) {
            return 1;
        }
    } else {
        // A durable copy, as the build's set is durable.
        std::wstring copy = PathOf(to).wstring();
        if (!::CopyFileW(PathOf(from).wstring().c_str(), copy.c_str(), FALSE)) {
            return 1;
        }
        HANDLE file =
            ::CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        bool flushed = file != INVALID_HANDLE_VALUE && ::FlushFileBuffers(file);
        ::CloseHandle(file);
        if (!flushed) {
            return 1;
        }
    }
    PROCESS_MEMORY_COUNTERS counters{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    std::printf("%llu\n", static_cast<unsigned long long>(counters.PeakWorkingSetSize));
    return 0;
}

struct ChildRun {
    double seconds = 0;
    double peakMib = 0;
};

// Runs this program again as a child and times it from its start to its end.
ChildRun TimeChild(const std::string& mode, const std::string& from, const std::string& to = "") {
    wchar_t self[MAX_PATH * 4];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + PathOf(mode).wstring() + L" \"" +
                           PathOf(from).wstring() + L"\" \"" + PathOf(to).wstring() + L"\"";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        throw std::runtime_error("cannot make a pipe");
    }
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    auto started = std::chrono::steady_clock::now();
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        throw std::runtime_error("cannot start the " + mode + " child");
    }
    ::CloseHandle(writeEnd);
    std::string output;
    char buffer[256];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        output.append(buffer, got);
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    auto ended = std::chrono::steady_clock::now();
    DWORD status = 1;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    ::CloseHandle(readEnd);
    if (status != 0 || output.empty()) {
        throw std::runtime_error("the " + mode + " child failed with status " +
                                 std::to_string(status));
    }
    return {std::chrono::duration<double>(ended - started).count(),
            std::strtod(output.c_str(), nullptr) / kBytesPerMib};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4) {
        return RunChild(argv[1], argv[2], argv[3]);
    }
    int rounds = zv::bench::RoundsFrom(argc, argv, kDefaultRounds);
    if (rounds == 0) {
        return 2;
    }
    try {
        zv::test::TempFolder scratch;
        const std::string recording = scratch / kRecordingName;
        const std::string copy = scratch / "copy.raw";
        const std::string pieces = scratch / "pieces";
        std::vector<double> buildSeconds;
        std::vector<double> copySeconds;
        std::vector<double> piecesSeconds;
        auto timeBaselines = [&] {
            copySeconds.push_back(TimeChild("copy", recording, copy).seconds);
            fs::remove(PathOf(copy));
            fs::create_directory(PathOf(pieces));
            piecesSeconds.push_back(TimeChild("pieces", recording, pieces).seconds);
            fs::remove_all(PathOf(pieces));
        };
        double peakMib[2] = {};
        for (long long bytes : {kShortBytes, kLongBytes}) {
            std::fprintf(stderr, "build benchmark (Win32): %lld-byte recording in %s, %d rounds\n",
                         bytes, scratch.Path().c_str(), rounds);
            zv::bench::MakePatternFile(recording, bytes);
            bool timed = bytes == kLongBytes;
            for (int round = 0; round < rounds; ++round) {
                // Alternate the order, so that neither side always runs on a disk the other warmed.
                if (timed && round % 2 != 0) {
                    timeBaselines();
                }
                ChildRun build = TimeChild("build", scratch.Path());
                fs::remove_all(PathOf(scratch / "Files"));
                double& peak = peakMib[timed ? 1 : 0];
                peak = std::max(peak, build.peakMib);
                std::fprintf(stderr, "  build %.3f s, peak working set %.1f MiB\n", build.seconds,
                             build.peakMib);
                if (timed) {
                    buildSeconds.push_back(build.seconds);
                }
                if (timed && round % 2 == 0) {
                    timeBaselines();
                }
                if (timed) {
                    std::fprintf(stderr, "  copy  %.3f s, in track-sized files %.3f s\n",
                                 copySeconds.back(), piecesSeconds.back());
                }
            }
        }
        double build = zv::bench::Median(buildSeconds);
        double copied = zv::bench::Median(copySeconds);
        double inPieces = zv::bench::Median(piecesSeconds);
        zv::bench::PrintFigure("win_build_s", build, 3);
        zv::bench::PrintFigure("win_copyfile_s", copied, 3);
        zv::bench::PrintFigure("win_build_vs_copyfile", build / copied, 2);
        zv::bench::PrintFigure("win_copy_in_track_files_s", inPieces, 3);
        zv::bench::PrintFigure("win_build_vs_copy_in_track_files", build / inPieces, 2);
        zv::bench::PrintFigure("win_peak_ws_mib_30mb", peakMib[0], 1);
        zv::bench::PrintFigure("win_peak_ws_mib_300mb", peakMib[1], 1);
        zv::bench::PrintFigure("win_peak_300mb_vs_30mb", peakMib[1] / peakMib[0], 2);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "build benchmark (Win32): %s\n", error.what());
        return 1;
    }
    return 0;
}
