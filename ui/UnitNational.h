// The national settings: the name of the default building and the
// foundation kinds offered to the user.
#pragma once

class TDataModuleBuildingData;
class TFormMain;

class TNationalSetter {
public:
    // The default building is "Default"; the foundation list offers the six
    // ISO kinds and the two ALBA kinds, in this order.
    void Apply(TDataModuleBuildingData& Data, TFormMain& Main) const;
};
