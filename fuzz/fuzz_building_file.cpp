// Fuzzes the building-file reader: every building it reads must write and
// read back unchanged, and the reader must account for every announced
// building without hanging.
#include "FuzzCommon.h"

#include "exchange/UnitBuildingFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::span<const uint8_t> Bytes(Data, Size);
    try {
        TBuildingFileReader R(Bytes);
        TReadBuilding B;
        int64_t Seen = 0;
        while (R.Next(B)) {
            BV_FUZZ_CHECK(B.Count >= 1);
            Seen += B.Count;
            if (B.Building) {
                BV_FUZZ_CHECK(B.Building->PVersion == 2);
                BV_FUZZ_CHECK(B.Building->Months.size() == 12);
                CheckRoundTrip(*B.Building);
                B.Building->RenameBuilding("x");
                CheckRoundTrip(*B.Building);
            } else {
                BV_FUZZ_CHECK(!B.Error.empty());
            }
        }
        BV_FUZZ_CHECK(Seen == R.NBuildings());
    } catch (const EStreamError&) {
    }
    return 0;
}
