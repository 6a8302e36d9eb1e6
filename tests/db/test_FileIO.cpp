// The one writer of whole files: a file appears complete or not at all, and
// every step that can fail (writing, the flush to disk, the rename) leaves
// the old file and no temporary file behind.
#include "db/FileIO.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

using namespace bvtest;

namespace {

int FailToRename(const char*, const char*) {
    errno = EACCES;
    return -1;
}

TEST(FileWriter, ReplacesOrCreatesAndLeavesNoTemporaryFile) {
    TTempFolder Dir;
    const std::string Path = Dir.File("out.bin");
    WriteFileAtomically(Path, std::string_view("first"));
    EXPECT_EQ(ReadFile(Path), "first");
    WriteFileAtomically(Path, std::string_view("second, longer"));
    EXPECT_EQ(ReadFile(Path), "second, longer");
    WriteFileAtomically(Dir.File("new.bin"), std::string_view(""), TWriteMode::CreateNew);
    EXPECT_EQ(ReadFile(Dir.File("new.bin")), "");
    EXPECT_EQ(FolderEntries(Dir.Path()), (std::vector<std::string>{"new.bin", "out.bin"}));
}

TEST(FileWriter, CreateNewRefusesWhatIsThereAndTouchesNothing) {
    TTempFolder Dir;
    WriteFile(Dir / "file", "mine");
    fs::create_directory(Dir / "folder");
    fs::create_symlink(Dir / "nowhere", Dir / "dangling");
    for (const char* Name : {"file", "folder", "dangling"}) {
        SCOPED_TRACE(Name);
        try {
            WriteFileAtomically(Dir.File(Name), std::string_view("theirs"), TWriteMode::CreateNew);
            ADD_FAILURE() << "written";
        } catch (const EFileError& E) {
            EXPECT_EQ(E.Kind(), EFileError::Exists);
            EXPECT_NE(std::string(E.what()).find(Dir.File(Name)), std::string::npos) << E.what();
        }
    }
    EXPECT_EQ(ReadFile(Dir / "file"), "mine");
    EXPECT_TRUE(fs::is_empty(Dir / "folder"));
    EXPECT_EQ(FolderEntries(Dir.Path()), (std::vector<std::string>{"dangling", "file", "folder"}));
}

// A step that fails is an error naming the file and the cause; the file
// that was there stays as it was and the temporary file goes.
TEST(FileWriter, AFailingStepKeepsTheOldFileAndRemovesTheTemporaryOne) {
    TFileSystemCalls FailingRename = FileSystemCalls();
    FailingRename.Rename = FailToRename;
    const auto DefaultSync = FileSystemCalls().Sync;
    for (const bool FailSync : {true, false}) {
        SCOPED_TRACE(FailSync ? "the flush to disk fails" : "the rename fails");
        TTempFolder Dir;
        const std::string Path = Dir.File("out.bin");
        WriteFile(Path, "old");
        std::optional<TFailingFileSync> Sync;
        std::optional<TScopedFileSystemCalls> Rename;
        if (FailSync) {
            Sync.emplace();
        } else {
            Rename.emplace(FailingRename);
        }
        const std::string Cause = std::strerror(FailSync ? EIO : EACCES);
        try {
            WriteFileAtomically(Path, std::string_view("new"));
            ADD_FAILURE() << "reported as written";
        } catch (const EFileError& E) {
            EXPECT_EQ(E.Kind(), EFileError::Failed);
            EXPECT_NE(std::string(E.what()).find(Path), std::string::npos) << E.what();
            EXPECT_NE(std::string(E.what()).find(Cause), std::string::npos) << E.what();
        }
        EXPECT_EQ(ReadFile(Path), "old");
        EXPECT_EQ(FolderEntries(Dir.Path()), std::vector<std::string>{"out.bin"});
    }
    // The calls in effect before are back.
    EXPECT_EQ(FileSystemCalls().Sync, DefaultSync);
}

TEST(FileWriter, AFolderThatDoesNotExistIsAnError) {
    TTempFolder Dir;
    EXPECT_THROW(WriteFileAtomically(Dir.File("missing/out.bin"), std::string_view("x")), EFileError);
    EXPECT_TRUE(fs::is_empty(Dir.Path()));
    EXPECT_THROW(ReadFileBytes(Dir.File("missing.bin")), EFileError);
    EXPECT_THROW(ReadFileBytes(Dir.Path().string()), EFileError);
}

} // namespace
