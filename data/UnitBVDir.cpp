#include "data/UnitBVDir.h"

#include <cstdlib>

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#endif

namespace {

std::string WithTrailingSeparator(std::string Path) {
    if (Path.empty() || (Path.back() != '/' && Path.back() != PathSeparator())) {
        Path += PathSeparator();
    }
    return Path;
}

std::string EnvValue(const char* Name) {
    const char* V = std::getenv(Name);
    return V != nullptr ? std::string(V) : std::string();
}

} // namespace

char PathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string GetDataFolder() {
    const std::string Override = EnvValue("BRASKVALLA_DATA_DIR");
    if (!Override.empty()) {
        return WithTrailingSeparator(Override);
    }
#ifdef _WIN32
    char Buf[MAX_PATH + 1] = {0};
    if (SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, Buf) != S_OK) {
        Buf[0] = '\0';
    }
    return WithTrailingSeparator(Buf) + "Kallbacka Teknik\\Braskvalla\\";
#else
    std::string Base = EnvValue("XDG_DATA_HOME");
    if (Base.empty()) {
        Base = EnvValue("HOME") + "/.local/share";
    }
    return WithTrailingSeparator(Base) + "Kallbacka Teknik/Braskvalla/";
#endif
}
