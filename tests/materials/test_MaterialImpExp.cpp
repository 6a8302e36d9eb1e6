// The material import and export against the archive table: the answers to
// the question about taken names, exact letter case, the golden file both
// ways, and what stops an import.
#include "db/Database.h"
#include "db/Dataset.h"
#include "db/FileIO.h"
#include "exchange/UnitExportImport.h"
#include "materials/UnitMaterialExp.h"
#include "materials/UnitMaterialImp.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* KindName(TMaterialOutcomeKind K) {
    switch (K) {
    case TMaterialOutcomeKind::Inserted: return "inserted";
    case TMaterialOutcomeKind::Overwritten: return "overwritten";
    case TMaterialOutcomeKind::Skipped: return "skipped";
    case TMaterialOutcomeKind::Cancelled: return "cancelled";
    case TMaterialOutcomeKind::Failed: return "failed";
    }
    return "?";
}

std::string Outcomes(const TMaterialImportResult& R) {
    std::string S;
    for (const TMaterialOutcome& O : R.Outcomes)
        S += (S.empty() ? "" : ", ") + std::string(KindName(O.Kind)) + " " +
             (O.StoredID.empty() ? "#" + std::to_string(O.Number) : O.StoredID);
    return S;
}

class TScriptedDialogs : public IMaterialImportDialogs {
public:
    std::deque<TImportReply> Replies;
    std::vector<std::string> Asked;
    std::vector<std::string> Warnings;

    TImportReply AskOverwrite(const TMaterial& Incoming) override {
        Asked.push_back(Incoming.PMaterialID);
        if (Replies.empty()) {
            ADD_FAILURE() << "unexpected question about " << Incoming.PMaterialID;
            return {TImportAnswer::Cancel, {}};
        }
        TImportReply R = Replies.front();
        Replies.pop_front();
        return R;
    }
    void Warning(const std::string& Text) override { Warnings.push_back(Text); }
};

TMaterial Material(const std::string& Id, double Cond) {
    TMaterial M;
    M.PMaterialID = Id;
    M.PMaterialTHERMCOND = Cond;
    M.PMaterialSPECCAP = 800;
    M.PMaterialDENSITY = 1000;
    M.PMaterialDEPTH = 50;
    M.PMaterialROOF = true;
    return M;
}

TBytes FileOf(const std::vector<TMaterial>& Materials) {
    TMaterialFileWriter W(static_cast<int32_t>(Materials.size()));
    for (const TMaterial& M : Materials)
        W.Add(M);
    return W.Bytes();
}

class MaterialImpExp : public ::testing::Test {
protected:
    void SetUp() override {
        bvtest::CreateSchemaDatabase(Dir.File("a.s3db"));
        // The material manager's connection, beside the one the rest uses.
        Main = TDatabase::Open((Dir / "a.s3db").string());
        Db = TDatabase::Open((Dir / "a.s3db").string());
    }
    void TearDown() override {
        Db.reset();
        Main.reset();
    }

    TMaterialImportResult Import(const TBytes& Bytes) { return ImportMaterials(*Db, Bytes, Dialogs); }

    // "ID:THERMCOND" of every material, in binary ID order, as the other
    // connection sees them.
    std::string State() {
        TStatement St = Main->Prepare("SELECT ID, THERMCOND FROM LayersPreDef ORDER BY ID");
        std::string S;
        while (St.Step()) {
            std::ostringstream V;
            V << std::get<double>(St.Column(1));
            S += (S.empty() ? "" : " ") + std::get<std::string>(St.Column(0)) + ":" + V.str();
        }
        return S;
    }

    bvtest::TTempFolder Dir;
    std::unique_ptr<TDatabase> Main;
    std::unique_ptr<TDatabase> Db;
    TScriptedDialogs Dialogs;
};

TImportReply Reply(TImportAnswer A, std::string Name = {}) { return {A, std::move(Name)}; }

