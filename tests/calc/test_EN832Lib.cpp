#include "calc/EN832Lib.h"
#include "calc/MathError.h"

#include <gtest/gtest.h>

namespace {

// A year in which every month is heated with the same climate.
BALANCE HeatedYear(double Te, double Ti) {
    BALANCE B;
    B.Ti = Ti;
    for (MONTHDATA& M : B.Months) {
        M.Te = Te;
        M.Ti = Ti;
    }
    return B;
}

void SetVentilation(BALANCE& B, const VENTILATION& V) {
    B.Vent = V;
    for (MONTHDATA& M : B.Months) {
        M.Vent = V;
    }
}

} // namespace

TEST(EN832, WorkedJanuary) {
    BALANCE B = HeatedYear(-5, 20);
    B.Months[0].Irradiance[GLZ_SOUTH] = 30;
    B.Glazing[GLZ_SOUTH] = {0.6, 0.2, 0.7, 10};
    B.P = 600;
    B.HT = 150;
    B.C = 28800;
    VENTILATION V;
    V.NaturalAirFlow = 150;
    SetVentilation(B, V);

    CalculateBalance(B, B);
    const MONTHDATA& J = B.Months[0];
    EXPECT_EQ(J.Days, 31);
    EXPECT_EQ(J.SolarGain, 75);
    EXPECT_EQ(J.IntGain, 446);
    EXPECT_EQ(J.TotalGain, 521);
    EXPECT_EQ(J.TransLoss, 2790);
    EXPECT_DOUBLE_EQ(J.VentCoeff, 0.0);
    EXPECT_NEAR(J.InfCoeff, 51.0, 1e-12);
    EXPECT_EQ(J.VentLoss, 949);
    EXPECT_EQ(J.TotalLoss, 3739);
    EXPECT_NEAR(J.TotalCoeff, 201.0, 1e-12);
    EXPECT_NEAR(J.UtilFactor, 0.999109, 5e-7);
    EXPECT_NEAR(J.HeatDemand, 3218.46, 5e-3);
    EXPECT_DOUBLE_EQ(J.TransCoeff, 150.0);
}

