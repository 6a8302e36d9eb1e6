// The import and export workflows: the answers to the conflict question,
// replacements that fail, aborting, broken buildings amid good ones, refused
// files, and exporting a chosen list.
#include "ExchangeSamples.h"

#include "db/Database.h"
#include "db/FileIO.h"
#include "exchange/UnitBuildingFile.h"
#include "exchange/UnitExport.h"
#include "exchange/UnitExportData.h"
#include "exchange/UnitImport.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* KindName(TImportOutcomeKind K) {
    switch (K) {
    case TImportOutcomeKind::Stored: return "stored";
    case TImportOutcomeKind::Replaced: return "replaced";
    case TImportOutcomeKind::Skipped: return "skipped";
    case TImportOutcomeKind::Cancelled: return "cancelled";
    case TImportOutcomeKind::Failed: return "failed";
    case TImportOutcomeKind::Unreadable: return "unreadable";
    }
    return "?";
}

// The outcomes as "stored a, replaced b, unreadable #3".
std::string Outcomes(const TImportResult& R) {
    std::string S;
    for (const TImportOutcome& O : R.Outcomes) {
        S += (S.empty() ? "" : ", ") + std::string(KindName(O.Kind)) + " " +
             (O.Kind == TImportOutcomeKind::Unreadable ? "#" + std::to_string(O.Number) : O.StoredID);
    }
    return S;
}

// Answers from a script and remembers what it was asked and told.
class TScriptedDialogs : public IImportDialogs {
public:
    std::deque<TImportReply> Replies;
    std::vector<std::string> Asked; // the existing building's ID, per question
    std::vector<std::string> Warnings;

    TImportReply AskReplace(const std::string& ExistingID, const TExpBuilding2&) override {
        Asked.push_back(ExistingID);
        if (Replies.empty()) {
            ADD_FAILURE() << "unexpected question about " << ExistingID;
            return {TImportAnswer::Cancel, {}};
        }
        TImportReply R = Replies.front();
        Replies.pop_front();
        return R;
    }
    void Warning(const std::string& Text) override { Warnings.push_back(Text); }
};

// Remembers the progress it is shown; asks to abort before building AbortAt.
class TRecordingNotifier : public IImportNotifier {
public:
    int AbortAt = 0;
    std::vector<std::string> Events;
    int Position = 0;

    void Start(int Maximum) override { Events.push_back("start " + std::to_string(Maximum)); }
    void SetPosition(int P) override { Position = P; }
    bool AbortRequested() override { return AbortAt > 0 && Position >= AbortAt; }
    void SetTexts(const std::string& Title, const std::string& Message) override {
        Events.push_back(Title + " / " + Message);
    }
    void Pause(int Ms) override { Events.push_back("pause " + std::to_string(Ms)); }
    void Finish() override { Events.push_back("finish"); }
};

TExpBuilding2 Small(const std::string& Id, const std::string& Info) {
    TExpBuilding2 B = SampleGarage();
    B.RenameBuilding(Id);
    B.PInfo = Info;
    return B;
}

TBytes FileOf(std::vector<TExpBuilding2> Buildings) {
    TBuildingFileWriter W(static_cast<int32_t>(Buildings.size()));
    for (TExpBuilding2& B : Buildings)
        W.Add(B);
    return W.Bytes();
}

class ImportWorkflow : public ::testing::Test {
protected:
    void SetUp() override {
        Db = NewDatabase("a.s3db");
        M = std::make_unique<TDataModuleExportBuilding>(*Db);
    }
    void TearDown() override {
        M.reset();
        Db.reset();
    }

    std::unique_ptr<TDatabase> NewDatabase(const std::string& Name) {
        return bvtest::CreateSchemaDatabase(Dir.File(Name));
    }

    TImportResult Import(const TBytes& Bytes) { return ImportBuildings(*M, Bytes, Dialogs, Notifier); }

    void Store(std::vector<TExpBuilding2> Buildings) {
        TScriptedDialogs Quiet;
        IImportNotifier None;
        const size_t N = Buildings.size();
        const TImportResult R = ImportBuildings(*M, FileOf(std::move(Buildings)), Quiet, None);
        ASSERT_EQ(R.CountOf(TImportOutcomeKind::Stored), static_cast<int>(N));
    }

