#include "db/Database.h"

#include "db/Dataset.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

constexpr int BusyTimeoutMs = 5000;

// COLLATE BVNOCASE: the same notion of equal text as SameText.
int CompareNoCase(void*, int N1, const void* S1, int N2, const void* S2) {
    return CompareText(std::string_view(static_cast<const char*>(S1), static_cast<size_t>(N1)),
                       std::string_view(static_cast<const char*>(S2), static_cast<size_t>(N2)));
}

// BV_TRUE(x): the boolean reading rule of the layer, usable in WHERE clauses.
void SqlTrue(sqlite3_context* Ctx, int, sqlite3_value** Argv) {
    bool Result = false;
    switch (sqlite3_value_type(Argv[0])) {
    case SQLITE_INTEGER:
        Result = sqlite3_value_int64(Argv[0]) != 0;
        break;
    case SQLITE_FLOAT:
        Result = sqlite3_value_double(Argv[0]) != 0.0;
        break;
    case SQLITE_TEXT: {
        const auto* Text = reinterpret_cast<const char*>(sqlite3_value_text(Argv[0]));
        const int Bytes = sqlite3_value_bytes(Argv[0]);
        Result = TextIsTrue(std::string_view(Text, static_cast<size_t>(Bytes)));
        break;
    }
    default:
        break;
    }
    sqlite3_result_int(Ctx, Result ? 1 : 0);
}

// While a script runs in ExecScript, statements that would end or nest its
// transaction are refused at prepare time.
int ScriptAuthorizer(void* Arg, int Action, const char*, const char*, const char*, const char*) {
    const bool* InScript = static_cast<const bool*>(Arg);
    if (*InScript && (Action == SQLITE_TRANSACTION || Action == SQLITE_SAVEPOINT)) {
        return SQLITE_DENY;
    }
    return SQLITE_OK;
}

std::string Shorten(const std::string& Sql) {
    constexpr size_t Max = 200;
    return Sql.size() <= Max ? Sql : Sql.substr(0, Max) + "...";
}

} // namespace

// ---------------------------------------------------------------- TDatabase

TDatabase::TDatabase(sqlite3* Db, std::string Path) : FDb(Db), FPath(std::move(Path)) {}

TDatabase::~TDatabase() {
    // close_v2 lets statements still held by datasets be finalized later.
    sqlite3_close_v2(FDb);
}

void TDatabase::Fail(const std::string& What) const {
    throw EDatabaseError(What + ": " + sqlite3_errmsg(FDb));
}

std::unique_ptr<TDatabase> TDatabase::Connect(const std::string& Path, int Flags) {
    // A name that starts with "file:" would be taken as a URI, whose query
    // could ask for another mode; keep it a plain file name.
    std::string Name = Path;
    if (Name.rfind("file:", 0) == 0) {
        Name = "./" + Name;
    }
    sqlite3* Handle = nullptr;
    const int Rc = sqlite3_open_v2(Name.c_str(), &Handle, Flags, nullptr);
    if (Rc != SQLITE_OK) {
        std::string Msg = Handle != nullptr ? sqlite3_errmsg(Handle) : sqlite3_errstr(Rc);
        sqlite3_close_v2(Handle);
        throw EDatabaseError("Cannot open the database '" + Path + "': " + Msg);
    }
    std::unique_ptr<TDatabase> Db(new TDatabase(Handle, Path));
    sqlite3_extended_result_codes(Handle, 1);
    sqlite3_busy_timeout(Handle, BusyTimeoutMs);
    // A file that is not a database opens without complaint; the first read
    // of the schema tells.
    char* Err = nullptr;
    if (sqlite3_exec(Handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &Err) != SQLITE_OK) {
        std::string Msg = Err != nullptr ? Err : sqlite3_errmsg(Handle);
        sqlite3_free(Err);
        throw EDatabaseError("Cannot open the database '" + Path + "': " + Msg);
    }
    Db->Configure();
    return Db;
}

void TDatabase::Configure() {
    try {
        // WAL survives an application crash without corruption; NORMAL
        // synchronisation may lose the last commits on a power loss only.
        Exec("PRAGMA journal_mode=WAL");
        Exec("PRAGMA synchronous=NORMAL");
        Exec("PRAGMA foreign_keys=ON");
    } catch (const EDatabaseError& E) {
        throw EDatabaseError("Cannot open the database '" + FPath + "': " + E.what());
    }
    if (sqlite3_create_collation(FDb, "BVNOCASE", SQLITE_UTF8, nullptr, CompareNoCase) != SQLITE_OK) {
        Fail("Cannot register the collation BVNOCASE on '" + FPath + "'");
    }
    if (sqlite3_create_function(FDb, "BV_TRUE", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, SqlTrue,
                                nullptr, nullptr) != SQLITE_OK) {
        Fail("Cannot register the function BV_TRUE on '" + FPath + "'");
    }
    sqlite3_set_authorizer(FDb, ScriptAuthorizer, &FInScript);
}

