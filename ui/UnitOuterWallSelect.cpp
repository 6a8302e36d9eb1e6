#include "ui/UnitOuterWallSelect.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"
#include "ui/bind/DataSources.h"
#include "ui/help/HelpContexts.h"

TFormOuterWallSelect::TFormOuterWallSelect(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef,
                                           TDataSources& Sources, QWidget* Parent)
    : TFormArchiveSelect(Parent), FData(Data), FPreDef(PreDef), FSources(Sources) {
    setObjectName(QStringLiteral("FormOuterWallSelect"));
    setProperty(bvhelp::kContextProperty, bvhelp::LayeredSelect);
}

void TFormOuterWallSelect::SetComponentMode(int Kind) {
    ComponentTypeName(Kind); // refuses a kind outside 0..6
    FKind = Kind;
    BindList();
}

TDataSource& TFormOuterWallSelect::List() { return FSources.Of(FPreDef.ArchiveViews(FKind).Components); }

void TFormOuterWallSelect::Take() { FData.TakeComponentFromArchive(FKind); }

void TFormOuterWallSelect::DeleteCurrent() { FPreDef.DeleteArchivedComponent(FKind); }
