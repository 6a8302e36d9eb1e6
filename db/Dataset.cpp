#include "db/Dataset.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

std::string AsciiUpper(std::string_view S) {
    std::string U(S);
    for (char& C : U) {
        if (C >= 'a' && C <= 'z') {
            C = static_cast<char>(C - 32);
        }
    }
    return U;
}

std::string_view Trim(std::string_view S) {
    while (!S.empty() && (S.front() == ' ' || S.front() == '\t' || S.front() == '\r' || S.front() == '\n')) {
        S.remove_prefix(1);
    }
    while (!S.empty() && (S.back() == ' ' || S.back() == '\t' || S.back() == '\r' || S.back() == '\n')) {
        S.remove_suffix(1);
    }
    return S;
}

bool StartsWith(std::string_view S, std::string_view P) { return S.substr(0, P.size()) == P; }
bool EndsWith(std::string_view S, std::string_view P) {
    return S.size() >= P.size() && S.substr(S.size() - P.size()) == P;
}

std::string QuoteIdent(const std::string& Name) {
    std::string Q = "\"";
    for (const char C : Name) {
        Q += C;
        if (C == '"') {
            Q += '"';
        }
    }
    return Q + "\"";
}

// Text as a number: "." as decimal separator, or a single "," when there is
// no "." (text written by tools that follow a Swedish locale).
bool ParseDouble(std::string_view S, double& Out) {
    S = Trim(S);
    if (!S.empty() && S.front() == '+') {
        S.remove_prefix(1);
    }
    if (S.empty()) {
        return false;
    }
    std::string Buf(S);
    if (Buf.find('.') == std::string::npos && std::count(Buf.begin(), Buf.end(), ',') == 1) {
        std::replace(Buf.begin(), Buf.end(), ',', '.');
    }
    double V = 0.0;
    const auto [End, Ec] = std::from_chars(Buf.data(), Buf.data() + Buf.size(), V);
    if (Ec != std::errc() || End != Buf.data() + Buf.size() || !std::isfinite(V)) {
        return false;
    }
    Out = V;
    return true;
}

bool ParseInt64(std::string_view S, int64_t& Out) {
    S = Trim(S);
    if (!S.empty() && S.front() == '+') {
        S.remove_prefix(1);
    }
    if (S.empty()) {
        return false;
    }
    int64_t V = 0;
    const auto [End, Ec] = std::from_chars(S.data(), S.data() + S.size(), V);
    if (Ec != std::errc() || End != S.data() + S.size()) {
        return false;
    }
    Out = V;
    return true;
}

std::string FormatDouble(double D) {
    char Buf[64];
    const auto [End, Ec] = std::to_chars(Buf, Buf + sizeof Buf, D);
    return Ec == std::errc() ? std::string(Buf, End) : std::string();
}

// Rounds half to even; false when the value has no int64 counterpart.
bool RoundToInt64(double D, int64_t& Out) {
    if (!std::isfinite(D)) {
        return false;
    }
    const double R = std::nearbyint(D);
    if (R < -9223372036854775808.0 || R >= 9223372036854775808.0) {
        return false;
    }
    Out = static_cast<int64_t>(R);
    return true;
}

// "h:mm", "h:mm:ss" or "h:mm:ss.fff" (the fraction is dropped).
bool ParseTime(std::string_view S, int& Seconds) {
    S = Trim(S);
    int Parts[3] = {0, 0, 0};
    int N = 0;
    size_t I = 0;
    while (N < 3) {
        const size_t Start = I;
        int V = 0;
        while (I < S.size() && S[I] >= '0' && S[I] <= '9' && I - Start < 2) {
            V = V * 10 + (S[I] - '0');
            ++I;
        }
        if (I == Start) {
            return false;
        }
        Parts[N++] = V;
        if (I < S.size() && S[I] == ':' && N < 3) {
            ++I;
            continue;
        }
        break;
    }
    if (N < 2) {
        return false;
    }
    if (I < S.size() && S[I] == '.' && N == 3) {
        ++I;
        const size_t Start = I;
        while (I < S.size() && S[I] >= '0' && S[I] <= '9') {
            ++I;
        }
        if (I == Start) {
            return false;
        }
    }
    if (I != S.size() || Parts[0] > 23 || Parts[1] > 59 || Parts[2] > 59) {
        return false;
    }
    Seconds = Parts[0] * 3600 + Parts[1] * 60 + Parts[2];
    return true;
}

std::string FormatTime(int Seconds) {
    char Buf[16];
    std::snprintf(Buf, sizeof Buf, "%02d:%02d:%02d", Seconds / 3600, (Seconds / 60) % 60, Seconds % 60);
    return Buf;
}

// The time of day of a fraction of a day (the whole days are dropped).
std::string TimeFromDayFraction(double Days) {
    double Frac = Days - std::floor(Days);
    auto Secs = static_cast<int64_t>(std::llround(Frac * 86400.0));
    if (Secs >= 86400) {
        Secs = 0;
    }
    return FormatTime(static_cast<int>(Secs));
}

size_t Utf8Length(const std::string& S) {
    size_t N = 0;
    for (const char C : S) {
        if ((static_cast<unsigned char>(C) & 0xC0) != 0x80) {
            ++N;
        }
    }
    return N;
}

bool TextIsFalse(std::string_view S) {
    const std::string U = AsciiUpper(Trim(S));
    if (U == "N" || U == "NO" || U == "F" || U == "FALSE") {
        return true;
    }
    int64_t V = 0;
    return ParseInt64(U, V) && V == 0;
}

bool Truth(const TValue& V) {
    if (const auto* I = std::get_if<int64_t>(&V)) {
        return *I != 0;
    }
    if (const auto* D = std::get_if<double>(&V)) {
        return *D != 0.0;
    }
    if (const auto* S = std::get_if<std::string>(&V)) {
        return TextIsTrue(*S);
    }
    return false;
}

bool AsNumber(const TValue& V, double& Out) {
    if (const auto* I = std::get_if<int64_t>(&V)) {
        Out = static_cast<double>(*I);
        return true;
    }
    if (const auto* D = std::get_if<double>(&V)) {
        Out = *D;
        return true;
    }
    if (const auto* S = std::get_if<std::string>(&V)) {
        return ParseDouble(*S, Out);
    }
    return false;
}

