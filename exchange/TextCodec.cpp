#include "exchange/TextCodec.h"

#include "db/Utf8.h"

namespace {

// Code points of the bytes 0x80-0x9F. The five bytes Windows-1252 leaves
// undefined keep their own number, as Windows decodes them.
constexpr char32_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

// Decodes one code point of valid UTF-8 at Text[I] and advances I. On
// malformed input returns nullopt (I is then unspecified).
std::optional<char32_t> NextCodePoint(std::string_view Text, size_t& I) {
    const auto B = [&](size_t K) { return static_cast<unsigned char>(Text[K]); };
    const unsigned char Lead = B(I);
    if (Lead < 0x80) {
        ++I;
        return Lead;
    }
    size_t Extra;
    char32_t C;
    char32_t Min;
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        Extra = 1;
        C = Lead & 0x1F;
        Min = 0x80;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Extra = 2;
        C = Lead & 0x0F;
        Min = 0x800;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Extra = 3;
        C = Lead & 0x07;
        Min = 0x10000;
    } else {
        return std::nullopt; // continuation byte, C0/C1 overlong lead, or F5-FF
    }
    if (Text.size() - I - 1 < Extra)
        return std::nullopt;
    for (size_t K = 1; K <= Extra; ++K) {
        const unsigned char Cont = B(I + K);
        if ((Cont & 0xC0) != 0x80)
            return std::nullopt;
        C = (C << 6) | (Cont & 0x3F);
    }
    if (C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF))
        return std::nullopt;
    I += Extra + 1;
    return C;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view Bytes) {
    std::string Out;
    Out.reserve(Bytes.size());
    for (const char Ch : Bytes) {
        const auto B = static_cast<unsigned char>(Ch);
        if (B < 0x80)
            Out += Ch;
        else if (B < 0xA0)
            AppendUtf8(Out, Cp1252High[B - 0x80]);
        else
            AppendUtf8(Out, B);
    }
    return Out;
}

bool IsValidUtf8(std::string_view Text) {
    size_t I = 0;
    while (I < Text.size())
        if (!NextCodePoint(Text, I))
            return false;
    return true;
}

bool IsAscii(std::string_view Text) {
    for (const char Ch : Text)
        if (static_cast<unsigned char>(Ch) >= 0x80)
            return false;
    return true;
}

size_t Utf8Length(std::string_view Text) {
    size_t N = 0;
    for (const char Ch : Text)
        if ((static_cast<unsigned char>(Ch) & 0xC0) != 0x80)
            ++N;
    return N;
}

size_t Utf16Length(std::string_view Text) {
    size_t N = 0;
    for (const char Ch : Text) {
        const auto B = static_cast<unsigned char>(Ch);
        if ((B & 0xC0) != 0x80)
            N += B >= 0xF0 ? 2 : 1; // four-byte sequences need a surrogate pair
    }
    return N;
}

std::u16string Utf8ToUtf16(std::string_view Text) {
    std::u16string Out;
    Out.reserve(Text.size());
    size_t I = 0;
    while (I < Text.size()) {
        const auto C = NextCodePoint(Text, I);
        if (!C)
            break; // callers pass valid UTF-8 only
        if (*C < 0x10000) {
            Out += static_cast<char16_t>(*C);
        } else {
            const char32_t V = *C - 0x10000;
            Out += static_cast<char16_t>(0xD800 | (V >> 10));
            Out += static_cast<char16_t>(0xDC00 | (V & 0x3FF));
        }
    }
    return Out;
}

std::optional<std::string> Utf16ToUtf8(std::u16string_view Units) {
    std::string Out;
    Out.reserve(Units.size());
    for (size_t I = 0; I < Units.size(); ++I) {
        const char16_t U = Units[I];
        if (U >= 0xD800 && U <= 0xDBFF) {
            if (I + 1 >= Units.size() || Units[I + 1] < 0xDC00 || Units[I + 1] > 0xDFFF)
                return std::nullopt;
            const char32_t C = 0x10000 + ((static_cast<char32_t>(U - 0xD800) << 10) |
                                          static_cast<char32_t>(Units[I + 1] - 0xDC00));
            AppendUtf8(Out, C);
            ++I;
        } else if (U >= 0xDC00 && U <= 0xDFFF) {
            return std::nullopt;
        } else {
            AppendUtf8(Out, U);
        }
    }
    return Out;
}
