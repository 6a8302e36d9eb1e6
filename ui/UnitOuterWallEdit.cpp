#include "ui/UnitOuterWallEdit.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "model/UnitConstructionObjects.h"
#include "ui/EnergyPanel.h"
#include "ui/MessageBox.h"
#include "ui/UnitFileHandler.h"
#include "ui/UnitMainLayout.h"
#include "ui/bind/DBControls.h"
#include "ui/bind/DBTableModel.h"
#include "ui/bind/DataSources.h"
#include "ui/help/HelpContexts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace bvui;

TFormOuterWallEdit::TFormOuterWallEdit(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef,
                                       TDataSources& Sources, QWidget* Parent)
    : QDialog(Parent), FData(Data), FPreDef(PreDef), FSources(Sources) {
    setObjectName(QStringLiteral("FormOuterWallEdit"));
    setProperty(bvhelp::kContextProperty, bvhelp::LayeredEdit);
    setWindowTitle(QStringLiteral("Flerlagerskomponent"));
    setModal(true);
    Messages = {
        QStringLiteral("Insida"),
        QStringLiteral("Utsida"),
        QStringLiteral("Det finns redan en konstruktion med det namnet. Vill du ersätta den med den här?"),
        QStringLiteral("Namn på konstruktionen i arkivet:"),
        QStringLiteral("Arkivet har redan en konstruktion med det namnet."),
        QStringLiteral("Vill du skriva över?"),
    };

    FAvailable = new QGroupBox(QStringLiteral("Tillgängliga materiallager"), this);
    FAvailable->setObjectName(QStringLiteral("GroupBoxAvailiableLayers"));
    FPreDefPlace = new QVBoxLayout(FAvailable);

    // The commands between the two lists.
    auto* Moves = new QVBoxLayout;
    struct TMove {
        const char* Name;
        const char* Caption;
        const char* Hint;
        void (TFormOuterWallEdit::*Handler)();
    };
    const TMove MoveButtons[] = {
        {"IBEAntialiasButtonAdd", "Lägg till", "Lägg till|Lägger till materialet sist i konstruktionen",
         &TFormOuterWallEdit::IBEAntialiasButtonAddClick},
        {"IBEAntialiasButtonInsert", "Infoga", "Infoga|Infogar materialet före det markerade lagret",
         &TFormOuterWallEdit::ssClick},
        {"IBEAntialiasButtonReplace", "Ersätt", "Ersätt|Ersätter det markerade lagret med materialet",
         &TFormOuterWallEdit::IBEAntialiasButtonReplaceClick},
        {"IBEAntialiasButtonRemove", "Ta bort", "Ta bort|Tar bort det markerade lagret",
         &TFormOuterWallEdit::IBEAntialiasButtonRemoveClick},
    };
    Moves->addStretch(1);
    for (const TMove& M : MoveButtons) {
        auto* B = new QPushButton(QString::fromUtf8(M.Caption), this);
        B->setObjectName(QString::fromLatin1(M.Name));
        B->setAutoDefault(false);
        SetHint(B, QString::fromUtf8(M.Hint));
        connect(B, &QPushButton::clicked, this, M.Handler);
        Moves->addWidget(B);
    }
    Moves->addStretch(1);

    FComponent = new QGroupBox(QStringLiteral("Komponentdata"), this);
    FComponent->setObjectName(QStringLiteral("GroupBoxComponent"));
    FComponentGrid = new QGridLayout(FComponent);
    auto* NameCap = MakeLabel(FComponent, "LabelName", QStringLiteral("&Namn"));
    FName = new QLineEdit(FComponent);
    FName->setObjectName(QStringLiteral("EditName"));
    FName->setMaxLength(100);
    SetHint(FName, QStringLiteral("Namn|Konstruktionens namn i byggnaden"));
    NameCap->setBuddy(FName);
    FComponentGrid->addWidget(NameCap, 0, 0);
    FComponentGrid->addWidget(FName, 0, 1, 1, 2);
    FComponentGrid->addWidget(MakeLabel(FComponent, "LabelArea", QStringLiteral("Area (m²)")), 1, 0);
    FComponentGrid->addWidget(MakeLabel(FComponent, "LabelUsedLayer", QStringLiteral("Ingående materiallager")), 2, 0,
                              1, 3);
    FInside = MakeLabel(FComponent, "LabelInside", QStringLiteral("Insida"));
    FOutside = MakeLabel(FComponent, "LabelOutside", QStringLiteral("Utsida"));
    for (QLabel* L : {FInside, FOutside}) {
        QFont F = L->font();
        F.setBold(true);
        L->setFont(F);
    }
    FComponentGrid->addWidget(FInside, 3, 0, 1, 3);
    FComponentGrid->addWidget(FOutside, 5, 0, 1, 3);
    FComponentGrid->addWidget(MakeLabel(FComponent, "LabelThickness", QStringLiteral("Tjocklek (mm)")), 6, 0);
    FComponentGrid->setRowStretch(4, 1);
    FComponentGrid->setColumnStretch(2, 1);

    auto* Archive = new QPushButton(QStringLiteral("Archive"), this);
    Archive->setObjectName(QStringLiteral("IBEAntialiasButtonSave"));
    Archive->setAutoDefault(false);
    SetHint(Archive, QStringLiteral("Arkivera|Sparar konstruktionen i konstruktionsarkivet"));
    connect(Archive, &QPushButton::clicked, this, &TFormOuterWallEdit::IBEAntialiasButtonSaveClick);
    auto* Ok = new QPushButton(QStringLiteral("Ok"), this);
    Ok->setObjectName(QStringLiteral("IBEAntialiasButtonOk"));
    Ok->setDefault(true);
    SetHint(Ok, QStringLiteral("Ok|Stänger fönstret och räknar om konstruktionen"));
    connect(Ok, &QPushButton::clicked, this, &TFormOuterWallEdit::IBEAntialiasButtonOkClick);

    auto* Lists = new QHBoxLayout;
    Lists->addWidget(FAvailable, 1);
    Lists->addLayout(Moves);
    Lists->addWidget(FComponent, 1);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch(1);
    Buttons->addWidget(Archive);
    Buttons->addWidget(Ok);
    auto* Main = new QVBoxLayout(this);
    Main->addLayout(Lists, 1);
    Main->addLayout(Buttons);
    resize(760, 480);
    // The bound controls exist from the start, so that a language can set
    // their texts before the editor is first shown.
    Bind();
}

