// Fuzzes the record decoder: the first byte picks a record class, the rest
// is read as a sequence of records of that class (and as untyped records).
// Every record that reads must write and read back unchanged.
#include "FuzzCommon.h"

#include "exchange/UnitExportImport.h"
#include "exchange/UnitExportImportOld1.h"
#include "materials/UnitMaterialObj.h"

#include <cstddef>
#include <cstdint>

namespace {

// Reads records of class T until one fails to read. With RoundTrip each
// record read must also write and read back unchanged.
template <class T, bool RoundTrip = true>
void ReadAs(const uint8_t* Data, size_t Size) {
    TStreamReader S(Data, Size);
    while (!S.AtEnd()) {
        T Obj;
        try {
            Obj.ReadRecord(S);
        } catch (const EStreamError&) {
            return;
        }
        if constexpr (RoundTrip)
            CheckRoundTrip(Obj);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0)
        return 0;
    const uint8_t Pick = Data[0];
    ++Data;
    --Size;
    {
        TStreamReader S(Data, Size);
        try {
            while (!S.AtEnd())
                ReadAnyRecord(S);
        } catch (const EStreamError&) {
        }
    }
    switch (Pick % 12) {
    case 0: ReadAs<TExpFileInfo2>(Data, Size); break;
    case 1: ReadAs<TExpGround2>(Data, Size); break;
    case 2: ReadAs<TExpMonth2>(Data, Size); break;
    case 3: ReadAs<TExpLayeredComponent2>(Data, Size); break;
    case 4: ReadAs<TExpLayer2>(Data, Size); break;
    case 5: ReadAs<TExpDoor2>(Data, Size); break;
    case 6: ReadAs<TExpWindow2>(Data, Size); break;
    case 7: ReadAs<TMaterialsHeader>(Data, Size); break;
    case 8: ReadAs<TMaterial>(Data, Size); break;
    case 9: ReadAs<TExpGround1, false>(Data, Size); break;
    case 10: ReadAs<TExpLayer1, false>(Data, Size); break;
    default: {
        // A single building record without its members.
        TStreamReader S(Data, Size);
        TExpBuilding2 B;
        try {
            ReadProperties<TExpBuilding2>(S, TExpBuilding2::ClassName, B, TExpBuilding2::Properties());
        } catch (const EStreamError&) {
        }
        break;
    }
    }
    return 0;
}
