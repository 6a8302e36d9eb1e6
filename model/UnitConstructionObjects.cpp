#include "model/UnitConstructionObjects.h"

#include "calc/ISO13786Lib.h"
#include "calc/MathError.h"
#include "db/Dataset.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

const char* const kComponentTypeOuterWall = "OuterWall";
const char* const kComponentTypeInnerWall = "InnerWall";
const char* const kComponentTypeRoof = "Roof";
const char* const kComponentTypeInnerRoof = "InnerRoof";
const char* const kComponentTypeGroundFloor = "GroundFloor";
const char* const kComponentTypeGroundSlab = "GroundSlab";
const char* const kComponentTypeGroundWall = "GroundWall";

namespace {

constexpr std::array<const char*, kGroundTypeCount> kGroundKeys = {
    "Slab",           "LowDensityWall",  "SlabVerticalInsulation", "SlabHorizontalInsulation",
    "SuspendedFloor", "HeatedCellar",    "AlbaSlab",               "AlbaCrawlSpace",
    "FinlandVertical1", "FinlandVertical2", "FinlandSuspended1",   "FinlandHeatedCellar1",
};

// Surface resistances the building gives its constructions, m2 K/W.
constexpr double kRsiWallRoof = 0.13;
constexpr double kRseOuter = 0.04;
constexpr double kRseInner = 0.13;

const char* const kFoundationName = "Husgrund";
const char* const kNoBuildingID = "Kan ej skapa byggnad utan ID!";

TDataset& Need(TDataset* Table, const char* What) {
    if (Table == nullptr) {
        throw EBVException(std::string("Tabellen för ") + What + " är inte angiven");
    }
    return *Table;
}

double ReadFloat(TDataset& T, const char* Column) { return T.FieldByName(Column).AsFloat(); }
int32_t ReadInt(TDataset& T, const char* Column) { return T.FieldByName(Column).AsInteger(); }
std::string ReadString(TDataset& T, const char* Column) { return T.FieldByName(Column).AsString(); }

// A whole number of kWh stored in a REAL column.
int32_t ReadWhole(TDataset& T, const char* Column) {
    return RoundHalfEven(T.FieldByName(Column).AsFloat(), Column);
}

// The writers leave a column alone when it already holds exactly the value
// (same storage class, same value): a row that a store finds unchanged is
// posted without an UPDATE, and the database ends up the same.
template <class T>
bool Holds(const TField& F, const T& V) {
    const TValue Cur = F.Value();
    const T* P = std::get_if<T>(&Cur);
    return P != nullptr && *P == V;
}

void WriteFloat(TDataset& T, const char* Column, double V) {
    TField& F = T.FieldByName(Column);
    if (!Holds(F, V)) {
        F.SetFloat(V);
    }
}
void WriteInt(TDataset& T, const char* Column, int64_t V) {
    TField& F = T.FieldByName(Column);
    if (!Holds(F, V)) {
        F.SetInteger(V);
    }
}
void WriteString(TDataset& T, const char* Column, const std::string& V) {
    TField& F = T.FieldByName(Column);
    if (!Holds(F, V)) {
        F.SetString(V);
    }
}
// Booleans are stored as 'Y' and 'N'.
void WriteBool(TDataset& T, const char* Column, bool V) {
    TField& F = T.FieldByName(Column);
    if (!Holds(F, std::string(V ? "Y" : "N"))) {
        F.SetBoolean(V);
    }
}

// A column stored scaled: read divided by Scale (remembering the column
// value), written as Held x Scale unless the remembered value gives Held.
double ReadScaled(TDataset& T, const char* Column, double Scale, TLoadedColumn& Loaded) {
    Loaded.Value = ReadFloat(T, Column);
    Loaded.Loaded = true;
    return Loaded.Value / Scale;
}
void WriteScaled(TDataset& T, const char* Column, double Held, double Scale, const TLoadedColumn& Loaded) {
    WriteFloat(T, Column, Loaded.Loaded && Loaded.Value / Scale == Held ? Loaded.Value : Held * Scale);
}

// The store pattern: find the row by its key (case ignored), edit it, or
// append a new one.
void EditOrAppend(TDataset& T, const std::vector<std::string>& Columns,
                  const std::vector<TValue>& Values) {
    if (T.Locate(Columns, Values)) {
        T.Edit();
    } else {
        T.Append();
    }
}

// ---------------------------------------------------------------------------
// The texts that say why a member cannot be calculated, in the words of the
// input pages.

// A number as the pages show it: decimal comma, no trailing zeros.
std::string Number(double V) {
    char Buf[32];
    std::snprintf(Buf, sizeof Buf, "%g", V);
    std::string S = Buf;
    std::replace(S.begin(), S.end(), '.', ',');
    return S;
}

// "a", "a och b", "a, b och c".
std::string JoinAnd(const std::vector<std::string>& Parts) {
    std::string S;
    for (size_t k = 0; k < Parts.size(); ++k) {
        S += (k == 0 ? "" : k + 1 == Parts.size() ? " och " : ", ") + Parts[k];
    }
    return S;
}

// Sentences one after the other.
std::string Sentences(const std::vector<std::string>& Parts) {
    std::string S;
    for (const std::string& P : Parts) {
        S += (S.empty() ? "" : " ") + P;
    }
    return S;
}

// Adds "What är V Unit." when V, which the calculation divides by or takes
// the logarithm of, is not positive.
void NeedPositive(std::vector<std::string>& Faults, double V, const std::string& What, const char* Unit,
                  double Scale = 1.0) {
    if (!(V > 0)) {
        Faults.push_back(What + " är " + Number(V * Scale) + " " + Unit + ".");
    }
}

// Runs F and turns an arithmetic failure inside it into the calculation
// error that names the member and what is wrong with it: what Describe sees
// in the member's inputs or, when it sees nothing, the arithmetic fault.
template <class Fn, class Why>
void AsCalcStep(const std::string& Name, Fn&& F, Why&& Describe) {
    const auto Fail = [&](const std::exception& E) {
        std::string Cause = Describe();
        if (Cause.empty()) {
            Cause = std::string("Något värde går inte att räkna med (") + E.what() + ").";
        }
        return ECalcException(Name, Cause);
    };
    try {
        ClearMathFlags();
        F();
    } catch (const EMathError& E) {
        throw Fail(E);
    } catch (const EInputError& E) {
        throw Fail(E);
    }
}

// Restores a table's remembered row when the bookmark is usable.
void ReturnTo(TDataset* T, const TBookmark& B) {
    if (T != nullptr && B.Valid) {
        T->GotoBookmark(B);
    }
}

TBookmark Remember(TDataset* T) { return T != nullptr ? T->GetBookmark() : TBookmark{}; }

} // namespace

const char* GroundTypeKey(int Kind) {
    if (Kind < 0 || Kind >= kGroundTypeCount) {
        throw EBVException("Okänd grundtyp: " + std::to_string(Kind));
    }
    return kGroundKeys[static_cast<size_t>(Kind)];
}

// ===========================================================================
// TLayer

void TLayer::Load() {
    TDataset& T = Need(FLayerTable, "skikt");
    FID = ReadString(T, "ID");
    FThickness = ReadScaled(T, "DEPTH", 1000.0, FDepthColumn);
    FLockedDepth = T.FieldByName("LOCKEDDEPTH").AsBoolean();
    FThermCond = ReadFloat(T, "THERMCOND");
    FSpecCap = ReadFloat(T, "SPECCAP");
    FDensity = ReadFloat(T, "DENSITY");
    FType = ReadString(T, "TYPE");
}

void TLayer::Store() {
    TDataset& T = Need(FLayerTable, "skikt");
    T.First();
    const TBookmark First = T.GetBookmark();
    EditOrAppend(T, {"BUILDING", "COMPONENT", "POS"},
                 {FBuilding, FComponent, static_cast<int64_t>(FPosition)});
    WriteString(T, "COMPONENT", FComponent);
    WriteString(T, "BUILDING", FBuilding);
    WriteInt(T, "POS", FPosition);
    WriteString(T, "TYPE", FType);
    WriteString(T, "ID", FID);
    WriteScaled(T, "DEPTH", FThickness, 1000.0, FDepthColumn);
    WriteBool(T, "LOCKEDDEPTH", FLockedDepth);
    WriteFloat(T, "THERMCOND", FThermCond);
    WriteFloat(T, "SPECCAP", FSpecCap);
    WriteFloat(T, "DENSITY", FDensity);
    WriteFloat(T, "RATIO", FRatio);
    WriteFloat(T, "PENDEPTH", FPenDepth);
    WriteFloat(T, "RVALUE", FRValue);
    T.Post();
    ReturnTo(&T, First);
}

