// The archive of windows.
#pragma once

#include "ui/UnitArchiveSelect.h"

class TDataModuleBuildingData;
class TDataModulePreDefData;
class TDataSources;

class TFormWindowSelect : public TFormArchiveSelect {
    Q_OBJECT
public:
    TFormWindowSelect(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSources& Sources,
                      QWidget* Parent = nullptr);

protected:
    TDataSource& List() override;
    void Take() override;
    void DeleteCurrent() override;

private:
    TDataModuleBuildingData& FData;
    TDataModulePreDefData& FPreDef;
    TDataSources& FSources;
};
