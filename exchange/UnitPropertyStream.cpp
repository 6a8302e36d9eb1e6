#include "exchange/UnitPropertyStream.h"

#include "exchange/TextCodec.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

EStreamReadError::EStreamReadError() : EStreamError(SStreamReadError) {}

std::string TagName(uint8_t Tag) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string S = "0x";
    S += Hex[Tag >> 4];
    S += Hex[Tag & 0x0F];
    return S;
}

// ---------------------------------------------------------------------------
// 80-bit extended <-> double
//
// Extended: a 64-bit significand with an explicit integer bit, a 15-bit
// exponent with bias 16383 and a sign bit. Value = significand * 2^(e-16383-63)
// for exponents 1..32766 (integer bit set), significand * 2^(1-16383-63) for
// exponent 0; exponent 32767 holds infinities (significand 1000...0) and NaNs.

namespace {

constexpr int ExtBias = 16383;
constexpr int DblBias = 1023;
constexpr uint64_t IntegerBit = uint64_t{1} << 63;

TExtended PackExtended(uint64_t Significand, uint16_t SignExp) {
    TExtended B{};
    for (int I = 0; I < 8; ++I)
        B[I] = static_cast<uint8_t>(Significand >> (8 * I));
    B[8] = static_cast<uint8_t>(SignExp);
    B[9] = static_cast<uint8_t>(SignExp >> 8);
    return B;
}

// Significand / 2^Shift rounded to nearest, ties to even. The significand
// has its top bit set, so for shifts above 64 the quotient is below one half.
uint64_t RoundShift(uint64_t Significand, int Shift) {
    if (Shift <= 0)
        return Significand;
    if (Shift > 64)
        return 0;
    const uint64_t Quotient = Shift == 64 ? 0 : Significand >> Shift;
    const uint64_t Rest = Shift == 64 ? Significand : Significand & ((uint64_t{1} << Shift) - 1);
    const uint64_t Half = uint64_t{1} << (Shift - 1);
    if (Rest > Half || (Rest == Half && (Quotient & 1)))
        return Quotient + 1;
    return Quotient;
}

} // namespace

TExtended DoubleToExtended(double Value) {
    const auto Bits = std::bit_cast<uint64_t>(Value);
    const uint16_t Sign = (Bits >> 63) ? 0x8000 : 0;
    const int Exp = static_cast<int>((Bits >> 52) & 0x7FF);
    const uint64_t Frac = Bits & ((uint64_t{1} << 52) - 1);
    if (Exp == 0x7FF) // infinity (fraction 0) or NaN with its payload
        return PackExtended(IntegerBit | (Frac << 11), Sign | 0x7FFF);
    if (Exp == 0) {
        if (Frac == 0)
            return PackExtended(0, Sign);
        // Denormal: Frac * 2^-1074, normalised so that the integer bit is set.
        const int Lz = std::countl_zero(Frac);
        const uint64_t Sig = Frac << Lz;
        const int E = ExtBias + 63 - 1074 - Lz;
        return PackExtended(Sig, static_cast<uint16_t>(Sign | E));
    }
    return PackExtended(IntegerBit | (Frac << 11),
                        static_cast<uint16_t>(Sign | (Exp - DblBias + ExtBias)));
}