std::string ValueText(const TValue& V) {
    if (const auto* I = std::get_if<int64_t>(&V)) {
        return std::to_string(*I);
    }
    if (const auto* D = std::get_if<double>(&V)) {
        return FormatDouble(*D);
    }
    if (const auto* S = std::get_if<std::string>(&V)) {
        return *S;
    }
    if (const auto* B = std::get_if<TBlob>(&V)) {
        return std::string(B->begin(), B->end());
    }
    return {};
}

// Equality as Locate sees it.
bool LocateEqual(const TValue& Row, const TValue& Key, TFieldType Type, bool CaseSensitive) {
    if (IsNullValue(Row) || IsNullValue(Key)) {
        return IsNullValue(Row) && IsNullValue(Key);
    }
    if (Type == TFieldType::Boolean) {
        return Truth(Row) == Truth(Key);
    }
    const auto* Rs = std::get_if<std::string>(&Row);
    const auto* Ks = std::get_if<std::string>(&Key);
    if (Rs != nullptr && Ks != nullptr) {
        return CaseSensitive ? *Rs == *Ks : SameText(*Rs, *Ks);
    }
    const auto* Ri = std::get_if<int64_t>(&Row);
    const auto* Ki = std::get_if<int64_t>(&Key);
    if (Ri != nullptr && Ki != nullptr) {
        return *Ri == *Ki;
    }
    const auto* Rb = std::get_if<TBlob>(&Row);
    const auto* Kb = std::get_if<TBlob>(&Key);
    if (Rb != nullptr || Kb != nullptr) {
        return Rb != nullptr && Kb != nullptr && *Rb == *Kb;
    }
    double A = 0.0;
    double B = 0.0;
    if (AsNumber(Row, A) && AsNumber(Key, B)) {
        return A == B;
    }
    return CaseSensitive ? ValueText(Row) == ValueText(Key) : SameText(ValueText(Row), ValueText(Key));
}

const TValue NullValue{};

} // namespace

TFieldType FieldTypeFromDeclared(const std::string& Declared, int* Size) {
    const std::string U = AsciiUpper(Declared);
    const size_t Paren = U.find('(');
    const std::string Base(Trim(std::string_view(U).substr(0, Paren)));
    int N = 0;
    if (Paren != std::string::npos) {
        size_t I = Paren + 1;
        while (I < U.size() && U[I] == ' ') {
            ++I;
        }
        while (I < U.size() && U[I] >= '0' && U[I] <= '9' && N < 100000000) {
            N = N * 10 + (U[I] - '0');
            ++I;
        }
    }
    TFieldType T = TFieldType::Unknown;
    if (StartsWith(Base, "BOOL")) {
        T = TFieldType::Boolean;
    } else if (StartsWith(Base, "INT")) {
        T = TFieldType::Integer;
    } else if (StartsWith(Base, "REAL") || StartsWith(Base, "FLOAT") || StartsWith(Base, "DOUB")) {
        T = TFieldType::Double;
    } else if (StartsWith(Base, "CHAR") || Base == "VARCHAR") {
        T = TFieldType::String;
    } else if (Base == "TIME") {
        T = TFieldType::Time;
    } else if (Base.find("BLOB") != std::string::npos) {
        T = TFieldType::Blob;
    } else if (Base.find("CLOB") != std::string::npos || Base.find("TEXT") != std::string::npos) {
        T = TFieldType::Memo;
    } else if (EndsWith(Base, "INT")) {
        T = TFieldType::Integer;
    } else if (Base == "NUMERIC" || Base == "DECIMAL" || Base == "NUMBER") {
        T = TFieldType::Double;
    } else if (Base == "NCHAR" || Base == "NVARCHAR" || Base == "VARCHAR2" || Base == "NVARCHAR2") {
        T = TFieldType::String;
    }
    if (Size != nullptr) {
        *Size = T == TFieldType::String ? N : 0;
    }
    return T;
}

// ------------------------------------------------------------------ TField

void TField::Fail(const std::string& What) const {
    const std::string Owner = FOwner.FIsQuery ? std::string("query") : FOwner.FTable;
    throw EDatabaseError("Field " + Owner + "." + FName + ": " + What);
}

bool TField::IsNull() const { return IsNullValue(FOwner.CurrentValue(FIndex)); }

TValue TField::Value() const { return FOwner.CurrentValue(FIndex); }

std::string TField::AsString() const { return ValueText(FOwner.CurrentValue(FIndex)); }

int64_t TField::AsLargeInt() const {
    const TValue& V = FOwner.CurrentValue(FIndex);
    if (IsNullValue(V)) {
        Fail("the value is NULL and cannot be read as a number");
    }
    if (FType == TFieldType::Boolean) {
        return Truth(V) ? 1 : 0;
    }
    if (const auto* I = std::get_if<int64_t>(&V)) {
        return *I;
    }
    if (std::holds_alternative<TBlob>(V)) {
        Fail("the value is binary data and cannot be read as a number");
    }
    double D = 0.0;
    if (const auto* S = std::get_if<std::string>(&V)) {
        int64_t I = 0;
        if (ParseInt64(*S, I)) {
            return I;
        }
        if (!ParseDouble(*S, D)) {
            Fail("the text '" + *S + "' is not a number");
        }
    } else {
        D = std::get<double>(V);
    }
    int64_t R = 0;
    if (!RoundToInt64(D, R)) {
        Fail("the value " + FormatDouble(D) + " is outside the integer range");
    }
    return R;
}

int32_t TField::AsInteger() const {
    const int64_t V = AsLargeInt();
    if (V < INT32_MIN || V > INT32_MAX) {
        Fail("the value " + std::to_string(V) + " is outside the 32-bit integer range");
    }
    return static_cast<int32_t>(V);
}

double TField::AsFloat() const {
    const TValue& V = FOwner.CurrentValue(FIndex);
    if (IsNullValue(V)) {
        Fail("the value is NULL and cannot be read as a number");
    }
    if (FType == TFieldType::Boolean) {
        return Truth(V) ? 1.0 : 0.0;
    }
    if (const auto* I = std::get_if<int64_t>(&V)) {
        return static_cast<double>(*I);
    }
    if (const auto* D = std::get_if<double>(&V)) {
        return *D;
    }
    if (const auto* S = std::get_if<std::string>(&V)) {
        int Secs = 0;
        if (FType == TFieldType::Time && ParseTime(*S, Secs)) {
            return Secs / 86400.0;
        }
        double D = 0.0;
        if (!ParseDouble(*S, D)) {
            Fail("the text '" + *S + "' is not a number");
        }
        return D;
    }
    Fail("the value is binary data and cannot be read as a number");
}

bool TField::AsBoolean() const { return Truth(FOwner.CurrentValue(FIndex)); }

