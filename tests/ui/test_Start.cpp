// The start of the application with its database: the question on the first
// start, a damaged database and the offer to restore a backup, and the
// start backup with its hourly rule, its ten kept and its warning.
#include "GuiTestSupport.h"

#include "data/UnitBVDir.h"
#include "data/UnitBackup.h"
#include "tests/DamagedDatabase.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

using namespace bvtest;
using namespace std::chrono_literals;

namespace {

const TBackupTime T0 = std::chrono::system_clock::from_time_t(1709625600);

struct TStart {
    bool Started = false;
    QString Error;
    QStringList Shown; // the messages and questions of the start
};

// Starts the application at the moment Now, the question of the start
// answered with Answer; Then sees the started application.
TStart StartAt(TBackupTime Now, std::optional<TMessageBox::TAnswer> Answer = std::nullopt,
               const std::function<void(TBraskvalla&)>& Then = {}) {
    TMessageBox::ClearShown();
    if (Answer) {
        TMessageBox::SetNextAnswer(*Answer);
    }
    TBraskvalla App;
    App.SetClock([Now] { return Now; });
    TStart S;
    S.Started = App.Start(S.Error);
    S.Shown = TMessageBox::Shown();
    if (S.Started && Then) {
        App.Main().show();
        QApplication::processEvents();
        Then(App);
    }
    return S;
}

std::string BackupFolder() { return BackupFolderOf(GetDataFolder()); }

std::vector<std::string> BackupNames() {
    std::vector<std::string> Names;
    for (const TBackupFile& B : ListBackups(BackupFolder())) {
        Names.push_back(fs::path(B.Path).filename().string());
    }
    return Names;
}

std::string BuildingIDs(const std::string& Db) {
    TStatement St = TDatabase::Open(Db)->Prepare("SELECT group_concat(ID, ', ') FROM (SELECT ID FROM Buildings ORDER BY ID)");
    St.Step();
    return std::get<std::string>(St.Column(0));
}

std::string Bytes(const fs::path& P) {
    std::ifstream In(P, std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

std::vector<std::string> FolderEntries(const fs::path& P) {
    std::vector<std::string> Names;
    for (const auto& E : fs::directory_iterator(P)) {
        Names.push_back(E.path().filename().string());
    }
    std::sort(Names.begin(), Names.end());
    return Names;
}

bool Mentions(const QString& Text, const std::string& What) { return Text.contains(QString::fromStdString(What)); }

class TestStart : public QObject {
    Q_OBJECT
private slots:
    void TenStartsKeepTenBackupsAndTheEleventhRemovesTheOldest() {
        TTempDataFolder Folder;
        CreateDatabase(Folder.Database(), ArchiveScripts());
        std::vector<std::string> Made;
        for (int Start = 0; Start < 11; ++Start) {
            const TBackupTime Now = T0 + Start * 2h;
            const TStart S = StartAt(Now);
            QVERIFY2(S.Started, qPrintable(S.Error));
            QCOMPARE(S.Shown, QStringList());
            Made.insert(Made.begin(), BackupFileName(Now));
            if (Made.size() > 10) {
                Made.pop_back();
            }
            QCOMPARE(BackupNames(), Made);
        }
        QCOMPARE(BuildingIDs(BackupFolder() + Made.front()), BuildingIDs(Folder.Database()));
    }

    void TwoStartsWithinTheHourMakeOneBackup() {
        TTempDataFolder Folder;
        CreateDatabase(Folder.Database(), ArchiveScripts());
        QVERIFY(StartAt(T0).Started);
        QVERIFY(StartAt(T0 + 59min).Started);
        QCOMPARE(BackupNames(), std::vector<std::string>{BackupFileName(T0)});
    }

    void ABackupThatCannotBeWrittenWarnsOnceAndTheStartGoesOn() {
        TTempDataFolder Folder;
        CreateDatabase(Folder.Database(), ArchiveScripts());
        // A file where the folder should be stops root as well.
        std::ofstream(Folder.Folder / "Backup") << "not a folder";
        bool Working = false;
        const TStart S = StartAt(T0, std::nullopt, [&](TBraskvalla& App) {
            Working = App.Main().isVisible() && App.BuildingData().TableBuildings().FieldByName("ID").AsString() ==
                                                    App.BuildingData().TemplateBuildingName();
        });
        QVERIFY2(S.Started, qPrintable(S.Error));
        QVERIFY(Working);
        QCOMPARE(S.Shown.size(), 1);
        QVERIFY2(S.Shown.front().startsWith(QStringLiteral("Databasen kunde inte säkerhetskopieras:")),
                 qPrintable(S.Shown.front()));
        QVERIFY2(Mentions(S.Shown.front(), (Folder.Folder / "Backup").string()), qPrintable(S.Shown.front()));
        QCOMPARE(Bytes(Folder.Folder / "Backup"), std::string("not a folder"));
    }

    void ADamagedDatabaseOffersTheNewestSoundBackup_data() {
        QTest::addColumn<bool>("Restore");
        QTest::newRow("restore") << true;
        QTest::newRow("quit") << false;
    }
    void ADamagedDatabaseOffersTheNewestSoundBackup() {
        QFETCH(bool, Restore);
        TTempDataFolder Folder;
        const std::string Db = Folder.Database();
        CreateDatabase(Db, ArchiveScripts());
        TDatabase::Open(Db)->Exec("INSERT INTO Buildings (ID) VALUES ('Mitt hus')");
        QVERIFY(StartAt(T0).Started);
        const std::string Sound = BackupFolder() + BackupFileName(T0);
        TDatabase::Open(Db)->Exec("INSERT INTO Buildings (ID) VALUES ('Efter kopian')");
        DamagePageOf(Db, "Buildings");
        // A newer backup that is damaged as well is passed over.
        fs::copy_file(Db, BackupFolder() + BackupFileName(T0 + 1h));
        const std::string Damaged = Bytes(Db);

        const TStart S = StartAt(T0 + 2h, Restore ? TMessageBox::Yes : TMessageBox::No);
        QVERIFY(!S.Shown.isEmpty());
        const QString Question = S.Shown.front();
        QVERIFY2(Question.startsWith(QStringLiteral("Databasen %1 är skadad och öppnas inte:").arg(QString::fromStdString(Db))),
                 qPrintable(Question));
        QVERIFY2(Mentions(Question, Sound), qPrintable(Question));
        std::vector<std::string> Kept;
        for (const std::string& Name : FolderEntries(Folder.Folder)) {
            if (Name.rfind("bvdb.s3db.damaged-", 0) == 0) {
                Kept.push_back(Name);
            }
        }
        if (!Restore) {
            QVERIFY(!S.Started);
            QCOMPARE(S.Error, QString());
            QCOMPARE(S.Shown.size(), 1);
            QCOMPARE(Bytes(Db), Damaged);
            QCOMPARE(Kept.size(), size_t(0));
            return;
        }
        QVERIFY2(S.Started, qPrintable(S.Error));
        QCOMPARE(S.Shown.size(), 2);
        QCOMPARE(Kept.size(), size_t(1));
        QVERIFY2(Mentions(S.Shown.at(1), (Folder.Folder / Kept.front()).string()), qPrintable(S.Shown.at(1)));
        QCOMPARE(Bytes(Folder.Folder / Kept.front()), Damaged);
        QCOMPARE(BuildingIDs(Db), std::string("Default, Mitt hus"));
        QCOMPARE(CheckDatabaseFile(Db).State, TDatabaseCheck::Sound);
    }

    void TheFirstStartAsksBeforeCreatingTheDataFolder_data() {
        QTest::addColumn<int>("Missing"); // 0 the data folder, 1 its database, 2 a database elsewhere
        QTest::addColumn<bool>("Yes");
        QTest::newRow("no folder, Yes") << 0 << true;
        QTest::newRow("no folder, No") << 0 << false;
        QTest::newRow("no database, Yes") << 1 << true;
        QTest::newRow("no database, No") << 1 << false;
        QTest::newRow("the database named elsewhere") << 2 << true;
    }
    void TheFirstStartAsksBeforeCreatingTheDataFolder() {
        QFETCH(int, Missing);
        QFETCH(bool, Yes);
        TTempDataFolder Folder;
        const std::string Elsewhere = (Folder.Root / "share" / "bvdb.s3db").string();
        std::string Asked = Folder.Database();
        if (Missing == 0) {
            fs::remove_all(Folder.Folder);
            Asked = Folder.Folder.string();
        } else if (Missing == 2) {
            std::ofstream(Folder.Folder / "dbconnection") << Elsewhere << "\n";
        }
        const TStart S = StartAt(T0, Yes ? TMessageBox::Yes : TMessageBox::No);
        if (Missing == 2) {
            // Perhaps a share that is not there now: no question, no database.
            QVERIFY(!S.Started);
            QVERIFY2(S.Shown.isEmpty(), qPrintable(S.Shown.join('\n')));
            QVERIFY2(Mentions(S.Error, Elsewhere), qPrintable(S.Error));
            QVERIFY(!fs::exists(Folder.Root / "share"));
            QVERIFY(!fs::exists(Folder.Database()));
            return;
        }
        QCOMPARE(S.Shown.size(), 1);
        QVERIFY2(Mentions(S.Shown.front(), Asked), qPrintable(S.Shown.front()));
        QVERIFY2(S.Shown.front().endsWith(QStringLiteral("Nej avslutar Braskvalla.")), qPrintable(S.Shown.front()));
        if (!Yes) {
            QVERIFY(!S.Started);
            QVERIFY2(S.Error.contains(QStringLiteral("braskvalla-cli install-data")), qPrintable(S.Error));
            QVERIFY(!fs::exists(Folder.Database()));
            QCOMPARE(fs::exists(Folder.Folder), Missing != 0);
            return;
        }
        QVERIFY2(S.Started, qPrintable(S.Error));
        // What install-data makes, and the start backup of it.
        QCOMPARE(FolderEntries(Folder.Folder),
                 (std::vector<std::string>{"Backup", "Help", "Language", "buildingreport.html", "bvdb.s3db", "dbconnection"}));
        QVERIFY(BuildingIDs(Folder.Database()).find("Exempel Villa Stockholm") != std::string::npos);
        QCOMPARE(BackupNames(), std::vector<std::string>{BackupFileName(T0)});
    }
};

} // namespace

int main(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    TestStart T;
    return QTest::qExec(&T, Argc, Argv);
}

#include "test_Start.moc"
