// calc: calculate a building and store the results (the Calculate command of
// the desktop window); show: the stored rows of a building as JSON.
#include "calc/MathError.h"
#include "cli/CliDatabase.h"
#include "data/UnitBuildingData.h"
#include "data/UnitPlausibility.h"
#include "db/Dataset.h"
#include "exchange/UnitExportData.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iomanip>
#include <optional>
#include <ostream>
#include <sstream>

namespace cli {

namespace {

using nlohmann::ordered_json;

// The results a calculation stores in the building row, and per month.
const char* const kYearColumns[] = {
    "UVALUE",   "CAPACITY", "SURFACEAREA", "RADLOSSCOEFF", "VENTLOSSCOEFF", "LEAKLOSSCOEFF",
    "HEATLOSSCOEFF", "V50", "INTGAIN",     "SOLARGAIN",    "HEATGAIN",      "RADLOSS",
    "VENTLOSS", "HEATLOSS", "HEATUSAGE",
};
const char* const kMonthColumns[] = {
    "MONTH", "DAYS", "TEMP", "SOLGAIN", "INTGAIN", "RADLOSS", "VENTLOSS", "HEATLOSS", "UTILFACTOR", "HEATUSAGE",
};

struct TArgs {
    std::string ID;
    bool Json = false;
};

TArgs ParseArgs(const std::string& Command, const std::vector<std::string>& Args) {
    TArgs A;
    bool HaveID = false;
    for (const std::string& S : Args) {
        if (S == "--json") {
            A.Json = true;
        } else if (!S.empty() && S[0] == '-') {
            throw EUsage(Command + ": unknown option " + S);
        } else if (!HaveID) {
            A.ID = S;
            HaveID = true;
        } else {
            throw EUsage(Command + " takes one building ID");
        }
    }
    if (!HaveID) {
        throw EUsage(Command + " needs a building ID");
    }
    return A;
}

std::string Hex(const TBlob& B) {
    std::string S;
    char Buf[3];
    for (uint8_t Byte : B) {
        std::snprintf(Buf, sizeof Buf, "%02x", Byte);
        S += Buf;
    }
    return S;
}

// A column of the current row as JSON, by the column's declared type.
ordered_json FieldJson(const TField& F) {
    if (F.IsNull()) {
        return nullptr;
    }
    switch (F.DataType()) {
    case TFieldType::Boolean:
        return F.AsBoolean();
    case TFieldType::Integer:
        return F.AsLargeInt();
    case TFieldType::Double:
        return F.AsFloat();
    case TFieldType::Blob:
        return Hex(F.AsBlob());
    default:
        break;
    }
    const TValue V = F.Value();
    if (const auto* I = std::get_if<int64_t>(&V)) return *I;
    if (const auto* D = std::get_if<double>(&V)) return *D;
    if (const auto* B = std::get_if<TBlob>(&V)) return Hex(*B);
    return F.AsString();
}

ordered_json RowJson(TDataset& T, const std::vector<std::string>& Columns = {}) {
    ordered_json Row = ordered_json::object();
    if (Columns.empty()) {
        for (const auto& F : T.Fields()) {
            if (!F->Calculated()) {
                Row[F->FieldName()] = FieldJson(*F);
            }
        }
    } else {
        for (const auto& C : Columns) {
            Row[C] = FieldJson(T.FieldByName(C));
        }
    }
    return Row;
}

std::string Fixed(double V, int Decimals) {
    std::ostringstream S;
    S << std::fixed << std::setprecision(Decimals) << V;
    return S.str();
}

// Prints the text of the desktop window's calculation error box on stderr,
// on one line: its lines (heading, member, cause) joined by ": ".
struct TErrReport : ICalcErrorReport {
    std::ostream& Err;
    explicit TErrReport(std::ostream& E) : Err(E) {}
    void ShowCalcError(const std::string& Text) override {
        std::string Line;
        for (size_t At = 0; At < Text.size(); ++At) {
            if (Text[At] == '\r' && At + 1 < Text.size() && Text[At + 1] == '\n') {
                continue;
            }
            Line += Text[At] == '\n' ? std::string(": ") : std::string(1, Text[At]);
        }
        Err << "braskvalla-cli: " << Line << '\n';
    }
};

// The ID as stored of the building named Name (letter case ignored, the
// look-up of the import), or "" after saying on Err that there is none.
std::string BuildingNamed(const Options& Opts, TDatabase& Db, const std::string& Name) {
    if (const std::optional<TFoundBuilding> Found = FindBuilding(Db, Name)) {
        return Found->ID;
    }
    *Opts.Err << "braskvalla-cli: there is no building named '" << Name << "'\n";
    return {};
}

void PrintResults(std::ostream& Out, TDataModuleBuildingData& M) {
    TDataset& B = M.TableBuildings();
    Out << "Building " << B.FieldByName("ID").AsString() << ": "
        << (B.FieldByName("CALCULATED").AsBoolean() ? "calculated" : "not calculated (no envelope area)") << '\n';
    const auto Line = [&](const char* Label, const char* Column, const char* Unit, int Decimals) {
        Out << "  " << std::left << std::setw(40) << Label << std::right << std::setw(12)
            << Fixed(B.FieldByName(Column).AsFloat(), Decimals) << ' ' << Unit << '\n';
    };
    Line("mean U-value (UVALUE)", "UVALUE", "W/(m2 K)", 3);
    Line("envelope area (SURFACEAREA)", "SURFACEAREA", "m2", 1);
    Line("heat capacity (CAPACITY)", "CAPACITY", "kJ/K", 0);
    Line("transmission (RADLOSSCOEFF)", "RADLOSSCOEFF", "W/K", 2);
    Line("ventilation (VENTLOSSCOEFF)", "VENTLOSSCOEFF", "W/K", 2);
    Line("infiltration (LEAKLOSSCOEFF)", "LEAKLOSSCOEFF", "W/K", 2);
    Line("total loss coefficient (HEATLOSSCOEFF)", "HEATLOSSCOEFF", "W/K", 2);
    Line("air flow at 50 Pa (V50)", "V50", "m3/h", 1);
    Line("internal gains (INTGAIN)", "INTGAIN", "kWh", 0);
    Line("solar gains (SOLARGAIN)", "SOLARGAIN", "kWh", 0);
    Line("total gains (HEATGAIN)", "HEATGAIN", "kWh", 0);
    Line("transmission loss (RADLOSS)", "RADLOSS", "kWh", 0);
    Line("ventilation loss (VENTLOSS)", "VENTLOSS", "kWh", 0);
    Line("total loss (HEATLOSS)", "HEATLOSS", "kWh", 0);
    Line("heating demand (HEATUSAGE)", "HEATUSAGE", "kWh", 1);
    Out << '\n';
    const int W = 11;
    for (const char* C : kMonthColumns) {
        Out << std::setw(W) << C;
    }
    Out << '\n';
    TDataset& Months = M.TableMonths();
    for (Months.First(); !Months.Eof(); Months.Next()) {
        for (const char* C : kMonthColumns) {
            const std::string Col = C;
            const int Decimals = Col == "TEMP" || Col == "HEATUSAGE" || Col == "UTILFACTOR" ? 1 : 0;
            Out << std::setw(W) << Fixed(Months.FieldByName(C).AsFloat(), Decimals);
        }
        Out << '\n';
    }
}

ordered_json ResultsJson(TDataModuleBuildingData& M) {
    TDataset& B = M.TableBuildings();
    ordered_json Building = RowJson(B, {"ID", "CALCULATED"});
    for (const char* C : kYearColumns) {
        Building[C] = FieldJson(B.FieldByName(C));
    }
    ordered_json Months = ordered_json::array();
    TDataset& T = M.TableMonths();
    for (T.First(); !T.Eof(); T.Next()) {
        Months.push_back(RowJson(T, {std::begin(kMonthColumns), std::end(kMonthColumns)}));
    }
    return {{"Buildings", Building}, {"Months", Months}};
}

// The plausibility findings as the JSON array "warnings".
ordered_json WarningsJson(const std::vector<TPlausibilityWarning>& Warnings) {
    ordered_json List = ordered_json::array();
    for (const TPlausibilityWarning& W : Warnings) {
        List.push_back({{"rule", W.Rule},
                        {"member", W.Member},
                        {"value", W.Value},
                        {"unit", W.Unit},
                        {"limit", W.Limit},
                        {"text", W.Text}});
    }
    return List;
}

int RunCalc(const Options& Opts, const std::vector<std::string>& Args) {
    const TArgs A = ParseArgs("calc", Args);
    return WithDatabase(Opts, [&](TDataModuleBVDBConnect& Connection) {
        TDatabase& Db = Connection.ZConnectionBVDB();
        const std::string ID = BuildingNamed(Opts, Db, A.ID);
        if (ID.empty()) {
            return static_cast<int>(ExitUsage);
        }
        TDataModuleBuildingData M(Db);
        TErrReport Report(*Opts.Err);
        M.SetCalcErrorReport(&Report);
        try {
            M.OpenBuilding(ID);
            if (!M.CalculateBuilding()) {
                return static_cast<int>(ExitCalc);
            }
        } catch (const EMathError& E) {
            *Opts.Err << "braskvalla-cli: the calculation of '" << ID << "' failed: " << E.what() << '\n';
            return static_cast<int>(ExitCalc);
        } catch (const EInputError& E) {
            *Opts.Err << "braskvalla-cli: the calculation of '" << ID << "' failed: " << E.what() << '\n';
            return static_cast<int>(ExitCalc);
        } catch (const EBVException& E) {
            *Opts.Err << "braskvalla-cli: building '" << ID << "' cannot be calculated: " << E.what() << '\n';
            return static_cast<int>(ExitCalc);
        }
        // What looks like a slip of the user is reported, never refused: the
        // results stand and the exit code stays 0.
        const std::vector<TPlausibilityWarning> Warnings = CheckPlausibility(M);
        if (A.Json) {
            ordered_json J = ResultsJson(M);
            J["warnings"] = WarningsJson(Warnings);
            *Opts.Out << J.dump(2) << '\n';
        } else {
            PrintResults(*Opts.Out, M);
            for (const TPlausibilityWarning& W : Warnings) {
                *Opts.Err << "braskvalla-cli: Varning: " << W.Line() << '\n';
            }
        }
        return static_cast<int>(ExitOk);
    });
}

int RunShow(const Options& Opts, const std::vector<std::string>& Args) {
    const TArgs A = ParseArgs("show", Args);
    if (!A.Json) {
        throw EUsage("show prints JSON only: give --json");
    }
    return WithDatabase(Opts, [&](TDataModuleBVDBConnect& Connection) {
        TDatabase& Db = Connection.ZConnectionBVDB();
        const std::string ID = BuildingNamed(Opts, Db, A.ID);
        if (ID.empty()) {
            return static_cast<int>(ExitUsage);
        }
        ordered_json Out = ordered_json::object();
        const auto Rows = [&](const std::string& Sql) {
            TQuery Q(Db, Sql);
            Q.SetParam(1, ID);
            Q.Open();
            ordered_json List = ordered_json::array();
            for (Q.First(); !Q.Eof(); Q.Next()) {
                List.push_back(RowJson(Q));
            }
            return List;
        };
        const ordered_json Buildings = Rows("SELECT * FROM Buildings WHERE ID = ?");
        Out["Buildings"] = Buildings.empty() ? ordered_json(nullptr) : Buildings[0];
        // Member rows belong to the building without regard to letter case.
        const std::string Own = " WHERE BUILDING = ? COLLATE BVNOCASE";
        Out["Months"] = Rows("SELECT * FROM Months" + Own + " ORDER BY MONTH");
        Out["LayeredComponents"] = Rows("SELECT * FROM LayeredComponents" + Own + " ORDER BY rowid");
        Out["Layers"] = Rows("SELECT * FROM Layers" + Own + " ORDER BY TYPE, COMPONENT, POS");
        Out["Windows"] = Rows("SELECT * FROM Windows" + Own + " ORDER BY rowid");
        Out["Doors"] = Rows("SELECT * FROM Doors" + Own + " ORDER BY rowid");
        Out["Grounds"] = Rows("SELECT * FROM Grounds" + Own + " ORDER BY rowid");
        *Opts.Out << Out.dump(2) << '\n';
        return static_cast<int>(ExitOk);
    });
}

} // namespace

extern const Command CalcCommand;
extern const Command ShowCommand;
const Command CalcCommand = {"calc", "ID [--json]   calculate building ID, store the results, warn of implausible inputs", RunCalc};
const Command ShowCommand = {"show", "ID --json     the stored rows of building ID", RunShow};

} // namespace cli
