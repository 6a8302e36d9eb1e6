// The four tabs of the main window: the component lists, the foundation
// pages, the building data and the result.
#include "ui/UnitMain.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "report/ReportTexts.h"
#include "ui/DirectionList.h"
#include "ui/EnergyPanel.h"
#include "ui/Icons.h"
#include "ui/UnitMainLayout.h"
#include "ui/WarningPanel.h"
#include "ui/bind/DBControls.h"
#include "ui/bind/DBTableModel.h"
#include "ui/bind/DataSources.h"
#include "ui/help/HelpContexts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QStackedWidget>
#include <QSvgWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QValueAxis>
#include <QVBoxLayout>

using namespace bvui;

namespace {

struct TColumnInfo {
    const char* Title;
    const char* Tip;
};

const TColumnInfo& ColumnInfo(const std::string& Field) {
    static const std::map<std::string, TColumnInfo> Info = {
        {"ID", {"Namn", "Namn"}},
        {"AREA", {"Area", "Area i m²"}},
        {"UVALUE", {"U", "U-värde i W/(m²·K)"}},
        {"INNERCAPACITY", {"κ inne", "Värmekapacitet per m² på insidan i kJ/(m²·K)"}},
        {"OUTERCAPACITY", {"κ ute", "Värmekapacitet per m² på utsidan i kJ/(m²·K)"}},
        {"GVALUE", {"g", "Glasets totala solenergitransmittans, 0 till 1"}},
        {"SHADING", {"Skugg. %", "Andel av solstrålningen som skuggas bort i %"}},
        {"FRAMEFACTOR", {"Karm %", "Karmens andel av fönsterarean i %"}},
        {"DIRECTIONSTR", {"Riktning", "Fönstrets väderstreck"}},
    };
    static const TColumnInfo None{"", ""};
    const auto It = Info.find(Field);
    return It == Info.end() ? None : It->second;
}

const std::vector<std::string> kColumnsOf[] = {
    {"ID", "AREA", "UVALUE", "INNERCAPACITY"},
    {"ID", "AREA", "UVALUE"},
    {"ID", "AREA", "UVALUE", "INNERCAPACITY", "OUTERCAPACITY"},
    {"ID", "AREA", "INNERCAPACITY", "OUTERCAPACITY"},
    {"ID", "AREA", "UVALUE", "GVALUE", "SHADING", "FRAMEFACTOR", "DIRECTIONSTR"},
};
enum TColumnSet { C4 = 0, C3, C5, CInner, CWindows };

// One input of a foundation page.
struct TGroundInput {
    const char* Symbol;
    const char* Suffix; // control names: "Label" + Suffix, "DBEdit" + Suffix
    const char* Caption;
    const char* Field; // nullptr for a thickness list
    const char* Unit;
    const char* Hint;
    int List = 0; // 1: wall-thickness list, 2: insulation-thickness list
};

// One construction list of a foundation page.
struct TGroundList {
    int Kind; // 4 floor, 5 slab, 6 wall
    const char* Label;
    const char* Caption;
    const char* Grid;
    const char* Buttons; // the buttons' name part after New/Select/Delete/Edit
    TColumnSet Columns;
};

struct TGroundPage {
    const char* Sheet;
    const char* Number; // the number in the control names of the page
    std::vector<TGroundInput> Inputs;
    std::vector<TGroundList> Lists;
};

constexpr const char* kPerimeterHint = "Byggnadens omkrets|Byggnadens yttre omkrets vid grunden i m";
constexpr const char* kWallDepthHint = "Grundmurens tjocklek|Grundmurens tjocklek i mm";
constexpr const char* kVentAreaHint = "Ventilationsarea|Total area av alla ventilationsöppningar i cm2";
constexpr const char* kShieldHint = "Skärmfaktor|Skärmfaktor för vinden i %";
constexpr const char* kWindHint = "Vindhastighet|Genomsnittlig vindhastighet i m/s vid 10 m höjd";
constexpr const char* kWallHeightHint = "Grundmurens höjd|Höjden av grunmurens del ovan mark i mm";

const std::vector<TGroundPage>& GroundPages() {
    static const std::vector<TGroundPage> Pages = {
        {"TabSheetSlab", "1",
         {{"", "Perimeter1", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"w", "WallThickness1", "Grundmurens tjocklek", "WALLDEPTH", "mm", kWallDepthHint}},
         {{5, "LabelSlab1", "Markplatta", "DBGridSlab1", "SlabSlab1", C4}}},
        {"TabSheetLowDensityWall", "2",
         {{"", "Perimeter2", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"w", "WallThickness2", "Grundmurens tjocklek", "WALLDEPTH", "mm", kWallDepthHint},
          {"D", "WallDepth2", "Grundmurens djup under mark", "ISOLENGTH", "mm",
           "Grundmurens djup|Husgrundens höjd under markytan i mm"},
          {"", "WallCond2", "Grundmurens konduktivetet", "ISOCOND", "W/(m*K)",
           "Grundmurens konduktivitet|Grundmurens värmekonduktivitet i W/(m*K)"}},
         {{5, "LabelSlabs2", "Markplatta", "DBGridSlab2", "SlabSlab2", C4}}},
        {"TabSheetSlabVerticalInsulation", "3",
         {{"", "Perimeter3", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"w", "WallThickness3", "Grundmurens tjocklek", "WALLDEPTH", "mm", kWallDepthHint},
          {"dn", "InsuThickness3", "Isoleringens tjocklek", "ISOWIDTH", "mm",
           "Isoleringens tjocklek|Isoleringens tjocklek i mm"},
          {"D", "InsuDepth3", "Isoleringens djup under mark", "ISOLENGTH", "mm",
           "Isoleringens djup|Isoleringens höjd under markytan i mm"},
          {"", "WallCond3", "Isoleringens konduktivetet", "ISOCOND", "W/(m*K)",
           "Isoleringens konduktivitet|Isoleringens värmekonduktivitet i W/(m*K)"}},
         {{5, "LabelSlabs3", "Markplatta", "DBGridSlab3", "SlabSlab3", C4}}},
        {"TabSheetSlabHorizontalInsulation", "4",
         {{"", "Perimeter4", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"w", "WallThickness4", "Grundmurens tjocklek", "WALLDEPTH", "mm", kWallDepthHint},
          {"dn", "InsuThickness4", "Isoleringens tjocklek", "ISOWIDTH", "mm",
           "Isoleringens tjocklek|Isoleringens tjocklek i mm"},
          {"D", "InsuDepth4", "Isoleringens längd", "ISOLENGTH", "mm", "Isoleringens längd|Isoleringens längd i mm"},
          {"", "WallCond4", "Isoleringens konduktivetet", "ISOCOND", "W/(m*K)",
           "Isoleringens konduktivitet|Isoleringens värmekonduktivitet i W/(m*K)"}},
         {{5, "LabelSlabs4", "Markplatta", "DBGridSlab4", "SlabSlab4", C4}}},
        {"TabSheetSuspendedFloor", "5",
         {{"", "Perimeter5", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"w", "WallThickness5", "Grundmurens tjocklek", "WALLDEPTH", "mm", kWallDepthHint},
          {"h", "WallHeight5", "Grundmurens höjd ovan mark", "WALLHEIGHT", "mm", kWallHeightHint},
          {"", "VentArea5", "Ventilationsarea", "VENTILATIONAREA", "cm²", kVentAreaHint},
          {"", "WindShield", "Skärmfaktor för vind", "SHIELDING", "%", kShieldHint},
          {"", "WindSpeed5", "Vindhastighet", "WINDSPEED", "m/s", kWindHint}},
         {{4, "LabelFloor5", "Mellangolv", "DBGridFloor5", "Floor5", C4},
          {6, "LabelWall5", "Grundmur", "DBGridWall5", "Wall5", C3},
          {5, "LabelSlabs5", "Markplatta", "DBGridSlab5", "SlabSlab5", C3}}},
        {"TabSheetHeatedCellar", "8",
         {{"", "Perimeter8", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"w", "WallThickness8", "Grundmurens tjocklek", "WALLDEPTH", "mm", kWallDepthHint},
          {"h", "WallDepth8", "Grundmurens djup under mark", "WALLHEIGHT", "mm",
           "Källarens djup|Källarväggens djup under markytan i mm"}},
         {{4, "LabelFloor8", "Mellangolv", "DBGridFloor8", "Floor8", C5},
          {6, "LabelWall8", "Grundmur", "DBGridWall8", "Wall8", C4},
          {5, "LabelSlabSlab8", "Markplatta", "DBGridSlabSlab8", "SlabSlab8", C4}}},
        {"TabSheetAlbaSlab", "6",
         {{"", "Perimeter6", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"D", "WallDepth6", "Kantelementets djup ", "ISOLENGTH", "mm",
           "Kantelementets djup|Kantelementets djup under markytan i mm"}},
         {{5, "LabelSlab6", "Markplatta", "DBGridSlab6", "SlabSlab6", C4}}},
        {"TabSheetAlbaCrawlSpace", "7",
         {{"", "Perimeter7", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"h", "WallHeight7", "Grundmurens höjd ovan mark", "WALLHEIGHT", "mm", kWallHeightHint},
          {"", "VentArea7", "Ventilationsarea", "VENTILATIONAREA", "cm²", kVentAreaHint},
          {"", "WindShield7", "Skärmfaktor för vind", "SHIELDING", "%", kShieldHint},
          {"", "WindSpeed7", "Vindhastighet", "WINDSPEED", "m/s", kWindHint}},
         {{4, "LabelFloor7", "Mellangolv", "DBGridFloor7", "Floor7", C4}}},
        {"TabSheetFinlandVertical1", "9",
         {{"", "Perimeter9", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"", "Wallthickness9", "Grundmurens tjocklek", nullptr, "mm",
           "Grundmurens tjocklek|Val av grundmurens tjocklek i mm", 1},
          {"", "ISOThickness9", "Isoleringens tjocklek", nullptr, "mm",
           "Isoleringens tjocklek|Val av isoleringens tjocklek i mm", 2},
          {"D", "WallDepth9", "Grundmurens djup under mark", "ISOLENGTH", "mm",
           "Grundmurens djup|Grundmurens djup under markytan i mm"}},
         {{5, "LabelSlabSlab9", "Markplatta", "DBGridSlabSlab9", "SlabSlab9", C4}}},
        {"TabSheetFinlandVertical2", "10",
         {{"", "Perimeter10", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"", "Wallthickness10", "Grundmurens tjocklek", nullptr, "mm",
           "Grundmurens tjocklek|Val av grundmurens tjocklek i mm", 1},
          {"D", "WallDepth10", "Grundmurens djup under mark", "ISOLENGTH", "mm",
           "Grundmurens djup|Grundmurens djup under markytan i mm"}},
         {{5, "LabelSlabSlab10", "Markplatta", "DBGridSlabSlab10", "SlabSlab10", C4}}},
        {"TabSheetFinlandSuspended1", "11",
         {{"", "Perimeter11", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"h", "WallHeight11", "Grundmurens höjd ovan mark", "WALLHEIGHT", "mm", kWallHeightHint},
          {"", "Wallthickness11", "Grundmurens tjocklek", nullptr, "mm",
           "Grundmurens tjocklek|Val av grundmurens tjocklek i mm", 1},
          {"", "VentArea11", "Ventilationsarea", "VENTILATIONAREA", "cm²", kVentAreaHint},
          {"", "WindShield11", "Skärmfaktor för vind", "SHIELDING", "%", kShieldHint},
          {"", "WindSpeed11", "Vindhastighet", "WINDSPEED", "m/s", kWindHint}},
         {{4, "LabelFloor11", "Mellangolv", "DBGridFloor11", "Floor11", C4}}},
        {"TabSheetFinlandHeatedCellar1", "12",
         {{"", "Perimeter12", "Byggnadens yttre omkrets", "PERIMETER", "m", kPerimeterHint},
          {"", "Wallthickness12", "Grundmurens tjocklek", nullptr, "mm",
           "Grundmurens tjocklek|Val av grundmurens tjocklek i mm", 1},
          {"h1", "ISODepth12", "Isoblockdjup under mark", "SPECIALVAR2", "mm",
           "Isoblockdjup|Isoleringsblockens djup under markytan i mm"},
          {"h2", "BlockDepth12", "Standardblockdjup under mark", "SPECIALVAR3", "mm",
           "Standardblockdjup|Standardblockens djup under markytan i mm"}},
         {{4, "LabelFloor12", "Mellangolv", "DBGridFloor12", "Floor12", C5},
          {5, "LabelSlabSlab12", "Markplatta", "DBGridSlabSlab12", "SlabSlab12", C4}}},
    };
    return Pages;
}

// The wall-thickness lists of the four Finnish pages and the insulation list.
const QStringList kWallThickness9 = {"150", "200", "240", "290", "340", "380"};
const QStringList kWallThicknessOther = {"290", "380"};
const QStringList kInsuThickness9 = {"50", "100"};

// The labels of the foundation pages' inputs; some carry a different name
// than their edit.
QString LabelName(const TGroundInput& In) {
    const QString S = QString::fromLatin1(In.Suffix);
    if (S.startsWith(QLatin1String("WallThickness"))) {
        return QStringLiteral("LabelWalltickness") + S.mid(13);
    }
    if (S.startsWith(QLatin1String("InsuDepth"))) {
        return QStringLiteral("LabelinsuDepth") + S.mid(9);
    }
    if (S == QLatin1String("BlockDepth12")) {
        return QStringLiteral("LabellBlockDepth12");
    }
    return QStringLiteral("Label") + S;
}

QString EditName(const TGroundInput& In) {
    if (In.List == 1) {
        return QStringLiteral("ComboBox") + QString::fromLatin1(In.Suffix);
    }
    if (In.List == 2) {
        return QStringLiteral("ComboBoxThickness9");
    }
    return QStringLiteral("DBEdit") + QString::fromLatin1(In.Suffix);
}

const char* const kComponentNoun[] = {"yttervägg", "innervägg", "tak", "mellanbjälklag",
                                      "mellangolv", "markplatta", "grundmur"};

} // namespace

