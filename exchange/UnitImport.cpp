#include "exchange/UnitImport.h"

#include "db/FileIO.h"
#include "exchange/UnitBuildingFile.h"

#include <algorithm>
#include <exception>

int TImportResult::CountOf(TImportOutcomeKind Kind) const {
    int N = 0;
    for (const TImportOutcome& O : Outcomes)
        if (O.Kind == Kind)
            N += O.Count;
    return N;
}

namespace {

class TImporter {
public:
    TImporter(TDataModuleExportBuilding& M, IImportDialogs& Dialogs, IImportNotifier& Notifier)
        : FM(M), FDialogs(Dialogs), FNotifier(Notifier) {}

    TImportResult Run(std::span<const uint8_t> Bytes);

private:
    void StoreWithConflictHandling(TExpBuilding2& B, TImportOutcome& Out);
    void Replace(TExpBuilding2& B, const TFoundBuilding& Existing, TImportOutcome& Out);
    void Fail(TImportOutcome& Out, const std::string& Warning, const std::exception& Cause);
    void Report(TImportResult& R, TImportOutcome Out);

    TDataModuleExportBuilding& FM;
    IImportDialogs& FDialogs;
    IImportNotifier& FNotifier;
    TConflictAnswer FConflict{TConflictAnswer::AskAgain};
};

void TImporter::Report(TImportResult& R, TImportOutcome Out) {
    FNotifier.BuildingHandled(Out);
    R.Outcomes.push_back(std::move(Out));
}

void TImporter::Fail(TImportOutcome& Out, const std::string& Warning, const std::exception& Cause) {
    Out.Kind = TImportOutcomeKind::Failed;
    Out.Reason = Cause.what();
    Out.DatabaseError = dynamic_cast<const EDatabaseError*>(&Cause) != nullptr;
    FDialogs.Warning(Warning);
}

TImportResult TImporter::Run(std::span<const uint8_t> Bytes) {
    TImportResult R;
    std::optional<TBuildingFileReader> Reader;
    try {
        Reader.emplace(Bytes);
    } catch (const EStreamError& E) {
        // Not a building file, a broken first record or a newer version:
        // refused before anything is shown or stored.
        return RefusedImport<TImportResult>(FDialogs, E.what());
    }
    R.Announced = Reader->NBuildings();
    // The views must show what the database holds: a replacement deletes
    // through them.
    FM.RefreshAll();
    FNotifier.Start(R.Announced);
    try {
        int64_t I = 1; // a file may announce up to INT32_MAX buildings
        TReadBuilding Read;
        while (I <= R.Announced) {
            FNotifier.ProcessEvents();
            FNotifier.SetPosition(static_cast<int>(I));
            if (FNotifier.AbortRequested()) {
                R.Aborted = true;
                break;
            }
            if (!Reader->Next(Read))
                break;
            I = int64_t{Read.Number} + Read.Count;
            TImportOutcome Out;
            Out.Number = Read.Number;
            Out.Count = Read.Count;
            if (!Read.Building) {
                R.ReadFailed = true;
                Out.Kind = TImportOutcomeKind::Unreadable;
                Out.Reason = Read.Error;
                if (Read.Count > 1)
                    FNotifier.SetPosition(R.Announced);
                Report(R, std::move(Out));
                continue;
            }
            TExpBuilding2& B = *Read.Building;
            Out.FileID = B.GetBuildingID();
            FNotifier.SetTexts(ImportProgressTitle(Read.Number, R.Announced), ImportProgressMessage(Out.FileID));
            FNotifier.ProcessEvents();
            StoreWithConflictHandling(B, Out);
            Report(R, std::move(Out));
            Read.Building.reset();
        }
    } catch (...) {
        // What the dialogs raise ends the import; the progress closes.
        FNotifier.Finish();
        throw;
    }
    if (R.ReadFailed)
        FDialogs.Warning(SImportReadFailed);
    if (!R.Aborted) {
        R.UnreadRecords = Reader->UnreadRecords();
        if (R.UnreadRecords > 0)
            FDialogs.Warning(UnreadRecordsWarning(R.UnreadRecords));
    }
    FNotifier.Finish();
    return R;
}

void TImporter::StoreWithConflictHandling(TExpBuilding2& B, TImportOutcome& Out) {
    std::optional<TFoundBuilding> Existing;
    bool Asking = false;
    TConflictAction Action = TConflictAction::Skip;
    try {
        Action = FConflict.Decide(
            [&] {
                Existing = FindBuilding(FM.Database(), B.GetBuildingID());
                return Existing.has_value();
            },
            [&] {
                Asking = true;
                TImportReply Reply = FDialogs.AskReplace(Existing->ID, B);
                Asking = false;
                return Reply;
            },
            [&](const std::string& Name) { B.RenameBuilding(Name); });
        Out.StoredID = B.GetBuildingID();
        if (Action == TConflictAction::Store) {
            B.StoreToDatabase(FM);
            Out.Kind = TImportOutcomeKind::Stored;
            return;
        }
    } catch (const std::exception& E) {
        // What the question raises ends the import; a failing look-up or
        // store is this building's failure.
        if (Asking)
            throw;
        Out.StoredID = B.GetBuildingID();
        Fail(Out, SImportStoreFailed + B.GetBuildingID(), E);
        return;
    }
    switch (Action) {
    case TConflictAction::Replace: Replace(B, *Existing, Out); break;
    case TConflictAction::Skip:
        Out.Kind = TImportOutcomeKind::Skipped;
        Out.StoredID = Existing->ID;
        break;
    case TConflictAction::Cancel: Out.Kind = TImportOutcomeKind::Cancelled; break;
    case TConflictAction::Store: break;
    }
}

void TImporter::Replace(TExpBuilding2& B, const TFoundBuilding& Existing, TImportOutcome& Out) {
    Out.StoredID = B.GetBuildingID();
    bool Deleting = true;
    try {
        // The views stand on the existing building's row; they follow the
        // database unless something else changed it meanwhile.
        TDataset& T = FM.TableBuildings;
        T.GotoBookmark(TBookmark{Existing.RowId, 0, true});
        if (T.IsEmpty() || T.RowId() != Existing.RowId) {
            FM.RefreshAll();
            T.GotoBookmark(TBookmark{Existing.RowId, 0, true});
            if (T.IsEmpty() || T.RowId() != Existing.RowId)
                throw EExchangeError("The building " + Existing.ID + " is no longer in the database");
        }
        TDatabase::TTransaction Tx(FM.Database());
        FM.DeleteCurrentBuilding();
        Deleting = false;
        B.StoreToDatabase(FM);
        Tx.Commit();
        Out.Kind = TImportOutcomeKind::Replaced;
    } catch (const std::exception& E) {
        // Rolled back: the old building is in place again, which the views
        // do not show yet.
        try {
            FM.RefreshAll();
        } catch (const std::exception&) {
            // The failure itself is what the user is told about.
        }
        Fail(Out, (Deleting ? SImportDeleteFailed : SImportStoreFailed) + B.GetBuildingID(), E);
    }
}

} // namespace

TImportResult ImportBuildings(TDataModuleExportBuilding& M, std::span<const uint8_t> Bytes,
                              IImportDialogs& Dialogs, IImportNotifier& Notifier) {
    return TImporter(M, Dialogs, Notifier).Run(Bytes);
}

TImportResult ImportBuildingFile(TDataModuleExportBuilding& M, const std::string& Path,
                                 IImportDialogs& Dialogs, IImportNotifier& Notifier) {
    std::vector<uint8_t> Bytes;
    try {
        Bytes = ReadFileBytes(Path);
    } catch (const EFileError& E) {
        return RefusedImport<TImportResult>(Dialogs, E.what());
    }
    return ImportBuildings(M, Bytes, Dialogs, Notifier);
}
