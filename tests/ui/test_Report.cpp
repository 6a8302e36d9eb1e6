// The building report: the rows the print command sets for each kind of
// building, the rendered text of a shipped example against a golden file,
// what a layout gets for names it does not know, and the failures the user
// is told about.
#include "GuiTestSupport.h"

#include "cli/CmdReport.h"
#include "report/UnitReport.h"
#include "ui/bind/DBControls.h"

#include <QFile>
#include <QTextDocument>
#include <QToolButton>

#include <fstream>
#include <sstream>

using namespace bvtest;

namespace {

const QString kLayout = QStringLiteral(BV_DIST_DIR "/buildingreport.html");
const QDateTime kWhen(QDate(2026, 3, 14), QTime(9, 30));

// The data module on a database of the shipped archives, with SQL applied
// to the template building, which it opens.
struct TReportDb {
    TTempDataFolder Folder;
    std::unique_ptr<TDatabase> Db;
    std::unique_ptr<TDataModuleBuildingData> Data;
    TReportParameters Params;
    explicit TReportDb(const std::string& Sql = {}, bool Examples = false) {
        if (Examples) {
            CreateDatabase(Folder.Database());
        } else {
            CreateDatabase(Folder.Database(), ArchiveScripts());
        }
        Db = TDatabase::Open(Folder.Database());
        if (!Sql.empty()) {
            Db->ExecScript(Sql);
        }
        Data = std::make_unique<TDataModuleBuildingData>(*Db);
        Data->OpenBuilding("Default");
        Params.SetLabelParameters();
    }
    void Rows() {
        TBuildingReport R(*Data, Params);
        R.SetRowParameters(TBuildingReport::DefaultChoices(*Data));
    }
    QString P(const QString& Name) const { return Params.Get(Name); }
};

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void VentilationRowsFollowTheTypeAndUnit() {
        TReportDb R("UPDATE Buildings SET VENTTYPE = 1, VENTUNIT = 0, VSUP = 120.456, VEX = 130, HEATEX = 80,"
                    " P50 = 0.8, SHIELDING = 1, FACADES = 0");
        R.Rows();
        QCOMPARE(R.P("VentilationRow1Value"), QStringLiteral("P50 - Aeric infiltration"));
        QCOMPARE(R.P("VentilationRow2Value"), QStringLiteral("120.46"));
        QCOMPARE(R.P("VentilationRow2Unit"), QStringLiteral("m³/h"));
        QCOMPARE(R.P("VentilationRow4Value"), QStringLiteral("80.0"));
        QCOMPARE(R.P("VentilationRow5Label"), QStringLiteral("P50 - Aeric infiltration"));
        QCOMPARE(R.P("VentilationRow5Value"), QStringLiteral("0.80"));
        QCOMPARE(R.P("VentilationRow6Value"), QStringLiteral("Normalt läge"));
        QCOMPARE(R.P("VentilationRow7Value"), QStringLiteral("Mer än en fasad"));
        // Type 0 next: rows 4 to 7 go, nothing of the last print stays.
        R.Db->Exec("UPDATE Buildings SET VENTTYPE = 0, AIRCHANGESPERH = 0.55, VOLUME = 412.25");
        R.Data->RefreshAllData();
        R.Rows();
        QCOMPARE(R.P("VentilationRow2Label"), QStringLiteral("Luftomsättningar/h"));
        QCOMPARE(R.P("VentilationRow2Value"), QStringLiteral("0.6"));
        QCOMPARE(R.P("VentilationRow2Unit"), QString());
        QCOMPARE(R.P("VentilationRow3Value"), QStringLiteral("412.3"));
        for (int N = 4; N <= 7; ++N) {
            for (const char* Part : {"Label", "Value", "Unit"}) {
                const QString Name = QStringLiteral("VentilationRow%1%2").arg(N).arg(QLatin1String(Part));
                QVERIFY2(!R.Params.Has(Name), qPrintable(Name));
            }
        }
        // Type 2 with the flows in l/s: the N50 leakage in row 5.
        R.Db->Exec("UPDATE Buildings SET VENTTYPE = 2, VENTUNIT = 1, VSUPLSEK = 33.333, VEXLSEK = 36.1, N50 = 1.5");
        R.Data->RefreshAllData();
        R.Rows();
        QCOMPARE(R.P("VentilationRow2Label"), QStringLiteral("Ventilation tillluft"));
        QCOMPARE(R.P("VentilationRow2Value"), QStringLiteral("33.33"));
        QCOMPARE(R.P("VentilationRow3Value"), QStringLiteral("36.10"));
        QCOMPARE(R.P("VentilationRow3Unit"), QStringLiteral("l/sek"));
        QCOMPARE(R.P("VentilationRow5Label"), QStringLiteral("N50 - Volumetric infiltration"));
        QCOMPARE(R.P("VentilationRow5Value"), QStringLiteral("1.50"));
        QCOMPARE(R.P("VentilationRow5Unit"), QStringLiteral("(m³/h)/m³"));
    }

