#include "ui/UnitWindowSelect.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "ui/bind/DataSources.h"
#include "ui/help/HelpContexts.h"

TFormWindowSelect::TFormWindowSelect(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef,
                                     TDataSources& Sources, QWidget* Parent)
    : TFormArchiveSelect(Parent), FData(Data), FPreDef(PreDef), FSources(Sources) {
    setObjectName(QStringLiteral("FormWindowSelect"));
    setProperty(bvhelp::kContextProperty, bvhelp::WindowSelect);
}

TDataSource& TFormWindowSelect::List() { return FSources.Of(FPreDef.TableWindows()); }
void TFormWindowSelect::Take() { FData.TakeWindowFromArchive(); }
void TFormWindowSelect::DeleteCurrent() { FPreDef.DeleteArchivedWindow(); }