void TLayer::SetResults(double Ratio, double PenDepth, double RValue) {
    FRatio = Ratio;
    FPenDepth = PenDepth;
    FRValue = RValue;
}

// ===========================================================================
// TLayeredComponent

void TLayeredComponent::SetBuilding(const std::string& ID) {
    FBuilding = ID;
    for (auto& L : FLayers) {
        L->SetBuilding(ID);
    }
}

void TLayeredComponent::Load() {
    TDataset& Layers = Need(FLayerTable, "skikt");
    TDataset& Comp = Need(FComponentTable, "konstruktioner");
    const TBookmark Current = Layers.GetBookmark();
    FLayerCount = Layers.RecordCount();
    FType = ReadString(Comp, "TYPE");
    FArea = ReadFloat(Comp, "AREA");
    FKappaInner = ReadFloat(Comp, "INNERCAPACITY");
    FKappaOuter = ReadFloat(Comp, "OUTERCAPACITY");
    FUValue = ReadFloat(Comp, "UVALUE");
    FLayers.clear();
    Layers.First();
    for (int32_t k = 1; k <= FLayerCount; ++k) {
        auto L = std::make_unique<TLayer>();
        L->SetLayerTable(&Layers);
        L->SetBuilding(FBuilding);
        L->SetComponent(FID);
        L->SetPosition(k);
        L->Load();
        FLayers.push_back(std::move(L));
        Layers.Next();
    }
    ReturnTo(&Layers, Current);
}

void TLayeredComponent::Compute() {
    COMPONENT C;
    C.Layers.resize(FLayers.size());
    for (size_t k = 0; k < FLayers.size(); ++k) {
        C.Layers[k].Thickness = FLayers[k]->GetThickness();
        C.Layers[k].ThermCond = FLayers[k]->GetThermCond();
        C.Layers[k].SpecCap = FLayers[k]->GetSpecCap();
        C.Layers[k].Density = FLayers[k]->GetDensity();
    }
    C.Rs1 = FRsi;
    C.Rs2 = FRse;
    CalculateComponent(C, C);
    long double SumR = 0;
    for (size_t k = 0; k < FLayers.size(); ++k) {
        FLayers[k]->SetResults(C.Layers[k].Ratio, C.Layers[k].PenDepth, C.Layers[k].RValue);
        SumR += C.Layers[k].RValue;
    }
    FUValue = Checked(1.0L / (SumR + FRsi + FRse), "U-värde");
    FKappaInner = C.Kappa1;
    FKappaOuter = C.Kappa2;
}

std::string TLayeredComponent::DescribeFault() const {
    if (FLayers.empty()) {
        return "Konstruktionen saknar skikt.";
    }
    std::vector<std::string> Faults;
    bool AnyThickness = false;
    for (const auto& L : FLayers) {
        std::vector<std::string> Wrong;
        const auto Positive = [&](double V, const char* What, const char* Unit) {
            if (!(V > 0)) {
                Wrong.push_back(std::string(What) + " är " + Number(V) + " " + Unit);
            }
        };
        Positive(L->GetThermCond(), "konduktiviteten", "W/(m·K)");
        Positive(L->GetDensity(), "densiteten", "kg/m³");
        Positive(L->GetSpecCap(), "den specifika värmekapaciteten", "J/(kg·K)");
        if (L->GetThickness() < 0) {
            Wrong.push_back("tjockleken är " + Number(L->GetThickness() * 1000.0) + " mm");
        }
        AnyThickness = AnyThickness || L->GetThickness() != 0;
        if (!Wrong.empty()) {
            const std::string Name = L->GetID().empty() ? "" : " (" + L->GetID() + ")";
            Faults.push_back("skikt " + std::to_string(L->GetPosition()) + Name + ": " + JoinAnd(Wrong));
        }
    }
    if (Faults.empty()) {
        return AnyThickness ? std::string() : "Alla skikt har tjockleken 0 mm.";
    }
    std::string S;
    for (const std::string& F : Faults) {
        S += (S.empty() ? "" : "; ") + F;
    }
    return "S" + S.substr(1) + "."; // the sentence starts with "Skikt"
}

double TLayeredComponent::GetUA() const { return FUValue * FArea; }
double TLayeredComponent::GetInnerCapacity() const { return FArea * FKappaInner; }
double TLayeredComponent::GetOuterCapacity() const { return FArea * FKappaOuter; }

void TLayeredComponent::Store() {
    TDataset& Comp = Need(FComponentTable, "konstruktioner");
    const TBookmark Current = Comp.GetBookmark();
    StoreHere();
    ReturnTo(&Comp, Current);
}

void TLayeredComponent::StoreHere() {
    TDataset& Comp = Need(FComponentTable, "konstruktioner");
    EditOrAppend(Comp, {"BUILDING", "ID"}, {FBuilding, FID});
    WriteString(Comp, "ID", FID);
    WriteString(Comp, "BUILDING", FBuilding);
    WriteString(Comp, "TYPE", FType);
    WriteInt(Comp, "NLAYERS", FLayerCount);
    WriteFloat(Comp, "INNERCAPACITY", FKappaInner);
    WriteFloat(Comp, "OUTERCAPACITY", FKappaOuter);
    WriteFloat(Comp, "UVALUE", FUValue);
    WriteFloat(Comp, "AREA", FArea);
    Comp.Post();
    if (FLayerTable != nullptr) {
        RenumberLayerRows(*FLayerTable);
    }
    for (auto& L : FLayers) {
        L->Store();
    }
}

void TLayeredComponent::RenumberLayerRows(TDataset& Layers) {
    // Without this, a layer read from the row at position 3 of positions
    // 1, 3, 4 would be stored as position 2 into a new row, the next one
    // into the row of position 3, and the last row would be left over as a
    // fourth layer.
    std::vector<int64_t> Pos;
    for (Layers.First(); !Layers.Eof(); Layers.Next()) {
        TField& F = Layers.FieldByName("POS");
        Pos.push_back(F.IsNull() ? 0 : F.AsLargeInt());
    }
    bool Consecutive = true;
    for (size_t k = 0; k < Pos.size(); ++k) {
        Consecutive = Consecutive && Pos[k] == static_cast<int64_t>(k) + 1;
    }
    if (Consecutive) {
        return;
    }
    int64_t k = 1;
    for (Layers.First(); !Layers.Eof(); Layers.Next(), ++k) {
        Layers.Edit();
        Layers.FieldByName("POS").SetInteger(k);
        Layers.Post();
    }
}

void StoreComponents(const TComponentList& List) {
    // Every construction of a list lies in the same table: the table returns
    // to its row once, after the last one, instead of after each (every
    // move of the construction table re-reads its layers).
    TDataset* Table = nullptr;
    TBookmark Current;
    for (const auto& C : List) {
        if (C->GetComponentTable() != Table) {
            ReturnTo(Table, Current);
            Table = C->GetComponentTable();
            Current = Remember(Table);
        }
        C->StoreHere();
    }
    ReturnTo(Table, Current);
}

// ===========================================================================
// TWindow, TDoor

void TWindow::Load() {
    TDataset& T = Need(FWindowTable, "fönster");
    const TBookmark Current = T.GetBookmark();
    if (!T.Locate({"ID"}, {FID})) {
        throw EBVException("Fönstret " + FID + " finns inte");
    }
    FSolar.UValue = ReadFloat(T, "UVALUE");
    FSolar.GValue = ReadFloat(T, "GVALUE");
    FSolar.GlazedFraction = 1.0 - ReadScaled(T, "FRAMEFACTOR", 100.0, FFrameFactorColumn);
    FSolar.Shading = ReadScaled(T, "SHADING", 100.0, FShadingColumn);
    FSolar.Area = ReadFloat(T, "AREA");
    FDirection = ReadInt(T, "DIRECTION");
    FBuilding = ReadString(T, "BUILDING");
    ReturnTo(&T, Current);
}

void TWindow::Store() {
    TDataset& T = Need(FWindowTable, "fönster");
    EditOrAppend(T, {"BUILDING", "ID"}, {FBuilding, FID});
    WriteString(T, "BUILDING", FBuilding);
    WriteString(T, "ID", FID);
    WriteFloat(T, "UVALUE", FSolar.UValue);
    WriteFloat(T, "GVALUE", FSolar.GValue);
    // The column holds the frame share, the window the glazed fraction.
    const bool FrameAsLoaded =
        FFrameFactorColumn.Loaded && 1.0 - FFrameFactorColumn.Value / 100.0 == FSolar.GlazedFraction;
    WriteFloat(T, "FRAMEFACTOR", FrameAsLoaded ? FFrameFactorColumn.Value : (1.0 - FSolar.GlazedFraction) * 100.0);
    WriteScaled(T, "SHADING", FSolar.Shading, 100.0, FShadingColumn);
    WriteFloat(T, "AREA", FSolar.Area);
    WriteInt(T, "DIRECTION", FDirection);
    T.Post();
}

