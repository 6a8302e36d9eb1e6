#include "calc/ISO13786Lib.h"

#include "calc/MathError.h"

#include <cmath>
#include <numbers>

namespace {
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kTwoPi = 2.0L * kPi;
constexpr long double kJToKJPerPeriod = 86.4L; // T / 1000
} // namespace

MATRIX MatrixProduct(const MATRIX& A, const MATRIX& B) {
    MATRIX R;
    R.Z11 = CAdd(CMul(A.Z11, B.Z11), CMul(A.Z12, B.Z21));
    R.Z12 = CAdd(CMul(A.Z11, B.Z12), CMul(A.Z12, B.Z22));
    R.Z21 = CAdd(CMul(A.Z21, B.Z11), CMul(A.Z22, B.Z21));
    R.Z22 = CAdd(CMul(A.Z21, B.Z12), CMul(A.Z22, B.Z22));
    return R;
}

MATRIX SurfaceMatrix(double R) {
    return {{1, 0}, {-R, 0}, {0, 0}, {1, 0}};
}

MATRIX LayerMatrix(const LAYER& Layer) {
    const long double xi = Layer.Ratio;
    const long double delta = Layer.PenDepth;
    const long double lambda = Layer.ThermCond;
    const long double ch = std::cosh(xi);
    const long double sh = std::sinh(xi);
    const long double co = std::cos(xi);
    const long double si = std::sin(xi);
    const char* What = "skiktmatris";
    MATRIX M;
    M.Z11 = {Checked(ch * co, What), Checked(sh * si, What)};
    M.Z22 = M.Z11;
    const long double f12 = -delta / (2.0L * lambda);
    M.Z12 = {Checked(f12 * (sh * co + ch * si), What), Checked(f12 * (ch * si - sh * co), What)};
    const long double f21 = -lambda / delta;
    M.Z21 = {Checked(f21 * (sh * co - ch * si), What), Checked(f21 * (sh * co + ch * si), What)};
    return M;
}

void CalculateComponent(COMPONENT& Input, COMPONENT& Output) {
    ClearMathFlags();
    long double SumR = 0.0L;
    for (LAYER& L : Input.Layers) {
        const long double lambda = L.ThermCond;
        L.PenDepth = Checked(
            std::sqrt(kISO13786Period * lambda / (kPi * static_cast<long double>(L.Density) * L.SpecCap)),
            "periodisk inträngningsdjup");
        L.Ratio = Checked(static_cast<long double>(L.Thickness) / L.PenDepth, "tjockleksförhållande");
        L.RValue = Checked(static_cast<long double>(L.Thickness) / lambda, "värmemotstånd");
        SumR += L.RValue;
    }

    MATRIX Z = SurfaceMatrix(Input.Rs1);
    for (const LAYER& L : Input.Layers) {
        Z = MatrixProduct(Z, LayerMatrix(L));
    }
    Z = MatrixProduct(Z, SurfaceMatrix(Input.Rs2));

    const COMPLEX MinusOne{-1, 0};
    const double Abs1 = CAbs(CDiv(Z.Z12, CAdd(Z.Z22, MinusOne)));
    const double Abs2 = CAbs(CDiv(Z.Z12, CAdd(Z.Z11, MinusOne)));
    Input.Kappa1 = Checked(kJToKJPerPeriod / (kTwoPi * Abs1), "värmekapacitet");
    Input.Kappa2 = Checked(kJToKJPerPeriod / (kTwoPi * Abs2), "värmekapacitet");
    Input.UValue = Checked(1.0L / (static_cast<long double>(Input.Rs1) + Input.Rs2 + SumR), "U-värde");
    if (&Output != &Input) {
        Output = Input;
    }
}