TEST_F(MaterialImpExp, ConflictAnswers) {
    using A = TImportAnswer;
    // The archive holds Betong, Puts and Tegel at 1; the file brings them at
    // 2 with "tegel" (a new name: case counts) and "Nytt", Puts last.
    struct {
        const char* Name;
        std::vector<TImportReply> Replies;
        std::vector<std::string> Asked;
        const char* Outcomes;
        const char* State;
    } const Cases[] = {
        {"yes overwrites the current one only",
         {Reply(A::Yes), Reply(A::No), Reply(A::No)},
         {"Betong", "Tegel", "Puts"},
         "overwritten Betong, skipped Tegel, inserted tegel, inserted Nytt, skipped Puts",
         "Betong:2 Nytt:2 Puts:1 Tegel:1 tegel:2"},
        {"yes to all asks once",
         {Reply(A::YesToAll)},
         {"Betong"},
         "overwritten Betong, overwritten Tegel, inserted tegel, inserted Nytt, overwritten Puts",
         "Betong:2 Nytt:2 Puts:2 Tegel:2 tegel:2"},
        {"no to all still inserts new names",
         {Reply(A::NoToAll)},
         {"Betong"},
         "skipped Betong, skipped Tegel, inserted tegel, inserted Nytt, skipped Puts",
         "Betong:1 Nytt:2 Puts:1 Tegel:1 tegel:2"},
        {"cancel stops at once",
         {Reply(A::No), Reply(A::Cancel)},
         {"Betong", "Tegel"},
         "skipped Betong, cancelled Tegel",
         "Betong:1 Puts:1 Tegel:1"},
        {"renaming onto a taken name asks again",
         {Reply(A::Rename, "Puts"), Reply(A::Rename, "Betong 2"), Reply(A::No), Reply(A::No)},
         {"Betong", "Puts", "Tegel", "Puts"},
         "inserted Betong 2, skipped Tegel, inserted tegel, inserted Nytt, skipped Puts",
         "Betong:1 Betong 2:2 Nytt:2 Puts:1 Tegel:1 tegel:2"},
        {"also for the last material of the file",
         {Reply(A::No), Reply(A::No), Reply(A::Rename, "Tegel"), Reply(A::Rename, "Puts 2")},
         {"Betong", "Tegel", "Puts", "Tegel"},
         "skipped Betong, skipped Tegel, inserted tegel, inserted Nytt, inserted Puts 2",
         "Betong:1 Nytt:2 Puts:1 Puts 2:2 Tegel:1 tegel:2"},
        {"closing the question skips that material only",
         {Reply(A::Ask), Reply(A::Yes), Reply(A::Yes)},
         {"Betong", "Tegel", "Puts"},
         "skipped Betong, overwritten Tegel, inserted tegel, inserted Nytt, overwritten Puts",
         "Betong:1 Nytt:2 Puts:2 Tegel:2 tegel:2"},
    };
    const TBytes File = FileOf({Material("Betong", 2), Material("Tegel", 2), Material("tegel", 2),
                                Material("Nytt", 2), Material("Puts", 2)});
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Main->Exec("DELETE FROM LayersPreDef");
        TScriptedDialogs Quiet;
        ImportMaterials(*Db, FileOf({Material("Betong", 1), Material("Tegel", 1), Material("Puts", 1)}), Quiet);
        ASSERT_EQ(State(), "Betong:1 Puts:1 Tegel:1");
        Dialogs = TScriptedDialogs();
        Dialogs.Replies.assign(C.Replies.begin(), C.Replies.end());
        const TMaterialImportResult R = Import(File);
        EXPECT_EQ(Dialogs.Asked, C.Asked);
        EXPECT_TRUE(Dialogs.Replies.empty());
        EXPECT_EQ(Outcomes(R), C.Outcomes);
        EXPECT_EQ(State(), C.State);
        EXPECT_TRUE(Dialogs.Warnings.empty());
    }
}

TEST_F(MaterialImpExp, GoldenFileImportsAndExportsByteForByte) {
    const TMaterialImportResult R = ImportMaterialFile(*Db, bvtest::TestDataPath("materials/two_materials.bmf"), Dialogs);
    EXPECT_EQ(Outcomes(R), "inserted Betong, inserted Lättklinker åäö");
    TStatement St = Main->Prepare("SELECT THERMCOND, DENSITY, OUTERWALL, ROOF, SOIL, LOCKEDDEPTH FROM LayersPreDef "
                                  "WHERE ID = ?1");
    St.Bind(1, std::string("Betong"));
    ASSERT_TRUE(St.Step());
    EXPECT_EQ(St.Column(0), TValue(1.7));
    EXPECT_EQ(St.Column(1), TValue(2300.0));
    EXPECT_EQ(St.Column(2), TValue(std::string("Y")));
    EXPECT_EQ(St.Column(3), TValue(std::string("N")));
    EXPECT_EQ(St.Column(4), TValue(std::string("N")));

    const std::string Out = (Dir / "out.bmf").string();
    EXPECT_EQ(ExportMaterials(*Db, {"Betong", "Lättklinker åäö", "Betong"}, Out),
              (std::vector<std::string>{"Betong", "Lättklinker åäö"}));
    EXPECT_EQ(ReadFileBytes(Out), ReadFileBytes(bvtest::TestDataPath("materials/two_materials.bmf")));

    // Names are matched with exact case; an unknown one writes nothing.
    EXPECT_THROW(ExportMaterials(*Db, {"betong"}, (Dir / "none.bmf").string()), EExchangeError);
    EXPECT_FALSE(fs::exists(Dir / "none.bmf"));
}

