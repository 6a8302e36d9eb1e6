// Building expected byte sequences from text and single bytes, and showing
// byte buffers as hex so that a mismatch is readable.
#pragma once

#include "exchange/UnitPropertyStream.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <string>

// A piece of an expected byte sequence: raw text or one byte.
struct TPiece {
    TPiece(const char* Text) : Text(Text) {}
    TPiece(std::string_view Text) : Text(Text) {}
    TPiece(const std::string& Text) : Text(Text) {}
    TPiece(int Byte) : IsByte(true), Byte(static_cast<uint8_t>(Byte)) {}
    std::string_view Text;
    bool IsByte = false;
    uint8_t Byte = 0;
};

inline TBytes Cat(std::initializer_list<TPiece> Pieces) {
    TBytes Out;
    for (const TPiece& P : Pieces) {
        if (P.IsByte)
            Out.push_back(P.Byte);
        else
            Out.insert(Out.end(), P.Text.begin(), P.Text.end());
    }
    return Out;
}

inline TBytes Cat(const TBytes& A, const TBytes& B) {
    TBytes Out = A;
    Out.insert(Out.end(), B.begin(), B.end());
    return Out;
}

inline std::string Hex(const TBytes& B) {
    static const char Digits[] = "0123456789ABCDEF";
    std::string S;
    for (size_t I = 0; I < B.size(); ++I) {
        if (I)
            S += ' ';
        S += Digits[B[I] >> 4];
        S += Digits[B[I] & 15];
    }
    return S;
}

// The record "TPF0", class name, empty object name, then Body, then the two end markers.
inline TBytes Record(std::string_view ClassName, const TBytes& Body) {
    TBytes Out = Cat({"TPF0", static_cast<int>(ClassName.size()), ClassName, 0});
    Out.insert(Out.end(), Body.begin(), Body.end());
    Out.push_back(0);
    Out.push_back(0);
    return Out;
}

// A property name as a short string.
inline TBytes Name(std::string_view N) { return Cat({static_cast<int>(N.size()), N}); }