TBlob TField::AsBlob() const {
    const TValue& V = FOwner.CurrentValue(FIndex);
    if (const auto* B = std::get_if<TBlob>(&V)) {
        return *B;
    }
    const std::string S = ValueText(V);
    return TBlob(S.begin(), S.end());
}

// The value converted to the column's type; raises when it does not convert.
TValue TField::Convert(const TValue& V) const {
    if (IsNullValue(V)) {
        return V;
    }
    if (const auto* B = std::get_if<TBlob>(&V)) {
        switch (FType) {
        case TFieldType::Blob:
        case TFieldType::Unknown:
            return V;
        case TFieldType::String:
        case TFieldType::Memo:
            return Convert(std::string(B->begin(), B->end()));
        default:
            Fail("binary data cannot be stored in this column");
        }
    }
    if (const auto* S = std::get_if<std::string>(&V)) {
        const std::string_view T = Trim(*S);
        switch (FType) {
        case TFieldType::Boolean:
            if (T.empty()) {
                return TValue();
            }
            if (TextIsTrue(T)) {
                return std::string("Y");
            }
            if (TextIsFalse(T)) {
                return std::string("N");
            }
            Fail("the text '" + *S + "' is not a boolean value");
        case TFieldType::Integer: {
            if (T.empty()) {
                return TValue();
            }
            int64_t I = 0;
            double D = 0.0;
            if (ParseInt64(T, I)) {
                return I;
            }
            if (ParseDouble(T, D) && D == std::floor(D) && RoundToInt64(D, I)) {
                return I;
            }
            Fail("the text '" + *S + "' is not an integer");
        }
        case TFieldType::Double: {
            if (T.empty()) {
                return TValue();
            }
            double D = 0.0;
            if (!ParseDouble(T, D)) {
                Fail("the text '" + *S + "' is not a number");
            }
            return D;
        }
        case TFieldType::Time: {
            if (T.empty()) {
                return TValue();
            }
            int Secs = 0;
            if (!ParseTime(T, Secs)) {
                Fail("the text '" + *S + "' is not a time of day (hh:mm:ss)");
            }
            return FormatTime(Secs);
        }
        case TFieldType::String:
            if (FSize > 0 && Utf8Length(*S) > static_cast<size_t>(FSize)) {
                Fail("the text is longer than " + std::to_string(FSize) + " characters");
            }
            return V;
        case TFieldType::Blob:
            return TBlob(S->begin(), S->end());
        default:
            return V;
        }
    }
    if (const auto* I = std::get_if<int64_t>(&V)) {
        switch (FType) {
        case TFieldType::Boolean:
            return std::string(*I != 0 ? "Y" : "N");
        case TFieldType::Double:
            return static_cast<double>(*I);
        case TFieldType::Time:
            return TimeFromDayFraction(static_cast<double>(*I));
        case TFieldType::String:
        case TFieldType::Memo:
        case TFieldType::Blob:
            return Convert(std::to_string(*I));
        default:
            return V;
        }
    }
    const double D = std::get<double>(V);
    if (!std::isfinite(D)) {
        Fail("a value that is not a finite number cannot be stored");
    }
    switch (FType) {
    case TFieldType::Boolean:
        return std::string(D != 0.0 ? "Y" : "N");
    case TFieldType::Integer: {
        int64_t I = 0;
        if (!RoundToInt64(D, I)) {
            Fail("the value " + FormatDouble(D) + " is outside the integer range");
        }
        return I;
    }
    case TFieldType::Time:
        return TimeFromDayFraction(D);
    case TFieldType::String:
    case TFieldType::Memo:
    case TFieldType::Blob:
        return Convert(FormatDouble(D));
    default:
        return V;
    }
}

void TField::SetValue(const TValue& V) { FOwner.SetFieldValue(FIndex, Convert(V)); }
void TField::SetString(const std::string& S) { SetValue(S); }
void TField::SetInteger(int64_t I) { SetValue(I); }
void TField::SetFloat(double D) { SetValue(D); }
void TField::SetBoolean(bool B) {
    if (FType == TFieldType::Integer) {
        SetValue(static_cast<int64_t>(B ? 1 : 0));
    } else if (FType == TFieldType::Double) {
        SetValue(B ? 1.0 : 0.0);
    } else {
        FOwner.SetFieldValue(FIndex, std::string(B ? "Y" : "N"));
    }
}
void TField::SetNull() { FOwner.SetFieldValue(FIndex, TValue()); }

// ---------------------------------------------------------------- TDataset

TDataset::TDataset(TDatabase& Db, std::string Table) : FDb(Db), FTable(std::move(Table)) {}

TDataset::TDataset(TDatabase& Db, std::string Sql, bool ReadOnly)
    : FDb(Db), FSql(std::move(Sql)), FReadOnly(ReadOnly), FIsQuery(true) {}

TDataset::~TDataset() {
    DetachMaster();
    for (TDataset* D : FDetails) {
        D->FMaster = nullptr;
    }
}

std::string TDataset::Quoted() const { return QuoteIdent(FTable); }

void TDataset::CheckActive() const {
    if (FState == TDatasetState::Inactive) {
        throw EDatabaseError(FIsQuery ? std::string("The query is not open")
                                      : "The view of table " + FTable + " is not open");
    }
}

void TDataset::CheckWritable() const {
    if (FReadOnly) {
        throw EDatabaseError("The rows of a query cannot be edited");
    }
}

void TDataset::SetFilter(std::string Where, std::vector<TValue> Params) {
    FWhere = std::move(Where);
    FWhereParams = std::move(Params);
    FSelectStmt.reset();
    FTableSelects.clear();
    if (Active()) {
        Refresh();
    }
}

void TDataset::SetOrderBy(std::string OrderBy) {
    FOrderBy = std::move(OrderBy);
    FSelectStmt.reset();
    FTableSelects.clear();
    if (Active()) {
        Refresh();
    }
}

void TDataset::DetachMaster() {
    if (FMaster != nullptr) {
        auto& D = FMaster->FDetails;
        D.erase(std::remove(D.begin(), D.end(), this), D.end());
        FMaster = nullptr;
    }
}