void TDoor::Load() {
    TDataset& T = Need(FDoorTable, "dörrar");
    const TBookmark Current = T.GetBookmark();
    if (!T.Locate({"ID"}, {FID})) {
        throw EBVException("Dörren " + FID + " finns inte");
    }
    FArea = ReadFloat(T, "AREA");
    FUValue = ReadFloat(T, "UVALUE");
    FBuilding = ReadString(T, "BUILDING");
    ReturnTo(&T, Current);
}

std::string TDoor::DescribeFault() const {
    std::vector<std::string> Faults;
    if (FUValue < 0) {
        Faults.push_back("U-värdet är " + Number(FUValue) + " W/(m²·K).");
    }
    if (FArea < 0) {
        Faults.push_back("Arean är " + Number(FArea) + " m².");
    }
    const long double UA = static_cast<long double>(FUValue) * FArea;
    if (Faults.empty() && !(std::fabs(UA) <= std::numeric_limits<double>::max())) {
        Faults.push_back("U-värdet " + Number(FUValue) + " W/(m²·K) gånger arean " + Number(FArea) +
                         " m² är för stort för beräkningen.");
    }
    return Sentences(Faults);
}

void TDoor::Store() {
    TDataset& T = Need(FDoorTable, "dörrar");
    EditOrAppend(T, {"BUILDING", "ID"}, {FBuilding, FID});
    WriteString(T, "BUILDING", FBuilding);
    WriteString(T, "ID", FID);
    WriteFloat(T, "UVALUE", FUValue);
    WriteFloat(T, "AREA", FArea);
    T.Post();
}

// ===========================================================================
// Foundations: what all kinds share

void TGroundObject::SetBuilding(const std::string& ID) {
    FBuilding = ID;
    for (TComponentList* G : {&FFloors, &FWalls, &FSlabs}) {
        for (auto& C : *G) {
            C->SetBuilding(ID);
        }
    }
}

double TGroundObject::MeanU(const TComponentList& Group, double& TotalArea) {
    long double S = 0;
    long double M = 0;
    for (const auto& C : Group) {
        const long double A = C->GetArea();
        // A construction without area adds no weight wherever it stands in
        // the list; the running mean would otherwise divide 0 by 0 when it
        // comes first.
        if (A == 0) {
            continue;
        }
        M = Checked((A * C->GetUValue() + S * M) / (A + S), "medel-U-värde");
        S = Checked(S + A, "area");
    }
    TotalArea = static_cast<double>(S);
    return static_cast<double>(M);
}

double TGroundObject::LoadScaled(TDataset& T, const char* Column, double Scale) {
    for (auto& [Name, L] : FLoadedColumns) {
        if (Name == Column) {
            return ReadScaled(T, Column, Scale, L);
        }
    }
    FLoadedColumns.emplace_back(Column, TLoadedColumn{});
    return ReadScaled(T, Column, Scale, FLoadedColumns.back().second);
}

void TGroundObject::StoreScaled(TDataset& T, const char* Column, double Held, double Scale) {
    for (const auto& [Name, L] : FLoadedColumns) {
        if (Name == Column) {
            WriteScaled(T, Column, Held, Scale, L);
            return;
        }
    }
    WriteFloat(T, Column, Held * Scale);
}

TDataset& TGroundObject::GroundRow() {
    TDataset& T = Need(FGroundTable, "husgrund");
    if (T.IsEmpty()) {
        throw EBVException("Byggnaden " + FBuilding + " saknar husgrund");
    }
    return T;
}

void TGroundObject::LoadGroup(TDataset* Table, TDataset* LayerTable, TComponentList& Group) {
    TDataset& T = Need(Table, "husgrundens konstruktioner");
    T.First();
    Group.clear();
    while (!T.Eof()) {
        auto C = std::make_unique<TLayeredComponent>();
        C->SetComponentTable(Table);
        C->SetLayerTable(LayerTable);
        C->SetBuilding(FBuilding);
        C->SetID(ReadString(T, "ID"));
        C->Load();
        Group.push_back(std::move(C));
        T.Next();
    }
}

void TGroundObject::StoreGroup(TComponentList& Group) { StoreComponents(Group); }

void TGroundObject::ComputeGroup(TComponentList& Group) {
    for (auto& C : Group) {
        C->Compute();
    }
}

TDataset& TGroundObject::EditGroundRow() {
    TDataset& T = Need(FGroundTable, "husgrund");
    EditOrAppend(T, {"BUILDING", "TYPE"}, {FBuilding, FKindKey});
    WriteString(T, "BUILDING", FBuilding);
    WriteString(T, "TYPE", FKindKey);
    return T;
}

namespace {

// The columns every slab kind holds: area, perimeter, wall thickness,
// ground conductivity, soil, kind and U.
void LoadSlabColumns(TDataset& T, TISO13370SlabOnGround& G, TGroundObject& O, std::string& Soil, std::string& Kind) {
    G.A = ReadFloat(T, "AREA");
    G.P = ReadFloat(T, "PERIMETER");
    G.w = O.LoadScaled(T, "WALLDEPTH", 1000.0);
    G.Lambda = ReadFloat(T, "GROUNDTHERMCOND");
    Soil = ReadString(T, "SOILNAME");
    Kind = ReadString(T, "TYPE");
    G.U = ReadFloat(T, "UVALUE");
}

void StoreSlabColumns(TDataset& T, const TISO13370SlabOnGround& G, TGroundObject& O, const std::string& Soil) {
    WriteFloat(T, "AREA", G.A);
    WriteFloat(T, "PERIMETER", G.P);
    O.StoreScaled(T, "WALLDEPTH", G.w, 1000.0);
    WriteFloat(T, "GROUNDTHERMCOND", G.Lambda);
    WriteString(T, "SOILNAME", Soil);
    WriteFloat(T, "UVALUE", G.U);
}

void LoadEdgeColumns(TDataset& T, TSIOInsulatedSlabOnGround& G, TGroundObject& O) {
    G.LambdaN = ReadFloat(T, "ISOCOND");
    G.dn = O.LoadScaled(T, "ISOWIDTH", 1000.0);
    G.D = O.LoadScaled(T, "ISOLENGTH", 1000.0);
}

void StoreEdgeColumns(TDataset& T, const TSIOInsulatedSlabOnGround& G, TGroundObject& O) {
    WriteFloat(T, "ISOCOND", G.LambdaN);
    O.StoreScaled(T, "ISOWIDTH", G.dn, 1000.0);
    O.StoreScaled(T, "ISOLENGTH", G.D, 1000.0);
}

// Computes the slabs and gives a slab kind its floor area and the floor
// construction's resistance 1 / (mean U of the slabs).
void PrepareSlabs(TComponentList& Slabs, TISO13370SlabOnGround& G) {
    for (auto& C : Slabs) {
        C->Compute();
    }
    double Area = 0;
    const double Mean = TGroundObject::MeanU(Slabs, Area);
    G.A = Area;
    G.Rf = Checked(1.0L / Mean, "golvets värmemotstånd");
}

double SumArea(const TComponentList& Group) {
    long double S = 0;
    for (const auto& C : Group) {
        S += C->GetArea();
    }
    return Checked(S, "area");
}

double SumInnerCapacity(const TComponentList& Group) {
    long double S = 0;
    for (const auto& C : Group) {
        S += C->GetInnerCapacity();
    }
    return Checked(S, "värmekapacitet");
}

} // namespace

// ---------------------------------------------------------------------------
// Slab kinds

void TSlabonGround::Load() {
    LoadSlabColumns(GroundRow(), *this, *this, FSoilName, FKindKey);
    LoadGroup(FSlabTable, FSlabLayerTable, FSlabs);
}

void TSlabonGround::Store() {
    TDataset& T = EditGroundRow();
    StoreSlabColumns(T, *this, *this, FSoilName);
    T.Post();
    StoreGroup(FSlabs);
}

void TSlabonGround::Compute() {
    PrepareSlabs(FSlabs, *this);
    Calculate();
}

double TSlabonGround::GetArea() {
    A = SumArea(FSlabs);
    return A;
}

double TSlabonGround::GetHeatCapacity() { return SumInnerCapacity(FSlabs); }

