#include "data/UnitPlausibility.h"

#include "data/UnitBuildingData.h"
#include "db/Dataset.h"
#include "model/UnitConstructionObjects.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

// The limits. Each row says, in its Reason, why the limit lies where it
// does; the texts name the quantity as its input page does.
const std::vector<TPlausibilityLimit> kLimits = {
    {"no-outer-wall", 1, kNoLimit, false, "", 0, "Byggnaden har inga ytterväggar.",
     "Varje uppvärmd byggnad förlorar värme genom ytterväggar; utan dem saknas en stor del av förlusterna."},
    {"no-roof", 1, kNoLimit, false, "", 0, "Byggnaden har inget tak.",
     "Taket eller bjälklaget mot kall vind hör till klimatskalet; utan det saknas förlusterna uppåt."},
    {"component-area", 0, kNoLimit, true, "m²", 2, "Arean är {value}; den ska vara {limit}.",
     "En konstruktion utan area ger varken förluster eller värmekapacitet; oftast har arean inte skrivits in."},
    {"layer-thickness", 0, kNoLimit, true, "mm", 1, "Tjockleken är {value}; den ska vara {limit}.",
     "Ett skikt utan tjocklek isolerar inte och lagrar ingen värme."},
    {"door-area", 0, kNoLimit, true, "m²", 2, "Arean är {value}; den ska vara {limit}.",
     "En dörr utan area ger inga förluster; oftast har arean inte skrivits in."},
    {"door-u", 0.3, 6, false, "W/(m²·K)", 2, "U-värdet är {value}; rimligt är {limit}.",
     "En välisolerad dörr har U omkring 0,6 och en oisolerad plåtdörr omkring 5,5 W/(m²·K)."},
    {"window-area", 0, kNoLimit, true, "m²", 2, "Arean är {value}; den ska vara {limit}.",
     "Ett fönster utan area ger varken förluster eller solvärme; oftast har arean inte skrivits in."},
    {"window-u", 0.3, 6, false, "W/(m²·K)", 2, "U-värdet är {value}; rimligt är {limit}.",
     "De bästa fönstren har U omkring 0,5 och enkelglas omkring 5,8 W/(m²·K)."},
    {"window-g", 0, 1, false, "", 2, "g-värdet är {value}; rimligt är {limit}.",
     "g är den andel av solstrålningen som glaset släpper in, ett tal mellan 0 och 1."},
    {"window-shading", 0, 100, false, "%", 1, "Skuggfaktorn är {value}; rimligt är {limit}.",
     "Skuggfaktorn är den andel av solstrålningen som skuggas bort, i procent."},
    {"window-frame", 0, 100, false, "%", 1, "Ramandelen är {value}; rimligt är {limit}.",
     "Karm och bågar är en del av fönstrets area, i procent av den."},
    {"window-share", -kNoLimit, 50, false, "%", 0, "Fönstren har {value} av ytterväggarnas area; rimligt är {limit}.",
     "Även mycket glasade hus har sällan mer fönster än halva väggarean; oftast är en av areorna fel."},
    {"floor-area", 0, kNoLimit, true, "m²", 2, "Golvarean är {value}; den ska vara {limit}.",
     "Internvärme, flöden och energiåtgång per m² räknas på golvarean."},
    {"volume", 0, kNoLimit, true, "m³", 2, "Volymen är {value}; den ska vara {limit}.",
     "Ventilation och luftläckage räknas som luftomsättningar gånger volymen."},
    {"volume-per-area", 2, 10, false, "m", 2, "Volymen per m² golvarea är {value}; rimligt är {limit}.",
     "Volym per golvarea är medelrumshöjden: uppvärmda rum är sällan under 2 m och bara hallar över 10 m."},
    {"temperature", 10, 30, false, "°C", 1, "Innetemperaturen är {value}; rimligt är {limit}.",
     "Uppvärmda rum hålls mellan 10 °C (frostfritt förråd) och 30 °C (badhus)."},
    {"demand-per-area", 10, 400, false, "kWh/m²", 1,
     "Årlig energiåtgång för uppvärmning är {value} golvarea; rimligt är {limit}.",
     "Passivhus behöver omkring 15 kWh/m² om året och oisolerade gamla hus upp mot 300."},
};

