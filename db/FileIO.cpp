#include "db/FileIO.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
int OpenNew(const char* Path) { return ::_open(Path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE); }
long WriteSome(int Fd, const uint8_t* Data, size_t N) {
    return ::_write(Fd, Data, static_cast<unsigned>(N > 0x40000000 ? 0x40000000 : N));
}
int CloseFile(int Fd) { return ::_close(Fd); }
int SyncFile(int Fd) { return ::_commit(Fd); }
long ProcessId() { return static_cast<long>(::_getpid()); }
#else
int OpenNew(const char* Path) { return ::open(Path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }
long WriteSome(int Fd, const uint8_t* Data, size_t N) { return static_cast<long>(::write(Fd, Data, N)); }
int CloseFile(int Fd) { return ::close(Fd); }
int SyncFile(int Fd) { return ::fsync(Fd); }
long ProcessId() { return static_cast<long>(::getpid()); }
#endif

int RenameReplacing(const char* From, const char* To) {
    std::error_code Ec;
    fs::rename(fs::path(From), fs::path(To), Ec);
    if (Ec) {
        errno = Ec.value();
        return -1;
    }
    return 0;
}

int RemoveFile(const char* Path) { return std::remove(Path); }

TFileSystemCalls& Calls() {
    static TFileSystemCalls C{SyncFile, RenameReplacing, RemoveFile};
    return C;
}

std::string Cause(int Err) { return std::strerror(Err); }

// True when anything is at Path, a dangling link included.
bool PathTaken(const fs::path& Path) {
    std::error_code Ec;
    const fs::file_status St = fs::symlink_status(Path, Ec);
    return !Ec && St.type() != fs::file_type::not_found;
}

[[noreturn]] void RefuseTaken(const std::string& Target) {
    throw EFileError("The file " + Target + " already exists", EFileError::Exists);
}

// Creates Name exclusively; the descriptor, or -1 with errno set.
int CreateExclusive(const std::string& Name) {
    for (;;) {
        const int Fd = OpenNew(Name.c_str());
        if (Fd >= 0 || errno != EINTR) {
            return Fd;
        }
    }
}

// A new file beside Target under a name nobody uses: its descriptor and name.
int CreateTemp(const std::string& Target, std::string& Name) {
    static std::atomic<unsigned> Counter{0};
    for (int Attempt = 0; Attempt < 100; ++Attempt) {
        Name = Target + ".tmp" + std::to_string(ProcessId()) + "-" + std::to_string(Counter++);
        const int Fd = CreateExclusive(Name);
        if (Fd >= 0) {
            return Fd;
        }
        if (errno != EEXIST) {
            throw EFileError("Cannot create a file beside " + Target + ": " + Cause(errno));
        }
    }
    throw EFileError("Cannot create a temporary file beside " + Target);
}

// Writes all of Bytes, flushes them to disk and closes the file, every step
// checked; the descriptor is closed in any case. The error's cause, or 0.
int WriteSyncClose(int Fd, std::span<const uint8_t> Bytes) {
    int Err = 0;
    size_t Done = 0;
    while (Err == 0 && Done < Bytes.size()) {
        const long N = WriteSome(Fd, Bytes.data() + Done, Bytes.size() - Done);
        if (N > 0) {
            Done += static_cast<size_t>(N);
        } else if (N < 0 && errno == EINTR) {
            continue;
        } else {
            Err = N < 0 ? errno : EIO;
        }
    }
    if (Err == 0 && FileSystemCalls().Sync(Fd) != 0) {
        Err = errno != 0 ? errno : EIO;
    }
    if (CloseFile(Fd) != 0 && Err == 0) {
        Err = errno != 0 ? errno : EIO;
    }
    return Err;
}

} // namespace

const TFileSystemCalls& FileSystemCalls() { return Calls(); }

TScopedFileSystemCalls::TScopedFileSystemCalls(const TFileSystemCalls& C) : FSaved(Calls()) { Calls() = C; }