void TSlabHorizontal::Load() {
    TDataset& T = GroundRow();
    LoadSlabColumns(T, *this, *this, FSoilName, FKindKey);
    LoadEdgeColumns(T, *this, *this);
    LoadGroup(FSlabTable, FSlabLayerTable, FSlabs);
}

void TSlabHorizontal::Store() {
    TDataset& T = EditGroundRow();
    StoreSlabColumns(T, *this, *this, FSoilName);
    StoreEdgeColumns(T, *this, *this);
    T.Post();
    StoreGroup(FSlabs);
}

void TSlabHorizontal::Compute() {
    PrepareSlabs(FSlabs, *this);
    Calculate();
}

double TSlabHorizontal::GetArea() { return SumArea(FSlabs); }

double TSlabHorizontal::GetHeatCapacity() { return SumInnerCapacity(FSlabs); }

void TSlabVertical::Load() {
    TDataset& T = GroundRow();
    LoadSlabColumns(T, *this, *this, FSoilName, FKindKey);
    LoadEdgeColumns(T, *this, *this);
    // A foundation wall of low-density material is the vertical edge
    // insulation: it is as thick as the wall itself. The wall page enters the
    // thickness, the depth below ground and the conductivity, but no
    // insulation thickness of its own, so without this the wall would have
    // no effect on U.
    if (SameText(FKindKey, "LowDensityWall")) {
        dn = w;
    }
    LoadGroup(FSlabTable, FSlabLayerTable, FSlabs);
}

void TSlabVertical::Store() {
    TDataset& T = EditGroundRow();
    StoreSlabColumns(T, *this, *this, FSoilName);
    StoreEdgeColumns(T, *this, *this);
    T.Post();
    StoreGroup(FSlabs);
}

void TSlabVertical::PrepareFloor() { PrepareSlabs(FSlabs, *this); }

void TSlabVertical::Compute() {
    PrepareFloor();
    TSIOInsulatedSlabOnGround::Calculate();
}

double TSlabVertical::GetArea() {
    A = SumArea(FSlabs);
    return A;
}

double TSlabVertical::GetHeatCapacity() { return SumInnerCapacity(FSlabs); }

void TAlbaSlab::Load() {
    TSlabVertical::Load();
    w = 0.25;
    LambdaN = 0.18;
    dn = 0.25;
}

void TFinlandVertical1::Load() {
    TSlabVertical::Load();
    TDataset& T = GroundRow();
    FSpecialVar1 = ReadInt(T, "SPECIALVAR1");
    FSpecialVar2 = ReadInt(T, "SPECIALVAR2");
    constexpr double kBlock[6] = {0.15, 0.20, 0.24, 0.29, 0.34, 0.38};
    constexpr double kExtra[2] = {0.05, 0.10};
    const double t = FSpecialVar1 >= 0 && FSpecialVar1 <= 5 ? kBlock[FSpecialVar1] : 0.0;
    const double t2 = FSpecialVar2 >= 0 && FSpecialVar2 <= 1 ? kExtra[FSpecialVar2] : 0.0;
    const double R = t / 0.039 + t2 / 0.25;
    // Without a valid choice there is no wall (R = 0): the conductivity is
    // left 0 so that the calculation reports the foundation instead of a
    // NaN reaching the stored row.
    LambdaN = R > 0 ? (t + t2) / R : 0.0;
    dn = t + t2;
    w = dn;
}

void TFinlandVertical1::Store() {
    TSlabVertical::Store();
    TDataset& T = GroundRow();
    T.Edit();
    WriteInt(T, "SPECIALVAR1", FSpecialVar1);
    WriteInt(T, "SPECIALVAR2", FSpecialVar2);
    T.Post();
}

void TFinlandVertical2::Load() {
    TSlabVertical::Load();
    TDataset& T = GroundRow();
    FSpecialVar1 = ReadInt(T, "SPECIALVAR1");
    double k = 0;
    if (FSpecialVar1 == 0) {
        dn = 0.30;
        k = 0.25;
    } else if (FSpecialVar1 == 1) {
        dn = 0.38;
        k = 0.18;
    }
    LambdaN = k * dn;
    w = dn;
}

void TFinlandVertical2::Store() {
    TSlabVertical::Store();
    TDataset& T = GroundRow();
    T.Edit();
    WriteInt(T, "SPECIALVAR1", FSpecialVar1);
    T.Post();
}

// ---------------------------------------------------------------------------
// Suspended floors

void TSuspendedFloor::LoadColumns(bool ReadWallDepth) {
    TDataset& T = GroundRow();
    A = ReadFloat(T, "AREA");
    P = ReadFloat(T, "PERIMETER");
    if (ReadWallDepth) {
        w = LoadScaled(T, "WALLDEPTH", 1000.0);
    }
    Uw = ReadFloat(T, "UWALL");
    U = ReadFloat(T, "UVALUE");
    Lambda = ReadFloat(T, "GROUNDTHERMCOND");
    h = LoadScaled(T, "WALLHEIGHT", 1000.0);
    FVentilationArea = ReadFloat(T, "VENTILATIONAREA");
    v = ReadFloat(T, "WINDSPEED");
    fw = LoadScaled(T, "SHIELDING", 100.0);
    FSoilName = ReadString(T, "SOILNAME");
    FKindKey = ReadString(T, "TYPE");
}

void TSuspendedFloor::StoreColumns() {
    TDataset& T = EditGroundRow();
    WriteFloat(T, "AREA", A);
    WriteFloat(T, "PERIMETER", P);
    StoreScaled(T, "WALLDEPTH", w, 1000.0);
    WriteFloat(T, "UWALL", Uw);
    WriteFloat(T, "UVALUE", U);
    WriteFloat(T, "GROUNDTHERMCOND", Lambda);
    StoreScaled(T, "WALLHEIGHT", h, 1000.0);
    WriteFloat(T, "VENTILATIONAREA", FVentilationArea);
    WriteFloat(T, "WINDSPEED", v);
    StoreScaled(T, "SHIELDING", fw, 100.0);
    WriteString(T, "SOILNAME", FSoilName);
    T.Post();
}

void TSuspendedFloor::Load() {
    LoadColumns(true);
    LoadGroup(FFloorTable, FFloorLayerTable, FFloors);
    LoadGroup(FWallTable, FWallLayerTable, FWalls);
    LoadGroup(FSlabTable, FSlabLayerTable, FSlabs);
}

void TSuspendedFloor::Store() {
    StoreColumns();
    StoreGroup(FFloors);
    StoreGroup(FWalls);
    StoreGroup(FSlabs);
}

void TSuspendedFloor::Compute() {
    A = 0;
    if (!FUseGivenWallU) {
        ComputeGroup(FWalls);
        double WallArea = 0;
        Uw = MeanU(FWalls, WallArea);
        Eps = WallArea > 0 ? Checked(FVentilationArea / (10000.0L * WallArea), "ventilationsöppningar") : 0.0;
    }
    ComputeGroup(FSlabs);
    double SlabArea = 0;
    const double SlabMean = MeanU(FSlabs, SlabArea);
    Rg = SlabMean > 0 ? Checked(1.0L / SlabMean, "markisoleringens värmemotstånd") : 0.0;
    ComputeGroup(FFloors);
    double FloorArea = 0;
    Uf = MeanU(FFloors, FloorArea);
    A = FloorArea;
    Calculate();
}

double TSuspendedFloor::GetArea() {
    A = SumArea(FFloors);
    return A;
}

double TSuspendedFloor::GetHeatCapacity() { return SumInnerCapacity(FFloors); }

TAlbaCrawlSpaceWallLayer1::TAlbaCrawlSpaceWallLayer1() {
    FPosition = 1;
    FThickness = 0.25;
    FThermCond = 1.2;
    FSpecCap = 880;
    FDensity = 2300;
}

TAlbaCrawlSpaceWall::TAlbaCrawlSpaceWall(double Area) {
    FArea = Area;
    FLayerCount = 1;
    FLayers.push_back(std::make_unique<TAlbaCrawlSpaceWallLayer1>());
}

void TAlbaCrawlSpace::Load() {
    LoadColumns(false);
    w = 0.25;
    LoadGroup(FFloorTable, FFloorLayerTable, FFloors);
    FWalls.clear();
    FWalls.push_back(std::make_unique<TAlbaCrawlSpaceWall>(Checked(static_cast<long double>(P) * h, "väggarea")));
    FWalls.back()->SetBuilding(FBuilding);
    FSlabs.clear();
}

void TAlbaCrawlSpace::Store() {
    StoreColumns();
    StoreGroup(FFloors);
}

