#include "calc/ISO13370Lib.h"
#include "calc/MathError.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

template <class T> std::shared_ptr<T> Ground(double A = 100, double P = 40, double w = 0.3, double L = 2.0) {
    auto G = std::make_shared<T>();
    G->A = A;
    G->P = P;
    G->w = w;
    G->Lambda = L;
    return G;
}

template <class T> std::shared_ptr<T> Insulated(double dn, double D, double Ln) {
    auto G = Ground<T>();
    G->dn = dn;
    G->D = D;
    G->LambdaN = Ln;
    return G;
}

} // namespace

TEST(ISO13370, SlabOnGround) {
    auto S = Ground<TISO13370SlabOnGround>();
    S->Calculate();
    EXPECT_DOUBLE_EQ(S->B, 5.0);
    EXPECT_NEAR(S->dt, 0.72, 1e-15);
    const double Expected = 2 * 2.0 / (5 * Pi + 0.72) * std::log(5 * Pi / 0.72 + 1);
    EXPECT_NEAR(S->U, Expected, 1e-15);
    EXPECT_NEAR(S->U, 0.7615, 5e-5);
    EXPECT_EQ(S->U0, S->U);

    // dt equal to B' takes the well-insulated formula: w = 0 and
    // lambda (0.21 + Rf) = B'.
    auto W = Ground<TISO13370SlabOnGround>(100, 40, 0.0, 2.0);
    W->Rf = 2.5 - 0.21;
    W->Calculate();
    ASSERT_EQ(W->dt, W->B);
    EXPECT_NEAR(W->U, 2.0 / (0.457 * 5 + 5), 1e-15);
}

TEST(ISO13370, EdgeInsulation) {
    auto V = Insulated<TISO13370SlabVertical>(0.05, 1.0, 0.04);
    V->Calculate();
    EXPECT_NEAR(V->RPrime, 1.225, 1e-12);
    EXPECT_NEAR(V->dPrime, 2.45, 1e-12);
    EXPECT_NEAR(V->DPsi, -0.5348, 5e-5);
    EXPECT_NEAR(V->U, 0.5476, 5e-5);
    EXPECT_NEAR(V->U0, 0.7615, 5e-5);

    auto H = Insulated<TISO13370SlabHorizontal>(0.05, 1.0, 0.04);
    H->Calculate();
    EXPECT_NEAR(H->DPsi, -0.3798, 5e-5);
    EXPECT_NEAR(H->U, 0.6096, 5e-5);

    // No correction without extent, or with insulation conducting like the ground.
    for (auto E : {Insulated<TISO13370SlabHorizontal>(0.05, 0.0, 0.04),
                   Insulated<TISO13370SlabHorizontal>(0.05, 1.0, 2.0)}) {
        E->Calculate();
        EXPECT_NEAR(E->DPsi, 0.0, 1e-15);
        EXPECT_NEAR(E->U, E->U0, 1e-15);
    }

    // Insulation conducting better than the ground raises U above U0.
    auto Worse = Insulated<TISO13370SlabVertical>(0.05, 1.0, 3.0);
    Worse->Calculate();
    EXPECT_LT(Worse->RPrime, 0.0);
    EXPECT_GT(Worse->DPsi, 0.0);
    EXPECT_GT(Worse->U, Worse->U0);
}

TEST(ISO13370, SuspendedFloor) {
    auto F = Ground<TISO13370SuspendedFloor>();
    F->h = 0.5;
    F->Uf = 0.2;
    F->Uw = 1.5;
    F->Eps = 0.003;
    F->v = 4;
    F->fw = 0.05;
    F->Calculate();
    EXPECT_NEAR(F->dg, 0.72, 1e-15);
    EXPECT_NEAR(F->Ug, 0.7615, 5e-5);
    EXPECT_NEAR(F->Ux, 0.474, 1e-12);
    EXPECT_NEAR(F->U, 0.1721, 5e-5);

    // Without walls or ventilation only the ground path remains.
    F->Uw = 0;
    F->Eps = 0;
    F->Calculate();
    EXPECT_EQ(F->Ux, 0.0);
    EXPECT_NEAR(F->U, 0.2 * F->Ug / (0.2 + F->Ug), 1e-15);

    // The logarithmic Ug holds even when dg exceeds B'.
    auto Thick = Ground<TISO13370SuspendedFloor>(4, 8, 0.3, 2.0);
    Thick->Rg = 1.0;
    Thick->Uf = 0.3;
    Thick->Calculate();
    ASSERT_GT(Thick->dg, Thick->B);
    EXPECT_NEAR(Thick->Ug, 2 * 2.0 / (Pi * 1 + Thick->dg) * std::log(Pi / Thick->dg + 1), 1e-15);
}

TEST(ISO13370, HeatedCellar) {
    auto C = Ground<TISO13370HeatedCellar>();
    C->z = 2.0;
    C->Calculate();
    EXPECT_NEAR(C->dt, 0.72, 1e-15);
    EXPECT_NEAR(C->Ubf, 0.5315, 5e-5);
    EXPECT_NEAR(C->dw, 0.34, 1e-15);
    EXPECT_NEAR(C->Ubw, 1.3905, 5e-5);
    EXPECT_NEAR(C->U, 0.9133, 5e-5);
    EXPECT_NEAR(C->U, (100 * C->Ubf + 80 * C->Ubw) / 180, 1e-15);

    // A deep basement on a small plan: dt + z/2 >= B' takes the well-insulated form.
    auto Deep = Ground<TISO13370HeatedCellar>(16, 16, 0.3, 2.0);
    Deep->z = 4.0;
    Deep->Calculate();
    EXPECT_NEAR(Deep->Ubf, 2.0 / (0.457 * 2 + 0.72 + 2), 1e-15);
}

TEST(ISO13370, FaultsRaiseAndKeepWhatWasComputed) {
    auto NoPerimeter = Ground<TISO13370SlabOnGround>(100, 0);
    EXPECT_THROW(NoPerimeter->Calculate(), EMathError);

    auto ZeroDepth = Ground<TISO13370HeatedCellar>();
    ZeroDepth->z = 0;
    ZeroDepth->U = -1;
    EXPECT_THROW(ZeroDepth->Calculate(), EMathError);
    EXPECT_NEAR(ZeroDepth->Ubf, 2 * 2.0 / (5 * Pi + 0.72) * std::log(5 * Pi / 0.72 + 1), 1e-15);
    EXPECT_EQ(ZeroDepth->U, -1); // never reached

    auto NoInsulationConductivity = Insulated<TISO13370SlabVertical>(0.05, 1.0, 0.0);
    EXPECT_THROW(NoInsulationConductivity->Calculate(), EMathError);

    auto ZeroThickness = Ground<TISO13370SlabOnGround>(100, 40, 0.0, 0.0);
    EXPECT_THROW(ZeroThickness->Calculate(), EMathError);
}
