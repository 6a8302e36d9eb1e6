#include "calc/ISO13370Lib.h"

#include "calc/MathError.h"

#include <cmath>
#include <numbers>

namespace {
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kRsiFloor = 0.17L; // downward heat flow
constexpr long double kRse = 0.04L;
constexpr long double kRsiWall = 0.13L;  // horizontal heat flow

// The slab formula of ISO 13370 for an equivalent thickness d: the
// well-insulated form when d >= B', the logarithmic form otherwise.
long double SlabTransmittance(long double Lambda, long double B, long double d) {
    if (d >= B) {
        return Lambda / (0.457L * B + d);
    }
    return 2.0L * Lambda / (kPi * B + d) * std::log(kPi * B / d + 1.0L);
}
} // namespace

void TISO13370Ground::UpdateCharacteristicDimension() {
    B = Checked(2.0L * A / P, "karakteristiskt mått B'");
}

void TISO13370SlabOnGround::Calculate() {
    ClearMathFlags();
    UpdateCharacteristicDimension();
    dt = Checked(w + static_cast<long double>(Lambda) * (kRsiFloor + Rf + kRse), "ekvivalent tjocklek dt");
    U0 = Checked(SlabTransmittance(Lambda, B, dt), "U0");
    U = U0;
}

void TSIOInsulatedSlabOnGround::Calculate() {
    TISO13370SlabOnGround::Calculate();
    RPrime = Checked(static_cast<long double>(dn) / LambdaN - static_cast<long double>(dn) / Lambda,
                     "kantisoleringens tillskottsmotstånd R'");
    dPrime = Checked(static_cast<long double>(RPrime) * Lambda, "kantisoleringens ekvivalenta tjocklek d'");
    CalcEdgeCorrection();
    U = Checked(U + 2.0L * DPsi / B, "U");
}

void TISO13370SlabHorizontal::CalcEdgeCorrection() {
    const long double L = Lambda;
    DPsi = Checked(-(L / kPi) * (std::log(D / static_cast<long double>(dt) + 1.0L) -
                                 std::log(D / (static_cast<long double>(dt) + dPrime) + 1.0L)),
                   "kantkorrektion");
}

void TISO13370SlabVertical::CalcEdgeCorrection() {
    const long double L = Lambda;
    DPsi = Checked(-(L / kPi) * (std::log(2.0L * D / dt + 1.0L) -
                                 std::log(2.0L * D / (static_cast<long double>(dt) + dPrime) + 1.0L)),
                   "kantkorrektion");
}

void TISO13370SuspendedFloor::Calculate() {
    ClearMathFlags();
    UpdateCharacteristicDimension();
    const long double Bl = B;
    dg = Checked(w + static_cast<long double>(Lambda) * (kRsiFloor + Rg + kRse), "ekvivalent tjocklek dg");
    Ug = Checked(2.0L * Lambda / (kPi * Bl + dg) * std::log(kPi * Bl / dg + 1.0L), "Ug");
    Ux = Checked(2.0L * h * Uw / Bl + 1450.0L * Eps * v * fw / Bl, "Ux");
    const long double Sum = static_cast<long double>(Ug) + Ux;
    U = Checked(Uf * Sum / (Uf + Sum), "U");
}

void TISO13370HeatedCellar::Calculate() {
    ClearMathFlags();
    UpdateCharacteristicDimension();
    const long double L = Lambda;
    const long double zl = z;
    dt = Checked(w + L * (kRsiFloor + Rf + kRse), "ekvivalent tjocklek dt");
    Ubf = Checked(SlabTransmittance(L, B, dt + 0.5L * zl), "Ubf");
    dw = Checked(L * (kRsiWall + Rw + kRse), "ekvivalent tjocklek dw");
    Ubw = Checked((2.0L * L / (kPi * zl)) * (1.0L + 0.5L * dt / (dt + zl)) * std::log(zl / dw + 1.0L),
                  "Ubw");
    U = Checked((static_cast<long double>(A) * Ubf + zl * P * Ubw) / (A + zl * P), "U");
}
