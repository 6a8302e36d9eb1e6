#include "exchange/FileIO.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFileBytes(const std::string& Path) {
    std::error_code Ec;
    if (fs::is_directory(Path, Ec))
        throw EFileError("Cannot read " + Path + ": it is a folder");
    std::ifstream In(Path, std::ios::binary);
    if (!In)
        throw EFileError("Cannot open " + Path + ": " + std::strerror(errno));
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

namespace {

std::string TempNameFor(const std::string& Path) {
    static std::atomic<unsigned> Counter{0};
#ifdef _WIN32
    const long Pid = 0;
#else
    const long Pid = static_cast<long>(getpid());
#endif
    return Path + ".tmp" + std::to_string(Pid) + "-" + std::to_string(Counter++);
}

void FlushToDisk([[maybe_unused]] const std::string& Path) {
#ifndef _WIN32
    const int Fd = ::open(Path.c_str(), O_RDONLY);
    if (Fd >= 0) {
        ::fsync(Fd);
        ::close(Fd);
    }
#endif
}

} // namespace

void WriteFileReplacing(const std::string& Path, const std::vector<uint8_t>& Bytes) {
    const std::string Temp = TempNameFor(Path);
    {
        std::ofstream Out(Temp, std::ios::binary | std::ios::trunc);
        if (!Out)
            throw EFileError("Cannot create " + Temp + ": " + std::strerror(errno));
        Out.write(reinterpret_cast<const char*>(Bytes.data()),
                  static_cast<std::streamsize>(Bytes.size()));
        Out.close();
        if (!Out) {
            std::error_code Ignored;
            fs::remove(Temp, Ignored);
            throw EFileError("Cannot write " + Temp);
        }
    }
    FlushToDisk(Temp);
    std::error_code Ec;
    fs::rename(Temp, Path, Ec);
    if (Ec) {
        std::error_code Ignored;
        fs::remove(Temp, Ignored);
        throw EFileError("Cannot replace " + Path + ": " + Ec.message());
    }
}
