#include "ui/materials/UnitMaterialManager.h"

#include "db/Database.h"
#include "db/Dataset.h"
#include "ui/Icons.h"
#include "ui/MessageBox.h"
#include "ui/UnitMainLayout.h"
#include "ui/bind/DBControls.h"
#include "ui/bind/DBTableModel.h"
#include "ui/bind/DataSource.h"
#include "ui/materials/UnitExportMaterial.h"
#include "ui/help/HelpContexts.h"

#include <QAction>
#include <QGridLayout>
#include <QHeaderView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

using namespace bvui;

namespace {

struct TColumn {
    const char* Field;
    const char* Heading;
};
const TColumn kColumns[] = {
    {"ID", "Namn"},           {"THERMCOND", "Konduktivitet"}, {"SPECCAP", "Kapacitet"},
    {"DENSITY", "Densitet"},  {"DEPTH", "Tjocklek"},          {"OUTERWALL", "Yttervägg"},
    {"INNERWALL", "Innervägg"}, {"ROOF", "Tak"},              {"INNERROOF", "Bjälklag"},
    {"GROUNDFLOOR", "Mellangolv"}, {"GROUNDWALL", "Grundmur"}, {"GROUNDSLAB", "Grundplatta"},
    {"SOIL", "Mark"},         {"LOCKEDDEPTH", "Låst tjocklek"},
};

// Truth values show as Ja/Nej in the grid.
std::optional<QString> YesNo(const TDataset& D, int Row, int FieldIndex) {
    const TValue& V = D.RowValue(Row, FieldIndex);
    if (const auto* S = std::get_if<std::string>(&V)) {
        return TextIsTrue(*S) ? QStringLiteral("Ja") : QStringLiteral("Nej");
    }
    if (const auto* I = std::get_if<int64_t>(&V)) {
        return *I != 0 ? QStringLiteral("Ja") : QStringLiteral("Nej");
    }
    return std::nullopt;
}

double Number(const TValue& V, bool* Ok) {
    *Ok = true;
    if (const auto* D = std::get_if<double>(&V)) {
        return *D;
    }
    if (const auto* I = std::get_if<int64_t>(&V)) {
        return static_cast<double>(*I);
    }
    *Ok = false;
    return 0;
}

} // namespace