    // Removes every building with all its rows.
    void Clear() {
        Db->Exec("DELETE FROM Buildings; DELETE FROM Grounds; DELETE FROM Months; DELETE FROM LayeredComponents; "
                 "DELETE FROM Layers; DELETE FROM Windows; DELETE FROM Doors;");
    }

    // "ID:INFO" of every building, in ID order.
    std::string State() {
        TStatement St = Db->Prepare("SELECT ID, INFO FROM Buildings ORDER BY ID");
        std::string S;
        while (St.Step())
            S += (S.empty() ? "" : " ") + std::get<std::string>(St.Column(0)) + ":" +
                 std::get<std::string>(St.Column(1));
        return S;
    }

    int64_t Count(const std::string& Sql) {
        TStatement St = Db->Prepare(Sql);
        EXPECT_TRUE(St.Step());
        return std::get<int64_t>(St.Column(0));
    }

    // Every building whole: twelve months each, no member without its building.
    void ExpectWholeBuildings() {
        EXPECT_EQ(Count("SELECT COUNT(*) FROM Buildings b WHERE (SELECT COUNT(*) FROM Months m "
                        "WHERE m.BUILDING = b.ID) <> 12"),
                  0);
        for (const char* T : {"Months", "Grounds", "LayeredComponents", "Layers", "Windows", "Doors"})
            EXPECT_EQ(Count(std::string("SELECT COUNT(*) FROM ") + T +
                            " WHERE BUILDING NOT IN (SELECT ID FROM Buildings)"),
                      0)
                << T;
    }

    bvtest::TTempFolder Dir;
    std::unique_ptr<TDatabase> Db;
    std::unique_ptr<TDataModuleExportBuilding> M;
    TScriptedDialogs Dialogs;
    TRecordingNotifier Notifier;
};

TImportReply Reply(TImportAnswer A, std::string Name = {}) { return {A, std::move(Name)}; }

TEST_F(ImportWorkflow, ConflictAnswers) {
    using A = TImportAnswer;
    // The database holds A, B and ÖHUS; the file brings a, b, the new n and
    // öhus: every name but n is taken, letter case aside.
    struct {
        const char* Name;
        std::vector<TImportReply> Replies;
        std::vector<std::string> Asked;
        const char* Outcomes;
        const char* State;
    } const Cases[] = {
        {"yes replaces the current conflict only",
         {Reply(A::Yes), Reply(A::No), Reply(A::No)},
         {"A", "B", "ÖHUS"},
         "replaced a, skipped B, stored n, skipped ÖHUS",
         "a:new B:old n:new ÖHUS:old"},
        {"yes to all asks once",
         {Reply(A::YesToAll)},
         {"A"},
         "replaced a, replaced b, stored n, replaced öhus",
         "a:new b:new n:new öhus:new"},
        {"no keeps the current one only",
         {Reply(A::No), Reply(A::Yes), Reply(A::No)},
         {"A", "B", "ÖHUS"},
         "skipped A, replaced b, stored n, skipped ÖHUS",
         "A:old b:new n:new ÖHUS:old"},
        {"no to all still stores new names",
         {Reply(A::NoToAll)},
         {"A"},
         "skipped A, skipped B, stored n, skipped ÖHUS",
         "A:old B:old n:new ÖHUS:old"},
        {"cancel stores nothing more, new names included",
         {Reply(A::Yes), Reply(A::Cancel)},
         {"A", "B"},
         "replaced a, cancelled b, cancelled n, cancelled öhus",
         "a:new B:old ÖHUS:old"},
        {"renaming onto a taken name asks again about that name",
         {Reply(A::Rename, "b"), Reply(A::Rename, "a2"), Reply(A::No), Reply(A::No)},
         {"A", "B", "B", "ÖHUS"},
         "stored a2, skipped B, stored n, skipped ÖHUS",
         "A:old a2:new B:old n:new ÖHUS:old"},
        {"closing the question asks again",
         {Reply(A::Ask), Reply(A::Yes), Reply(A::NoToAll)},
         {"A", "A", "B"},
         "replaced a, skipped B, stored n, skipped ÖHUS",
         "a:new B:old n:new ÖHUS:old"},
    };
    const TBytes File = FileOf({Small("a", "new"), Small("b", "new"), Small("n", "new"), Small("öhus", "new")});
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Db->Exec("DELETE FROM Buildings; DELETE FROM Months;");
        Store({Small("A", "old"), Small("B", "old"), Small("ÖHUS", "old")});
        Dialogs = TScriptedDialogs();
        Dialogs.Replies.assign(C.Replies.begin(), C.Replies.end());
        const TImportResult R = Import(File);
        EXPECT_EQ(Dialogs.Asked, C.Asked);
        EXPECT_TRUE(Dialogs.Replies.empty());
        EXPECT_EQ(Outcomes(R), C.Outcomes);
        EXPECT_EQ(State(), C.State);
        EXPECT_TRUE(Dialogs.Warnings.empty());
        ExpectWholeBuildings();
    }
}