TExtendedToDouble ExtendedToDouble(const TExtended& B) {
    uint64_t Sig = 0;
    for (int I = 7; I >= 0; --I)
        Sig = (Sig << 8) | B[I];
    const uint16_t SignExp = static_cast<uint16_t>(B[8] | (B[9] << 8));
    const bool Negative = (SignExp & 0x8000) != 0;
    const int Exp = SignExp & 0x7FFF;
    const uint64_t SignBit = Negative ? IntegerBit : 0;
    const double Inf = Negative ? -std::numeric_limits<double>::infinity()
                                : std::numeric_limits<double>::infinity();
    const double NaN = std::numeric_limits<double>::quiet_NaN();

    if (Exp == 0x7FFF) {
        if (!(Sig & IntegerBit))
            return {NaN, TExtendedStatus::Invalid}; // pseudo-infinity / pseudo-NaN
        if ((Sig & ~IntegerBit) == 0)
            return {Inf, TExtendedStatus::Infinity};
        return {NaN, TExtendedStatus::NaN};
    }
    if (Sig == 0)
        return {std::bit_cast<double>(SignBit), TExtendedStatus::Ok};
    if (Exp != 0 && !(Sig & IntegerBit))
        return {NaN, TExtendedStatus::Invalid}; // unnormal
    // Exponent 0 (denormals and pseudo-denormals) means 2^(1-bias).
    // Value = Sig * 2^(E-63) with E the unbiased exponent of the integer bit.
    const int E = (Exp == 0 ? 1 : Exp) - ExtBias;
    if (!(Sig & IntegerBit)) {
        // An extended denormal is below 2^-16382, far under the smallest
        // double denormal: it rounds to zero.
        return {std::bit_cast<double>(SignBit), TExtendedStatus::Ok};
    }
    uint64_t DblBits;
    if (E >= 1 - DblBias) {
        // Normal range: keep 53 bits. A carry out of the rounding moves into
        // the exponent field by itself.
        if (E > DblBias)
            return {Inf, TExtendedStatus::Overflow};
        const uint64_t M = RoundShift(Sig, 11); // in [2^52, 2^53]
        DblBits = (static_cast<uint64_t>(E + DblBias - 1) << 52) + M;
        if ((DblBits >> 52) >= 0x7FF)
            return {Inf, TExtendedStatus::Overflow};
    } else {
        // Below the normal range: a denormal Sig * 2^(E-63) = M * 2^-1074. A
        // rounding up to 2^52 gives the smallest normal, which the bit
        // pattern expresses by itself.
        DblBits = RoundShift(Sig, 63 - E - 1074);
    }
    return {std::bit_cast<double>(DblBits | SignBit), TExtendedStatus::Ok};
}

// ---------------------------------------------------------------------------
// Writing

void TStreamWriter::Bytes(const void* P, size_t N) {
    const auto* B = static_cast<const uint8_t*>(P);
    FOut.insert(FOut.end(), B, B + N);
}

void TStreamWriter::Int32(int32_t V) {
    const auto U = static_cast<uint32_t>(V);
    for (int I = 0; I < 4; ++I)
        Byte(static_cast<uint8_t>(U >> (8 * I)));
}

void TStreamWriter::ShortString(std::string_view S) {
    if (S.size() > 255)
        throw EStreamError("Name longer than 255 bytes: " + std::string(S.substr(0, 40)) + "...");
    Byte(static_cast<uint8_t>(S.size()));
    Bytes(S.data(), S.size());
}

void TStreamWriter::BeginRecord(std::string_view ClassName) {
    Bytes("TPF0", 4);
    ShortString(ClassName);
    Byte(0); // empty object name
}

void TStreamWriter::EndRecord() {
    Byte(vaNull); // end of the properties
    Byte(vaNull); // end of the (empty) child list
}

void TStreamWriter::WriteInteger(std::string_view Name, int32_t Value) {
    ShortString(Name);
    if (Value >= -128 && Value <= 127) {
        Byte(vaInt8);
        Byte(static_cast<uint8_t>(static_cast<int8_t>(Value)));
    } else if (Value >= -32768 && Value <= 32767) {
        Byte(vaInt16);
        const auto U = static_cast<uint16_t>(static_cast<int16_t>(Value));
        Byte(static_cast<uint8_t>(U));
        Byte(static_cast<uint8_t>(U >> 8));
    } else {
        Byte(vaInt32);
        Int32(Value);
    }
}

void TStreamWriter::WriteBoolean(std::string_view Name, bool Value) {
    ShortString(Name);
    Byte(Value ? vaTrue : vaFalse);
}

void TStreamWriter::WriteFloat(std::string_view Name, double Value) {
    if (!std::isfinite(Value))
        throw EStreamError("Cannot write " + std::string(Name) + ": the value is not a finite number");
    if (Value == 0)
        return; // -0 too: it reads back as 0
    ShortString(Name);
    Byte(vaExtended);
    const TExtended E = DoubleToExtended(Value);
    Bytes(E.data(), E.size());
}

TValueTag TStreamWriter::TextTag(std::string_view Text) {
    if (IsAscii(Text))
        return Text.size() <= 255 ? vaString : vaLString;
    if (Text.size() < 2 * Utf16Length(Text))
        return vaUTF8String;
    return vaWString;
}