// ------------------------------------------------------------------ lists

QWidget* TFormMain::CreateComponentList(QWidget* Parent, const char* Label, const QString& Caption, int Kind,
                                        const char* Grid, const char* Suffix, int Columns) {
    static const char* const SourceOf[] = {"DataSourceOuterWalls",  "DataSourceInnerWalls", "DataSourceRoofs",
                                           "DataSourceInnerRoofs",  "DataSourceGroundFloors",
                                           "DataSourceGroundSlabs", "DataSourceGroundWalls"};
    const bool IsWindow = Kind == kWindowKind;
    const bool IsDoor = Kind == kDoorKind;
    TDataSource& S = Source(IsWindow ? "DataSourceWindows" : IsDoor ? "DataSourceDoors" : SourceOf[Kind]);

    auto* Box = new QWidget(Parent);
    auto* Lay = new QGridLayout(Box);
    Lay->setContentsMargins(0, 0, 0, 0);
    auto* Cap = MakeLabel(Box, Label, Caption);
    QFont F = Cap->font();
    F.setBold(true);
    Cap->setFont(F);
    auto* G = new TDBGrid(S, Box);
    G->setObjectName(QString::fromLatin1(Grid));
    Cap->setBuddy(G);
    std::vector<TDBTableModel::TColumn> Cols;
    const std::vector<std::string>& Fields = kColumnsOf[Columns];
    for (const std::string& Fld : Fields) {
        Cols.push_back({Fld, QString::fromUtf8(ColumnInfo(Fld).Title), std::nullopt, {},
                        QString::fromUtf8(ColumnInfo(Fld).Tip)});
    }
    G->SetColumns(std::move(Cols));
    if (IsWindow) {
        // The direction column shows the window editor's name of the direction.
        G->Model().SetCellText(6, [](const TDataset& D, int Row) -> std::optional<QString> {
            const TField* Dir = const_cast<TDataset&>(D).FindField("DIRECTION");
            if (Dir == nullptr || D.IsEmpty()) {
                return std::nullopt;
            }
            const TValue& V = D.RowValue(Row, Dir->Index());
            if (const auto* I = std::get_if<int64_t>(&V); I != nullptr && *I >= 0 && *I < WindowDirectionItems().size()) {
                return WindowDirectionItems().at(static_cast<int>(*I));
            }
            return std::nullopt;
        });
    }
    G->setMinimumHeight(G->verticalHeader()->defaultSectionSize() * 3 + G->horizontalHeader()->sizeHint().height() + 4);
    connect(G, &TDBGrid::Activated, this, [this, Kind] { EditComponent(Kind); });

    const QString Noun = IsWindow ? QStringLiteral("fönster") : IsDoor ? QStringLiteral("dörr")
                                                                        : QString::fromUtf8(kComponentNoun[Kind]);
    struct TButton {
        const char* Verb;
        const char* Icon;
        QString Hint;
        void (TFormMain::*Handler)(int);
    };
    const TButton Buttons[] = {
        {"New", "component-new", QStringLiteral("Ny|Lägg till en ny %1").arg(Noun), &TFormMain::NewComponent},
        {"Select", "component-select", QStringLiteral("Hämta|Hämta en %1 ur arkivet").arg(Noun),
         &TFormMain::SelectComponent},
        {"Delete", "component-delete", QStringLiteral("Ta bort|Ta bort den markerade raden (%1)").arg(Noun),
         &TFormMain::DeleteComponent},
        {"Edit", "component-edit", QStringLiteral("Redigera|Redigera den markerade raden (%1)").arg(Noun),
         &TFormMain::EditComponent},
    };
    // The list's commands sit in its caption row, right-aligned.
    auto* Col = new QHBoxLayout;
    Col->setSpacing(0);
    Col->addWidget(Cap);
    Col->addStretch(1);
    for (const TButton& B : Buttons) {
        auto* Btn = new QToolButton(Box);
        Btn->setObjectName(QStringLiteral("IBEAntialiasButton%1%2").arg(QLatin1String(B.Verb), QLatin1String(Suffix)));
        Btn->setIcon(Icon(B.Icon));
        Btn->setIconSize(QSize(16, 16));
        Btn->setAutoRaise(true);
        SetHint(Btn, B.Hint);
        const auto Handler = B.Handler;
        connect(Btn, &QToolButton::clicked, this, [this, Handler, Kind] { (this->*Handler)(Kind); });
        Col->addWidget(Btn);
        // Enabled once the editors and archives are there (SetDialogs).
        if (Handler == &TFormMain::SelectComponent || Handler == &TFormMain::EditComponent) {
            Btn->setEnabled(false);
        }
    }
    Lay->setVerticalSpacing(1);
    Lay->addLayout(Col, 0, 0);
    Lay->addWidget(G, 1, 0);
    Lay->setRowStretch(1, 1);
    return Box;
}