TEST_F(ImportWorkflow, EachImportStartsAtAsk) {
    Store({Small("A", "old")});
    Dialogs.Replies = {Reply(TImportAnswer::NoToAll)};
    Import(FileOf({Small("A", "new")}));
    Dialogs.Replies = {Reply(TImportAnswer::Yes)};
    Import(FileOf({Small("A", "new")}));
    EXPECT_EQ(Dialogs.Asked.size(), 2u);
    EXPECT_EQ(State(), "A:new");
}

TEST_F(ImportWorkflow, AReplacementThatFailsKeepsTheOldBuilding) {
    // Triggers make the deletion or the storing of the one building fail.
    struct {
        const char* Trigger;
        const char* Warning;
    } const Cases[] = {
        {"CREATE TRIGGER Refuse BEFORE DELETE ON Layers BEGIN SELECT RAISE(ABORT, 'locked'); END",
         "Misslyckades med att ta bort Villa Ekbacken"},
        {"CREATE TRIGGER Refuse BEFORE INSERT ON Windows WHEN NEW.ID = 'åäö' "
         "BEGIN SELECT RAISE(ABORT, 'refused'); END",
         "Misslyckades med att importera Villa Ekbacken"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Warning);
        Db->Exec("DROP TRIGGER IF EXISTS Refuse; DELETE FROM Buildings; DELETE FROM Grounds; DELETE FROM Months; "
                 "DELETE FROM LayeredComponents; DELETE FROM Layers; DELETE FROM Windows; DELETE FROM Doors;");
        TExpBuilding2 Old = SampleVilla();
        Old.PInfo = "old";
        Store({Old});
        Db->Exec(C.Trigger);
        const int64_t RowsBefore = Count("SELECT (SELECT COUNT(*) FROM Layers) + (SELECT COUNT(*) FROM Windows) + "
                                         "(SELECT COUNT(*) FROM Grounds) + (SELECT COUNT(*) FROM Months)");

        Dialogs = TScriptedDialogs();
        Dialogs.Replies = {Reply(TImportAnswer::YesToAll)};
        const TImportResult R = Import(FileOf({SampleVilla(), Small("Efter", "new")}));
        EXPECT_EQ(Outcomes(R), "failed Villa Ekbacken, stored Efter");
        EXPECT_EQ(Dialogs.Warnings, std::vector<std::string>{C.Warning});
        EXPECT_EQ(State(), "Efter:new Villa Ekbacken:old");
        EXPECT_EQ(Count("SELECT (SELECT COUNT(*) FROM Layers) + (SELECT COUNT(*) FROM Windows) + "
                        "(SELECT COUNT(*) FROM Grounds) + (SELECT COUNT(*) FROM Months WHERE BUILDING <> 'Efter')"),
                  RowsBefore);
        // The views show the old building again: it can still be exported.
        ASSERT_TRUE(M->LocateBuilding("Villa Ekbacken"));
        EXPECT_EQ(M->TableLayers.RecordCount(), 3);
    }
}

