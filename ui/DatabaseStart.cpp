#include "ui/DatabaseStart.h"

#include "cli/InstallData.h"
#include "data/UnitBVDBConnect.h"
#include "data/UnitBVDir.h"
#include "db/Database.h"
#include "ui/MessageBox.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

QString Native(const std::string& Path) { return QString::fromStdString(Path); }

bool PathTaken(const fs::path& Path) {
    std::error_code Ec;
    const fs::file_status St = fs::symlink_status(Path, Ec);
    return !Ec && St.type() != fs::file_type::not_found;
}

bool SamePath(const std::string& A, const std::string& B) {
    return fs::path(A).lexically_normal() == fs::path(B).lexically_normal();
}

// Step 1. False, with Error, when filling the folder failed.
bool OfferFirstStart(QString& Error) {
    const std::string Folder = GetDataFolder();
    QString Question;
    if (!PathTaken(fs::path(Folder))) {
        Question = QStringLiteral("Datamappen %1 finns inte.\n\nVill du skapa den nu med databasen och de filer som "
                                  "levereras med Braskvalla?\n\nNej avslutar Braskvalla.")
                       .arg(Native(Folder));
    } else {
        std::string Database;
        try {
            Database = TDataModuleBVDBConnect::ConfiguredDatabasePath();
        } catch (const EDatabaseError&) {
            return true; // the connection names the connection file and the cause
        }
        // Only the data folder's own database is made; one the connection
        // file names elsewhere may lie on a share that is not there now.
        if (PathTaken(fs::path(Database)) || !SamePath(Database, TDataModuleBVDBConnect::DesignTimeDefaultPath())) {
            return true;
        }
        Question = QStringLiteral("Databasen %1 finns inte.\n\nVill du skapa den nu med de data som levereras med "
                                  "Braskvalla?\n\nNej avslutar Braskvalla.")
                       .arg(Native(Database));
    }
    if (TMessageBox::Ask(nullptr, Question) != TMessageBox::Yes) {
        return true;
    }
    try {
        cli::InstallData(Folder, [](const std::string&) {});
    } catch (const cli::EInstall& E) {
        Error = QStringLiteral("Braskvalla kunde inte skapa datamappen %1:\n%2").arg(Native(Folder), QString::fromUtf8(E.what()));
        return false;
    }
    return true;
}

// Step 2 for a damaged database. False ends the start.
bool OfferRestore(const std::string& Database, const TDatabaseCheck& Check, TBackupTime Now, QString& Error) {
    const std::string Folder = BackupFolderOf(GetDataFolder());
    const std::optional<TBackupFile> Backup = NewestSoundBackup(Folder);
    if (!Backup) {
        Error = QStringLiteral("Databasen %1 är skadad och öppnas inte:\n%2\n\nI %3 finns ingen säkerhetskopia som "
                               "klarar kontrollen.\n\nFlytta undan den skadade filen och skapa en ny databas med\n"
                               "    braskvalla-cli install-data\neller återställ en annan kopia med\n"
                               "    braskvalla-cli restore FIL\noch starta Braskvalla igen.")
                    .arg(Native(Database), Native(Check.Problem), Native(Folder));
        return false;
    }
    const QString Question =
        QStringLiteral("Databasen %1 är skadad och öppnas inte:\n%2\n\nVill du återställa den senaste "
                       "säkerhetskopian som klarar kontrollen?\n    %3\nDen skadade filen tas inte bort utan "
                       "behålls bredvid under ett nytt namn.\n\nNej avslutar Braskvalla.")
            .arg(Native(Database), Native(Check.Problem), Native(Backup->Path));
    if (TMessageBox::Ask(nullptr, Question, TMessageBox::Warning) != TMessageBox::Yes) {
        Error.clear();
        return false;
    }
    try {
        const TRestore R = RestoreDatabase(Backup->Path, Database, Now);
        TMessageBox::Inform(nullptr,
                            QStringLiteral("Databasen %1 har återställts från säkerhetskopian\n    %2\nDet som "
                                           "ändrats efter säkerhetskopian finns inte med.\n\nDen skadade filen "
                                           "finns kvar som\n    %3")
                                .arg(Native(Database), Native(Backup->Path), Native(R.KeptAs)),
                            TMessageBox::Information);
    } catch (const EBackupError& E) {
        Error = QStringLiteral("Säkerhetskopian %1 kunde inte återställas:\n%2")
                    .arg(Native(Backup->Path), QString::fromUtf8(E.what()));
        return false;
    }
    return true;
}

} // namespace

bool PrepareDatabaseAtStart(TBackupTime Now, QString& Error) {
    if (!OfferFirstStart(Error)) {
        return false;
    }
    std::string Database;
    try {
        Database = TDataModuleBVDBConnect::ConfiguredDatabasePath();
    } catch (const EDatabaseError&) {
        return true;
    }
    const TDatabaseCheck Check = CheckDatabaseFile(Database);
    if (Check.State == TDatabaseCheck::Damaged) {
        if (!OfferRestore(Database, Check, Now, Error)) {
            return false;
        }
    } else if (Check.State != TDatabaseCheck::Sound) {
        // Missing or not readable: the connection says so, as it always did.
        return true;
    }
    try {
        BackupIntoFolder(Database, BackupFolderOf(GetDataFolder()), Now);
    } catch (const EBackupError& E) {
        TMessageBox::Inform(nullptr, QStringLiteral("Databasen kunde inte säkerhetskopieras:\n%1\n\nBraskvalla "
                                                    "fortsätter utan ny säkerhetskopia.")
                                         .arg(QString::fromUtf8(E.what())));
    }
    return true;
}