    void GainRowsFollowTheirUnit() {
        TReportDb R("UPDATE Buildings SET INTGAINUNIT = 1, INTPUNDEFW = 12.5, INTPMETABOLICW = 300");
        R.Rows();
        QCOMPARE(R.P("IntgainUnitStr"), QStringLiteral("W"));
        QCOMPARE(R.P("UndefinedGainValue"), QStringLiteral("12.50"));
        QCOMPARE(R.P("MetabolicGainValue"), QStringLiteral("300.00"));
    }

    void FoundationRowsByKind_data() {
        QTest::addColumn<QString>("Type");
        QTest::addColumn<int>("Filled"); // rows 4.. that hold something
        QTest::addColumn<QString>("Row4");
        QTest::newRow("slab") << "Slab" << 3 << "300";
        QTest::newRow("vertical insulation") << "SlabVerticalInsulation" << 6 << "300";
        QTest::newRow("horizontal insulation") << "SlabHorizontalInsulation" << 6 << "300";
        QTest::newRow("suspended floor") << "SuspendedFloor" << 7 << "300";
        QTest::newRow("heated cellar") << "HeatedCellar" << 4 << "300";
        QTest::newRow("alba slab") << "AlbaSlab" << 3 << "600";
        QTest::newRow("finnish vertical 1") << "FinlandVertical1" << 5 << "290";
        QTest::newRow("finnish heated cellar") << "FinlandHeatedCellar1" << 5 << "380";
    }
    void FoundationRowsByKind() {
        QFETCH(QString, Type);
        QFETCH(int, Filled);
        TReportDb R(QStringLiteral("UPDATE Grounds SET TYPE = '%1', AREA = 123.456, UVALUE = 0.1234567, PERIMETER = 44,"
                                   " WALLDEPTH = 300, ISOLENGTH = 600, SPECIALVAR1 = %2, SPECIALVAR2 = 1")
                        .arg(Type)
                        .arg(Type == QLatin1String("FinlandVertical1") ? 3 : 1)
                        .toStdString());
        R.Rows();
        QCOMPARE(R.P("GroundRow1Value"), QStringLiteral("123.5"));
        QCOMPARE(R.P("GroundRow2Value"), QStringLiteral("0.12346"));
        QCOMPARE(R.P("GroundRow3Value"), QStringLiteral("44.00"));
        QTEST(R.P("GroundRow4Value"), "Row4");
        for (int N = 4; N <= 10; ++N) {
            const bool Has = R.Params.Has(QStringLiteral("GroundRow%1Label").arg(N));
            QVERIFY2(Has == (N < 4 + Filled), qPrintable(QStringLiteral("row %1").arg(N)));
        }
        // The last filled row is the soil's conductivity.
        QCOMPARE(R.P(QStringLiteral("GroundRow%1Label").arg(3 + Filled)), QStringLiteral("Markens konduktivitet"));
    }

    void TheRenderedReportMatchesItsGoldenText() {
        TReportDb R({}, true);
        R.Data->OpenBuilding("Exempel Radhus Göteborg 1960-tal");
        TBuildingReport Report(*R.Data, R.Params);
        Report.SetRowParameters(TBuildingReport::DefaultChoices(*R.Data));
        const QString Text = Report.Build(kLayout, kWhen)->toPlainText();
        const QString Golden = QStringLiteral(BV_TEST_DATA_DIR "/report/radhus.txt");
        if (qEnvironmentVariableIsSet("BV_UPDATE_GOLDEN")) {
            QFile Out(Golden);
            QVERIFY(Out.open(QIODevice::WriteOnly));
            Out.write(Text.toUtf8());
        }
        QFile In(Golden);
        QVERIFY2(In.open(QIODevice::ReadOnly), qPrintable(Golden));
        QCOMPARE(Text, QString::fromUtf8(In.readAll()));
    }

