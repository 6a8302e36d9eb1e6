// Fuzzes the material-file reader: every material it reads must write and
// read back unchanged.
#include "FuzzCommon.h"

#include "materials/UnitMaterialObj.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    try {
        TMaterialFileReader R(std::span<const uint8_t>(Data, Size));
        TMaterial M;
        while (R.Next(M))
            CheckRoundTrip(M);
    } catch (const EStreamError&) {
    }
    return 0;
}