TFormOuterWallEdit::~TFormOuterWallEdit() { FData.DetachObserver(this); }

void TFormOuterWallEdit::SetComponentMode(int Kind) {
    ComponentTypeName(Kind); // refuses a kind outside 0..6
    FKind = Kind;
}

std::pair<double, double> TFormOuterWallEdit::SurfaceResistances(int Kind) {
    switch (Kind) {
    case ckOuterWall:
    case ckRoof:
        return {0.04, 0.13};
    case ckInnerWall:
    case ckInnerRoof:
        return {0.13, 0.13};
    default:
        return {0.0, 0.0};
    }
}

void TFormOuterWallEdit::Bind() {
    if (FBoundKind == FKind) {
        return;
    }
    FBoundKind = FKind;
    // The texts of the controls made anew for the kind are carried over:
    // the language may have changed them.
    const QString LayerTitle = FLayers != nullptr ? FLayers->Model().Columns().front().Title : QStringLiteral("Namn");
    const auto Tips = [](const QWidget* W, const QString& Short, const QString& Long) {
        return W != nullptr ? std::pair{W->toolTip(), W->statusTip()} : std::pair{Short, Long};
    };
    const auto AreaTips = Tips(FArea, QStringLiteral("Area"), QStringLiteral("Konstruktionens area i m²"));
    const auto ThicknessTips = Tips(FThickness, QString(), QString());
    delete FPreDefLayers;
    delete FLayers;
    delete FArea;
    delete FThickness;
    TDataSource& Materials = FSources.Of(FPreDef.ArchiveViews(FKind).Materials);
    FPreDefLayers = new TDBGrid(Materials, FAvailable);
    FPreDefLayers->setObjectName(QStringLiteral("DBGridPreDefLayers"));
    FPreDefLayers->SetColumns({{"ID", QStringLiteral("Material"), std::nullopt, {}, QStringLiteral("Materialets namn")}});
    connect(FPreDefLayers, &TDBGrid::Activated, this, &TFormOuterWallEdit::IBEAntialiasButtonAddClick);
    FPreDefPlace->addWidget(FPreDefLayers);

    TDataSource& Component = FSources.Of(FData.ComponentView(FKind));
    TDataSource& Layers = FSources.Of(FData.LayerView(FKind));
    FArea = MakeEdit(FComponent, Component, "AREA", "DBEditArea", nullptr);
    FArea->Link().SetCaption(QStringLiteral("Area"));
    FArea->setToolTip(AreaTips.first);
    FArea->setStatusTip(AreaTips.second);
    FComponentGrid->addWidget(FArea, 1, 1);
    FLayers = new TDBGrid(Layers, FComponent);
    FLayers->setObjectName(QStringLiteral("DBGridLayers"));
    FLayers->SetColumns({{"ID", LayerTitle, std::nullopt, {}, QStringLiteral("Materialets namn")},
                         {"DEPTH", QStringLiteral("mm"), std::nullopt, {}, QStringLiteral("Lagrets tjocklek i mm")}});
    FComponentGrid->addWidget(FLayers, 4, 0, 1, 3);
    FThickness = MakeEdit(FComponent, Layers, "DEPTH", "DBEditThickness", nullptr);
    FThickness->Link().SetCaption(QStringLiteral("Tjocklek"));
    FThickness->setToolTip(ThicknessTips.first);
    FThickness->setStatusTip(ThicknessTips.second);
    FComponentGrid->addWidget(FThickness, 6, 1);
    setTabOrder(FName, FArea);
    setTabOrder(FArea, FLayers);
    setTabOrder(FLayers, FThickness);
}