TEST_F(ImportWorkflow, BuildingsThatCannotBeStoredAreReportedAndTheRestStored) {
    TExpBuilding2 NoName = Small("x", "new");
    NoName.RenameBuilding("");
    const TImportResult R = Import(FileOf({NoName, Small(std::string(101, 'L'), "new"), Small("Sist", "new")}));
    EXPECT_EQ(Outcomes(R), "failed , failed " + std::string(101, 'L') + ", stored Sist");
    EXPECT_EQ(Dialogs.Warnings, (std::vector<std::string>{"Misslyckades med att importera ",
                                                          "Misslyckades med att importera " + std::string(101, 'L')}));
    EXPECT_EQ(State(), "Sist:new");
    ExpectWholeBuildings();
}

TEST_F(ImportWorkflow, ProgressAndAbort) {
    const TBytes File = FileOf({Small("Ett", "new"), Small("Två", "new"), Small("Tre", "new")});
    Notifier.AbortAt = 2;
    TImportResult R = Import(File);
    EXPECT_TRUE(R.Aborted);
    EXPECT_EQ(Outcomes(R), "stored Ett");
    EXPECT_EQ(State(), "Ett:new");
    // The loop sets no pace of its own: pausing is the progress window's
    // business.
    EXPECT_EQ(Notifier.Events,
              (std::vector<std::string>{"start 3", "Importerar byggnad 1 av 3 / Importerar Ett", "finish"}));

    // Without abort every building is shown; a file of no buildings still
    // opens and closes the progress.
    Notifier = TRecordingNotifier();
    Db->Exec("DELETE FROM Buildings; DELETE FROM Months;");
    R = Import(File);
    EXPECT_FALSE(R.Aborted);
    EXPECT_EQ(Notifier.Events,
              (std::vector<std::string>{"start 3", "Importerar byggnad 1 av 3 / Importerar Ett",
                                        "Importerar byggnad 2 av 3 / Importerar Två",
                                        "Importerar byggnad 3 av 3 / Importerar Tre", "finish"}));
    Notifier = TRecordingNotifier();
    R = Import(ReadTestFile("exchange/no_buildings.bvf"));
    EXPECT_EQ(Notifier.Events, (std::vector<std::string>{"start 0", "finish"}));
    EXPECT_TRUE(R.Outcomes.empty());
}

TEST_F(ImportWorkflow, FixtureFiles) {
    // Broken buildings among good ones: each is reported, nothing of it is
    // stored, and the buildings around it are.
    struct {
        const char* File;
        const char* Outcomes;
        bool ReadFailed;
    } const Cases[] = {
        {"golden_v2.bvf", "stored Villa Ekbacken, stored Garage", false},
        {"golden_v1.bvf", "stored Gammalt hus, stored Bod", false},
        {"version0.tef", "stored Bod", false},
        {"unknown_tag.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"unknown_property.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"unsuitable_tag.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"child_list.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"huge_length.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"huge_count.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"negative_length.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"bad_utf8.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"bad_utf16.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"nan_value.bvf", "stored Villa Ekbacken, unreadable #2, stored Garage", true},
        {"truncated.bvf", "stored Villa Ekbacken, unreadable #2", true},
        {"huge_building_count.bvf", "stored Garage, unreadable #2", true},
        {"v1_eleven_months.bvf", "unreadable #1, stored Bod", true},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.File);
        Clear();
        Dialogs = TScriptedDialogs();
        const TImportResult R = Import(ReadTestFile(std::string("exchange/") + C.File));
        EXPECT_FALSE(R.Refused) << R.Error;
        EXPECT_EQ(Outcomes(R), C.Outcomes);
        EXPECT_EQ(R.ReadFailed, C.ReadFailed);
        EXPECT_EQ(Dialogs.Warnings, C.ReadFailed ? std::vector<std::string>{SImportReadFailed}
                                                 : std::vector<std::string>{});
        EXPECT_EQ(Count("SELECT COUNT(*) FROM Buildings"), R.CountOf(TImportOutcomeKind::Stored));
        ExpectWholeBuildings();
    }
}

