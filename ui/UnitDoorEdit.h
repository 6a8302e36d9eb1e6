// The door editor: one door of the current building.
#pragma once

#include "ui/UnitMemberEdit.h"

class TFormDoorEdit : public TFormMemberEdit {
    Q_OBJECT
public:
    TFormDoorEdit(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSource& Doors,
                  QWidget* Parent = nullptr);

protected:
    void Rename(const std::string& Name) override;
    void DeleteCurrent() override;
    bool Archive(const std::string& Name) override;
    void DeleteArchived(const std::string& Name) override;
};
