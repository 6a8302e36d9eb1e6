// The window editor: one window of the current building.
#pragma once

#include "ui/UnitMemberEdit.h"

class QComboBox;

class TFormWindowEdit : public TFormMemberEdit {
    Q_OBJECT
public:
    TFormWindowEdit(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, TDataSource& Windows,
                    QWidget* Parent = nullptr);
    void ComboBoxDirectionChange();
    // Rebuilds the direction list from WindowDirectionItems(), keeping the choice.
    void RefreshDirections();

protected:
    void showEvent(QShowEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void Rename(const std::string& Name) override;
    void DeleteCurrent() override;
    bool Archive(const std::string& Name) override;
    void DeleteArchived(const std::string& Name) override;

private:
    void ShowDirection();
    QComboBox* FDirection;
};
