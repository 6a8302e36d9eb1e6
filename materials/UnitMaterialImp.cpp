#include "materials/UnitMaterialImp.h"

#include "db/Dataset.h"
#include "db/FileIO.h"
#include "materials/UnitMaterialExp.h"

#include <exception>
#include <optional>

int TMaterialImportResult::CountOf(TMaterialOutcomeKind Kind) const {
    int N = 0;
    for (const TMaterialOutcome& O : Outcomes)
        N += O.Kind == Kind ? 1 : 0;
    return N;
}

bool MaterialExists(TDatabase& Db, const std::string& ID) {
    // The key column compares with exact case.
    TStatement St = Db.Prepare("SELECT 1 FROM LayersPreDef WHERE ID = ?1 COLLATE BINARY LIMIT 1");
    St.Bind(1, ID);
    return St.Step();
}

std::string FirstFreeMaterialID(TDatabase& Db, const std::string& ID) {
    for (int K = 1;; ++K) {
        std::string Candidate = ID + " (" + std::to_string(K) + ")";
        if (!MaterialExists(Db, Candidate))
            return Candidate;
    }
}

namespace {

class TMaterialImporter {
public:
    TMaterialImporter(TDatabase& Db, IMaterialImportDialogs& Dialogs)
        : FDb(Db), FDialogs(Dialogs), FTable(Db, "LayersPreDef") {}

    TMaterialImportResult Run(std::span<const uint8_t> Bytes);

private:
    // Appends the material, or overwrites the current row, in one transaction.
    void Store(const TMaterial& M, bool Overwrite);
    bool Locate(const std::string& ID) { return FTable.Locate({"ID"}, {ID}, TLocateOptions{true}); }
    void Report(TMaterialImportResult& R, TMaterialOutcome Out);
    void Stop(TMaterialImportResult& R, TMaterialOutcome Out, const std::exception& Cause);

    TDatabase& FDb;
    IMaterialImportDialogs& FDialogs;
    TDataset FTable;
};

void TMaterialImporter::Report(TMaterialImportResult& R, TMaterialOutcome Out) {
    FDialogs.MaterialHandled(Out);
    R.Outcomes.push_back(std::move(Out));
}

void TMaterialImporter::Stop(TMaterialImportResult& R, TMaterialOutcome Out, const std::exception& Cause) {
    R.Stopped = true;
    R.Error = Cause.what();
    R.StoppedByDatabase = dynamic_cast<const EDatabaseError*>(&Cause) != nullptr;
    Out.Kind = TMaterialOutcomeKind::Failed;
    Out.Reason = R.Error;
    Out.DatabaseError = R.StoppedByDatabase;
    Report(R, std::move(Out));
    FDialogs.Warning(R.Error);
}

void TMaterialImporter::Store(const TMaterial& M, bool Overwrite) {
    try {
        TDatabase::TTransaction Tx(FDb);
        if (Overwrite)
            FTable.Edit();
        else
            FTable.Append();
        StoreMaterialColumns(FTable, M);
        FTable.Post();
        Tx.Commit();
    } catch (...) {
        // Rolled back: the view must not keep the row it was given.
        try {
            FTable.Cancel();
            FTable.Refresh();
        } catch (const std::exception&) {
            // The failure itself is reported.
        }
        throw;
    }
}

TMaterialImportResult TMaterialImporter::Run(std::span<const uint8_t> Bytes) {
    TMaterialImportResult R;
    std::optional<TMaterialFileReader> Reader;
    try {
        Reader.emplace(Bytes);
    } catch (const EStreamError& E) {
        return RefusedImport<TMaterialImportResult>(FDialogs, E.what());
    }
    R.Announced = Reader->NItems();
    FTable.SetOrderBy("ID");
    FTable.Open();
    TConflictAnswer Conflict(TConflictAnswer::SkipItem);
    for (int N = 1;; ++N) {
        TMaterialOutcome Out;
        Out.Number = N;
        TMaterial M;
        try {
            if (!Reader->Next(M))
                break;
        } catch (const EStreamError& E) {
            Stop(R, std::move(Out), E);
            return R;
        }
        Out.FileID = M.PMaterialID;
        try {
            const TConflictAction Action = Conflict.Decide(
                [&] { return Locate(M.PMaterialID); }, [&] { return FDialogs.AskOverwrite(M); },
                [&](const std::string& Name) { M.PMaterialID = Name; });
            Out.StoredID = M.PMaterialID;
            switch (Action) {
            case TConflictAction::Store:
                Store(M, false);
                Out.Kind = TMaterialOutcomeKind::Inserted;
                break;
            case TConflictAction::Replace:
                Store(M, true);
                Out.Kind = TMaterialOutcomeKind::Overwritten;
                break;
            case TConflictAction::Skip: Out.Kind = TMaterialOutcomeKind::Skipped; break;
            case TConflictAction::Cancel: Out.Kind = TMaterialOutcomeKind::Cancelled; break;
            }
        } catch (const std::exception& E) {
            Out.StoredID = M.PMaterialID;
            Stop(R, std::move(Out), E);
            return R;
        }
        const bool Cancelled = Out.Kind == TMaterialOutcomeKind::Cancelled;
        Report(R, std::move(Out));
        if (Cancelled) {
            R.Cancelled = true;
            return R;
        }
    }
    R.UnreadRecords = Reader->UnreadRecords();
    if (R.UnreadRecords > 0)
        FDialogs.Warning(UnreadRecordsWarning(R.UnreadRecords));
    return R;
}

} // namespace

TMaterialImportResult ImportMaterials(TDatabase& Db, std::span<const uint8_t> Bytes, IMaterialImportDialogs& Dialogs) {
    return TMaterialImporter(Db, Dialogs).Run(Bytes);
}

TMaterialImportResult ImportMaterialFile(TDatabase& Db, const std::string& Path, IMaterialImportDialogs& Dialogs) {
    std::vector<uint8_t> Bytes;
    try {
        Bytes = ReadFileBytes(Path);
    } catch (const EFileError& E) {
        return RefusedImport<TMaterialImportResult>(Dialogs, E.what());
    }
    return ImportMaterials(Db, Bytes, Dialogs);
}
