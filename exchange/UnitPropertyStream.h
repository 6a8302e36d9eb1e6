// The record encoding of the building exchange files and the material files.
//
// A record is: the signature "TPF0", the class name as a short string (one
// length byte, then the bytes), the object name (always empty: one 00 byte),
// the properties (name as a short string, a one-byte value tag, the tag's
// payload), a 00 ending the property list and a 00 ending the (always empty)
// list of child objects. Numbers are little-endian. Nothing in the encoding
// gives the length of a record, so a reader must understand every byte.
//
// Texts are UTF-8 in memory. The writer chooses the tag: pure ASCII as String
// (up to 255 bytes) or LString; otherwise UTF8String when the UTF-8 form is
// shorter than twice the number of UTF-16 code units, else WString. The
// reader takes String/LString bytes as Windows-1252, and decodes UTF8String
// and WString, refusing malformed UTF-8 and unpaired surrogates. A text that
// Windows-1252 cannot hold stays as it is: nothing is lost in memory.
//
// Floating-point values travel as 80-bit extended. Every double converts to
// extended exactly; extended to double rounds to nearest, ties to even. A
// property never holds a NaN or an infinity: the reader refuses them (and
// finite extended values beyond the double range), the writer refuses to
// write them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// A malformed or truncated record, or a value that cannot be written.
class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const std::string& Msg) : std::runtime_error(Msg) {}
};

// The input ends inside a record (or a length or count points past its end).
// Kept apart so that the record readers can pass it on unchanged.
class EStreamReadError : public EStreamError {
public:
    EStreamReadError();
};

// The messages of the two basic read failures.
inline constexpr const char* SInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* SStreamReadError = "Stream read error";

using TBytes = std::vector<uint8_t>;

// One-byte value tags.
enum TValueTag : uint8_t {
    vaNull = 0x00,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaExtended = 0x05,
    vaString = 0x06,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaLString = 0x0C,
    vaWString = 0x12,
    vaInt64 = 0x13,
    vaUTF8String = 0x14,
    vaDouble = 0x15,
};

// ---------------------------------------------------------------------------
// 80-bit extended <-> double

using TExtended = std::array<uint8_t, 10>; // significand (8 bytes), sign and exponent (2 bytes)

// Exact for every double, NaN payloads and signed zeros included.
TExtended DoubleToExtended(double Value);

enum class TExtendedStatus {
    Ok,       // Value is the correctly rounded double
    Overflow, // finite, but rounds beyond the largest double; Value is +-infinity
    Infinity, // the extended infinity; Value is +-infinity
    NaN,      // a NaN; Value is a NaN
    Invalid,  // an encoding the floating-point unit refuses (unnormal, pseudo-NaN); Value is a NaN
};

struct TExtendedToDouble {
    double Value;
    TExtendedStatus Status;
};

// Rounds to nearest, ties to even, with gradual underflow into denormals.
TExtendedToDouble ExtendedToDouble(const TExtended& Bytes);

// ---------------------------------------------------------------------------
// Writing

// Appends records to a byte buffer.
class TStreamWriter {
public:
    explicit TStreamWriter(TBytes& Out) : FOut(Out) {}

    void BeginRecord(std::string_view ClassName);
    // Always written, in the smallest of Int8, Int16, Int32.
    void WriteInteger(std::string_view Name, int32_t Value);
    // Always written, as False or True.
    void WriteBoolean(std::string_view Name, bool Value);
    // Written only when not zero, as Extended. Raises for NaN or infinity.
    void WriteFloat(std::string_view Name, double Value);
    // Written only when not empty. Raises when Text is not valid UTF-8.
    void WriteText(std::string_view Name, std::string_view Text);
    void EndRecord();

    // The number of bytes in the buffer, and dropping what was appended after
    // such a mark (so that a record that fails half-way leaves nothing).
    size_t Mark() const { return FOut.size(); }
    void Rollback(size_t Mark) { FOut.resize(Mark); }

    // The tag WriteText uses for a non-empty valid UTF-8 text.
    static TValueTag TextTag(std::string_view Text);

private:
    void Byte(uint8_t B) { FOut.push_back(B); }
    void Bytes(const void* P, size_t N);
    void Int32(int32_t V);
    void ShortString(std::string_view S);
    TBytes& FOut;
};

// ---------------------------------------------------------------------------
// Reading

// Reads records from bytes held in memory. Every read checks the bytes that
// remain first; reading past the end raises "Stream read error".
class TStreamReader {
public:
    TStreamReader(const uint8_t* Data, size_t Size) : FData(Data), FSize(Size) {}
    explicit TStreamReader(std::span<const uint8_t> Bytes) : FData(Bytes.data()), FSize(Bytes.size()) {}

    size_t Position() const { return FPos; }
    size_t Size() const { return FSize; }
    size_t Remaining() const { return FSize - FPos; }
    bool AtEnd() const { return FPos >= FSize; }
    void Seek(size_t Pos);
    std::span<const uint8_t> Data() const { return {FData, FSize}; }

    // Signature, class name and object name; returns the class name.
    std::string BeginRecord();
    // While set, BeginRecord appends the position of every record it starts
    // (nullptr stops it). A reader that must resynchronise after an error
    // can then tell real record boundaries from look-alikes inside texts.
    void TrackRecordStarts(std::vector<size_t>* Starts) { FStarts = Starts; }
    // Reads the next property name. False at the end of the property list;
    // the list of child objects is then read too and must be empty.
    bool NextProperty(std::string& Name);

    // The value of the current property, by the type of the property that
    // receives it. An unsuitable tag raises EStreamError naming the tag.
    int32_t ReadIntegerValue();  // Int8, Int16, Int32
    bool ReadBooleanValue();     // False, True
    double ReadFloatValue();     // Extended, Double, Int64, Int8, Int16, Int32; finite only
    std::string ReadTextValue(); // String, LString, WString, UTF8String; as UTF-8

    // Any value, by its own tag (Int64 kept whole).
    using TAnyValue = std::variant<int64_t, bool, double, std::string>;
    TAnyValue ReadAnyValue();

private:
    uint8_t Byte();
    const uint8_t* Take(size_t N);
    int16_t Int16();
    int32_t Int32();
    uint64_t UInt64(); // little-endian, as the Double and Int64 values carry it
    std::string ShortString();
    uint8_t ReadTag();
    std::string TextPayload(uint8_t Tag);
    int32_t IntegerPayload(uint8_t Tag);
    double FloatPayload(uint8_t Tag);

    const uint8_t* FData;
    size_t FSize;
    size_t FPos = 0;
    std::vector<size_t>* FStarts = nullptr;
};

// A record read without knowing its class: every property with its value.
struct TAnyRecord {
    std::string ClassName;
    std::vector<std::pair<std::string, TStreamReader::TAnyValue>> Properties;
};

TAnyRecord ReadAnyRecord(TStreamReader& S);

// The records from the position of S to the end of its bytes (S does not
// move). Bytes at the end that do not make a whole record count as one.
int64_t CountRecordsLeft(const TStreamReader& S);

// Hexadecimal form of a tag for messages ("0x0C").
std::string TagName(uint8_t Tag);