QWidget* TFormMain::CreateComponentsTab() {
    auto* Page = new QWidget;
    Page->setObjectName(QStringLiteral("TabSheetComponents"));
    Page->setProperty(bvhelp::kContextProperty, bvhelp::ComponentsTab);
    auto* Outer = new QVBoxLayout(Page);
    Outer->setContentsMargins(6, 6, 6, 6);
    auto* Group = new QGroupBox(QStringLiteral("Ingående byggnadskomponenter"), Page);
    Group->setObjectName(QStringLiteral("GroupBoxComponents"));
    auto* G = new QGridLayout(Group);
    G->addWidget(CreateComponentList(Group, "LabelOuterWall", QStringLiteral("Ytterväggar "), 0, "DBGridOuterWalls",
                                     "OuterWall", C4),
                 0, 0);
    G->addWidget(CreateComponentList(Group, "LabelRoof", QStringLiteral("Tak"), 2, "DBGridRoofs", "Roof", C4),
                 0, 1);
    G->addWidget(CreateComponentList(Group, "LabelDoor", QStringLiteral("Ytterdörrar och dylikt"), kDoorKind,
                                     "DBGridDoors", "Door", C3),
                 1, 0);
    G->addWidget(CreateComponentList(Group, "LabelWindow", QStringLiteral("Fönster"), kWindowKind, "DBGridWindows",
                                     "Window", CWindows),
                 1, 1);
    G->addWidget(CreateComponentList(Group, "LabelInnerWall", QStringLiteral("Innerväggar"), 1, "DBGridInnerWalls",
                                     "InnerWall", CInner),
                 2, 0);
    G->addWidget(CreateComponentList(Group, "LabelInnerRoof", QStringLiteral("Mellanbjälklag"), 3,
                                     "DBGridInnerRoofs", "InnerRoof", CInner),
                 2, 1);
    G->setColumnStretch(0, 1);
    G->setColumnStretch(1, 1);
    Outer->addWidget(Group, 1);
    FEnergyPanels[2] = new TEnergyPanel(Source("DataSourceBuildings"), 3, Page);
    Outer->addWidget(FEnergyPanels[2]);
    return Page;
}

// ------------------------------------------------------------------ foundation

