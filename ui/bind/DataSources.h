// The data sources of the windows, one per view: every window that binds to
// a view of the building data module or the predefined-data module asks this
// registry, so that one view has exactly one data source.
#pragma once

#include "ui/bind/DataSource.h"

#include <QObject>

#include <map>
#include <string>

class TDataModuleBuildingData;
class TDataModulePreDefData;

class TDataSources : public QObject {
    Q_OBJECT
public:
    TDataSources(TDataModuleBuildingData& Data, TDataModulePreDefData& PreDef, QObject* Parent = nullptr);

    // The data source of a view.
    TDataSource& Of(TDataset& View);
    // A data source by its name: the building data module's names
    // ("DataSourceBuildings", "DataSourceOuterWalls", ...) and the archive
    // lists ("DataSourceClimateProfiles", "DataSourceN50PreDef",
    // "DataSourceP50PreDef", "DataSourceAirChangePreDef",
    // "DataSourceIntGainsPredef", "DataSourceSoils"). Raises for an unknown name.
    TDataSource& ByName(const std::string& Name);

private:
    TDataModuleBuildingData& FData;
    TDataModulePreDefData& FPreDef;
    std::map<TDataset*, TDataSource*> FSources;
};
