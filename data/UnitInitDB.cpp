#include "data/UnitInitDB.h"

#include "data/UnitBuildingData.h"
#include "data/seed/EmbeddedSql.h"
#include "db/Database.h"
#include "db/Dataset.h"
#include "db/FileIO.h"
#include "model/UnitConstructionObjects.h"

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <system_error>
#include <variant>

namespace fs = std::filesystem;

const std::vector<TSqlScript>& ShippedSqlScripts() {
    static const std::vector<TSqlScript> Scripts = [] {
        std::vector<TSqlScript> Result;
        for (std::size_t i = 0; i < bv_embedded::SqlScriptCount; ++i) {
            const auto& S = bv_embedded::SqlScripts[i];
            Result.push_back({S.Name, std::string(reinterpret_cast<const char*>(S.Bytes), S.Size)});
        }
        return Result;
    }();
    return Scripts;
}

const std::string& SchemaSql() {
    static const std::string Empty;
    const auto& Scripts = ShippedSqlScripts();
    return Scripts.empty() ? Empty : Scripts.front().Text;
}

namespace {

// True when anything is at Path, a dangling link included.
bool PathTaken(const fs::path& Path) {
    std::error_code Ec;
    const fs::file_status St = fs::symlink_status(Path, Ec);
    return !Ec && St.type() != fs::file_type::not_found;
}

// A new empty file next to Target under a name nobody uses (an empty file
// is an empty SQLite database), and the finished file moved to Target unless
// that name was taken meanwhile: the two steps of the system's file writer.
fs::path CreateTempDatabaseFile(const fs::path& Target) {
    try {
        return CreateTempFileBeside(Target.string());
    } catch (const EFileError& E) {
        throw ECreateDatabase(ECreateDatabase::FileError, E.what());
    }
}

void MoveDatabaseIntoPlace(const fs::path& Tmp, const fs::path& Target) {
    try {
        MoveIntoPlace(Tmp.string(), Target.string(), TWriteMode::CreateNew);
    } catch (const EFileError& E) {
        throw ECreateDatabase(E.Kind() == EFileError::Exists ? ECreateDatabase::FileExists : ECreateDatabase::FileError,
                              E.what());
    }
}

// SQLite codes of a file that cannot be read or written, as opposed to SQL
// that fails.
bool IsFileProblem(int Code) {
    return Code == SQLITE_FULL || Code == SQLITE_IOERR || Code == SQLITE_CANTOPEN || Code == SQLITE_READONLY ||
           Code == SQLITE_PERM;
}

// Runs the scripts on the file Tmp in one transaction.
void FillDatabase(const fs::path& Tmp, const std::vector<TSqlScript>& Scripts) {
    sqlite3* Db = nullptr;
    const int Rc = sqlite3_open_v2(Tmp.string().c_str(), &Db, SQLITE_OPEN_READWRITE, nullptr);
    if (Rc != SQLITE_OK) {
        const std::string Msg = Db ? sqlite3_errmsg(Db) : sqlite3_errstr(Rc);
        sqlite3_close(Db);
        throw ECreateDatabase(ECreateDatabase::FileError, "Cannot open " + Tmp.string() + ": " + Msg);
    }
    struct TCloser {
        sqlite3* Db;
        ~TCloser() { sqlite3_close(Db); }
    } Closer{Db};

    auto Exec = [&](const std::string& Sql, const std::string& What) {
        char* Err = nullptr;
        if (sqlite3_exec(Db, Sql.c_str(), nullptr, nullptr, &Err) != SQLITE_OK) {
            std::string Msg = Err ? Err : sqlite3_errmsg(Db);
            sqlite3_free(Err);
            throw ECreateDatabase(IsFileProblem(sqlite3_errcode(Db)) ? ECreateDatabase::FileError
                                                                     : ECreateDatabase::SqlError,
                                  What + ": " + Msg);
        }
    };

    Exec("BEGIN IMMEDIATE", "Starting the transaction");
    for (const TSqlScript& S : Scripts) {
        Exec(S.Text, "Script " + S.Name + ".sql");
    }
    Exec("COMMIT", "Committing the new database");
}

// Calculates every building of the file Tmp but the template (the shipped
// scripts' example buildings), through the building data module as the
// Calculate command does, so that they hold the results the calculation
// stores. One transaction; the connection is closed when this returns, so
// that nothing but the database file remains.
void CalculateBuildings(const fs::path& Tmp) {
    std::unique_ptr<TDatabase> Db;
    std::string Current;
    const auto Failure = [&](ECreateDatabase::TKind Kind, const std::string& Msg) {
        return ECreateDatabase(Kind, Current.empty() ? "Calculating the buildings: " + Msg
                                                     : "Calculating the building " + Current + ": " + Msg);
    };
    try {
        Db = TDatabase::Open(Tmp.string());
        std::vector<std::string> IDs;
        {
            TStatement St = Db->Prepare("SELECT ID FROM Buildings ORDER BY rowid");
            while (St.Step()) {
                IDs.push_back(std::get<std::string>(St.Column(0)));
            }
        }
        {
            TDataModuleBuildingData Module(*Db);
            TDatabase::TTransaction Tx(*Db);
            for (const std::string& ID : IDs) {
                if (SameText(ID, Module.TemplateBuildingName())) {
                    continue;
                }
                Current = ID;
                Module.OpenBuilding(ID);
                // Without an error report a calculation failure passes on.
                Module.CalculateBuilding();
                if (!Module.IsCalculated()) {
                    throw EBVException("the building has no envelope area");
                }
            }
            Current.clear();
            Tx.Commit();
        }
        // The connection turned the file to write-ahead logging, which the
        // file keeps; it is shipped with the rollback journal it was made
        // with, so that opening it leaves no files beside it.
        TStatement Mode = Db->Prepare("PRAGMA journal_mode=DELETE");
        if (!Mode.Step() || Mode.Column(0) != TValue(std::string("delete"))) {
            throw EBVException("cannot leave write-ahead logging");
        }
    } catch (const EDatabaseError& E) {
        const bool File = Db == nullptr || IsFileProblem(sqlite3_errcode(Db->Handle()));
        throw Failure(File ? ECreateDatabase::FileError : ECreateDatabase::SqlError, E.what());
    } catch (const std::exception& E) {
        throw Failure(ECreateDatabase::SqlError, E.what());
    }
}

} // namespace

void CreateDatabase(const std::string& Path) {
    if (ShippedSqlScripts().empty()) {
        throw ECreateDatabase(ECreateDatabase::SqlError, "The program holds no database schema");
    }
    CreateDatabase(Path, ShippedSqlScripts());
}

void CreateDatabase(const std::string& Path, const std::vector<TSqlScript>& Scripts) {
    if (Path.empty()) {
        throw ECreateDatabase(ECreateDatabase::FileError, "No database file name given");
    }
    const fs::path Target(Path);
    if (PathTaken(Target)) {
        throw ECreateDatabase(ECreateDatabase::FileExists, "The file " + Path + " already exists");
    }
    const fs::path Tmp = CreateTempDatabaseFile(Target);
    try {
        FillDatabase(Tmp, Scripts);
        CalculateBuildings(Tmp);
        MoveDatabaseIntoPlace(Tmp, Target);
    } catch (...) {
        std::error_code Ec;
        fs::remove(Tmp, Ec);
        for (const char* Suffix : {"-journal", "-wal", "-shm"}) {
            fs::path Aside = Tmp;
            Aside += Suffix;
            fs::remove(Aside, Ec);
        }
        throw;
    }
}
