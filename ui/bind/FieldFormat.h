// How the windows show and read the values of fields: the display format of
// each column (fixed or at most so many decimals), numbers in the notation
// of the user's locale, and input that takes both "," and "." as the
// decimal separator.
#pragma once

#include "db/Database.h"

#include <QString>

#include <optional>

class TField;

struct TDisplayFormat {
    enum TKind {
        General, // as entered: the shortest text that reads back the same number
        Fixed,   // exactly Decimals decimals ("0.00"; "#." and "#0." are Fixed 0)
        UpTo,    // at most Decimals decimals, trailing zeros dropped ("###0.###")
    };
    TKind Kind = General;
    int Decimals = 0;

    static TDisplayFormat Fixed0() { return {Fixed, 0}; }
    static TDisplayFormat FixedN(int N) { return {Fixed, N}; }
    static TDisplayFormat UpToN(int N) { return {UpTo, N}; }
};

// The display format given to a column of a table (General when none is).
TDisplayFormat ColumnFormat(const std::string& Table, const std::string& Column);

// The accepted range of a numeric column, when it has one.
struct TValueRange {
    double Min;
    double Max;
};
std::optional<TValueRange> ColumnRange(const std::string& Table, const std::string& Column);

// The same stored value: numbers by value (an integer and a double alike),
// text by its exact bytes.
bool SameStoredValue(const TValue& A, const TValue& B);

// A number in the locale's notation, without group separators.
QString FormatNumber(double Value, const TDisplayFormat& Format);
// A stored value as text: numbers as above, NULL as "".
QString FormatValue(const TValue& Value, const TDisplayFormat& Format);

// Reads a number typed by the user: blanks around it ignored, "," or "." as
// the decimal separator, no group separators, no exponent letters other
// than e/E. Nothing for anything else (an empty text too).
std::optional<double> ParseNumber(const QString& Text);

// Why Text cannot go into Field, in words for the user; nothing when it can.
// Also gives the value to store.
struct TParsedInput {
    TValue Value;
    QString Error; // empty when Value may be stored
};
TParsedInput ParseFieldInput(const TField& Field, const std::string& Table, const QString& Text);