TFormMaterialManager::TFormMaterialManager(const std::string& Path, QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("FormMaterialManager"));
    setProperty(bvhelp::kContextProperty, bvhelp::MaterialManager);
    setWindowTitle(QStringLiteral("Materialhanterare"));
    setModal(true);
    setSizeGripEnabled(true);
    FDb = TDatabase::Open(Path);
    FTable = std::make_unique<TDataset>(*FDb, "LayersPreDef");
    FTable->Open();
    FSource = new TDataSource(*FTable, this);
    FSource->SetAutoPost(false);
    FSource->SetValidator([this](const std::string& Field, const TValue& V) { return Refusal(Field, V); });

    // The navigator and the file commands.
    auto* Bar = new QToolBar(this);
    Bar->setObjectName(QStringLiteral("DBNavigator1"));
    Bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const struct {
        const char* Name;
        const char* Caption;
        const char* Tip;
        void (TFormMaterialManager::*Handler)();
    } Commands[] = {
        {"ActionInsert", "Nytt", "Lägger till ett nytt material", &TFormMaterialManager::InsertClick},
        {"ActionDelete", "Ta bort", "Tar bort det markerade materialet", &TFormMaterialManager::DeleteClick},
        {"ActionPost", "Spara", "Sparar ändringarna i materialet", nullptr},
        {"ActionCancel", "Ångra", "Ångrar ändringarna i materialet", &TFormMaterialManager::CancelClick},
        {"ActionRefresh", "Uppdatera", "Läser materialen på nytt", &TFormMaterialManager::RefreshClick},
    };
    for (const auto& C : Commands) {
        QAction* A = Bar->addAction(QString::fromUtf8(C.Caption));
        A->setObjectName(QString::fromLatin1(C.Name));
        A->setToolTip(QString::fromUtf8(C.Tip));
        if (C.Handler != nullptr) {
            connect(A, &QAction::triggered, this, C.Handler);
        } else {
            connect(A, &QAction::triggered, this, [this] { PostClick(); });
        }
    }
    Bar->addSeparator();
    QAction* Export = Bar->addAction(QStringLiteral("Exportera"));
    Export->setObjectName(QStringLiteral("ButtonExport"));
    Export->setToolTip(QStringLiteral("Skriver valda material till en materialfil"));
    connect(Export, &QAction::triggered, this, &TFormMaterialManager::ExportClick);
    QAction* Import = Bar->addAction(QStringLiteral("Importera"));
    Import->setObjectName(QStringLiteral("ButtonImport"));
    Import->setToolTip(QStringLiteral("Läser material från en materialfil"));
    connect(Import, &QAction::triggered, this, &TFormMaterialManager::ImportClick);

    FGrid = new TDBGrid(*FSource, this);
    FGrid->setObjectName(QStringLiteral("DBGridMaterials"));
    std::vector<TDBTableModel::TColumn> Cols;
    for (const TColumn& C : kColumns) {
        Cols.push_back({C.Field, QString::fromUtf8(C.Heading), std::nullopt, {}, {}});
    }
    FGrid->SetColumns(std::move(Cols));
    // A row being edited is checked before the user moves to another one.
    FGrid->SetCanLeaveRow([this] { return PostClick(); });
    // The names are long: the name column gets room of its own, and the
    // grid scrolls sideways when the window is narrow.
    FGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    FGrid->horizontalHeader()->resizeSection(0, FGrid->fontMetrics().horizontalAdvance(QStringLiteral("x")) * 34);
    for (int C = 5; C < 14; ++C) {
        FGrid->Model().SetCellText(C, [C](const TDataset& D, int Row) {
            const TField* F = const_cast<TDataset&>(D).FindField(kColumns[C].Field);
            return F != nullptr ? YesNo(D, Row, F->Index()) : std::nullopt;
        });
    }

    // The editing panel of the current row.
    auto* Panel = new QGroupBox(QStringLiteral("Material"), this);
    auto* G = new QGridLayout(Panel);
    const struct {
        const char* Field;
        const char* Name;
        const char* Caption;
    } Edits[] = {
        {"ID", "DBEditName", "Material"},
        {"THERMCOND", "DBEditThermCond", "Värmekonduktivitet [W/(m*K)]"},
        {"SPECCAP", "DBEditSpecCap", "Kapacitet [J/(kg*K)]"},
        {"DENSITY", "DBEditDensity", "Densitet [kg/m3]"},
        {"DEPTH", "DBEditDepth", "Tjocklek [mm]"},
    };
    int Row = 0;
    for (const auto& E : Edits) {
        auto* Cap = MakeLabel(Panel, (std::string("Label") + E.Name).c_str(), QString::fromUtf8(E.Caption));
        TDBEdit* Ed = MakeEdit(Panel, *FSource, E.Field, E.Name, Cap);
        Cap->setBuddy(Ed);
        G->addWidget(Cap, Row, 0);
        G->addWidget(Ed, Row, 1);
        if (Row == 0) {
            FName = Ed;
            Ed->setMinimumWidth(Ed->fontMetrics().horizontalAdvance(QStringLiteral("x")) * 36);
        }
        ++Row;
    }
    auto* Used = new QGroupBox(QStringLiteral("Används i"), Panel);
    auto* UG = new QGridLayout(Used);
    const struct {
        const char* Field;
        const char* Caption;
    } Flags[] = {{"OUTERWALL", "Y. vägg"},     {"INNERWALL", "I. vägg"},   {"ROOF", "Tak"},
                 {"INNERROOF", "Bjälklag"},    {"GROUNDFLOOR", "Mellangolv"}, {"GROUNDWALL", "Grundvägg"},
                 {"GROUNDSLAB", "Platta"},     {"SOIL", "Mark"}};
    int I = 0;
    for (const auto& F : Flags) {
        auto* Box = new TDBCheckBox(*FSource, F.Field, QString::fromUtf8(F.Caption), Used);
        Box->setObjectName(QStringLiteral("DBCheckBox") + QString::fromLatin1(F.Field));
        UG->addWidget(Box, I / 4, I % 4);
        ++I;
    }
    auto* Locked = new TDBCheckBox(*FSource, "LOCKEDDEPTH", QStringLiteral("Låst tjocklek"), Panel);
    Locked->setObjectName(QStringLiteral("DBCheckBoxLOCKEDDEPTH"));
    G->addWidget(Locked, Row, 1);
    G->addWidget(Used, 0, 2, Row + 1, 1);
    G->setColumnStretch(3, 1);

    auto* Close = new QPushButton(QStringLiteral("Stäng"), this);
    Close->setObjectName(QStringLiteral("ButtonClose"));
    connect(Close, &QPushButton::clicked, this, &QDialog::accept);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(Close);
    auto* Main = new QVBoxLayout(this);
    Main->addWidget(Bar);
    Main->addWidget(FGrid, 1);
    Main->addWidget(Panel);
    Main->addLayout(Buttons);
    resize(980, 640);

    FExport = new TFormExportMaterial(*FDb, this);
    FImport = new TFormMaterialImp(this);
    connect(FSource, &TDataSource::StateChanged, this, &TFormMaterialManager::UpdateActions);
    UpdateActions();
}

