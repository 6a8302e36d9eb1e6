// Shared checks of the fuzz targets: whatever a reader accepts must survive
// being written and read again unchanged.
#pragma once

#include "exchange/UnitPropertyStream.h"

#include <cstdlib>

#define BV_FUZZ_CHECK(Cond)                                                                    \
    do {                                                                                       \
        if (!(Cond))                                                                           \
            std::abort();                                                                      \
    } while (0)

// Writes Obj, reads the bytes into a fresh object and checks both agree.
template <class T>
void CheckRoundTrip(T& Obj) {
    TBytes Out;
    TStreamWriter W(Out);
    Obj.WriteRecord(W);
    TStreamReader R(Out);
    T Back;
    Back.ReadRecord(R);
    BV_FUZZ_CHECK(R.AtEnd());
    BV_FUZZ_CHECK(Back == Obj);
}