// The headings of the members, as the pages name their lists.
const char* const kBuildingHeading = "Byggnad";
const char* const kResultHeading = "Resultat";
const char* const kWindowHeading = "Fönster";
const char* const kDoorHeading = "Ytterdörrar";

struct TKindHeading {
    const char* Type; // LayeredComponents.TYPE
    const char* Heading;
};
// In the order of the component page, then the foundation page.
const TKindHeading kOpaqueKinds[] = {
    {kComponentTypeOuterWall, "Ytterväggar"}, {kComponentTypeRoof, "Tak"},
    {kComponentTypeInnerWall, "Innerväggar"}, {kComponentTypeInnerRoof, "Mellanbjälklag"},
    {kComponentTypeGroundFloor, "Mellangolv"}, {kComponentTypeGroundWall, "Grundmur"},
    {kComponentTypeGroundSlab, "Markplatta"},
};
// The kinds shown on the component page before the doors and windows.
constexpr size_t kKindsBeforeOpenings = 2;

std::string WithUnit(const std::string& Number, const std::string& Unit) {
    return Unit.empty() ? Number : Number + " " + Unit;
}

std::string LimitText(const TPlausibilityLimit& L) {
    const auto N = [&](double V) { return PlausibilityNumber(V, L.Decimals); };
    if (std::isinf(L.Low) && std::isinf(L.High)) {
        return {};
    }
    if (std::isinf(L.Low)) {
        return "högst " + WithUnit(N(L.High), L.Unit);
    }
    if (std::isinf(L.High)) {
        return (L.LowExcluded ? "över " : "minst ") + WithUnit(N(L.Low), L.Unit);
    }
    return WithUnit(N(L.Low) + "–" + N(L.High), L.Unit); // en dash
}

bool Plausible(const TPlausibilityLimit& L, double V) {
    return V >= L.Low && V <= L.High && !(L.LowExcluded && V == L.Low);
}

// The value with the row's decimals, or with as many as it takes to show
// that it lies outside the limit (6,004 W/(m²·K) is not shown as 6).
std::string Shown(const TPlausibilityLimit& L, double V) {
    const double Scale = std::pow(10.0, L.Decimals);
    return PlausibilityNumber(V, Plausible(L, std::round(V * Scale) / Scale) ? 6 : L.Decimals);
}

std::string Replace(std::string S, const std::string& What, const std::string& By) {
    for (size_t At = S.find(What); At != std::string::npos; At = S.find(What, At + By.size())) {
        S.replace(At, What.size(), By);
    }
    return S;
}

// A number column of the current row; nothing for NULL or text that is no
// number (the calculation reports those).
std::optional<double> Num(TDataset& T, const char* Column) {
    const TField& F = T.FieldByName(Column);
    if (F.IsNull()) {
        return std::nullopt;
    }
    try {
        return F.AsFloat();
    } catch (const EDatabaseError&) {
        return std::nullopt;
    }
}

class TChecker {
public:
    explicit TChecker(std::vector<TPlausibilityWarning>& Out) : FOut(Out) {}

    // Adds the finding of Rule for Value unless the value is plausible or unknown.
    void Judge(const char* Rule, const std::string& Member, std::optional<double> Value) {
        if (!Value) {
            return;
        }
        const TPlausibilityLimit& L = PlausibilityLimit(Rule);
        if (Plausible(L, *Value)) {
            return;
        }
        TPlausibilityWarning W;
        W.Rule = L.Rule;
        W.Member = Member;
        W.Value = *Value;
        W.Unit = L.Unit;
        W.Limit = LimitText(L);
        W.Text = Replace(Replace(L.Text, "{value}", WithUnit(Shown(L, *Value), L.Unit)), "{limit}", W.Limit);
        W.Reason = L.Reason;
        FOut.push_back(std::move(W));
    }

private:
    std::vector<TPlausibilityWarning>& FOut;
};

