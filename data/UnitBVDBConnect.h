// The connection module: the one database connection of the system, shared
// by every data module. Created once at start-up, before the other modules.
#pragma once

#include "db/Database.h"

#include <memory>
#include <string>
#include <vector>

class TDataModuleBVDBConnect {
public:
    // Connects as the application does at start-up, in this order:
    //  1. ZConnectionBVDBBeforeConnect chooses the path (connection file;
    //     one that cannot be read raises EDatabaseError naming it);
    //  2. the database at that path is opened (never created: a missing or
    //     broken file raises EDatabaseError naming the path);
    //  3. ZConnectionBVDBAfterConnect runs a pending migration script;
    //  4. the tables of the schema are checked: a database that lacks one
    //     raises EDatabaseError naming the path and the missing tables.
    TDataModuleBVDBConnect();

    // Opens the database file Path directly: no connection file, no
    // migration script; the tables are checked as above.
    static std::unique_ptr<TDataModuleBVDBConnect> OpenFile(const std::string& Path);

    TDataModuleBVDBConnect(const TDataModuleBVDBConnect&) = delete;
    TDataModuleBVDBConnect& operator=(const TDataModuleBVDBConnect&) = delete;

    // The connection, open for the life of the module.
    TDatabase& ZConnectionBVDB() const { return *FConnection; }
    // The path the connection was opened with.
    const std::string& DatabasePath() const { return FDatabasePath; }
    // The failure of the migration script at this start ("" when there was
    // none, or it ran). The script then stays in place for the next start.
    const std::string& MigrationError() const { return FMigrationError; }
    // What the user must do about a migration script that ran (at this
    // start or an earlier one) but can be neither removed nor renamed:
    // it names the file and the cause and says that the script will not be
    // run again ("" when there is nothing to do). Shown like MigrationError.
    const std::string& MigrationNotice() const { return FMigrationNotice; }

    // The path used when the connection file can be neither read nor
    // written: the data folder + "bvdb.s3db".
    static std::string DesignTimeDefaultPath();
    // The database the connection would open, read from the connection
    // file as ZConnectionBVDBBeforeConnect reads it, but without creating
    // that file: the checks before the connection look at this path. Raises
    // EDatabaseError as ZConnectionBVDBBeforeConnect does.
    static std::string ConfiguredDatabasePath();
    // The tables the system opens; each must exist in the database.
    static const std::vector<std::string>& SchemaTables();

    // Chooses the database path: the first line of the data folder's
    // "dbconnection". When the file is missing it is created holding the
    // default path; when it cannot be created (no data folder, a folder
    // that cannot be written), and when the file is empty or its first line
    // is, the path stays as it was. A connection file that exists but
    // cannot be read (a folder of that name, no permission, a link to
    // nothing) raises EDatabaseError naming it: it names the database the
    // user chose, and the default one would show other buildings.
    void ZConnectionBVDBBeforeConnect();
    // Runs the data folder's "RunAndRemove.sql", if there is one, in one
    // transaction, which also records its checksum in the table
    // "AppliedScripts"; after the commit the script is removed, or renamed
    // to "RunAndRemove.sql.done" when it cannot be removed. A script whose
    // checksum is recorded has run already: it is not run again, only taken
    // away; when neither works, MigrationNotice says so. A failing script is
    // rolled back and kept for the next start; its error is kept in
    // MigrationError.
    void ZConnectionBVDBAfterConnect();

private:
    struct TDirect {};
    TDataModuleBVDBConnect(TDirect, std::string Path);
    void CheckSchema() const;

    std::string FDatabasePath;
    std::unique_ptr<TDatabase> FConnection;
    std::string FMigrationError;
    std::string FMigrationNotice;
};
