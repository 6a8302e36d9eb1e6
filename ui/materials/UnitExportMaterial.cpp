#include "ui/materials/UnitExportMaterial.h"

#include "db/Dataset.h"
#include "materials/UnitMaterialExp.h"
#include "ui/help/HelpContexts.h"

TFormExportMaterial::TFormExportMaterial(TDatabase& Db, QWidget* Parent)
    : TFormExportList({QStringLiteral("Exportera material"), QStringLiteral("Tillgängliga material"),
                       QStringLiteral("Valda material"), QStringLiteral("New material export"),
                       QStringLiteral("Braskvalla Material File (*.bmf)"), QStringLiteral("bmf")},
                      Parent),
      FQuery(std::make_unique<TQuery>(Db, "SELECT * FROM LayersPreDef")) {
    setObjectName(QStringLiteral("FormExportMaterial"));
    setProperty(bvhelp::kContextProperty, bvhelp::MaterialExport);
}

TFormExportMaterial::~TFormExportMaterial() = default;

TDataset& TFormExportMaterial::Rows() {
    if (FQuery->Active()) {
        FQuery->Refresh();
    } else {
        FQuery->Open();
    }
    return *FQuery;
}

void TFormExportMaterial::Write(const std::vector<int>& RecNos, const std::string& Path) {
    ExportMaterialRows(*FQuery, RecNos, Path);
}