// Records beyond the count of the file info are not imported, and the user
// is told how many were left unread, in one warning.
TEST_F(ImportWorkflow, RecordsBeyondTheAnnouncedBuildingsAreLeftUnreadWithAWarning) {
    const TBytes Golden = ReadTestFile("exchange/golden_v2.bvf"); // Villa (22 records), Garage (14)
    TBytes Garbage = Golden;
    Garbage.insert(Garbage.end(), {'x', 'y', 'z'});
    struct {
        const char* Name;
        TBytes File;
        const char* Outcomes;
        int64_t Unread;
        const char* Warning;
    } const Cases[] = {
        {"one building more", bvtest::WithInt8Property(Golden, "PNBuildings", 1), "stored Villa Ekbacken", 14,
         "Filen innehåller fler poster än den anger: 14 poster lästes inte."},
        {"two buildings more", bvtest::WithInt8Property(Golden, "PNBuildings", 0), "", 36,
         "Filen innehåller fler poster än den anger: 36 poster lästes inte."},
        {"bytes that are no record", Garbage, "stored Villa Ekbacken, stored Garage", 1,
         "Filen innehåller fler poster än den anger: 1 post lästes inte."},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Clear();
        Dialogs = TScriptedDialogs();
        const TImportResult R = Import(C.File);
        EXPECT_EQ(Outcomes(R), C.Outcomes);
        EXPECT_EQ(R.UnreadRecords, C.Unread);
        EXPECT_EQ(Dialogs.Warnings, std::vector<std::string>{C.Warning});
    }
    // Stopped by the user before the end: the rest is not "left over".
    Dialogs = TScriptedDialogs();
    Notifier.AbortAt = 1;
    const TImportResult Aborted = Import(bvtest::WithInt8Property(Golden, "PNBuildings", 1));
    EXPECT_TRUE(Aborted.Aborted);
    EXPECT_EQ(Aborted.UnreadRecords, 0);
    EXPECT_TRUE(Dialogs.Warnings.empty());
}

TEST_F(ImportWorkflow, RefusedFilesStoreNothingAndShowNoProgress) {
    struct {
        const char* File;
        const char* Message;
    } const Cases[] = {
        {"version3.bvf", "Felaktig version. Kan ej läsa fil."},
        {"wrong_signature.bvf", "Invalid stream format"},
        {"empty.bvf", "Stream read error"},
        {"truncated_info.bvf", "Stream read error"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.File);
        Dialogs = TScriptedDialogs();
        Notifier = TRecordingNotifier();
        const TImportResult R = ImportBuildingFile(*M, TestDataPath(std::string("exchange/") + C.File), Dialogs,
                                                   Notifier);
        EXPECT_TRUE(R.Refused);
        EXPECT_EQ(R.Error, C.Message);
        EXPECT_EQ(Dialogs.Warnings, std::vector<std::string>{C.Message});
        EXPECT_TRUE(Notifier.Events.empty());
        EXPECT_EQ(Count("SELECT COUNT(*) FROM Buildings"), 0);
    }
    const TImportResult Missing = ImportBuildingFile(*M, (Dir / "nowhere.bvf").string(), Dialogs, Notifier);
    EXPECT_TRUE(Missing.Refused);
    EXPECT_NE(Missing.Error.find("nowhere.bvf"), std::string::npos);
}

TEST_F(ImportWorkflow, FindingBuildingsAndFreeNames) {
    Store({Small("Hus", "old"), Small("Hus (1)", "old"), Small("Älv", "old")});
    ASSERT_TRUE(FindBuilding(*Db, "HUS"));
    EXPECT_EQ(FindBuilding(*Db, "HUS")->ID, "Hus");
    EXPECT_EQ(FindBuilding(*Db, "äLV")->ID, "Älv");
    EXPECT_FALSE(FindBuilding(*Db, "Hu"));
    EXPECT_EQ(FirstFreeBuildingID(*Db, "hus"), "hus (2)");
    EXPECT_EQ(FirstFreeBuildingID(*Db, "Älv"), "Älv (1)");
}

// ---------------------------------------------------------------------------
// Export

