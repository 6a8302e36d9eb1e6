#include "db/Dataset.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

using TempDir = bvtest::TTempFolder;

class DbTest : public ::testing::Test {
protected:
    TDatabase& MakeDb(const std::string& Schema) {
        Db = TDatabase::Create(Dir.File("test.s3db"));
        Db->Exec(Schema);
        return *Db;
    }
    // A value as stored, read past the dataset layer.
    TValue Raw(const std::string& Sql) {
        TStatement St = Db->Prepare(Sql);
        return St.Step() ? St.Column(0) : TValue();
    }
    int64_t Count(const std::string& Table) {
        return std::get<int64_t>(Raw("SELECT count(*) FROM " + Table));
    }
    TempDir Dir;
    std::unique_ptr<TDatabase> Db;
};

template <class Fn>
std::string ErrorOf(Fn&& F) {
    try {
        F();
    } catch (const EDatabaseError& E) {
        return E.what();
    }
    return "";
}

} // namespace

// ------------------------------------------------------------ type rules

TEST(FieldTypes, DeclaredTypesAreRecognisedInTheirOrder) {
    struct Case {
        const char* Declared;
        TFieldType Type;
        int Size;
    };
    const Case Cases[] = {
        {"BOOLEAN", TFieldType::Boolean, 0},
        {"bool", TFieldType::Boolean, 0},
        {"BOOLTEXT", TFieldType::Boolean, 0}, // BOOL is tested before TEXT
        {"INTEGER", TFieldType::Integer, 0},
        {"int(11)", TFieldType::Integer, 0},
        {"INTBLOB", TFieldType::Integer, 0}, // INT before BLOB
        {"REAL", TFieldType::Double, 0},
        {"FLOAT", TFieldType::Double, 0},
        {"DOUBLE PRECISION", TFieldType::Double, 0},
        {"CHAR(10)", TFieldType::String, 10},
        {"VARCHAR(100)", TFieldType::String, 100},
        {"varchar (45)", TFieldType::String, 45},
        {"CHARBLOB", TFieldType::String, 0}, // CHAR before BLOB
        {"VARCHARX", TFieldType::Unknown, 0}, // VARCHAR only exactly
        {"TIME", TFieldType::Time, 0},
        {"time(3)", TFieldType::Time, 0},
        {"TIMESTAMP", TFieldType::Unknown, 0}, // TIME only exactly
        {"BLOB", TFieldType::Blob, 0},
        {"LONGBLOB", TFieldType::Blob, 0},
        {"TEXTBLOB", TFieldType::Blob, 0}, // BLOB before TEXT
        {"TEXT", TFieldType::Memo, 0},
        {"CLOB", TFieldType::Memo, 0},
        {"MEDIUMTEXT", TFieldType::Memo, 0},
        {"BIGINT", TFieldType::Integer, 0},
        {"NUMERIC(10,2)", TFieldType::Double, 0},
        {"", TFieldType::Unknown, 0},
    };
    for (const Case& C : Cases) {
        int Size = -1;
        EXPECT_EQ(FieldTypeFromDeclared(C.Declared, &Size), C.Type) << C.Declared;
        EXPECT_EQ(Size, C.Size) << C.Declared;
    }
}

