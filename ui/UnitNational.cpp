#include "ui/UnitNational.h"

#include "data/UnitBuildingData.h"
#include "ui/UnitMain.h"

void TNationalSetter::Apply(TDataModuleBuildingData& Data, TFormMain& Main) const {
    Data.SetTemplateBuildingName("Default");
    Main.GroundTypes = {Slab,         LowDensityWall, SlabVerticalInsulation, SlabHorizontalInsulation,
                        SuspendedFloor, HeatedCellar, AlbaSlab,               AlbaCrawlSpace};
    Main.RebuildGroundTypeCombo();
}
