#include "ui/bind/DataSources.h"

#include "data/UnitBuildingData.h"
#include "data/UnitPreDefData.h"

TDataSources::TDataSources(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, QObject* Parent)
    : QObject(Parent), FData(Data), FPreDef(PreDef) {}

TDataSource& TDataSources::Of(TDataset& View) {
    auto It = FSources.find(&View);
    if (It == FSources.end()) {
        auto* S = new TDataSource(View, this);
        It = FSources.emplace(&View, S).first;
    }
    return *It->second;
}

TDataSource& TDataSources::ByName(const std::string& Name) {
    static const std::map<std::string, TDataset& (TDataModulePreDefData::*)()> Archive = {
        {"DataSourceClimateProfiles", &TDataModulePreDefData::TableClimateProfiles},
        {"DataSourceN50PreDef", &TDataModulePreDefData::TableN50PreDef},
        {"DataSourceP50PreDef", &TDataModulePreDefData::TableP50PreDef},
        {"DataSourceAirChangePreDef", &TDataModulePreDefData::TableAirChangePreDef},
        {"DataSourceIntGainsPredef", &TDataModulePreDefData::TableIntGainsPreDef},
        {"DataSourceSoils", &TDataModulePreDefData::TableSoils},
    };
    if (const auto It = Archive.find(Name); It != Archive.end()) {
        return Of((FPreDef.*(It->second))());
    }
    if (TDataset* View = FData.FindView(Name)) {
        return Of(*View);
    }
    throw EBVException("Okänd datakälla " + Name);
}
