// Timings of the desktop application, for reading (never checked):
//
//   bench_gui startup
//       from the start of the process to the main window shown on the
//       default building, on the data folder of BRASKVALLA_DATA_DIR;
//   bench_gui calculate BUILDING ROUNDS [layers]
//       from a click on Calculate to the result page and its chart painted
//       again, the result page in front; between rounds the indoor
//       temperature (with "layers": also every layer's thickness) is
//       changed, outside the measured time;
//   bench_gui report BUILDING FILE
//       the report of the building written as PDF;
//   bench_gui language
//       applying every installed language in turn through the language
//       window (each apply sets every text of every window);
//   bench_gui make-exchange-file N FILE, bench_gui import FILE
//       an exchange file of N buildings, and its import through the windows.
//
// scripts/bench-gui runs both on the shipped database and on a building of
// 364 rows and prints the figures.
#include "bench/BenchBuilding.h"
#include "data/UnitBuildingData.h"
#include "exchange/UnitExport.h"
#include "exchange/UnitExportData.h"
#include "report/UnitReport.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"
#include "ui/UnitMain.h"
#include "i18n/UnitTranslate.h"

#include <QDateTime>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Seconds since the process started, from the kernel's record of its start.
double SinceProcessStart() {
    std::ifstream Stat("/proc/self/stat");
    std::string Text((std::istreambuf_iterator<char>(Stat)), std::istreambuf_iterator<char>());
    // Field 22 (start time in clock ticks since boot) follows the command in parentheses.
    std::size_t P = Text.rfind(')');
    std::vector<std::string> Fields;
    std::string Cur;
    for (std::size_t I = P + 2; I < Text.size(); ++I) {
        if (Text[I] == ' ') {
            Fields.push_back(Cur);
            Cur.clear();
        } else {
            Cur += Text[I];
        }
    }
    const double Start = std::stod(Fields.at(19)) / static_cast<double>(sysconf(_SC_CLK_TCK));
    std::ifstream Up("/proc/uptime");
    double Uptime = 0;
    Up >> Uptime;
    return Uptime - Start;
}

// Starts every module and window; false, after the message, when the
// database cannot be used.
bool Started(TBraskvalla& B) {
    QString Error;
    if (!B.Start(Error)) {
        std::fprintf(stderr, "%s\n", qPrintable(Error));
        return false;
    }
    return true;
}

int Startup(TBVApplication& App) {
    Q_UNUSED(App);
    TBraskvalla B;
    if (!Started(B)) {
        return 2;
    }
    B.Main().show();
    if (!QTest::qWaitForWindowExposed(&B.Main())) {
        return 3;
    }
    QApplication::processEvents();
    std::printf("startup_ms %.1f\n", SinceProcessStart() * 1000.0);
    return 0;
}

int Calculate(const std::string& Building, int Rounds, bool Layers) {
    TBraskvalla B;
    if (!Started(B)) {
        return 2;
    }
    TFormMain& Main = B.Main();
    Main.resize(1280, 900);
    Main.show();
    QTest::qWaitForWindowExposed(&Main);
    TDataModuleBuildingData& Data = B.BuildingData();
    Data.OpenBuilding(Building);
    Main.findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->setCurrentIndex(3);
    QApplication::processEvents();
    auto* Calc = Main.findChild<QToolButton*>(QStringLiteral("IBEAntialiasButtonCalc"));
    std::vector<double> Ms;
    for (int R = 0; R < Rounds; ++R) {
        const bool Up = R % 2 == 0;
        std::string Sql = Up ? "UPDATE Buildings SET TEMPERATURE = 21;" : "UPDATE Buildings SET TEMPERATURE = 20;";
        if (Layers) {
            Sql += Up ? "UPDATE Layers SET DEPTH = DEPTH + 1;" : "UPDATE Layers SET DEPTH = DEPTH - 1;";
        }
        Data.Database().ExecScript(Sql);
        Data.RefreshAllData();
        Data.MarkChanged();
        QApplication::processEvents();
        const auto T0 = std::chrono::steady_clock::now();
        QTest::mouseClick(Calc, Qt::LeftButton);
        QApplication::processEvents(); // the refreshed page and chart are painted
        const auto T1 = std::chrono::steady_clock::now();
        if (!Data.IsCalculated() || !TMessageBox::Shown().isEmpty()) {
            std::fprintf(stderr, "the calculation failed: %s\n", qPrintable(TMessageBox::Shown().join('\n')));
            return 3;
        }
        Ms.push_back(std::chrono::duration<double, std::milli>(T1 - T0).count());
    }
    std::sort(Ms.begin(), Ms.end());
    std::printf("calculate_ms median %.1f min %.1f max %.1f (%d rounds%s)\n", Ms[Ms.size() / 2], Ms.front(),
                Ms.back(), Rounds, Layers ? ", every layer changed" : "");
    return 0;
}

