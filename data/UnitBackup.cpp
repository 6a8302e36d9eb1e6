#include "data/UnitBackup.h"

#include "data/UnitBVDBConnect.h"
#include "data/UnitBVDir.h"
#include "db/FileIO.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr int BusyTimeoutMs = 5000;
// The findings of quick_check a message quotes.
constexpr int FindingsQuoted = 3;

const char* const BackupFolderName = "Backup";
const char* const BackupPrefix = "bvdb-";
const char* const BackupSuffix = ".s3db";
// What SQLite may keep beside a database file.
const char* const SideFileSuffixes[] = {"-wal", "-shm", "-journal"};

// True when anything is at Path, a dangling link included.
bool PathTaken(const fs::path& Path) {
    std::error_code Ec;
    const fs::file_status St = fs::symlink_status(Path, Ec);
    return !Ec && St.type() != fs::file_type::not_found;
}

std::string WithSuffix(const std::string& Path, const char* Suffix) { return Path + Suffix; }

// Removes a temporary copy and what SQLite left beside it.
void RemoveTemporary(const std::string& Tmp) {
    FileSystemCalls().Remove(Tmp.c_str());
    for (const char* Suffix : SideFileSuffixes) {
        const std::string Side = WithSuffix(Tmp, Suffix);
        if (PathTaken(Side)) {
            FileSystemCalls().Remove(Side.c_str());
        }
    }
}

// A name that SQLite must not read as a URI.
std::string PlainFileName(const std::string& Path) { return Path.rfind("file:", 0) == 0 ? "./" + Path : Path; }

// An open connection, closed when the object goes.
class TConnection {
public:
    TConnection() = default;
    ~TConnection() { sqlite3_close_v2(FDb); }
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    // SQLite's result code; the handle is there for its message either way.
    int Open(const std::string& Path, int Flags) {
        const int Rc = sqlite3_open_v2(PlainFileName(Path).c_str(), &FDb, Flags, nullptr);
        if (FDb != nullptr) {
            sqlite3_extended_result_codes(FDb, 1);
            sqlite3_busy_timeout(FDb, BusyTimeoutMs);
        }
        return Rc;
    }
    sqlite3* Handle() const { return FDb; }
    std::string Message(int Rc) const { return FDb != nullptr ? sqlite3_errmsg(FDb) : sqlite3_errstr(Rc); }
    void Close() {
        sqlite3_close_v2(FDb);
        FDb = nullptr;
    }

private:
    sqlite3* FDb = nullptr;
};

// A failure of a statement, with SQLite's code.
struct TSqlFailure {
    int Code;
    std::string Message;
};

// Runs Sql (one statement) and gives the first column of each row as text.
std::vector<std::string> Rows(sqlite3* Db, const char* Sql, const std::string& Bind = {}) {
    sqlite3_stmt* St = nullptr;
    int Rc = sqlite3_prepare_v2(Db, Sql, -1, &St, nullptr);
    if (Rc != SQLITE_OK) {
        throw TSqlFailure{sqlite3_extended_errcode(Db), sqlite3_errmsg(Db)};
    }
    if (!Bind.empty()) {
        sqlite3_bind_text(St, 1, Bind.c_str(), static_cast<int>(Bind.size()), SQLITE_TRANSIENT);
    }
    std::vector<std::string> Result;
    while ((Rc = sqlite3_step(St)) == SQLITE_ROW) {
        const auto* Text = reinterpret_cast<const char*>(sqlite3_column_text(St, 0));
        Result.emplace_back(Text != nullptr ? Text : "");
    }
    const int Code = sqlite3_extended_errcode(Db);
    const std::string Msg = sqlite3_errmsg(Db);
    sqlite3_finalize(St);
    if (Rc != SQLITE_DONE) {
        throw TSqlFailure{Code, Msg};
    }
    return Result;
}

// Codes that say the file's content is broken, as opposed to a file that
// cannot be opened or locked at the moment.
bool MeansDamage(int Code) {
    const int Primary = Code & 0xff;
    return Primary == SQLITE_CORRUPT || Primary == SQLITE_NOTADB || Code == SQLITE_IOERR ||
           Code == SQLITE_IOERR_READ || Code == SQLITE_IOERR_SHORT_READ;
}