void TDataset::SetMaster(TDataset* Master, std::vector<std::pair<std::string, std::string>> Links) {
    for (const TDataset* M = Master; M != nullptr; M = M->FMaster) {
        if (M == this) {
            throw EDatabaseError("A view cannot be its own master");
        }
    }
    DetachMaster();
    FMaster = Master;
    FLinks = Master != nullptr ? std::move(Links) : std::vector<std::pair<std::string, std::string>>{};
    if (Master != nullptr) {
        Master->FDetails.push_back(this);
    }
    FSelectStmt.reset();
    FTableSelects.clear();
    FLinkFields.clear();
    if (Active()) {
        if (!FIsQuery) {
            for (const auto& L : FLinks) {
                FLinkFields.push_back(FieldByName(L.first).FIndex);
            }
        }
        MasterChanged(true);
    }
}

void TDataset::AddCalculatedField(const std::string& Name, TFieldType Type) {
    if (Active()) {
        throw EDatabaseError("Calculated fields are added before the view is opened");
    }
    FCalcDefs.emplace_back(Name, Type);
    FFields.clear();
    FFieldIndex.clear();
}

void TDataset::SetOnCalcFields(std::function<void(TDataset&)> Handler) { FOnCalcFields = std::move(Handler); }

void TDataset::ReadColumns() {
    TStatement St(FDb, "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?)");
    St.Bind(1, FTable);
    std::vector<TColumnInfo> Cols;
    int PkCount = 0;
    int PkIndex = -1;
    while (St.Step()) {
        TColumnInfo C;
        C.Name = std::get<std::string>(St.Column(0));
        const TValue Type = St.Column(1);
        C.Declared = std::holds_alternative<std::string>(Type) ? std::get<std::string>(Type) : std::string();
        C.NotNull = std::get<int64_t>(St.Column(2)) != 0;
        const TValue Dflt = St.Column(3);
        if (const auto* D = std::get_if<std::string>(&Dflt)) {
            C.Default = *D;
        }
        if (std::get<int64_t>(St.Column(4)) > 0) {
            ++PkCount;
            PkIndex = static_cast<int>(Cols.size());
        }
        Cols.push_back(std::move(C));
    }
    if (Cols.empty()) {
        throw EDatabaseError("The table " + FTable + " does not exist in the database '" + FDb.Path() + "'");
    }
    if (PkCount == 1 && AsciiUpper(Cols[static_cast<size_t>(PkIndex)].Declared) == "INTEGER") {
        Cols[static_cast<size_t>(PkIndex)].RowIdAlias = true;
    }
    FColumns = std::move(Cols);
}

void TDataset::BuildFields() {
    const size_t Expected = FColumns.size() + FCalcDefs.size();
    bool Same = FFields.size() == Expected;
    for (size_t I = 0; Same && I < FColumns.size(); ++I) {
        Same = FFields[I]->FName == FColumns[I].Name;
    }
    if (Same) {
        return; // fields handed out earlier stay valid across Close/Open
    }
    FFields.clear();
    FFieldIndex.clear();
    for (size_t I = 0; I < FColumns.size(); ++I) {
        int Size = 0;
        const TFieldType T = FieldTypeFromDeclared(FColumns[I].Declared, &Size);
        FFields.push_back(std::unique_ptr<TField>(
            new TField(*this, static_cast<int>(I), FColumns[I].Name, T, Size, FColumns[I].NotNull, false)));
    }
    for (const auto& [Name, Type] : FCalcDefs) {
        FFields.push_back(std::unique_ptr<TField>(
            new TField(*this, static_cast<int>(FFields.size()), Name, Type, 0, false, true)));
    }
    for (size_t I = 0; I < FFields.size(); ++I) {
        FFieldIndex.emplace(AsciiUpper(FFields[I]->FName), static_cast<int>(I));
    }
}

// The WHERE clause of a table view. Link values are compared without regard
// to case. For ASCII text, SQLite's NOCASE gives the same answer as BVNOCASE
// (no other letter folds to an ASCII one) and can use the index of the link
// columns; text with other letters needs BVNOCASE.
std::string TDataset::Where(uint64_t FoldedLinks) const {
    std::string W;
    if (!FWhere.empty()) {
        W = "(" + FWhere + ")";
    }
    if (!FIsQuery) {
        for (size_t K = 0; K < FLinks.size(); ++K) {
            const bool Folded = K < 64 && (FoldedLinks & (uint64_t{1} << K)) != 0;
            W += (W.empty() ? "" : " AND ") + QuoteIdent(FLinks[K].first) +
                 (Folded ? " = ? COLLATE BVNOCASE" : " = ? COLLATE NOCASE");
        }
    }
    return W;
}

std::vector<TValue> TDataset::CurrentLinkValues() const {
    std::vector<TValue> V;
    if (FMaster == nullptr) {
        // Links without a master (it was destroyed first) match nothing.
        V.resize(FLinks.size());
        return V;
    }
    const bool HasRow = FMaster->Active() && (FMaster->FCur >= 0 || FMaster->FState == TDatasetState::Insert);
    for (const auto& L : FLinks) {
        V.push_back(HasRow ? FMaster->FieldByName(L.second).Value() : TValue());
    }
    return V;
}

void TDataset::BindQueryParams(TStatement& St) const {
    for (int I = 1; I <= St.ParameterCount(); ++I) {
        St.Bind(I, TValue());
    }
    for (const auto& [Index, Value] : FParamsByIndex) {
        St.Bind(Index, Value);
    }
    for (const auto& [Name, Value] : FParamsByName) {
        St.Bind(Name, Value);
    }
    const std::vector<TValue> Links = CurrentLinkValues();
    for (size_t K = 0; K < FLinks.size(); ++K) {
        const std::string& P = FLinks[K].first;
        St.Bind(P.empty() || P[0] == ':' || P[0] == '@' || P[0] == '$' ? P : ":" + P, Links[K]);
    }
}

