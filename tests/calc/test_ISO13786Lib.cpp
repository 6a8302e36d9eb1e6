#include "calc/ISO13786Lib.h"
#include "calc/MathError.h"

#include <gtest/gtest.h>

namespace {

COMPONENT OneLayer(double d, double lambda, double c, double rho, double Rs1, double Rs2) {
    COMPONENT C;
    LAYER L;
    L.Thickness = d;
    L.ThermCond = lambda;
    L.SpecCap = c;
    L.Density = rho;
    C.Layers.push_back(L);
    C.Rs1 = Rs1;
    C.Rs2 = Rs2;
    return C;
}

} // namespace

TEST(ISO13786, SingleLayerExamples) {
    struct Case {
        const char* Name;
        COMPONENT In;
        double Delta, Xi, R, U, Kappa1, Kappa2;
        double KappaTol;
    };
    const Case Cases[] = {
        {"concrete", OneLayer(0.2, 1.7, 880, 2300, 0.13, 0.04), 0.15199, 1.3159, 0.117647, 3.4765,
         81.69, 158.73, 0.005},
        {"concrete, symmetric", OneLayer(0.2, 1.7, 880, 2300, 0.13, 0.13), 0.15199, 1.3159, 0.117647,
         1.0 / (0.26 + 0.2 / 1.7), 83.49, 83.49, 0.005},
        {"insulation", OneLayer(0.1, 0.04, 1000, 30, 0.13, 0.04), 0.19149, 0.52221, 2.5, 0.37453,
         1.447, 1.548, 0.0005},
    };
    for (const Case& C : Cases) {
        COMPONENT In = C.In;
        COMPONENT Out;
        CalculateComponent(In, Out);
        const LAYER& L = Out.Layers[0];
        EXPECT_NEAR(L.PenDepth, C.Delta, 5e-6) << C.Name;
        EXPECT_NEAR(L.Ratio, C.Xi, 5e-5) << C.Name;
        EXPECT_NEAR(L.RValue, C.R, 5e-7) << C.Name;
        EXPECT_NEAR(Out.UValue, C.U, 5e-5) << C.Name;
        EXPECT_NEAR(Out.Kappa1, C.Kappa1, C.KappaTol) << C.Name;
        EXPECT_NEAR(Out.Kappa2, C.Kappa2, C.KappaTol) << C.Name;
        // The caller's own layer array carries the results too.
        EXPECT_EQ(In.Layers[0].RValue, L.RValue) << C.Name;
        EXPECT_EQ(In.UValue, Out.UValue) << C.Name;
    }
}

TEST(ISO13786, LayerOrderDecidesTheSides) {
    // Concrete inside, insulation outside: the inner side (Rs1) is heavy.
    COMPONENT C = OneLayer(0.15, 1.7, 880, 2300, 0.13, 0.04);
    C.Layers.push_back(OneLayer(0.15, 0.037, 800, 20, 0, 0).Layers[0]);
    CalculateComponent(C, C);
    EXPECT_GT(C.Kappa1, 50.0);
    EXPECT_LT(C.Kappa2, 5.0);
    EXPECT_NEAR(C.UValue, 1.0 / (0.17 + 0.15 / 1.7 + 0.15 / 0.037), 1e-12);

    COMPONENT Reversed = C;
    std::swap(Reversed.Layers[0], Reversed.Layers[1]);
    std::swap(Reversed.Rs1, Reversed.Rs2);
    CalculateComponent(Reversed, Reversed);
    EXPECT_NEAR(Reversed.Kappa1, C.Kappa2, 1e-9);
    EXPECT_NEAR(Reversed.Kappa2, C.Kappa1, 1e-9);
    EXPECT_NEAR(Reversed.UValue, C.UValue, 1e-15);
}

TEST(ISO13786, FaultsRaise) {
    COMPONENT NoLayers;
    NoLayers.Rs1 = 0.13;
    NoLayers.Rs2 = 0.04;
    COMPONENT ZeroThickness = OneLayer(0, 1.7, 880, 2300, 0.13, 0.04);
    const COMPONENT Cases[] = {
        NoLayers,
        ZeroThickness,
        OneLayer(0.2, 0, 880, 2300, 0.13, 0.04),  // zero conductivity
        OneLayer(0.2, 1.7, 0, 2300, 0.13, 0.04),  // zero heat capacity
        OneLayer(0.2, 1.7, 880, 0, 0.13, 0.04),   // zero density
        OneLayer(0.2, 1.7, -880, 2300, 0.13, 0.04), // negative heat capacity
    };
    int i = 0;
    for (COMPONENT C : Cases) {
        COMPONENT Out;
        Out.UValue = -1;
        EXPECT_THROW(CalculateComponent(C, Out), EMathError) << "case " << i;
        EXPECT_EQ(Out.UValue, -1) << "case " << i;
        ++i;
    }
}

TEST(ComplexNum, Operations) {
    const COMPLEX a{3, 4}, b{1, -2};
    const COMPLEX s = CAdd(a, b);
    EXPECT_EQ(s.re, 4);
    EXPECT_EQ(s.im, 2);
    const COMPLEX p = CMul(a, b); // (3+4i)(1-2i) = 11 - 2i
    EXPECT_EQ(p.re, 11);
    EXPECT_EQ(p.im, -2);
    const COMPLEX q = CDiv(p, b);
    EXPECT_NEAR(q.re, 3, 1e-15);
    EXPECT_NEAR(q.im, 4, 1e-15);
    EXPECT_EQ(CAbs(a), 5);
    EXPECT_THROW(CDiv(a, COMPLEX{0, 0}), EMathError);
    EXPECT_THROW(CDiv(COMPLEX{0, 0}, COMPLEX{0, 0}), EMathError);
}