// Codes of a file that cannot be written, as opposed to a source that
// cannot be read.
bool MeansFileProblem(int Code) {
    const int Primary = Code & 0xff;
    return Primary == SQLITE_FULL || Primary == SQLITE_CANTOPEN || Primary == SQLITE_READONLY ||
           Primary == SQLITE_PERM || Code == SQLITE_IOERR_WRITE || Code == SQLITE_IOERR_FSYNC ||
           Code == SQLITE_IOERR_TRUNCATE;
}

TDatabaseCheck Result(TDatabaseCheck::TState State, std::string Problem) { return {State, std::move(Problem)}; }

// The local time of When as "YYYYMMDD-HHMMSS".
std::string Stamp(TBackupTime When) {
    const std::time_t T = std::chrono::system_clock::to_time_t(When);
    std::tm Local{};
#ifdef _WIN32
    localtime_s(&Local, &T);
#else
    localtime_r(&T, &Local);
#endif
    char Buf[32];
    std::strftime(Buf, sizeof Buf, "%Y%m%d-%H%M%S", &Local);
    return Buf;
}

// The moment a backup's name says, when it is one of ours.
std::optional<TBackupTime> TimeOfName(const std::string& Name) {
    const std::string Prefix = BackupPrefix;
    const std::string Suffix = BackupSuffix;
    constexpr size_t StampLength = 15; // YYYYMMDD-HHMMSS
    if (Name.size() != Prefix.size() + StampLength + Suffix.size() || Name.rfind(Prefix, 0) != 0 ||
        Name.compare(Name.size() - Suffix.size(), Suffix.size(), Suffix) != 0) {
        return std::nullopt;
    }
    const std::string S = Name.substr(Prefix.size(), StampLength);
    for (size_t I = 0; I < S.size(); ++I) {
        if (I == 8 ? S[I] != '-' : (S[I] < '0' || S[I] > '9')) {
            return std::nullopt;
        }
    }
    const auto Num = [&](size_t At, size_t Len) { return std::stoi(S.substr(At, Len)); };
    std::tm Local{};
    Local.tm_year = Num(0, 4) - 1900;
    Local.tm_mon = Num(4, 2) - 1;
    Local.tm_mday = Num(6, 2);
    Local.tm_hour = Num(9, 2);
    Local.tm_min = Num(11, 2);
    Local.tm_sec = Num(13, 2);
    Local.tm_isdst = -1;
    const std::time_t T = std::mktime(&Local);
    if (T == static_cast<std::time_t>(-1)) {
        return std::nullopt;
    }
    const TBackupTime When = std::chrono::system_clock::from_time_t(T);
    // A date that does not exist (20240231) comes back as another one.
    if (Stamp(When) != S) {
        return std::nullopt;
    }
    return When;
}

// The log and index files of a database in write-ahead-log mode, which any
// connection to it opens; a read-only connection leaves them behind.
bool HasLogFiles(const std::string& Path) {
    return PathTaken(fs::path(WithSuffix(Path, "-wal"))) || PathTaken(fs::path(WithSuffix(Path, "-shm")));
}

// Takes away the log files that only reading made: a connection that may
// write closes as the last one and removes them. The log was not there
// before, so it holds nothing that closing would write into the database;
// a connection of someone else keeps them, as it should.
void RemoveLogFilesOfReading(const std::string& Path) {
    TConnection Db;
    if (Db.Open(Path, SQLITE_OPEN_READWRITE) == SQLITE_OK) {
        try {
            Rows(Db.Handle(), "SELECT count(*) FROM sqlite_master");
        } catch (const TSqlFailure&) {
            // Then the files stay; they are harmless.
        }
    }
}

// While it lives, Path is read through read-only connections; the log
// files they made go when it does.
class TReadOnlyUse {
public:
    explicit TReadOnlyUse(std::string Path) : FPath(std::move(Path)), FHadLogFiles(HasLogFiles(FPath)) {}
    ~TReadOnlyUse() {
        if (!FHadLogFiles && HasLogFiles(FPath)) {
            RemoveLogFilesOfReading(FPath);
        }
    }
    TReadOnlyUse(const TReadOnlyUse&) = delete;
    TReadOnlyUse& operator=(const TReadOnlyUse&) = delete;

private:
    std::string FPath;
    bool FHadLogFiles;
};