void TFormOuterWallEdit::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    Bind();
    const bool BothInside = FKind == ckInnerWall || FKind == ckInnerRoof;
    FInside->setText(Messages.value(0));
    FOutside->setText(BothInside ? Messages.value(0) : Messages.value(1));
    const auto Colour = [](QLabel* L, bool Heated) {
        L->setStyleSheet(QStringLiteral("color: %1").arg(Heated ? TEnergyPanel::Red().name() : QStringLiteral("#0000c0")));
    };
    Colour(FInside, InsideHeated);
    Colour(FOutside, OutsideHeated);
    TDataset& C = FData.ComponentView(FKind);
    FName->setText(C.IsEmpty() ? QString() : QString::fromStdString(C.FieldByName("ID").AsString()));
    FName->setCursorPosition(0);
    FArea->setFocus();
    FArea->selectAll();
    FData.AttachObserver(this);
    FObserving = true;
    FPreDef.ArchiveViews(FKind).Materials.Refresh();
    FPreDef.ArchiveViews(FKind).Components.Refresh();
    StatusChanged();
}

void TFormOuterWallEdit::StatusChanged() {
    if (FThickness != nullptr) {
        FThickness->setEnabled(!FData.LayerView(FKind).IsEmpty());
    }
}

void TFormOuterWallEdit::IBEAntialiasButtonAddClick() {
    CommitFocusedInput();
    FData.AddLayer(FKind);
}

void TFormOuterWallEdit::ssClick() {
    CommitFocusedInput();
    FData.InsertLayer(FKind);
}

void TFormOuterWallEdit::IBEAntialiasButtonReplaceClick() {
    CommitFocusedInput();
    FData.ReplaceLayer(FKind);
}