QWidget* TFormMain::CreateGroundPage(int Kind) {
    const TGroundPage& P = GroundPages()[static_cast<size_t>(Kind)];
    TDataSource& Grounds = Source("DataSourceGrounds");
    auto* Page = new QWidget;
    Page->setObjectName(QString::fromLatin1(P.Sheet));
    Page->setProperty(bvhelp::kContextProperty, bvhelp::FoundationKind + Kind);
    auto* V = new QVBoxLayout(Page);
    V->setContentsMargins(0, 0, 0, 0);
    auto* Top = new QHBoxLayout;
    auto* Drawing = new QSvgWidget(QStringLiteral(":/drawings/ImageGround%1.svg").arg(Kind), Page);
    Drawing->setObjectName(QStringLiteral("ImageGround%1").arg(Kind));
    Drawing->setFixedSize(273, 193);
    auto* Frame = new QFrame(Page);
    Frame->setFrameShape(QFrame::StyledPanel);
    Frame->setAutoFillBackground(true);
    QPalette Pal = Frame->palette();
    Pal.setColor(QPalette::Window, Qt::white);
    Frame->setPalette(Pal);
    auto* FL = new QVBoxLayout(Frame);
    FL->setContentsMargins(1, 1, 1, 1);
    FL->addWidget(Drawing);
    Top->addWidget(Frame, 0, Qt::AlignTop);

    auto* Form = new QGridLayout;
    Form->setColumnMinimumWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("h2")) + 6);
    int Row = 0;
    for (const TGroundInput& In : P.Inputs) {
        auto* Sym = new QLabel(QString::fromLatin1(In.Symbol), Page);
        QFont It = Sym->font();
        It.setItalic(true);
        It.setBold(true);
        Sym->setFont(It);
        auto* Cap = MakeLabel(Page, LabelName(In).toLatin1().constData(), QString::fromUtf8(In.Caption));
        QWidget* Field = nullptr;
        if (In.List != 0) {
            auto* Box = new QComboBox(Page);
            Box->setObjectName(EditName(In));
            Box->addItems(In.List == 2 ? kInsuThickness9 : Kind == FinlandVertical1 ? kWallThickness9
                                                                                      : kWallThicknessOther);
            Box->setFixedWidth(NumericWidth(this));
            const char* Column = In.List == 2 ? "SPECIALVAR2" : "SPECIALVAR1";
            connect(Box, qOverload<int>(&QComboBox::activated), this,
                    [this, Box, Column] { FinnishThicknessChange(Box, Column); });
            if (In.List == 2) {
                FInsuThickness = Box;
            } else {
                FWallThickness[static_cast<size_t>(Kind - FinlandVertical1)] = Box;
            }
            Field = Box;
        } else {
            auto* E = MakeEdit(Page, Grounds, In.Field, EditName(In).toLatin1().constData(), Cap);
            Field = E;
        }
        SetHint(Field, QString::fromUtf8(In.Hint));
        Cap->setBuddy(Field);
        Form->addWidget(Sym, Row, 0);
        Form->addWidget(Cap, Row, 1);
        Form->addWidget(Field, Row, 2);
        Form->addWidget(new QLabel(QString::fromUtf8(In.Unit), Page), Row, 3);
        ++Row;
    }
    auto* SoilCap = MakeLabel(Page, QStringLiteral("LabelSoil%1").arg(QLatin1String(P.Number)).toLatin1().constData(),
                              QStringLiteral("Marktyp"));
    auto* Soil = new TDBLookupComboBox(Grounds, "SOILNAME", Source("DataSourceSoils"), "ID", "ID", Page);
    Soil->setObjectName(QStringLiteral("DBLookupComboBoxSoil%1").arg(QLatin1String(P.Number)));
    Soil->Link().SetCaption(QStringLiteral("Marktyp"));
    SetHint(Soil, QStringLiteral("Marktyp|Val av marktyp"));
    SoilCap->setBuddy(Soil);
    connect(Soil, &TDBLookupComboBox::CloseUp, this, &TFormMain::ApplySoil);
    Form->addWidget(SoilCap, Row, 1);
    Form->addWidget(Soil, Row, 2, 1, 2);
    Form->setColumnStretch(4, 1);
    Form->setRowStretch(Row + 1, 1);
    Top->addLayout(Form, 1);
    V->addLayout(Top);

    auto* Lists = new QHBoxLayout;
    for (const TGroundList& L : P.Lists) {
        Lists->addWidget(CreateComponentList(Page, L.Label, QString::fromUtf8(L.Caption), L.Kind, L.Grid, L.Buttons,
                                             L.Columns),
                         1);
    }
    V->addLayout(Lists, 1);
    return Page;
}

QWidget* TFormMain::CreateGroundTab() {
    auto* Page = new QWidget;
    Page->setObjectName(QStringLiteral("TabSheetGround"));
    Page->setProperty(bvhelp::kContextProperty, bvhelp::FoundationTab);
    auto* Outer = new QVBoxLayout(Page);
    Outer->setContentsMargins(6, 6, 6, 6);
    auto* Group = new QGroupBox(QStringLiteral("Husgrund"), Page);
    Group->setObjectName(QStringLiteral("GroupBoxGround"));
    auto* V = new QVBoxLayout(Group);
    FGroundType = new QComboBox(Group);
    FGroundType->setObjectName(QStringLiteral("ComboBoxGroundType"));
    FGroundType->setEditable(false);
    FGroundType->addItems(GroundTypeCaptions);
    FGroundType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    SetHint(FGroundType, QStringLiteral("Val av husgrundstyp|Val av konstruktionstyp för husgrunden"));
    connect(FGroundType, qOverload<int>(&QComboBox::activated), this, &TFormMain::ComboBoxGroundTypeChange);
    auto* TypeRow = new QHBoxLayout;
    TypeRow->addWidget(FGroundType);
    TypeRow->addStretch(1);
    V->addLayout(TypeRow);
    FGroundPages = new QStackedWidget(Group);
    FGroundPages->setObjectName(QStringLiteral("PageControlGrounds"));
    for (int K = 0; K < kGroundTypeCount; ++K) {
        FGroundPages->addWidget(CreateGroundPage(K));
    }
    V->addWidget(FGroundPages, 1);
    Outer->addWidget(Group, 1);
    FEnergyPanels[1] = new TEnergyPanel(Source("DataSourceBuildings"), 2, Page);
    Outer->addWidget(FEnergyPanels[1]);
    return Page;
}

// ------------------------------------------------------------------ building data