// True for the temporary file of a backup under way, or of one that never
// finished: a backup's name, ".tmp", the writer's process and number
// ("bvdb-20240305-090000.s3db.tmp123-0"), perhaps with "-journal".
bool IsBackupTemporary(const std::string& Name) {
    const size_t At = Name.find(".tmp");
    if (At == std::string::npos || !TimeOfName(Name.substr(0, At))) {
        return false;
    }
    std::string Rest = Name.substr(At + 4);
    const std::string Journal = "-journal";
    if (Rest.size() > Journal.size() && Rest.compare(Rest.size() - Journal.size(), Journal.size(), Journal) == 0) {
        Rest.erase(Rest.size() - Journal.size());
    }
    const size_t Dash = Rest.find('-');
    const auto Digits = [](const std::string& S) {
        return !S.empty() && S.find_first_not_of("0123456789") == std::string::npos;
    };
    return Dash != std::string::npos && Digits(Rest.substr(0, Dash)) && Digits(Rest.substr(Dash + 1));
}

// Removes the temporaries of backups that never finished (the program was
// killed while copying) once they are an hour old by the file clock; a
// younger one may be a backup that another process is writing now.
void RemoveStaleTemporaries(const std::string& Folder) {
    std::error_code Ec;
    fs::directory_iterator It(fs::path(Folder), Ec);
    if (Ec) {
        return;
    }
    const auto Now = fs::file_time_type::clock::now();
    for (const fs::directory_entry& E : It) {
        std::error_code TypeEc;
        if (!E.is_regular_file(TypeEc) || E.is_symlink(TypeEc) || !IsBackupTemporary(E.path().filename().string())) {
            continue;
        }
        const auto Written = E.last_write_time(TypeEc);
        if (!TypeEc && Now - Written >= BackupRules::MinInterval) {
            FileSystemCalls().Remove(E.path().string().c_str());
        }
    }
}

// Copies the database Source into the existing empty file Tmp with the
// online backup API and leaves Tmp in rollback-journal mode. Raises
// EBackupError; the caller removes Tmp.
void CopyDatabase(const std::string& Source, const std::string& Tmp) {
    const TReadOnlyUse Reading(Source);
    TConnection Src;
    int Rc = Src.Open(Source, SQLITE_OPEN_READONLY);
    if (Rc != SQLITE_OK) {
        throw EBackupError(EBackupError::DatabaseProblem,
                           "Cannot open the database " + Source + ": " + Src.Message(Rc));
    }
    TConnection Dst;
    Rc = Dst.Open(Tmp, SQLITE_OPEN_READWRITE);
    if (Rc != SQLITE_OK) {
        throw EBackupError(EBackupError::FileProblem, "Cannot write " + Tmp + ": " + Dst.Message(Rc));
    }
    sqlite3_backup* Backup = sqlite3_backup_init(Dst.Handle(), "main", Src.Handle(), "main");
    if (Backup == nullptr) {
        throw EBackupError(EBackupError::FileProblem,
                           "Cannot start copying " + Source + ": " + sqlite3_errmsg(Dst.Handle()));
    }
    // All pages in one step: one read transaction, one consistent state,
    // also while another connection writes.
    const int Step = sqlite3_backup_step(Backup, -1);
    sqlite3_backup_finish(Backup);
    if (Step != SQLITE_DONE) {
        const int DstCode = sqlite3_extended_errcode(Dst.Handle());
        const int Code = DstCode != SQLITE_OK ? DstCode : Step;
        const std::string Msg = DstCode != SQLITE_OK ? sqlite3_errmsg(Dst.Handle()) : sqlite3_errstr(Step);
        throw EBackupError(MeansFileProblem(Code) ? EBackupError::FileProblem : EBackupError::DatabaseProblem,
                           "Cannot copy the database " + Source + ": " + Msg);
    }
    // The header still says write-ahead log when the source had one; the
    // copy keeps the rollback journal, so that it stays a single file.
    try {
        const std::vector<std::string> Mode = Rows(Dst.Handle(), "PRAGMA journal_mode=DELETE");
        if (Mode.size() != 1 || Mode.front() != "delete") {
            throw TSqlFailure{SQLITE_ERROR, "cannot leave write-ahead logging"};
        }
    } catch (const TSqlFailure& F) {
        throw EBackupError(MeansFileProblem(F.Code) ? EBackupError::FileProblem : EBackupError::DatabaseProblem,
                           "Cannot finish the copy " + Tmp + ": " + F.Message);
    }
    Dst.Close();
}

