// Shared set-up of the tests that connect as the application does: a
// temporary data folder that BRASKVALLA_DATA_DIR points at.
#pragma once

#include "data/UnitBVDir.h"
#include "tests/TestSupport.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

namespace bvtest {

// A fresh temporary folder whose subfolder "Braskvalla" is the data folder
// for the life of the object.
class TempDataFolder {
public:
    TempDataFolder() : Root(FTemp.Path()), Folder(Root / "Braskvalla") {
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
    }
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    std::string File(const std::string& Name) const { return GetDataFolder() + Name; }

private:
    TTempFolder FTemp;

public:
    fs::path Root;   // outside the data folder, for files elsewhere
    fs::path Folder; // the data folder
    std::optional<std::string> Saved;
};

// The file calls of a data folder that refuses to let a file go: removing
// fails, and renaming too when RenameToo. Permission bits do not stop root,
// so the tests make the calls fail, as a folder without write permission
// makes them fail.
inline TFileSystemCalls StubbornFolder(bool RenameToo) {
    TFileSystemCalls C = FileSystemCalls();
    C.Remove = [](const char*) {
        errno = EACCES;
        return -1;
    };
    if (RenameToo) {
        C.Rename = [](const char*, const char*) {
            errno = EACCES;
            return -1;
        };
    }
    return C;
}

} // namespace bvtest
