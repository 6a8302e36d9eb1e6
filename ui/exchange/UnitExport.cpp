#include "ui/exchange/UnitExport.h"

#include "exchange/UnitExport.h"
#include "exchange/UnitExportData.h"

TFormExport::TFormExport(TDataModuleExportBuilding& Data, QWidget* Parent)
    : TFormExportList({QStringLiteral("Export"), QStringLiteral("Available"), QStringLiteral("Selected"),
                       QStringLiteral("New export"), QStringLiteral("Braskvalla File (*.bvf)"), QStringLiteral("bvf")},
                      Parent),
      FData(Data) {
    setObjectName(QStringLiteral("FormExport"));
}

TDataset& TFormExport::Rows() {
    FData.RefreshAll();
    return FData.TableBuildings;
}

void TFormExport::Write(const std::vector<int>& RecNos, const std::string& Path) {
    ExportBuildingRows(FData, RecNos, Path);
}
