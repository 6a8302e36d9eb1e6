// export, import: building exchange files; export-materials,
// import-materials: material files. The import commands answer the question
// about a taken name by the --on-conflict option; without it a taken name is
// an error for that building or material, which then stores nothing.
#include "cli/CliDatabase.h"
#include "db/Database.h"
#include "exchange/UnitExport.h"
#include "exchange/UnitExportData.h"
#include "exchange/UnitImport.h"
#include "materials/UnitMaterialExp.h"
#include "materials/UnitMaterialImp.h"

#include <ostream>

namespace cli {

namespace {

enum class TPolicy { None, Replace, Skip, Rename, Cancel };

struct TImportArgs {
    std::string File;
    TPolicy Policy = TPolicy::None;
};

TPolicy ParsePolicy(const std::string& Command, const std::string& Value) {
    if (Value == "replace")
        return TPolicy::Replace;
    if (Value == "skip")
        return TPolicy::Skip;
    if (Value == "rename")
        return TPolicy::Rename;
    if (Value == "cancel")
        return TPolicy::Cancel;
    throw EUsage(Command + ": --on-conflict takes replace, skip, rename or cancel, not '" + Value + "'");
}

TImportArgs ParseImportArgs(const std::string& Command, const std::vector<std::string>& Args) {
    TImportArgs A;
    bool HaveFile = false;
    bool HavePolicy = false;
    for (size_t I = 0; I < Args.size(); ++I) {
        const std::string& S = Args[I];
        std::string Value;
        if (S.rfind("--on-conflict=", 0) == 0) {
            Value = S.substr(14);
        } else if (S == "--on-conflict") {
            if (I + 1 >= Args.size())
                throw EUsage(Command + ": --on-conflict needs a value");
            Value = Args[++I];
        } else if (!S.empty() && S[0] == '-' && S != "-") {
            throw EUsage(Command + ": unknown option " + S);
        } else {
            if (HaveFile)
                throw EUsage(Command + " takes one FILE");
            A.File = S;
            HaveFile = true;
            continue;
        }
        if (HavePolicy)
            throw EUsage(Command + ": --on-conflict given twice");
        A.Policy = ParsePolicy(Command, Value);
        HavePolicy = true;
    }
    if (!HaveFile)
        throw EUsage(Command + " needs a FILE");
    return A;
}

struct TExportArgs {
    std::string File;
    std::vector<std::string> IDs;
};

// FILE and the IDs. The commands take no options: an argument that looks
// like one is refused rather than taken for a file name or an ID, unless it
// follows "--".
TExportArgs ParseExportArgs(const std::string& Command, const std::vector<std::string>& Args) {
    const std::vector<std::string> Plain = PlainArgs(Command, Args);
    if (Plain.size() < 2)
        throw EUsage(Command + " needs a FILE and at least one ID");
    TExportArgs A;
    A.File = Plain[0];
    A.IDs.assign(Plain.begin() + 1, Plain.end());
    return A;
}

// The answer an option gives, as the question window would give it.
TImportReply PolicyReply(TPolicy Policy, const std::string& FreeName) {
    switch (Policy) {
    case TPolicy::Replace: return {TImportAnswer::Yes, {}};
    case TPolicy::Rename: return {TImportAnswer::Rename, FreeName};
    case TPolicy::Cancel: return {TImportAnswer::Cancel, {}};
    case TPolicy::Skip:
    case TPolicy::None: break;
    }
    return {TImportAnswer::No, {}};
}

// The exit code of an import: a database that refused something weighs
// more than a file or format error.
int ImportExitCode(bool DatabaseError, bool Failed) {
    return static_cast<int>(DatabaseError ? ExitDatabase : Failed ? ExitFile : ExitOk);
}

const char* const SConflictHint = " already exists (choose with --on-conflict=replace|skip|rename|cancel)";

// Runs Export, which writes File and gives the IDs it wrote, and prints a
// line per ID. Any failure but one of the database is reported against
// File with exit code ExitFile; a database failure passes on.
template <class TExport>
int ReportExport(const Options& Opts, const std::string& File, const TExport& Export) {
    std::vector<std::string> Written;
    try {
        Written = Export();
    } catch (const EDatabaseError&) {
        throw;
    } catch (const std::exception& E) {
        *Opts.Err << "braskvalla-cli: " << File << ": " << E.what() << " (no file written)\n";
        return static_cast<int>(ExitFile);
    }
    for (const std::string& ID : Written)
        *Opts.Out << ID << ": exported\n";
    return static_cast<int>(ExitOk);
}

// The line for a building or material that was stored, under the name it
// had in the file or under a new one.
void PrintStored(std::ostream& Out, const std::string& FileID, const std::string& StoredID) {
    if (StoredID == FileID)
        Out << FileID << ": stored\n";
    else
        Out << FileID << ": renamed to " << StoredID << '\n';
}

// The line for a building or material that was not stored. Without
// --on-conflict a taken name makes it a failure (What names the kind,
// Existing the name taken); the return says whether it was one.
bool PrintSkipped(std::ostream& Out, const std::string& FileID, bool TakenName, const char* What,
                  const std::string& Existing) {
    if (TakenName) {
        Out << FileID << ": failed: a " << What << " named " << Existing << SConflictHint << '\n';
        return true;
    }
    Out << FileID << ": skipped\n";
    return false;
}

// ---------------------------------------------------------------------------
// Buildings

class TCliImport : public IImportDialogs, public IImportNotifier {
public:
    TCliImport(const Options& Opts, TDatabase& Db, const std::string& File, TPolicy Policy)
        : FOpts(Opts), FDb(Db), FFile(File), FPolicy(Policy) {}