struct TComponentRow {
    std::string Type;
    std::string ID;
    std::optional<double> Area;
};

struct TLayerRow {
    std::string Type;
    std::string Component;
    std::string Material;
    std::optional<double> Depth; // mm
};

TQuery& Select(TQuery& Q, const std::string& ID) {
    Q.SetParam(1, ID);
    Q.Open();
    return Q;
}

} // namespace

const std::vector<TPlausibilityLimit>& PlausibilityLimits() { return kLimits; }

const TPlausibilityLimit& PlausibilityLimit(const std::string& Rule) {
    for (const TPlausibilityLimit& L : kLimits) {
        if (Rule == L.Rule) {
            return L;
        }
    }
    throw EBVException("Okänd rimlighetsregel: " + Rule);
}

std::string PlausibilityNumber(double Value, int Decimals) {
    char Buf[64];
    std::snprintf(Buf, sizeof Buf, "%.*f", std::max(Decimals, 0), Value);
    std::string S = Buf;
    if (S.find('.') != std::string::npos) {
        while (S.back() == '0') {
            S.pop_back();
        }
        if (S.back() == '.') {
            S.pop_back();
        }
    }
    if (S == "-0") {
        S = "0";
    }
    std::replace(S.begin(), S.end(), '.', ',');
    return S;
}

