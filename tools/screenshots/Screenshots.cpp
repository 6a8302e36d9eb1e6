// Writes PNGs of every tab of the main window, of every foundation page and
// of every dialog, at the minimum size and at 1280 x 900, for looking at them.
//
//   bv_screenshots OUTDIR [BUILDING]
//
// Runs on the data folder of BRASKVALLA_DATA_DIR (or the user's); opens
// BUILDING (default: the default building), calculates it and grabs the
// window. Messages are answered with their default answer and printed.
#include "data/UnitBuildingData.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"
#include "report/UnitReport.h"
#include "ui/UnitAbout.h"
#include "ui/UnitDoorEdit.h"
#include "ui/UnitDoorSelect.h"
#include "ui/UnitFileHandler.h"
#include "ui/UnitMain.h"
#include "i18n/UnitTranslate.h"
#include "ui/UnitOuterWallEdit.h"
#include "ui/UnitOuterWallSelect.h"
#include "ui/UnitSplash.h"
#include "ui/UnitWindowEdit.h"
#include "ui/UnitWindowSelect.h"
#include "ui/exchange/UnitExport.h"
#include "ui/exchange/UnitImport.h"
#include "ui/exchange/UnitImportNotifier.h"
#include "ui/materials/UnitExportMaterial.h"
#include "ui/materials/UnitMaterialManager.h"
#include "ui/help/HelpContexts.h"
#include "ui/help/UnitHelp.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>

#include <cstdio>

namespace {
void Settle() {
    for (int I = 0; I < 5; ++I) {
        QApplication::processEvents();
    }
}
} // namespace

