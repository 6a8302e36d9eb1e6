// The main window: the current building of the building data module on four
// tabs (components, foundation, building data, result), the commands of the
// application, and the state display that follows every change of the
// building.
#pragma once

#include "data/UnitBuildingData.h"
#include "data/UnitObserver.h"
#include "report/ReportChart.h"
#include "report/ReportParameters.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QChart;
class QComboBox;
class QLabel;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class QWidget;
class QBarSeries;
class QBarCategoryAxis;
class QValueAxis;
class TDBGrid;
class TDBEdit;
class TDBText;
class TDataModuleBuildingData;
class TDataModulePreDefData;
class TDataSource;
class TDataSources;
class TEnergyPanel;
class TWarningPanel;
class TFormFileHandler;
class TFormOuterWallEdit;
class TFormOuterWallSelect;
class TFormWindowEdit;
class TFormWindowSelect;
class TFormDoorEdit;
class TFormDoorSelect;
class TFormAbout;
class TFormMaterialManager;
class TFormExport;
class TFormImport;
class TFormImportNotifier;
class TFormLanguage;
class TDataModuleExportBuilding;

// The dialogs the main window opens; all are created at start.
struct TMainDialogs {
    TFormOuterWallEdit* LayeredEdit = nullptr;
    TFormOuterWallSelect* LayeredSelect = nullptr;
    TFormWindowEdit* WindowEdit = nullptr;
    TFormWindowSelect* WindowSelect = nullptr;
    TFormDoorEdit* DoorEdit = nullptr;
    TFormDoorSelect* DoorSelect = nullptr;
    TFormAbout* About = nullptr;
    TFormExport* Export = nullptr;
    TFormImport* Import = nullptr;
    TFormImportNotifier* ImportProgress = nullptr;
    TDataModuleExportBuilding* ExportData = nullptr;
    TFormMaterialManager* MaterialManager = nullptr;
};

class TFormMain : public QMainWindow, public IStatusObserver, public ICalcErrorReport {
    Q_OBJECT
public:
    // FormCreate: the window, its menu, toolbar and header. The pages bound
    // to the building's data are built by ConnectData, once the data
    // modules exist.
    explicit TFormMain(QWidget* Parent = nullptr);
    ~TFormMain() override;

    // Builds the four tabs on the data modules' views; both modules are
    // borrowed and outlive the window.
    void ConnectData(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSources& Sources);
    void SetFileHandler(TFormFileHandler* Handler) { FFileHandler = Handler; }
    void SetDialogs(const TMainDialogs& Dialogs);
    // The language window hands itself over once it is created; the
    // Language command shows it.
    void SetLanguageDialog(TFormLanguage* Dialog);
    TFormLanguage* LanguageDialog() const { return FLanguage; }

    // The message texts 0..4 (save on close, delete, default not deletable,
    // save-before-new prefix, print needs a calculation).
    QStringList Messages;
    // The report's text parameters (label texts and rows).
    TReportParameters ReportParameters;
    // The layout the Print command fills (the data folder's by default).
    QString ReportLayoutPath;
    // The foundation kinds offered by ComboBoxGroundType, in its order.
    std::vector<int> GroundTypes;
    // Rebuilds ComboBoxGroundType after GroundTypes changed: the item of
    // each offered kind keeps its text.
    void RebuildGroundTypeCombo();
    // The names of the twelve foundation kinds, in GROUNDTYPE order.
    QStringList GroundTypeCaptions;

    // IStatusObserver.
    void StatusChanged() override;
    // ICalcErrorReport: a calculation failure in one error box.
    void ShowCalcError(const std::string& Text) override;
    // Writes a pending input of the focused field into its row, so that a
    // command sees what the user typed.
    static void CommitFocusedInput();

    void RefreshView();
    void RefreshVentilationPanels();
    void SetGroundType();
    void RefreshChart();
    // Checks the current building's stored rows again and shows the
    // findings on the result page.
    void RefreshWarnings();