void TStreamWriter::WriteText(std::string_view Name, std::string_view Text) {
    if (Text.empty())
        return;
    if (!IsValidUtf8(Text))
        throw EStreamError("Cannot write " + std::string(Name) + ": the text is not valid UTF-8");
    const TValueTag Tag = TextTag(Text);
    if (Text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()) / 2)
        throw EStreamError("Cannot write " + std::string(Name) + ": the text is too long");
    ShortString(Name);
    Byte(Tag);
    switch (Tag) {
    case vaString:
        Byte(static_cast<uint8_t>(Text.size()));
        Bytes(Text.data(), Text.size());
        break;
    case vaLString:
    case vaUTF8String:
        Int32(static_cast<int32_t>(Text.size()));
        Bytes(Text.data(), Text.size());
        break;
    default: {
        const std::u16string Units = Utf8ToUtf16(Text);
        Int32(static_cast<int32_t>(Units.size()));
        for (const char16_t U : Units) {
            Byte(static_cast<uint8_t>(U));
            Byte(static_cast<uint8_t>(U >> 8));
        }
        break;
    }
    }
}

// ---------------------------------------------------------------------------
// Reading

void TStreamReader::Seek(size_t Pos) {
    if (Pos > FSize)
        throw EStreamReadError();
    FPos = Pos;
}

const uint8_t* TStreamReader::Take(size_t N) {
    if (N > FSize - FPos)
        throw EStreamReadError();
    const uint8_t* P = FData + FPos;
    FPos += N;
    return P;
}

uint8_t TStreamReader::Byte() { return *Take(1); }

int32_t TStreamReader::Int32() {
    const uint8_t* P = Take(4);
    const uint32_t U = static_cast<uint32_t>(P[0]) | (static_cast<uint32_t>(P[1]) << 8) |
                       (static_cast<uint32_t>(P[2]) << 16) | (static_cast<uint32_t>(P[3]) << 24);
    return static_cast<int32_t>(U);
}

int16_t TStreamReader::Int16() {
    const uint8_t* P = Take(2);
    return static_cast<int16_t>(static_cast<uint16_t>(P[0] | (P[1] << 8)));
}

uint64_t TStreamReader::UInt64() {
    uint64_t Bits = 0;
    const uint8_t* P = Take(8);
    for (int I = 7; I >= 0; --I)
        Bits = (Bits << 8) | P[I];
    return Bits;
}

std::string TStreamReader::ShortString() {
    const uint8_t N = Byte();
    const uint8_t* P = Take(N);
    return std::string(reinterpret_cast<const char*>(P), N);
}

std::string TStreamReader::BeginRecord() {
    if (FStarts)
        FStarts->push_back(FPos);
    if (Remaining() < 4)
        throw EStreamReadError();
    const uint8_t* Sig = Take(4);
    if (std::memcmp(Sig, "TPF0", 4) != 0)
        throw EStreamError(SInvalidStreamFormat);
    std::string ClassName = ShortString();
    ShortString(); // the object name: empty in every record written, ignored
    return ClassName;
}

bool TStreamReader::NextProperty(std::string& Name) {
    Name = ShortString();
    if (!Name.empty())
        return true;
    // End of the properties; child objects would follow up to a 00.
    if (Byte() != vaNull)
        throw EStreamError("Invalid stream format: a record with child objects");
    return false;
}

uint8_t TStreamReader::ReadTag() { return Byte(); }