std::unique_ptr<TDatabase> TDatabase::Open(const std::string& Path) {
    namespace fs = std::filesystem;
    if (Path.empty()) {
        throw EDatabaseError("Cannot open the database: no path given");
    }
    std::error_code Ec;
    const fs::file_status St = fs::status(fs::path(Path), Ec);
    if (!fs::exists(St)) {
        throw EDatabaseError("Cannot open the database '" + Path + "': the file does not exist");
    }
    if (fs::is_directory(St)) {
        throw EDatabaseError("Cannot open the database '" + Path + "': it is a folder, not a database file");
    }
    if (!fs::is_regular_file(St)) {
        throw EDatabaseError("Cannot open the database '" + Path + "': it is not a regular file");
    }
    // SQLite takes an empty file for an empty database and would write a
    // header into it; an empty file is more likely a failed copy.
    const auto Size = fs::file_size(fs::path(Path), Ec);
    if (!Ec && Size == 0) {
        throw EDatabaseError("Cannot open the database '" + Path + "': the file is empty, not a database");
    }
    return Connect(Path, SQLITE_OPEN_READWRITE);
}

std::unique_ptr<TDatabase> TDatabase::Create(const std::string& Path) {
    if (Path.empty()) {
        throw EDatabaseError("Cannot create a database: no path given");
    }
    // Exclusive creation: never takes over a file that exists.
    std::FILE* F = std::fopen(Path.c_str(), "wx");
    if (F == nullptr) {
        std::error_code Ec;
        if (std::filesystem::exists(std::filesystem::path(Path), Ec)) {
            throw EDatabaseError("Cannot create the database '" + Path + "': the file already exists");
        }
        throw EDatabaseError("Cannot create the database '" + Path + "': the file cannot be written");
    }
    std::fclose(F);
    try {
        return Connect(Path, SQLITE_OPEN_READWRITE);
    } catch (...) {
        std::error_code Ec;
        std::filesystem::remove(std::filesystem::path(Path), Ec);
        throw;
    }
}

void TDatabase::Exec(const std::string& Sql) {
    char* Err = nullptr;
    if (sqlite3_exec(FDb, Sql.c_str(), nullptr, nullptr, &Err) != SQLITE_OK) {
        std::string Msg = Err != nullptr ? Err : sqlite3_errmsg(FDb);
        sqlite3_free(Err);
        throw EDatabaseError(Msg + " (in: " + Shorten(Sql) + ")");
    }
}

void TDatabase::ExecScript(const std::string& Sql) {
    TTransaction Tx(*this);
    FInScript = true;
    try {
        Exec(Sql);
    } catch (...) {
        FInScript = false;
        throw;
    }
    FInScript = false;
    Tx.Commit();
}

TStatement TDatabase::Prepare(const std::string& Sql) { return TStatement(*this, Sql); }

bool TDatabase::TableExists(const std::string& Name) {
    TStatement St(*this, "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ? COLLATE NOCASE");
    St.Bind(1, Name);
    return St.Step();
}

int64_t TDatabase::LastInsertRowId() const { return sqlite3_last_insert_rowid(FDb); }

int TDatabase::Changes() const { return sqlite3_changes(FDb); }

// ---------------------------------------------------------- TTransaction

TDatabase::TTransaction::TTransaction(TDatabase& Db) : FDb(Db), FLevel(Db.FTxDepth) {
    // BEGIN IMMEDIATE takes the write lock now, so that a second connection
    // holding it makes us wait for the busy timeout instead of failing at
    // the first write.
    FDb.Exec(FLevel == 0 ? std::string("BEGIN IMMEDIATE") : "SAVEPOINT bv_sp" + std::to_string(FLevel));
    ++FDb.FTxDepth;
}

void TDatabase::TTransaction::Commit() {
    if (FDone) {
        throw EDatabaseError("The transaction was already committed");
    }
    FDb.Exec(FLevel == 0 ? std::string("COMMIT") : "RELEASE bv_sp" + std::to_string(FLevel));
    FDone = true;
    --FDb.FTxDepth;
}