// Renames From to To unless something is at To. 0, or the errno.
int RenameNotReplacing(const std::string& From, const std::string& To) {
    if (PathTaken(To)) {
        return EEXIST;
    }
    return FileSystemCalls().Rename(From.c_str(), To.c_str()) == 0 ? 0 : (errno != 0 ? errno : EIO);
}

struct TMove {
    std::string From;
    std::string To;
};

// Moves back what was moved aside, newest move first.
void MoveBack(const std::vector<TMove>& Moved) {
    for (auto It = Moved.rbegin(); It != Moved.rend(); ++It) {
        RenameNotReplacing(It->To, It->From);
    }
}

// The check itself (CheckDatabaseFile adds the tidying of log files).
TDatabaseCheck CheckFile(const std::string& Path);

} // namespace

// ---------------------------------------------------------------- the check

TDatabaseCheck CheckDatabaseFile(const std::string& Path) {
    const TReadOnlyUse Reading(Path);
    return CheckFile(Path);
}

namespace {

TDatabaseCheck CheckFile(const std::string& Path) {
    std::error_code Ec;
    const fs::file_status St = fs::status(fs::path(Path), Ec);
    if (!fs::exists(St)) {
        return Result(TDatabaseCheck::Missing, "the file does not exist");
    }
    if (fs::is_directory(St)) {
        return Result(TDatabaseCheck::Unreadable, "it is a folder, not a database file");
    }
    if (!fs::is_regular_file(St)) {
        return Result(TDatabaseCheck::Unreadable, "it is not a regular file");
    }
    if (fs::file_size(fs::path(Path), Ec) == 0 && !Ec) {
        return Result(TDatabaseCheck::Damaged, "the file is empty");
    }
    TConnection Db;
    const int Rc = Db.Open(Path, SQLITE_OPEN_READONLY);
    if (Rc != SQLITE_OK) {
        return Result(MeansDamage(Rc) ? TDatabaseCheck::Damaged : TDatabaseCheck::Unreadable, Db.Message(Rc));
    }
    try {
        const std::vector<std::string> Findings = Rows(Db.Handle(), "PRAGMA quick_check(10)");
        if (Findings.size() != 1 || Findings.front() != "ok") {
            std::string Problem;
            for (size_t I = 0; I < Findings.size() && I < FindingsQuoted; ++I) {
                Problem += (I == 0 ? "" : "; ") + Findings[I];
            }
            if (Findings.size() > FindingsQuoted) {
                Problem += "; ...";
            }
            return Result(TDatabaseCheck::Damaged, Problem.empty() ? "quick_check gives no result" : Problem);
        }
        std::string Missing;
        int Count = 0;
        for (const std::string& T : TDataModuleBVDBConnect::SchemaTables()) {
            if (Rows(Db.Handle(),
                     "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE", T)
                    .empty()) {
                Missing += (Missing.empty() ? "" : ", ") + T;
                ++Count;
            }
        }
        if (Count > 0) {
            return Result(TDatabaseCheck::Damaged, std::string("it lacks the table") + (Count > 1 ? "s " : " ") + Missing);
        }
    } catch (const TSqlFailure& F) {
        return Result(MeansDamage(F.Code) ? TDatabaseCheck::Damaged : TDatabaseCheck::Unreadable, F.Message);
    }
    return Result(TDatabaseCheck::Sound, {});
}

} // namespace

std::string DescribeCheck(const std::string& Path, const TDatabaseCheck& Check) {
    switch (Check.State) {
    case TDatabaseCheck::Sound: return Path + " is sound";
    case TDatabaseCheck::Damaged: return Path + " is damaged: " + Check.Problem;
    case TDatabaseCheck::Missing: return Path + ": " + Check.Problem;
    case TDatabaseCheck::Unreadable: break;
    }
    return Path + " cannot be checked: " + Check.Problem;
}

// ---------------------------------------------------------------- backups

