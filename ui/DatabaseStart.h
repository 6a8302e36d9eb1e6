// What the application does with its database before it connects to it:
// the question on the first start, the check of the file, the restoring of
// a backup when it is damaged, and the start backup.
#pragma once

#include "data/UnitBackup.h"

#include <QString>

// Runs before the connection is made, in this order:
//  1. The data folder, or the database in it, does not exist: asks whether
//     to create it with the shipped data (as braskvalla-cli install-data);
//     Yes fills the folder, No goes on and the connection reports the
//     missing database as it always did. Nothing is created without Yes.
//  2. The database is checked (CheckDatabaseFile). A damaged file is not
//     opened: one question names it and offers the newest backup that
//     passes the check; Yes restores it (the damaged file is kept beside
//     it), No quits.
//  3. The start backup into the data folder's Backup folder, at most one an
//     hour (Now is the moment of the start); a failure is one warning, and
//     the start goes on.
// True when the start may go on to connect. False ends the start: Error
// says why, or is empty when the user chose to quit.
bool PrepareDatabaseAtStart(TBackupTime Now, QString& Error);