TScopedFileSystemCalls::~TScopedFileSystemCalls() { Calls() = FSaved; }

std::vector<uint8_t> ReadFileBytes(const std::string& Path) {
    std::error_code Ec;
    if (fs::is_directory(Path, Ec))
        throw EFileError("Cannot read " + Path + ": it is a folder");
    std::ifstream In(Path, std::ios::binary);
    if (!In)
        throw EFileError("Cannot open " + Path + ": " + Cause(errno));
    std::vector<uint8_t> Bytes;
    char Buf[1 << 16];
    while (In) {
        In.read(Buf, sizeof Buf);
        Bytes.insert(Bytes.end(), Buf, Buf + In.gcount());
    }
    if (In.bad())
        throw EFileError("Cannot read " + Path);
    return Bytes;
}

std::string CreateTempFileBeside(const std::string& Target) {
    std::string Name;
    const int Fd = CreateTemp(Target, Name);
    if (CloseFile(Fd) != 0) {
        const int Err = errno;
        FileSystemCalls().Remove(Name.c_str());
        throw EFileError("Cannot create a file beside " + Target + ": " + Cause(Err));
    }
    return Name;
}

void MoveIntoPlace(const std::string& Tmp, const std::string& Target, TWriteMode Mode) {
    if (Mode == TWriteMode::Replace) {
        if (FileSystemCalls().Rename(Tmp.c_str(), Target.c_str()) != 0) {
            throw EFileError("Cannot replace " + Target + ": " + Cause(errno));
        }
        return;
    }
#ifdef _WIN32
    // Without MOVEFILE_REPLACE_EXISTING the move refuses an existing name.
    if (!MoveFileExW(fs::path(Tmp).wstring().c_str(), fs::path(Target).wstring().c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD Err = GetLastError();
        if (Err == ERROR_ALREADY_EXISTS || Err == ERROR_FILE_EXISTS) {
            RefuseTaken(Target);
        }
        throw EFileError("Cannot create " + Target);
    }
#else
    // link() refuses an existing name, where rename() would replace it.
    if (::link(Tmp.c_str(), Target.c_str()) == 0) {
        FileSystemCalls().Remove(Tmp.c_str());
        return;
    }
    const int Err = errno;
    if (Err == EEXIST) {
        RefuseTaken(Target);
    }
    // File systems without hard links: check, then rename.
    if (Err == EPERM || Err == ENOTSUP || Err == EOPNOTSUPP || Err == EXDEV || Err == EMLINK) {
        if (PathTaken(Target)) {
            RefuseTaken(Target);
        }
        if (FileSystemCalls().Rename(Tmp.c_str(), Target.c_str()) != 0) {
            throw EFileError("Cannot create " + Target + ": " + Cause(errno));
        }
        return;
    }
    throw EFileError("Cannot create " + Target + ": " + Cause(Err));
#endif
}

void WriteFileAtomically(const std::string& Path, std::span<const uint8_t> Bytes, TWriteMode Mode) {
    if (Mode == TWriteMode::CreateNew && PathTaken(Path)) {
        RefuseTaken(Path);
    }
    std::string Tmp;
    const int Fd = CreateTemp(Path, Tmp);
    try {
        if (const int Err = WriteSyncClose(Fd, Bytes); Err != 0) {
            throw EFileError("Cannot write " + Path + ": " + Cause(Err));
        }
        MoveIntoPlace(Tmp, Path, Mode);
    } catch (...) {
        FileSystemCalls().Remove(Tmp.c_str());
        throw;
    }
}

void WriteFileAtomically(const std::string& Path, std::string_view Text, TWriteMode Mode) {
    WriteFileAtomically(Path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(Text.data()), Text.size()),
                        Mode);
}

void WriteFileReplacing(const std::string& Path, const std::vector<uint8_t>& Bytes) {
    WriteFileAtomically(Path, std::span<const uint8_t>(Bytes), TWriteMode::Replace);
}
