#include "ui/UnitMain.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "ui/EnergyPanel.h"
#include "ui/Icons.h"
#include "ui/MessageBox.h"
#include "report/ReportChart.h"
#include "report/ReportTexts.h"
#include "report/UnitReport.h"
#include "ui/UnitAbout.h"
#include "ui/UnitDoorEdit.h"
#include "ui/UnitDoorSelect.h"
#include "ui/UnitFileHandler.h"
#include "ui/UnitOuterWallEdit.h"
#include "ui/UnitOuterWallSelect.h"
#include "ui/UnitWindowEdit.h"
#include "ui/UnitWindowSelect.h"
#include "ui/WarningPanel.h"
#include "ui/exchange/UnitExport.h"
#include "i18n/UnitTranslate.h"
#include "ui/materials/UnitMaterialManager.h"
#include "ui/exchange/UnitImport.h"
#include "ui/exchange/UnitImportNotifier.h"
#include "exchange/UnitExportData.h"
#include "ui/UnitMainLayout.h"
#include "ui/help/HelpContexts.h"
#include "ui/bind/DBControls.h"
#include "ui/bind/DataSources.h"

#include <QAction>
#include <QDateTime>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QValueAxis>

#include <cmath>

using namespace bvui;

namespace {

// The toolbar's commands: the button's name, the menu item's name (when the
// menu has it), the menu caption, the icon, the hint, the shortcut.
struct TCommand {
    const char* Button;
    const char* MenuItem;
    const char* Caption;
    const char* IconName;
    const char* Hint;
    QKeySequence Keys;
};

QScrollArea* Scrolling(QWidget* Page) {
    // At the smallest window size a tab scrolls instead of clipping its inputs.
    auto* S = new QScrollArea;
    S->setObjectName(Page->objectName() + QStringLiteral("Scroll"));
    S->setWidget(Page);
    S->setWidgetResizable(true);
    S->setFrameShape(QFrame::NoFrame);
    return S;
}

} // namespace

TFormMain::TFormMain(QWidget* Parent) : QMainWindow(Parent) {
    InitGuiResources();
    setObjectName(QStringLiteral("FormMain"));
    setProperty(bvhelp::kContextProperty, bvhelp::Main);
    setWindowTitle(QStringLiteral("Braskvalla"));
    setWindowIcon(Icon("braskvalla"));
    setMinimumSize(786, 560);
    Messages = {
        QStringLiteral("Byggnaden har ändrats. Vill du spara ändringarna?"),
        QStringLiteral("Vill du ta bort byggnaden? Den och alla dess komponenter försvinner ur databasen."),
        QStringLiteral("Standardbyggnaden är mallen för nya byggnader och kan inte tas bort."),
        QStringLiteral("Vill du spara ändringarna i byggnaden"),
        QStringLiteral("Byggnaden måste beräknas innan den kan skrivas ut."),
    };
    for (int K = 0; K < kGroundTypeCount; ++K) {
        GroundTypes.push_back(K);
    }
    GroundTypeCaptions = bvreport::GroundTypeItems();
    ReportParameters.SetLabelParameters();
    ReportLayoutPath = TBuildingReport::DefaultLayoutPath();
    CreateActions();
    CreateToolBar();
    CreateMenu();
    if (const QScreen* S = QGuiApplication::primaryScreen()) {
        const QRect A = S->availableGeometry();
        resize(std::min(1180, A.width()), std::min(820, A.height()));
        move(A.center() - rect().center());
    }
}

TFormMain::~TFormMain() {
    if (FData != nullptr) {
        FData->DetachObserver(this);
        FData->SetCalcErrorReport(nullptr);
    }
}

QAction* TFormMain::Action(const char* Name) const { return findChild<QAction*>(QString::fromLatin1(Name)); }