int Language() {
    TBraskvalla B;
    if (!Started(B)) {
        return 2;
    }
    B.Main().show();
    QTest::qWaitForWindowExposed(&B.Main());
    TFormLanguage& L = *B.Main().LanguageDialog();
    if (L.Languages().empty()) {
        std::fprintf(stderr, "no languages installed\n");
        return 3;
    }
    std::vector<double> Ms;
    for (int R = 0; R < 10; ++R) {
        for (const TLanguage& Lang : L.Languages()) {
            const auto T0 = std::chrono::steady_clock::now();
            L.SetLanguage(Lang);
            QApplication::processEvents(); // the window repainted in the language
            Ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - T0).count());
        }
    }
    std::sort(Ms.begin(), Ms.end());
    std::printf("language_ms median %.1f min %.1f max %.1f (%zu applies)\n", Ms[Ms.size() / 2], Ms.front(),
                Ms.back(), Ms.size());
    return 0;
}

} // namespace

int main(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    const std::string Mode = Argc > 1 ? Argv[1] : "";
    if (Mode == "startup") {
        return Startup(App);
    }
    if (Mode == "language") {
        return Language();
    }
    if (Mode == "calculate" && Argc > 3) {
        return Calculate(Argv[2], std::atoi(Argv[3]), Argc > 4 && std::string(Argv[4]) == "layers");
    }
    if (Mode == "report" && Argc > 3) {
        // The report of building Argv[2] written to the PDF file Argv[3].
        TBraskvalla B;
        if (!Started(B)) {
            return 2;
        }
        B.BuildingData().OpenBuilding(Argv[2]);
        B.BuildingData().CalculateBuilding();
        std::vector<double> Ms;
        for (int R = 0; R < 5; ++R) {
            const auto T0 = std::chrono::steady_clock::now();
            TBuildingReport Report(B.BuildingData(), B.Main().ReportParameters);
            Report.SetRowParameters(TBuildingReport::DefaultChoices(B.BuildingData()));
            Report.WritePdf(QStringLiteral(BV_DIST_DIR "/buildingreport.html"), QString::fromLocal8Bit(Argv[3]),
                            QDateTime::currentDateTime());
            Ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - T0).count());
        }
        std::sort(Ms.begin(), Ms.end());
        std::printf("report_pdf_ms median %.1f min %.1f max %.1f (5 rounds)\n", Ms[2], Ms.front(), Ms.back());
        return 0;
    }
    if (Mode == "make-exchange-file" && Argc > 3) {
        // Argv[2] copies of the example row house, under names of their own,
        // written to the exchange file Argv[3].
        TBraskvalla B;
        if (!Started(B)) {
            return 2;
        }
        auto& M = B.BuildingData();
        M.OpenBuilding("Exempel Radhus Göteborg 1960-tal");
        const int N = std::atoi(Argv[2]);
        std::vector<std::string> IDs;
        for (int I = 1; I <= N; ++I) {
            const std::string ID = "Radhus " + std::to_string(I);
            M.OpenBuilding("Exempel Radhus Göteborg 1960-tal");
            M.SaveBuildingAs(ID);
            IDs.push_back(ID);
        }
        B.Dialogs().ExportData->RefreshAll();
        ExportBuildings(*B.Dialogs().ExportData, IDs, Argv[3]);
        return 0;
    }
    if (Mode == "import" && Argc > 2) {
        // The import of the file Argv[2] through the import and progress windows.
        TBraskvalla B;
        if (!Started(B)) {
            return 2;
        }
        B.Main().show();
        QTest::qWaitForWindowExposed(&B.Main());
        TMessageBox::SetNextFile(QString::fromLocal8Bit(Argv[2]));
        const auto T0 = std::chrono::steady_clock::now();
        B.Main().ImportBuildingsClick();
        const double Ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - T0).count();
        std::printf("import_window_ms %.0f (%d messages)\n", Ms, static_cast<int>(TMessageBox::Shown().size()));
        if (qEnvironmentVariableIsSet("BV_BENCH_PHASES")) {
            const auto T1 = std::chrono::steady_clock::now();
            B.BuildingData().RefreshAllData();
            std::printf("refresh_all_data_ms %.0f\n",
                        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - T1).count());
        }
        return 0;
    }
    if (Mode == "add-large-building" && Argc > 2) {
        // Adds the large building to the database file Argv[2].
        auto Db = TDatabase::Open(Argv[2]);
        FillBuilding(*Db);
        return 0;
    }
    std::fprintf(stderr, "usage: bench_gui startup | calculate BUILDING ROUNDS [layers] | add-large-building FILE\n");
    return 1;
}