    bool AnyFailed() const { return FAnyFailed; }
    bool AnyDatabaseError() const { return FAnyDatabaseError; }

    TImportReply AskReplace(const std::string& ExistingID, const TExpBuilding2& Incoming) override {
        FConflict = ExistingID;
        return PolicyReply(FPolicy, FPolicy == TPolicy::Rename ? FirstFreeBuildingID(FDb, Incoming.GetBuildingID())
                                                               : std::string());
    }

    void Warning(const std::string& Text) override { *FOpts.Err << "braskvalla-cli: " << FFile << ": " << Text << '\n'; }

    void BuildingHandled(const TImportOutcome& O) override {
        std::ostream& Out = *FOpts.Out;
        switch (O.Kind) {
        case TImportOutcomeKind::Stored: PrintStored(Out, O.FileID, O.StoredID); break;
        case TImportOutcomeKind::Replaced: Out << O.FileID << ": replaced\n"; break;
        case TImportOutcomeKind::Skipped:
            FAnyFailed |= PrintSkipped(Out, O.FileID, FPolicy == TPolicy::None, "building", FConflict);
            break;
        case TImportOutcomeKind::Cancelled: Out << O.FileID << ": skipped (import cancelled)\n"; break;
        case TImportOutcomeKind::Failed:
            Out << O.FileID << ": failed: " << O.Reason << '\n';
            FAnyFailed = true;
            FAnyDatabaseError |= O.DatabaseError;
            break;
        case TImportOutcomeKind::Unreadable:
            if (O.Count > 1)
                Out << "buildings " << O.Number << '-' << (int64_t{O.Number} + O.Count - 1);
            else
                Out << "building " << O.Number;
            Out << ": failed: " << O.Reason << '\n';
            FAnyFailed = true;
            break;
        }
        FConflict.clear();
    }

private:
    const Options& FOpts;
    TDatabase& FDb;
    std::string FFile;
    TPolicy FPolicy;
    std::string FConflict; // the existing building asked about for the current one
    bool FAnyFailed = false;
    bool FAnyDatabaseError = false;
};

int RunImport(const Options& Opts, const std::vector<std::string>& Args) {
    const TImportArgs A = ParseImportArgs("import", Args);
    BackupBeforeWriting(Opts);
    return WithDatabase(Opts, [&](TDataModuleBVDBConnect& Connection) {
        TDatabase& Db = Connection.ZConnectionBVDB();
        TDataModuleExportBuilding M(Db);
        TCliImport Cli(Opts, Db, A.File, A.Policy);
        const TImportResult R = ImportBuildingFile(M, A.File, Cli, Cli);
        return ImportExitCode(Cli.AnyDatabaseError(), R.Refused || Cli.AnyFailed());
    });
}

int RunExport(const Options& Opts, const std::vector<std::string>& Args) {
    const TExportArgs A = ParseExportArgs("export", Args);
    return WithDatabase(Opts, [&](TDataModuleBVDBConnect& Connection) {
        TDataModuleExportBuilding M(Connection.ZConnectionBVDB());
        return ReportExport(Opts, A.File, [&] { return ExportBuildings(M, A.IDs, A.File); });
    });
}

// ---------------------------------------------------------------------------
// Materials

class TCliMaterialImport : public IMaterialImportDialogs {
public:
    TCliMaterialImport(const Options& Opts, TDatabase& Db, const std::string& File, TPolicy Policy)
        : FOpts(Opts), FDb(Db), FFile(File), FPolicy(Policy) {}

