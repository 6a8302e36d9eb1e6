// Case folding of UTF-8 text for key lookups: the names of buildings,
// constructions and materials are compared without regard to case, and
// Swedish names (Åsa, Älvsjö) must match in either case.
#include "db/Dataset.h"
#include "db/Utf8.h"

#include <cstdint>

namespace {

// Bytes that are not valid UTF-8 become values above the Unicode range, so
// that they compare by their value and survive folding unchanged.
constexpr uint32_t InvalidBase = 0x110000;

// Decodes the code point at S[I], advancing I.
uint32_t NextCodePoint(std::string_view S, size_t& I) {
    const auto B0 = static_cast<unsigned char>(S[I]);
    if (B0 < 0x80) {
        ++I;
        return B0;
    }
    int Len = 0;
    uint32_t Cp = 0;
    if ((B0 & 0xE0) == 0xC0 && B0 >= 0xC2) {
        Len = 2;
        Cp = B0 & 0x1F;
    } else if ((B0 & 0xF0) == 0xE0) {
        Len = 3;
        Cp = B0 & 0x0F;
    } else if ((B0 & 0xF8) == 0xF0 && B0 <= 0xF4) {
        Len = 4;
        Cp = B0 & 0x07;
    } else {
        ++I;
        return InvalidBase + B0;
    }
    if (I + static_cast<size_t>(Len) > S.size()) {
        ++I;
        return InvalidBase + B0;
    }
    for (int K = 1; K < Len; ++K) {
        const auto B = static_cast<unsigned char>(S[I + static_cast<size_t>(K)]);
        if ((B & 0xC0) != 0x80) {
            ++I;
            return InvalidBase + B0;
        }
        Cp = (Cp << 6) | (B & 0x3F);
    }
    // Overlong forms and surrogates are not valid.
    if ((Len == 3 && (Cp < 0x800 || (Cp >= 0xD800 && Cp <= 0xDFFF))) || (Len == 4 && (Cp < 0x10000 || Cp > 0x10FFFF))) {
        ++I;
        return InvalidBase + B0;
    }
    I += static_cast<size_t>(Len);
    return Cp;
}

uint32_t FoldUpper(uint32_t C) {
    if (C < 0x80) {
        return (C >= 'a' && C <= 'z') ? C - 32 : C;
    }
    if (C >= 0xE0 && C <= 0xFE && C != 0xF7) { // à..þ, not ÷
        return C - 32;
    }
    if (C == 0xFF) { // ÿ
        return 0x178;
    }
    if (C >= 0x100 && C <= 0x17F) { // Latin Extended-A: pairs
        if ((C <= 0x137 && C != 0x131) || (C >= 0x14A && C <= 0x177)) {
            return (C & 1U) != 0 ? C - 1 : C;
        }
        if ((C >= 0x139 && C <= 0x148) || (C >= 0x179 && C <= 0x17E)) {
            return (C & 1U) == 0 ? C - 1 : C;
        }
        return C;
    }
    if (C >= 0x3B1 && C <= 0x3C9) { // Greek
        return C == 0x3C2 ? 0x3A3 : C - 32;
    }
    if (C >= 0x430 && C <= 0x44F) { // Cyrillic
        return C - 32;
    }
    if (C >= 0x450 && C <= 0x45F) {
        return C - 80;
    }
    return C;
}

// Writes a folded code point back; an invalid byte is written as it was.
void AppendFolded(std::string& Out, uint32_t C) {
    if (C >= InvalidBase) {
        Out += static_cast<char>(C - InvalidBase);
    } else {
        AppendUtf8(Out, static_cast<char32_t>(C));
    }
}

std::string_view Trimmed(std::string_view S) {
    while (!S.empty() && (S.front() == ' ' || S.front() == '\t' || S.front() == '\r' || S.front() == '\n')) {
        S.remove_prefix(1);
    }
    while (!S.empty() && (S.back() == ' ' || S.back() == '\t' || S.back() == '\r' || S.back() == '\n')) {
        S.remove_suffix(1);
    }
    return S;
}

} // namespace

std::string UpperCaseText(const std::string& S) {
    std::string Out;
    Out.reserve(S.size());
    for (size_t I = 0; I < S.size();) {
        AppendFolded(Out, FoldUpper(NextCodePoint(S, I)));
    }
    return Out;
}

int CompareText(std::string_view A, std::string_view B) {
    size_t I = 0;
    size_t J = 0;
    while (I < A.size() && J < B.size()) {
        const auto A0 = static_cast<unsigned char>(A[I]);
        const auto B0 = static_cast<unsigned char>(B[J]);
        if (A0 < 0x80 && B0 < 0x80) { // the common case, without decoding
            const int Ua = (A0 >= 'a' && A0 <= 'z') ? A0 - 32 : A0;
            const int Ub = (B0 >= 'a' && B0 <= 'z') ? B0 - 32 : B0;
            if (Ua != Ub) {
                return Ua < Ub ? -1 : 1;
            }
            ++I;
            ++J;
            continue;
        }
        const uint32_t Ca = FoldUpper(NextCodePoint(A, I));
        const uint32_t Cb = FoldUpper(NextCodePoint(B, J));
        if (Ca != Cb) {
            return Ca < Cb ? -1 : 1;
        }
    }
    if (I < A.size()) {
        return 1;
    }
    return J < B.size() ? -1 : 0;
}

bool SameText(const std::string& A, const std::string& B) { return CompareText(A, B) == 0; }

bool TextIsTrue(std::string_view S) {
    S = Trimmed(S);
    if (S.size() <= 4) {
        std::string U;
        for (const char C : S) {
            U += (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C;
        }
        if (U == "Y" || U == "YES" || U == "T" || U == "TRUE") {
            return true;
        }
    }
    // An integer of any length: optional sign, digits, not all zero.
    if (!S.empty() && (S.front() == '+' || S.front() == '-')) {
        S.remove_prefix(1);
    }
    if (S.empty()) {
        return false;
    }
    bool NonZero = false;
    for (const char C : S) {
        if (C < '0' || C > '9') {
            return false;
        }
        NonZero = NonZero || C != '0';
    }
    return NonZero;
}