TFormMaterialManager::~TFormMaterialManager() {
    // The widgets bound to the view go before it.
    delete FGrid;
    FGrid = nullptr;
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    delete FSource;
}

QString TFormMaterialManager::Refusal(const std::string& Field, const TValue& V) const {
    const std::string F = UpperCaseText(Field);
    bool IsNumber = false;
    const double D = Number(V, &IsNumber);
    if (F == "THERMCOND" || F == "SPECCAP" || F == "DENSITY") {
        if (!IsNumber || !(D > 0)) {
            return QStringLiteral("värdet måste vara större än noll");
        }
    }
    if (F == "DEPTH") {
        const bool Locked = FTable->FindField("LOCKEDDEPTH") != nullptr && !FTable->IsEmpty() &&
                            FTable->FieldByName("LOCKEDDEPTH").AsBoolean();
        if (!IsNumber || D < 0 || (D == 0 && Locked)) {
            return Locked ? QStringLiteral("en låst tjocklek måste vara större än noll")
                          : QStringLiteral("tjockleken får inte vara negativ");
        }
    }
    if (F == "LOCKEDDEPTH" && IsNumber && D != 0) {
        const TField& Depth = FTable->FieldByName("DEPTH");
        if (Depth.IsNull() || Depth.AsFloat() <= 0) {
            return QStringLiteral("ett material med låst tjocklek måste ha en tjocklek större än noll");
        }
    }
    if (F == "ID") {
        if (const auto* S = std::get_if<std::string>(&V); S == nullptr || QString::fromStdString(*S).trimmed().isEmpty()) {
            return QStringLiteral("materialet måste ha ett namn");
        }
    }
    return {};
}

void TFormMaterialManager::UpdateActions() {
    const bool Editing = FTable->State() != TDatasetState::Browse;
    findChild<QAction*>(QStringLiteral("ActionPost"))->setEnabled(Editing);
    findChild<QAction*>(QStringLiteral("ActionCancel"))->setEnabled(Editing);
}

void TFormMaterialManager::InsertClick() {
    CommitFocusedInput();
    if (!PostClick()) {
        return;
    }
    FTable->Append();
    FTable->FieldByName("ID").SetString("Nytt material");
    for (const char* Flag : {"OUTERWALL", "INNERWALL", "ROOF", "INNERROOF", "GROUNDFLOOR", "GROUNDWALL", "GROUNDSLAB"}) {
        FTable->FieldByName(Flag).SetBoolean(true);
    }
    FTable->FieldByName("SOIL").SetBoolean(false);
    FTable->FieldByName("LOCKEDDEPTH").SetBoolean(false);
    // The numbers have no defaults: the user enters them.
    for (const char* Number : {"THERMCOND", "SPECCAP", "DENSITY", "DEPTH"}) {
        FTable->FieldByName(Number).SetNull();
    }
    FName->setFocus();
    FName->selectAll();
}

void TFormMaterialManager::DeleteClick() {
    if (FTable->State() == TDatasetState::Insert) {
        FTable->Cancel();
        return;
    }
    if (FTable->IsEmpty()) {
        return;
    }
    const QString Name = QString::fromStdString(FTable->FieldByName("ID").AsString());
    if (TMessageBox::Ask(this, QStringLiteral("Vill du ta bort materialet \"%1\" ur arkivet?").arg(Name),
                         TMessageBox::Warning) == TMessageBox::Yes) {
        FTable->Cancel();
        FTable->Delete();
    }
}

