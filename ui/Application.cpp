#include "ui/Application.h"

#include "data/UnitBVDBConnect.h"
#include "data/UnitBVDir.h"
#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "ui/DatabaseStart.h"
#include "ui/Icons.h"
#include "ui/MessageBox.h"
#include "ui/UnitAbout.h"
#include "ui/UnitDoorEdit.h"
#include "ui/UnitDoorSelect.h"
#include "ui/UnitFileHandler.h"
#include "ui/UnitOuterWallEdit.h"
#include "ui/UnitOuterWallSelect.h"
#include "ui/UnitSplash.h"
#include "ui/UnitWindowEdit.h"
#include "ui/UnitWindowSelect.h"
#include "ui/help/HelpContexts.h"
#include "ui/help/UnitHelp.h"
#include "ui/exchange/UnitExport.h"
#include "ui/materials/UnitMaterialManager.h"
#include "ui/exchange/UnitImport.h"
#include "ui/exchange/UnitImportNotifier.h"
#include "exchange/UnitExportData.h"
#include "ui/UnitMain.h"
#include "ui/UnitNational.h"
#include "i18n/UnitTranslate.h"
#include "ui/bind/DataSources.h"

#include <QAction>
#include <QMenu>

#include <filesystem>

TBVApplication::TBVApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {
    setApplicationName(QStringLiteral("Braskvalla"));
    setApplicationDisplayName(QStringLiteral("Braskvalla"));
    setOrganizationName(QStringLiteral("Kallbacka Teknik"));
    setApplicationVersion(QStringLiteral(BV_VERSION));
    setWindowIcon(Icon("braskvalla"));
    // The installed menu entry (braskvalla.desktop), by which a Wayland
    // desktop finds the window's icon and name.
    setDesktopFileName(QStringLiteral("braskvalla"));
}

void TBVApplication::ShowException(const std::exception_ptr& Error) {
    QString Text;
    try {
        std::rethrow_exception(Error);
    } catch (const std::exception& E) {
        Text = QString::fromUtf8(E.what());
    } catch (...) {
        Text = QStringLiteral("Ett okänt fel inträffade.");
    }
    TMessageBox::Inform(nullptr, Text, TMessageBox::Critical);
}

bool TBVApplication::notify(QObject* Receiver, QEvent* Event) {
    try {
        return QApplication::notify(Receiver, Event);
    } catch (...) {
        ShowException(std::current_exception());
        return true;
    }
}

TBraskvalla::TBraskvalla() = default;

TBraskvalla::~TBraskvalla() {
    // The windows go first: they are observers of the data modules and hold
    // their data sources.
    FHelp.reset();
    FMain.reset();
    FExportData.reset();
    FSources.reset();
    FData.reset();
    FPreDef.reset();
    FConnect.reset();
}

