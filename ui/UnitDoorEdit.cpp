#include "ui/UnitDoorEdit.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "ui/help/HelpContexts.h"

TFormDoorEdit::TFormDoorEdit(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSource& Doors,
                             QWidget* Parent)
    : TFormMemberEdit(Data, PreDef, Doors, QStringLiteral("Ytterdörrens namn"), Parent) {
    setObjectName(QStringLiteral("FormDoorEdit"));
    setProperty(bvhelp::kContextProperty, bvhelp::DoorEdit);
    setWindowTitle(QStringLiteral("Dörrhanterare"));
    Messages = {QStringLiteral("Namn på dörren i arkivet:"),
                QStringLiteral("Arkivet har redan en dörr med det namnet."),
                QStringLiteral("Byggnaden har redan en dörr med det namnet. Vill du ersätta den med den här?"),
                QStringLiteral("Vill du skriva över?")};
    AddInput("LabelArea", QStringLiteral("Area [m²]"), "AREA", "DBEditArea", QString(),
             QStringLiteral("Ytterdörrens area| Ytterdörrens area i m2"));
    AddInput("LabelUValue", QStringLiteral("U-värde [W/(m²*K)]"), "UVALUE", "DBEditUValue", QString(),
             QStringLiteral("Ytterdörrens U-värde| Ytterdörrens U-värde i W/(m2*K)"));
    FinishLayout();
}

void TFormDoorEdit::Rename(const std::string& Name) { FData.RenameDoor(Name); }
void TFormDoorEdit::DeleteCurrent() { FData.DeleteDoor(); }
bool TFormDoorEdit::Archive(const std::string& Name) { return FData.ArchiveDoor(Name); }
void TFormDoorEdit::DeleteArchived(const std::string& Name) { FPreDef.DeleteArchivedDoor(Name); }