void TFinlandSuspended1::Load() {
    TSuspendedFloor::Load();
    const long double hP = static_cast<long double>(h) * P;
    Eps = hP > 0 ? Checked(FVentilationArea / (10000.0L * hP), "ventilationsöppningar") : 0.0;
    TDataset& T = GroundRow();
    FSpecialVar1 = ReadInt(T, "SPECIALVAR1");
    if (FSpecialVar1 == 0) {
        w = 0.30;
        Uw = 0.25;
    } else if (FSpecialVar1 == 1) {
        w = 0.38;
        Uw = 0.18;
    }
    FUseGivenWallU = true;
}

void TFinlandSuspended1::Store() {
    TSuspendedFloor::Store();
    TDataset& T = GroundRow();
    T.Edit();
    WriteInt(T, "SPECIALVAR1", FSpecialVar1);
    T.Post();
}

// ---------------------------------------------------------------------------
// Heated basements

void THeatedCellar::Load() {
    TDataset& T = GroundRow();
    A = ReadFloat(T, "AREA");
    P = ReadFloat(T, "PERIMETER");
    w = LoadScaled(T, "WALLDEPTH", 1000.0);
    Ubw = ReadFloat(T, "UWALL");
    U = ReadFloat(T, "UVALUE");
    Lambda = ReadFloat(T, "GROUNDTHERMCOND");
    z = LoadScaled(T, "WALLHEIGHT", 1000.0);
    FSoilName = ReadString(T, "SOILNAME");
    FKindKey = ReadString(T, "TYPE");
    LoadGroup(FFloorTable, FFloorLayerTable, FFloors);
    LoadGroup(FWallTable, FWallLayerTable, FWalls);
    LoadGroup(FSlabTable, FSlabLayerTable, FSlabs);
}

void THeatedCellar::Store() {
    TDataset& T = EditGroundRow();
    WriteFloat(T, "AREA", A);
    WriteFloat(T, "PERIMETER", P);
    StoreScaled(T, "WALLDEPTH", w, 1000.0);
    WriteFloat(T, "UWALL", Ubw);
    WriteFloat(T, "UVALUE", U);
    WriteFloat(T, "GROUNDTHERMCOND", Lambda);
    StoreScaled(T, "WALLHEIGHT", z, 1000.0);
    WriteString(T, "SOILNAME", FSoilName);
    T.Post();
    StoreGroup(FFloors);
    StoreGroup(FWalls);
    StoreGroup(FSlabs);
}

void THeatedCellar::Compute() {
    A = 0;
    if (!FUseGivenWallU) {
        ComputeGroup(FWalls);
        double WallArea = 0;
        Ubw = MeanU(FWalls, WallArea);
    }
    Rw = Ubw > 0 ? Checked(1.0L / Ubw, "väggens värmemotstånd") : 0.0;
    // The floor above the basement lies between heated spaces: it is computed
    // for its stored results only.
    ComputeGroup(FFloors);
    ComputeGroup(FSlabs);
    double SlabArea = 0;
    UFloor = MeanU(FSlabs, SlabArea);
    Rf = UFloor > 0 ? Checked(1.0L / UFloor, "golvets värmemotstånd") : 0.0;
    A = SlabArea;
    Calculate();
}

double THeatedCellar::GetArea() {
    A = Checked(static_cast<long double>(SumArea(FSlabs)) + static_cast<long double>(z) * P, "area");
    return A;
}

double THeatedCellar::GetHeatCapacity() {
    long double S = 0;
    for (const auto& C : FFloors) {
        S += static_cast<long double>(C->GetInnerCapacity()) + C->GetOuterCapacity();
    }
    S += SumInnerCapacity(FWalls);
    S += SumInnerCapacity(FSlabs);
    return Checked(S, "värmekapacitet");
}

void TFinlandHeatedCellar1::Load() {
    THeatedCellar::Load();
    FUseGivenWallU = true;
    TDataset& T = GroundRow();
    FSpecialVar1 = ReadInt(T, "SPECIALVAR1");
    FSpecialVar2 = ReadInt(T, "SPECIALVAR2");
    FSpecialVar3 = ReadInt(T, "SPECIALVAR3");
    double k = 0;
    if (FSpecialVar1 == 0) {
        w = 0.30;
        k = 0.25;
    } else if (FSpecialVar1 == 1) {
        w = 0.38;
        k = 0.18;
    }
    const double k2 = w > 0 ? 0.25 / w : 0.0;
    const double s2 = FSpecialVar2;
    const double s3 = FSpecialVar3;
    Ubw = s2 + s3 > 0 ? (k * s2 + k2 * s3) / (s2 + s3) : 0.0;
    z = (s2 + s3) / 1000.0;
}

void TFinlandHeatedCellar1::Store() {
    THeatedCellar::Store();
    TDataset& T = GroundRow();
    T.Edit();
    WriteInt(T, "SPECIALVAR1", FSpecialVar1);
    WriteInt(T, "SPECIALVAR2", FSpecialVar2);
    WriteInt(T, "SPECIALVAR3", FSpecialVar3);
    T.Post();
}

// ---------------------------------------------------------------------------
// Why a foundation cannot be calculated, in the words of its page

std::string TGroundObject::DescribeFault() {
    std::vector<std::string> Faults;
    const std::pair<const char*, const TComponentList*> Groups[] = {
        {"Mellangolv", &FFloors}, {"Grundmur", &FWalls}, {"Markplatta", &FSlabs}};
    for (const auto& [Label, Group] : Groups) {
        for (const auto& C : *Group) {
            std::string F = C->DescribeFault();
            if (!F.empty()) {
                F[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(F[0])));
                Faults.push_back(std::string(Label) + " " + C->GetID() + ": " + F);
            }
        }
    }
    DescribeInputs(Faults);
    return Sentences(Faults);
}

namespace {

// The inputs every kind divides by: the perimeter and the conductivity of
// the ground (which comes with the soil chosen).
void DescribeGroundInputs(std::vector<std::string>& Faults, double P, double Lambda, const std::string& Soil) {
    NeedPositive(Faults, P, "Byggnadens yttre omkrets", "m");
    NeedPositive(Faults, Lambda, Soil.empty() ? "Markens konduktivitet" : "Markens konduktivitet (marktyp " + Soil + ")",
                 "W/(m·K)");
}

} // namespace

void TSlabonGround::DescribeInputs(std::vector<std::string>& Faults) const {
    DescribeGroundInputs(Faults, P, Lambda, FSoilName);
}

void TSlabHorizontal::DescribeInputs(std::vector<std::string>& Faults) const {
    DescribeGroundInputs(Faults, P, Lambda, FSoilName);
    NeedPositive(Faults, LambdaN, "Isoleringens konduktivitet", "W/(m·K)");
}

void TSlabVertical::DescribeInputs(std::vector<std::string>& Faults) const {
    DescribeGroundInputs(Faults, P, Lambda, FSoilName);
    if (!(LambdaN > 0)) {
        Faults.push_back(EdgeConductivityFault());
    }
}

std::string TSlabVertical::EdgeConductivityFault() const {
    // The low-density wall is the edge insulation; its page names it so.
    const char* What = SameText(FKindKey, "LowDensityWall") ? "Grundmurens konduktivitet" : "Isoleringens konduktivitet";
    return std::string(What) + " är " + Number(LambdaN) + " W/(m·K).";
}

std::string TFinlandVertical1::EdgeConductivityFault() const {
    return "Grundmurens tjocklek och isoleringens tjocklek är inte valda.";
}

std::string TFinlandVertical2::EdgeConductivityFault() const { return "Grundmurens tjocklek är inte vald."; }

void TSuspendedFloor::DescribeInputs(std::vector<std::string>& Faults) const {
    DescribeGroundInputs(Faults, P, Lambda, FSoilName);
}

void THeatedCellar::DescribeInputs(std::vector<std::string>& Faults) const {
    DescribeGroundInputs(Faults, P, Lambda, FSoilName);
    if (!(z > 0)) {
        Faults.push_back(DepthFault());
    }
}

std::string THeatedCellar::DepthFault() const {
    return "Grundmurens djup under mark är " + Number(z * 1000.0) + " mm.";
}

std::string TFinlandHeatedCellar1::DepthFault() const {
    // The depth is the sum of the two depths of the page.
    return z == 0 ? std::string("Isoblockdjup och standardblockdjup under mark är båda 0 mm.")
                  : "Isoblockdjup och standardblockdjup under mark är tillsammans " + Number(z * 1000.0) + " mm.";
}

