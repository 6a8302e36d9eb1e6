#include "data/UnitBVDBConnect.h"

#include "data/UnitBVDir.h"
#include "db/FileIO.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const ConnectionFileName = "dbconnection";
const char* const MigrationScriptName = "RunAndRemove.sql";
const char* const AppliedScriptSuffix = ".done";
const char* const DefaultDatabaseName = "bvdb.s3db";

#ifdef _WIN32
const char* const LineEnd = "\r\n";
#else
const char* const LineEnd = "\n";
#endif

// The text of a file; raises std::runtime_error with the cause (not the
// path) when it cannot be read.
std::string ReadText(const fs::path& Path) {
    std::error_code Ec;
    if (fs::is_directory(Path, Ec)) {
        throw std::runtime_error("it is a folder");
    }
    errno = 0;
    std::ifstream In(Path, std::ios::binary);
    if (!In) {
        throw std::runtime_error(errno != 0 ? std::strerror(errno) : "it cannot be opened");
    }
    std::ostringstream Buf;
    Buf << In.rdbuf();
    if (In.bad()) {
        throw std::runtime_error(errno != 0 ? std::strerror(errno) : "read error");
    }
    return Buf.str();
}

// The lines of a text, without their line ends (LF or CR LF) and without a
// leading UTF-8 byte order mark.
std::vector<std::string> SplitLines(std::string Text) {
    if (Text.rfind("\xEF\xBB\xBF", 0) == 0) {
        Text.erase(0, 3);
    }
    std::vector<std::string> Lines;
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t End = Text.find('\n', Start);
        if (End == std::string::npos) {
            End = Text.size();
        }
        std::string Line = Text.substr(Start, End - Start);
        if (!Line.empty() && Line.back() == '\r') {
            Line.pop_back();
        }
        Lines.push_back(std::move(Line));
        Start = End + 1;
    }
    return Lines;
}

// The checksum by which a migration script that ran is known again: FNV-1a
// (64 bits) of its bytes, and their number.
std::string ScriptChecksum(const std::string& Text) {
    uint64_t H = 14695981039346656037ULL;
    for (const unsigned char C : Text) {
        H = (H ^ C) * 1099511628211ULL;
    }
    char Hex[17];
    std::snprintf(Hex, sizeof Hex, "%016llx", static_cast<unsigned long long>(H));
    return std::string(Hex) + "-" + std::to_string(Text.size());
}

// The scripts that ran are recorded in a table of their own, made when the
// first one runs.
const char* const AppliedScriptsTable = "AppliedScripts";

// True when a script of this checksum ran; When receives the time it did.
bool IsRecorded(TDatabase& Db, const std::string& Checksum, std::string& When) {
    if (!Db.TableExists(AppliedScriptsTable)) {
        return false;
    }
    TStatement St = Db.Prepare(std::string("SELECT APPLIED FROM ") + AppliedScriptsTable + " WHERE CHECKSUM = ?1");
    St.Bind(1, Checksum);
    if (!St.Step()) {
        return false;
    }
    const TValue V = St.Column(0);
    const auto* S = std::get_if<std::string>(&V);
    When = S != nullptr ? *S : std::string();
    return true;
}

void Record(TDatabase& Db, const std::string& Checksum) {
    Db.Exec(std::string("CREATE TABLE IF NOT EXISTS ") + AppliedScriptsTable +
            " (CHECKSUM VARCHAR(100) PRIMARY KEY, APPLIED DATETIME NOT NULL DEFAULT CURRENT_TIMESTAMP)");
    TStatement St = Db.Prepare(std::string("INSERT INTO ") + AppliedScriptsTable + " (CHECKSUM) VALUES (?1)");
    St.Bind(1, Checksum);
    St.Execute();
}

// Takes a script that ran out of the way: removes it or, when it cannot be
// removed, renames it to ...".done". The cause when neither works, else "".
std::string PutAside(const fs::path& Script) {
    const TFileSystemCalls& Calls = FileSystemCalls();
    if (Calls.Remove(Script.string().c_str()) == 0) {
        return {};
    }
    const std::string Why = std::strerror(errno);
    const std::string Done = Script.string() + AppliedScriptSuffix;
    if (Calls.Rename(Script.string().c_str(), Done.c_str()) == 0) {
        return {};
    }
    return Why;
}

// True when anything is at Path, a dangling link included.
bool PathTaken(const fs::path& Path) {
    std::error_code Ec;
    const fs::file_status St = fs::symlink_status(Path, Ec);
    return !Ec && St.type() != fs::file_type::not_found;
}

std::string Trimmed(const std::string& S) {
    const size_t B = S.find_first_not_of(" \t\r\n");
    if (B == std::string::npos) {
        return {};
    }
    const size_t E = S.find_last_not_of(" \t\r\n");
    return S.substr(B, E - B + 1);
}

// The lines of the connection file File, which is there.
std::vector<std::string> ReadConnectionFile(const fs::path& File) {
    // The file names the database the user chose; opening the default
    // one in its place would show other buildings as if they were his.
    try {
        return SplitLines(ReadText(File));
    } catch (const std::exception& E) {
        throw EDatabaseError("The connection file " + File.string() + " cannot be read: " + E.what());
    }
}

// The database a connection file's lines name; "" when they name none: an
// empty file or first line would give a temporary database that loses
// every edit.
std::string NamedDatabase(const std::vector<std::string>& Lines) {
    return Lines.empty() ? std::string() : Trimmed(Lines.front());
}

} // namespace