QWidget* TFormMain::CreateGeneralTab() {
    TDataSource& B = Source("DataSourceBuildings");
    auto* Page = new QWidget;
    Page->setObjectName(QStringLiteral("TabSheetGeneral"));
    Page->setProperty(bvhelp::kContextProperty, bvhelp::BuildingTab);
    auto* Outer = new QVBoxLayout(Page);
    Outer->setContentsMargins(6, 6, 6, 6);
    auto* Group = new QGroupBox(QStringLiteral("Data för byggnaden"), Page);
    Group->setObjectName(QStringLiteral("GroupBoxBasicData"));
    auto* Columns = new QHBoxLayout(Group);
    auto* Left = new QVBoxLayout;
    Left->setSpacing(4);
    std::vector<QGridLayout*> Grids;

    const auto NewPanel = [&](const char* Name) {
        auto* W = new QWidget(Group);
        W->setObjectName(QString::fromLatin1(Name));
        auto* G = new QGridLayout(W);
        G->setContentsMargins(0, 0, 0, 0);
        G->setVerticalSpacing(4);
        // Extra width goes to the last column: lists reach the right edge,
        // labels and fields keep their places.
        G->setColumnStretch(3, 1);
        Grids.push_back(G);
        Left->addWidget(W);
        return std::make_pair(W, G);
    };
    const auto Unit = [](QWidget* Parent, const QString& Text) { return new QLabel(Text, Parent); };
    const auto Edit = [&](QWidget* Parent, const char* Field, const char* Name, QLabel* Cap, const QString& Hint) {
        TDBEdit* E = MakeEdit(Parent, B, Field, Name, Cap);
        SetHint(E, Hint);
        return E;
    };

    // Climate and ventilation type.
    {
        auto [W, G] = NewPanel("PanelClimate");
        auto* Cap = MakeLabel(W, "Label19", QStringLiteral("Klimatprofil"));
        auto* Climate = new TDBLookupComboBox(B, "WEATHERID", Source("DataSourceClimateProfiles"), "ID", "ID", W);
        Climate->setObjectName(QStringLiteral("DBLookupComboBox2"));
        Climate->Link().SetCaption(QStringLiteral("Klimatprofil"));
        SetHint(Climate, QStringLiteral("Klimatprofil|Orten vars månadsklimat beräkningen använder"));
        Cap->setBuddy(Climate);
        connect(Climate, &TDBLookupComboBox::CloseUp, this, &TFormMain::ApplyClimate);
        G->addWidget(Cap, 0, 0);
        G->addWidget(Climate, 0, 1, 1, 3);
        auto* VCap = MakeLabel(W, "Label27", QStringLiteral("Ventilation"));
        FVentType = new QComboBox(W);
        FVentType->setObjectName(QStringLiteral("ComboBoxVentType"));
        FVentType->addItems(bvreport::VentTypeItems());
        FVentType->setCurrentIndex(-1);
        SetHint(FVentType, QStringLiteral("Ventilationstyp|Hur ventilation och luftläckage beräknas"));
        VCap->setBuddy(FVentType);
        connect(FVentType, qOverload<int>(&QComboBox::activated), this, &TFormMain::ComboBoxVentTypeChange);
        G->addWidget(VCap, 1, 0);
        G->addWidget(FVentType, 1, 1, 1, 3);
    }
    // Simple ventilation.
    {
        auto [W, G] = NewPanel("PanelSimpleVentilation");
        FPanelSimple = W;
        G->addWidget(MakeHeading(W, "LabelSimpleVent", QStringLiteral("Ventilation")), 0, 0, 1, 4);
        auto* C1 = MakeLabel(W, "Label32", QStringLiteral("Volym"));
        G->addWidget(C1, 1, 0);
        G->addWidget(Edit(W, "VOLUME", "DBEdit6", C1, QStringLiteral("Volym|Byggnadens uppvärmda volym i m³")), 1, 1);
        G->addWidget(Unit(W, QStringLiteral("m3")), 1, 2);
        auto* C2 = MakeLabel(W, "Label34", QStringLiteral("Luftomsättning"));
        G->addWidget(C2, 2, 0);
        G->addWidget(Edit(W, "AIRCHANGESPERH", "DBEditAirChanges", C2,
                          QStringLiteral("Luftomsättning|Antal luftomsättningar per timme")),
                     2, 1);
        G->addWidget(Unit(W, QStringLiteral("Oms/h")), 2, 2);
    }
    // Leakage by air changes at 50 Pa.
    {
        auto [W, G] = NewPanel("PanelVolumetricInf");
        FPanelVolumetric = W;
        G->addWidget(MakeHeading(W, "Label36", QStringLiteral("Luftläckage")), 0, 0, 1, 4);
        auto* C1 = MakeLabel(W, "Label35", QStringLiteral("Byggnadstäthet"));
        auto* N50 = new TDBLookupComboBox(B, "N50IDNO", Source("DataSourceN50PreDef"), "IDNO", "ID", W);
        N50->setObjectName(QStringLiteral("DBLookupComboBoxAirTightnessN50"));
        N50->Link().SetCaption(C1->text());
        SetHint(N50, QStringLiteral("Byggnadstäthet|Val av byggnadens täthet; läckfaktorn följer valet"));
        C1->setBuddy(N50);
        G->addWidget(C1, 1, 0);
        G->addWidget(N50, 1, 1, 1, 3);
        auto* C2 = MakeLabel(W, "Label37", QStringLiteral("N50, läckfaktor"));
        G->addWidget(C2, 2, 0);
        FN50Leakage = Edit(W, "N50", "DBEditN50Leakage", C2,
                           QStringLiteral("N50|Luftomsättningar per timme vid 50 Pa tryckskillnad"));
        G->addWidget(FN50Leakage, 2, 1);
        G->addWidget(Unit(W, QStringLiteral("(m³/h)/m³")), 2, 2);
        auto* C3 = MakeLabel(W, "Label53", QStringLiteral("Volym"));
        G->addWidget(C3, 3, 0);
        G->addWidget(Edit(W, "VOLUME", "DBEditN50Volume", C3, QStringLiteral("Volym|Byggnadens uppvärmda volym i m³")),
                     3, 1);
        G->addWidget(Unit(W, QStringLiteral("m³")), 3, 2);
    }
    // Ventilation system and exposure to wind.
    {
        auto [W, G] = NewPanel("PanelAdvancedVent");
        FPanelAdvanced = W;
        auto* C1 = MakeLabel(W, "Label125", QStringLiteral("Vindpåverkan"));
        FShielding = new QComboBox(W);
        FShielding->setObjectName(QStringLiteral("ComboBoxShielding"));
        FShielding->addItems(bvreport::ShieldingItems());
        SetHint(FShielding, QStringLiteral("Vindpåverkan|Hur skyddat byggnaden ligger för vind"));
        C1->setBuddy(FShielding);
        connect(FShielding, qOverload<int>(&QComboBox::activated), this, &TFormMain::ComboBoxShieldingChange);
        G->addWidget(C1, 0, 0);
        G->addWidget(FShielding, 0, 1, 1, 3);
        auto* C2 = MakeLabel(W, "Label87", QStringLiteral("Exponerade fasader"));
        FFacades = new QComboBox(W);
        FFacades->setObjectName(QStringLiteral("ComboBoxFacades"));
        FFacades->addItems(bvreport::FacadesItems());
        SetHint(FFacades, QStringLiteral("Exponerade fasader|Hur många av byggnadens fasader som är utsatta för vind"));
        C2->setBuddy(FFacades);
        connect(FFacades, qOverload<int>(&QComboBox::activated), this, &TFormMain::ComboBoxFacadesChange);
        G->addWidget(C2, 1, 0);
        G->addWidget(FFacades, 1, 1, 1, 3);
        G->addWidget(MakeHeading(W, "Label21", QStringLiteral("Ventilation")), 2, 0, 1, 4);
        auto* AirChange =
            new TDBLookupComboBox(B, "AIRCHANGEIDNO", Source("DataSourceAirChangePreDef"), "IDNO", "ID", W);
        AirChange->setObjectName(QStringLiteral("DBLookupComboBoxAirChangePredef"));
        AirChange->Link().SetCaption(QStringLiteral("Ventilation"));
        SetHint(AirChange, QStringLiteral("Ventilation|Val av ventilationsflöde; flödena följer valet"));
        G->addWidget(AirChange, 3, 0, 1, 4);
        auto* Sup = MakeLabel(W, "Label127", QStringLiteral("Tilluft"));
        auto* Ex = MakeLabel(W, "Label126", QStringLiteral("Frånluft"));
        G->addWidget(Sup, 4, 1);
        G->addWidget(Ex, 4, 2);
        auto* C3 = MakeLabel(W, "LabelAirFlow", QStringLiteral("Luftomsättning"));
        G->addWidget(C3, 5, 0);
        FFlowPanels = new QStackedWidget(W);
        struct TFlow {
            const char* Panel;
            const char* Sup;
            const char* SupName;
            const char* Ex;
            const char* ExName;
            const char* Unit;
        };
        const TFlow Flows[] = {
            {"Panelm3vent", "VSUP", "DBEditVSup", "VEX", "DBEditVex", "m³/h"},
            {"Panellsekvent", "VSUPLSEK", "DBEditVsupLSek", "VEXLSEK", "DBEditVexLSek", "l/s"},
            {"PanelLAreaVent", "VSUPLAREA", "DBEditVsupLArea", "VEXLAREA", "DBEditVexLArea", "l/(s·m²)"},
        };
        for (const TFlow& Fl : Flows) {
            auto* P = new QWidget(FFlowPanels);
            P->setObjectName(QString::fromLatin1(Fl.Panel));
            auto* H = new QHBoxLayout(P);
            H->setContentsMargins(0, 0, 0, 0);
            H->setSpacing(G->horizontalSpacing());
            const QString U = QString::fromUtf8(Fl.Unit);
            auto* ES = Edit(P, Fl.Sup, Fl.SupName, Sup, QStringLiteral("Tilluft|Tilluftsflöde i %1").arg(U));
            ES->Link().SetCaption(QStringLiteral("Tilluft"));
            auto* EE = Edit(P, Fl.Ex, Fl.ExName, Ex, QStringLiteral("Frånluft|Frånluftsflöde i %1").arg(U));
            EE->Link().SetCaption(QStringLiteral("Frånluft"));
            H->addWidget(ES);
            H->addWidget(EE);
            FFlowEdits.push_back(ES);
            FFlowEdits.push_back(EE);
            FFlowPanels->addWidget(P);
        }
        Sup->setBuddy(FFlowEdits[0]);
        G->addWidget(FFlowPanels, 5, 1, 1, 2);
        FVentUnit = new QComboBox(W);
        FVentUnit->setObjectName(QStringLiteral("ComboBoxVentUnit"));
        FVentUnit->addItems({QStringLiteral("m³/ h"), QStringLiteral("l/sek"), QStringLiteral("l/(sek*m²)")});
        SetHint(FVentUnit, QStringLiteral("Enhet|Enheten för till- och frånluftsflödet"));
        connect(FVentUnit, qOverload<int>(&QComboBox::activated), this, &TFormMain::ComboBoxVentUnitChange);
        G->addWidget(FVentUnit, 5, 3, Qt::AlignLeft);
        auto* C4l = MakeLabel(W, "Label14", QStringLiteral("Värmeväxlingsgrad"));
        G->addWidget(C4l, 6, 0);
        G->addWidget(Edit(W, "HEATEX", "DBEditHeatEx", C4l,
                          QStringLiteral("Värmeväxlingsgrad|Värmeåtervinningens verkningsgrad i %")),
                     6, 1);
        G->addWidget(Unit(W, QStringLiteral("%")), 6, 2);
    }
    // Leakage per envelope area at 50 Pa.
    {
        auto [W, G] = NewPanel("PanelAericInf");
        FPanelAeric = W;
        G->addWidget(MakeHeading(W, "Label13", QStringLiteral("Luftläckage")), 0, 0, 1, 4);
        auto* C1 = MakeLabel(W, "Label129", QStringLiteral("Byggnadstäthet"));
        auto* P50 = new TDBLookupComboBox(B, "P50IDNO", Source("DataSourceP50PreDef"), "IDNO", "ID", W);
        P50->setObjectName(QStringLiteral("DBLookupComboBoxAirTightnessP50"));
        P50->Link().SetCaption(C1->text());
        SetHint(P50, QStringLiteral("Byggnadstäthet|Val av byggnadens täthet; läckfaktorn följer valet"));
        C1->setBuddy(P50);
        G->addWidget(C1, 1, 0);
        G->addWidget(P50, 1, 1, 1, 3);
        auto* C2 = MakeLabel(W, "Label12", QStringLiteral("P50, läckfaktor"));
        G->addWidget(C2, 2, 0);
        FP50Leakage = Edit(W, "P50", "DBEditP50Leakage", C2,
                           QStringLiteral("P50|Luftläckage vid 50 Pa per m² omslutningsarea"));
        G->addWidget(FP50Leakage, 2, 1);
        G->addWidget(Unit(W, QStringLiteral("l/(s*m²)")), 2, 2);
    }
    for (QWidget* P : {FPanelSimple, FPanelVolumetric, FPanelAdvanced, FPanelAeric}) {
        P->setVisible(false);
        P->setEnabled(false);
    }
    Left->addStretch(1);
    AlignLabelColumns(Grids);
    // The supply and extract flows sit in the field and the second column:
    // both as wide as a field, so the flow pair lines up with both.
    for (QGridLayout* G : Grids) {
        G->setColumnMinimumWidth(1, NumericWidth(this));
        G->setColumnMinimumWidth(2, NumericWidth(this));
    }
    Columns->addLayout(Left, 1);

    // Right column: notes, activity and gains, area, temperature.
    auto* Right = new QVBoxLayout;
    auto* NotesCap = MakeLabel(Group, "Label29", QStringLiteral("Informationstext om byggnaden"));
    auto* Notes = new TDBMemo(B, "INFO", Group);
    Notes->setObjectName(QStringLiteral("DBMemoNotes"));
    Notes->Link().SetCaption(NotesCap->text());
    SetHint(Notes, QStringLiteral("Information|Fri beskrivning av byggnaden"));
    NotesCap->setBuddy(Notes);
    Right->addWidget(NotesCap);
    Right->addWidget(Notes, 1);
    auto* P2 = new QWidget(Group);
    P2->setObjectName(QStringLiteral("Panel2"));
    auto* G2 = new QGridLayout(P2);
    G2->setContentsMargins(0, 0, 0, 0);
    auto* ActCap = MakeLabel(P2, "Label22", QStringLiteral("Verksamhet"));
    auto* Activity = new TDBLookupComboBox(B, "INTGAINSDEF", Source("DataSourceIntGainsPredef"), "IDNO", "ID", P2);
    Activity->setObjectName(QStringLiteral("DBLookupComboBoxIntGainsPreDef"));
    Activity->Link().SetCaption(ActCap->text());
    SetHint(Activity, QStringLiteral("Verksamhet|Val av verksamhet; internvärmen följer valet"));
    ActCap->setBuddy(Activity);
    G2->addWidget(ActCap, 0, 0);
    G2->addWidget(Activity, 0, 1, 1, 3);
    auto* GainHead = MakeHeading(P2, "LabelInternalHeatGain", QStringLiteral("Internal heat gain"));
    G2->addWidget(GainHead, 1, 0, 1, 2);
    FIntGainUnit = new QComboBox(P2);
    FIntGainUnit->setObjectName(QStringLiteral("ComboBoxIntGainUnit"));
    FIntGainUnit->addItems({QStringLiteral("W/m²"), QStringLiteral("W")});
    SetHint(FIntGainUnit, QStringLiteral("Enhet|Internvärme per m² bruksarea eller för hela byggnaden"));
    connect(FIntGainUnit, qOverload<int>(&QComboBox::activated), this, &TFormMain::ComboBoxIntGainUnitChange);
    G2->addWidget(FIntGainUnit, 1, 2);
    FGainPanels = new QStackedWidget(P2);
    struct TGain {
        const char* Label;
        const char* Caption;
        const char* PerArea;
        const char* PerAreaName;
        const char* Watts;
        const char* WattsName;
        const char* Hint;
    };
    const TGain Gains[] = {
        {"LabelInternalHeatGainUndefined", "Undefined", "INTPUNDEF", "DBEditHeatGainUndef", "INTPUNDEFW",
         "DBEditHeatgainUndefW", "Ospecificerad internvärme"},
        {"LabelInternalHeatGainMetabolic", "Metabolic", "INTPMETABOLIC", "DBEditHeatGainMetabolic", "INTPMETABOLICW",
         "DBEditHeatGainMetabolicW", "Värme från personer"},
        {"LabelInternalHeatGainAppliances", "Appliances", "INTPAPPLIANCES", "DBEditHeatGainAppliances",
         "INTPAPPLIANCESW", "DBEditHeatGainAppliancesW", "Värme från apparater"},
        {"LabelInternalHeatGainLighting", "Lighting", "INTPLIGHTING", "DBEditHeatGainLighting", "INTPLIGHTINGW",
         "DBEditHeatGainLightingW", "Värme från belysning"},
    };
    std::vector<QLabel*> GainLabels;
    for (int Unit2 = 0; Unit2 < 2; ++Unit2) {
        auto* P = new QWidget(FGainPanels);
        P->setObjectName(Unit2 == 0 ? QStringLiteral("PanelIntGains") : QStringLiteral("PanelIntGainsW"));
        auto* PG = new QGridLayout(P);
        PG->setContentsMargins(0, 0, 0, 0);
        PG->setVerticalSpacing(4);
        int R = 0;
        for (const TGain& Gn : Gains) {
            QLabel* Cap = nullptr;
            if (Unit2 == 0) {
                Cap = MakeLabel(P, Gn.Label, QString::fromLatin1(Gn.Caption));
                GainLabels.push_back(Cap);
            } else {
                Cap = new QLabel(QString::fromLatin1(Gn.Caption), P);
                Cap->setObjectName(QString::fromLatin1(Gn.Label) + QStringLiteral("W"));
            }
            auto* E = Edit(P, Unit2 == 0 ? Gn.PerArea : Gn.Watts, Unit2 == 0 ? Gn.PerAreaName : Gn.WattsName, Cap,
                           QStringLiteral("%1|%1 %2").arg(QString::fromUtf8(Gn.Hint),
                                                          Unit2 == 0 ? QStringLiteral("i W per m² bruksarea")
                                                                     : QStringLiteral("i W")));
            FGainEdits.push_back(E);
            PG->addWidget(Cap, R, 0);
            PG->addWidget(E, R, 1);
            PG->addWidget(new QLabel(Unit2 == 0 ? QStringLiteral("W/m²") : QStringLiteral("W"), P), R, 2);
            ++R;
        }
        PG->setColumnStretch(3, 1);
        Grids.push_back(PG);
        FGainPanels->addWidget(P);
    }
    G2->addWidget(FGainPanels, 2, 0, 1, 3);
    auto* AreaCap = MakeLabel(P2, "Label149", QStringLiteral("Bruksarea"));
    G2->addWidget(AreaCap, 3, 0);
    G2->addWidget(Edit(P2, "AREA", "DBEditArea", AreaCap, QStringLiteral("Bruksarea|Byggnadens uppvärmda golvarea i m²")),
                  3, 1);
    G2->addWidget(Unit(P2, QStringLiteral("m²")), 3, 2);
    auto* TempCap = MakeLabel(P2, "Label17", QStringLiteral("Innetemperatur"));
    G2->addWidget(TempCap, 4, 0);
    G2->addWidget(Edit(P2, "TEMPERATURE", "DBEditTemp", TempCap,
                       QStringLiteral("Innetemperatur|Dimensionerande innetemperatur i °C")),
                  4, 1);
    G2->addWidget(Unit(P2, QStringLiteral("C")), 4, 2);
    G2->setColumnStretch(3, 1);
    Grids.push_back(G2);
    AlignLabelColumns({G2, Grids[Grids.size() - 2], Grids[Grids.size() - 3]});
    Right->addWidget(P2);
    Columns->addLayout(Right, 1);
    Outer->addWidget(Group, 1);
    FEnergyPanels[0] = new TEnergyPanel(B, 1, Page);
    Outer->addWidget(FEnergyPanels[0]);
    return Page;
}