    void UnknownNamesRenderEmptyAndEmptyParametersShowNothing() {
        TReportDb R;
        const QString Layout = QString::fromStdString((R.Folder.Root / "layout.html").string());
        QFile F(Layout);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write("<p>[{{NoSuchName}}]{{#NoSuchSection}}x{{/NoSuchSection}}"
                "{{#VentilationRow7Label}}R7{{/VentilationRow7Label}}|{{#BVBuildings}}{{ID}}{{/BVBuildings}}</p>");
        F.close();
        R.Db->Exec("UPDATE Buildings SET VENTTYPE = 0");
        R.Data->RefreshAllData();
        TBuildingReport Report(*R.Data, R.Params);
        Report.SetRowParameters(TBuildingReport::DefaultChoices(*R.Data));
        QCOMPARE(Report.Build(Layout, kWhen)->toPlainText(), QStringLiteral("[]|Default"));
    }

    void ALayoutThatCannotBeUsedIsNamed_data() {
        QTest::addColumn<QByteArray>("Content"); // empty: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("unclosed section") << QByteArray("{{#BVMonths}}");
    }
    void ALayoutThatCannotBeUsedIsNamed() {
        QFETCH(QByteArray, Content);
        TReportDb R;
        const QString Layout = QString::fromStdString((R.Folder.Root / "broken.html").string());
        if (!Content.isEmpty()) {
            QFile F(Layout);
            QVERIFY(F.open(QIODevice::WriteOnly));
            F.write(Content);
        }
        TBuildingReport Report(*R.Data, R.Params);
        try {
            Report.Build(Layout, kWhen);
            QFAIL("the layout was used");
        } catch (const EBVException& E) {
            QVERIFY2(QString::fromUtf8(E.what()).contains(Layout), E.what());
        }
    }

    void APdfIsWrittenWholeOrNotAtAll() {
        TReportDb R({}, true);
        R.Data->OpenBuilding("Exempel Villa Stockholm 2000-tal");
        TBuildingReport Report(*R.Data, R.Params);
        Report.SetRowParameters(TBuildingReport::DefaultChoices(*R.Data));
        const QString Pdf = QString::fromStdString((R.Folder.Root / "villa.pdf").string());
        Report.WritePdf(kLayout, Pdf, kWhen);
        QFile F(Pdf);
        QVERIFY(F.open(QIODevice::ReadOnly));
        QCOMPARE(F.read(5), QByteArray("%PDF-"));
        QVERIFY(F.size() > 20000);
        // A layout that cannot be used leaves no file and no temporary file.
        const QString Other = QString::fromStdString((R.Folder.Root / "other.pdf").string());
        QVERIFY_THROWS_EXCEPTION(EBVException, Report.WritePdf(QStringLiteral("/nonexistent/layout.html"), Other, kWhen));
        QVERIFY(!QFile::exists(Other));
        QCOMPARE(std::distance(fs::directory_iterator(R.Folder.Root), fs::directory_iterator()), 2); // folder, villa.pdf
    }

    void TheCommandLineWritesTheReportAsPdf() {
        TReportDb R({}, true);
        const std::string Pdf = (R.Folder.Root / "villa.pdf").string();
        const std::string Layout = kLayout.toStdString();
        const auto Run = [&](const std::vector<std::string>& Args) {
            std::ostringstream Out, Err;
            std::vector<std::string> All = {"--db", R.Folder.Database(), "report"};
            All.insert(All.end(), Args.begin(), Args.end());
            const int Code = cli::Main(All, Out, Err);
            return std::make_pair(Code, Err.str());
        };
        QCOMPARE(Run({"Exempel Villa Stockholm 2000-tal", "--pdf", Pdf, "--layout", Layout}).first, 0);
        QVERIFY(QFile::exists(QString::fromStdString(Pdf)));
        QCOMPARE(Run({"Default", "--pdf", Pdf, "--layout", Layout}).first, 2); // not calculated
        const auto Missing = Run({"Exempel Villa Stockholm 2000-tal", "--pdf", Pdf, "--layout", "/saknas/mall.html"});
        QCOMPARE(Missing.first, 3);
        QVERIFY(QString::fromStdString(Missing.second).contains(QStringLiteral("/saknas/mall.html")));
        QCOMPARE(Run({"--pdf", Pdf}).first, 1);
    }

    void PrintingAnUncalculatedBuildingSaysSo() {
        TGuiApp A;
        QVERIFY(!A.Data().IsCalculated());
        QTest::mouseClick(A.Find<QToolButton>("IBEAntialiasButtonPrint"), Qt::LeftButton);
        QCOMPARE(TMessageBox::Shown(), QStringList{A.Main().Messages.at(4)});
    }
};

} // namespace

int main(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    cli::RegisterCommand(cli::ReportCommand);
    TestReport T;
    return QTest::qExec(&T, Argc, Argv);
}

#include "test_Report.moc"
