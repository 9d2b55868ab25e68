// Faults Windows has of its own, as a build meets them. The reasons are the system's own words for
// the expected error, so that the same test holds on Windows and under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/File.h"
#include "common/win32/Handle.h"
#include "common/win32/Utf16.h"
#include "params/FileProbe.h"
#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

using Win32FileTest = MovieMakerFixture;

// Opens `path` as another program would that shares it with no one; closed with the row.
struct HeldFile {
    explicit HeldFile(const std::string& path)
        : handle(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
    ~HeldFile() { ::CloseHandle(handle); }
    HANDLE handle;
};

// The reasons of the errors the cases meet, as Windows words them and as Wine does.
std::string Why(DWORD error) {
    const struct {
        DWORD error;
        const char* windows;
        const char* wine;
    } reasons[] = {
        {2, "The system cannot find the file specified.", "File not found."},
        {3, "The system cannot find the path specified.", "Path not found."},
        {5, "Access is denied.", "Access denied."},
        {32, "The process cannot access the file because it is being used by another process.",
         "Sharing violation."},
        {80, "The file exists.", "File exists."},
        {267, "The directory name is invalid.", "Directory name invalid."},
        {336, "An operation is not supported on a directory.", "system error 336"},
        {1113, "No mapping for the Unicode character exists in the target multi-byte code page.",
         "No Unicode translation."},
    };
    static const bool wine =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    for (const auto& reason : reasons) {
        if (reason.error == error) {
            return wine ? reason.wine : reason.windows;
        }
    }
    return "a reason the table lacks";
}

TEST_F(Win32FileTest, FailuresNameTheActionThePathAndTheReason) {
    const std::string& folder = m_folder.Path();
    const std::string data = m_folder / "data";
    const std::string gone = m_folder / "gone";
    const std::string held = m_folder / "held";
    WriteBytes(data, {1, 2, 3});
    WriteBytes(held, {1, 2, 3});
    fs::create_directory(m_folder / "sub");
    const struct {
        std::function<void()> run;
        std::string message;
    } cases[] = {
        {[&] { File::OpenForReading(gone); }, "Cannot open " + gone + ": " + Why(2)},
        {[&] { File::OpenForReading(gone + "-\u00e9\u4e2d"); },
         "Cannot open " + gone + "-\xc3\xa9\xe4\xb8\xad: " + Why(2)},
        {[&] { File::OpenForReading(gone + "-\xff"); },
         "Cannot open " + gone + "-\xff: " + Why(1113)},
        {[&] { File::OpenForReading(folder); }, "Cannot open " + folder + ": " + Why(5)},
        {[&] { Folder::Open(folder).CreateNew("gone\\x"); },
         "Cannot create " + gone + "\\x: " + Why(3)},
        {[&] { Folder::Open(folder).CreateNew("sub"); },
         "Cannot create " + (m_folder / "sub") + ": " + Why(336)},
        {[&] { File::OpenForReading(data).Write("x", 1); }, "Cannot write " + data + ": " + Why(5)},
        {[&] { Folder::Open(data); }, "Cannot open folder " + data + ": " + Why(267)},
        {[&] { MakeFolder(gone + "\\x"); }, "Cannot create folder " + gone + "\\x: " + Why(3)},
        {[&] { Folder::Open(folder).Remove("gone"); }, "Cannot remove " + gone + ": " + Why(2)},
        {[&] { Folder::Open(folder).Remove("sub"); },
         "Cannot remove " + (m_folder / "sub") + ": " + Why(5)},
        {[&] { Folder::Open(folder).CreateNew("held"); }, "Cannot create " + held + ": " + Why(80)},
        {[&] { File::OpenForReading(held); }, "Cannot open " + held + ": " + Why(32)},
    };
    for (const auto& c : cases) {
        HeldFile other(held);
        EXPECT_EQ(ErrorOf(c.run), c.message);
    }
    // A folder another build made first is no failure: the claim decides between the two.
    EXPECT_FALSE(MakeFolder(folder));
}

// Only a name surrogate leads elsewhere; other reparse points are files their filter serves.
TEST_F(Win32FileTest, OnlyNameSurrogatesAreLinks) {
    constexpr DWORD kFile = FILE_ATTRIBUTE_ARCHIVE;
    constexpr DWORD kDir = FILE_ATTRIBUTE_DIRECTORY;
    constexpr DWORD kReparse = FILE_ATTRIBUTE_REPARSE_POINT;
    const struct {
        DWORD attributes;
        DWORD tag;
        EntryKind kind;
    } cases[] = {
        {kFile, 0, EntryKind::kFile},
        {kDir, 0, EntryKind::kFolder},
        {kFile | kReparse, 0xA000000C, EntryKind::kLink},   // symbolic link
        {kDir | kReparse, 0xA0000003, EntryKind::kLink},    // junction, mount point
        {kFile | kReparse, 0x9000001A, EntryKind::kFile},   // OneDrive placeholder
        {kDir | kReparse, 0x9000001A, EntryKind::kFolder},  // cloud folder
        {kFile | kReparse, 0x80000017, EntryKind::kFile},   // WOF (compact /exe)
        {kFile | kReparse, 0x80000013, EntryKind::kFile},   // deduplicated
        {kFile, 0xA000000C, EntryKind::kFile},              // a tag without the attribute
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KindOf(c.attributes, c.tag), c.kind) << std::hex << c.attributes << " " << c.tag;
    }
}