void TDataset::ReadRows(std::optional<int64_t> KeepRowId, int KeepRecNo) {
    std::vector<TRow> Rows;
    const size_t NCols = FColumns.size();
    const size_t NFields = NCols + FCalcDefs.size();
    FLinkValues = CurrentLinkValues();
    if (FIsQuery) {
        if (!FSelectStmt) {
            FSelectStmt = std::make_unique<TStatement>(FDb, FSql);
        }
        BindQueryParams(*FSelectStmt);
        while (FSelectStmt->Step()) {
            TRow R;
            R.RowId = static_cast<int64_t>(Rows.size()) + 1;
            R.Values.resize(NFields);
            for (size_t I = 0; I < NCols; ++I) {
                R.Values[I] = FSelectStmt->Column(static_cast<int>(I));
            }
            Rows.push_back(std::move(R));
        }
        FSelectStmt->Reset();
    } else {
        // A detail whose master has no row (or a NULL link value) matches nothing.
        const bool NoMatch = std::any_of(FLinkValues.begin(), FLinkValues.end(), IsNullValue);
        if (!NoMatch) {
            uint64_t Folded = 0;
            for (size_t K = 0; K < FLinkValues.size(); ++K) {
                const auto* S = std::get_if<std::string>(&FLinkValues[K]);
                const bool Ascii = S == nullptr || std::all_of(S->begin(), S->end(), [](char C) {
                                       return (static_cast<unsigned char>(C) & 0x80) == 0;
                                   });
                if (!Ascii) {
                    Folded |= K < 64 ? uint64_t{1} << K : 0;
                }
            }
            auto& Stmt = FTableSelects[Folded];
            if (!Stmt) {
                std::string Sql = "SELECT rowid";
                for (const auto& C : FColumns) {
                    Sql += ", " + QuoteIdent(C.Name);
                }
                Sql += " FROM " + Quoted();
                const std::string W = Where(Folded);
                if (!W.empty()) {
                    Sql += " WHERE " + W;
                }
                if (!FOrderBy.empty()) {
                    Sql += " ORDER BY " + FOrderBy;
                }
                Stmt = std::make_unique<TStatement>(FDb, Sql);
            }
            int P = 1;
            for (const auto& V : FWhereParams) {
                Stmt->Bind(P++, V);
            }
            for (const auto& V : FLinkValues) {
                Stmt->Bind(P++, V);
            }
            while (Stmt->Step()) {
                TRow R;
                R.RowId = std::get<int64_t>(Stmt->Column(0));
                R.Values.resize(NFields);
                for (size_t I = 0; I < NCols; ++I) {
                    R.Values[I] = Stmt->Column(static_cast<int>(I) + 1);
                }
                Rows.push_back(std::move(R));
            }
            Stmt->Reset();
        }
    }
    for (TRow& R : Rows) {
        RunCalcFields(R);
    }
    FRows = std::move(Rows);
    FCur = FRows.empty() ? -1 : 0;
    if (!FRows.empty()) {
        bool Found = false;
        if (KeepRowId) {
            for (size_t I = 0; I < FRows.size(); ++I) {
                if (FRows[I].RowId == *KeepRowId) {
                    FCur = static_cast<int>(I);
                    Found = true;
                    break;
                }
            }
        }
        if (!Found && KeepRecNo > 0) {
            FCur = std::min(KeepRecNo, static_cast<int>(FRows.size())) - 1;
        }
    }
    FBof = true;
    FEof = FRows.empty();
    if (FCur > 0) {
        FBof = false;
    }
}

bool TDataset::ReReadRow(TRow& Row) {
    if (!FRowStmt) {
        std::string Sql = "SELECT ";
        for (size_t I = 0; I < FColumns.size(); ++I) {
            Sql += (I == 0 ? "" : ", ") + QuoteIdent(FColumns[I].Name);
        }
        FRowStmt = std::make_unique<TStatement>(FDb, Sql + " FROM " + Quoted() + " WHERE rowid = ?");
    }
    FRowStmt->Bind(1, Row.RowId);
    const bool Found = FRowStmt->Step();
    if (Found) {
        for (size_t I = 0; I < FColumns.size(); ++I) {
            Row.Values[I] = FRowStmt->Column(static_cast<int>(I));
        }
    }
    FRowStmt->Reset();
    return Found;
}

void TDataset::RunCalcFields(TRow& Row) {
    if (FCalcDefs.empty() || !FOnCalcFields) {
        return;
    }
    for (size_t I = FColumns.size(); I < Row.Values.size(); ++I) {
        Row.Values[I] = TValue();
    }
    TRow* Saved = FCalcRow;
    FCalcRow = &Row;
    try {
        FOnCalcFields(*this);
    } catch (...) {
        FCalcRow = Saved;
        throw;
    }
    FCalcRow = Saved;
}

void TDataset::Open() {
    if (Active()) {
        return;
    }
    if (FIsQuery) {
        if (!FSelectStmt) {
            FSelectStmt = std::make_unique<TStatement>(FDb, FSql);
        }
        std::vector<TColumnInfo> Cols;
        for (int I = 0; I < FSelectStmt->ColumnCount(); ++I) {
            TColumnInfo C;
            C.Name = FSelectStmt->ColumnName(I);
            C.Declared = FSelectStmt->ColumnDeclType(I);
            Cols.push_back(std::move(C));
        }
        FColumns = std::move(Cols);
        BuildFields();
    } else {
        ReadColumns();
        BuildFields();
        FLinkFields.clear();
        for (const auto& L : FLinks) {
            FLinkFields.push_back(FieldByName(L.first).FIndex);
        }
        FTableSelects.clear();
        FRowStmt.reset();
        FInsertStmt.reset();
        FDefaultStmt.reset();
        FUpdateStmts.clear();
    }
    ReadRows(std::nullopt, 0);
    FState = TDatasetState::Browse;
    Notify(TDatasetEvent::StateChange);
    Notify(TDatasetEvent::Refresh);
    Notify(TDatasetEvent::Scroll);
}

void TDataset::Close() {
    if (!Active()) {
        return;
    }
    FEditBuffer = TRow();
    FRows.clear();
    FCur = -1;
    FEof = FBof = true;
    SetState(TDatasetState::Inactive);
}

void TDataset::Refresh() {
    CheckActive();
    CheckBrowseMode();
    std::optional<int64_t> Keep;
    if (FCur >= 0) {
        Keep = FRows[static_cast<size_t>(FCur)].RowId;
    }
    ReadRows(Keep, RecNo());
    Notify(TDatasetEvent::Refresh);
    Notify(TDatasetEvent::Scroll);
}

void TDataset::MasterChanged(bool Force) {
    if (!Active()) {
        return;
    }
    const std::vector<TValue> Now = CurrentLinkValues();
    const bool Same = Now == FLinkValues;
    if (!Force && Same) {
        return;
    }
    CheckBrowseMode();
    std::optional<int64_t> Keep;
    if (Same && FCur >= 0) {
        Keep = FRows[static_cast<size_t>(FCur)].RowId;
    }
    ReadRows(Keep, Same ? RecNo() : 0);
    Notify(TDatasetEvent::Refresh);
    Notify(TDatasetEvent::Scroll);
}

void TDataset::SetState(TDatasetState S) {
    if (FState != S) {
        FState = S;
        Notify(TDatasetEvent::StateChange);
    }
}