// ------------------------------------------------------------------ result

QWidget* TFormMain::CreateResultTab() {
    TDataSource& B = Source("DataSourceBuildings");
    auto* Page = new QWidget;
    Page->setObjectName(QStringLiteral("TabSheetResult"));
    Page->setProperty(bvhelp::kContextProperty, bvhelp::ResultTab);
    auto* Outer = new QVBoxLayout(Page);
    Outer->setContentsMargins(6, 6, 6, 6);
    auto* Group = new QGroupBox(QStringLiteral("Beräkningsresultat"), Page);
    Group->setObjectName(QStringLiteral("GroupBoxResult"));
    auto* G = new QGridLayout(Group);
    G->setContentsMargins(4, 4, 4, 4);
    G->setSpacing(4);

    // Monthly chart.
    auto* ChartBox = new QGroupBox(QStringLiteral("Diagram över energiåtgång för uppvärmning per månad"), Group);
    ChartBox->setObjectName(QStringLiteral("GroupBoxDiagram"));
    auto* CL = new QVBoxLayout(ChartBox);
    CL->setContentsMargins(2, 2, 2, 2);
    FChart = new QChart;
    FChart->setObjectName(QStringLiteral("ChartMonths"));
    FChart->legend()->hide();
    FChart->setTitle(QString());
    FChart->setBackgroundRoundness(0);
    FChart->setMargins(QMargins(4, 4, 4, 4));
    FChart->setBackgroundBrush(palette().base());
    FSeries = new QBarSeries(FChart);
    FSeries->setName(QStringLiteral("MonthlyHeatUsage"));
    FSeries->setObjectName(QStringLiteral("Series1"));
    FSeries->setBarWidth(0.7);
    FChart->addSeries(FSeries);
    FAxisX = new QBarCategoryAxis(FChart);
    FAxisX->setTitleText(QStringLiteral("Månad"));
    FAxisX->setGridLineVisible(false);
    QFont AxisFont = font();
    AxisFont.setPointSizeF(AxisFont.pointSizeF() * 0.85);
    FAxisX->setLabelsFont(AxisFont);
    FAxisY = new QValueAxis(FChart);
    FAxisY->setTitleText(QStringLiteral("kWh"));
    FAxisY->setLabelFormat(QStringLiteral("%.0f"));
    FAxisY->setLabelsFont(AxisFont);
    FChart->addAxis(FAxisX, Qt::AlignBottom);
    FChart->addAxis(FAxisY, Qt::AlignLeft);
    FSeries->attachAxis(FAxisX);
    FSeries->attachAxis(FAxisY);
    auto* View = new QChartView(FChart, ChartBox);
    View->setObjectName(QStringLiteral("DBChartMonths"));
    View->setRenderHint(QPainter::Antialiasing);
    View->setRubberBand(QChartView::NoRubberBand);
    View->setMinimumSize(260, 150);
    CL->addWidget(View);
    G->addWidget(ChartBox, 0, 0);

    // Key values.
    auto* Keys = new QGroupBox(QStringLiteral("Nyckeltal"), Group);
    Keys->setObjectName(QStringLiteral("GroupBoxKeyNumbers"));
    auto* KG = new QGridLayout(Keys);
    struct TKey {
        const char* Label;
        const char* Caption;
        const char* Field;
        const char* UnitName;
        const char* Unit;
        std::optional<TDisplayFormat> Format;
    };
    const TKey KeyRows[] = {
        {"LabelCapacity", "Värmekapacitet", "CAPACITY", nullptr, "kJ/C", std::nullopt},
        {"LabelUValue", "Genomsnittligt U-värde ", "UVALUE", nullptr, "W/m²*C", std::nullopt},
        {"LabelSurface", "Omslutningsarea", "SURFACEAREA", nullptr, "m²", TDisplayFormat::UpToN(1)},
        {"LabelArea", "Area", "AREA", nullptr, "m²", std::nullopt},
        {"LabelTimeConstant", "Tidskonstant", "TIMECONST", nullptr, "h", TDisplayFormat::UpToN(1)},
        {"LabelTemperature", "Innetemperatur", "TEMPERATURE", nullptr, "C", std::nullopt},
        {"LabelKWhPerArea", "Årlig energiåtgång/m2", "HEATINGPERM2", "LabelkWhArea", "kWh/m² bruksarea",
         TDisplayFormat::UpToN(1)},
        {nullptr, "", "HEATINGPERSURFACE", "LabelkWhSurface", "kWh/m² omslutningsarea", TDisplayFormat::UpToN(1)},
    };
    int R = 0;
    for (const TKey& K : KeyRows) {
        if (K.Label != nullptr) {
            KG->addWidget(MakeLabel(Keys, K.Label, QString::fromUtf8(K.Caption)), R, 0);
        }
        auto* V = MakeResult(Keys, B, K.Field, K.Format);
        KG->addWidget(V, R, 1);
        auto* U = new QLabel(QString::fromUtf8(K.Unit), Keys);
        if (K.UnitName != nullptr) {
            U->setObjectName(QString::fromLatin1(K.UnitName));
        }
        KG->addWidget(U, R, 2);
        ++R;
    }
    KG->setRowStretch(R, 1);
    KG->setContentsMargins(6, 4, 4, 4);
    KG->setHorizontalSpacing(6);
    KG->setColumnStretch(3, 1);
    G->addWidget(Keys, 0, 1);

    // Monthly balance.
    auto* TableBox = new QGroupBox(QStringLiteral("Månatlig energibalans"), Group);
    TableBox->setObjectName(QStringLiteral("GroupBoxTable"));
    auto* TL = new QVBoxLayout(TableBox);
    auto* Months = new TDBGrid(Source("DataSourceMonths"), TableBox);
    Months->setObjectName(QStringLiteral("DBGridMonths"));
    Months->Model().SetColumns({
        {"MONTH", QStringLiteral("Mån."), std::nullopt, {}, QStringLiteral("Månad")},
        {"RADLOSS", QStringLiteral("Trans."), TDisplayFormat::Fixed0(), {}, QStringLiteral("Transmissionsförluster")},
        {"VENTLOSSLEAK", QStringLiteral("Läck."), TDisplayFormat::Fixed0(), {}, QStringLiteral("Läckageförluster")},
        {"VENTLOSSVENT", QStringLiteral("Vent."), TDisplayFormat::Fixed0(), {},
         QStringLiteral("Ventilationsförluster")},
        {"SOLGAIN", QStringLiteral("Sol"), TDisplayFormat::Fixed0(), {}, QStringLiteral("Solvärme")},
        {"INTGAIN", QStringLiteral("Int."), std::nullopt, {}, QStringLiteral("Internvärme")},
        {"UTILFACTOR", QStringLiteral("NG %"), std::nullopt, {}, QStringLiteral("Nyttjandegrad för tillskotten")},
        {"HEATUSAGE", QStringLiteral("Energi"), std::nullopt, {}, QStringLiteral("Energiåtgång för uppvärmning")},
    });
    Months->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    Months->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Months->horizontalHeader()->setMinimumSectionSize(Months->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 8);
    // A table of results: nothing to choose in it; narrow, it scrolls sideways.
    Months->SetShowsCurrentRow(false);
    Months->setFocusPolicy(Qt::NoFocus);
    Months->setMinimumHeight(Months->verticalHeader()->defaultSectionSize() * 5);
    auto* Spans = new TColumnSpanHeader(Months, TableBox);
    Spans->AddSpan(1, 3, "LabelMonthlyLoss", QStringLiteral("Förluster kWh"));
    Spans->AddSpan(4, 5, "LabelMonthlyGain", QStringLiteral("Tillskott kWh"));
    TL->addWidget(Spans);
    TL->addWidget(Months, 1);
    G->addWidget(TableBox, 1, 0);
    KG->setVerticalSpacing(2);

    // Yearly balance.
    auto* Year = new QGroupBox(QStringLiteral("Årlig energibalans"), Group);
    Year->setObjectName(QStringLiteral("GroupBoxYearlyResult"));
    auto* YG = new QGridLayout(Year);
    struct TYear {
        const char* Label;
        const char* Caption;
        const char* Field; // nullptr: a heading
        const char* Unit;
        bool Bold;
    };
    const TYear YearRows[] = {
        {"LabelYearlyLoss", "Avgiven energi", nullptr, nullptr, false},
        {"LabelTransmission", "Transmission", "RADLOSS", "kWh", false},
        {"LabelLeakLoss", "Läckage", "VENTLOSSLEAK", "kWh", false},
        {"LabelVentLoss", "Ventilation", "VENTLOSSVENT", "kWh", false},
        {"LabelYearlyGain", "Tillförd energi ", nullptr, nullptr, false},
        {"LabelSunGain", "Solenergi", "SOLARGAIN", "kWh", false},
        {"LabelIntGain", "Int. tillskott", "INTGAIN", "kWh", false},
        {"LabelUtilFactor", "Nyttjandegrad", "UTILFACTOR", "%", false},
        {"LabelUtilized", "Nyttjad", "USEDHEATGAIN", "kWh", false},
        {"LabelHeating", "Uppvärmning", "HEATUSAGE", "kWh", true},
    };
    R = 0;
    for (const TYear& Y : YearRows) {
        if (Y.Field == nullptr) {
            YG->addWidget(MakeHeading(Year, Y.Label, QString::fromUtf8(Y.Caption)), R, 0, 1, 3);
        } else {
            auto* Cap = MakeLabel(Year, Y.Label, QString::fromUtf8(Y.Caption));
            Cap->setIndent(12);
            auto* V = MakeResult(Year, B, Y.Field,
                                 QString::fromLatin1(Y.Field) == QLatin1String("UTILFACTOR") ? TDisplayFormat::UpToN(1)
                                                                                              : TDisplayFormat::Fixed0());
            if (Y.Bold) {
                QFont F = Cap->font();
                F.setBold(true);
                Cap->setFont(F);
                V->setFont(F);
            }
            YG->addWidget(Cap, R, 0);
            YG->addWidget(V, R, 1);
            YG->addWidget(new QLabel(QString::fromUtf8(Y.Unit), Year), R, 2);
        }
        ++R;
    }
    YG->setRowStretch(R, 1);
    YG->setContentsMargins(8, 6, 8, 6);
    YG->setColumnStretch(3, 1);
    YG->setVerticalSpacing(2);
    G->addWidget(Year, 1, 1);
    G->setColumnStretch(0, 1);
    G->setColumnStretch(1, 0);
    G->setRowStretch(0, 1);
    G->setRowStretch(1, 1);
    // Inputs that are probably wrong, above the results they spoil; shown
    // only when there are any.
    FWarnings = new TWarningPanel(Page);
    Outer->addWidget(FWarnings);
    Outer->addWidget(Group, 1);
    return Page;
}