TEST_F(ImportWorkflow, ExportWritesTheChosenBuildingsInOrderAndImportsElsewhere) {
    Import(ReadTestFile("exchange/golden_v2.bvf"));
    const std::string Path = (Dir / "out.bvf").string();
    EXPECT_EQ(ExportBuildings(*M, {"garage", "Villa Ekbacken", "GARAGE"}, Path),
              (std::vector<std::string>{"Garage", "Villa Ekbacken"}));
    const TBytes Bytes = ReadFileBytes(Path);
    TBuildingFileReader Reader(Bytes);
    EXPECT_EQ(Reader.NBuildings(), 2);
    TReadBuilding First;
    ASSERT_TRUE(Reader.Next(First));
    EXPECT_EQ(First.Building->GetBuildingID(), "Garage");

    auto Other = NewDatabase("b.s3db");
    TDataModuleExportBuilding OtherM(*Other);
    TScriptedDialogs Quiet;
    IImportNotifier None;
    EXPECT_EQ(Outcomes(ImportBuildingFile(OtherM, Path, Quiet, None)), "stored Garage, stored Villa Ekbacken");
    for (const char* T : {"Layers", "Windows", "Months", "Grounds"}) {
        const std::string Sql = std::string("SELECT * FROM ") + T + " ORDER BY BUILDING, rowid";
        TStatement X = Db->Prepare(Sql), Y = Other->Prepare(Sql);
        while (X.Step()) {
            ASSERT_TRUE(Y.Step()) << T;
            for (int K = 0; K < X.ColumnCount(); ++K)
                EXPECT_EQ(X.Column(K), Y.Column(K)) << T << "." << X.ColumnName(K);
        }
        EXPECT_FALSE(Y.Step()) << T;
    }
}

TEST_F(ImportWorkflow, AFailedExportLeavesTheFileAsItWas) {
    Import(ReadTestFile("exchange/golden_v2.bvf"));
    Db->Exec("DELETE FROM Months WHERE BUILDING = 'Garage' AND MONTH = 12");
    const fs::path Path = Dir / "out.bvf";
    std::ofstream(Path) << "earlier";
    EXPECT_THROW(ExportBuildings(*M, {"Villa Ekbacken", "Nobody"}, Path.string()), EExchangeError);
    EXPECT_THROW(ExportBuildings(*M, {"Villa Ekbacken", "Garage"}, Path.string()), EExchangeError);
    std::ifstream In(Path);
    std::string Text;
    In >> Text;
    EXPECT_EQ(Text, "earlier");
    size_t Files = 0;
    for ([[maybe_unused]] const auto& E : fs::directory_iterator(Dir.Path()))
        ++Files;
    EXPECT_EQ(Files, 4u); // a.s3db with its -wal and -shm, and out.bvf: no temporary file left
}

TEST_F(ImportWorkflow, SelectionLists) {
    Store({Small("Åsa", "a"), Small("Berg", "b"), Small("Cesar", "c")});
    M->RefreshAll();
    TExportSelection Sel(M->TableBuildings);
    Sel.Reset();
    EXPECT_EQ(Sel.Available(), (std::vector<std::string>{"Åsa", "Berg", "Cesar"}));
    Sel.Add(2);
    Sel.Add(7); // nothing there
    EXPECT_EQ(Sel.Available(), (std::vector<std::string>{"Åsa", "Berg"}));
    EXPECT_EQ(Sel.Selected(), std::vector<std::string>{"Cesar"});
    Sel.Add(0);
    EXPECT_EQ(Sel.Selected(), (std::vector<std::string>{"Åsa", "Cesar"})); // in table order
    Sel.Remove(0);
    Sel.Remove(-1);
    EXPECT_EQ(Sel.SelectedRows(), std::vector<int>{3});

    const std::string Path = (Dir / "sel.bvf").string();
    ExportBuildingRows(*M, Sel.SelectedRows(), Path);
    const TBytes Bytes = ReadFileBytes(Path);
    TBuildingFileReader Reader(Bytes);
    EXPECT_EQ(Reader.NBuildings(), 1);
    TReadBuilding B;
    ASSERT_TRUE(Reader.Next(B));
    EXPECT_EQ(B.Building->PInfo, "c");

    Sel.AddAll();
    EXPECT_TRUE(Sel.Available().empty());
    EXPECT_EQ(Sel.SelectedRows(), (std::vector<int>{1, 2, 3}));
    Sel.RemoveAll();
    EXPECT_EQ(Sel.Available().size(), 3u);
    Sel.Add(1);
    Sel.Reset(); // reopening starts with nothing selected
    EXPECT_TRUE(Sel.Selected().empty());
}

} // namespace