int main(int Argc, char** Argv) {
    if (Argc < 2) {
        std::fprintf(stderr, "usage: bv_screenshots OUTDIR [BUILDING]\n");
        return 1;
    }
    TBVApplication App(Argc, Argv);
    TMessageBox::SetTestMode(true);
    const QString Out = QString::fromLocal8Bit(Argv[1]);
    QDir().mkpath(Out);
    TBraskvalla B;
    QString Error;
    if (!B.Start(Error)) {
        std::fprintf(stderr, "%s\n", Error.toLocal8Bit().constData());
        return 2;
    }
    TFormMain& Main = B.Main();
    Main.show();
    Settle();
    if (Argc > 2) {
        B.BuildingData().OpenBuilding(Argv[2]);
    }
    B.BuildingData().CalculateBuilding();
    Settle();
    auto* Tabs = Main.findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
    auto* Grounds = Main.findChild<QStackedWidget*>(QStringLiteral("PageControlGrounds"));
    const QSize Sizes[] = {Main.minimumSize(), QSize(1280, 900)};
    int Written = 0;
    for (const QSize& S : Sizes) {
        Main.resize(S);
        Settle();
        const QString Tag = QStringLiteral("%1x%2").arg(S.width()).arg(S.height());
        for (int T = 0; T < Tabs->count(); ++T) {
            Tabs->setCurrentIndex(T);
            Settle();
            Main.grab().save(QStringLiteral("%1/main-%2-%3.png").arg(Out).arg(T).arg(Tag));
            ++Written;
        }
        Tabs->setCurrentIndex(1);
        const int Current = Grounds->currentIndex();
        for (int K = 0; K < Grounds->count(); ++K) {
            Grounds->setCurrentIndex(K);
            Settle();
            Main.grab().save(QStringLiteral("%1/ground-%2-%3.png").arg(Out).arg(K, 2, 10, QLatin1Char('0')).arg(Tag));
            ++Written;
        }
        Grounds->setCurrentIndex(Current);
    }
    // The dialogs, each shown without a modal loop and grabbed.
    Main.resize(1280, 900);
    Tabs->setCurrentIndex(0);
    const TMainDialogs& D = B.Dialogs();
    const auto Grab = [&](QWidget* W, const QString& Name) {
        W->show();
        Settle();
        W->grab().save(QStringLiteral("%1/dialog-%2.png").arg(Out, Name));
        W->hide();
        Settle();
        ++Written;
    };
    D.LayeredEdit->SetComponentMode(ckOuterWall);
    Grab(D.LayeredEdit, QStringLiteral("layered-edit"));
    D.LayeredEdit->SetComponentMode(ckInnerWall);
    D.LayeredEdit->OutsideHeated = true;
    Grab(D.LayeredEdit, QStringLiteral("layered-edit-innerwall"));
    D.LayeredSelect->SetComponentMode(ckOuterWall);
    Grab(D.LayeredSelect, QStringLiteral("layered-select"));
    Grab(D.WindowEdit, QStringLiteral("window-edit"));
    Grab(D.WindowSelect, QStringLiteral("window-select"));
    Grab(D.DoorEdit, QStringLiteral("door-edit"));
    Grab(D.DoorSelect, QStringLiteral("door-select"));
    B.FileHandler().Prepare(TFormFileHandler::Open);
    Grab(&B.FileHandler(), QStringLiteral("file-open"));
    B.FileHandler().Prepare(TFormFileHandler::SaveAs);
    Grab(&B.FileHandler(), QStringLiteral("file-saveas"));
    Grab(D.About, QStringLiteral("about-program"));
    D.About->findChild<QTabWidget*>()->setCurrentIndex(1);
    Grab(D.About, QStringLiteral("about-developer"));
    TFormSplash Splash;
    Grab(&Splash, QStringLiteral("splash"));
    Grab(Main.LanguageDialog(), QStringLiteral("language"));
    Main.ExportBuildingsClick();
    QListWidget* Available = D.Export->findChild<QListWidget*>(QStringLiteral("StringGridUnSelected"));
    Available->setCurrentRow(1);
    D.Export->IBEAntialiasButtonAddClick();
    Grab(D.Export, QStringLiteral("export"));
    D.Import->findChild<QLabel*>(QStringLiteral("LabelBuilding"))->setText(QStringLiteral("Exempel Villa Stockholm 2000-tal"));
    Grab(D.Import, QStringLiteral("import-question"));
    D.ImportProgress->Start(10);
    D.ImportProgress->SetPosition(5);
    D.ImportProgress->SetTexts("Importerar byggnad 5 av 10", "Importerar Exempel Skola Luleå 1970-tal");
    Grab(D.ImportProgress, QStringLiteral("import-progress"));
    Main.Material1Click();
    Grab(D.MaterialManager, QStringLiteral("material-manager"));
    D.MaterialManager->ExportClick();
    Grab(&D.MaterialManager->ExportDialog(), QStringLiteral("material-export"));
    D.MaterialManager->ImportQuestion().findChild<QLabel*>(QStringLiteral("LabelMaterial"))->setText(QStringLiteral("Betong, armerad"));
    Grab(&D.MaterialManager->ImportQuestion(), QStringLiteral("material-question"));

    // The help window in both languages, small and large: a foundation page
    // with its drawing, the method page, and the results of a search.
    TFormHelp& Help = B.Help();
    for (const char* Lang : {"sv", "en"}) {
        Help.SetLanguageCode(QString::fromLatin1(Lang));
        for (const QSize& S : {QSize(640, 480), QSize(1280, 900)}) {
            Help.resize(S);
            const QString Tag = QStringLiteral("%1-%2x%3").arg(QLatin1String(Lang)).arg(S.width()).arg(S.height());
            const auto Shot = [&](const QString& Name) {
                Settle();
                Help.grab().save(QStringLiteral("%1/help-%2-%3.png").arg(Out, Name, Tag));
                ++Written;
            };
            Help.ShowContext(bvhelp::FoundationKind + 2);
            Shot(QStringLiteral("ground"));
            Help.ShowPage(QStringLiteral("method.html"));
            Shot(QStringLiteral("method"));
            auto* Find = Help.findChild<QLineEdit*>(QStringLiteral("LineEditSearch"));
            Help.findChild<QTabWidget*>(QStringLiteral("TabWidgetHelpSide"))->setCurrentIndex(1);
            Find->setText(QString::fromLatin1(Lang) == QLatin1String("sv") ? QStringLiteral("kantisolering")
                                                                          : QStringLiteral("edge insulation"));
            emit Find->returnPressed();
            Shot(QStringLiteral("search"));
            Help.findChild<QTabWidget*>(QStringLiteral("TabWidgetHelpSide"))->setCurrentIndex(0);
        }
    }
    // Every page of the guide, for reading it through (BV_SCREENSHOT_HELP_PAGES=1).
    if (qEnvironmentVariableIsSet("BV_SCREENSHOT_HELP_PAGES")) {
        Help.resize(1100, 1400);
        for (const char* Lang : {"sv", "en"}) {
            Help.SetLanguageCode(QString::fromLatin1(Lang));
            for (const QString& Page : QDir(Help.PageFolder()).entryList({QStringLiteral("*.html")}, QDir::Files)) {
                Help.ShowPage(Page);
                Settle();
                Help.grab().save(QStringLiteral("%1/helppage-%2-%3.png").arg(Out, QLatin1String(Lang), Page));
                ++Written;
            }
        }
    }
    Help.hide();
    if (auto* Menu = Main.findChild<QMenu*>(QStringLiteral("MenuHelp"))) {
        Menu->popup(Main.mapToGlobal(QPoint(40, 20)));
        Settle();
        Menu->grab().save(QStringLiteral("%1/menu-help.png").arg(Out));
        Menu->hide();
        ++Written;
    }

    // The report of the building, from the shipped layout.
    {
        TBuildingReport Report(B.BuildingData(), Main.ReportParameters);
        Report.SetRowParameters(TBuildingReport::DefaultChoices(B.BuildingData()));
        const QString Layout = QFile::exists(Main.ReportLayoutPath) ? Main.ReportLayoutPath
                                                                     : QStringLiteral(BV_DIST_DIR "/buildingreport.html");
        Report.WritePdf(Layout, Out + QStringLiteral("/report.pdf"), QDateTime::currentDateTime());
        ++Written;
    }

    if (qEnvironmentVariableIsSet("BV_SCREENSHOT_SIZES")) {
        for (const char* N : {"TabSheetComponents", "TabSheetGround", "TabSheetGeneral", "TabSheetResult",
                              "GroupBoxDiagram", "GroupBoxKeyNumbers", "GroupBoxTable", "GroupBoxYearlyResult"}) {
            if (auto* W = Main.findChild<QWidget*>(QString::fromLatin1(N))) {
                std::fprintf(stderr, "%s minimum %dx%d\n", N, W->minimumSizeHint().width(),
                             W->minimumSizeHint().height());
            }
        }
    }
    for (const QString& M : TMessageBox::Shown()) {
        std::fprintf(stderr, "message: %s\n", M.toLocal8Bit().constData());
    }
    std::printf("%d screenshots in %s\n", Written, Out.toLocal8Bit().constData());
    return 0;
}