namespace {

bool IsKnownTag(uint8_t Tag) {
    switch (Tag) {
    case vaInt8: case vaInt16: case vaInt32: case vaExtended: case vaString: case vaFalse:
    case vaTrue: case vaLString: case vaWString: case vaInt64: case vaUTF8String: case vaDouble:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void Unsuitable(uint8_t Tag, const char* Kind) {
    if (!IsKnownTag(Tag))
        throw EStreamError("Unknown value tag " + TagName(Tag));
    throw EStreamError("Value tag " + TagName(Tag) + " does not suit " + Kind + " property");
}

} // namespace

int32_t TStreamReader::IntegerPayload(uint8_t Tag) {
    switch (Tag) {
    case vaInt8:
        return static_cast<int8_t>(Byte());
    case vaInt16:
        return Int16();
    case vaInt32:
        return Int32();
    default:
        Unsuitable(Tag, "an integer");
    }
}

int32_t TStreamReader::ReadIntegerValue() { return IntegerPayload(ReadTag()); }

bool TStreamReader::ReadBooleanValue() {
    const uint8_t Tag = ReadTag();
    if (Tag == vaFalse)
        return false;
    if (Tag == vaTrue)
        return true;
    Unsuitable(Tag, "a truth-value");
}

double TStreamReader::FloatPayload(uint8_t Tag) {
    switch (Tag) {
    case vaExtended: {
        TExtended E;
        std::memcpy(E.data(), Take(10), 10);
        const TExtendedToDouble R = ExtendedToDouble(E);
        if (R.Status == TExtendedStatus::Overflow)
            throw EStreamError("The value lies beyond the range of a double");
        if (R.Status != TExtendedStatus::Ok)
            throw EStreamError("The value is not a finite number");
        return R.Value;
    }
    case vaDouble: {
        const double D = std::bit_cast<double>(UInt64());
        if (!std::isfinite(D))
            throw EStreamError("The value is not a finite number");
        return D;
    }
    case vaInt64:
        return static_cast<double>(static_cast<int64_t>(UInt64()));
    default:
        Unsuitable(Tag, "a floating-point");
    }
}

double TStreamReader::ReadFloatValue() {
    const uint8_t Tag = ReadTag();
    switch (Tag) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
        return IntegerPayload(Tag);
    default:
        return FloatPayload(Tag);
    }
}

std::string TStreamReader::TextPayload(uint8_t Tag) {
    switch (Tag) {
    case vaString: {
        const uint8_t N = Byte();
        const uint8_t* P = Take(N);
        return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(P), N));
    }
    case vaLString:
    case vaUTF8String: {
        const int32_t N = Int32();
        if (N < 0)
            throw EStreamError("Invalid text length " + std::to_string(N));
        const uint8_t* P = Take(static_cast<size_t>(N));
        const std::string_view Raw(reinterpret_cast<const char*>(P), static_cast<size_t>(N));
        if (Tag == vaLString)
            return Cp1252ToUtf8(Raw);
        if (!IsValidUtf8(Raw))
            throw EStreamError("The text is not valid UTF-8");
        return std::string(Raw);
    }
    case vaWString: {
        const int32_t N = Int32();
        if (N < 0)
            throw EStreamError("Invalid text length " + std::to_string(N));
        const uint8_t* P = Take(2 * static_cast<size_t>(N));
        std::u16string Units(static_cast<size_t>(N), u'\0');
        for (size_t I = 0; I < Units.size(); ++I)
            Units[I] = static_cast<char16_t>(P[2 * I] | (P[2 * I + 1] << 8));
        auto Text = Utf16ToUtf8(Units);
        if (!Text)
            throw EStreamError("The text is not valid UTF-16 (an unpaired surrogate)");
        return std::move(*Text);
    }
    default:
        Unsuitable(Tag, "a text");
    }
}

std::string TStreamReader::ReadTextValue() { return TextPayload(ReadTag()); }

TStreamReader::TAnyValue TStreamReader::ReadAnyValue() {
    const uint8_t Tag = ReadTag();
    switch (Tag) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
        return int64_t{IntegerPayload(Tag)};
    case vaInt64:
        return static_cast<int64_t>(UInt64());
    case vaFalse:
        return false;
    case vaTrue:
        return true;
    case vaExtended:
    case vaDouble:
        return FloatPayload(Tag);
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String:
        return TextPayload(Tag);
    default:
        throw EStreamError("Unknown value tag " + TagName(Tag));
    }
}

TAnyRecord ReadAnyRecord(TStreamReader& S) {
    TAnyRecord R;
    R.ClassName = S.BeginRecord();
    std::string Name;
    while (S.NextProperty(Name)) {
        auto Value = S.ReadAnyValue();
        R.Properties.emplace_back(std::move(Name), std::move(Value));
    }
    return R;
}

int64_t CountRecordsLeft(const TStreamReader& S) {
    TStreamReader Rest = S;
    Rest.TrackRecordStarts(nullptr);
    int64_t N = 0;
    while (!Rest.AtEnd()) {
        ++N;
        try {
            ReadAnyRecord(Rest);
        } catch (const EStreamError&) {
            break; // what follows is no record: it counts as one
        }
    }
    return N;
}
