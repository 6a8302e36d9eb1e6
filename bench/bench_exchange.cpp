// Export and import of an exchange file of 1000 buildings of realistic size:
// 12 months, 20 constructions, 80 layers, 15 windows and 3 doors each.
//
//   cmake -B build-bench -DBV_BUILD_BENCH=ON && cmake --build build-bench --target bench_exchange
//   build-bench/bin/bench_exchange
//
// Export writes all 1000 buildings of a database to a file; import reads
// that file into an empty database; replace imports it again into the
// database holding the same buildings, answering "yes to all".
#include "db/Database.h"
#include "db/FileIO.h"
#include "exchange/UnitBuildingFile.h"
#include "exchange/UnitExport.h"
#include "exchange/UnitExportData.h"
#include "exchange/UnitImport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int NBuildings = 1000;

const char* const Kinds[] = {"OuterWall", "InnerWall", "Roof", "InnerRoof", "GroundFloor", "GroundSlab", "GroundWall"};
const char* const Materials[] = {"Gips", "Mineralull", "Träregel", "Tegel", "Betong", "Cellplast", "Luftspalt", "Puts"};

TExpBuilding2 RealisticBuilding(const std::string& Id, int Seed) {
    std::mt19937 Rng(static_cast<unsigned>(Seed));
    std::uniform_real_distribution<double> U(0.01, 500.0);
    TExpBuilding2 B;
    B.PID = Id;
    for (double* F : {&B.PNaturalVentilation, &B.PMechanicalVentilation, &B.PHeatExchangeEfficiency, &B.PVSup,
                      &B.PVEx, &B.PV50, &B.PRadiationLossCoeff, &B.PCapacity, &B.PInternalHeatGains,
                      &B.PSolarHeatGain, &B.PHeatGain, &B.PRadiationLoss, &B.PVentilaionLoss, &B.PLeakLossCoeff,
                      &B.PVentLossCoeff, &B.PHeatLoss, &B.PHeatLossCoeff, &B.PHeatUsage, &B.PVolume,
                      &B.PTemperature, &B.PUValue, &B.PArea, &B.PInternalAericPUndef, &B.PInternalAericPMetabolic,
                      &B.PInternalAericPAppliances, &B.PInternalAericPLighting, &B.PAirChangesPerH, &B.PP50,
                      &B.PN50, &B.PSurfaceArea, &B.PVSupLSek, &B.PVExLSek, &B.PVSupLArea, &B.PVExLArea,
                      &B.PIntPUndefW, &B.PIntPMetabolicW, &B.PIntPAppliancesW, &B.PIntPLightingW})
        *F = U(Rng);
    B.PFacades = 2;
    B.PShielding = 1;
    B.PVentilationType = 2;
    B.PClimateProfile = "Stockholm";
    B.PInfo = "Flerbostadshus, tre våningar, byggt 1968, tilläggsisolerat 2004.";
    B.PWeatherInfo = "Klimatdata för Stockholm";
    B.PCalculated = true;
    B.PAirChangeIDNo = 3;
    B.PIntGainsDef = 2;
    B.PP50IdNo = 1;
    B.PN50IdNo = -1;
    B.PCreated = 0.25;
    B.PChanged = 0.5;

    B.Ground.PBuilding = Id;
    B.Ground.PSoilName = "Lera";
    B.Ground.PTypeString = "HeatedCellar";
    for (double* F : {&B.Ground.PShielding, &B.Ground.PWindSpeed, &B.Ground.PGroundThermalCond, &B.Ground.PIsoCond,
                      &B.Ground.PIsoWidth, &B.Ground.PIsoLength, &B.Ground.PArea, &B.Ground.PPerimeter,
                      &B.Ground.PWallHeight, &B.Ground.PWallDepth, &B.Ground.PUValue, &B.Ground.PUWall})
        *F = U(Rng);
    B.Ground.PSpecialVar1 = 1;

    for (int K = 1; K <= 12; ++K) {
        TExpMonth2& M = B.Months.emplace_back();
        M.PBuilding = Id;
        M.PMonth = K;
        M.PDays = 30;
        for (double* F : {&M.PTemperature, &M.PSunHorizontal, &M.PSunSouth, &M.PSunEast, &M.PSunWest, &M.PSunNorth,
                          &M.PSetPointTemp, &M.PSunGain, &M.PInternalPower, &M.PInternalGain,
                          &M.PUtilizationFactor, &M.PVentilationLoss, &M.PHeatLoss, &M.PHeatUsage,
                          &M.PRadiationLoss})
            *F = U(Rng);
    }
    for (int C = 0; C < 20; ++C) {
        TExpLayeredComponent2& L = B.LayeredComponents.emplace_back();
        L.PID = "Konstruktion " + std::to_string(C + 1);
        L.PBuilding = Id;
        L.PCompType = Kinds[C % 7];
        L.PNLayers = 4;
        L.PInnerAericHeatCapacity = U(Rng);
        L.POuterAericHeatCapacity = U(Rng);
        L.PUValue = U(Rng);
        L.PArea = U(Rng);
        for (int P = 1; P <= 4; ++P) {
            TExpLayer2& Y = B.Layers.emplace_back();
            Y.PBuilding = Id;
            Y.PCompType = L.PCompType;
            Y.PComponent = L.PID;
            Y.PPos = P;
            Y.PID = Materials[(C + P) % 8];
            for (double* F : {&Y.PThermalCond, &Y.PSpecificHeatCapacity, &Y.PDensity, &Y.PDepth, &Y.PRatio,
                              &Y.PPenetrationDepth, &Y.PRValue})
                *F = U(Rng);
            Y.PLockedDepth = P == 2;
        }
    }
    for (int W = 0; W < 15; ++W) {
        TExpWindow2& X = B.Windows.emplace_back();
        X.PBuilding = Id;
        X.PID = "Fönster " + std::to_string(W + 1);
        X.PArea = U(Rng);
        X.PUValue = U(Rng);
        X.PGValue = U(Rng);
        X.PShading = U(Rng);
        X.PFrameFactor = U(Rng);
        X.PDirection = W % 4;
    }
    for (int D = 0; D < 3; ++D) {
        TExpDoor2& X = B.Doors.emplace_back();
        X.PBuilding = Id;
        X.PID = "Dörr " + std::to_string(D + 1);
        X.PArea = U(Rng);
        X.PUValue = U(Rng);
    }
    return B;
}