// Names are UTF-8 inside and reach Windows as UTF-16, in the long form past MAX_PATH. The test's
// own files are reached in that form too, as Windows needs it.
TEST_F(Win32FileTest, ARecordingNamedBeyondAsciiOrDeepIsBuilt) {
    const std::string top = m_folder / "deep";
    std::vector<std::string> levels{top};
    while (levels.back().size() <= 300) {
        ASSERT_TRUE(MakeFolder(levels.back())) << levels.back();
        levels.push_back(levels.back() + "\\folder-" + std::to_string(levels.size()));
    }
    const std::string deep = levels.back();
    ASSERT_TRUE(MakeFolder(deep));
    const struct {
        std::string programFolder;
        const char* recording;
    } cases[] = {
        {m_folder.Path(), "Film-\u00e9\u4e2d.raw"},
        {deep, "movie.raw"},
    };
    for (const auto& c : cases) {
        RecordingWindow window(c.programFolder);
        MovieMaker maker(window);
        maker.Form_Load();
        const std::string longForm = "\\\\?\\" + c.programFolder;
        WriteBytes(longForm + "\\" + c.recording, PatternBytes(0, kCopyStart + 5'000));
        window.boxes[Box::ZIDAFile] = c.recording;
        maker.ZIDAFile_Change();
        maker.MakeMovie_Click();
        EXPECT_EQ(window.captions[Button::MakeMovie], "Finished!") << c.programFolder;
        EXPECT_EQ(File::OpenForReading(c.programFolder + "\\Files\\1.bin").Size(), 86'620);
    }
    // The temporary folder's own removal lists folders with calls that MAX_PATH still binds.
    for (const char* name :
         {"Files\\0.bin", "Files\\1.bin", "Files\\2.bin", "Files\\ZIDA.cue", "movie.raw"}) {
        Folder::Open(deep).Remove(name);
    }
    levels.push_back(deep + "\\Files");
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        EXPECT_TRUE(::RemoveDirectoryW(ToUtf16("\\\\?\\" + *level).c_str()))
            << *level << " " << ::GetLastError();
    }
}

// A build holds Files\: no one renames or removes it meanwhile, and another program that holds it
// is told apart from a build.
TEST_F(Win32FileTest, AHeldFolderCannotBeTakenRenamedOrRemoved) {
    const std::string files = m_folder / "Files";
    fs::create_directory(files);
    std::optional<Folder> held = Folder::Claim(files);
    ASSERT_TRUE(held);
    EXPECT_FALSE(::MoveFileExA(files.c_str(), (m_folder / "Moved").c_str(), 0));
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(::RemoveDirectoryA(files.c_str()));
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    held.reset();
    {
        HeldFile program(files);
        EXPECT_EQ(
            ErrorOf([&] { Folder::Claim(files); }),
            "Cannot build in " + files + ": another program is using it; close it and try again");
    }
    EXPECT_TRUE(Folder::Claim(files));
}

// A file another program holds without sharing stops the build; a read-only set, as
// `attrib +r Files\*` leaves it, is replaced as on Linux.
TEST_F(Win32FileTest, ABuildStopsAtAHeldFileAndReplacesReadOnlyOnes) {
    UseRecording(PatternBytes(0, kCopyStart + 5'000));
    m_maker.MakeMovie_Click();
    for (const auto& entry : fs::directory_iterator(m_folder / "Files")) {
        ASSERT_TRUE(::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_READONLY));
    }
    m_window.Reset();
    m_maker.MakeMovie_Click();
    EXPECT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
    EXPECT_EQ(Sizes(), kOneTrackSet);
    {
        HeldFile other(Track(0));
        m_window.Reset();
        m_maker.MakeMovie_Click();
    }
    EXPECT_EQ(StopBoxText(), "Cannot remove " + Track(0) + ": " + Why(32));
    ExpectSourceUnchanged();
}

}  // namespace
}  // namespace zv::test