TEST(EN832, YearlySumsAndFixedDays) {
    BALANCE B = HeatedYear(0, 20);
    B.P = 600;
    B.HT = 100;
    B.C = 20000;
    for (MONTHDATA& M : B.Months) {
        M.Days = 99; // overwritten by the fixed table
    }
    // July and August are warm: gains but no losses.
    B.Months[6].Te = 22;
    B.Months[7].Te = 20; // Ti == Te is not heated either
    B.Months[6].InfCoeff = 7.5;

    CalculateBalance(B, B);
    const int Expected[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    double Gain = 0, Loss = 0, Demand = 0;
    for (int m = 0; m < 12; ++m) {
        const MONTHDATA& M = B.Months[m];
        EXPECT_EQ(M.Days, Expected[m]) << "month " << m + 1;
        Gain += M.TotalGain;
        Loss += M.TotalLoss;
        Demand += M.HeatDemand;
    }
    EXPECT_EQ(B.Months[1].IntGain, 403); // 28 x 600 x 24 / 1000 = 403.2
    for (int m : {6, 7}) {
        const MONTHDATA& M = B.Months[m];
        EXPECT_GT(M.TotalGain, 0);
        EXPECT_EQ(M.TotalLoss, 0);
        EXPECT_EQ(M.TransLoss, 0);
        EXPECT_EQ(M.UtilFactor, 0.0);
        EXPECT_EQ(M.HeatDemand, 0.0);
        EXPECT_EQ(M.TotalCoeff, 0.0);
    }
    EXPECT_EQ(B.Months[6].InfCoeff, 7.5); // an unheated month keeps its input value
    EXPECT_DOUBLE_EQ(B.YearTotalGain, Gain);
    EXPECT_DOUBLE_EQ(B.YearIntGain + B.YearSolarGain, Gain);
    EXPECT_DOUBLE_EQ(B.YearTotalLoss, Loss);
    EXPECT_DOUBLE_EQ(B.YearTransLoss + B.YearVentLoss, Loss);
    EXPECT_NEAR(B.YearHeatDemand, Demand, 1e-9);
}

TEST(EN832, CallerSumsAreReset) {
    BALANCE B = HeatedYear(30, 20); // never heated, no gains
    B.YearHeatDemand = 1234;
    B.YearIntGain = 5;
    B.Months[3].IntPower = 42; // carried
    CalculateBalance(B, B);
    EXPECT_EQ(B.YearHeatDemand, 0.0);
    EXPECT_EQ(B.YearIntGain, 0.0);
    EXPECT_EQ(B.Months[3].IntPower, 42.0);
}

TEST(EN832, RoundingHalvesToEven) {
    // February with a difference of 0.125 K: the loss is 0.125 x HT x 24 / 1000 x 28,
    // exactly 10.5 for HT 125 and 31.5 for HT 375, both halves in binary.
    struct Case {
        double HT;
        int32_t FebruaryLoss;
    };
    for (const Case& C : {Case{125, 10}, Case{375, 32}}) {
        BALANCE B = HeatedYear(20, 20.125);
        B.HT = C.HT;
        CalculateBalance(B, B);
        EXPECT_EQ(B.Months[1].TransLoss, C.FebruaryLoss) << C.HT;
    }
    EXPECT_EQ(RoundHalfEven(2.5L, ""), 2);
    EXPECT_EQ(RoundHalfEven(3.5L, ""), 4);
    EXPECT_EQ(RoundHalfEven(-2.5L, ""), -2);
    EXPECT_EQ(RoundHalfEven(446.4L, ""), 446);
    EXPECT_EQ(RoundHalfEven(948.6L, ""), 949);
}

TEST(EN832, UtilisationFactor) {
    struct Case {
        double C, H;
        int32_t Loss, Gain;
        double Eta;
    };
    const Case Cases[] = {
        {28800, 200, 3000, 1500, 0.95376}, // tau 40 h, a 3.5, gamma 0.5
        {0, 200, 1000, 1000, 0.5},         // gamma exactly 1 with C 0: a = 1
        {28800, 200, 1000, 1000, 3.5 / 4.5},
        {28800, 200, 1000, 0, 1.0},        // no gain: 0^a = 0
        {28800, 200, 0, 500, 0.0},         // no loss: nothing used, no division
        {28800, 0, 0, 500, 0.0},           // zero coefficient is no error without loss
    };
    for (const Case& C : Cases) {
        EXPECT_NEAR(UtilisationFactor(C.C, C.H, C.Loss, C.Gain), C.Eta, 5e-6)
            << C.C << " " << C.H << " " << C.Loss << " " << C.Gain;
    }
    const double Eta = UtilisationFactor(28800, 200, 3000, 1500);
    EXPECT_NEAR(3000 - 1500 * Eta, 1569.36, 5e-3);
}

TEST(EN832, VentilationAndInfiltrationCoefficients) {
    VENTILATION Mech;
    Mech.Mechanical = true;
    Mech.HeatExEff = 0.8;
    Mech.SupplyFlow = 200;
    Mech.ExtractFlow = 250;
    Mech.Flow50 = 576;
    Mech.Facades = 0;
    Mech.Shielding = 1;
    EXPECT_NEAR(VentilationCoefficient(Mech), 17.0, 1e-12);
    EXPECT_NEAR(InfiltrationCoefficient(Mech), 5.2430, 5e-5);

    VENTILATION SupplyLarger = Mech;
    SupplyLarger.SupplyFlow = 300;
    EXPECT_NEAR(VentilationCoefficient(SupplyLarger), 0.34 * 0.2 * 300, 1e-12);

    VENTILATION NoLeak = Mech;
    NoLeak.Flow50 = 0;
    EXPECT_EQ(InfiltrationCoefficient(NoLeak), 0.0);

    // The whole wind table: balanced flows give H_inf = 0.34 x V50 x e.
    const double E[2][3] = {{0.10, 0.07, 0.04}, {0.03, 0.02, 0.01}};
    for (int f = 0; f < 2; ++f) {
        for (int s = 0; s < 3; ++s) {
            VENTILATION V = Mech;
            V.SupplyFlow = V.ExtractFlow = 100;
            V.Facades = f;
            V.Shielding = s;
            EXPECT_NEAR(InfiltrationCoefficient(V), 0.34 * 576 * E[f][s], 1e-9) << f << s;
        }
    }

    VENTILATION Natural;
    Natural.NaturalAirFlow = 150;
    Natural.SupplyFlow = 500; // ignored without a mechanical system
    EXPECT_EQ(VentilationCoefficient(Natural), 0.0);
    EXPECT_NEAR(InfiltrationCoefficient(Natural), 51.0, 1e-12);
}

TEST(EN832, ZeroLossMonthHasNoDemand) {
    // Ti just above Te: the losses round to 0 while the gains are large.
    BALANCE B = HeatedYear(19.999, 20);
    B.HT = 1;
    B.P = 1000;
    B.C = 10000;
    CalculateBalance(B, B);
    for (const MONTHDATA& M : B.Months) {
        EXPECT_EQ(M.TotalLoss, 0);
        EXPECT_EQ(M.UtilFactor, 0.0);
        EXPECT_EQ(M.HeatDemand, 0.0);
    }
    // A heated month with no coefficients at all is no error either.
    BALANCE Z = HeatedYear(-5, 20);
    Z.P = 100;
    CalculateBalance(Z, Z);
    EXPECT_EQ(Z.YearHeatDemand, 0.0);
}

TEST(EN832, Errors) {
    // Each case leaves the output record untouched.
    BALANCE Base = HeatedYear(-5, 20);
    Base.HT = 100;
    Base.C = 10000;
    Base.P = 300;

    BALANCE NegativePower = Base;
    NegativePower.P = -50;

    BALANCE NegativeGlazing = Base;
    NegativeGlazing.P = 0;
    NegativeGlazing.Glazing[GLZ_SOUTH] = {0.5, 0, 1, -10};
    NegativeGlazing.Months[0].Irradiance[GLZ_SOUTH] = 20;

    BALANCE BadFacades = Base;
    VENTILATION V;
    V.Mechanical = true;
    V.Facades = 2;
    SetVentilation(BadFacades, V);

    BALANCE BadShielding = Base;
    V.Facades = 1;
    V.Shielding = 3;
    SetVentilation(BadShielding, V);

    BALANCE Overflow = Base;
    Overflow.HT = 1e300;

    struct Case {
        const char* Name;
        BALANCE In;
        bool Input; // EInputError, otherwise EMathError
        const char* Names;
    };
    const Case Cases[] = {{"negative power", NegativePower, true, "-50"},
                          {"negative solar gain", NegativeGlazing, true, "januari"},
                          {"facades outside the table", BadFacades, true, "2"},
                          {"shielding outside the table", BadShielding, true, "3"},
                          {"overflowing loss", Overflow, false, "transmissionsförlust"}};
    for (const Case& C : Cases) {
        BALANCE Out;
        Out.YearHeatDemand = 77;
        try {
            CalculateBalance(C.In, Out);
            ADD_FAILURE() << C.Name << ": no error";
        } catch (const EInputError& E) {
            EXPECT_TRUE(C.Input) << C.Name << ": " << E.what();
            EXPECT_NE(std::string(E.what()).find(C.Names), std::string::npos) << E.what();
        } catch (const EMathError& E) {
            EXPECT_FALSE(C.Input) << C.Name << ": " << E.what();
            EXPECT_NE(std::string(E.what()).find(C.Names), std::string::npos) << E.what();
        }
        EXPECT_EQ(Out.YearHeatDemand, 77) << C.Name;
    }
}

TEST(EN832, OutOfTableWindIsFineWithoutMechanicalSystem) {
    BALANCE B = HeatedYear(-5, 20);
    B.HT = 100;
    VENTILATION V;
    V.Facades = 9;
    V.Shielding = -1;
    V.NaturalAirFlow = 100;
    SetVentilation(B, V);
    EXPECT_NO_THROW(CalculateBalance(B, B));
    EXPECT_NEAR(B.Months[0].InfCoeff, 34.0, 1e-12);
}