bool TFormMaterialManager::PostClick() {
    CommitFocusedInput();
    if (FTable->State() == TDatasetState::Browse) {
        return true;
    }
    for (const TColumn& C : kColumns) {
        const TField& F = FTable->FieldByName(C.Field);
        if (F.IsNull()) {
            TMessageBox::Inform(this, QStringLiteral("Materialet kan inte sparas: ange %1.").arg(
                                          QString::fromUtf8(C.Heading).toLower()));
            return false;
        }
        const QString Why = Refusal(C.Field, F.Value());
        if (!Why.isEmpty()) {
            TMessageBox::Inform(this, QStringLiteral("Materialet kan inte sparas: %1 – %2.")
                                          .arg(QString::fromUtf8(C.Heading), Why));
            return false;
        }
    }
    try {
        FTable->Post();
    } catch (const std::exception& E) {
        TMessageBox::Inform(this, QStringLiteral("Materialet kan inte sparas: %1").arg(QString::fromUtf8(E.what())));
        return false;
    }
    return true;
}

void TFormMaterialManager::CancelClick() {
    if (FTable->State() != TDatasetState::Browse) {
        FTable->Cancel();
    }
}

void TFormMaterialManager::RefreshClick() {
    if (PostClick()) {
        FTable->Refresh();
    }
}

void TFormMaterialManager::ExportClick() {
    if (PostClick()) {
        TMessageBox::RunDialog(*FExport);
    }
}

void TFormMaterialManager::ImportClick() {
    if (!PostClick()) {
        return;
    }
    const std::optional<QString> Path =
        TMessageBox::AskOpenFile(this, QStringLiteral("Braskvalla Material File (*.bmf *.BMF)"), QStringLiteral("bmf"));
    if (!Path) {
        return;
    }
    ImportMaterialFile(*FDb, Path->toStdString(), *FImport);
    FTable->Refresh();
}

void TFormMaterialManager::done(int Result) {
    // A pending edit is posted on closing; one that cannot be posted keeps
    // the window open.
    if (!PostClick()) {
        return;
    }
    QDialog::done(Result);
}

// ------------------------------------------------------------------ the question

TFormMaterialImp::TFormMaterialImp(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("FormMaterialImp"));
    setProperty(bvhelp::kContextProperty, bvhelp::MaterialImport);
    setWindowTitle(QStringLiteral("Importera material"));
    setModal(true);
    auto* L1 = MakeLabel(this, "Label1", QStringLiteral("Följande material existerar redan."));
    FName = MakeLabel(this, "LabelMaterial", QString());
    QFont Bold = FName->font();
    Bold.setBold(true);
    FName->setFont(Bold);
    auto* L2 = MakeLabel(this, "Label2", QStringLiteral("Vill du skriva över materialet?"));
    const struct {
        const char* Name;
        const char* Caption;
        TImportAnswer Answer;
    } Buttons[] = {
        {"ButtonYes", "Yes", TImportAnswer::Yes},       {"ButtonYesAll", "Yes to all", TImportAnswer::YesToAll},
        {"ButtonNo", "No", TImportAnswer::No},          {"ButtonNoAll", "No to all", TImportAnswer::NoToAll},
        {"ButtonRename", "Rename", TImportAnswer::Rename}, {"ButtonCancel", "Cancel", TImportAnswer::Cancel},
    };
    auto* Row = new QHBoxLayout;
    for (const auto& B : Buttons) {
        auto* Btn = new QPushButton(QString::fromUtf8(B.Caption), this);
        Btn->setObjectName(QString::fromLatin1(B.Name));
        Btn->setAutoDefault(false);
        const TImportAnswer A = B.Answer;
        connect(Btn, &QPushButton::clicked, this, [this, A] { Answer(A); });
        Row->addWidget(Btn);
    }
    auto* Main = new QVBoxLayout(this);
    Main->addWidget(L1);
    Main->addWidget(FName);
    Main->addWidget(L2);
    Main->addSpacing(8);
    Main->addLayout(Row);
}

TImportReply TFormMaterialImp::AskOverwrite(const TMaterial& Incoming) {
    FIncoming = Incoming.PMaterialID;
    FName->setText(QString::fromStdString(FIncoming));
    FReply = {};
    TMessageBox::RunDialog(*this);
    return FReply;
}

void TFormMaterialImp::Warning(const std::string& Text) {
    TMessageBox::Inform(parentWidget(), QString::fromStdString(Text), TMessageBox::Warning);
}

void TFormMaterialImp::Answer(TImportAnswer A) {
    if (A == TImportAnswer::Rename) {
        const std::optional<QString> Name = TMessageBox::AskText(this, QStringLiteral("Namn"), QString::fromStdString(FIncoming));
        // Cancel in the rename box goes back to the question.
        if (!Name || Name->trimmed().isEmpty()) {
            return;
        }
        FReply.NewName = Name->trimmed().toStdString();
    }
    FReply.Answer = A;
    accept();
}