TEST(TextCase, SwedishLettersFoldAndInvalidBytesSurvive) {
    EXPECT_EQ(UpperCaseText("åäö éü ÿ straße ωж"), "ÅÄÖ ÉÜ Ÿ STRAßE ΩЖ"); // ß has no one-letter capital
    EXPECT_TRUE(SameText("Åsa i Älvsjö", "åSA I äLVSJÖ"));
    EXPECT_FALSE(SameText("Ås", "As"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    const std::string Broken = "a\xC3\xff\xE5z"; // truncated sequence, stray bytes
    EXPECT_EQ(UpperCaseText(Broken), "A\xC3\xff\xE5Z");
    EXPECT_TRUE(SameText(Broken, "A\xC3\xff\xE5Z"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
}

// ---------------------------------------------------------------- values

TEST_F(DbTest, BooleansAreWrittenAsYNAndReadByTheLenientRule) {
    MakeDb("CREATE TABLE T (K INTEGER, B BOOLEAN, I INTEGER)");
    struct Case {
        const char* Literal;
        bool Expected;
    };
    const Case Cases[] = {
        {"'Y'", true},   {"'y'", true},     {"'YES'", true},  {"'yes'", true}, {"'T'", true},
        {"'true'", true}, {"' Yes '", true}, {"'1'", true},    {"1", true},     {"-3", true},
        {"2.5", true},   {"'N'", false},    {"'no'", false},  {"'F'", false},  {"'0'", false},
        {"0", false},    {"''", false},     {"NULL", false},  {"'abc'", false}, {"'YE'", false},
    };
    int K = 0;
    for (const Case& C : Cases) {
        Db->Exec("INSERT INTO T (K, B) VALUES (" + std::to_string(K++) + ", " + C.Literal + ")");
    }
    TDataset T(*Db, "T");
    T.SetOrderBy("K");
    T.Open();
    for (const Case& C : Cases) {
        EXPECT_EQ(T.FieldByName("B").AsBoolean(), C.Expected) << C.Literal;
        T.Next();
    }
    T.First();
    T.Edit();
    T.FieldByName("B").SetBoolean(false);
    T.FieldByName("I").SetBoolean(true); // an integer column takes 1/0
    T.Post();
    EXPECT_EQ(Raw("SELECT B FROM T WHERE K = 0"), TValue(std::string("N")));
    EXPECT_EQ(Raw("SELECT I FROM T WHERE K = 0"), TValue(int64_t{1}));
    T.Edit();
    T.FieldByName("B").SetBoolean(true);
    T.Post();
    EXPECT_EQ(Raw("SELECT B FROM T WHERE K = 0"), TValue(std::string("Y")));
    // Text set on a boolean column is normalised the same way.
    T.Edit();
    T.FieldByName("B").SetString("false");
    T.Post();
    EXPECT_EQ(Raw("SELECT B FROM T WHERE K = 0"), TValue(std::string("N")));
    T.Edit();
    EXPECT_THROW(T.FieldByName("B").SetString("maybe"), EDatabaseError);
}

TEST_F(DbTest, NumbersConvertFromOtherStorageClassesAndNullRaises) {
    MakeDb("CREATE TABLE T (K INTEGER, F FLOAT, N INTEGER, S VARCHAR(20))");
    Db->Exec("INSERT INTO T VALUES (1, NULL, NULL, '12.5');"
             "INSERT INTO T VALUES (2, 2.5, 3000000000, 'abc');"
             "INSERT INTO T VALUES (3, 3.5, -7, ' 12,5 ');"
             "INSERT INTO T VALUES (4, 1e300, 42, X'0102')");
    TDataset T(*Db, "T");
    T.SetOrderBy("K");
    T.Open();
    // Row 1: NULL read as a number names the column; text "12.5" reads.
    const std::string Msg = ErrorOf([&] { T.FieldByName("F").AsFloat(); });
    EXPECT_NE(Msg.find("T.F"), std::string::npos) << Msg;
    EXPECT_NE(Msg.find("NULL"), std::string::npos) << Msg;
    EXPECT_THROW(T.FieldByName("N").AsInteger(), EDatabaseError);
    EXPECT_EQ(T.FieldByName("F").AsString(), "");
    EXPECT_DOUBLE_EQ(T.FieldByName("S").AsFloat(), 12.5);
    EXPECT_EQ(T.FieldByName("S").AsInteger(), 12); // 12.5 rounds half to even
    // Row 2: halves to even, outside the 32-bit range, non-numeric text.
    T.Next();
    EXPECT_EQ(T.FieldByName("F").AsInteger(), 2);
    EXPECT_EQ(T.FieldByName("N").AsLargeInt(), 3000000000);
    EXPECT_THROW(T.FieldByName("N").AsInteger(), EDatabaseError);
    const std::string Abc = ErrorOf([&] { T.FieldByName("S").AsFloat(); });
    EXPECT_NE(Abc.find("abc"), std::string::npos) << Abc;
    // Row 3: a decimal comma from a Swedish tool; integers read as floats.
    T.Next();
    EXPECT_EQ(T.FieldByName("F").AsInteger(), 4);
    EXPECT_DOUBLE_EQ(T.FieldByName("N").AsFloat(), -7.0);
    EXPECT_DOUBLE_EQ(T.FieldByName("S").AsFloat(), 12.5);
    EXPECT_EQ(T.FieldByName("F").AsString(), "3.5");
    // Row 4: too large for an integer; bytes are no number.
    T.Next();
    EXPECT_THROW(T.FieldByName("F").AsLargeInt(), EDatabaseError);
    EXPECT_THROW(T.FieldByName("S").AsFloat(), EDatabaseError);
    EXPECT_DOUBLE_EQ(T.FieldByName("F").AsFloat(), 1e300);
}

TEST_F(DbTest, SettersConvertToTheColumnTypeAndRefuseWhatDoesNotFit) {
    MakeDb("CREATE TABLE T (F FLOAT, N INTEGER, S VARCHAR(5), M TEXT, TM TIME, B BLOB)");
    Db->Exec("INSERT INTO T (F) VALUES (1)");
    TDataset T(*Db, "T");
    T.Open();
    T.Edit();
    T.FieldByName("F").SetString("0,25");
    T.FieldByName("N").SetFloat(2.5);          // rounds half to even
    T.FieldByName("S").SetString("åäöÅÄ");     // five characters, ten bytes
    T.FieldByName("M").SetFloat(0.1);
    T.FieldByName("TM").SetString("7:05");
    T.FieldByName("B").SetValue(TBlob{});      // empty, not NULL
    T.Post();
    EXPECT_EQ(Raw("SELECT F FROM T"), TValue(0.25));
    EXPECT_EQ(Raw("SELECT N FROM T"), TValue(int64_t{2}));
    EXPECT_EQ(Raw("SELECT S FROM T"), TValue(std::string("åäöÅÄ")));
    EXPECT_EQ(Raw("SELECT M FROM T"), TValue(std::string("0.1")));
    EXPECT_EQ(Raw("SELECT TM FROM T"), TValue(std::string("07:05:00")));
    EXPECT_EQ(Raw("SELECT typeof(B) FROM T"), TValue(std::string("blob")));

    T.Edit();
    T.FieldByName("TM").SetFloat(0.75); // a fraction of a day
    EXPECT_EQ(T.FieldByName("TM").AsString(), "18:00:00");
    EXPECT_DOUBLE_EQ(T.FieldByName("TM").AsFloat(), 0.75);
    // Refused values raise and leave the field as it was.
    EXPECT_THROW(T.FieldByName("S").SetString("åäöÅÄx"), EDatabaseError);
    EXPECT_THROW(T.FieldByName("F").SetFloat(std::nan("")), EDatabaseError);
    EXPECT_THROW(T.FieldByName("F").SetFloat(HUGE_VAL), EDatabaseError);
    EXPECT_THROW(T.FieldByName("F").SetString("12 kg"), EDatabaseError);
    EXPECT_THROW(T.FieldByName("N").SetString("1.5"), EDatabaseError);
    EXPECT_THROW(T.FieldByName("TM").SetString("25:00"), EDatabaseError);
    EXPECT_EQ(T.FieldByName("S").AsString(), "åäöÅÄ");
    EXPECT_DOUBLE_EQ(T.FieldByName("F").AsFloat(), 0.25);
    // "" empties a number column.
    T.FieldByName("N").SetString("");
    EXPECT_TRUE(T.FieldByName("N").IsNull());
    T.Cancel();
    EXPECT_EQ(T.FieldByName("N").AsInteger(), 2);
    // Outside edit state nothing can be set.
    EXPECT_THROW(T.FieldByName("F").SetFloat(1.0), EDatabaseError);
}

// ----------------------------------------------------- defaults, required

TEST_F(DbTest, AppendStartsFromTheSchemaDefaults) {
    MakeDb("CREATE TABLE T (ID VARCHAR(100), U FLOAT NOT NULL DEFAULT 0, B BOOLEAN DEFAULT 'N',"
           " S VARCHAR(10) DEFAULT 'it''s', NEG FLOAT DEFAULT -1.5, Z INTEGER DEFAULT NULL,"
           " TM TIME NOT NULL DEFAULT CURRENT_TIME, E INTEGER DEFAULT (6 * 7), PLAIN FLOAT)");
    TDataset T(*Db, "T");
    T.Open();
    T.Append();
    EXPECT_DOUBLE_EQ(T.FieldByName("U").AsFloat(), 0.0);
    EXPECT_FALSE(T.FieldByName("B").AsBoolean());
    EXPECT_EQ(T.FieldByName("B").AsString(), "N");
    EXPECT_EQ(T.FieldByName("S").AsString(), "it's");
    EXPECT_DOUBLE_EQ(T.FieldByName("NEG").AsFloat(), -1.5);
    EXPECT_TRUE(T.FieldByName("Z").IsNull());
    EXPECT_EQ(T.FieldByName("TM").AsString().size(), 8u);
    EXPECT_EQ(T.FieldByName("E").AsInteger(), 42);
    EXPECT_TRUE(T.FieldByName("PLAIN").IsNull());
    T.FieldByName("ID").SetString("a");
    T.Post(); // the required columns have their defaults
    EXPECT_EQ(Count("T"), 1);
    EXPECT_EQ(Raw("SELECT typeof(U) FROM T"), TValue(std::string("real")));
    EXPECT_EQ(T.FieldByName("ID").AsString(), "a");
}

TEST_F(DbTest, PostRefusesARequiredColumnWithoutValueAndKeepsTheRow) {
    MakeDb("CREATE TABLE Doors (ID VARCHAR(100), BUILDING VARCHAR(100) NOT NULL, AREA FLOAT NOT NULL DEFAULT 0,"
           " K INTEGER PRIMARY KEY)");
    TDataset T(*Db, "Doors");
    T.Open();
    T.Append();
    T.FieldByName("ID").SetString("Ytterdörr");
    const std::string Msg = ErrorOf([&] { T.Post(); });
    EXPECT_NE(Msg.find("Doors.BUILDING"), std::string::npos) << Msg;
    EXPECT_EQ(T.State(), TDatasetState::Insert);
    EXPECT_EQ(Count("Doors"), 0);
    EXPECT_EQ(T.FieldByName("ID").AsString(), "Ytterdörr"); // nothing typed is lost
    T.FieldByName("BUILDING").SetString("Hus");
    T.FieldByName("AREA").SetNull();
    EXPECT_NE(ErrorOf([&] { T.Post(); }).find("Doors.AREA"), std::string::npos);
    T.FieldByName("AREA").SetFloat(2.0);
    T.Post(); // the INTEGER PRIMARY KEY is filled in by SQLite
    EXPECT_EQ(Count("Doors"), 1);
    EXPECT_EQ(T.FieldByName("K").AsLargeInt(), T.RowId());
    EXPECT_EQ(T.State(), TDatasetState::Browse);
}

// --------------------------------------------------------- edit and post

TEST_F(DbTest, PostWritesOnlyChangedColumnsAndNoticesAVanishedRow) {
    MakeDb("CREATE TABLE T (ID VARCHAR(100), A FLOAT, B FLOAT)");
    Db->Exec("INSERT INTO T VALUES ('x', 1, 1), ('y', 2, 2)");
    TDataset T(*Db, "T");
    T.SetOrderBy("ID");
    T.Open();
    // Another connection (the material manager's) changes B meanwhile.
    auto Other = TDatabase::Open(Db->Path());
    Other->Exec("UPDATE T SET B = 99 WHERE ID = 'x'");
    T.Edit();
    T.FieldByName("A").SetFloat(5);
    T.Post();
    EXPECT_EQ(Raw("SELECT A FROM T WHERE ID = 'x'"), TValue(5.0));
    EXPECT_EQ(Raw("SELECT B FROM T WHERE ID = 'x'"), TValue(99.0));
    EXPECT_DOUBLE_EQ(T.FieldByName("B").AsFloat(), 99.0); // the posted row is re-read

    // An edit of a row deleted meanwhile is not reported as stored.
    T.Next();
    Other->Exec("DELETE FROM T WHERE ID = 'y'");
    T.Edit();
    T.FieldByName("A").SetFloat(7);
    EXPECT_THROW(T.Post(), EDatabaseError);
    EXPECT_EQ(T.State(), TDatasetState::Edit);
    T.Cancel();
}

TEST_F(DbTest, AppendInsertCancelDeleteKeepPositionsAndNavigation) {
    MakeDb("CREATE TABLE T (POS INTEGER)");
    Db->Exec("INSERT INTO T VALUES (1), (2), (3)");
    TDataset T(*Db, "T");
    T.SetOrderBy("POS");
    T.Open();
    std::vector<int64_t> Seen;
    for (T.First(); !T.Eof(); T.Next()) {
        Seen.push_back(T.FieldByName("POS").AsLargeInt());
    }
    EXPECT_EQ(Seen, (std::vector<int64_t>{1, 2, 3}));
    Seen.clear();
    for (T.Last(); !T.Bof(); T.Prior()) {
        Seen.push_back(T.FieldByName("POS").AsLargeInt());
    }
    EXPECT_EQ(Seen, (std::vector<int64_t>{3, 2, 1}));

    T.SetRecNo(2);
    T.Insert(); // before the current row
    EXPECT_EQ(T.RecNo(), 2);
    T.FieldByName("POS").SetInteger(15);
    T.Post();
    EXPECT_EQ(T.RecNo(), 2);
    EXPECT_EQ(T.RecordCount(), 4);
    T.Append();
    T.Cancel(); // back to the row that was current
    EXPECT_EQ(T.FieldByName("POS").AsInteger(), 15);
    EXPECT_EQ(T.RecordCount(), 4);
    T.Refresh(); // re-sorted, still on the same row
    EXPECT_EQ(T.RecNo(), 4);
    EXPECT_EQ(T.FieldByName("POS").AsInteger(), 15);

    // Deleting in a loop visits every row once and ends, also when the
    // last row goes.
    int Deleted = 0;
    for (T.First(); !T.Eof();) {
        if (T.FieldByName("POS").AsInteger() % 2 == 1) {
            T.Delete();
            ++Deleted;
        } else {
            T.Next();
        }
    }
    EXPECT_EQ(Deleted, 3);
    EXPECT_EQ(Count("T"), 1);
    EXPECT_EQ(Raw("SELECT POS FROM T"), TValue(int64_t{2}));
    while (!T.IsEmpty()) {
        T.Delete();
    }
    EXPECT_TRUE(T.Eof() && T.Bof());
    EXPECT_THROW(T.Edit(), EDatabaseError);
    EXPECT_THROW(T.Delete(), EDatabaseError);
}

// ------------------------------------------------------------ master-detail

class MasterDetailTest : public DbTest {
protected:
    void SetUp() override {
        MakeDb("CREATE TABLE Buildings (ID VARCHAR(100));"
               "CREATE TABLE Months (BUILDING VARCHAR(100), MONTH INTEGER, TEMP FLOAT);"
               "CREATE TABLE LayeredComponents (BUILDING VARCHAR(100), TYPE VARCHAR(100), ID VARCHAR(100));"
               "CREATE TABLE Layers (BUILDING VARCHAR(100), TYPE VARCHAR(100), COMPONENT VARCHAR(100),"
               "  POS INTEGER, ID VARCHAR(100));"
               "INSERT INTO Buildings VALUES ('Hus'), ('Åby');"
               "INSERT INTO Months VALUES ('HUS', 2, -3), ('hus', 1, -4), ('åBY', 1, -9), ('Other', 1, 0);"
               "INSERT INTO LayeredComponents VALUES ('Hus', 'OuterWall', 'V1'), ('Hus', 'Roof', 'V1');"
               "INSERT INTO Layers VALUES ('Hus', 'OuterWall', 'V1', 1, 'Betong'), ('Hus', 'Roof', 'V1', 1, 'Trä'),"
               "  ('Hus', 'OuterWall', 'V1', 2, 'Puts'), ('Åby', 'OuterWall', 'V1', 1, 'Tegel');");
    }
};

TEST_F(MasterDetailTest, DetailFollowsTheMasterAndTakesItsLinkValues) {
    TDataset B(*Db, "Buildings");
    B.SetOrderBy("ID");
    TDataset M(*Db, "Months");
    M.SetOrderBy("MONTH");
    M.SetMaster(&B, {{"BUILDING", "ID"}});
    M.Open(); // the detail may open before its master: empty until then
    EXPECT_TRUE(M.IsEmpty());
    B.Open();
    ASSERT_EQ(B.FieldByName("ID").AsString(), "Hus");
    ASSERT_EQ(M.RecordCount(), 2); // link values compared without regard to case
    EXPECT_EQ(M.FieldByName("MONTH").AsInteger(), 1);
    B.Next();
    ASSERT_EQ(B.FieldByName("ID").AsString(), "Åby");
    ASSERT_EQ(M.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(M.FieldByName("TEMP").AsFloat(), -9.0);

    M.Append();
    EXPECT_EQ(M.FieldByName("BUILDING").AsString(), "Åby");
    M.FieldByName("MONTH").SetInteger(2);
    M.Post();
    EXPECT_EQ(Raw("SELECT count(*) FROM Months WHERE BUILDING = 'Åby' AND MONTH = 2"), TValue(int64_t{1}));

    // A new master row without ID has no detail rows; setting the link
    // field re-reads the detail.
    B.Append();
    EXPECT_TRUE(M.IsEmpty());
    B.FieldByName("ID").SetString("HUS");
    EXPECT_EQ(M.RecordCount(), 2);
    B.Cancel();
    EXPECT_EQ(B.FieldByName("ID").AsString(), "Åby");
    EXPECT_EQ(M.RecordCount(), 2);

    // A detail edit pending when the master moves is posted, not lost.
    M.First();
    M.Edit();
    M.FieldByName("TEMP").SetFloat(-10);
    B.First();
    EXPECT_EQ(Raw("SELECT TEMP FROM Months WHERE BUILDING = 'åBY' AND MONTH = 1"), TValue(-10.0));
    B.Close();
    EXPECT_TRUE(M.IsEmpty());
}

TEST_F(MasterDetailTest, ADetailOutlivingItsMasterStaysRestricted) {
    auto B = std::make_unique<TDataset>(*Db, "Buildings");
    TDataset M(*Db, "Months");
    M.SetMaster(B.get(), {{"BUILDING", "ID"}});
    B->Open();
    M.Open();
    EXPECT_EQ(M.RecordCount(), 2);
    B.reset();
    EXPECT_EQ(M.Master(), nullptr);
    M.Refresh(); // no master row: no rows, not every row of the table
    EXPECT_TRUE(M.IsEmpty());
    M.SetMaster(nullptr, {});
    M.Refresh();
    EXPECT_EQ(M.RecordCount(), 4);
}

TEST_F(MasterDetailTest, ThreeLevelsWithSeveralLinkColumns) {
    TDataset B(*Db, "Buildings");
    B.SetOrderBy("ID");
    TDataset C(*Db, "LayeredComponents");
    C.SetFilter("TYPE = ?", {std::string("OuterWall")});
    C.SetMaster(&B, {{"BUILDING", "ID"}});
    TDataset L(*Db, "Layers");
    L.SetOrderBy("POS");
    L.SetMaster(&C, {{"BUILDING", "BUILDING"}, {"COMPONENT", "ID"}, {"TYPE", "TYPE"}});
    B.Open();
    C.Open();
    L.Open();
    ASSERT_EQ(C.RecordCount(), 1);
    ASSERT_EQ(L.RecordCount(), 2); // not the roof's layer of the same name
    EXPECT_EQ(L.FieldByName("ID").AsString(), "Betong");
    L.Last();
    L.Append();
    EXPECT_EQ(L.FieldByName("TYPE").AsString(), "OuterWall");
    EXPECT_EQ(L.FieldByName("COMPONENT").AsString(), "V1");
    EXPECT_EQ(L.FieldByName("BUILDING").AsString(), "Hus");
    L.FieldByName("POS").SetInteger(3);
    L.Post();
    B.Next(); // Åby has no constructions: both levels are empty
    EXPECT_TRUE(C.IsEmpty());
    EXPECT_TRUE(L.IsEmpty());
    B.First();
    EXPECT_EQ(L.RecordCount(), 3);
    // Re-reading the master keeps the detail on its row.
    L.SetRecNo(2);
    B.Refresh();
    EXPECT_EQ(L.RecNo(), 2);
    EXPECT_EQ(L.FieldByName("ID").AsString(), "Puts");
}

TEST_F(MasterDetailTest, DisabledControlsHoldBackScrollsAndDetailsUntilEnabled) {
    TDataset B(*Db, "Buildings");
    B.SetOrderBy("ID");
    TDataset M(*Db, "Months");
    M.SetMaster(&B, {{"BUILDING", "ID"}});
    B.Open();
    M.Open();
    std::vector<TDatasetEvent> Events;
    B.AddListener([&](TDataset&, TDatasetEvent E, TField*) { Events.push_back(E); });
    B.DisableControls();
    B.Next();
    EXPECT_EQ(M.RecordCount(), 2); // still Hus's months
    B.Edit();                      // state changes are still reported
    B.Cancel();
    B.EnableControls();
    EXPECT_EQ(M.RecordCount(), 1);
    EXPECT_EQ(Events, (std::vector<TDatasetEvent>{TDatasetEvent::StateChange, TDatasetEvent::StateChange,
                                                  TDatasetEvent::Scroll}));
}

// -------------------------------------------------------- locate, bookmarks

TEST_F(DbTest, LocateIgnoresCaseIncludingSwedishLettersUnlessAsked) {
    MakeDb("CREATE TABLE T (TYPE VARCHAR(100), ID VARCHAR(100), N INTEGER, B BOOLEAN)");
    Db->Exec("INSERT INTO T VALUES ('Roof', 'åäö', 1, 'N'), ('OuterWall', 'Vägg', 2, 'N'),"
             " ('OuterWall', 'ÅÄÖ', 3, 'Y')");
    TDataset T(*Db, "T");
    T.Open();
    EXPECT_TRUE(T.Locate({"TYPE", "ID"}, {std::string("outerwall"), std::string("åäö")}));
    EXPECT_EQ(T.FieldByName("N").AsInteger(), 3);
    EXPECT_TRUE(T.Locate({"ID"}, {std::string("VÄGG")}));
    EXPECT_EQ(T.FieldByName("N").AsInteger(), 2);
    // Exact case: "ÅÄÖ" is not "åäö"; a failed Locate keeps the current row.
    EXPECT_FALSE(T.Locate({"TYPE", "ID"}, {std::string("OuterWall"), std::string("åäö")}, {true}));
    EXPECT_EQ(T.FieldByName("N").AsInteger(), 2);
    EXPECT_TRUE(T.Locate({"ID"}, {std::string("åäö")}, {true}));
    EXPECT_EQ(T.FieldByName("N").AsInteger(), 1);
    // Numbers match numbers and numeric text; booleans by their truth.
    EXPECT_TRUE(T.Locate({"n"}, {std::string("3")}));
    EXPECT_EQ(T.FieldByName("ID").AsString(), "ÅÄÖ");
    EXPECT_TRUE(T.Locate({"B", "N"}, {int64_t{0}, 2.0}));
    EXPECT_EQ(T.FieldByName("ID").AsString(), "Vägg");
    EXPECT_THROW(T.Locate({"NOPE"}, {int64_t{1}}), EDatabaseError);
}

TEST_F(DbTest, BookmarksSurviveDeletesOfOtherRowsAndFallBackWhenTheirRowIsGone) {
    MakeDb("CREATE TABLE T (ID VARCHAR(10))");
    Db->Exec("INSERT INTO T VALUES ('a'), ('b'), ('c'), ('d')");
    TDataset T(*Db, "T");
    T.SetOrderBy("ID");
    T.Open();
    T.SetRecNo(3);
    const TBookmark C = T.GetBookmark();
    T.SetRecNo(2);
    const TBookmark B = T.GetBookmark();
    T.First();
    T.Delete(); // 'a' gone: 'c' moved to position 2
    EXPECT_TRUE(T.BookmarkValid(C));
    T.GotoBookmark(C);
    EXPECT_EQ(T.FieldByName("ID").AsString(), "c");
    T.GotoBookmark(B);
    EXPECT_EQ(T.FieldByName("ID").AsString(), "b");
    T.Delete();
    EXPECT_FALSE(T.BookmarkValid(B));
    T.Last();
    T.GotoBookmark(B); // gone: the position it had
    EXPECT_EQ(T.RecNo(), 2);
    EXPECT_EQ(T.FieldByName("ID").AsString(), "d");
}

// -------------------------------------------------- calculated fields, events

TEST_F(DbTest, CalculatedFieldsFollowEveryReadAndEveryEdit) {
    MakeDb("CREATE TABLE Windows (ID VARCHAR(100), DIRECTION INTEGER, AREA FLOAT)");
    Db->Exec("INSERT INTO Windows VALUES ('F1', 1, 2), ('F2', 7, 3)");
    TDataset W(*Db, "Windows");
    W.SetOrderBy("ID");
    W.AddCalculatedField("DIRECTIONSTR", TFieldType::String);
    W.SetOnCalcFields([](TDataset& D) {
        static const char* Names[] = {"Norr", "Söder", "Väster", "Öster", "Horisontell"};
        const int Dir = D.FieldByName("DIRECTION").AsInteger();
        if (Dir >= 0 && Dir <= 4) {
            D.FieldByName("DIRECTIONSTR").SetString(Names[Dir]);
        }
    });
    W.Open();
    EXPECT_EQ(W.FieldByName("DIRECTIONSTR").AsString(), "Söder");
    EXPECT_TRUE(W.FieldByName("DIRECTIONSTR").Calculated());
    W.Next();
    EXPECT_TRUE(W.FieldByName("DIRECTIONSTR").IsNull());
    W.Edit();
    W.FieldByName("DIRECTION").SetInteger(3);
    EXPECT_EQ(W.FieldByName("DIRECTIONSTR").AsString(), "Öster");
    W.Post();
    EXPECT_EQ(W.FieldByName("DIRECTIONSTR").AsString(), "Öster");
    EXPECT_THROW(W.AddCalculatedField("LATE", TFieldType::Double), EDatabaseError);
    // The calculated value is never written.
    auto Cols = Db->Prepare("SELECT count(*) FROM pragma_table_info('Windows')");
    ASSERT_TRUE(Cols.Step());
    EXPECT_EQ(Cols.Column(0), TValue(int64_t{3}));
}

TEST_F(DbTest, ListenersHearStateFieldPostScrollAndDeleteInOrder) {
    MakeDb("CREATE TABLE T (ID VARCHAR(10), N INTEGER)");
    Db->Exec("INSERT INTO T VALUES ('a', 1), ('b', 2)");
    TDataset T(*Db, "T");
    T.SetOrderBy("ID");
    T.Open();
    std::vector<std::string> Log;
    const int Id = T.AddListener([&](TDataset&, TDatasetEvent E, TField* F) {
        const char* Names[] = {"scroll", "state", "field", "refresh", "post", "delete"};
        Log.push_back(std::string(Names[static_cast<int>(E)]) + (F != nullptr ? ":" + F->FieldName() : ""));
    });
    T.Edit();
    T.FieldByName("N").SetInteger(5);
    T.Next(); // posts first
    T.Delete();
    T.RemoveListener(Id);
    T.First();
    EXPECT_EQ(Log, (std::vector<std::string>{"state", "field:N", "state", "post", "scroll", "delete", "scroll"}));
    EXPECT_EQ(Raw("SELECT N FROM T WHERE ID = 'a'"), TValue(int64_t{5}));
}

TEST_F(DbTest, ValidateHandlerRefusesAValueAndKeepsTheOldOne) {
    MakeDb("CREATE TABLE Buildings (INTPUNDEFW FLOAT NOT NULL DEFAULT 0)");
    Db->Exec("INSERT INTO Buildings VALUES (10)");
    TDataset T(*Db, "Buildings");
    T.Open();
    T.FieldByName("INTPUNDEFW").SetOnValidate([](const TField& F, const TValue& V) {
        const double D = std::get<double>(V);
        if (D < 0 || D > 999999) {
            throw EDatabaseError(F.FieldName() + " must lie between 0 and 999999");
        }
    });
    T.Edit();
    EXPECT_THROW(T.FieldByName("INTPUNDEFW").SetString("1000000"), EDatabaseError);
    EXPECT_DOUBLE_EQ(T.FieldByName("INTPUNDEFW").AsFloat(), 10.0);
    T.FieldByName("INTPUNDEFW").SetFloat(500);
    T.Post();
    EXPECT_EQ(Raw("SELECT INTPUNDEFW FROM Buildings"), TValue(500.0));
}

// -------------------------------------------------------------- queries

TEST_F(DbTest, QueriesBindParametersAndStayReadOnly) {
    MakeDb("CREATE TABLE DefaultValues (TYPE TEXT, DEFAULTCHOICESIDNO INTEGER, DEFVALUE FLOAT)");
    Db->Exec("INSERT INTO DefaultValues VALUES ('N50', 1, 3.0), ('N50', 2, 1.5), ('P50', 1, 0.8)");
    TQuery Q(*Db, "SELECT * FROM DefaultValues WHERE TYPE = :TYPE AND DEFAULTCHOICESIDNO = ?2");
    Q.SetParam(":TYPE", std::string("N50' OR '1'='1")); // bound, not spliced
    Q.SetParam(2, int64_t{2});
    Q.Open();
    EXPECT_TRUE(Q.IsEmpty());
    Q.SetParam("TYPE", std::string("N50"));
    Q.Refresh();
    ASSERT_EQ(Q.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(Q.FieldByName("DEFVALUE").AsFloat(), 1.5);
    EXPECT_EQ(Q.FieldByName("DEFVALUE").DataType(), TFieldType::Double);
    EXPECT_THROW(Q.Edit(), EDatabaseError);
    EXPECT_THROW(Q.Append(), EDatabaseError);

    TQuery X(*Db, "DELETE FROM DefaultValues WHERE TYPE = :T");
    X.SetParam(":T", std::string("P50"));
    X.ExecSQL();
    EXPECT_EQ(Count("DefaultValues"), 2);
    // A second statement would silently not run: refused.
    TQuery Two(*Db, "DELETE FROM DefaultValues; DROP TABLE DefaultValues");
    EXPECT_THROW(Two.ExecSQL(), EDatabaseError);
    EXPECT_EQ(Count("DefaultValues"), 2);
    TQuery Commented(*Db, "UPDATE DefaultValues SET DEFVALUE = 2 WHERE DEFAULTCHOICESIDNO = 2; -- halved\n;");
    Commented.ExecSQL(); // comments and semicolons after the statement are fine
    EXPECT_EQ(Raw("SELECT DEFVALUE FROM DefaultValues WHERE DEFAULTCHOICESIDNO = 2"), TValue(2.0));
    Q.SetSQL("SELECT * FROM NoSuchTable");
    EXPECT_THROW(Q.Open(), EDatabaseError);
}

TEST_F(DbTest, QueryParameterFollowsItsMaster) {
    MakeDb("CREATE TABLE Buildings (ID VARCHAR(100));"
           "CREATE TABLE Layers (BUILDING VARCHAR(100), POS INTEGER);"
           "INSERT INTO Buildings VALUES ('A'), ('B');"
           "INSERT INTO Layers VALUES ('A', 2), ('A', 1), ('B', 1);");
    TDataset B(*Db, "Buildings");
    B.SetOrderBy("ID");
    TQuery Q(*Db, "SELECT * FROM Layers WHERE Building = :ID\nORDER BY pos");
    Q.SetMaster(&B, {{":ID", "ID"}});
    B.Open();
    Q.Open();
    EXPECT_EQ(Q.RecordCount(), 2);
    EXPECT_EQ(Q.FieldByName("POS").AsInteger(), 1);
    B.Next();
    EXPECT_EQ(Q.RecordCount(), 1);
}

TEST_F(DbTest, OpeningAMissingTableNamesTableAndDatabase) {
    MakeDb("CREATE TABLE T (A INTEGER)");
    TDataset T(*Db, "Buildings");
    const std::string Msg = ErrorOf([&] { T.Open(); });
    EXPECT_NE(Msg.find("Buildings"), std::string::npos) << Msg;
    EXPECT_NE(Msg.find(Db->Path()), std::string::npos) << Msg;
    EXPECT_FALSE(T.Active());
}

// ----------------------------------------------------------- transactions

TEST_F(DbTest, TransactionGuardRollsBackUnlessCommittedAlsoWhenNested) {
    MakeDb("CREATE TABLE T (N INTEGER)");
    {
        TDatabase::TTransaction Outer(*Db);
        Db->Exec("INSERT INTO T VALUES (1)");
        {
            TDatabase::TTransaction Inner(*Db);
            Db->Exec("INSERT INTO T VALUES (2)");
            Inner.Commit();
        }
        EXPECT_TRUE(Db->InTransaction());
    } // the outer guard rolls back what the committed inner one did too
    EXPECT_FALSE(Db->InTransaction());
    EXPECT_EQ(Count("T"), 0);
    {
        TDatabase::TTransaction Outer(*Db);
        Db->Exec("INSERT INTO T VALUES (1)");
        try {
            TDatabase::TTransaction Inner(*Db);
            Db->Exec("INSERT INTO T VALUES (2)");
            Db->Exec("INSERT INTO NoSuchTable VALUES (3)");
            Inner.Commit();
        } catch (const EDatabaseError&) {
        }
        Outer.Commit();
    }
    EXPECT_EQ(Count("T"), 1);
    EXPECT_EQ(Raw("SELECT N FROM T"), TValue(int64_t{1}));
    // Posting through a dataset inside a rolled-back guard leaves nothing.
    TDataset D(*Db, "T");
    D.Open();
    {
        TDatabase::TTransaction Tx(*Db);
        D.Append();
        D.FieldByName("N").SetInteger(9);
        D.Post();
    }
    EXPECT_EQ(Count("T"), 1);
}

TEST_F(DbTest, WriteTransactionTakesTheLockAtBegin) {
    MakeDb("CREATE TABLE T (N INTEGER)");
    auto Second = TDatabase::Open(Db->Path());
    sqlite3_busy_timeout(Second->Handle(), 50);
    TDatabase::TTransaction Tx(*Db);
    Db->Exec("INSERT INTO T VALUES (1)");
    // A deferred BEGIN would succeed here and fail only at the first write.
    EXPECT_THROW(TDatabase::TTransaction Other(*Second), EDatabaseError);
    EXPECT_FALSE(Second->InTransaction());
    Tx.Commit();
    TDatabase::TTransaction Now(*Second);
    Now.Commit();
}

TEST_F(DbTest, ScriptRunsWholeOrNotAtAll) {
    MakeDb("CREATE TABLE T (N INTEGER)");
    Db->ExecScript("INSERT INTO T VALUES (1);\r\nCREATE TABLE U (X TEXT);\r\nINSERT INTO U VALUES ('x');");
    EXPECT_EQ(Count("T"), 1);
    EXPECT_EQ(Count("U"), 1);
    EXPECT_THROW(Db->ExecScript("INSERT INTO T VALUES (2); INSERT INTO Nope VALUES (1);"), EDatabaseError);
    EXPECT_EQ(Count("T"), 1);
    // A script that commits on its own would escape the rollback: refused.
    EXPECT_THROW(Db->ExecScript("INSERT INTO T VALUES (3); COMMIT; INSERT INTO Nope VALUES (1);"), EDatabaseError);
    EXPECT_EQ(Count("T"), 1);
    EXPECT_FALSE(Db->InTransaction());
    // Outside a script, transaction statements work as usual.
    Db->Exec("BEGIN; INSERT INTO T VALUES (4); COMMIT;");
    EXPECT_EQ(Count("T"), 2);
}

// ------------------------------------------------------------------ open

TEST(Open, RefusesWhatIsNotAnExistingDatabaseAndCreatesNothing) {
    TempDir Dir;
    const std::string Missing = Dir.File("missing.s3db");
    const std::string Text = Dir.File("notes.txt");
    const std::string Empty = Dir.File("empty.s3db");
    const std::string Folder = Dir.File("folder.s3db");
    const std::string Notes = "this is not a database, just some text that is long enough\n";
    { std::ofstream(Text) << Notes; }
    { std::ofstream Touch(Empty); }
    fs::create_directory(Folder);
    struct Case {
        std::string Path;
        const char* Problem;
    };
    const Case Cases[] = {
        {Missing, "does not exist"},
        {Text, "not a database"},
        {Empty, "empty"},
        {Folder, "folder"},
    };
    for (const Case& C : Cases) {
        const std::string Msg = ErrorOf([&] { TDatabase::Open(C.Path); });
        EXPECT_NE(Msg.find(C.Path), std::string::npos) << Msg;
        EXPECT_NE(Msg.find(C.Problem), std::string::npos) << Msg;
    }
    EXPECT_FALSE(fs::exists(Missing));
    EXPECT_EQ(fs::file_size(Empty), 0u);
    EXPECT_EQ(fs::file_size(Text), Notes.size());
    // Nothing beside them either (no journal, no -wal/-shm).
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir.Path()), fs::directory_iterator()), 3);
    EXPECT_THROW(TDatabase::Open(""), EDatabaseError);
}

TEST(Open, CreateRefusesAnExistingFileAndOpenUsesWal) {
    TempDir Dir;
    const std::string Path = Dir.File("x.s3db");
    { std::ofstream(Path) << "keep me"; }
    EXPECT_THROW(TDatabase::Create(Path), EDatabaseError);
    EXPECT_EQ(fs::file_size(Path), 7u);
    const std::string New = Dir.File("new.s3db");
    {
        auto Db = TDatabase::Create(New);
        Db->Exec("CREATE TABLE T (A INTEGER)");
    }
    auto Db = TDatabase::Open(New);
    TStatement Mode = Db->Prepare("PRAGMA journal_mode");
    ASSERT_TRUE(Mode.Step());
    EXPECT_EQ(Mode.Column(0), TValue(std::string("wal")));
    TStatement Sync = Db->Prepare("PRAGMA synchronous");
    ASSERT_TRUE(Sync.Step());
    EXPECT_EQ(Sync.Column(0), TValue(int64_t{1})); // NORMAL
    EXPECT_TRUE(Db->TableExists("t"));
    EXPECT_FALSE(Db->TableExists("Buildings"));
}
