// The calculation of a large building (load, compute, store through the
// building data module), against writing the same rows with plain prepared
// UPDATE statements in one transaction.
//
//   cmake -B build-bench -DBV_BUILD_BENCH=ON && cmake --build build-bench --target bench_calc
//   build-bench/bin/bench_calc
#include "data/UnitBuildingData.h"
#include "db/Database.h"
#include "bench/BenchBuilding.h"

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
