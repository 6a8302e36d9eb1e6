#include "calc/MathError.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace {
constexpr int kFaultFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

[[noreturn]] void Raise(const char* Fault, const char* What) {
    std::string Msg = Fault;
    if (What != nullptr && *What != '\0') {
        Msg += " (";
        Msg += What;
        Msg += ")";
    }
    throw EMathError(Msg);
}
} // namespace

void ClearMathFlags() { std::feclearexcept(kFaultFlags); }

double Checked(long double Value, const char* What) {
    // The volatile store forces the computation of Value to complete before
    // the flags are read; the compiler may not move it past the test.
    volatile long double Sink = Value;
    const int Raised = std::fetestexcept(kFaultFlags);
    if (Raised != 0) {
        std::feclearexcept(kFaultFlags);
        if ((Raised & FE_DIVBYZERO) != 0) {
            Raise("Division med noll", What);
        }
        if ((Raised & FE_INVALID) != 0) {
            Raise("Ogiltig flyttalsoperation", What);
        }
        Raise("Flyttalsspill", What);
    }
    const long double V = Sink;
    if (std::isnan(V)) {
        Raise("Ogiltig flyttalsoperation", What);
    }
    if (std::isinf(V) || std::fabs(V) > std::numeric_limits<double>::max()) {
        Raise("Flyttalsspill", What);
    }
    return static_cast<double>(V);
}

int32_t RoundHalfEven(long double Value, const char* What) {
    Checked(Value, What);
    // nearbyint rounds in the current mode, which the calculation never
    // changes from round-to-nearest-even.
    const long double R = std::nearbyintl(Value);
    if (R < static_cast<long double>(std::numeric_limits<int32_t>::min()) ||
        R > static_cast<long double>(std::numeric_limits<int32_t>::max())) {
        Raise("Flyttalsspill", What);
    }
    return static_cast<int32_t>(R);
}
