// The calculation of a large building (load, compute, store through the
// building data module), against writing the same rows with plain prepared
// UPDATE statements in one transaction.
//
//   cmake -B build-bench -DBV_BUILD_BENCH=ON && cmake --build build-bench --target bench_calc
//   build-bench/bin/bench_calc
#include "data/UnitBuildingData.h"
#include "db/Database.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string ReadFile(const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    if (!In) {
        throw std::runtime_error("cannot read " + Path);
    }
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

// The building: 12 outer walls, 8 inner walls, 6 roofs, 8 intermediate
// floors and a heated basement with 2 floor, 2 wall and 2 slab
// constructions, 40 constructions of 6 layers in all; 60 windows, 10 doors.
void FillBuilding(TDatabase& Db) {
    Db.Exec(R"(INSERT INTO Buildings (ID, INFO, AREA, VOLUME, SURFACEAREA, NATVENT, MECHVENT, HEATEX, UVALUE,
      CAPACITY, INTGAIN, SOLARGAIN, HEATGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, TEMPERATURE, WEATHERID,
      WEATHERINFO, VSUP, VEX, P50, FACADES, SHIELDING, RADLOSSCOEFF, LEAKLOSSCOEFF, VENTLOSSCOEFF, HEATLOSSCOEFF,
      VENTTYPE, N50, AIRCHANGESPERH, V50, INTPMETABOLIC, INTPLIGHTING, INTPAPPLIANCES, INTPUNDEF, VENTUNIT,
      VSUPLSEK, VEXLSEK, VSUPLAREA, VEXLAREA, P50IDNO, N50IDNO, AIRCHANGEIDNO, INTGAINUNIT, INTPUNDEFW,
      INTPMETABOLICW, INTPAPPLIANCESW, INTPLIGHTINGW, INTGAINSDEF, CALCULATED)
      VALUES ('Kontor', 'Stor byggnad', 1800, 5400, 0, 0, 0, 75, 0, 0, 0, 0, 0, 0, 0, 0, 0, 21, 'Stockholm', '',
      1800, 1900, 0.6, 0, 1, 0, 0, 0, 0, 1, 2.0, 0.5, 0, 3, 8, 6, 1, 2, 0, 0, 0.35, 0.4, 1, 2, 3, 0, 0, 0, 0, 0,
      1, 'N'))");
    const double Te[12] = {-2.8, -3.0, 0.1, 4.6, 10.7, 15.6, 17.2, 16.2, 11.9, 7.5, 2.6, -1.0};
    TStatement Month = Db.Prepare(
        "INSERT INTO Months (BUILDING, MONTH, TEMP, RADHOR, RADWEST, RADEAST, RADSOUTH, RADNORTH, DAYS, SOLGAIN, "
        "INTGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, INTPOWER, UTILFACTOR) "
        "VALUES ('Kontor', ?, ?, ?, ?, ?, ?, ?, 30, 0, 0, 0, 0, 0, 0, 0, 0)");
    for (int M = 1; M <= 12; ++M) {
        const double Sun = 20 + 100 * (6.5 - std::abs(M - 6.5)) / 6.5;
        Month.Bind(1, int64_t{M});
        Month.Bind(2, Te[M - 1]);
        Month.Bind(3, Sun * 1.5);
        Month.Bind(4, Sun * 0.8);
        Month.Bind(5, Sun * 0.7);
        Month.Bind(6, Sun);
        Month.Bind(7, Sun * 0.3);
        Month.Execute();
    }
    TStatement Comp = Db.Prepare("INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, "
                                 "OUTERCAPACITY, INNERCAPACITY) VALUES ('Kontor', ?, ?, ?, 0, 6, 0, 0)");
    TStatement Layer = Db.Prepare("INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, "
                                  "DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) "
                                  "VALUES ('Kontor', ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 0, 'N')");
    struct Mat {
        const char* Name;
        double Lambda, C, Rho, Depth;
    };
    const Mat Mats[6] = {{"Gipsskiva", 0.25, 1090, 900, 13}, {"Betong", 1.7, 880, 2300, 150},
                         {"Mineralull", 0.037, 840, 28, 120}, {"Träregel", 0.13, 1600, 500, 45},
                         {"Cellplast", 0.036, 1450, 20, 80}, {"Puts", 0.8, 1000, 1800, 15}};
    const std::pair<const char*, int> Kinds[] = {{"OuterWall", 12}, {"InnerWall", 8}, {"Roof", 6}, {"InnerRoof", 8},
                                                 {"GroundFloor", 2}, {"GroundWall", 2}, {"GroundSlab", 2}};
    for (const auto& [Type, Count] : Kinds) {
        for (int I = 1; I <= Count; ++I) {
            const std::string ID = std::string(Type) + " " + std::to_string(I);
            Comp.Bind(1, std::string(Type));
            Comp.Bind(2, ID);
            Comp.Bind(3, 20.0 + I);
            Comp.Execute();
            for (int P = 1; P <= 6; ++P) {
                const Mat& L = Mats[(P + I) % 6];
                Layer.Bind(1, std::string(Type));
                Layer.Bind(2, ID);
                Layer.Bind(3, int64_t{P});
                Layer.Bind(4, std::string(L.Name));
                Layer.Bind(5, L.Lambda);
                Layer.Bind(6, L.C);
                Layer.Bind(7, L.Rho);
                Layer.Bind(8, L.Depth);
                Layer.Execute();
            }
        }
    }
    TStatement Win = Db.Prepare("INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, "
                                "DIRECTION) VALUES ('Kontor', ?, 1.1, 0.55, 10, 25, ?, ?)");
    for (int I = 1; I <= 60; ++I) {
        Win.Bind(1, "Fönster " + std::to_string(I));
        Win.Bind(2, 1.0 + (I % 4));
        Win.Bind(3, int64_t{I % 5});
        Win.Execute();
    }
    TStatement Door = Db.Prepare("INSERT INTO Doors (BUILDING, ID, AREA, UVALUE) VALUES ('Kontor', ?, 2.1, 1.2)");
    for (int I = 1; I <= 10; ++I) {
        Door.Bind(1, "Dörr " + std::to_string(I));
        Door.Execute();
    }
    Db.Exec("INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME, "
            "GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH) "
            "VALUES ('Kontor', 'HeatedCellar', 0, 60, 2500, 300, 'Sand', 2.0, 0, 0, 0, 0, 0, 0, 0, 0)");
}

