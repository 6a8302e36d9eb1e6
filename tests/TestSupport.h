// What the core tests share: a temporary folder of their own, the fixture
// files under tests/data, small file helpers, and a database made from
// data/schema.sql. BV_TEST_DATA_DIR and BV_SCHEMA_SQL are set for every test
// by bv_add_test.
#pragma once

#include "db/Database.h"
#include "db/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace bvtest {

namespace fs = std::filesystem;

// A new, empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TTempFolder {
public:
    TTempFolder() {
        std::string Template = (fs::temp_directory_path() / "bvtest-XXXXXX").string();
        if (mkdtemp(Template.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        FPath = Template;
    }
    ~TTempFolder() {
        std::error_code Ec;
        fs::remove_all(FPath, Ec);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const fs::path& Path() const { return FPath; }
    fs::path operator/(const std::string& Name) const { return FPath / Name; }
    // The path of Name in the folder, as a string.
    std::string File(const std::string& Name) const { return (FPath / Name).string(); }

private:
    fs::path FPath;
};

// A fixture file: Rel below tests/data ("exchange/golden_v2.bvf").
inline std::string TestDataPath(const std::string& Rel) { return std::string(BV_TEST_DATA_DIR) + "/" + Rel; }

// The whole text of a file; "" when it cannot be read.
inline std::string ReadFile(const fs::path& P) {
    std::ifstream In(P, std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

// The bytes of a fixture file.
inline std::vector<uint8_t> ReadTestFile(const std::string& Rel) {
    std::ifstream In(TestDataPath(Rel), std::ios::binary);
    if (!In) {
        throw std::runtime_error("cannot read the fixture " + Rel);
    }
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

// The text of a fixture file.
inline std::string ReadTestText(const std::string& Rel) {
    const std::vector<uint8_t> Bytes = ReadTestFile(Rel);
    return std::string(Bytes.begin(), Bytes.end());
}

// Bytes of a file in the record encoding with the Int8 value of the first
// property named Name set to Value: a header that announces another count
// than the file holds.
inline std::vector<uint8_t> WithInt8Property(std::vector<uint8_t> Bytes, const std::string& Name, int8_t Value) {
    std::string Needle(1, static_cast<char>(Name.size()));
    Needle += Name;
    Needle += '\x02';
    const std::string Text(Bytes.begin(), Bytes.end());
    const size_t At = Text.find(Needle);
    if (At == std::string::npos) {
        throw std::runtime_error("no Int8 property " + Name);
    }
    Bytes[At + Needle.size()] = static_cast<uint8_t>(Value);
    return Bytes;
}

inline void WriteFile(const fs::path& P, const std::string& Text) {
    std::ofstream Out(P, std::ios::binary);
    Out << Text;
}

// The names in a folder, sorted.
inline std::vector<std::string> FolderEntries(const fs::path& P) {
    std::vector<std::string> Names;
    for (const auto& E : fs::directory_iterator(P)) {
        Names.push_back(E.path().filename().string());
    }
    std::sort(Names.begin(), Names.end());
    return Names;
}

// A new database at Path with every table of the schema and no rows.
inline std::unique_ptr<TDatabase> CreateSchemaDatabase(const std::string& Path) {
    auto Db = TDatabase::Create(Path);
    Db->Exec(ReadFile(BV_SCHEMA_SQL));
    return Db;
}

// While it lives, flushing a written file to disk fails with EIO, as it does
// on a failing disk or a full network share.
class TFailingFileSync {
public:
    TFailingFileSync() : FCalls(Failing()) {}

private:
    static TFileSystemCalls Failing() {
        TFileSystemCalls C = FileSystemCalls();
        C.Sync = [](int) {
            errno = EIO;
            return -1;
        };
        return C;
    }
    TScopedFileSystemCalls FCalls;
};

} // namespace bvtest