std::string TDataModuleBVDBConnect::DesignTimeDefaultPath() { return GetDataFolder() + DefaultDatabaseName; }

const std::vector<std::string>& TDataModuleBVDBConnect::SchemaTables() {
    static const std::vector<std::string> Tables = {
        "Buildings",       "LayeredComponents", "Layers",        "Windows",        "Doors",
        "Grounds",         "Months",            "LayeredComponentsPreDef",         "LayersPreDefUsed",
        "LayersPreDef",    "WindowsPreDef",     "DoorsPreDef",   "GroundsPreDef",  "PreDefClimate",
        "PreDefMonths",    "DefaultValueChoises", "DefaultValues", "N50",          "P50",
    };
    return Tables;
}

TDataModuleBVDBConnect::TDataModuleBVDBConnect() : FDatabasePath(DesignTimeDefaultPath()) {
    ZConnectionBVDBBeforeConnect();
    FConnection = TDatabase::Open(FDatabasePath);
    ZConnectionBVDBAfterConnect();
    CheckSchema();
}

TDataModuleBVDBConnect::TDataModuleBVDBConnect(TDirect, std::string Path) : FDatabasePath(std::move(Path)) {
    FConnection = TDatabase::Open(FDatabasePath);
    CheckSchema();
}

std::unique_ptr<TDataModuleBVDBConnect> TDataModuleBVDBConnect::OpenFile(const std::string& Path) {
    return std::unique_ptr<TDataModuleBVDBConnect>(new TDataModuleBVDBConnect(TDirect{}, Path));
}

void TDataModuleBVDBConnect::ZConnectionBVDBBeforeConnect() {
    const fs::path Folder = fs::path(GetDataFolder());
    const fs::path File = Folder / ConnectionFileName;
    std::vector<std::string> Lines;
    if (PathTaken(File)) {
        Lines = ReadConnectionFile(File);
    } else {
        std::error_code Ec;
        // The system never creates the data folder itself.
        if (!fs::is_directory(Folder, Ec)) {
            return;
        }
        Lines = {GetDataFolder() + DefaultDatabaseName};
        try {
            WriteFileAtomically(File.string(), Lines.front() + LineEnd, TWriteMode::CreateNew);
        } catch (const EFileError&) {
            // A folder that cannot be written: the default path is used all
            // the same, and the file is tried again at the next start.
        }
    }
    // An empty file, or an empty first line, names no database: the path
    // stays the design-time default.
    if (const std::string Named = NamedDatabase(Lines); !Named.empty()) {
        FDatabasePath = Named;
    }
}

std::string TDataModuleBVDBConnect::ConfiguredDatabasePath() {
    const fs::path File = fs::path(GetDataFolder()) / ConnectionFileName;
    const std::string Named = PathTaken(File) ? NamedDatabase(ReadConnectionFile(File)) : std::string();
    return Named.empty() ? DesignTimeDefaultPath() : Named;
}

void TDataModuleBVDBConnect::ZConnectionBVDBAfterConnect() {
    FMigrationError.clear();
    FMigrationNotice.clear();
    const fs::path Script = fs::path(GetDataFolder()) / MigrationScriptName;
    if (!PathTaken(Script)) {
        return;
    }
    std::string Text;
    try {
        Text = ReadText(Script);
    } catch (const std::exception& E) {
        FMigrationError = "cannot read " + Script.string() + ": " + E.what();
        return;
    }
    // A script that ran but could not be taken away afterwards is known by
    // its checksum: running it again would apply its statements twice.
    const std::string Checksum = ScriptChecksum(Text);
    std::string Applied;
    if (!IsRecorded(*FConnection, Checksum, Applied)) {
        const std::vector<std::string> Lines = SplitLines(Text);
        std::string Sql;
        for (size_t I = 0; I < Lines.size(); ++I) {
            Sql += (I == 0 ? "" : "\r\n") + Lines[I];
        }
        // A transaction that cannot even start ends the connecting with its
        // error.
        TDatabase::TTransaction Tx(*FConnection);
        try {
            FConnection->ExecScript(Sql);
            // In the same transaction: the script and the record that it
            // ran land together or not at all.
            Record(*FConnection, Checksum);
            Tx.Commit();
        } catch (const EDatabaseError& E) {
            // Rolled back; the script stays and is tried again at the next
            // start.
            FMigrationError = Script.string() + ": " + E.what();
            return;
        }
        Applied.clear();
    }
    const std::string Why = PutAside(Script);
    if (!Why.empty()) {
        FMigrationNotice = Script.string() + " has been applied to the database" +
                           (Applied.empty() ? "" : " (" + Applied + " UTC)") +
                           " but can be neither removed nor renamed (" + Why +
                           "). It will not be run again; remove it by hand.";
    }
}

void TDataModuleBVDBConnect::CheckSchema() const {
    std::string Missing;
    for (const std::string& T : SchemaTables()) {
        if (!FConnection->TableExists(T)) {
            Missing += (Missing.empty() ? "" : ", ") + T;
        }
    }
    if (!Missing.empty()) {
        throw EDatabaseError("The database '" + FDatabasePath + "' is not a Braskvalla database: it lacks the table" +
                             (Missing.find(',') != std::string::npos ? "s " : " ") + Missing);
    }
}
