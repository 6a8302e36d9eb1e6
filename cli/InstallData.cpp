#include "cli/InstallData.h"

#include "cli/CliCommand.h"
#include "cli/DistFiles.h"

#include "data/UnitInitDB.h"
#include "db/FileIO.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace cli {

namespace {

int ExitCodeOf(const ECreateDatabase& E) {
    return E.Kind() == ECreateDatabase::SqlError ? ExitDatabase : ExitFile;
}

bool Exists(const fs::path& P) {
    std::error_code Ec;
    const fs::file_status St = fs::symlink_status(P, Ec);
    return !Ec && St.type() != fs::file_type::not_found;
}

// Writes Text to Target, which must not exist, as every file is written
// (WriteFileAtomically).
void WriteNewFile(const fs::path& Target, const std::string& Text) {
    try {
        WriteFileAtomically(Target.string(), Text, TWriteMode::CreateNew);
    } catch (const EFileError& E) {
        throw EInstall(ExitFile, E.what());
    }
}

// The parts of an installed data folder. Each step looks at the folder,
// adds what is missing, never replaces what is there, and returns a line
// saying what it did.
struct TInstallStep {
    std::string (*Run)(const fs::path& Folder);
};

const char* const DatabaseFileName = "bvdb.s3db";
const char* const ConnectionFileName = "dbconnection";
#ifdef _WIN32
const char* const LineEnd = "\r\n";
#else
const char* const LineEnd = "\n";
#endif

std::string InstallDatabase(const fs::path& Folder) {
    const fs::path Db = Folder / DatabaseFileName;
    if (Exists(Db)) {
        return "Kept the existing database " + Db.string();
    }
    try {
        CreateDatabase(Db.string());
    } catch (const ECreateDatabase& E) {
        throw EInstall(ExitCodeOf(E), E.what());
    }
    return "Created the database " + Db.string();
}

std::string InstallConnectionFile(const fs::path& Folder) {
    const fs::path File = Folder / ConnectionFileName;
    if (Exists(File)) {
        return "Kept the existing connection file " + File.string();
    }
    const fs::path Db = Folder / DatabaseFileName;
    WriteNewFile(File, Db.string() + LineEnd);
    return "Created the connection file " + File.string() + " naming " + Db.string();
}

// The shipped files (the report layout), each unless one is there.
std::string InstallDistFiles(const fs::path& Folder) {
    std::string Lines;
    for (const TDistFile& F : ShippedDistFiles()) {
        const fs::path Target = Folder / fs::path(F.Path);
        if (!Lines.empty()) {
            Lines += '\n';
        }
        if (Exists(Target)) {
            Lines += "Kept the existing " + Target.string();
            continue;
        }
        std::error_code Ec;
        fs::create_directories(Target.parent_path(), Ec);
        if (Ec) {
            throw EInstall(ExitFile, "Cannot create the folder " + Target.parent_path().string() + ": " + Ec.message());
        }
        WriteNewFile(Target, F.Content);
        Lines += "Created " + Target.string();
    }
    return Lines;
}

const TInstallStep InstallSteps[] = {
    {InstallDatabase},
    {InstallConnectionFile},
    {InstallDistFiles},
};

} // namespace

void InstallData(const std::string& Dir, const std::function<void(const std::string&)>& Report) {
    std::error_code Ec;
    const fs::path Folder = fs::absolute(fs::path(Dir), Ec);
    if (Ec) {
        throw EInstall(ExitFile, "Cannot resolve the folder " + Dir + ": " + Ec.message());
    }
    if (Exists(Folder)) {
        if (!fs::is_directory(Folder, Ec)) {
            throw EInstall(ExitFile, Folder.string() + " exists and is not a folder");
        }
    } else {
        fs::create_directories(Folder, Ec);
        if (Ec) {
            throw EInstall(ExitFile, "Cannot create the data folder " + Folder.string() + ": " + Ec.message());
        }
        Report("Created the data folder " + Folder.string());
    }
    for (const TInstallStep& Step : InstallSteps) {
        Report(Step.Run(Folder));
    }
}

} // namespace cli
