// The archive of layered constructions of one kind.
#pragma once

#include "ui/UnitArchiveSelect.h"

class TDataModuleBuildingData;
class TDataModulePreDefData;
class TDataSources;

class TFormOuterWallSelect : public TFormArchiveSelect {
    Q_OBJECT
public:
    TFormOuterWallSelect(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSources& Sources,
                         QWidget* Parent = nullptr);
    void SetComponentMode(int Kind);
    int ComponentMode() const { return FKind; }

protected:
    TDataSource& List() override;
    void Take() override;
    void DeleteCurrent() override;

private:
    TDataModuleBuildingData& FData;
    TDataModulePreDefData& FPreDef;
    TDataSources& FSources;
    int FKind = 0;
};
