// The archive of doors.
#pragma once

#include "ui/UnitArchiveSelect.h"

class TDataModuleBuildingData;
class TDataModulePreDefData;
class TDataSources;

class TFormDoorSelect : public TFormArchiveSelect {
    Q_OBJECT
public:
    TFormDoorSelect(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSources& Sources,
                    QWidget* Parent = nullptr);

protected:
    TDataSource& List() override;
    void Take() override;
    void DeleteCurrent() override;
    // The question names the door.
    QString DeleteQuestion() override;

private:
    TDataModuleBuildingData& FData;
    TDataModulePreDefData& FPreDef;
    TDataSources& FSources;
};