void TDataset::NotifyDetails(TDatasetEvent Event, TField* Field) {
    if (FDetails.empty()) {
        return;
    }
    const std::vector<TDataset*> Details = FDetails;
    for (TDataset* D : Details) {
        switch (Event) {
        case TDatasetEvent::Refresh:
            D->MasterChanged(true);
            break;
        case TDatasetEvent::Scroll:
        case TDatasetEvent::StateChange:
        case TDatasetEvent::AfterPost:
            D->MasterChanged(false);
            break;
        case TDatasetEvent::FieldChange:
            if (Field != nullptr) {
                for (const auto& L : D->FLinks) {
                    if (AsciiUpper(L.second) == AsciiUpper(Field->FieldName())) {
                        D->MasterChanged(false);
                        break;
                    }
                }
            }
            break;
        case TDatasetEvent::AfterDelete:
            break;
        }
    }
}

void TDataset::Notify(TDatasetEvent Event, TField* Field) {
    const bool DataLink =
        Event == TDatasetEvent::Scroll || Event == TDatasetEvent::FieldChange || Event == TDatasetEvent::Refresh;
    if (FDisableCount > 0) {
        if (Event == TDatasetEvent::Refresh) {
            FPendingRefresh = true;
        } else if (DataLink) {
            FPendingScroll = true;
        }
        if (DataLink) {
            return;
        }
    } else {
        NotifyDetails(Event, Field);
    }
    std::vector<int> Ids;
    Ids.reserve(FListeners.size());
    for (const auto& L : FListeners) {
        Ids.push_back(L.first);
    }
    for (const int Id : Ids) {
        // A listener may remove listeners; call only those still there.
        auto It = std::find_if(FListeners.begin(), FListeners.end(), [Id](const auto& L) { return L.first == Id; });
        if (It != FListeners.end()) {
            const TDatasetListener Fn = It->second;
            Fn(*this, Event, Field);
        }
    }
}

void TDataset::MoveTo(int Index) {
    if (Index != FCur) {
        FCur = Index;
        Notify(TDatasetEvent::Scroll);
    }
}

void TDataset::First() {
    CheckActive();
    CheckBrowseMode();
    FBof = true;
    FEof = FRows.empty();
    if (!FRows.empty()) {
        MoveTo(0);
    }
}

void TDataset::Last() {
    CheckActive();
    CheckBrowseMode();
    FEof = true;
    FBof = FRows.empty();
    if (!FRows.empty()) {
        MoveTo(static_cast<int>(FRows.size()) - 1);
    }
}

void TDataset::MoveBy(int Distance) {
    CheckActive();
    CheckBrowseMode();
    if (FRows.empty()) {
        FEof = FBof = true;
        return;
    }
    const int64_t Target = static_cast<int64_t>(FCur) + Distance;
    const auto Count = static_cast<int64_t>(FRows.size());
    FEof = FBof = false;
    if (Target >= Count) {
        FEof = true;
        MoveTo(static_cast<int>(Count - 1));
    } else if (Target < 0) {
        FBof = true;
        MoveTo(0);
    } else {
        MoveTo(static_cast<int>(Target));
    }
}

void TDataset::Next() {
    CheckActive();
    if (FState == TDatasetState::Insert || FState == TDatasetState::Edit) {
        CheckBrowseMode();
    }
    if (!FEof) {
        MoveBy(1);
    }
}

void TDataset::Prior() {
    CheckActive();
    if (FState == TDatasetState::Insert || FState == TDatasetState::Edit) {
        CheckBrowseMode();
    }
    if (!FBof) {
        MoveBy(-1);
    }
}

bool TDataset::Eof() const { return !Active() || FEof; }
bool TDataset::Bof() const { return !Active() || FBof; }
int TDataset::RecordCount() const { return static_cast<int>(FRows.size()); }

int TDataset::RecNo() const {
    if (FState == TDatasetState::Insert) {
        return FInsertPos + 1;
    }
    return FCur + 1;
}

void TDataset::SetRecNo(int N) {
    CheckActive();
    CheckBrowseMode();
    if (FRows.empty()) {
        return;
    }
    N = std::clamp(N, 1, static_cast<int>(FRows.size()));
    FEof = FBof = false;
    MoveTo(N - 1);
}

void TDataset::Edit() {
    CheckActive();
    CheckWritable();
    if (FState == TDatasetState::Edit || FState == TDatasetState::Insert) {
        return;
    }
    if (FCur < 0) {
        throw EDatabaseError("Cannot edit: the view of table " + FTable + " has no current row");
    }
    FEditBuffer = FRows[static_cast<size_t>(FCur)];
    FModified.assign(FColumns.size(), false);
    SetState(TDatasetState::Edit);
}

void TDataset::EvaluateDefaults(TRow& Row) {
    const bool Any = std::any_of(FColumns.begin(), FColumns.end(), [](const TColumnInfo& C) { return C.Default.has_value(); });
    if (!Any) {
        return;
    }
    try {
        if (!FDefaultStmt) {
            // The DEFAULT clauses are SQL expressions of the schema itself
            // (numbers, quoted text, NULL, CURRENT_TIME, ...); SQLite
            // evaluates them exactly as an INSERT would.
            std::string Sql = "SELECT ";
            for (size_t I = 0; I < FColumns.size(); ++I) {
                Sql += (I == 0 ? "" : ", ") + (FColumns[I].Default ? "(" + *FColumns[I].Default + ")" : std::string("NULL"));
            }
            FDefaultStmt = std::make_unique<TStatement>(FDb, Sql);
        }
        if (FDefaultStmt->Step()) {
            for (size_t I = 0; I < FColumns.size(); ++I) {
                if (FColumns[I].Default) {
                    Row.Values[I] = FDefaultStmt->Column(static_cast<int>(I));
                }
            }
        }
        FDefaultStmt->Reset();
    } catch (const EDatabaseError& E) {
        throw EDatabaseError("Cannot evaluate the column defaults of table " + FTable + ": " + E.what());
    }
}

void TDataset::StartNewRow(bool AtEnd) {
    CheckActive();
    CheckWritable();
    CheckBrowseMode();
    TRow R;
    R.Values.resize(FFields.size());
    EvaluateDefaults(R);
    const std::vector<TValue> Links = CurrentLinkValues();
    for (size_t K = 0; K < FLinkFields.size(); ++K) {
        R.Values[static_cast<size_t>(FLinkFields[K])] = Links[K];
    }
    RunCalcFields(R);
    FPrevCur = FCur;
    FInsertPos = AtEnd || FCur < 0 ? static_cast<int>(FRows.size()) : FCur;
    if (!AtEnd && FCur < 0) {
        FInsertPos = 0;
    }
    FEditBuffer = std::move(R);
    FModified.assign(FColumns.size(), false);
    FEof = FBof = false;
    SetState(TDatasetState::Insert);
    Notify(TDatasetEvent::Scroll);
}

