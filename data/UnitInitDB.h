// Creating a new database: the schema and the predefined data shipped with
// the program (materials, archived constructions, windows and doors, climate
// profiles, default values, the template building "Default" and the example
// buildings, which are shipped calculated).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

class ECreateDatabase : public std::runtime_error {
public:
    enum TKind {
        FileExists, // the path is taken; nothing was touched
        FileError,  // the file could not be created or moved into place
        SqlError,   // a script failed, or one of its buildings could not be
                    // calculated (for the built-in ones a defect of the build)
    };
    ECreateDatabase(TKind Kind, const std::string& Msg) : std::runtime_error(Msg), FKind(Kind) {}
    TKind Kind() const { return FKind; }

private:
    TKind FKind;
};

struct TSqlScript {
    std::string Name; // "schema", "materials", ...
    std::string Text;
};

// The built-in scripts in the order they run; the first is the schema.
const std::vector<TSqlScript>& ShippedSqlScripts();

// The schema alone: every table, no rows.
const std::string& SchemaSql();

// Creates the database file Path with the schema and all predefined data,
// in one transaction, then calculates every building but the template
// through the building data module, so that the example buildings hold the
// results the calculation stores. Refuses a path that exists (file, folder
// or link). The file appears complete or not at all: it is built under a
// temporary name in the same folder and moved to Path only when every script
// has run and every building is calculated; on any failure the temporary
// file is removed and ECreateDatabase says why.
void CreateDatabase(const std::string& Path);

// The same with other scripts in place of the built-in ones (for tests and
// tools that need a database with rows of their own); their buildings too
// are calculated, all but the one named "Default".
void CreateDatabase(const std::string& Path, const std::vector<TSqlScript>& Scripts);
