#include "ui/UnitWindowEdit.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "ui/DirectionList.h"
#include "ui/UnitMainLayout.h"
#include "ui/bind/DataSource.h"
#include "ui/help/HelpContexts.h"

#include <QComboBox>
#include <QEvent>

using namespace bvui;

TFormWindowEdit::TFormWindowEdit(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSource& Windows,
                                 QWidget* Parent)
    : TFormMemberEdit(Data, PreDef, Windows, QStringLiteral("Fönstrets namn"), Parent) {
    setObjectName(QStringLiteral("FormWindowEdit"));
    setProperty(bvhelp::kContextProperty, bvhelp::WindowEdit);
    setWindowTitle(QStringLiteral("Fönsterhanterare"));
    Messages = {QStringLiteral("Namn på fönstret i arkivet:"),
                QStringLiteral("Arkivet har redan ett fönster med det namnet."),
                QStringLiteral("Byggnaden har redan ett fönster med det namnet. Vill du ersätta det med det här?"),
                QStringLiteral("Vill du skriva över?")};
    AddInput("LabelArea", QStringLiteral("Area"), "AREA", "DBEditArea", QStringLiteral("m²"),
             QStringLiteral("Fönstrets area|Fönstrets area i m², karmen inräknad"));
    AddInput("LabelUValue", QStringLiteral("U-värde [W/(m²*K)]"), "UVALUE", "DBEditUValue", QString(),
             QStringLiteral("Fönstrets U-värde|Fönstrets U-värde i W/(m²·K)"));
    AddInput("LabelGValue", QStringLiteral("G-värde"), "GVALUE", "DBEditGValue", QString(),
             QStringLiteral("G-värde|Glasets totala solenergitransmittans, 0 till 1"));
    AddInput("LabelShading", QStringLiteral("Skuggfaktor"), "SHADING", "DBEditShading", QStringLiteral("%"),
             QStringLiteral("Skuggfaktor|Andel av solstrålningen som skuggas bort i %"));
    AddInput("LabelFrame", QStringLiteral("Ramandel [%]"), "FRAMEFACTOR", "DBEditFrame", QStringLiteral("%"),
             QStringLiteral("Ramandel|Karmens andel av fönsterarean i %"));
    FDirection = new QComboBox(this);
    FDirection->setObjectName(QStringLiteral("ComboBoxDirection"));
    FDirection->addItems(WindowDirectionItems());
    SetHint(FDirection, QStringLiteral("Riktning|Det väderstreck fönstret vetter mot"));
    connect(FDirection, qOverload<int>(&QComboBox::activated), this, &TFormWindowEdit::ComboBoxDirectionChange);
    AddRow("LabelDirection", QStringLiteral("Riktning"), FDirection);
    FinishLayout();
    connect(&Windows, &TDataSource::DataChanged, this, &TFormWindowEdit::ShowDirection);
}

void TFormWindowEdit::RefreshDirections() {
    const int I = FDirection->currentIndex();
    FDirection->clear();
    FDirection->addItems(WindowDirectionItems());
    FDirection->setCurrentIndex(I);
}

void TFormWindowEdit::ShowDirection() {
    TDataset& W = View();
    int D = -1;
    if (W.Active() && !W.IsEmpty() && !W.FieldByName("DIRECTION").IsNull()) {
        D = W.FieldByName("DIRECTION").AsInteger();
    }
    FDirection->setCurrentIndex(D >= 0 && D < FDirection->count() ? D : -1);
}

void TFormWindowEdit::showEvent(QShowEvent* Event) {
    TFormMemberEdit::showEvent(Event);
    ShowDirection();
}

void TFormWindowEdit::changeEvent(QEvent* Event) {
    TFormMemberEdit::changeEvent(Event);
    if (Event->type() == QEvent::ActivationChange && isActiveWindow()) {
        ShowDirection();
    }
}

void TFormWindowEdit::ComboBoxDirectionChange() {
    TDataset& W = View();
    if (W.IsEmpty()) {
        return;
    }
    const bool Started = W.State() == TDatasetState::Browse;
    try {
        if (Started) {
            W.Edit();
        }
        W.FieldByName("DIRECTION").SetInteger(FDirection->currentIndex());
        W.Post();
    } catch (...) {
        if (Started && W.State() != TDatasetState::Browse) {
            W.Cancel();
        }
        throw;
    }
}

void TFormWindowEdit::Rename(const std::string& Name) { FData.RenameWindow(Name); }
void TFormWindowEdit::DeleteCurrent() { FData.DeleteWindow(); }
bool TFormWindowEdit::Archive(const std::string& Name) { return FData.ArchiveWindow(Name); }
void TFormWindowEdit::DeleteArchived(const std::string& Name) { FPreDef.DeleteArchivedWindow(Name); }