void TDataset::Append() { StartNewRow(true); }
void TDataset::Insert() { StartNewRow(false); }

void TDataset::Post() {
    CheckActive();
    if (FState != TDatasetState::Edit && FState != TDatasetState::Insert) {
        return;
    }
    for (size_t I = 0; I < FColumns.size(); ++I) {
        if (FColumns[I].NotNull && !FColumns[I].RowIdAlias && IsNullValue(FEditBuffer.Values[I])) {
            throw EDatabaseError("Field " + FTable + "." + FColumns[I].Name + " must have a value");
        }
    }
    if (FState == TDatasetState::Insert) {
        if (!FInsertStmt) {
            std::string Cols;
            std::string Marks;
            for (size_t I = 0; I < FColumns.size(); ++I) {
                Cols += (I == 0 ? "" : ", ") + QuoteIdent(FColumns[I].Name);
                Marks += I == 0 ? "?" : ", ?";
            }
            FInsertStmt = std::make_unique<TStatement>(FDb, "INSERT INTO " + Quoted() + " (" + Cols + ") VALUES (" + Marks + ")");
        }
        for (size_t I = 0; I < FColumns.size(); ++I) {
            FInsertStmt->Bind(static_cast<int>(I) + 1, FEditBuffer.Values[I]);
        }
        FInsertStmt->Execute();
        TRow R = std::move(FEditBuffer);
        FEditBuffer = TRow();
        R.RowId = FDb.LastInsertRowId();
        // The row as stored: column affinity, triggers.
        ReReadRow(R);
        RunCalcFields(R);
        const int Pos = std::clamp(FInsertPos, 0, static_cast<int>(FRows.size()));
        FRows.insert(FRows.begin() + Pos, std::move(R));
        FCur = Pos;
    } else {
        std::vector<bool> Mask(FColumns.size(), false);
        bool Any = false;
        for (size_t I = 0; I < FColumns.size(); ++I) {
            Mask[I] = FModified[I];
            Any = Any || Mask[I];
        }
        TRow R = FEditBuffer;
        if (Any) {
            auto& St = FUpdateStmts[Mask];
            if (!St) {
                std::string Sql = "UPDATE " + Quoted() + " SET ";
                bool FirstCol = true;
                for (size_t I = 0; I < FColumns.size(); ++I) {
                    if (Mask[I]) {
                        Sql += (FirstCol ? "" : ", ") + QuoteIdent(FColumns[I].Name) + " = ?";
                        FirstCol = false;
                    }
                }
                St = std::make_unique<TStatement>(FDb, Sql + " WHERE rowid = ?");
            }
            int P = 1;
            for (size_t I = 0; I < FColumns.size(); ++I) {
                if (Mask[I]) {
                    St->Bind(P++, FEditBuffer.Values[I]);
                }
            }
            St->Bind(P, FEditBuffer.RowId);
            St->Execute();
            if (FDb.Changes() == 0) {
                throw EDatabaseError("The row of table " + FTable + " being edited no longer exists in the database");
            }
            ReReadRow(R);
            RunCalcFields(R);
        }
        FRows[static_cast<size_t>(FCur)] = std::move(R);
        FEditBuffer = TRow();
    }
    SetState(TDatasetState::Browse);
    Notify(TDatasetEvent::AfterPost);
}

void TDataset::Cancel() {
    CheckActive();
    if (FState == TDatasetState::Edit) {
        FEditBuffer = TRow();
        SetState(TDatasetState::Browse);
        Notify(TDatasetEvent::Scroll);
    } else if (FState == TDatasetState::Insert) {
        FEditBuffer = TRow();
        FCur = FRows.empty() ? -1 : std::clamp(FPrevCur, 0, static_cast<int>(FRows.size()) - 1);
        FEof = FRows.empty();
        FBof = FRows.empty();
        SetState(TDatasetState::Browse);
        Notify(TDatasetEvent::Scroll);
    }
}

void TDataset::Delete() {
    CheckActive();
    CheckWritable();
    if (FState == TDatasetState::Insert) {
        Cancel();
        return;
    }
    if (FCur < 0) {
        throw EDatabaseError("Cannot delete: the view of table " + FTable + " is empty");
    }
    if (!FDeleteStmt) {
        FDeleteStmt = std::make_unique<TStatement>(FDb, "DELETE FROM " + Quoted() + " WHERE rowid = ?");
    }
    FDeleteStmt->Bind(1, FRows[static_cast<size_t>(FCur)].RowId);
    FDeleteStmt->Execute();
    FEditBuffer = TRow();
    const bool WasLast = FCur == static_cast<int>(FRows.size()) - 1;
    FRows.erase(FRows.begin() + FCur);
    if (FRows.empty()) {
        FCur = -1;
    } else if (FCur >= static_cast<int>(FRows.size())) {
        FCur = static_cast<int>(FRows.size()) - 1;
    }
    FEof = FRows.empty() || WasLast;
    FBof = FRows.empty();
    SetState(TDatasetState::Browse);
    Notify(TDatasetEvent::AfterDelete);
    Notify(TDatasetEvent::Scroll);
}

void TDataset::CheckBrowseMode() {
    if (FState == TDatasetState::Edit || FState == TDatasetState::Insert) {
        Post();
    }
}

TField& TDataset::FieldByName(const std::string& Name) {
    TField* F = FindField(Name);
    if (F == nullptr) {
        throw EDatabaseError((FIsQuery ? std::string("The query") : "The view of table " + FTable) +
                             " has no field " + Name);
    }
    return *F;
}

TField* TDataset::FindField(const std::string& Name) {
    const auto It = FFieldIndex.find(AsciiUpper(Name));
    return It == FFieldIndex.end() ? nullptr : FFields[static_cast<size_t>(It->second)].get();
}

int64_t TDataset::RowId() const {
    if (FState == TDatasetState::Insert || FCur < 0) {
        return 0;
    }
    return FRows[static_cast<size_t>(FCur)].RowId;
}