void TFormMain::CreateActions() {
    const TCommand Commands[] = {
        {"IBEAntialiasButtonNew", "NewCalc", "Ny", "new", "Ny byggnad|Skapar en ny byggnad från mallen",
         QKeySequence::New},
        {"IBEAntialiasButtonOpen", "OpenCalc", "Öppna", "open", "Öppna byggnad|Öppnar en sparad byggnad",
         QKeySequence::Open},
        {"IBEAntialiasButtonSave", "SaveCalc", "Spara", "save", "Spara byggnad|Sparar byggnadens ändringar",
         QKeySequence::Save},
        {"IBEAntialiasButtonDelete", nullptr, "Ta bort", "delete",
         "Ta bort byggnad|Tar bort byggnaden och alla dess komponenter ur databasen", {}},
        {"IBEAntialiasButtonCalc", nullptr, "Beräkna", "calculate",
         "Beräkna|Beräknar byggnadens energiåtgång för uppvärmning", QKeySequence(Qt::Key_F9)},
        {"IBEAntialiasButtonPrint", nullptr, "Skriv ut", "print",
         "Skriv ut|Skriver ut en rapport över den beräknade byggnaden", QKeySequence::Print},
        {"IBEAntialiasButtonAbout", nullptr, "Om Braskvalla", "about", "Om Braskvalla|Visar version och upphovsman",
         {}},
    };
    for (const TCommand& C : Commands) {
        auto* A = new QAction(Icon(C.IconName), QString::fromUtf8(C.Caption), this);
        A->setObjectName(QString::fromLatin1(C.MenuItem != nullptr ? C.MenuItem : C.Button));
        A->setProperty("button", QString::fromLatin1(C.Button));
        const QString Hint = QString::fromUtf8(C.Hint);
        const int Bar = Hint.indexOf(QLatin1Char('|'));
        QString Tip = Hint.left(Bar);
        if (!C.Keys.isEmpty()) {
            A->setShortcut(C.Keys);
            Tip += QStringLiteral(" (%1)").arg(C.Keys.toString(QKeySequence::NativeText));
        }
        A->setToolTip(Tip);
        A->setStatusTip(Hint.mid(Bar + 1));
    }
    const struct {
        const char* Name;
        const char* Caption;
        QKeySequence Keys;
    } MenuOnly[] = {
        {"SaveCalcAs", "Spara som...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"ExportBuildings", "Export...", {}},
        {"ImportBuildings", "Import...", {}},
        {"Language", "Språk...", {}},
        {"Material1", "Material...", {}},
        {"Exit", "Avsluta", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& M : MenuOnly) {
        auto* A = new QAction(QString::fromUtf8(M.Caption), this);
        A->setObjectName(QString::fromLatin1(M.Name));
        if (!M.Keys.isEmpty()) {
            A->setShortcut(M.Keys);
        }
    }
    Action("Exit")->setMenuRole(QAction::QuitRole);

    connect(Action("NewCalc"), &QAction::triggered, this, &TFormMain::IBEAntialiasButtonNewClick);
    connect(Action("OpenCalc"), &QAction::triggered, this, &TFormMain::IBEAntialiasButtonOpenClick);
    connect(Action("SaveCalc"), &QAction::triggered, this, &TFormMain::IBEAntialiasButtonSaveClick);
    connect(Action("SaveCalcAs"), &QAction::triggered, this, &TFormMain::SaveCalcAsClick);
    connect(Action("IBEAntialiasButtonDelete"), &QAction::triggered, this, &TFormMain::IBEAntialiasButtonDeleteClick);
    connect(Action("IBEAntialiasButtonCalc"), &QAction::triggered, this, &TFormMain::IBEAntialiasButtonCalcClick);
    connect(Action("Exit"), &QAction::triggered, this, &TFormMain::ExitClick);
    // The report, the about window, the exchange dialogs, the language window
    // and the material manager are not part of this window; until they are
    // connected their commands stay disabled.
    connect(Action("IBEAntialiasButtonAbout"), &QAction::triggered, this, &TFormMain::IBEAntialiasButtonAboutClick);
    connect(Action("IBEAntialiasButtonPrint"), &QAction::triggered, this, &TFormMain::IBEAntialiasButtonPrintClick);
    connect(Action("ExportBuildings"), &QAction::triggered, this, &TFormMain::ExportBuildingsClick);
    connect(Action("ImportBuildings"), &QAction::triggered, this, &TFormMain::ImportBuildingsClick);
    connect(Action("Material1"), &QAction::triggered, this, &TFormMain::Material1Click);
    for (const char* Later : {"ExportBuildings", "ImportBuildings", "Language", "Material1"}) {
        Action(Later)->setEnabled(false);
    }
}

void TFormMain::CreateToolBar() {
    auto* Bar = new QToolBar(QStringLiteral("Verktygsfält"), this);
    Bar->setObjectName(QStringLiteral("ToolBarMain"));
    Bar->setMovable(false);
    Bar->setFloatable(false);
    Bar->setIconSize(QSize(24, 24));
    Bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Bar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const char* Name : {"NewCalc", "OpenCalc", "SaveCalc", "IBEAntialiasButtonDelete", "IBEAntialiasButtonCalc",
                             "IBEAntialiasButtonPrint", "IBEAntialiasButtonAbout"}) {
        QAction* A = Action(Name);
        Bar->addAction(A);
        if (QWidget* W = Bar->widgetForAction(A)) {
            W->setObjectName(A->property("button").toString());
        }
        if (QString::fromLatin1(Name) == QLatin1String("SaveCalc") ||
            QString::fromLatin1(Name) == QLatin1String("IBEAntialiasButtonCalc")) {
            Bar->addSeparator();
        }
    }
    Bar->addSeparator();

    // The header: which building is shown and whether its results are current.
    auto* Header = new QWidget(Bar);
    Header->setObjectName(QStringLiteral("PanelHeader"));
    auto* H = new QHBoxLayout(Header);
    H->setContentsMargins(8, 0, 8, 0);
    auto* Caption = MakeLabel(Header, "Label23", QStringLiteral("Byggnad : "));
    FBuildingName = MakeLabel(Header, "DBTextBuildingName", QString());
    QFont Bold = FBuildingName->font();
    Bold.setBold(true);
    Bold.setPointSizeF(Bold.pointSizeF() * 1.15);
    FBuildingName->setFont(Bold);
    FBuildingName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FCalculated = MakeLabel(Header, "LabelCalculated", QStringLiteral("Beräknad"));
    FNotCalculated = MakeLabel(Header, "LabelNotCalculated", QStringLiteral("Ej beräknad"));
    for (QLabel* L : {FCalculated, FNotCalculated}) {
        QFont F = L->font();
        F.setBold(true);
        L->setFont(F);
        L->hide();
    }
    FCalculated->setStyleSheet(QStringLiteral("color: %1").arg(TEnergyPanel::Navy().name()));
    FNotCalculated->setStyleSheet(QStringLiteral("color: %1").arg(TEnergyPanel::Red().name()));
    H->addWidget(Caption);
    H->addWidget(FBuildingName);
    H->addSpacing(12);
    H->addWidget(FCalculated);
    H->addWidget(FNotCalculated);
    Bar->addWidget(Header);

    FHintPanel = MakeLabel(Bar, "FourthHintPanel", QString());
    FHintPanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FHintPanel->setMinimumWidth(0);
    FHintPanel->setMaximumWidth(420);
    FHintPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    FHintPanel->setWordWrap(true);
    FHintPanel->setContentsMargins(0, 0, 8, 0);
    QPalette HP = FHintPanel->palette();
    HP.setColor(QPalette::WindowText, HP.color(QPalette::PlaceholderText));
    FHintPanel->setPalette(HP);
    Bar->addWidget(FHintPanel);
    addToolBar(Qt::TopToolBarArea, Bar);
}

void TFormMain::CreateMenu() {
    auto* Bar = new QMenuBar(this);
    Bar->setObjectName(QStringLiteral("MainMenuMain"));
    QMenu* File = Bar->addMenu(QStringLiteral("&Arkiv"));
    File->setObjectName(QStringLiteral("MenyFile"));
    File->addAction(Action("NewCalc"));
    File->addAction(Action("OpenCalc"));
    File->addAction(Action("SaveCalc"));
    File->addAction(Action("SaveCalcAs"));
    File->addSeparator();
    File->addAction(Action("ExportBuildings"));
    File->addAction(Action("ImportBuildings"));
    File->addSeparator();
    File->addAction(Action("Language"));
    File->addAction(Action("Material1"));
    File->addSeparator();
    File->addAction(Action("Exit"));
    QMenu* Help = Bar->addMenu(QStringLiteral("&Hjälp"));
    Help->setObjectName(QStringLiteral("MenuHelp"));
    auto* Contents = Help->addAction(QStringLiteral("Användarhandbok"));
    Contents->setObjectName(QStringLiteral("HelpContents"));
    // F1 is shown here; the application-wide help key handles it, in every
    // window at the page of that window (InstallHelpKey).
    Contents->setShortcut(QKeySequence::HelpContents);
    Contents->setShortcutContext(Qt::WidgetShortcut);
    // Enabled once the help window exists.
    Contents->setEnabled(false);
    setMenuBar(Bar);
}

TDataSource& TFormMain::Source(const char* Name) const { return FSources->ByName(Name); }

void TFormMain::ConnectData(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSources& Sources) {
    FData = &Data;
    FPreDef = &PreDef;
    FSources = &Sources;
    FData->SetCalcErrorReport(this);

    FPages = new QTabWidget(this);
    FPages->setObjectName(QStringLiteral("PageControlMain"));
    FPages->setDocumentMode(false);
    FPages->addTab(Scrolling(CreateComponentsTab()), QStringLiteral("Komponenter"));
    FPages->addTab(Scrolling(CreateGroundTab()), QStringLiteral("Husgrund"));
    FPages->addTab(Scrolling(CreateGeneralTab()), QStringLiteral("Byggnad"));
    FPages->addTab(Scrolling(CreateResultTab()), QStringLiteral("Resultat"));
    setCentralWidget(FPages);

    TDataSource& B = Source("DataSourceBuildings");
    const auto ShowName = [this] {
        TDataset& D = FData->TableBuildings();
        FBuildingName->setText(D.Active() && !D.IsEmpty() ? QString::fromStdString(D.FieldByName("ID").AsString())
                                                         : QString());
    };
    connect(&B, &TDataSource::DataChanged, this, ShowName);
    connect(&B, &TDataSource::FieldChanged, this, ShowName);
    connect(&Source("DataSourceMonths"), &TDataSource::RowsChanged, this, [this] {
        // Once the current round of changes is over.
        if (!FChartPending) {
            FChartPending = true;
            QTimer::singleShot(0, this, [this] {
                FChartPending = false;
                RefreshChart();
            });
        }
    });
    // The findings follow every written row of the building and its members.
    for (const char* Name :
         {"DataSourceBuildings", "DataSourceOuterWalls", "DataSourceInnerWalls", "DataSourceRoofs",
          "DataSourceInnerRoofs", "DataSourceGroundFloors", "DataSourceGroundSlabs", "DataSourceGroundWalls",
          "DataSourceOuterWallLayers", "DataSourceInnerWallLayers", "DataSourceRoofLayers",
          "DataSourceInnerRoofLayers", "DataSourceGroundFloorLayers", "DataSourceGroundSlabLayers",
          "DataSourceGroundWallLayers", "DataSourceWindows", "DataSourceDoors"}) {
        connect(&Source(Name), &TDataSource::RowsChanged, this, &TFormMain::ScheduleWarnings);
    }
    ShowName();
    RebuildGroundTypeCombo();
}

void TFormMain::RebuildGroundTypeCombo() {
    if (FGroundType == nullptr) {
        return;
    }
    QStringList Items;
    for (const int K : GroundTypes) {
        Items << GroundTypeCaptions.value(K);
    }
    const QSignalBlocker Block(FGroundType);
    FGroundType->clear();
    FGroundType->addItems(Items);
    FGroundType->setCurrentIndex(-1);
    if (FShown) {
        SetGroundType();
    }
}

// ------------------------------------------------------------------ state

void TFormMain::StatusChanged() { RefreshView(); }

void TFormMain::ShowCalcError(const std::string& Text) {
    TMessageBox::Inform(this, QString::fromStdString(Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                        TMessageBox::Critical);
}

int TFormMain::BuildingInt(const char* Column) const {
    TDataset& B = FData->TableBuildings();
    if (!B.Active() || (B.IsEmpty() && B.State() == TDatasetState::Browse)) {
        return 0;
    }
    const TField& F = B.FieldByName(Column);
    return F.IsNull() ? 0 : F.AsInteger();
}

void TFormMain::RefreshView() {
    if (FData == nullptr || FRefreshing > 0) {
        return;
    }
    ++FRefreshing;
    struct TDone {
        int& N;
        ~TDone() { --N; }
    } Done{FRefreshing};
    const bool Calculated = FData->IsCalculated();
    FCalculated->setVisible(Calculated);
    FNotCalculated->setVisible(!Calculated);
    for (TEnergyPanel* P : FEnergyPanels) {
        P->SetCurrent(Calculated);
    }
    FPages->tabBar()->setTabTextColor(3, Calculated ? TEnergyPanel::Navy() : TEnergyPanel::Red());
    Action("IBEAntialiasButtonCalc")->setEnabled(!Calculated);
    Action("SaveCalc")->setEnabled(FData->IsModified());
    RefreshChart();
    ScheduleWarnings();
    SetGroundType();
    {
        const QSignalBlocker B1(FShielding);
        const QSignalBlocker B2(FFacades);
        const int S = BuildingInt("SHIELDING");
        const int F = BuildingInt("FACADES");
        FShielding->setCurrentIndex(S >= 0 && S < FShielding->count() ? S : -1);
        FFacades->setCurrentIndex(F >= 0 && F < FFacades->count() ? F : -1);
    }
    RefreshVentilationPanels();
}

void TFormMain::RefreshVentilationPanels() {
    if (FData == nullptr) {
        return;
    }
    const int VentType = BuildingInt("VENTTYPE");
    if (FVentType->currentIndex() != VentType) {
        for (QWidget* P : {FPanelSimple, FPanelVolumetric, FPanelAdvanced, FPanelAeric}) {
            P->setVisible(false);
            P->setEnabled(false);
        }
        std::vector<QWidget*> Shown;
        if (VentType == 0) {
            Shown = {FPanelSimple};
        } else if (VentType == 1) {
            Shown = {FPanelAeric, FPanelAdvanced};
        } else if (VentType == 2) {
            Shown = {FPanelVolumetric, FPanelAdvanced};
        }
        for (QWidget* P : Shown) {
            P->setEnabled(true);
            P->setVisible(true);
        }
        const QSignalBlocker Block(FVentType);
        FVentType->setCurrentIndex(VentType >= 0 && VentType < FVentType->count() ? VentType : -1);
    }
    const int Unit = BuildingInt("VENTUNIT");
    if (Unit >= 0 && Unit < FFlowPanels->count()) {
        FFlowPanels->setCurrentIndex(Unit);
    }
    {
        const QSignalBlocker Block(FVentUnit);
        FVentUnit->setCurrentIndex(Unit >= 0 && Unit < FVentUnit->count() ? Unit : -1);
    }
    const bool OwnFlows = BuildingInt("AIRCHANGEIDNO") < 0;
    for (TDBEdit* E : FFlowEdits) {
        E->setEnabled(OwnFlows);
    }
    FVentUnit->setEnabled(OwnFlows);
    FN50Leakage->setEnabled(BuildingInt("N50IDNO") < 0);
    FP50Leakage->setEnabled(BuildingInt("P50IDNO") < 0);
    const int GainUnit = BuildingInt("INTGAINUNIT");
    FGainPanels->setCurrentIndex(GainUnit == 0 ? 0 : 1);
    {
        const QSignalBlocker Block(FIntGainUnit);
        FIntGainUnit->setCurrentIndex(GainUnit >= 0 && GainUnit < FIntGainUnit->count() ? GainUnit : -1);
    }
    const bool OwnGains = BuildingInt("INTGAINSDEF") <= 0;
    FIntGainUnit->setEnabled(OwnGains);
    for (TDBEdit* E : FGainEdits) {
        E->setEnabled(OwnGains);
    }
}

void TFormMain::RefreshChart() {
    if (FData == nullptr || FSeries == nullptr) {
        return;
    }
    // The months' rows are written one by one: redraw only what changed.
    const bvreport::TMonthlyValues Values = bvreport::MonthlyHeatUsage(FData->TableMonths());
    if (FChartValues && *FChartValues == Values) {
        return;
    }
    FChartValues = Values;
    bvreport::FillMonthlyChart(FSeries, FAxisX, FAxisY, Values);
}

void TFormMain::ScheduleWarnings() {
    if (FWarningsPending || FWarnings == nullptr) {
        return;
    }
    FWarningsPending = true;
    QTimer::singleShot(0, this, [this] {
        FWarningsPending = false;
        RefreshWarnings();
    });
}

void TFormMain::RefreshWarnings() {
    if (FData == nullptr || FWarnings == nullptr) {
        return;
    }
    std::vector<TPlausibilityWarning> Warnings;
    try {
        Warnings = CheckPlausibility(*FData);
    } catch (const std::exception& E) {
        // A check that cannot read the rows says so in its own panel; the
        // operation that meets the same fault reports it.
        TPlausibilityWarning W;
        W.Member = "Rimlighetskontroll";
        W.Text = std::string("Kontrollen kunde inte göras: ") + E.what();
        Warnings = {W};
    }
    FWarnings->SetWarnings(Warnings);
    // The result tab shows from any tab that there is something to look at.
    FPages->setTabIcon(3, Warnings.empty() ? QIcon() : Icon("warning"));
}

void TFormMain::SetGroundType() {
    if (FData == nullptr) {
        return;
    }
    TDataset& G = FData->TableGrounds();
    if (!G.Active() || (G.IsEmpty() && G.State() == TDatasetState::Browse)) {
        return;
    }
    const std::string Type = G.FieldByName("TYPE").AsString();
    int Kind = -1;
    for (int K = 0; K < kGroundTypeCount; ++K) {
        if (Type == GroundTypeKey(K)) {
            Kind = K;
            break;
        }
    }
    if (Kind < 0) {
        return;
    }
    FGroundPages->setCurrentIndex(Kind);
    const auto SetList = [&G](QComboBox* Box, const char* Column) {
        const TField& F = G.FieldByName(Column);
        const int V = F.IsNull() ? -1 : F.AsInteger();
        const QSignalBlocker Block(Box);
        Box->setCurrentIndex(V >= 0 && V < Box->count() ? V : -1);
    };
    if (Kind >= FinlandVertical1) {
        SetList(FWallThickness[static_cast<size_t>(Kind - FinlandVertical1)], "SPECIALVAR1");
    }
    if (Kind == FinlandVertical1) {
        SetList(FInsuThickness, "SPECIALVAR2");
    }
    // A kind that the list does not offer shows no selection.
    int Pos = -1;
    for (size_t I = 0; I < GroundTypes.size(); ++I) {
        if (GroundTypes[I] == Kind) {
            Pos = static_cast<int>(I);
            break;
        }
    }
    const QSignalBlocker Block(FGroundType);
    FGroundType->setCurrentIndex(Pos);
}

// ------------------------------------------------------------------ lists without a field

void TFormMain::SetBuildingColumn(const char* Column, int Value, bool Post) {
    TDataset& B = FData->TableBuildings();
    const bool Started = B.State() == TDatasetState::Browse;
    try {
        if (Started) {
            B.Edit();
        }
        B.FieldByName(Column).SetInteger(Value);
        if (Post) {
            B.Post();
        }
    } catch (...) {
        if (Started && B.State() != TDatasetState::Browse) {
            B.Cancel();
        }
        throw;
    }
}

void TFormMain::ComboBoxVentTypeChange() {
    const int V = FVentType->currentIndex();
    {
        const QSignalBlocker Block(FVentType);
        FVentType->setCurrentIndex(-1);
    }
    SetBuildingColumn("VENTTYPE", V, true);
    RefreshVentilationPanels();
}

void TFormMain::ComboBoxVentUnitChange() {
    SetBuildingColumn("VENTUNIT", FVentUnit->currentIndex(), true);
    RefreshVentilationPanels();
}

void TFormMain::ComboBoxIntGainUnitChange() {
    SetBuildingColumn("INTGAINUNIT", FIntGainUnit->currentIndex(), true);
    RefreshVentilationPanels();
}

void TFormMain::ComboBoxShieldingChange() {
    const int V = FShielding->currentIndex();
    SetBuildingColumn("SHIELDING", V, true);
    const QSignalBlocker Block(FShielding);
    FShielding->setCurrentIndex(V);
}

void TFormMain::ComboBoxFacadesChange() {
    // The row stays in edit until the next operation that posts it.
    const int V = FFacades->currentIndex();
    SetBuildingColumn("FACADES", V, false);
    const QSignalBlocker Block(FFacades);
    FFacades->setCurrentIndex(V);
}

void TFormMain::ComboBoxGroundTypeChange() {
    const int Pos = FGroundType->currentIndex();
    if (Pos < 0 || Pos >= static_cast<int>(GroundTypes.size())) {
        return;
    }
    const int Kind = GroundTypes[static_cast<size_t>(Pos)];
    FGroundPages->setCurrentIndex(Kind);
    FData->SetGroundTypeData(Kind);
}

void TFormMain::FinnishThicknessChange(QComboBox* Box, const char* Column) {
    const int V = Box->currentIndex();
    TDataset& G = FData->TableGrounds();
    if (!G.Active() || (G.IsEmpty() && G.State() == TDatasetState::Browse)) {
        return;
    }
    const bool Started = G.State() == TDatasetState::Browse;
    try {
        if (Started) {
            G.Edit();
        }
        G.FieldByName(Column).SetInteger(V);
        G.Post();
    } catch (...) {
        if (Started && G.State() != TDatasetState::Browse) {
            G.Cancel();
        }
        throw;
    }
    const QSignalBlocker Block(Box);
    Box->setCurrentIndex(V);
}

void TFormMain::ApplyClimate() { FData->ApplyClimateProfile(); }

void TFormMain::ApplySoil() { FData->ApplySoil(); }

// ------------------------------------------------------------------ components

void TFormMain::SetDialogs(const TMainDialogs& Dialogs) {
    FDialogs = Dialogs;
    // The editors and archives exist now: their buttons work.
    for (QToolButton* B : findChildren<QToolButton*>()) {
        const QString N = B->objectName();
        if (N.startsWith(QLatin1String("IBEAntialiasButtonSelect")) ||
            N.startsWith(QLatin1String("IBEAntialiasButtonEdit"))) {
            B->setEnabled(true);
        }
    }
    Action("IBEAntialiasButtonAbout")->setEnabled(FDialogs.About != nullptr);
    Action("ExportBuildings")->setEnabled(FDialogs.Export != nullptr);
    Action("Material1")->setEnabled(FDialogs.MaterialManager != nullptr);
    Action("ImportBuildings")->setEnabled(FDialogs.Import != nullptr && FDialogs.ImportProgress != nullptr &&
                                          FDialogs.ExportData != nullptr);
}

void TFormMain::SetLanguageDialog(TFormLanguage* Dialog) {
    FLanguage = Dialog;
    QAction* A = Action("Language");
    A->disconnect(this);
    A->setEnabled(FLanguage != nullptr);
    if (FLanguage != nullptr) {
        connect(A, &QAction::triggered, this, [this] {
            FLanguage->show();
            FLanguage->raise();
            FLanguage->activateWindow();
        });
    }
}

void TFormMain::SetSideFlags(int Kind) {
    if (FDialogs.LayeredEdit != nullptr) {
        FDialogs.LayeredEdit->InsideHeated = true;
        FDialogs.LayeredEdit->OutsideHeated = Kind == ckInnerWall || Kind == ckInnerRoof;
    }
}

void TFormMain::ShowLayeredEditor(int Kind) {
    if (FDialogs.LayeredEdit == nullptr) {
        return;
    }
    SetSideFlags(Kind);
    FDialogs.LayeredEdit->SetComponentMode(Kind);
    TMessageBox::RunDialog(*FDialogs.LayeredEdit);
}

void TFormMain::NewComponent(int Kind) {
    CommitFocusedInput();
    if (Kind == kWindowKind) {
        FData->NewWindow();
        if (FDialogs.WindowEdit != nullptr) {
            TMessageBox::RunDialog(*FDialogs.WindowEdit);
        }
    } else if (Kind == kDoorKind) {
        FData->NewDoor();
        if (FDialogs.DoorEdit != nullptr) {
            TMessageBox::RunDialog(*FDialogs.DoorEdit);
        }
    } else {
        FData->NewLayeredComponent(Kind);
        ShowLayeredEditor(Kind);
    }
}

void TFormMain::DeleteComponent(int Kind) {
    CommitFocusedInput();
    if (Kind == kWindowKind) {
        if (!FData->TableWindows().IsEmpty()) {
            FData->DeleteWindow();
        }
    } else if (Kind == kDoorKind) {
        if (!FData->TableDoors().IsEmpty()) {
            FData->DeleteDoor();
        }
    } else if (!FData->ComponentView(Kind).IsEmpty()) {
        FData->DeleteLayeredComponent(Kind);
    }
}

void TFormMain::EditComponent(int Kind) {
    CommitFocusedInput();
    if (Kind == kWindowKind) {
        if (!FData->TableWindows().IsEmpty() && FDialogs.WindowEdit != nullptr) {
            TMessageBox::RunDialog(*FDialogs.WindowEdit);
        }
    } else if (Kind == kDoorKind) {
        if (!FData->TableDoors().IsEmpty() && FDialogs.DoorEdit != nullptr) {
            TMessageBox::RunDialog(*FDialogs.DoorEdit);
        }
    } else if (!FData->ComponentView(Kind).IsEmpty()) {
        ShowLayeredEditor(Kind);
    }
}

void TFormMain::SelectComponent(int Kind) {
    CommitFocusedInput();
    if (Kind == kWindowKind) {
        if (FDialogs.WindowSelect != nullptr) {
            TMessageBox::RunDialog(*FDialogs.WindowSelect);
        }
    } else if (Kind == kDoorKind) {
        if (FDialogs.DoorSelect != nullptr) {
            TMessageBox::RunDialog(*FDialogs.DoorSelect);
        }
    } else if (FDialogs.LayeredSelect != nullptr) {
        SetSideFlags(Kind);
        FDialogs.LayeredSelect->SetComponentMode(Kind);
        TMessageBox::RunDialog(*FDialogs.LayeredSelect);
    }
}

void TFormMain::IBEAntialiasButtonPrintClick() {
    CommitFocusedInput();
    if (!FData->IsCalculated()) {
        TMessageBox::Inform(this, Messages.value(4), TMessageBox::Information);
        return;
    }
    TBuildingReport Report(*FData, ReportParameters);
    TReportChoices Choices;
    Choices.VentType = FVentType->currentText();
    Choices.Shielding = FShielding->currentText();
    Choices.Facades = FFacades->currentText();
    Choices.GroundType = FGroundType->currentText();
    Choices.GroundPage = FGroundPages->currentIndex();
    Report.SetRowParameters(Choices);
    const QDateTime Now = QDateTime::currentDateTime();
    // A layout that cannot be used is reported (with its path) before the
    // preview opens.
    std::unique_ptr<QTextDocument> Doc = Report.Build(ReportLayoutPath, Now);
    QPrinter Printer(QPrinter::HighResolution);
    Printer.setPageSize(QPageSize(QPageSize::A4));
    Printer.setPageMargins(QMarginsF(18, 14, 15, 12), QPageLayout::Millimeter);
    Printer.setDocName(QString::fromStdString(FData->TableBuildings().FieldByName("ID").AsString()));
    QPrintPreviewDialog Preview(&Printer, this);
    Preview.setObjectName(QStringLiteral("PrintPreview"));
    Preview.setProperty(bvhelp::kContextProperty, bvhelp::PrintPreview);
    Preview.setWindowTitle(ReportParameters.Get(QStringLiteral("TitleStr")));
    Preview.resize(900, 1000);
    connect(&Preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* P) {
        try {
            Report.Paint(*Doc, *P, Now);
        } catch (const std::exception& E) {
            TMessageBox::Inform(this, QString::fromUtf8(E.what()), TMessageBox::Critical);
        }
    });
    if (!TMessageBox::TestMode()) {
        Preview.exec();
    }
}

void TFormMain::ExportBuildingsClick() {
    CommitFocusedInput();
    FData->PostAll();
    if (FDialogs.Export != nullptr) {
        TMessageBox::RunDialog(*FDialogs.Export);
    }
}

void TFormMain::ImportBuildingsClick() {
    CommitFocusedInput();
    if (FDialogs.Import == nullptr || FDialogs.ImportProgress == nullptr || FDialogs.ExportData == nullptr) {
        return;
    }
    FData->PostAll();
    FDialogs.ExportData->RefreshAll();
    RunBuildingImport(this, *FDialogs.ExportData, *FDialogs.Import, *FDialogs.ImportProgress);
    FData->RefreshAllData();
}

void TFormMain::Material1Click() {
    CommitFocusedInput();
    if (FDialogs.MaterialManager == nullptr) {
        return;
    }
    FData->PostAll();
    TMessageBox::RunDialog(*FDialogs.MaterialManager);
    FData->RefreshAllData();
}

void TFormMain::IBEAntialiasButtonAboutClick() {
    if (FDialogs.About != nullptr) {
        TMessageBox::RunDialog(*FDialogs.About);
    }
}

// ------------------------------------------------------------------ commands

void TFormMain::CommitFocusedInput() { ::CommitFocusedInput(); }

void TFormMain::IBEAntialiasButtonNewClick() {
    CommitFocusedInput();
    if (FData->IsModified()) {
        const QString Name = QString::fromStdString(FData->TableBuildings().FieldByName("ID").AsString());
        if (TMessageBox::Ask(this, Messages.value(3) + QStringLiteral(" \"") + Name + QStringLiteral("\"?")) ==
            TMessageBox::Yes) {
            FData->SaveBuilding();
        } else {
            FData->RevertBuilding();
        }
    }
    FData->NewBuilding();
}

void TFormMain::IBEAntialiasButtonOpenClick() {
    CommitFocusedInput();
    if (FFileHandler != nullptr) {
        FFileHandler->Prepare(TFormFileHandler::Open);
        TMessageBox::RunDialog(*FFileHandler);
    }
}

void TFormMain::IBEAntialiasButtonSaveClick() {
    CommitFocusedInput();
    if (FData->IsNewBuilding()) {
        SaveCalcAsClick();
    } else {
        FData->SaveBuilding();
    }
}

void TFormMain::SaveCalcAsClick() {
    CommitFocusedInput();
    if (FFileHandler != nullptr) {
        FFileHandler->Prepare(TFormFileHandler::SaveAs);
        TMessageBox::RunDialog(*FFileHandler);
    }
}

void TFormMain::IBEAntialiasButtonDeleteClick() {
    CommitFocusedInput();
    const std::string Name = FData->TableBuildings().FieldByName("ID").AsString();
    if (SameText(Name, FData->TemplateBuildingName())) {
        TMessageBox::Inform(this, Messages.value(2));
        return;
    }
    if (TMessageBox::Ask(this, Messages.value(1), TMessageBox::Warning) == TMessageBox::Yes) {
        FData->DeleteBuilding();
        FData->OpenBuilding(FData->TemplateBuildingName());
    }
}

void TFormMain::IBEAntialiasButtonCalcClick() {
    CommitFocusedInput();
    FData->CalculateBuilding();
    RefreshChart();
}

void TFormMain::ExitClick() { close(); }

// ------------------------------------------------------------------ events

void TFormMain::showEvent(QShowEvent* Event) {
    QMainWindow::showEvent(Event);
    if (FShown || FData == nullptr) {
        return;
    }
    FShown = true;
    FData->OpenBuilding(FData->TemplateBuildingName());
    RefreshView();
    FData->AttachObserver(this);
    FObserving = true;
}

void TFormMain::closeEvent(QCloseEvent* Event) {
    if (FData != nullptr && !FClosing) {
        FClosing = true;
        try {
            CommitFocusedInput();
            FData->RefreshAllData();
            if (FData->IsModified()) {
                if (TMessageBox::Ask(this, Messages.value(0)) == TMessageBox::Yes) {
                    FData->SaveBuilding();
                } else {
                    FData->RevertBuilding();
                }
            }
        } catch (const std::exception& E) {
            // Closing always goes on; the rows keep every edit already made.
            TMessageBox::Inform(this, QString::fromUtf8(E.what()), TMessageBox::Critical);
        }
        FClosing = false;
    }
    Event->accept();
}

bool TFormMain::event(QEvent* Event) {
    if (Event->type() == QEvent::StatusTip && FHintPanel != nullptr) {
        FHintPanel->setText(static_cast<QStatusTipEvent*>(Event)->tip());
        return true;
    }
    return QMainWindow::event(Event);
}
