// The record encoding: the bytes each property type is written as, the tags
// the reader accepts, text decoding, the extended-float conversion and the
// refusal of malformed records.
#include "ByteHelpers.h"

#include "exchange/TextCodec.h"
#include "exchange/UnitExportImport.h"
#include "exchange/UnitPropertyStream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

namespace {

// --- what each value is written as -----------------------------------------

struct TWriteCase {
    const char* What;
    std::function<void(TStreamWriter&)> Write;
    TBytes Expected; // the bytes after BeginRecord, before EndRecord
};

std::string Repeat(char C, size_t N) { return std::string(N, C); }

std::ostream& operator<<(std::ostream& O, const TWriteCase& C) { return O << C.What; }

class WriteRules : public ::testing::TestWithParam<TWriteCase> {};

TEST_P(WriteRules, PropertyIsWrittenAsTheFormatPrescribes) {
    const TWriteCase& C = GetParam();
    TBytes Out;
    TStreamWriter W(Out);
    C.Write(W);
    EXPECT_EQ(Hex(Out), Hex(C.Expected)) << C.What;
}

const std::string S255 = Repeat('x', 255);
const std::string S256 = Repeat('y', 256);
const std::string S300 = Repeat('z', 300);

INSTANTIATE_TEST_SUITE_P(
    Values, WriteRules,
    ::testing::Values(
        TWriteCase{"-1 as Int8", [](auto& W) { W.WriteInteger("I", -1); }, Cat({1, "I", 0x02, 0xFF})},
        TWriteCase{"0 is written", [](auto& W) { W.WriteInteger("I", 0); }, Cat({1, "I", 0x02, 0x00})},
        TWriteCase{"127 as Int8", [](auto& W) { W.WriteInteger("I", 127); }, Cat({1, "I", 0x02, 0x7F})},
        TWriteCase{"-128 as Int8", [](auto& W) { W.WriteInteger("I", -128); }, Cat({1, "I", 0x02, 0x80})},
        TWriteCase{"128 as Int16", [](auto& W) { W.WriteInteger("I", 128); }, Cat({1, "I", 0x03, 0x80, 0x00})},
        TWriteCase{"200 as Int16", [](auto& W) { W.WriteInteger("I", 200); }, Cat({1, "I", 0x03, 0xC8, 0x00})},
        TWriteCase{"-32768 as Int16", [](auto& W) { W.WriteInteger("I", -32768); }, Cat({1, "I", 0x03, 0x00, 0x80})},
        TWriteCase{"32768 as Int32", [](auto& W) { W.WriteInteger("I", 32768); }, Cat({1, "I", 0x04, 0x00, 0x80, 0x00, 0x00})},
        TWriteCase{"40000 as Int32", [](auto& W) { W.WriteInteger("I", 40000); }, Cat({1, "I", 0x04, 0x40, 0x9C, 0x00, 0x00})},
        TWriteCase{"-32769 as Int32", [](auto& W) { W.WriteInteger("I", -32769); }, Cat({1, "I", 0x04, 0xFF, 0x7F, 0xFF, 0xFF})},
        TWriteCase{"false always", [](auto& W) { W.WriteBoolean("B", false); }, Cat({1, "B", 0x08})},
        TWriteCase{"true", [](auto& W) { W.WriteBoolean("B", true); }, Cat({1, "B", 0x09})},
        TWriteCase{"1.0 as Extended", [](auto& W) { W.WriteFloat("F", 1.0); },
                   Cat({1, "F", 0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
        TWriteCase{"-2.0", [](auto& W) { W.WriteFloat("F", -2.0); },
                   Cat({1, "F", 0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0})},
        TWriteCase{"0.1: the double's bits, exactly", [](auto& W) { W.WriteFloat("F", 0.1); },
                   Cat({1, "F", 0x05, 0x00, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F})},
        TWriteCase{"0.0 is left out", [](auto& W) { W.WriteFloat("F", 0.0); }, {}},
        TWriteCase{"-0.0 is left out", [](auto& W) { W.WriteFloat("F", -0.0); }, {}},
        TWriteCase{"empty text is left out", [](auto& W) { W.WriteText("T", ""); }, {}},
        TWriteCase{"ASCII as String", [](auto& W) { W.WriteText("T", "A"); }, Cat({1, "T", 0x06, 1, "A"})},
        TWriteCase{"255 ASCII characters as String", [](auto& W) { W.WriteText("T", S255); },
                   Cat({1, "T", 0x06, 0xFF, S255})},
        TWriteCase{"256 ASCII characters as LString", [](auto& W) { W.WriteText("T", S256); },
                   Cat({1, "T", 0x0C, 0x00, 0x01, 0x00, 0x00, S256})},
        TWriteCase{"300 ASCII characters as LString", [](auto& W) { W.WriteText("T", S300); },
                   Cat({1, "T", 0x0C, 0x2C, 0x01, 0x00, 0x00, S300})},
        TWriteCase{"one ä in four letters as UTF8String", [](auto& W) { W.WriteText("T", "bära"); },
                   Cat({1, "T", 0x14, 5, 0, 0, 0, "b\xC3\xA4ra"})},
        TWriteCase{"åäö as WString (6 bytes, not below 2 x 3)", [](auto& W) { W.WriteText("T", "åäö"); },
                   Cat({1, "T", 0x12, 3, 0, 0, 0, 0xE5, 0, 0xE4, 0, 0xF6, 0})},
        TWriteCase{"€ as WString", [](auto& W) { W.WriteText("T", "€"); },
                   Cat({1, "T", 0x12, 1, 0, 0, 0, 0xAC, 0x20})},
        TWriteCase{"ab€ as UTF8String (5 bytes below 2 x 3)", [](auto& W) { W.WriteText("T", "ab€"); },
                   Cat({1, "T", 0x14, 5, 0, 0, 0, "ab\xE2\x82\xAC"})},
        TWriteCase{"a character outside the BMP as a surrogate pair",
                   [](auto& W) { W.WriteText("T", "\xF0\x9F\x98\x80"); },
                   Cat({1, "T", 0x12, 2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE})}));

// The worked examples: whole records.
TEST(RecordBytes, FileInfoForThreeBuildingsIs46Bytes) {
    TBytes Out;
    TStreamWriter W(Out);
    TExpFileInfo2 Info;
    Info.SetNBuildings(3);
    Info.WriteRecord(W);
    const TBytes Expected = Cat({0x54, 0x50, 0x46, 0x30, 0x0D, "TExpFileInfo2", 0x00, 0x08, "PVersion",
                                 0x02, 0x02, 0x0B, "PNBuildings", 0x02, 0x03, 0x00, 0x00});
    ASSERT_EQ(Expected.size(), 46u);
    EXPECT_EQ(Hex(Out), Hex(Expected));
}

TBytes WindowExample() {
    return Cat({0x54, 0x50, 0x46, 0x30, 0x0B, "TExpWindow2", 0x00, 0x08, "PVersion", 0x02, 0x02,
                0x09, "PBuilding", 0x06, 0x01, 0x41, 0x03, "PID", 0x06, 0x01, 0x57, 0x05, "PArea",
                0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x40, 0x0A,
                "PDirection", 0x02, 0x03, 0x00, 0x00});
}

TEST(RecordBytes, WindowExampleIs80BytesAndReadsBack) {
    TExpWindow2 Win;
    Win.PBuilding = "A";
    Win.PID = "W";
    Win.PArea = 2.0;
    Win.PDirection = 3;
    TBytes Out;
    TStreamWriter W(Out);
    Win.WriteRecord(W);
    ASSERT_EQ(WindowExample().size(), 80u);
    EXPECT_EQ(Hex(Out), Hex(WindowExample()));

    TStreamReader R(Out);
    TExpWindow2 Back;
    Back.ReadRecord(R);
    EXPECT_EQ(Back, Win);
    EXPECT_TRUE(R.AtEnd());
}

TEST(RecordBytes, ZeroNumbersAndEmptyTextsAreAbsentAndReadAsZeroAndEmpty) {
    TExpDoor2 Door;
    TBytes Out;
    TStreamWriter W(Out);
    Door.WriteRecord(W);
    EXPECT_EQ(Hex(Out), Hex(Record("TExpDoor2", Cat({8, "PVersion", 0x02, 0x02}))));

    TExpDoor2 Back;
    Back.PID = "before";
    Back.PArea = 5;
    TStreamReader R(Out);
    Back.ReadRecord(R);
    // Reading sets only what the record holds.
    EXPECT_EQ(Back.PID, "before");
    EXPECT_EQ(Back.PArea, 5);
    TExpDoor2 Fresh;
    TStreamReader R2(Out);
    Fresh.ReadRecord(R2);
    EXPECT_EQ(Fresh, Door);
}

// --- what the reader accepts ----------------------------------------------

// A door record with one property carrying the given tag and payload.
TBytes DoorWith(std::string_view Prop, const TBytes& TagAndPayload) {
    return Record("TExpDoor2", Cat(Name(Prop), TagAndPayload));
}

template <class T>
TBytes Le(T V) {
    TBytes B(sizeof V);
    std::memcpy(B.data(), &V, sizeof V);
    return B;
}

struct TFloatTagCase {
    const char* What;
    TBytes TagAndPayload;
    double Expected;
};

std::ostream& operator<<(std::ostream& O, const TFloatTagCase& C) { return O << C.What; }

class FloatTags : public ::testing::TestWithParam<TFloatTagCase> {};

TEST_P(FloatTags, FloatPropertyAcceptsTheOtherNumberTags) {
    const auto& C = GetParam();
    const TBytes Rec = DoorWith("PArea", C.TagAndPayload);
    TStreamReader R(Rec);
    TExpDoor2 D;
    D.ReadRecord(R);
    EXPECT_EQ(D.PArea, C.Expected) << C.What;
    EXPECT_TRUE(R.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(
    Tags, FloatTags,
    ::testing::Values(
        TFloatTagCase{"Int8", Cat({0x02, 0xF9}), -7.0},
        TFloatTagCase{"Int16", Cat({0x03, 0xE8, 0x03}), 1000.0},
        TFloatTagCase{"Int32", Cat({0x04, 0x90, 0xEE, 0xFE, 0xFF}), -70000.0},
        TFloatTagCase{"Int64", Cat(Cat({0x13}), Le<int64_t>(-5000000000LL)), -5e9},
        // 2^53 + 1 has no double; it rounds to the even neighbour 2^53.
        TFloatTagCase{"Int64 beyond 2^53", Cat(Cat({0x13}), Le<int64_t>((int64_t{1} << 53) + 1)), 9007199254740992.0},
        TFloatTagCase{"Double", Cat(Cat({0x15}), Le<double>(12.375)), 12.375},
        TFloatTagCase{"Extended", Cat({0x05, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40}), 3.0}));

struct TBadTagCase {
    const char* What;
    TBytes Rec;
    const char* MessagePart;
};

std::ostream& operator<<(std::ostream& O, const TBadTagCase& C) { return O << C.What; }

class BadTags : public ::testing::TestWithParam<TBadTagCase> {};

TEST_P(BadTags, UnsuitableOrUnknownTagFailsTheRecord) {
    const auto& C = GetParam();
    TStreamReader R(C.Rec);
    TExpDoor2 D;
    try {
        D.ReadRecord(R);
        FAIL() << C.What << ": read without error";
    } catch (const EStreamReadError& E) {
        FAIL() << C.What << ": " << E.what();
    } catch (const EStreamError& E) {
        EXPECT_NE(std::string(E.what()).find(C.MessagePart), std::string::npos)
            << C.What << ": " << E.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tags, BadTags,
    ::testing::Values(
        TBadTagCase{"String for a float", DoorWith("PArea", Cat({0x06, 1, "1"})), "TExpDoor2.PArea: Value tag 0x06 does not suit"},
        TBadTagCase{"True for a float", DoorWith("PArea", Cat({0x09})), "0x09 does not suit"},
        TBadTagCase{"Extended for an integer", DoorWith("PVersion", Cat({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})), "0x05 does not suit"},
        TBadTagCase{"Int64 for an integer", DoorWith("PVersion", Cat(Cat({0x13}), Le<int64_t>(1))), "0x13 does not suit"},
        TBadTagCase{"Int8 for a text", DoorWith("PID", Cat({0x02, 1})), "0x02 does not suit"},
        TBadTagCase{"False for a text", DoorWith("PID", Cat({0x08})), "0x08 does not suit"},
        TBadTagCase{"binary tag", DoorWith("PArea", Cat({0x0A, 0, 0, 0, 0})), "Unknown value tag 0x0A"},
        TBadTagCase{"list tag", DoorWith("PID", Cat({0x01})), "Unknown value tag 0x01"},
        TBadTagCase{"tag FF", DoorWith("PID", Cat({0xFF})), "Unknown value tag 0xFF"},
        TBadTagCase{"unknown property", DoorWith("PGValue", Cat({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})), "Property PGValue does not exist"},
        TBadTagCase{"negative text length", DoorWith("PID", Cat({0x0C, 0xFF, 0xFF, 0xFF, 0xFF})), "Invalid text length"},
        TBadTagCase{"NaN as Extended", DoorWith("PArea", Cat({0x05, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F})), "not a finite number"},
        TBadTagCase{"infinity as Extended", DoorWith("PArea", Cat({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F})), "not a finite number"},
        TBadTagCase{"extended beyond the double range", DoorWith("PArea", Cat({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x44})), "beyond the range"},
        TBadTagCase{"infinity as Double", DoorWith("PArea", Cat(Cat({0x15}), Le<double>(std::numeric_limits<double>::infinity()))), "not a finite number"},
        TBadTagCase{"NaN as Double", DoorWith("PArea", Cat(Cat({0x15}), Le<double>(std::nan("")))), "not a finite number"},
        TBadTagCase{"a record with a child object", Cat({"TPF0", 9, "TExpDoor2", 0, 0, 9, "TExpDoor2", 0, 0, 0, 0}), "child objects"}));

// --- texts -------------------------------------------------------------------

TEST(Texts, StringAndLStringBytesAreWindows1252) {
    struct {
        uint8_t Byte;
        const char* Utf8;
    } const Cases[] = {
        {0x41, "A"},        {0x80, "€"},        {0x81, "\xC2\x81"}, {0x8A, "Š"},  {0x8D, "\xC2\x8D"},
        {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"}, {0x92, "\xE2\x80\x99"}, {0x9D, "\xC2\x9D"},
        {0x9F, "Ÿ"},        {0xA0, "\xC2\xA0"}, {0xC4, "Ä"},        {0xE5, "å"},  {0xFF, "ÿ"},
    };
    for (const auto& C : Cases) {
        for (const uint8_t Tag : {uint8_t{0x06}, uint8_t{0x0C}}) {
            const TBytes Payload = Tag == 0x06 ? Cat({0x06, 1, C.Byte}) : Cat({0x0C, 1, 0, 0, 0, C.Byte});
            const TBytes Rec = DoorWith("PID", Payload);
            TStreamReader R(Rec);
            TExpDoor2 D;
            D.ReadRecord(R);
            EXPECT_EQ(D.PID, C.Utf8) << "byte " << int(C.Byte) << " tag " << int(Tag);
        }
    }
    // Every byte decodes to exactly one valid character.
    std::string All;
    for (int B = 1; B < 256; ++B)
        All += static_cast<char>(B);
    const std::string U = Cp1252ToUtf8(All);
    EXPECT_TRUE(IsValidUtf8(U));
    EXPECT_EQ(Utf8Length(U), 255u);
}

TEST(Texts, MalformedUtf8AndUtf16AreRefused) {
    const char* const BadUtf8[] = {
        "\xC3",             // cut short
        "G\xC3(",           // continuation missing
        "\xC0\x80",         // overlong NUL
        "\xE0\x80\xAF",     // overlong '/'
        "\xED\xA0\x80",     // a surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xF8\x88\x80\x80\x80",
        "\x80",
        "\xFF",
    };
    for (const char* S : BadUtf8) {
        const std::string Text(S);
        const TBytes Rec = DoorWith("PID", Cat(Cat({0x14}), Cat(Le<int32_t>(static_cast<int32_t>(Text.size())),
                                                              TBytes(Text.begin(), Text.end()))));
        TStreamReader R(Rec);
        TExpDoor2 D;
        try {
            D.ReadRecord(R);
            ADD_FAILURE() << "accepted " << Hex(TBytes(Text.begin(), Text.end()));
        } catch (const EStreamError& E) {
            EXPECT_NE(std::string(E.what()).find("TExpDoor2.PID: The text is not valid UTF-8"),
                      std::string::npos)
                << E.what();
        }
    }
    const std::u16string BadUtf16[] = {u"\xD800", u"a\xDC00", std::u16string{0xD800, 0x41}, std::u16string{0x41, 0xDBFF}};
    for (const auto& Units : BadUtf16) {
        TBytes Payload = Cat(Cat({0x12}), Le<int32_t>(static_cast<int32_t>(Units.size())));
        for (const char16_t U : Units)
            Payload = Cat(Payload, Le<uint16_t>(U));
        const TBytes Rec = DoorWith("PID", Payload);
        TStreamReader R(Rec);
        TExpDoor2 D;
        try {
            D.ReadRecord(R);
            ADD_FAILURE() << "accepted " << Hex(Payload);
        } catch (const EStreamError& E) {
            EXPECT_NE(std::string(E.what()).find("unpaired surrogate"), std::string::npos) << E.what();
        }
    }
}

TEST(Texts, EveryWrittenTextReadsBackUnchanged) {
    const std::string Texts[] = {"A", "bära", "åäö", "€", "ab€", "\xF0\x9F\x98\x80 och ÅÄÖ",
                                 std::string(300, 'q'), "Ω", std::string("nul\0byte", 8)};
    for (const std::string& T : Texts) {
        TExpDoor2 D;
        D.PID = T;
        TBytes Out;
        TStreamWriter W(Out);
        D.WriteRecord(W);
        TStreamReader R(Out);
        TExpDoor2 Back;
        Back.ReadRecord(R);
        EXPECT_EQ(Back.PID, T);
    }
}

// --- refusals of the writer -------------------------------------------------

TEST(Writer, RefusesValuesItCouldNotReadBack) {
    TBytes Out;
    TStreamWriter W(Out);
    EXPECT_THROW(W.WriteFloat("F", std::numeric_limits<double>::infinity()), EStreamError);
    EXPECT_THROW(W.WriteFloat("F", std::nan("")), EStreamError);
    EXPECT_THROW(W.WriteText("T", "\xC3("), EStreamError);
    EXPECT_THROW(W.WriteInteger(std::string(256, 'n'), 1), EStreamError);
    EXPECT_TRUE(Out.empty());
}

// --- malformed records ------------------------------------------------------

TEST(Reader, EveryTruncationOfARecordIsAStreamReadError) {
    const TBytes Full = WindowExample();
    for (size_t N = 0; N < Full.size(); ++N) {
        const TBytes Cut(Full.begin(), Full.begin() + static_cast<long>(N));
        TStreamReader R(Cut);
        TExpWindow2 W;
        try {
            W.ReadRecord(R);
            ADD_FAILURE() << "no error at length " << N;
        } catch (const EStreamReadError& E) {
            EXPECT_STREQ(E.what(), "Stream read error");
        } catch (const EStreamError& E) {
            ADD_FAILURE() << "length " << N << ": " << E.what();
        }
    }
}

TEST(Reader, WrongSignatureIsInvalidStreamFormat) {
    for (const char* Sig : {"TPF1", "tpf0", "\0\0\0\0", "PK\x03\x04"}) {
        TBytes Rec = WindowExample();
        std::memcpy(Rec.data(), Sig, 4);
        TStreamReader R(Rec);
        TExpWindow2 W;
        try {
            W.ReadRecord(R);
            ADD_FAILURE() << "read";
        } catch (const EStreamError& E) {
            EXPECT_STREQ(E.what(), "Invalid stream format");
        }
    }
}

TEST(Reader, LengthsBeyondTheEndFailWithoutAllocating) {
    // A text claiming nearly 2 GiB in a 40-byte record.
    const TBytes Huge[] = {
        DoorWith("PID", Cat({0x0C, 0xF0, 0xFF, 0xFF, 0x7F, 'a'})),
        DoorWith("PID", Cat({0x14, 0xF0, 0xFF, 0xFF, 0x7F, 'a'})),
        DoorWith("PID", Cat({0x12, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0})),
        DoorWith("PID", Cat({0x06, 0xFF, 'a'})),
    };
    for (const TBytes& Rec : Huge) {
        TStreamReader R(Rec);
        TExpDoor2 D;
        EXPECT_THROW(D.ReadRecord(R), EStreamReadError) << Hex(Rec);
    }
}

TEST(Reader, ClassNameIsNotCheckedButPropertiesAre) {
    // A door's properties under a window's class name read into a door.
    TExpDoor2 Door;
    Door.PID = "D";
    Door.PArea = 1.5;
    TBytes Out;
    TStreamWriter W(Out);
    Door.WriteRecord(W);
    TBytes Renamed = Record("TExpWindow2", TBytes(Out.begin() + 4 + 1 + 9 + 1, Out.end() - 2));
    TStreamReader R(Renamed);
    TExpDoor2 Back;
    Back.ReadRecord(R);
    EXPECT_EQ(Back, Door);

    // A window record has PDirection, which a door lacks.
    const TBytes Win = WindowExample();
    TStreamReader R2(Win);
    TExpDoor2 NotADoor;
    EXPECT_THROW(NotADoor.ReadRecord(R2), EStreamError);
}

TEST(Reader, AnyRecordReaderKeepsEveryProperty) {
    const TBytes Win = WindowExample();
    TStreamReader R(Win);
    const TAnyRecord Rec = ReadAnyRecord(R);
    EXPECT_EQ(Rec.ClassName, "TExpWindow2");
    ASSERT_EQ(Rec.Properties.size(), 5u);
    EXPECT_EQ(Rec.Properties[3].first, "PArea");
    EXPECT_EQ(std::get<double>(Rec.Properties[3].second), 2.0);
    EXPECT_EQ(std::get<int64_t>(Rec.Properties[4].second), 3);
}

// --- the 80-bit extended conversion ------------------------------------------

uint64_t Bits(double D) { return std::bit_cast<uint64_t>(D); }

TExtended Ext(uint64_t Significand, uint16_t SignExp) {
    TExtended B{};
    std::memcpy(B.data(), &Significand, 8);
    B[8] = static_cast<uint8_t>(SignExp);
    B[9] = static_cast<uint8_t>(SignExp >> 8);
    return B;
}

TEST(Extended, EveryKindOfDoubleRoundTripsBitForBit) {
    const double Values[] = {
        0.0, -0.0, 1.0, -1.0, 0.1, 1.0 / 3.0, 12345.678, -273.15, 1e300, -1e-300,
        std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
        std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
        -std::numeric_limits<double>::denorm_min(),
        std::bit_cast<double>(uint64_t{0x000FFFFFFFFFFFFF}), // largest denormal
        std::bit_cast<double>(uint64_t{0x0000000100000001}),
        std::numeric_limits<double>::epsilon(), 1.0 + std::numeric_limits<double>::epsilon(),
    };
    for (const double V : Values) {
        const TExtendedToDouble R = ExtendedToDouble(DoubleToExtended(V));
        EXPECT_EQ(R.Status, TExtendedStatus::Ok) << V;
        EXPECT_EQ(Bits(R.Value), Bits(V)) << V;
    }
    std::mt19937_64 Rng(12345);
    for (int I = 0; I < 200000; ++I) {
        const uint64_t B = Rng();
        const double V = std::bit_cast<double>(B);
        if (!std::isfinite(V))
            continue;
        const TExtendedToDouble R = ExtendedToDouble(DoubleToExtended(V));
        ASSERT_EQ(R.Status, TExtendedStatus::Ok);
        ASSERT_EQ(Bits(R.Value), B);
    }
}

TEST(Extended, KnownEncodings) {
    struct {
        double V;
        uint64_t Sig;
        uint16_t SignExp;
    } const Cases[] = {
        {1.0, 0x8000000000000000, 0x3FFF},
        {-2.0, 0x8000000000000000, 0xC000},
        {0.1, 0xCCCCCCCCCCCCD000, 0x3FFB},
        {std::numeric_limits<double>::denorm_min(), 0x8000000000000000, 16383 - 1074},
        {std::numeric_limits<double>::max(), 0xFFFFFFFFFFFFF800, 16383 + 1023},
        {-0.0, 0, 0x8000},
        {std::numeric_limits<double>::infinity(), 0x8000000000000000, 0x7FFF},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(DoubleToExtended(C.V), Ext(C.Sig, C.SignExp)) << C.V;
    // A NaN keeps its payload and its quiet bit.
    const double NaN = std::bit_cast<double>(uint64_t{0x7FF8000000000123});
    EXPECT_EQ(DoubleToExtended(NaN), Ext(0xC000000000000000 | (uint64_t{0x123} << 11), 0x7FFF));
}

TEST(Extended, ExtendedRoundsToNearestEven) {
    const uint64_t One = 0x8000000000000000;
    const double Ulp = std::numeric_limits<double>::epsilon(); // 2^-52 at 1.0
    const double DMax = std::numeric_limits<double>::max();
    const double DMin = std::numeric_limits<double>::min();
    const double Tiny = std::numeric_limits<double>::denorm_min();
    struct {
        const char* What;
        TExtended E;
        double Expected;
    } const Cases[] = {
        {"below half an ulp", Ext(One | 0x3FF, 0x3FFF), 1.0},
        {"half an ulp, even below", Ext(One | 0x400, 0x3FFF), 1.0},
        {"just above half an ulp", Ext(One | 0x401, 0x3FFF), 1.0 + Ulp},
        {"half an ulp, odd below", Ext(One | 0xC00, 0x3FFF), 1.0 + 2 * Ulp},
        {"carry into the exponent", Ext(0xFFFFFFFFFFFFFFFF, 0x3FFF), 2.0},
        {"negative, half, odd below", Ext(One | 0xC00, 0xBFFF), -(1.0 + 2 * Ulp)},
        {"just below the overflow half-way", Ext(0xFFFFFFFFFFFFFBFF, 16383 + 1023), DMax},
        {"carry into the smallest normal", Ext(0xFFFFFFFFFFFFFFFF, 16383 - 1023), DMin},
        {"half the smallest denormal: ties to zero", Ext(One, 16383 - 1075), 0.0},
        {"three quarters of the smallest denormal", Ext(0xC000000000000000, 16383 - 1075), Tiny},
        {"1.5 smallest denormals: ties to 2", Ext(0xC000000000000000, 16383 - 1074), 2 * Tiny},
        {"far below the denormals", Ext(One, 16383 - 1200), 0.0},
        {"an extended denormal", Ext(0x0000000000000001, 0x0000), 0.0},
        {"a negative extended denormal", Ext(0x4000000000000000, 0x8000), -0.0},
        {"a pseudo-denormal", Ext(One, 0x0000), 0.0},
    };
    for (const auto& C : Cases) {
        const TExtendedToDouble R = ExtendedToDouble(C.E);
        EXPECT_EQ(R.Status, TExtendedStatus::Ok) << C.What;
        EXPECT_EQ(Bits(R.Value), Bits(C.Expected)) << C.What << ": " << R.Value;
    }
}

TEST(Extended, ValuesWithoutADoubleAreReportedAsSuch) {
    const uint64_t One = 0x8000000000000000;
    struct {
        const char* What;
        TExtended E;
        TExtendedStatus Status;
    } const Cases[] = {
        {"2^1024", Ext(One, 16383 + 1024), TExtendedStatus::Overflow},
        {"the overflow half-way, odd below", Ext(0xFFFFFFFFFFFFFC00, 16383 + 1023), TExtendedStatus::Overflow},
        {"largest extended", Ext(0xFFFFFFFFFFFFFFFF, 0x7FFE), TExtendedStatus::Overflow},
        {"negative beyond", Ext(One, 0xFFFE), TExtendedStatus::Overflow},
        {"infinity", Ext(One, 0x7FFF), TExtendedStatus::Infinity},
        {"minus infinity", Ext(One, 0xFFFF), TExtendedStatus::Infinity},
        {"quiet NaN", Ext(0xC000000000000000, 0x7FFF), TExtendedStatus::NaN},
        {"signalling NaN", Ext(0x8000000000000001, 0x7FFF), TExtendedStatus::NaN},
        {"pseudo-infinity", Ext(0, 0x7FFF), TExtendedStatus::Invalid},
        {"unnormal", Ext(0x4000000000000000, 0x3FFF), TExtendedStatus::Invalid},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(ExtendedToDouble(C.E).Status, C.Status) << C.What;
}

#if defined(__x86_64__) || defined(__i386__)
// Where long double is the 80-bit format, the floating-point unit's own
// conversion is an independent reference for the rounding.
TEST(Extended, AgreesWithTheFloatingPointUnit) {
    static_assert(std::numeric_limits<long double>::digits == 64);
    std::mt19937_64 Rng(777);
    std::uniform_int_distribution<int> ExpNear(16383 - 1090, 16383 + 1030);
    for (int I = 0; I < 300000; ++I) {
        uint64_t Sig = Rng() | 0x8000000000000000;
        if (I % 4 == 0)
            Sig &= ~uint64_t{0x7FF} | (Rng() & 0x400); // many exact ties
        const int E = I % 10 == 0 ? static_cast<int>(Rng() % 0x7FFF) : ExpNear(Rng);
        const uint16_t SignExp = static_cast<uint16_t>(E | ((Rng() & 1) ? 0x8000 : 0));
        const TExtended X = Ext(Sig, SignExp);
        long double L = 0;
        std::memcpy(&L, X.data(), 10);
        const double Hw = static_cast<double>(L);
        const TExtendedToDouble R = ExtendedToDouble(X);
        if (R.Status == TExtendedStatus::Overflow) {
            ASSERT_TRUE(std::isinf(Hw)) << std::hex << Sig << " " << SignExp;
            continue;
        }
        ASSERT_EQ(R.Status, TExtendedStatus::Ok);
        ASSERT_EQ(Bits(R.Value), Bits(Hw)) << std::hex << Sig << " " << SignExp;
    }
}
#endif

} // namespace