class TBenchDb {
public:
    TBenchDb() {
        std::string Templ = (std::filesystem::temp_directory_path() / "bvbench-XXXXXX").string();
        if (mkdtemp(Templ.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        FDir = Templ;
        FDb = TDatabase::Create((FDir / "bench.s3db").string());
        FDb->Exec(ReadFile(BV_SCHEMA_SQL));
        FillBuilding(*FDb);
    }
    TBenchDb(const TBenchDb&) = delete;
    TBenchDb& operator=(const TBenchDb&) = delete;
    ~TBenchDb() {
        FDb.reset();
        std::error_code Ec;
        std::filesystem::remove_all(FDir, Ec);
    }
    TDatabase& Db() { return *FDb; }

private:
    std::filesystem::path FDir;
    std::unique_ptr<TDatabase> FDb;
};

// Calculating again a building that has not changed since its last
// calculation: every row is read and located, but finds its values in place.
void BM_RecalculateUnchangedBuilding(benchmark::State& State) {
    TBenchDb B;
    TDataModuleBuildingData M(B.Db());
    M.OpenBuilding("Kontor");
    M.CalculateBuilding(); // the first calculation writes every result once
    for (auto _ : State) {
        if (!M.CalculateBuilding()) {
            State.SkipWithError("calculation failed");
            break;
        }
    }
}

// Calculating after every layer and the indoor temperature changed (outside
// the measured time): every construction, layer, month and yearly result is
// written anew.
void BM_CalculateChangedBuilding(benchmark::State& State) {
    TBenchDb B;
    TDataModuleBuildingData M(B.Db());
    M.OpenBuilding("Kontor");
    M.CalculateBuilding();
    int Step = 0;
    for (auto _ : State) {
        State.PauseTiming();
        const bool Up = (Step++ % 2) == 0;
        B.Db().Exec(Up ? "UPDATE Layers SET DEPTH = DEPTH + 1; UPDATE Buildings SET TEMPERATURE = 21;"
                       : "UPDATE Layers SET DEPTH = DEPTH - 1; UPDATE Buildings SET TEMPERATURE = 20;");
        M.RefreshAllData();
        State.ResumeTiming();
        if (!M.CalculateBuilding()) {
            State.SkipWithError("calculation failed");
            break;
        }
    }
}

// The columns the calculation writes, per table.
struct TTableWrite {
    const char* Table;
    std::vector<std::string> Columns;
};

const std::vector<TTableWrite>& Writes() {
    static const std::vector<TTableWrite> W = {
        {"Buildings",
         {"ID", "NATVENT", "MECHVENT", "VENTUNIT", "VSUP", "VEX", "VSUPLSEK", "VEXLSEK", "VSUPLAREA", "VEXLAREA",
          "P50", "N50", "FACADES", "SHIELDING", "HEATEX", "UVALUE", "CAPACITY", "INTPUNDEF", "INTPMETABOLIC",
          "INTPAPPLIANCES", "INTPLIGHTING", "INTGAINUNIT", "INTGAINSDEF", "INTPUNDEFW", "INTPMETABOLICW",
          "INTPAPPLIANCESW", "INTPLIGHTINGW", "AIRCHANGEIDNO", "INTGAIN", "SOLARGAIN", "HEATGAIN", "RADLOSS",
          "VENTLOSS", "HEATLOSS", "HEATUSAGE", "VOLUME", "TEMPERATURE", "AREA", "SURFACEAREA", "P50IDNO", "N50IDNO",
          "WEATHERID", "INFO", "WEATHERINFO", "CALCULATED", "VENTLOSSCOEFF", "LEAKLOSSCOEFF", "RADLOSSCOEFF",
          "HEATLOSSCOEFF", "VENTTYPE", "V50", "AIRCHANGESPERH"}},
        {"Grounds",
         {"BUILDING", "TYPE", "AREA", "PERIMETER", "WALLDEPTH", "UWALL", "UVALUE", "GROUNDTHERMCOND", "WALLHEIGHT",
          "SOILNAME"}},
        {"Months",
         {"MONTH", "BUILDING", "TEMP", "RADHOR", "RADSOUTH", "RADEAST", "RADWEST", "RADNORTH", "DAYS", "SOLGAIN",
          "INTPOWER", "INTGAIN", "UTILFACTOR", "RADLOSS", "VENTLOSS", "HEATLOSS", "HEATUSAGE"}},
        {"LayeredComponents",
         {"ID", "BUILDING", "TYPE", "NLAYERS", "INNERCAPACITY", "OUTERCAPACITY", "UVALUE", "AREA"}},
        {"Layers",
         {"COMPONENT", "BUILDING", "POS", "TYPE", "ID", "DEPTH", "LOCKEDDEPTH", "THERMCOND", "SPECCAP", "DENSITY",
          "RATIO", "PENDEPTH", "RVALUE"}},
        {"Windows", {"BUILDING", "ID", "UVALUE", "GVALUE", "FRAMEFACTOR", "SHADING", "AREA", "DIRECTION"}},
        {"Doors", {"BUILDING", "ID", "UVALUE", "AREA"}},
    };
    return W;
}

void BM_PlainPreparedUpdates(benchmark::State& State) {
    TBenchDb B;
    {
        // The same stored state as the calculation benchmark writes over.
        TDataModuleBuildingData M(B.Db());
        M.OpenBuilding("Kontor");
        M.CalculateBuilding();
    }
    struct TPrepared {
        TStatement Update;
        std::vector<std::vector<TValue>> Rows; // column values, then the rowid
    };
    std::vector<TPrepared> Work;
    size_t RowCount = 0;
    for (const TTableWrite& W : Writes()) {
        std::string Set;
        std::string Cols;
        for (const auto& C : W.Columns) {
            Set += (Set.empty() ? "" : ", ") + C + " = ?";
            Cols += C + ", ";
        }
        TPrepared P{B.Db().Prepare(std::string("UPDATE ") + W.Table + " SET " + Set + " WHERE rowid = ?"), {}};
        TStatement Read = B.Db().Prepare("SELECT " + Cols + "rowid FROM " + W.Table);
        while (Read.Step()) {
            std::vector<TValue> Row;
            for (int C = 0; C < Read.ColumnCount(); ++C) {
                Row.push_back(Read.Column(C));
            }
            P.Rows.push_back(std::move(Row));
        }
        RowCount += P.Rows.size();
        Work.push_back(std::move(P));
    }
    for (auto _ : State) {
        TDatabase::TTransaction Tx(B.Db());
        for (TPrepared& P : Work) {
            for (const auto& Row : P.Rows) {
                for (size_t C = 0; C < Row.size(); ++C) {
                    P.Update.Bind(static_cast<int>(C) + 1, Row[C]);
                }
                P.Update.Execute();
            }
        }
        Tx.Commit();
    }
    State.counters["rows"] = static_cast<double>(RowCount);
}

} // namespace

BENCHMARK(BM_RecalculateUnchangedBuilding)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_CalculateChangedBuilding)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainPreparedUpdates)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