std::string BackupFolderOf(const std::string& DataFolder) {
    std::string Folder = DataFolder;
    if (!Folder.empty() && Folder.back() != '/' && Folder.back() != PathSeparator()) {
        Folder += PathSeparator();
    }
    return Folder + BackupFolderName + PathSeparator();
}

std::string BackupFileName(TBackupTime When) { return BackupPrefix + Stamp(When) + BackupSuffix; }

std::vector<TBackupFile> ListBackups(const std::string& Folder) {
    std::vector<TBackupFile> List;
    std::error_code Ec;
    fs::directory_iterator It(fs::path(Folder), Ec);
    if (Ec) {
        return List;
    }
    for (const fs::directory_entry& E : It) {
        std::error_code TypeEc;
        if (!E.is_regular_file(TypeEc) || E.is_symlink(TypeEc)) {
            continue;
        }
        if (const std::optional<TBackupTime> When = TimeOfName(E.path().filename().string())) {
            List.push_back({E.path().string(), *When});
        }
    }
    std::sort(List.begin(), List.end(), [](const TBackupFile& A, const TBackupFile& B) {
        return A.Time != B.Time ? A.Time > B.Time : A.Path > B.Path;
    });
    return List;
}

void WriteBackup(const std::string& Database, const std::string& Target) {
    if (PathTaken(fs::path(Target))) {
        throw EBackupError(EBackupError::FileProblem, "The file " + Target + " already exists");
    }
    if (!PathTaken(fs::path(Database))) {
        throw EBackupError(EBackupError::DatabaseProblem, "The database " + Database + " does not exist");
    }
    std::string Tmp;
    try {
        Tmp = CreateTempFileBeside(Target);
    } catch (const EFileError& E) {
        throw EBackupError(EBackupError::FileProblem, E.what());
    }
    try {
        CopyDatabase(Database, Tmp);
        const TDatabaseCheck Copy = CheckDatabaseFile(Tmp);
        if (Copy.State != TDatabaseCheck::Sound) {
            throw EBackupError(EBackupError::DatabaseProblem, "The copy of " + Database +
                                                                  " does not pass the check, no backup was made: " +
                                                                  Copy.Problem);
        }
        try {
            MoveIntoPlace(Tmp, Target, TWriteMode::CreateNew);
        } catch (const EFileError& E) {
            throw EBackupError(EBackupError::FileProblem, E.what());
        }
    } catch (...) {
        RemoveTemporary(Tmp);
        throw;
    }
}

TFolderBackup BackupIntoFolder(const std::string& Database, const std::string& Folder, TBackupTime Now,
                               bool Hourly) {
    if (!PathTaken(fs::path(Database))) {
        throw EBackupError(EBackupError::DatabaseProblem, "The database " + Database + " does not exist");
    }
    // The folder itself, never the folders above it (the data folder).
    std::error_code Ec;
    fs::create_directory(fs::path(Folder), Ec);
    if (Ec || !fs::is_directory(fs::path(Folder), Ec)) {
        throw EBackupError(EBackupError::FileProblem, "Cannot create the backup folder " + Folder + ": " +
                                                          (Ec ? Ec.message() : std::string("it is not a folder")));
    }
    TFolderBackup Done;
    if (Hourly) {
        for (const TBackupFile& B : ListBackups(Folder)) {
            const auto Age = Now - B.Time;
            if (Age >= TBackupTime::duration::zero() && Age < BackupRules::MinInterval) {
                Done.Path = B.Path;
                return Done;
            }
        }
    }
    Done.Path = (fs::path(Folder) / BackupFileName(Now)).string();
    WriteBackup(Database, Done.Path);
    Done.Made = true;

    // The new backup always stays, also when older ones carry later names
    // (a clock that was set wrong).
    std::vector<TBackupFile> Others = ListBackups(Folder);
    std::erase_if(Others, [&](const TBackupFile& B) { return fs::path(B.Path) == fs::path(Done.Path); });
    RemoveStaleTemporaries(Folder);
    std::string Failures;
    for (size_t I = BackupRules::Keep - 1; I < Others.size(); ++I) {
        if (FileSystemCalls().Remove(Others[I].Path.c_str()) == 0) {
            Done.Removed.push_back(Others[I].Path);
        } else {
            const std::string Why = std::strerror(errno);
            Failures += (Failures.empty() ? "" : ", ") + Others[I].Path + " (" + Why + ")";
        }
    }
    if (!Failures.empty()) {
        throw EBackupError(EBackupError::FileProblem,
                           "The backup " + Done.Path + " was made, but older backups cannot be removed: " + Failures);
    }
    return Done;
}