    bool AnyFailed() const { return FAnyFailed; }

    TImportReply AskOverwrite(const TMaterial& Incoming) override {
        FConflict = true;
        return PolicyReply(FPolicy,
                           FPolicy == TPolicy::Rename ? FirstFreeMaterialID(FDb, Incoming.PMaterialID) : std::string());
    }

    void Warning(const std::string& Text) override { *FOpts.Err << "braskvalla-cli: " << FFile << ": " << Text << '\n'; }

    void MaterialHandled(const TMaterialOutcome& O) override {
        std::ostream& Out = *FOpts.Out;
        switch (O.Kind) {
        case TMaterialOutcomeKind::Inserted: PrintStored(Out, O.FileID, O.StoredID); break;
        case TMaterialOutcomeKind::Overwritten: Out << O.FileID << ": replaced\n"; break;
        case TMaterialOutcomeKind::Skipped:
            FAnyFailed |= PrintSkipped(Out, O.FileID, FPolicy == TPolicy::None && FConflict, "material", O.StoredID);
            break;
        case TMaterialOutcomeKind::Cancelled: Out << O.FileID << ": skipped (import cancelled)\n"; break;
        case TMaterialOutcomeKind::Failed:
            if (O.FileID.empty())
                Out << "material " << O.Number;
            else
                Out << O.FileID;
            Out << ": failed: " << O.Reason << '\n';
            FAnyFailed = true;
            break;
        }
        FConflict = false;
    }

private:
    const Options& FOpts;
    TDatabase& FDb;
    std::string FFile;
    TPolicy FPolicy;
    bool FConflict = false;
    bool FAnyFailed = false;
};

// The material manager works on a connection of its own to the database
// file; the commands do the same.
std::unique_ptr<TDatabase> MaterialConnection(TDataModuleBVDBConnect& Connection) {
    return TDatabase::Open(Connection.ZConnectionBVDB().Path());
}

int RunImportMaterials(const Options& Opts, const std::vector<std::string>& Args) {
    const TImportArgs A = ParseImportArgs("import-materials", Args);
    return WithDatabase(Opts, [&](TDataModuleBVDBConnect& Connection) {
        const std::unique_ptr<TDatabase> Db = MaterialConnection(Connection);
        TCliMaterialImport Cli(Opts, *Db, A.File, A.Policy);
        const TMaterialImportResult R = ImportMaterialFile(*Db, A.File, Cli);
        return ImportExitCode(R.StoppedByDatabase, R.Refused || R.Stopped || Cli.AnyFailed());
    });
}

int RunExportMaterials(const Options& Opts, const std::vector<std::string>& Args) {
    const TExportArgs A = ParseExportArgs("export-materials", Args);
    return WithDatabase(Opts, [&](TDataModuleBVDBConnect& Connection) {
        const std::unique_ptr<TDatabase> Db = MaterialConnection(Connection);
        return ReportExport(Opts, A.File, [&] { return ExportMaterials(*Db, A.IDs, A.File); });
    });
}

} // namespace

extern const Command ExportCommand;
extern const Command ImportCommand;
extern const Command ExportMaterialsCommand;
extern const Command ImportMaterialsCommand;

const Command ExportCommand = {"export", "[--] FILE ID...  write a building exchange file with these buildings",
                               RunExport};
const Command ImportCommand = {
    "import",
    "FILE [--on-conflict=replace|skip|rename|cancel]\n"
    "      import the buildings of an exchange file; one line per building. A taken\n"
    "      name is an error for that building unless --on-conflict says what to do\n"
    "      (rename: the first free \"ID (1)\", \"ID (2)\"...). Exit code 3 when the\n"
    "      file is refused or any building failed, 4 when the database refused\n"
    "      one; the others are still imported.",
    RunImport};
const Command ExportMaterialsCommand = {"export-materials",
                                        "[--] FILE ID...  write a material file with these materials",
                                        RunExportMaterials};
const Command ImportMaterialsCommand = {
    "import-materials",
    "FILE [--on-conflict=replace|skip|rename|cancel]\n"
    "      import the materials of a material file, names matched with exact case;\n"
    "      as import. A broken record (exit 3) or a database error (exit 4) stops\n"
    "      the import; the materials before it stay stored.",
    RunImportMaterials};

} // namespace cli
