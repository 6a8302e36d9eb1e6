// One SQLite connection, its transactions and prepared statements.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Every failure of the database layer: a missing file, a file that is not a
// database, a missing table, a constraint, a NULL read as a number, a
// required column without a value, an edit outside edit state.
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const std::string& Msg) : std::runtime_error(Msg) {}
};

using TBlob = std::vector<uint8_t>;

// A column value as the layer holds it: NULL, integer, real, text (UTF-8) or bytes.
using TValue = std::variant<std::monostate, int64_t, double, std::string, TBlob>;

inline bool IsNullValue(const TValue& V) { return std::holds_alternative<std::monostate>(V); }

class TStatement;

class TDatabase {
public:
    // Opens an existing database file. Never creates one: a missing path, a
    // folder, an empty file, or a file that is not an SQLite database raises
    // EDatabaseError naming the path. Sets journal_mode=WAL,
    // synchronous=NORMAL, foreign keys as declared, and a busy timeout.
    // Every connection knows two additions to SQL:
    //   COLLATE BVNOCASE  compares text as SameText does (Swedish letters too);
    //   BV_TRUE(x)        1 when x reads as a true boolean (see TField::AsBoolean).
    static std::unique_ptr<TDatabase> Open(const std::string& Path);
    // Creates a new, empty database file; raises when Path already exists.
    static std::unique_ptr<TDatabase> Create(const std::string& Path);

    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;
    ~TDatabase();

    const std::string& Path() const { return FPath; }
    sqlite3* Handle() const { return FDb; }

    // Runs a batch of SQL statements (no parameters). Raises on the first
    // failing statement with SQLite's message.
    void Exec(const std::string& Sql);
    // Runs a batch of SQL statements as one transaction: all of it or, when a
    // statement fails, nothing (rolled back, then raises). Statements that
    // would end or nest the transaction themselves (BEGIN, COMMIT, ROLLBACK,
    // SAVEPOINT, RELEASE) are refused as failures.
    void ExecScript(const std::string& Sql);
    // Prepares one statement with "?" or ":name" parameters.
    TStatement Prepare(const std::string& Sql);
    // True when a table or view of that name exists (case ignored).
    bool TableExists(const std::string& Name);
    int64_t LastInsertRowId() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int Changes() const;
    bool InTransaction() const { return FTxDepth > 0; }

    // Transaction guard: the outermost guard runs BEGIN IMMEDIATE, nested
    // guards use savepoints. Destroyed without Commit() it rolls back what
    // was done inside it. Datasets that posted rows inside a rolled-back
    // guard hold stale rows until they are refreshed.
    class TTransaction {
    public:
        explicit TTransaction(TDatabase& Db);
        TTransaction(const TTransaction&) = delete;
        TTransaction& operator=(const TTransaction&) = delete;
        ~TTransaction();
        void Commit();

    private:
        TDatabase& FDb;
        int FLevel;
        bool FDone = false;
    };

private:
    TDatabase(sqlite3* Db, std::string Path);
    static std::unique_ptr<TDatabase> Connect(const std::string& Path, int Flags);
    void Configure();
    [[noreturn]] void Fail(const std::string& What) const;
    sqlite3* FDb;
    std::string FPath;
    int FTxDepth = 0;
    bool FInScript = false; // ExecScript refuses transaction statements
    friend class TTransaction;
    friend class TStatement;
};

// A prepared statement; parameters are bound, never spliced into the text.
class TStatement {
public:
    TStatement(TDatabase& Db, const std::string& Sql);
    TStatement(TStatement&& Other) noexcept;
    TStatement& operator=(TStatement&&) = delete;
    TStatement(const TStatement&) = delete;
    ~TStatement();

    // Index is 1-based; names include their prefix (":ID").
    void Bind(int Index, const TValue& Value);
    void Bind(const std::string& Name, const TValue& Value);
    // Steps once: true while a row is available.
    bool Step();
    // Runs to completion (for statements that return no rows).
    void Execute();
    void Reset();
    int ColumnCount() const;
    std::string ColumnName(int Col) const;
    // The declared type of the table column behind a result column, "" for
    // an expression.
    std::string ColumnDeclType(int Col) const;
    TValue Column(int Col) const;
    int ParameterCount() const;
    const std::string& Sql() const { return FSql; }

private:
    [[noreturn]] void Fail(const std::string& What);
    TDatabase& FDb;
    sqlite3_stmt* FStmt;
    std::string FSql;
};
