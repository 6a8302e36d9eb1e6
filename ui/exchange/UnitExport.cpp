#include "ui/exchange/UnitExport.h"

#include "exchange/UnitExport.h"
#include "exchange/UnitExportData.h"
#include "ui/help/HelpContexts.h"

TFormExport::TFormExport(TDataModuleExportBuilding& Data, QWidget* Parent)
    : TFormExportList({QStringLiteral("Export"), QStringLiteral("Available"), QStringLiteral("Selected"),
                       QStringLiteral("New export"), QStringLiteral("Braskvalla File (*.bvf)"), QStringLiteral("bvf")},
                      Parent),
      FData(Data) {
    setObjectName(QStringLiteral("FormExport"));
    setProperty(bvhelp::kContextProperty, bvhelp::Export);
}

TDataset& TFormExport::Rows() {
    FData.RefreshAll();
    return FData.TableBuildings;
}

void TFormExport::Write(const std::vector<int>& RecNos, const std::string& Path) {
    ExportBuildingRows(FData, RecNos, Path);
}