    // Commands.
    void IBEAntialiasButtonNewClick();
    void IBEAntialiasButtonOpenClick();
    void IBEAntialiasButtonSaveClick();
    void SaveCalcAsClick();
    void IBEAntialiasButtonDeleteClick();
    void IBEAntialiasButtonCalcClick();
    void ExitClick();
    void IBEAntialiasButtonAboutClick();
    void IBEAntialiasButtonPrintClick();
    void ExportBuildingsClick();
    void ImportBuildingsClick();
    void Material1Click();

    // Handlers of the lists that are not bound to a field.
    void ComboBoxVentTypeChange();
    void ComboBoxVentUnitChange();
    void ComboBoxIntGainUnitChange();
    void ComboBoxShieldingChange();
    void ComboBoxFacadesChange();
    void ComboBoxGroundTypeChange();
    void FinnishThicknessChange(QComboBox* Box, const char* Column);

    // Component buttons of construction kind 0..6.
    void NewComponent(int Kind);
    void DeleteComponent(int Kind);
    void EditComponent(int Kind);
    void SelectComponent(int Kind);

    QAction* Action(const char* Name) const;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    bool event(QEvent* Event) override;

private:
    void CreateActions();
    void CreateToolBar();
    void CreateMenu();
    QWidget* CreateComponentsTab();
    QWidget* CreateGroundTab();
    QWidget* CreateGeneralTab();
    QWidget* CreateResultTab();
    QWidget* CreateGroundPage(int Kind);
    QWidget* CreateComponentList(QWidget* Parent, const char* Label, const QString& Caption, int Kind,
                                 const char* Grid, const char* Suffix, int Columns);

    TDataSource& Source(const char* Name) const;
    void SetBuildingColumn(const char* Column, int Value, bool Post);
    int BuildingInt(const char* Column) const;
    void ApplyClimate();
    void ApplySoil();

    TDataModuleBuildingData* FData = nullptr;
    TDataModulePreDefData* FPreDef = nullptr;
    TDataSources* FSources = nullptr;
    TFormFileHandler* FFileHandler = nullptr;
    TMainDialogs FDialogs;
    TFormLanguage* FLanguage = nullptr;
    void SetSideFlags(int Kind);
    void ShowLayeredEditor(int Kind);
    bool FShown = false;
    bool FObserving = false;
    bool FClosing = false;
    int FRefreshing = 0;

    QTabWidget* FPages = nullptr;
    QLabel* FHintPanel = nullptr;
    QLabel* FBuildingName = nullptr;
    QLabel* FCalculated = nullptr;
    QLabel* FNotCalculated = nullptr;
    std::array<TEnergyPanel*, 3> FEnergyPanels{};

    QComboBox* FVentType = nullptr;
    QComboBox* FVentUnit = nullptr;
    QComboBox* FIntGainUnit = nullptr;
    QComboBox* FShielding = nullptr;
    QComboBox* FFacades = nullptr;
    QComboBox* FGroundType = nullptr;
    QStackedWidget* FGroundPages = nullptr;
    QStackedWidget* FFlowPanels = nullptr;
    QStackedWidget* FGainPanels = nullptr;
    std::array<QComboBox*, 4> FWallThickness{}; // pages 8..11
    QComboBox* FInsuThickness = nullptr;        // page 8
    TDBEdit* FN50Leakage = nullptr;
    TDBEdit* FP50Leakage = nullptr;
    std::vector<TDBEdit*> FFlowEdits; // supply, extract per unit
    std::vector<TDBEdit*> FGainEdits; // four per area, four in W
    QWidget* FPanelSimple = nullptr;
    QWidget* FPanelVolumetric = nullptr;
    QWidget* FPanelAdvanced = nullptr;
    QWidget* FPanelAeric = nullptr;
    QChart* FChart = nullptr;
    QBarSeries* FSeries = nullptr;
    QBarCategoryAxis* FAxisX = nullptr;
    QValueAxis* FAxisY = nullptr;
    std::optional<bvreport::TMonthlyValues> FChartValues;
    bool FChartPending = false;
    TWarningPanel* FWarnings = nullptr;
    bool FWarningsPending = false;
    // RefreshWarnings once the current round of changes is over, when the
    // edit that set it off has been written.
    void ScheduleWarnings();
};