bool TBraskvalla::Start(QString& Error) {
    // The first start, the check of the database and the start backup, all
    // before the database is opened for writing.
    if (!PrepareDatabaseAtStart(FClock ? FClock() : std::chrono::system_clock::now(), Error)) {
        return false;
    }
    const QString Folder = QString::fromStdString(GetDataFolder());
    const QString Advice = QStringLiteral(
        "\n\nDatamapp: %1\n\nSkapa datamappen med databasen och de levererade filerna med kommandot\n"
        "    braskvalla-cli install-data\n"
        "och starta Braskvalla igen.")
                               .arg(Folder);
    FMain = std::make_unique<TFormMain>();
    std::error_code Ec;
    if (!std::filesystem::is_directory(GetDataFolder(), Ec)) {
        Error = QStringLiteral("Braskvalla kan inte starta: datamappen finns inte.") + Advice;
        return false;
    }
    std::unique_ptr<TFormSplash> Splash;
    try {
        FConnect = std::make_unique<TDataModuleBVDBConnect>();
        FPreDef = std::make_unique<TDataModulePreDefData>(FConnect->ZConnectionBVDB());
        // The material manager with its export and import windows, on a
        // connection of its own to the same file.
        FDialogs.MaterialManager = new TFormMaterialManager(FConnect->DatabasePath(), FMain.get());
        Splash = std::make_unique<TFormSplash>();
        Splash->ShowNow();
        FData = std::make_unique<TDataModuleBuildingData>(FConnect->ZConnectionBVDB(), *FPreDef);
    } catch (const std::exception& E) {
        Error = QStringLiteral("Braskvalla kan inte starta: databasen kan inte användas.\n\n%1")
                    .arg(QString::fromUtf8(E.what())) +
                Advice;
        return false;
    }
    if (!FConnect->MigrationError().empty()) {
        TMessageBox::Inform(nullptr, QStringLiteral("Uppdateringsskriptet RunAndRemove.sql kunde inte köras och "
                                                    "ligger kvar till nästa start:\n%1")
                                         .arg(QString::fromStdString(FConnect->MigrationError())));
    }
    if (!FConnect->MigrationNotice().empty()) {
        TMessageBox::Inform(nullptr, QStringLiteral("Uppdateringsskriptet RunAndRemove.sql har körts men kan varken tas "
                                                    "bort eller byta namn; det körs inte igen. Ta bort det för hand:\n%1")
                                         .arg(QString::fromStdString(FConnect->MigrationNotice())));
    }
    FSources = std::make_unique<TDataSources>(*FData, *FPreDef);
    TFormMain* M = FMain.get();
    // The dialogs in the order of the start-up: doors, the file handler,
    // layered constructions, windows, the about window.
    FDialogs.DoorEdit = new TFormDoorEdit(*FData, *FPreDef, FSources->ByName("DataSourceDoors"), M);
    FDialogs.DoorSelect = new TFormDoorSelect(*FData, *FPreDef, *FSources, M);
    FFileHandler = new TFormFileHandler(*FData, M);
    FDialogs.LayeredEdit = new TFormOuterWallEdit(*FData, *FPreDef, *FSources, M);
    FDialogs.LayeredSelect = new TFormOuterWallSelect(*FData, *FPreDef, *FSources, M);
    FDialogs.WindowEdit = new TFormWindowEdit(*FData, *FPreDef, FSources->ByName("DataSourceWindows"), M);
    FDialogs.WindowSelect = new TFormWindowSelect(*FData, *FPreDef, *FSources, M);
    FDialogs.About = new TFormAbout(M);
    // The export data module, the export and import windows.
    FExportData = std::make_unique<TDataModuleExportBuilding>(FConnect->ZConnectionBVDB());
    FDialogs.ExportData = FExportData.get();
    FDialogs.Export = new TFormExport(*FExportData, M);
    FDialogs.Import = new TFormImport(M);
    FDialogs.ImportProgress = new TFormImportNotifier(M);
    const TMainDialogs D = FDialogs;
    D.LayeredSelect->SetOpenEditor([D] {
        D.LayeredEdit->SetComponentMode(D.LayeredSelect->ComponentMode());
        TMessageBox::RunDialog(*D.LayeredEdit);
    });
    D.WindowSelect->SetOpenEditor([D] { TMessageBox::RunDialog(*D.WindowEdit); });
    D.DoorSelect->SetOpenEditor([D] { TMessageBox::RunDialog(*D.DoorEdit); });
    FMain->SetFileHandler(FFileHandler);
    FMain->ConnectData(*FData, *FPreDef, *FSources);
    FMain->SetDialogs(FDialogs);
    TNationalSetter().Apply(*FData, *FMain);
    // The language window, after every window whose texts it sets: it
    // applies the remembered language.
    auto* Language = new TFormLanguage(Folder, M);
    TTranslationTargets Targets;
    Targets.Main = M;
    Targets.Selects = {D.LayeredSelect, D.WindowSelect, D.DoorSelect};
    Targets.WindowEdit = D.WindowEdit;
    Targets.DoorEdit = D.DoorEdit;
    Targets.LayeredEdit = D.LayeredEdit;
    Targets.FileHandler = FFileHandler;
    Targets.Export = D.Export;
    Targets.Import = D.Import;
    Targets.About = D.About;
    Targets.Data = FData.get();
    Language->SetTargets(Targets);
    Language->Start();
    FMain->SetLanguageDialog(Language);
    // The default building is opened when the window is first shown; it
    // must exist.
    TDataset& B = FData->TableBuildings();
    const TBookmark Here = B.GetBookmark();
    const bool HasDefault = B.Locate({"ID"}, {FData->TemplateBuildingName()});
    B.GotoBookmark(Here);
    if (!HasDefault) {
        Error = QStringLiteral("Braskvalla kan inte starta: databasen %1 saknar standardbyggnaden \"%2\", "
                               "som varje ny byggnad utgår från.")
                    .arg(QString::fromStdString(FConnect->DatabasePath()),
                         QString::fromStdString(FData->TemplateBuildingName())) +
                Advice;
        return false;
    }
    // A building that cannot be opened: back to the default building.
    FFileHandler->SetOnFatal([this] { FData->OpenBuilding(FData->TemplateBuildingName()); });
    // The user guide: F1 in every window, and the main window's Help menu.
    FHelp = std::make_unique<TFormHelp>();
    InstallHelpKey(FHelp.get());
    QAction* Contents = FMain->Action("HelpContents");
    QObject::connect(Contents, &QAction::triggered, FHelp.get(), [H = FHelp.get()] { H->ShowContext(bvhelp::Contents); });
    Contents->setEnabled(true);
    // The guide and the Help menu (which language files do not reach)
    // follow the interface language.
    const auto HelpLanguage = [H = FHelp.get(), M](const TLanguage& L) {
        const QString Code = L.Code().isEmpty() ? QStringLiteral("sv") : L.Code();
        H->SetLanguageCode(Code);
        const bool Swedish = Code == QLatin1String("sv");
        const bool Finnish = Code == QLatin1String("fi");
        M->findChild<QMenu*>(QStringLiteral("MenuHelp"))
            ->setTitle(Swedish ? QStringLiteral("&Hjälp") : Finnish ? QStringLiteral("&Ohje") : QStringLiteral("&Help"));
        M->Action("HelpContents")
            ->setText(Swedish   ? QStringLiteral("Användarhandbok")
                      : Finnish ? QStringLiteral("Käyttöopas")
                                : QStringLiteral("User guide"));
    };
    HelpLanguage(Language->Current());
    Language->OnLanguageChanged = HelpLanguage;
    return true;
}

int RunBraskvalla(int Argc, char** Argv) {
    TBVApplication App(Argc, Argv);
    // Qt's own texts (Yes/No, file dialogs) in Swedish, the built-in
    // language; a chosen language changes them.
    bvi18n::SetQtLanguage(QStringLiteral("sv"));
    TBraskvalla Braskvalla;
    QString Error;
    bool Started = false;
    try {
        Started = Braskvalla.Start(Error);
    } catch (const std::exception& E) {
        Error = QStringLiteral("Braskvalla kan inte starta:\n%1").arg(QString::fromUtf8(E.what()));
    }
    if (!Started) {
        // No text: the user chose to quit at a question of the start.
        if (!Error.isEmpty()) {
            TMessageBox::Inform(nullptr, Error, TMessageBox::Critical);
        }
        return 2;
    }
    Braskvalla.Main().show();
    return App.exec();
}