std::vector<TPlausibilityWarning> CheckPlausibility(TDatabase& Db, const std::string& BuildingID,
                                                    bool ResultsCurrent) {
    std::vector<TPlausibilityWarning> Out;
    TChecker C(Out);

    TQuery B(Db, "SELECT AREA, VOLUME, TEMPERATURE, HEATUSAGE, VENTTYPE FROM Buildings WHERE ID = ? COLLATE BVNOCASE");
    if (Select(B, BuildingID).IsEmpty()) {
        return Out;
    }
    // Member rows belong to the building without regard to letter case.
    const std::string Own = " WHERE BUILDING = ? COLLATE BVNOCASE";

    std::vector<TComponentRow> Components;
    TQuery QC(Db, "SELECT TYPE, ID, AREA FROM LayeredComponents" + Own + " ORDER BY rowid");
    for (Select(QC, BuildingID).First(); !QC.Eof(); QC.Next()) {
        Components.push_back({QC.FieldByName("TYPE").AsString(), QC.FieldByName("ID").AsString(), Num(QC, "AREA")});
    }
    std::vector<TLayerRow> Layers;
    TQuery QL(Db, "SELECT TYPE, COMPONENT, ID, DEPTH FROM Layers" + Own + " ORDER BY POS, rowid");
    for (Select(QL, BuildingID).First(); !QL.Eof(); QL.Next()) {
        Layers.push_back({QL.FieldByName("TYPE").AsString(), QL.FieldByName("COMPONENT").AsString(),
                          QL.FieldByName("ID").AsString(), Num(QL, "DEPTH")});
    }

    double OuterWallArea = 0;
    const auto Kind = [&](const TKindHeading& K) {
        const bool OuterWalls = SameText(K.Type, kComponentTypeOuterWall);
        bool Any = false;
        for (const TComponentRow& Comp : Components) {
            if (!SameText(Comp.Type, K.Type)) {
                continue;
            }
            Any = true;
            const std::string Member = std::string(K.Heading) + ": " + Comp.ID;
            C.Judge("component-area", Member, Comp.Area);
            if (OuterWalls && Comp.Area) {
                OuterWallArea += *Comp.Area;
            }
            // Layers are numbered 1, 2, ... from the inside, as the editor and
            // the calculation's messages number them.
            int Pos = 0;
            for (const TLayerRow& L : Layers) {
                if (SameText(L.Type, K.Type) && SameText(L.Component, Comp.ID)) {
                    ++Pos;
                    const std::string Material = L.Material.empty() ? "" : " (" + L.Material + ")";
                    C.Judge("layer-thickness", Member + ", skikt " + std::to_string(Pos) + Material, L.Depth);
                }
            }
        }
        if (OuterWalls && !Any) {
            C.Judge("no-outer-wall", K.Heading, 0.0);
        }
        if (SameText(K.Type, kComponentTypeRoof) && !Any) {
            C.Judge("no-roof", K.Heading, 0.0);
        }
    };
    for (size_t K = 0; K < kKindsBeforeOpenings; ++K) {
        Kind(kOpaqueKinds[K]);
    }

    TQuery QD(Db, "SELECT ID, AREA, UVALUE FROM Doors" + Own + " ORDER BY rowid");
    for (Select(QD, BuildingID).First(); !QD.Eof(); QD.Next()) {
        const std::string Member = std::string(kDoorHeading) + ": " + QD.FieldByName("ID").AsString();
        C.Judge("door-area", Member, Num(QD, "AREA"));
        C.Judge("door-u", Member, Num(QD, "UVALUE"));
    }

    double WindowArea = 0;
    TQuery QW(Db, "SELECT ID, AREA, UVALUE, GVALUE, SHADING, FRAMEFACTOR FROM Windows" + Own + " ORDER BY rowid");
    for (Select(QW, BuildingID).First(); !QW.Eof(); QW.Next()) {
        const std::string Member = std::string(kWindowHeading) + ": " + QW.FieldByName("ID").AsString();
        const std::optional<double> Area = Num(QW, "AREA");
        C.Judge("window-area", Member, Area);
        C.Judge("window-u", Member, Num(QW, "UVALUE"));
        C.Judge("window-g", Member, Num(QW, "GVALUE"));
        C.Judge("window-shading", Member, Num(QW, "SHADING"));
        C.Judge("window-frame", Member, Num(QW, "FRAMEFACTOR"));
        if (Area && *Area > 0) {
            WindowArea += *Area;
        }
    }
    // Without outer-wall area the share says nothing that the rules of the
    // walls have not said.
    if (WindowArea > 0 && OuterWallArea > 0) {
        C.Judge("window-share", kWindowHeading, WindowArea * 100 / OuterWallArea);
    }

    for (size_t K = kKindsBeforeOpenings; K < std::size(kOpaqueKinds); ++K) {
        Kind(kOpaqueKinds[K]);
    }

    const std::optional<double> Area = Num(B, "AREA");
    const std::optional<double> Volume = Num(B, "VOLUME");
    C.Judge("floor-area", kBuildingHeading, Area);
    // Mechanical ventilation with leakage at 50 Pa per envelope area does not
    // use the volume, and its page does not show it.
    const std::optional<double> VentType = Num(B, "VENTTYPE");
    if (!VentType || *VentType != 1) {
        C.Judge("volume", kBuildingHeading, Volume);
        if (Area && Volume && *Area > 0 && *Volume > 0) {
            C.Judge("volume-per-area", kBuildingHeading, *Volume / *Area);
        }
    }
    C.Judge("temperature", kBuildingHeading, Num(B, "TEMPERATURE"));

    const std::optional<double> Demand = Num(B, "HEATUSAGE");
    if (ResultsCurrent && Demand && Area && *Area > 0) {
        C.Judge("demand-per-area", kResultHeading, *Demand / *Area);
    }
    return Out;
}

std::vector<TPlausibilityWarning> CheckPlausibility(TDataModuleBuildingData& Data) {
    TDataset& B = Data.TableBuildings();
    if (!B.Active() || B.IsEmpty()) {
        return {};
    }
    return CheckPlausibility(Data.Database(), B.FieldByName("ID").AsString(), Data.IsCalculated());
}
