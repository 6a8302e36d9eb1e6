// The export dialog: the buildings chosen are written to an exchange file.
#pragma once

#include "ui/exchange/UnitExportList.h"

class TDataModuleExportBuilding;

class TFormExport : public TFormExportList {
    Q_OBJECT
public:
    TFormExport(TDataModuleExportBuilding& Data, QWidget* Parent = nullptr);

protected:
    TDataset& Rows() override;
    void Write(const std::vector<int>& RecNos, const std::string& Path) override;

private:
    TDataModuleExportBuilding& FData;
};