const TValue& TDataset::CurrentValue(int Index) const {
    if (FCalcRow != nullptr) {
        return FCalcRow->Values[static_cast<size_t>(Index)];
    }
    CheckActive();
    if (FState == TDatasetState::Edit || FState == TDatasetState::Insert) {
        return FEditBuffer.Values[static_cast<size_t>(Index)];
    }
    if (FCur < 0) {
        return NullValue;
    }
    return FRows[static_cast<size_t>(FCur)].Values[static_cast<size_t>(Index)];
}

const TValue& TDataset::RowValue(int RecNo, int FieldIndex) const {
    if (!Active() || RecNo < 1 || RecNo > RecordCount() || FieldIndex < 0 ||
        FieldIndex >= static_cast<int>(FFields.size())) {
        return NullValue;
    }
    const size_t I = static_cast<size_t>(FieldIndex);
    if (FState == TDatasetState::Edit && RecNo - 1 == FCur) {
        return FEditBuffer.Values[I];
    }
    return FRows[static_cast<size_t>(RecNo - 1)].Values[I];
}

TValue& TDataset::CurrentValue(int Index) {
    return const_cast<TValue&>(static_cast<const TDataset&>(*this).CurrentValue(Index));
}

void TDataset::SetFieldValue(int Index, TValue V) {
    TField& F = *FFields[static_cast<size_t>(Index)];
    if (FCalcRow != nullptr) {
        if (!F.Calculated()) {
            throw EDatabaseError("Field " + F.FieldName() + " is not calculated and cannot be set while calculating");
        }
        if (F.FOnValidate) {
            F.FOnValidate(F, V);
        }
        FCalcRow->Values[static_cast<size_t>(Index)] = std::move(V);
        return;
    }
    CheckActive();
    if (FState != TDatasetState::Edit && FState != TDatasetState::Insert) {
        throw EDatabaseError((FIsQuery ? std::string("The query") : "The view of table " + FTable) +
                             " is not in edit or insert state; field " + F.FieldName() + " cannot be set");
    }
    if (F.FOnValidate) {
        F.FOnValidate(F, V);
    }
    FEditBuffer.Values[static_cast<size_t>(Index)] = std::move(V);
    if (!F.Calculated()) {
        FModified[static_cast<size_t>(Index)] = true;
    }
    RunCalcFields(FEditBuffer);
    Notify(TDatasetEvent::FieldChange, &F);
}

bool TDataset::RowMatches(const TRow& Row, const std::vector<int>& Cols, const std::vector<TValue>& Values,
                          bool CaseSensitive) const {
    for (size_t K = 0; K < Cols.size(); ++K) {
        const auto C = static_cast<size_t>(Cols[K]);
        if (!LocateEqual(Row.Values[C], Values[K], FFields[C]->DataType(), CaseSensitive)) {
            return false;
        }
    }
    return true;
}

bool TDataset::Locate(const std::vector<std::string>& Columns, const std::vector<TValue>& Values,
                      TLocateOptions Options) {
    CheckActive();
    if (Columns.size() != Values.size() || Columns.empty()) {
        throw EDatabaseError("Locate needs one value for each of its columns");
    }
    std::vector<int> Cols;
    for (const auto& C : Columns) {
        Cols.push_back(FieldByName(C).FIndex);
    }
    CheckBrowseMode();
    for (size_t I = 0; I < FRows.size(); ++I) {
        if (RowMatches(FRows[I], Cols, Values, Options.CaseSensitive)) {
            FEof = FBof = false;
            MoveTo(static_cast<int>(I));
            return true;
        }
    }
    return false;
}

TBookmark TDataset::GetBookmark() const {
    TBookmark B;
    if (Active() && FState != TDatasetState::Insert && FCur >= 0) {
        B.RowId = FRows[static_cast<size_t>(FCur)].RowId;
        B.RecNo = FCur + 1;
        B.Valid = true;
    }
    return B;
}

bool TDataset::BookmarkValid(const TBookmark& B) const {
    return B.Valid && std::any_of(FRows.begin(), FRows.end(), [&B](const TRow& R) { return R.RowId == B.RowId; });
}

void TDataset::GotoBookmark(const TBookmark& B) {
    CheckActive();
    CheckBrowseMode();
    if (!B.Valid || FRows.empty()) {
        return;
    }
    int Target = std::clamp(B.RecNo, 1, static_cast<int>(FRows.size())) - 1;
    for (size_t I = 0; I < FRows.size(); ++I) {
        if (FRows[I].RowId == B.RowId) {
            Target = static_cast<int>(I);
            break;
        }
    }
    FEof = FBof = false;
    MoveTo(Target);
}

void TDataset::DisableControls() { ++FDisableCount; }

void TDataset::EnableControls() {
    if (FDisableCount == 0) {
        return;
    }
    if (--FDisableCount > 0) {
        return;
    }
    const bool Refresh = FPendingRefresh;
    const bool Scroll = FPendingScroll || FPendingRefresh;
    FPendingRefresh = FPendingScroll = false;
    if (Refresh) {
        Notify(TDatasetEvent::Refresh);
    }
    if (Scroll) {
        Notify(TDatasetEvent::Scroll);
    }
}

int TDataset::AddListener(TDatasetListener Listener) {
    const int Id = FNextListenerId++;
    FListeners.emplace_back(Id, std::move(Listener));
    return Id;
}

void TDataset::RemoveListener(int Id) {
    FListeners.erase(std::remove_if(FListeners.begin(), FListeners.end(), [Id](const auto& L) { return L.first == Id; }),
                     FListeners.end());
}

// ------------------------------------------------------------------ TQuery

TQuery::TQuery(TDatabase& Db, std::string Sql) : TDataset(Db, std::move(Sql), true) {}

void TQuery::SetSQL(std::string Sql) {
    Close();
    FSql = std::move(Sql);
    FSelectStmt.reset();
    FExecStmt.reset();
    FParamsByName.clear();
    FParamsByIndex.clear();
    FColumns.clear();
    FFields.clear();
    FFieldIndex.clear();
}

void TQuery::SetParam(const std::string& Name, const TValue& Value) {
    const bool Prefixed = !Name.empty() && (Name[0] == ':' || Name[0] == '@' || Name[0] == '$' || Name[0] == '?');
    FParamsByName[Prefixed ? Name : ":" + Name] = Value;
}

void TQuery::SetParam(int Index, const TValue& Value) { FParamsByIndex[Index] = Value; }

void TQuery::ExecSQL() {
    if (!FExecStmt || FExecStmt->Sql() != FSql) {
        FExecStmt = std::make_unique<TStatement>(FDb, FSql);
    }
    BindQueryParams(*FExecStmt);
    FExecStmt->Execute();
}