std::string ReadText(const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    if (!In)
        throw std::runtime_error("cannot read " + Path);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

class TQuietDialogs : public IImportDialogs {
public:
    TImportReply AskReplace(const std::string&, const TExpBuilding2&) override {
        return {TImportAnswer::YesToAll, {}};
    }
    void Warning(const std::string& Text) override { throw std::runtime_error("import warning: " + Text); }
};

// A temporary folder with the file of 1000 buildings and a database that
// holds them, made once for all benchmarks.
struct TFixture {
    fs::path Dir;
    std::string Schema;
    std::string File;
    std::string FullDb;
    std::vector<std::string> Ids;
    int Created = 0;

    TFixture() {
        Dir = fs::temp_directory_path() / ("bv-bench-exchange-" + std::to_string(std::random_device{}()));
        fs::create_directories(Dir);
        Schema = ReadText(BV_SCHEMA_SQL);
        TBuildingFileWriter W(NBuildings);
        for (int I = 0; I < NBuildings; ++I) {
            Ids.push_back("Byggnad " + std::to_string(I + 1));
            TExpBuilding2 B = RealisticBuilding(Ids.back(), I);
            W.Add(B);
        }
        File = (Dir / "buildings.bvf").string();
        W.Save(File);
        FullDb = NewDatabase();
        auto Db = TDatabase::Open(FullDb);
        TDataModuleExportBuilding M(*Db);
        TQuietDialogs Dialogs;
        IImportNotifier Notifier;
        const TImportResult R = ImportBuildingFile(M, File, Dialogs, Notifier);
        if (R.CountOf(TImportOutcomeKind::Stored) != NBuildings)
            throw std::runtime_error("the fixture database did not fill");
    }
    ~TFixture() {
        std::error_code Ec;
        fs::remove_all(Dir, Ec);
    }
    std::string NewDatabase() {
        const std::string Path = (Dir / ("db" + std::to_string(Created++) + ".s3db")).string();
        TDatabase::Create(Path)->Exec(Schema);
        return Path;
    }
};

TFixture& Fixture() {
    static TFixture F;
    return F;
}

void BM_Export1000(benchmark::State& State) {
    TFixture& F = Fixture();
    auto Db = TDatabase::Open(F.FullDb);
    const std::string Out = (F.Dir / "export.bvf").string();
    for (auto _ : State) {
        TDataModuleExportBuilding M(*Db);
        ExportBuildings(M, F.Ids, Out);
    }
    State.counters["bytes"] = static_cast<double>(fs::file_size(Out));
}

void BM_Import1000(benchmark::State& State) {
    TFixture& F = Fixture();
    for (auto _ : State) {
        State.PauseTiming();
        const std::string Path = F.NewDatabase();
        auto Db = TDatabase::Open(Path);
        State.ResumeTiming();
        TDataModuleExportBuilding M(*Db);
        TQuietDialogs Dialogs;
        IImportNotifier Notifier;
        const TImportResult R = ImportBuildingFile(M, F.File, Dialogs, Notifier);
        if (R.CountOf(TImportOutcomeKind::Stored) != NBuildings)
            State.SkipWithError("not every building was stored");
        State.PauseTiming();
        Db.reset();
        fs::remove(Path);
        State.ResumeTiming();
    }
}

void BM_ImportReplacing1000(benchmark::State& State) {
    TFixture& F = Fixture();
    auto Db = TDatabase::Open(F.FullDb);
    for (auto _ : State) {
        TDataModuleExportBuilding M(*Db);
        TQuietDialogs Dialogs;
        IImportNotifier Notifier;
        const TImportResult R = ImportBuildingFile(M, F.File, Dialogs, Notifier);
        if (R.CountOf(TImportOutcomeKind::Replaced) != NBuildings)
            State.SkipWithError("not every building was replaced");
    }
}

} // namespace

BENCHMARK(BM_Export1000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Import1000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ImportReplacing1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
