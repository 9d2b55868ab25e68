// Faults Windows has of its own, as a build meets them; the texts are Wine's.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/File.h"
#include "common/Folder.h"
#include "tests/support/MovieMakerFixture.h"

namespace zv::test {
namespace {

namespace fs = std::filesystem;

using Win32FileTest = MovieMakerFixture;

// Opens `path` as another program would that shares it with no one; closed with the row.
struct HeldFile {
    explicit HeldFile(const std::string& path)
        : handle(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
    }
    ~HeldFile() { ::CloseHandle(handle); }
    HANDLE handle;
};

TEST_F(Win32FileTest, FailuresNameTheActionThePathAndTheReason) {
    const std::string& folder = m_folder.Path();
    const std::string data = m_folder / "data";
    const std::string gone = m_folder / "gone";
    const std::string held = m_folder / "held";
    WriteBytes(data, {1, 2, 3});
    WriteBytes(held, {1, 2, 3});
    WriteBytes(m_folder / "read-only", {1, 2, 3});
    ::SetFileAttributesA((m_folder / "read-only").c_str(), FILE_ATTRIBUTE_READONLY);
    const struct {
        std::function<void()> run;
        std::string message;
    } cases[] = {
        {[&] { File::OpenForReading(gone); }, "Cannot open " + gone + ": File not found."},
        {[&] { File::OpenForReading(gone + "-\u00e9\u4e2d"); },
         "Cannot open " + gone + "-\xc3\xa9\xe4\xb8\xad: File not found."},
        {[&] { File::OpenForReading(folder); }, "Cannot open " + folder + ": Access denied."},
        {[&] { Folder::Open(folder).CreateNew("gone\\x"); },
         "Cannot create " + gone + "\\x: Path not found."},
        {[&] { File::OpenForReading(data).Write("x", 1); }, "Cannot write " + data + ": Access denied."},
        {[&] { Folder::Open(data); }, "Cannot open folder " + data + ": Directory name invalid."},
        {[&] { MakeFolder(gone + "\\x"); },
         "Cannot create folder " + gone + "\\x: Path not found."},
        {[&] { Folder::Open(folder).Remove("gone"); },
         "Cannot remove " + gone + ": File not found."},
        {[&] { Folder::Open(folder).Remove("read-only"); },
         "Cannot remove " + (m_folder / "read-only") + ": Access denied."},
        {[&] { Folder::Open(folder).CreateNew("held"); },
         "Cannot create " + held + ": File exists."},
        {[&] { File::OpenForReading(held); }, "Cannot open " + held + ": Sharing violation."},
    };
    for (const auto& c : cases) {
        HeldFile other(held);
        EXPECT_EQ(ErrorOf(c.run), c.message);
    }
    // A folder another build made first is no failure: the claim decides between the two.
    EXPECT_FALSE(MakeFolder(folder));
}

// Every name of the recording has its id: other letter case, the \\?\ form, a hard link.
TEST_F(Win32FileTest, EveryNameOfAFileHasItsId) {
    WriteBytes(m_folder / "movie.raw", {1, 2, 3});
    ASSERT_TRUE(::CreateHardLinkA((m_folder / "link.raw").c_str(), (m_folder / "movie.raw").c_str(),
                                  nullptr));
    FileId id = File::OpenForReading(m_folder / "movie.raw").Id();
    for (const std::string& path :
         {m_folder / "MOVIE.RAW", "\\\\?\\" + (m_folder / "movie.raw"), m_folder / "link.raw"}) {
        EXPECT_TRUE(File::OpenForReading(path).Id() == id) << path;
        EXPECT_TRUE(Folder::Open(m_folder.Path()).IdOf(path.substr(path.rfind('\\') + 1)) == id);
    }
}

// Names are UTF-8 inside and reach Windows as UTF-16.
TEST_F(Win32FileTest, ARecordingNamedBeyondAsciiIsBuilt) {
    UseRecording(PatternBytes(0, kCopyStart + 5'000), "Film-\u00e9\u4e2d.raw");
    m_maker.MakeMovie_Click();
    EXPECT_EQ(m_window.captions[Button::MakeMovie], "Finished!");
    EXPECT_EQ(Sizes().at("1.bin"), "86620");
}

// The recording by another name among the outputs: the build stops before it changes it.
TEST_F(Win32FileTest, TheRecordingByAnyNameIsNeverAnOutput) {
    const std::string files = m_folder / "Files";
    const struct {
        const char* typed;  // into ZIDA File
        const char* link;   // a hard link to the recording in Files, or none
        std::string stopBox;
    } cases[] = {
        {"files\\0.bin", nullptr,
         "Cannot write " + files + "\\0.bin: it is the recording " + (m_folder / "files\\0.bin")},
        {"movie.raw", "1.bin",
         "Cannot write " + files + "\\1.bin: it is the recording " + (m_folder / "movie.raw")},
    };
    for (const auto& c : cases) {
        m_window.Reset();
        fs::remove_all(files);
        fs::create_directory(files);
        UseRecording(PatternBytes(0, kCopyStart + 5'000), c.typed);
        if (c.link != nullptr) {
            ASSERT_TRUE(
                ::CreateHardLinkA(Out(c.link).c_str(), (m_folder / c.typed).c_str(), nullptr));
        }
        m_maker.MakeMovie_Click();
        EXPECT_EQ(StopBoxText(), c.stopBox + ", which a build never changes");
        ExpectSourceUnchanged();
    }
}

// A build holds Files\: no second holder, and no one renames or removes it meanwhile.
TEST_F(Win32FileTest, AHeldFolderCannotBeTakenRenamedOrRemoved) {
    const std::string files = m_folder / "Files";
    fs::create_directory(files);
    std::optional<Folder> held = Folder::Claim(files);
    ASSERT_TRUE(held);
    EXPECT_FALSE(Folder::Claim(files));
    EXPECT_FALSE(::MoveFileExA(files.c_str(), (m_folder / "Moved").c_str(), 0));
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(::RemoveDirectoryA(files.c_str()));
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    held.reset();
    EXPECT_TRUE(Folder::Claim(files));
}

// Faults a build meets: each ends in the standard error report, the recording unchanged.
TEST_F(Win32FileTest, ABuildStopsAtAFileItCannotWriteOrRemove) {
    const std::string files = m_folder / "Files";
    const struct {
        const char* file;
        DWORD attributes;  // 0: held open by another program without sharing
        std::string stopBox;
    } cases[] = {
        {"0.bin", 0, "Cannot remove " + files + "\\0.bin: Sharing violation."},
        {"ZIDA.cue", FILE_ATTRIBUTE_READONLY,
         "Cannot remove " + files + "\\ZIDA.cue: Access denied."},
    };
    for (const auto& c : cases) {
        m_window.Reset();
        fs::remove_all(files);
        fs::create_directory(files);
        WriteBytes(Out(c.file), {'o', 'l', 'd'});
        ::SetFileAttributesA(Out(c.file).c_str(), c.attributes);
        UseRecording(PatternBytes(0, kCopyStart + 5'000));
        {
            std::optional<HeldFile> other;
            if (c.attributes == 0) {
                other.emplace(Out(c.file));
            }
            m_maker.MakeMovie_Click();
        }
        EXPECT_EQ(StopBoxText(), c.stopBox);
        ExpectSourceUnchanged();
        ::SetFileAttributesA(Out(c.file).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

}  // namespace
}  // namespace zv::test
