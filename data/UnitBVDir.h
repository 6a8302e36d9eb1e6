// The data folder: where the database, the connection file, the migration
// script, the language files and the report layout live.
#pragma once

#include <string>

// The data folder with a trailing separator: $BRASKVALLA_DATA_DIR when set;
// otherwise on Linux $XDG_DATA_HOME/Kallbacka Teknik/Braskvalla/ (default
// ~/.local/share/...), on Windows the common application-data folder +
// "Kallbacka Teknik\Braskvalla\". The folder need not exist; nothing here
// creates it.
std::string GetDataFolder();

// The platform's path separator, '/' or '\\'.
char PathSeparator();