std::shared_ptr<IGround> CreateGroundObject(const std::string& Key) {
    // Tested in this order; the two vertical kinds share one class.
    if (SameText(Key, "SuspendedFloor")) return std::make_shared<TSuspendedFloor>();
    if (SameText(Key, "Slab")) return std::make_shared<TSlabonGround>();
    if (SameText(Key, "SlabHorizontalInsulation")) return std::make_shared<TSlabHorizontal>();
    if (SameText(Key, "HeatedCellar")) return std::make_shared<THeatedCellar>();
    if (SameText(Key, "SlabVerticalInsulation") || SameText(Key, "LowDensityWall")) {
        return std::make_shared<TSlabVertical>();
    }
    if (SameText(Key, "AlbaSlab")) return std::make_shared<TAlbaSlab>();
    if (SameText(Key, "AlbaCrawlSpace")) return std::make_shared<TAlbaCrawlSpace>();
    if (SameText(Key, "FinlandVertical1")) return std::make_shared<TFinlandVertical1>();
    if (SameText(Key, "FinlandVertical2")) return std::make_shared<TFinlandVertical2>();
    if (SameText(Key, "FinlandSuspended1")) return std::make_shared<TFinlandSuspended1>();
    if (SameText(Key, "FinlandHeatedCellar1")) return std::make_shared<TFinlandHeatedCellar1>();
    return nullptr;
}

// ===========================================================================
// TBuilding

TBuilding::TBuilding() : FGround(std::make_shared<TSuspendedFloor>()) {}

TBuilding::~TBuilding() = default;

std::vector<TDataset*> TBuilding::Tables() const {
    return {FBuildingsTable,       FOuterWallTable,       FOuterWallLayerTable, FInnerWallTable,
            FInnerWallLayerTable,  FRoofTable,            FRoofLayerTable,      FInnerRoofTable,
            FInnerRoofLayerTable,  FGroundTable,          FGroundFloorTable,    FGroundFloorLayerTable,
            FGroundSlabTable,      FGroundSlabLayerTable, FGroundWallTable,     FGroundWallLayerTable,
            FWindowTable,          FDoorTable,            FMonthTable};
}

void TBuilding::Load(const std::string& ID) {
    TDataset& B = Need(FBuildingsTable, "byggnader");
    FID = ID;
    const TBookmark BuildingRow = Remember(FBuildingsTable);
    const TBookmark OuterRow = Remember(FOuterWallTable);
    const TBookmark InnerRow = Remember(FInnerWallTable);
    const TBookmark RoofRow = Remember(FRoofTable);
    const TBookmark InnerRoofRow = Remember(FInnerRoofTable);

    if (!B.Locate({"ID"}, {ID})) {
        throw EBVException("Byggnaden " + ID + " finns inte");
    }
    ClearMathFlags();
    LoadBuildingRow();
    LoadMonths();
    LoadComponents(FInnerWallTable, FInnerWallLayerTable, kRsiWallRoof, kRseInner, FInnerWalls);
    LoadComponents(FOuterWallTable, FOuterWallLayerTable, kRsiWallRoof, kRseOuter, FOuterWalls);
    LoadComponents(FRoofTable, FRoofLayerTable, kRsiWallRoof, kRseOuter, FRoofs);
    LoadComponents(FInnerRoofTable, FInnerRoofLayerTable, kRsiWallRoof, kRseInner, FInnerRoofs);

    TDataset& W = Need(FWindowTable, "fönster");
    FWindows.clear();
    for (W.First(); !W.Eof(); W.Next()) {
        if (!SameText(ReadString(W, "BUILDING"), FID)) {
            continue;
        }
        auto Win = std::make_unique<TWindow>();
        Win->SetWindowTable(&W);
        Win->SetID(ReadString(W, "ID"));
        Win->Load();
        FWindows.push_back(std::move(Win));
    }

    TDataset& D = Need(FDoorTable, "dörrar");
    FDoors.clear();
    for (D.First(); !D.Eof(); D.Next()) {
        auto Door = std::make_unique<TDoor>();
        Door->SetDoorTable(&D);
        Door->SetID(ReadString(D, "ID"));
        Door->Load();
        FDoors.push_back(std::move(Door));
    }

    LoadGround();

    ReturnTo(FBuildingsTable, BuildingRow);
    ReturnTo(FOuterWallTable, OuterRow);
    ReturnTo(FInnerWallTable, InnerRow);
    ReturnTo(FRoofTable, RoofRow);
    ReturnTo(FInnerRoofTable, InnerRoofRow);
}

void TBuilding::LoadBuildingRow() {
    TDataset& B = *FBuildingsTable;
    VENTILATION& V = FBalance.Vent;
    FArea = ReadFloat(B, "AREA");
    FNatVent = ReadFloat(B, "NATVENT");
    FVentType = ReadInt(B, "VENTTYPE");
    if (FVentType == 0) {
        V.Mechanical = false;
    } else if (FVentType == 1 || FVentType == 2) {
        V.Mechanical = true;
    }
    const double Volume = ReadFloat(B, "VOLUME");
    FAirChangesPerH = ReadFloat(B, "AIRCHANGESPERH");
    V.NaturalAirFlow = Checked(static_cast<long double>(FAirChangesPerH) * Volume, "luftflöde");
    V.Flow50 = V.NaturalAirFlow;
    FAirChangeIDNo = ReadInt(B, "AIRCHANGEIDNO");
    V.MechVent = ReadFloat(B, "MECHVENT");
    FVSup = ReadFloat(B, "VSUP");
    FVEx = ReadFloat(B, "VEX");
    FVSupLSek = ReadFloat(B, "VSUPLSEK");
    FVExLSek = ReadFloat(B, "VEXLSEK");
    FVSupLArea = ReadFloat(B, "VSUPLAREA");
    FVExLArea = ReadFloat(B, "VEXLAREA");
    const int32_t Unit = ReadInt(B, "VENTUNIT");
    if (Unit == 0) {
        V.SupplyFlow = FVSup;
        V.ExtractFlow = FVEx;
    } else if (Unit == 1) {
        V.SupplyFlow = Checked(FVSupLSek * 3.6L, "tilluftsflöde");
        V.ExtractFlow = Checked(FVExLSek * 3.6L, "frånluftsflöde");
    } else if (Unit == 2) {
        V.SupplyFlow = Checked(static_cast<long double>(FVSupLArea) * FArea * 3.6L, "tilluftsflöde");
        V.ExtractFlow = Checked(static_cast<long double>(FVExLArea) * FArea * 3.6L, "frånluftsflöde");
    }
    FVentUnit = Unit;
    FP50 = ReadFloat(B, "P50");
    FN50 = ReadFloat(B, "N50");
    V.Facades = ReadInt(B, "FACADES");
    V.Shielding = ReadInt(B, "SHIELDING");
    V.HeatExEff = ReadScaled(B, "HEATEX", 100.0, FHeatExColumn);
    FBalance.HT = ReadFloat(B, "RADLOSSCOEFF");
    FBalance.C = ReadFloat(B, "CAPACITY");

    FIntPower = ReadFloat(B, "INTPOWER");
    FIntPUndef = ReadFloat(B, "INTPUNDEF");
    FIntPMetabolic = ReadFloat(B, "INTPMETABOLIC");
    FIntPAppliances = ReadFloat(B, "INTPAPPLIANCES");
    FIntPLighting = ReadFloat(B, "INTPLIGHTING");
    FIntPowerW = ReadFloat(B, "INTPOWERW");
    FIntPUndefW = ReadFloat(B, "INTPUNDEFW");
    FIntPMetabolicW = ReadFloat(B, "INTPMETABOLICW");
    FIntPAppliancesW = ReadFloat(B, "INTPAPPLIANCESW");
    FIntPLightingW = ReadFloat(B, "INTPLIGHTINGW");
    FIntGainUnit = ReadInt(B, "INTGAINUNIT");
    FBalance.P = FIntGainUnit == 0 ? Checked(static_cast<long double>(FIntPower) * FArea, "intern effekt")
                                   : FIntPowerW;
    FIntGainsDef = ReadInt(B, "INTGAINSDEF");

    FBalance.YearIntGain = ReadFloat(B, "INTGAIN");
    FBalance.YearSolarGain = ReadFloat(B, "SOLARGAIN");
    FBalance.YearTotalGain = ReadFloat(B, "HEATGAIN");
    FBalance.YearTransLoss = ReadFloat(B, "RADLOSS");
    FBalance.YearVentLoss = ReadFloat(B, "VENTLOSS");
    FBalance.YearTotalLoss = ReadFloat(B, "HEATLOSS");
    FBalance.YearHeatDemand = ReadFloat(B, "HEATUSAGE");
    FBalance.Ti = ReadFloat(B, "TEMPERATURE");

    FMeanU = ReadFloat(B, "UVALUE");
    FVolume = Volume;
    FSurfaceArea = ReadFloat(B, "SURFACEAREA");
    FP50IDNo = ReadInt(B, "P50IDNO");
    FN50IDNo = ReadInt(B, "N50IDNO");
    FWeatherID = ReadString(B, "WEATHERID");
    if (!B.FieldByName("INFO").IsNull()) {
        FInfo = ReadString(B, "INFO");
    }
    if (!B.FieldByName("WEATHERINFO").IsNull()) {
        FWeatherInfo = ReadString(B, "WEATHERINFO");
    }
    FCalculated = B.FieldByName("CALCULATED").AsBoolean();
}

