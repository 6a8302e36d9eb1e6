#include "calc/MathError.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {
volatile double Zero = 0.0; // keeps the compiler from folding the faults away
volatile double Big = 1e308;
} // namespace

TEST(MathError, FaultsRaiseAndClearTheFlags) {
    struct Case {
        const char* Name;
        double (*Op)();
        const char* Message;
    };
    const Case Cases[] = {
        {"1/0", [] { return 1.0 / Zero; }, "Division med noll"},
        {"0/0", [] { return Zero / Zero; }, "Ogiltig flyttalsoperation"},
        {"sqrt(-1)", [] { return std::sqrt(Zero - 1.0); }, "Ogiltig flyttalsoperation"},
        {"log(0)", [] { return std::log(Zero); }, "Division med noll"},
        {"overflow", [] { return Big * 10.0; }, "Flyttalsspill"},
    };
    for (const Case& C : Cases) {
        ClearMathFlags();
        const double V = C.Op();
        try {
            Checked(V, "storhet");
            ADD_FAILURE() << C.Name << " did not raise";
        } catch (const EMathError& E) {
            EXPECT_STREQ(E.what(), (std::string(C.Message) + " (storhet)").c_str()) << C.Name;
        }
        // The flags were cleared: a sound value afterwards passes.
        EXPECT_EQ(Checked(1.5L, "x"), 1.5) << C.Name;
    }
}

TEST(MathError, NonFiniteValuesRaiseEvenWithoutFlags) {
    ClearMathFlags();
    EXPECT_THROW(Checked(std::numeric_limits<long double>::infinity(), "x"), EMathError);
    EXPECT_THROW(Checked(std::numeric_limits<long double>::quiet_NaN(), "x"), EMathError);
    // An extended value beyond the double range cannot be stored.
    EXPECT_THROW(Checked(1e400L, "x"), EMathError);
}

TEST(MathError, RoundingOutsideTheIntegerRangeRaises) {
    ClearMathFlags();
    EXPECT_EQ(RoundHalfEven(2147483647.4L, "x"), 2147483647);
    EXPECT_THROW(RoundHalfEven(2147483648.0L, "x"), EMathError);
    EXPECT_THROW(RoundHalfEven(-2147483649.0L, "x"), EMathError);
}