void TFormOuterWallEdit::IBEAntialiasButtonRemoveClick() {
    CommitFocusedInput();
    if (!FData.LayerView(FKind).IsEmpty()) {
        FData.RemoveLayer(FKind);
    }
}

void TFormOuterWallEdit::IBEAntialiasButtonOkClick() { accept(); }

void TFormOuterWallEdit::IBEAntialiasButtonSaveClick() {
    CommitFocusedInput();
    const std::optional<QString> Answer = TMessageBox::AskText(this, Messages.value(3), FName->text());
    // Cancel archives nothing.
    if (!Answer || Answer->trimmed().isEmpty() || !CheckNameLength(this, Answer->trimmed())) {
        return;
    }
    const std::string Name = Answer->trimmed().toStdString();
    FData.ComponentView(FKind).CheckBrowseMode();
    FData.LayerView(FKind).CheckBrowseMode();
    if (FData.ArchiveComponent(FKind, Name)) {
        return;
    }
    if (TMessageBox::Ask(this, Messages.value(4) + QStringLiteral("\r\n") + Messages.value(5), TMessageBox::Warning) ==
        TMessageBox::Yes) {
        FPreDef.DeleteArchivedComponent(FKind, Name);
        FData.ArchiveComponent(FKind, Name);
    }
}

void TFormOuterWallEdit::done(int Result) {
    if (!FormClose()) {
        return;
    }
    QDialog::done(Result);
}

bool TFormOuterWallEdit::FormClose() {
    CommitFocusedInput();
    const QString Name = FName->text().trimmed();
    if (!CheckNameLength(this, Name)) {
        return false;
    }
    TDataset& C = FData.ComponentView(FKind);
    FData.LayerView(FKind).CheckBrowseMode();
    C.CheckBrowseMode();
    const auto Finish = [this] {
        if (FObserving) {
            FData.DetachObserver(this);
            FObserving = false;
        }
        return true;
    };
    if (Name.isEmpty() || C.IsEmpty()) {
        return Finish();
    }
    const std::string Current = C.FieldByName("ID").AsString();
    const std::string NewName = Name.toStdString();
    if (NewName == Current) {
        Recalculate();
        return Finish();
    }
    const std::string Building = C.FieldByName("BUILDING").AsString();
    try {
        if (FData.ComponentExists(Building, ComponentTypeName(FKind), NewName)) {
            if (TMessageBox::Ask(this, Messages.value(2), TMessageBox::Warning) != TMessageBox::Yes) {
                return false;
            }
            // The other construction and its layers go; the edited one takes its name.
            C.Locate({"ID"}, {NewName}, TLocateOptions{true});
            FData.DeleteLayeredComponent(FKind);
            C.Locate({"ID"}, {Current}, TLocateOptions{true});
        }
        FData.RenameComponent(FKind, NewName);
    } catch (const EBVException& E) {
        TMessageBox::Inform(this, QString::fromUtf8(E.what()));
        return false;
    }
    Recalculate();
    return Finish();
}

void TFormOuterWallEdit::Recalculate() {
    TDataset& C = FData.ComponentView(FKind);
    TDataset& L = FData.LayerView(FKind);
    if (C.IsEmpty()) {
        return;
    }
    try {
        TDatabase::TTransaction T(FData.Database());
        TLayeredComponent Object;
        Object.SetComponentTable(&C);
        Object.SetLayerTable(&L);
        Object.SetBuilding(C.FieldByName("BUILDING").AsString());
        Object.SetID(C.FieldByName("ID").AsString());
        Object.Load();
        const auto [Outside, Inside] = SurfaceResistances(FKind);
        Object.SetOuterSurfaceResistance(Outside);
        Object.SetInnerSurfaceResistance(Inside);
        Object.Compute();
        Object.Store();
        T.Commit();
    } catch (...) {
        // A construction that cannot be computed yet (no layers, a layer
        // without conductivity) keeps its stored results; the rows go back
        // to what the database holds.
        try {
            C.Refresh();
            L.Refresh();
        } catch (...) {
        }
    }
}
