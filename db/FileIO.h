// Reading whole files, and writing them so that a failure never leaves a
// truncated or half-written file: the bytes go to a new temporary file in
// the same folder, are flushed to disk, and the file is then renamed into
// place. Every file the system writes itself (exchange and material files,
// the connection file, the files of a new data folder, a new database) goes
// through here.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class EFileError : public std::runtime_error {
public:
    enum TKind {
        Failed, // the file could not be read, written, flushed or moved into place
        Exists, // the target is taken and was not to be replaced; nothing was touched
    };
    explicit EFileError(const std::string& Msg, TKind Kind = Failed) : std::runtime_error(Msg), FKind(Kind) {}
    TKind Kind() const { return FKind; }

private:
    TKind FKind;
};

// The whole file. A folder, a missing or unreadable file raise EFileError
// naming the path.
std::vector<uint8_t> ReadFileBytes(const std::string& Path);

enum class TWriteMode {
    Replace,   // an existing file at the path is replaced
    CreateNew, // an existing file (or folder, or link) at the path is refused
};

// Writes Bytes to Path through a temporary file in the same folder: every
// write, the flush to disk (fsync) and the closing are checked, then the file
// is renamed into place. On any failure the temporary file is removed, Path
// is as it was, and EFileError names the file and the cause (of kind Exists
// when CreateNew finds Path taken, also when it appears meanwhile).
void WriteFileAtomically(const std::string& Path, std::span<const uint8_t> Bytes,
                         TWriteMode Mode = TWriteMode::Replace);
void WriteFileAtomically(const std::string& Path, std::string_view Text, TWriteMode Mode = TWriteMode::Replace);

// WriteFileAtomically with TWriteMode::Replace.
void WriteFileReplacing(const std::string& Path, const std::vector<uint8_t>& Bytes);

// The two steps of the writer for a file that something else fills (a new
// database): a new empty file beside Target under a name nobody uses, and
// giving the finished file its name. MoveIntoPlace leaves Tmp where it is
// when it fails; the caller removes it.
std::string CreateTempFileBeside(const std::string& Target);
void MoveIntoPlace(const std::string& Tmp, const std::string& Target, TWriteMode Mode);

// The file-system calls behind the writer and the removal of files that the
// connection module does. They return 0 or, failing, -1 with errno set, as
// the POSIX calls do. Tests replace them (TScopedFileSystemCalls) to make one
// step fail in a way no permission can, also when they run as root.
struct TFileSystemCalls {
    int (*Sync)(int Fd);                              // flush an open file to disk
    int (*Rename)(const char* From, const char* To);  // replaces To
    int (*Remove)(const char* Path);                  // a file
};

// The calls in effect.
const TFileSystemCalls& FileSystemCalls();

// Puts other calls in effect for the life of the object; the ones that were
// in effect come back at the end.
class TScopedFileSystemCalls {
public:
    explicit TScopedFileSystemCalls(const TFileSystemCalls& Calls);
    ~TScopedFileSystemCalls();
    TScopedFileSystemCalls(const TScopedFileSystemCalls&) = delete;
    TScopedFileSystemCalls& operator=(const TScopedFileSystemCalls&) = delete;

private:
    TFileSystemCalls FSaved;
};