void TBuilding::LoadMonths() {
    TDataset& B = *FBuildingsTable;
    TDataset& T = Need(FMonthTable, "månader");
    const double TransCoeff = ReadFloat(B, "RADLOSSCOEFF");
    const double VentCoeff = ReadFloat(B, "VENTLOSSCOEFF");
    const double LeakCoeff = ReadFloat(B, "LEAKLOSSCOEFF");
    const double TotalCoeff = ReadFloat(B, "HEATLOSSCOEFF");
    for (int m = 1; m <= 12; ++m) {
        // A missing month would otherwise be read from another month's row
        // and stored under this one.
        if (!T.Locate({"MONTH"}, {static_cast<int64_t>(m)})) {
            throw EBVException("Månad " + std::to_string(m) + " saknas för byggnaden " + FID);
        }
        MONTHDATA& M = FBalance.Months[m - 1];
        M.Te = ReadFloat(T, "TEMP");
        M.Irradiance[GLZ_HORIZONTAL] = ReadFloat(T, "RADHOR");
        M.Irradiance[GLZ_SOUTH] = ReadFloat(T, "RADSOUTH");
        M.Irradiance[GLZ_EAST] = ReadFloat(T, "RADEAST");
        M.Irradiance[GLZ_WEST] = ReadFloat(T, "RADWEST");
        M.Irradiance[GLZ_NORTH] = ReadFloat(T, "RADNORTH");
        M.Days = ReadInt(T, "DAYS");
        M.Ti = FBalance.Ti;
        M.SolarGain = ReadWhole(T, "SOLGAIN");
        M.IntPower = ReadFloat(T, "INTPOWER");
        M.IntGain = ReadWhole(T, "INTGAIN");
        M.UtilFactor = ReadFloat(T, "UTILFACTOR") / 100.0;
        M.TransCoeff = TransCoeff;
        M.TransLoss = ReadWhole(T, "RADLOSS");
        M.VentCoeff = VentCoeff;
        M.InfCoeff = LeakCoeff;
        M.VentLoss = ReadWhole(T, "VENTLOSS");
        M.TotalCoeff = TotalCoeff;
        M.TotalLoss = ReadWhole(T, "HEATLOSS");
        M.HeatDemand = ReadFloat(T, "HEATUSAGE");
        M.Vent = FBalance.Vent;
    }
}

void TBuilding::LoadComponents(TDataset* Table, TDataset* LayerTable, double Rsi, double Rse,
                               TComponentList& List) {
    TDataset& T = Need(Table, "konstruktioner");
    List.clear();
    for (T.First(); !T.Eof(); T.Next()) {
        if (!SameText(ReadString(T, "BUILDING"), FID)) {
            continue;
        }
        auto C = std::make_unique<TLayeredComponent>();
        C->SetComponentTable(Table);
        C->SetLayerTable(LayerTable);
        C->SetBuilding(FID);
        C->SetID(ReadString(T, "ID"));
        C->Load();
        C->SetOuterSurfaceResistance(Rse);
        C->SetInnerSurfaceResistance(Rsi);
        List.push_back(std::move(C));
    }
}

void TBuilding::LoadGround() {
    TDataset& G = Need(FGroundTable, "husgrund");
    if (G.IsEmpty()) {
        throw EBVException("Byggnaden " + FID + " saknar husgrund");
    }
    if (auto Kind = CreateGroundObject(ReadString(G, "TYPE"))) {
        FGround = std::move(Kind);
    }
    FGround->SetGroundTable(FGroundTable);
    FGround->SetFloorTable(FGroundFloorTable);
    FGround->SetFloorLayerTable(FGroundFloorLayerTable);
    FGround->SetWallTable(FGroundWallTable);
    FGround->SetWallLayerTable(FGroundWallLayerTable);
    FGround->SetSlabTable(FGroundSlabTable);
    FGround->SetSlabLayerTable(FGroundSlabLayerTable);
    FGround->SetBuilding(FID);
    FGround->Load();
}

void TBuilding::Compute() {
    long double HT = 0;
    long double C = 0;
    long double UASum = 0;
    long double Envelope = 0;

    for (const auto& Door : FDoors) {
        AsCalcStep(
            Door->GetID(),
            [&] {
                const long double UA = Checked(static_cast<long double>(Door->GetUValue()) * Door->GetArea(), "U·A");
                HT = Checked(HT + UA, "U·A");
                UASum = Checked(UASum + UA, "U·A");
                Envelope = Checked(Envelope + Door->GetArea(), "area");
            },
            [&] { return Door->DescribeFault(); });
    }
    // Outer walls and roofs lose heat to the outside; inner walls and
    // intermediate floors only store heat, on both sides.
    const auto Envelopes = [&](TComponentList& List) {
        for (const auto& Comp : List) {
            AsCalcStep(
                Comp->GetID(),
                [&] {
                    Comp->Compute();
                    const long double UA = Checked(Comp->GetUA(), "U·A");
                    UASum = Checked(UASum + UA, "U·A");
                    HT = Checked(HT + UA, "U·A");
                    C = Checked(C + Comp->GetInnerCapacity(), "värmekapacitet");
                    Envelope = Checked(Envelope + Comp->GetArea(), "area");
                },
                [&] { return Comp->DescribeFault(); });
        }
    };
    const auto Inner = [&](TComponentList& List) {
        for (const auto& Comp : List) {
            AsCalcStep(
                Comp->GetID(),
                [&] {
                    Comp->Compute();
                    C = Checked(C + Comp->GetInnerCapacity() + Comp->GetOuterCapacity(), "värmekapacitet");
                },
                [&] { return Comp->DescribeFault(); });
        }
    };
    Envelopes(FOuterWalls);
    Inner(FInnerWalls);
    Envelopes(FRoofs);
    Inner(FInnerRoofs);

    double GroundArea = 0;
    AsCalcStep(
        kFoundationName,
        [&] {
            GroundArea = FGround->GetArea();
            if (GroundArea > 0) {
                FGround->Compute();
                ClearMathFlags();
                const long double UA =
                    Checked(static_cast<long double>(FGround->GetU()) * FGround->GetArea(), "U·A");
                GroundArea = FGround->GetArea();
                HT = Checked(HT + UA, "U·A");
                C = Checked(C + FGround->GetHeatCapacity(), "värmekapacitet");
                UASum = Checked(UASum + UA, "U·A");
                Envelope = Checked(Envelope + GroundArea, "area");
            }
        },
        [&] { return FGround->DescribeFault(); });

    // Errors of the window sums are not the windows' own: they pass on as
    // they are.
    ClearMathFlags();
    for (GLAZING& G : FBalance.Glazing) {
        G = GLAZING{};
    }
    for (const auto& Win : FWindows) {
        const TSolarData S = Win->GetSolarData();
        if (S.Area == 0) {
            continue;
        }
        const long double UA = Checked(static_cast<long double>(S.UValue) * S.Area, "U·A");
        UASum = Checked(UASum + UA, "U·A");
        HT = Checked(HT + UA, "U·A");
        Envelope = Checked(Envelope + S.Area, "area");
        int Group = -1;
        switch (Win->GetDirection()) {
        case DirNorth: Group = GLZ_NORTH; break;
        case DirSouth: Group = GLZ_SOUTH; break;
        case DirWest: Group = GLZ_WEST; break;
        case DirEast: Group = GLZ_EAST; break;
        case DirHorizontal: Group = GLZ_HORIZONTAL; break;
        default: break;
        }
        if (Group < 0) {
            continue;
        }
        GLAZING& G = FBalance.Glazing[Group];
        const long double A = S.Area;
        const long double Abar = G.Area;
        const auto Mean = [&](double X, double XBar) {
            return Checked((A * X + XBar * Abar) / (A + Abar), "fönstermedelvärde");
        };
        G.GValue = Mean(S.GValue, G.GValue);
        G.Shading = Mean(S.Shading, G.Shading);
        G.GlazedFraction = Mean(S.GlazedFraction, G.GlazedFraction);
        G.Area = Checked(A + Abar, "fönsterarea");
    }

    FBalance.HT = static_cast<double>(HT);
    FBalance.C = static_cast<double>(C);
    FSurfaceArea = static_cast<double>(Envelope);
    FMeanU = static_cast<double>(UASum);

    VENTILATION& V = FBalance.Vent;
    if (FVentType == 1) {
        V.Flow50 = Checked(static_cast<long double>(FP50) * (Envelope - GroundArea) * 3.6L, "luftflöde vid 50 Pa");
    } else if (FVentType == 2) {
        V.Flow50 = Checked(static_cast<long double>(FN50) * FVolume, "luftflöde vid 50 Pa");
    }
    for (MONTHDATA& M : FBalance.Months) {
        M.Vent = V;
    }

    if (Envelope > 0) {
        FMeanU = Checked(UASum / Envelope, "medel-U-värde");
        CalculateBalance(FBalance, FBalance);
        FCalculated = true;
    } else {
        FCalculated = false;
    }
}