TEST_F(MaterialImpExp, WhatRefusesOrStopsAnImport) {
    Main->Exec("CREATE TRIGGER Refuse BEFORE INSERT ON LayersPreDef WHEN NEW.ID = 'Refused' "
               "BEGIN SELECT RAISE(ABORT, 'not this one'); END");
    struct {
        const char* Name;
        TBytes File;
        bool Refused;
        const char* Outcomes;
        const char* Message;
        const char* State;
    } const Cases[] = {
        {"another version", ReadFileBytes(bvtest::TestDataPath("materials/version2.bmf")), true, "",
         "Felaktig version. Kan ej läsa fil.", ""},
        {"no signature", ReadFileBytes(bvtest::TestDataPath("materials/wrong_signature.bmf")), true, "",
         "Invalid stream format", ""},
        {"cut short", ReadFileBytes(bvtest::TestDataPath("materials/truncated.bmf")), false, "inserted Betong, failed #2",
         "Stream read error", "Betong:1.7"},
        {"a database error", FileOf({Material("Före", 1), Material("Refused", 1), Material("Efter", 1)}), false,
         "inserted Före, failed Refused", "not this one", "Före:1"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Main->Exec("DELETE FROM LayersPreDef");
        Dialogs = TScriptedDialogs();
        const TMaterialImportResult R = Import(C.File);
        EXPECT_EQ(R.Refused, C.Refused);
        EXPECT_EQ(R.Stopped, !C.Refused);
        EXPECT_EQ(Outcomes(R), C.Outcomes);
        ASSERT_EQ(Dialogs.Warnings.size(), 1u);
        EXPECT_NE(Dialogs.Warnings[0].find(C.Message), std::string::npos) << Dialogs.Warnings[0];
        EXPECT_EQ(State(), C.State);
    }
}

// Materials beyond the count of the header are not imported, and the user
// is told how many records were left unread, in one warning.
TEST_F(MaterialImpExp, RecordsBeyondTheAnnouncedMaterialsAreLeftUnreadWithAWarning) {
    const TBytes Two = ReadFileBytes(bvtest::TestDataPath("materials/two_materials.bmf"));
    const TMaterialImportResult R = Import(bvtest::WithInt8Property(Two, "PNumberOfItems", 1));
    EXPECT_EQ(Outcomes(R), "inserted Betong");
    EXPECT_FALSE(R.Stopped);
    EXPECT_EQ(R.UnreadRecords, 1);
    EXPECT_EQ(Dialogs.Warnings,
              std::vector<std::string>{"Filen innehåller fler poster än den anger: 1 post lästes inte."});
    EXPECT_EQ(State(), "Betong:1.7");

    // Cancelled at the first one: the rest is not "left over".
    Main->Exec("DELETE FROM LayersPreDef");
    Dialogs = TScriptedDialogs();
    Dialogs.Replies = {Reply(TImportAnswer::Cancel)};
    Main->Exec("INSERT INTO LayersPreDef (ID, THERMCOND, SPECCAP, DENSITY, DEPTH) VALUES ('Betong', 1, 1, 1, 1)");
    const TMaterialImportResult Cancelled = Import(bvtest::WithInt8Property(Two, "PNumberOfItems", 1));
    EXPECT_TRUE(Cancelled.Cancelled);
    EXPECT_EQ(Cancelled.UnreadRecords, 0);
    EXPECT_TRUE(Dialogs.Warnings.empty());
}

TEST_F(MaterialImpExp, FreeNamesCountExactCase) {
    TScriptedDialogs Quiet;
    ImportMaterials(*Db, FileOf({Material("Puts", 1), Material("Puts (1)", 1)}), Quiet);
    EXPECT_TRUE(MaterialExists(*Db, "Puts"));
    EXPECT_FALSE(MaterialExists(*Db, "PUTS"));
    EXPECT_EQ(FirstFreeMaterialID(*Db, "Puts"), "Puts (2)");
    EXPECT_EQ(FirstFreeMaterialID(*Db, "puts"), "puts (1)");
}

} // namespace
