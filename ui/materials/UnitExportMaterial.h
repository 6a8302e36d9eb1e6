// The material export dialog: the chosen materials written to a material file.
#pragma once

#include "ui/exchange/UnitExportList.h"

#include <memory>

class TDatabase;
class TQuery;

class TFormExportMaterial : public TFormExportList {
    Q_OBJECT
public:
    // Db is the material manager's connection.
    TFormExportMaterial(TDatabase& Db, QWidget* Parent = nullptr);
    ~TFormExportMaterial() override;

protected:
    TDataset& Rows() override;
    void Write(const std::vector<int>& RecNos, const std::string& Path) override;

private:
    std::unique_ptr<TQuery> FQuery;
};
