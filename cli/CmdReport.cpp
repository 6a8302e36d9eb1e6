// report ID --pdf FILE [--layout FILE]: the building report written as a PDF
// file without a display (Qt's offscreen platform). The only command of the
// tool that needs Qt; it lives in its own library beside the others.
#include "cli/CliCommand.h"
#include "cli/CliDatabase.h"
#include "cli/CmdReport.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "report/UnitReport.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>

#include <cstdio>
#include <ostream>

namespace cli {
namespace {

// A QApplication for the rendering, offscreen unless a platform is chosen.
void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt's own notes (a missing runtime folder and the like) are not for
    // the tool's users; real failures reach them as exceptions.
    qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Text) {
        if (Type == QtCriticalMsg || Type == QtFatalMsg) {
            fprintf(stderr, "braskvalla-cli: %s\n", qPrintable(Text));
        }
    });
    static int Argc = 1;
    static char Name[] = "braskvalla-cli";
    static char* Argv[] = {Name, nullptr};
    static QApplication App(Argc, Argv);
}

int RunReport(const Options& Opts, const std::vector<std::string>& Args) {
    std::string ID, Pdf, Layout;
    for (size_t I = 0; I < Args.size(); ++I) {
        const std::string& A = Args[I];
        if (A == "--pdf" || A == "--layout") {
            if (I + 1 >= Args.size()) {
                throw EUsage(A + " needs a file");
            }
            (A == "--pdf" ? Pdf : Layout) = Args[++I];
        } else if (A.rfind("--", 0) == 0) {
            throw EUsage("unknown option " + A);
        } else if (ID.empty()) {
            ID = A;
        } else {
            throw EUsage("report takes one building ID");
        }
    }
    if (ID.empty() || Pdf.empty()) {
        throw EUsage("report needs a building ID and --pdf FILE");
    }
    return WithDatabase(Opts, [&](TDataModuleBVDBConnect& C) {
        EnsureApplication();
        TDataModulePreDefData PreDef(C.ZConnectionBVDB());
        TDataModuleBuildingData Data(C.ZConnectionBVDB(), PreDef);
        TDataset& B = Data.TableBuildings();
        if (!B.Locate({"ID"}, {ID})) {
            *Opts.Err << "braskvalla-cli: there is no building " << ID << '\n';
            return static_cast<int>(ExitFile);
        }
        Data.OpenBuilding(B.FieldByName("ID").AsString());
        if (!Data.IsCalculated()) {
            *Opts.Err << "braskvalla-cli: " << ID
                      << " is not calculated; calculate it first (braskvalla-cli calc " << ID << ")\n";
            return static_cast<int>(ExitCalc);
        }
        const QString LayoutPath = Layout.empty() ? TBuildingReport::DefaultLayoutPath() : QString::fromStdString(Layout);
        if (!QFileInfo(LayoutPath).isFile()) {
            *Opts.Err << "braskvalla-cli: the report layout " << LayoutPath.toStdString()
                      << " does not exist; install it with braskvalla-cli install-data or give --layout FILE\n";
            return static_cast<int>(ExitFile);
        }
        TReportParameters Params;
        Params.SetLabelParameters();
        TBuildingReport Report(Data, Params);
        Report.SetRowParameters(TBuildingReport::DefaultChoices(Data));
        try {
            Report.WritePdf(LayoutPath, QString::fromStdString(Pdf), QDateTime::currentDateTime());
        } catch (const EBVException& E) {
            *Opts.Err << "braskvalla-cli: " << E.what() << '\n';
            return static_cast<int>(ExitFile);
        }
        *Opts.Out << "Wrote the report of " << B.FieldByName("ID").AsString() << " to " << Pdf << '\n';
        return static_cast<int>(ExitOk);
    });
}

} // namespace

const Command ReportCommand = {"report", "ID --pdf FILE [--layout FILE]   the building report as PDF", RunReport};

} // namespace cli
