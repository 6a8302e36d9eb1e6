// Importing the buildings of an exchange file into the database, with the
// question about buildings whose name is already taken.
//
// Each building of the file is read, then stored when its ID is new. When a
// building with the same ID (letter case ignored) exists, the current answer
// decides: ask the user, replace (yes, yes to all), keep the existing one
// (no, no to all), give the incoming building another ID (rename, then the
// new ID is checked again) or store nothing more (cancel). Yes and no hold
// for one building, the "to all" answers and cancel for the rest of the
// import.
//
// Every stored building lands whole or not at all, and a replacement
// deletes the old building and stores the new one in one transaction, so a
// replacement that fails keeps the old building. A building that cannot be
// read is reported and the other buildings of the file are still imported.
// Records beyond the buildings the file announces are not read; the user is
// told how many, in one warning.
// A file whose first record cannot be read, or whose version is newer than
// this program reads, is refused before anything is stored.
#pragma once

#include "exchange/ImportCommon.h"
#include "exchange/UnitExportData.h"
#include "exchange/UnitExportImport.h"
#include "exchange/UnitImportNotifier.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The warnings of the import, fixed texts followed by the building's ID
// where they name one.
inline constexpr const char* SImportReadFailed = "Misslyckades med att läsa en eller fler byggnader från fil.";
inline constexpr const char* SImportStoreFailed = "Misslyckades med att importera ";
inline constexpr const char* SImportDeleteFailed = "Misslyckades med att ta bort ";

// TImportAnswer and TImportReply, the answer to the question about an
// existing building or material: exchange/ImportCommon.h.

// What the import asks and tells: the dialogs implement it, and so does the
// command-line tool.
class IImportDialogs {
public:
    virtual ~IImportDialogs() = default;
    // The incoming building's ID is taken by ExistingID (the name as the
    // database holds it). Closing the question without an answer (Ask)
    // asks again.
    virtual TImportReply AskReplace(const std::string& ExistingID, const TExpBuilding2& Incoming) = 0;
    // A warning with one OK button.
    virtual void Warning(const std::string& Text) = 0;
};

enum class TImportOutcomeKind {
    Stored,     // under StoredID, which differs from FileID after a rename
    Replaced,   // the existing building StoredID was replaced
    Skipped,    // the existing building was kept
    Cancelled,  // read after the import was cancelled: not stored
    Failed,     // could not be stored (or the old one not deleted); Reason says why
    Unreadable, // could not be read from the file; Reason says why
};

struct TImportOutcome {
    int Number = 0; // 1-based position of the building in the file
    int Count = 1;  // Unreadable: the file ended before this many announced buildings
    TImportOutcomeKind Kind = TImportOutcomeKind::Stored;
    std::string FileID;   // the ID in the file ("" when unreadable)
    std::string StoredID; // the ID the building was stored or looked up under
    std::string Reason;
    // Failed: the database refused it (EDatabaseError), rather than the
    // building itself.
    bool DatabaseError = false;
};

struct TImportResult {
    // The file was refused as a whole (it could not be read, its first
    // record is broken, or its version is too new); nothing was stored.
    bool Refused = false;
    std::string Error;    // the message then
    int Announced = 0;    // the number of buildings the file announces
    bool Aborted = false; // the user stopped the import before its end
    bool ReadFailed = false; // a building could not be read
    // Records the file holds beyond the buildings it announces; not read,
    // and told in one warning (UnreadRecordsWarning).
    int64_t UnreadRecords = 0;
    std::vector<TImportOutcome> Outcomes;

    int CountOf(TImportOutcomeKind Kind) const;
};

// Imports the file at Path (or its bytes) into the database of M. What
// went wrong with single buildings is in the result; an exception raised by
// Dialogs or Notifier ends the import and passes on, after Finish.
TImportResult ImportBuildingFile(TDataModuleExportBuilding& M, const std::string& Path,
                                 IImportDialogs& Dialogs, IImportNotifier& Notifier);
TImportResult ImportBuildings(TDataModuleExportBuilding& M, std::span<const uint8_t> Bytes,
                              IImportDialogs& Dialogs, IImportNotifier& Notifier);

// FindBuilding and FirstFreeBuildingID: exchange/UnitExportData.h.