TDatabase::TTransaction::~TTransaction() {
    if (FDone) {
        return;
    }
    if (FLevel == 0) {
        // SQLite may have rolled back already (after a full disk, say).
        if (sqlite3_get_autocommit(FDb.FDb) == 0) {
            sqlite3_exec(FDb.FDb, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    } else {
        const std::string Name = "bv_sp" + std::to_string(FLevel);
        sqlite3_exec(FDb.FDb, ("ROLLBACK TO " + Name + "; RELEASE " + Name).c_str(), nullptr, nullptr,
                     nullptr);
    }
    --FDb.FTxDepth;
}

// ------------------------------------------------------------ TStatement

TStatement::TStatement(TDatabase& Db, const std::string& Sql) : FDb(Db), FStmt(nullptr), FSql(Sql) {
    const char* Tail = nullptr;
    if (sqlite3_prepare_v2(Db.FDb, Sql.c_str(), static_cast<int>(Sql.size()), &FStmt, &Tail) != SQLITE_OK) {
        const std::string Msg = sqlite3_errmsg(Db.FDb);
        sqlite3_finalize(FStmt);
        throw EDatabaseError(Msg + " (in: " + Shorten(Sql) + ")");
    }
    if (FStmt == nullptr) {
        throw EDatabaseError("No SQL statement given (in: " + Shorten(Sql) + ")");
    }
    // One statement only: a second one after the first would silently not
    // run. What follows may only be blanks, semicolons and comments, which
    // prepare to no statement.
    while (Tail != nullptr && *Tail != '\0') {
        sqlite3_stmt* Next = nullptr;
        const char* After = nullptr;
        const int Rc = sqlite3_prepare_v2(Db.FDb, Tail, -1, &Next, &After);
        const bool Empty = Rc == SQLITE_OK && Next == nullptr;
        sqlite3_finalize(Next);
        if (!Empty) {
            sqlite3_finalize(FStmt);
            throw EDatabaseError("Only one SQL statement can be prepared at a time (in: " + Shorten(Sql) + ")");
        }
        if (After == Tail) {
            break;
        }
        Tail = After;
    }
}

TStatement::TStatement(TStatement&& Other) noexcept
    : FDb(Other.FDb), FStmt(Other.FStmt), FSql(std::move(Other.FSql)) {
    Other.FStmt = nullptr;
}

TStatement::~TStatement() { sqlite3_finalize(FStmt); }

void TStatement::Fail(const std::string& What) {
    const std::string Msg = sqlite3_errmsg(FDb.FDb);
    sqlite3_reset(FStmt);
    throw EDatabaseError(What + Msg + " (in: " + Shorten(FSql) + ")");
}

void TStatement::Bind(int Index, const TValue& Value) {
    if (Index < 1 || Index > sqlite3_bind_parameter_count(FStmt)) {
        throw EDatabaseError("No parameter " + std::to_string(Index) + " (in: " + Shorten(FSql) + ")");
    }
    int Rc = SQLITE_OK;
    if (const auto* I = std::get_if<int64_t>(&Value)) {
        Rc = sqlite3_bind_int64(FStmt, Index, *I);
    } else if (const auto* D = std::get_if<double>(&Value)) {
        Rc = sqlite3_bind_double(FStmt, Index, *D);
    } else if (const auto* S = std::get_if<std::string>(&Value)) {
        Rc = sqlite3_bind_text64(FStmt, Index, S->data(), S->size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    } else if (const auto* B = std::get_if<TBlob>(&Value)) {
        // An empty vector has no data pointer, which SQLite would bind as NULL.
        Rc = B->empty() ? sqlite3_bind_zeroblob(FStmt, Index, 0)
                        : sqlite3_bind_blob64(FStmt, Index, B->data(), B->size(), SQLITE_TRANSIENT);
    } else {
        Rc = sqlite3_bind_null(FStmt, Index);
    }
    if (Rc != SQLITE_OK) {
        Fail("Cannot bind parameter " + std::to_string(Index) + ": ");
    }
}

void TStatement::Bind(const std::string& Name, const TValue& Value) {
    const int Index = sqlite3_bind_parameter_index(FStmt, Name.c_str());
    if (Index == 0) {
        throw EDatabaseError("No parameter " + Name + " (in: " + Shorten(FSql) + ")");
    }
    Bind(Index, Value);
}

bool TStatement::Step() {
    const int Rc = sqlite3_step(FStmt);
    if (Rc == SQLITE_ROW) {
        return true;
    }
    if (Rc == SQLITE_DONE) {
        return false;
    }
    Fail("");
}

void TStatement::Execute() {
    while (Step()) {
    }
    sqlite3_reset(FStmt);
}

void TStatement::Reset() { sqlite3_reset(FStmt); }

int TStatement::ColumnCount() const { return sqlite3_column_count(FStmt); }

std::string TStatement::ColumnName(int Col) const {
    const char* N = sqlite3_column_name(FStmt, Col);
    return N != nullptr ? N : "";
}

std::string TStatement::ColumnDeclType(int Col) const {
    const char* T = sqlite3_column_decltype(FStmt, Col);
    return T != nullptr ? T : "";
}

int TStatement::ParameterCount() const { return sqlite3_bind_parameter_count(FStmt); }

TValue TStatement::Column(int Col) const {
    switch (sqlite3_column_type(FStmt, Col)) {
    case SQLITE_INTEGER:
        return static_cast<int64_t>(sqlite3_column_int64(FStmt, Col));
    case SQLITE_FLOAT:
        return sqlite3_column_double(FStmt, Col);
    case SQLITE_TEXT: {
        const auto* T = reinterpret_cast<const char*>(sqlite3_column_text(FStmt, Col));
        return std::string(T, static_cast<size_t>(sqlite3_column_bytes(FStmt, Col)));
    }
    case SQLITE_BLOB: {
        const auto* B = static_cast<const uint8_t*>(sqlite3_column_blob(FStmt, Col));
        const int N = sqlite3_column_bytes(FStmt, Col);
        return B != nullptr ? TBlob(B, B + N) : TBlob();
    }
    default:
        return TValue();
    }
}