void TBuilding::Store() {
    TDataset& B = Need(FBuildingsTable, "byggnader");
    try {
        TDatabase::TTransaction Tx(B.Database());
        StoreRows();
        Tx.Commit();
    } catch (...) {
        // The transaction has rolled back; the views still hold the rows
        // posted inside it.
        RereadTables();
        throw;
    }
}

void TBuilding::RereadTables() noexcept {
    for (TDataset* T : Tables()) {
        if (T == nullptr) {
            continue;
        }
        try {
            if (T->State() == TDatasetState::Edit || T->State() == TDatasetState::Insert) {
                T->Cancel();
            }
            if (T->Active()) {
                T->Refresh();
            }
        } catch (...) {
            // The error that made the store fail is the one to report.
        }
    }
}

void TBuilding::StoreRows() {
    StoreBuildingRow();
    FGround->Store();
    StoreMonths();
    for (TComponentList* L : {&FOuterWalls, &FInnerWalls, &FRoofs, &FInnerRoofs}) {
        StoreComponents(*L);
    }
    for (auto& Win : FWindows) {
        Win->Store();
    }
    for (auto& Door : FDoors) {
        Door->Store();
    }
}

void TBuilding::StoreBuildingRow() {
    TDataset& B = *FBuildingsTable;
    const VENTILATION& V = FBalance.Vent;
    const MONTHDATA& Jan = FBalance.Months[0];
    EditOrAppend(B, {"ID"}, {FID});
    WriteString(B, "ID", FID);
    WriteFloat(B, "NATVENT", FNatVent);
    WriteFloat(B, "MECHVENT", V.MechVent);
    WriteInt(B, "VENTUNIT", FVentUnit);
    WriteFloat(B, "VSUP", FVSup);
    WriteFloat(B, "VEX", FVEx);
    WriteFloat(B, "VSUPLSEK", FVSupLSek);
    WriteFloat(B, "VEXLSEK", FVExLSek);
    WriteFloat(B, "VSUPLAREA", FVSupLArea);
    WriteFloat(B, "VEXLAREA", FVExLArea);
    WriteFloat(B, "P50", FP50);
    WriteFloat(B, "N50", FN50);
    WriteInt(B, "FACADES", V.Facades);
    WriteInt(B, "SHIELDING", V.Shielding);
    WriteScaled(B, "HEATEX", V.HeatExEff, 100.0, FHeatExColumn);
    WriteFloat(B, "UVALUE", FMeanU);
    WriteFloat(B, "CAPACITY", FBalance.C);
    WriteFloat(B, "INTPUNDEF", FIntPUndef);
    WriteFloat(B, "INTPMETABOLIC", FIntPMetabolic);
    WriteFloat(B, "INTPAPPLIANCES", FIntPAppliances);
    WriteFloat(B, "INTPLIGHTING", FIntPLighting);
    WriteInt(B, "INTGAINUNIT", FIntGainUnit);
    WriteInt(B, "INTGAINSDEF", FIntGainsDef);
    WriteFloat(B, "INTPUNDEFW", FIntPUndefW);
    WriteFloat(B, "INTPMETABOLICW", FIntPMetabolicW);
    WriteFloat(B, "INTPAPPLIANCESW", FIntPAppliancesW);
    WriteFloat(B, "INTPLIGHTINGW", FIntPLightingW);
    WriteInt(B, "AIRCHANGEIDNO", FAirChangeIDNo);
    WriteFloat(B, "INTGAIN", FBalance.YearIntGain);
    WriteFloat(B, "SOLARGAIN", FBalance.YearSolarGain);
    WriteFloat(B, "HEATGAIN", FBalance.YearTotalGain);
    WriteFloat(B, "RADLOSS", FBalance.YearTransLoss);
    WriteFloat(B, "VENTLOSS", FBalance.YearVentLoss);
    WriteFloat(B, "HEATLOSS", FBalance.YearTotalLoss);
    WriteFloat(B, "HEATUSAGE", FBalance.YearHeatDemand);
    WriteFloat(B, "VOLUME", FVolume);
    WriteFloat(B, "TEMPERATURE", FBalance.Ti);
    WriteFloat(B, "AREA", FArea);
    WriteFloat(B, "SURFACEAREA", FSurfaceArea);
    WriteInt(B, "P50IDNO", FP50IDNo);
    WriteInt(B, "N50IDNO", FN50IDNo);
    WriteString(B, "WEATHERID", FWeatherID);
    WriteString(B, "INFO", FInfo);
    WriteString(B, "WEATHERINFO", FWeatherInfo);
    WriteBool(B, "CALCULATED", FCalculated);
    WriteFloat(B, "VENTLOSSCOEFF", Jan.VentCoeff);
    WriteFloat(B, "LEAKLOSSCOEFF", Jan.InfCoeff);
    WriteFloat(B, "RADLOSSCOEFF", Jan.TransCoeff);
    WriteFloat(B, "HEATLOSSCOEFF", Jan.TotalCoeff);
    WriteInt(B, "VENTTYPE", FVentType);
    WriteFloat(B, "V50", V.Flow50);
    WriteFloat(B, "AIRCHANGESPERH", FAirChangesPerH);
    B.Post();
}

void TBuilding::StoreMonths() {
    TDataset& T = Need(FMonthTable, "månader");
    for (int m = 1; m <= 12; ++m) {
        const MONTHDATA& M = FBalance.Months[m - 1];
        EditOrAppend(T, {"BUILDING", "MONTH"}, {FID, static_cast<int64_t>(m)});
        WriteInt(T, "MONTH", m);
        WriteString(T, "BUILDING", FID);
        WriteFloat(T, "TEMP", M.Te);
        WriteFloat(T, "RADHOR", M.Irradiance[GLZ_HORIZONTAL]);
        WriteFloat(T, "RADSOUTH", M.Irradiance[GLZ_SOUTH]);
        WriteFloat(T, "RADEAST", M.Irradiance[GLZ_EAST]);
        WriteFloat(T, "RADWEST", M.Irradiance[GLZ_WEST]);
        WriteFloat(T, "RADNORTH", M.Irradiance[GLZ_NORTH]);
        WriteInt(T, "DAYS", M.Days);
        WriteFloat(T, "SOLGAIN", M.SolarGain);
        WriteFloat(T, "INTPOWER", M.IntPower);
        WriteFloat(T, "INTGAIN", M.IntGain);
        WriteFloat(T, "UTILFACTOR", M.UtilFactor * 100.0);
        WriteFloat(T, "RADLOSS", M.TransLoss);
        WriteFloat(T, "VENTLOSS", M.VentLoss);
        WriteFloat(T, "HEATLOSS", M.TotalLoss);
        WriteFloat(T, "HEATUSAGE", M.HeatDemand);
        T.Post();
    }
}

void TBuilding::ChangeBuildingID(const std::string& ID) {
    if (ID.empty()) {
        throw ECalcException(kNoBuildingID);
    }
    FID = ID;
    FGround->SetBuilding(ID);
    for (TComponentList* L : {&FOuterWalls, &FInnerWalls, &FRoofs, &FInnerRoofs}) {
        for (auto& Comp : *L) {
            Comp->SetBuilding(ID);
        }
    }
    for (auto& Win : FWindows) {
        Win->SetBuilding(ID);
    }
    for (auto& Door : FDoors) {
        Door->SetBuilding(ID);
    }
}
