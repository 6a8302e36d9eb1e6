#include "ui/UnitDoorSelect.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "ui/bind/DataSources.h"
#include "ui/help/HelpContexts.h"

TFormDoorSelect::TFormDoorSelect(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSources& Sources,
                                 QWidget* Parent)
    : TFormArchiveSelect(Parent), FData(Data), FPreDef(PreDef), FSources(Sources) {
    setObjectName(QStringLiteral("FormDoorSelect"));
    setProperty(bvhelp::kContextProperty, bvhelp::DoorSelect);
    Messages[1] = QStringLiteral("Vill du ta bort dörren ur arkivet: ");
}

TDataSource& TFormDoorSelect::List() { return FSources.Of(FPreDef.TableDoors()); }
void TFormDoorSelect::Take() { FData.TakeDoorFromArchive(); }
void TFormDoorSelect::DeleteCurrent() { FPreDef.DeleteArchivedDoor(); }

QString TFormDoorSelect::DeleteQuestion() {
    return Messages.value(1) + QString::fromStdString(FPreDef.TableDoors().FieldByName("ID").AsString());
}
