// Importing a material file into the material archive (LayersPreDef), with
// the question about materials whose name exists already. Material names
// are matched with exact letter case: a name that differs from an existing
// one only in case is a new material.
//
// A new name is inserted. For a taken name the current answer decides:
// ask, overwrite the existing row (yes, yes to all), keep it (no, no to
// all), give the incoming material another name (rename; the new name is
// checked again) or stop the import (cancel). Closing the question without
// an answer skips that material only. Each material is stored in one
// transaction. A broken record or a database error stops the import with
// its message; the materials handled before stay stored. Records beyond the
// materials the file announces are not read; the user is told how many, in
// one warning.
#pragma once

#include "db/Database.h"
#include "exchange/ImportCommon.h"
#include "materials/UnitMaterialObj.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class TMaterialOutcomeKind {
    Inserted,    // under StoredID, which differs from FileID after a rename
    Overwritten, // the existing row StoredID now holds the incoming values
    Skipped,     // the existing row was kept
    Cancelled,   // the import was cancelled at this material
    Failed,      // could not be read or stored; the import stopped. Reason says why
};

struct TMaterialOutcome {
    int Number = 0; // 1-based position of the material in the file
    TMaterialOutcomeKind Kind = TMaterialOutcomeKind::Inserted;
    std::string FileID;
    std::string StoredID;
    std::string Reason;
    // Failed: the database refused it (EDatabaseError), rather than the
    // file holding a broken record.
    bool DatabaseError = false;
};

// What the material import asks and tells: the question window and the
// warnings implement it, and so does the command-line tool.
class IMaterialImportDialogs {
public:
    virtual ~IMaterialImportDialogs() = default;
    // A material named Incoming.PMaterialID exists. Ask (the question
    // closed without an answer) skips the material.
    virtual TImportReply AskOverwrite(const TMaterial& Incoming) = 0;
    // A warning with one OK button.
    virtual void Warning(const std::string& Text) = 0;
    // What became of one material of the file.
    virtual void MaterialHandled(const TMaterialOutcome& Outcome) { (void)Outcome; }
};

struct TMaterialImportResult {
    // The file was refused as a whole (unreadable header, another version);
    // nothing was stored.
    bool Refused = false;
    // A broken record or a database error stopped the import.
    bool Stopped = false;
    bool StoppedByDatabase = false; // a database error it was
    bool Cancelled = false;
    std::string Error; // the message when refused or stopped
    int Announced = 0;
    // Records the file holds beyond the materials it announces; not read,
    // and told in one warning (UnreadRecordsWarning).
    int64_t UnreadRecords = 0;
    std::vector<TMaterialOutcome> Outcomes;

    int CountOf(TMaterialOutcomeKind Kind) const;
};

// Imports the material file at Path (or its bytes) through Db, the
// connection of the material manager.
TMaterialImportResult ImportMaterialFile(TDatabase& Db, const std::string& Path, IMaterialImportDialogs& Dialogs);
TMaterialImportResult ImportMaterials(TDatabase& Db, std::span<const uint8_t> Bytes, IMaterialImportDialogs& Dialogs);

// True when a material has exactly this name.
bool MaterialExists(TDatabase& Db, const std::string& ID);
// The first of "ID (1)", "ID (2)", ... that no material has.
std::string FirstFreeMaterialID(TDatabase& Db, const std::string& ID);