std::optional<TBackupFile> NewestSoundBackup(const std::string& Folder) {
    for (const TBackupFile& B : ListBackups(Folder)) {
        if (CheckDatabaseFile(B.Path).State == TDatabaseCheck::Sound) {
            return B;
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- restoring

TRestore RestoreDatabase(const std::string& Backup, const std::string& Database, TBackupTime Now) {
    const TDatabaseCheck Check = CheckDatabaseFile(Backup);
    switch (Check.State) {
    case TDatabaseCheck::Sound: break;
    case TDatabaseCheck::Damaged:
        throw EBackupError(EBackupError::DatabaseProblem, "The backup " + Backup + " is damaged: " + Check.Problem);
    case TDatabaseCheck::Missing:
    case TDatabaseCheck::Unreadable:
        throw EBackupError(EBackupError::FileProblem, DescribeCheck(Backup, Check));
    }
    if (Database.empty()) {
        throw EBackupError(EBackupError::FileProblem, "No database file name given");
    }
    std::string Tmp;
    try {
        Tmp = CreateTempFileBeside(Database);
    } catch (const EFileError& E) {
        throw EBackupError(EBackupError::FileProblem, E.what());
    }
    TRestore Done;
    std::vector<TMove> Moved;
    try {
        CopyDatabase(Backup, Tmp);
        const TDatabaseCheck Copy = CheckDatabaseFile(Tmp);
        if (Copy.State != TDatabaseCheck::Sound) {
            throw EBackupError(EBackupError::DatabaseProblem,
                               "The copy of the backup " + Backup + " does not pass the check: " + Copy.Problem);
        }

        // What is at the database's name goes aside, its side files with it:
        // a log left beside the restored file would be applied to it. The
        // check comes first, as reading may leave log files of its own.
        const bool Sound = CheckDatabaseFile(Database).State == TDatabaseCheck::Sound;
        std::vector<std::string> Present;
        for (const std::string& P : {Database, WithSuffix(Database, "-wal"), WithSuffix(Database, "-shm"),
                                     WithSuffix(Database, "-journal")}) {
            if (PathTaken(fs::path(P))) {
                Present.push_back(P);
            }
        }
        if (!Present.empty()) {
            const std::string Base = Database + (Sound ? ".replaced-" : ".damaged-") + Stamp(Now);
            std::string Aside;
            for (int N = 1; N < 1000 && Aside.empty(); ++N) {
                const std::string Candidate = N == 1 ? Base : Base + "-" + std::to_string(N);
                bool Free = true;
                for (const std::string& P : Present) {
                    Free = Free && !PathTaken(fs::path(Candidate + P.substr(Database.size())));
                }
                if (Free) {
                    Aside = Candidate;
                }
            }
            if (Aside.empty()) {
                throw EBackupError(EBackupError::FileProblem, "No free name beside " + Database);
            }
            for (const std::string& P : Present) {
                const std::string To = Aside + P.substr(Database.size());
                if (const int Err = RenameNotReplacing(P, To); Err != 0) {
                    throw EBackupError(EBackupError::FileProblem,
                                       "Cannot rename " + P + " to " + To + ": " + std::strerror(Err));
                }
                Moved.push_back({P, To});
            }
            Done.KeptAs = Aside;
        }
        try {
            MoveIntoPlace(Tmp, Database, TWriteMode::CreateNew);
        } catch (const EFileError& E) {
            throw EBackupError(EBackupError::FileProblem, E.what());
        }
    } catch (...) {
        MoveBack(Moved);
        RemoveTemporary(Tmp);
        throw;
    }
    const TDatabaseCheck Placed = CheckDatabaseFile(Database);
    if (Placed.State != TDatabaseCheck::Sound) {
        throw EBackupError(EBackupError::DatabaseProblem,
                           "The restored " + DescribeCheck(Database, Placed) +
                               (Done.KeptAs.empty() ? std::string() : "; the previous file is kept as " + Done.KeptAs));
    }
    return Done;
}
