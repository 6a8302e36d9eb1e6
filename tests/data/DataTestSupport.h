// Shared set-up of the data-module tests: a temporary data folder that
// BRASKVALLA_DATA_DIR points at, and databases made from data/schema.sql.
#pragma once

#include "data/UnitBVDir.h"
#include "db/Database.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace bvtest {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& P) {
    std::ifstream In(P, std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

inline void WriteFile(const fs::path& P, const std::string& Text) {
    std::ofstream Out(P, std::ios::binary);
    Out << Text;
}

inline std::vector<std::string> FolderEntries(const fs::path& P) {
    std::vector<std::string> Names;
    for (const auto& E : fs::directory_iterator(P)) {
        Names.push_back(E.path().filename().string());
    }
    std::sort(Names.begin(), Names.end());
    return Names;
}

// A fresh temporary folder made the data folder for the life of the object.
class TempDataFolder {
public:
    TempDataFolder() {
        std::random_device Rd;
        Root = fs::temp_directory_path() / ("bv_data_test_" + std::to_string(Rd()) + std::to_string(Rd()));
        Folder = Root / "Braskvalla";
        fs::create_directories(Folder);
        if (const char* Old = std::getenv("BRASKVALLA_DATA_DIR")) {
            Saved = Old;
        }
        setenv("BRASKVALLA_DATA_DIR", Folder.string().c_str(), 1);
    }
    ~TempDataFolder() {
        if (Saved) {
            setenv("BRASKVALLA_DATA_DIR", Saved->c_str(), 1);
        } else {
            unsetenv("BRASKVALLA_DATA_DIR");
        }
        std::error_code Ec;
        fs::remove_all(Root, Ec);
    }
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    std::string File(const std::string& Name) const { return GetDataFolder() + Name; }

    fs::path Root;   // outside the data folder, for files elsewhere
    fs::path Folder; // the data folder
    std::optional<std::string> Saved;
};

// A new database at Path with every table of the schema and no rows.
inline std::unique_ptr<TDatabase> CreateSchemaDatabase(const std::string& Path) {
    auto Db = TDatabase::Create(Path);
    Db->Exec(ReadFile(BV_SCHEMA_SQL));
    return Db;
}

} // namespace bvtest
