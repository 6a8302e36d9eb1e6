// Dynamic thermal characteristics of a plane construction of homogeneous
// layers between two surface resistances (heat-transfer matrix method of
// ISO 13786, period one day): layer resistances, the U-value and the areal
// heat capacities of both sides.
#pragma once

#include "calc/ComplexNumLib.h"

#include <vector>

struct LAYER {
    double Thickness = 0;    // d, m (input)
    double ThermCond = 0;    // lambda, W/(m K) (input)
    double SpecCap = 0;      // c, J/(kg K) (input)
    double Density = 0;      // rho, kg/m3 (input)
    double Ratio = 0;        // xi = d / delta (result)
    double PenDepth = 0;     // periodic penetration depth delta, m (result)
    double RValue = 0;       // thermal resistance d / lambda, m2 K/W (result)
};

// Element 0 lies next to the first surface resistance.
using LAYERS = std::vector<LAYER>;

struct COMPONENT {
    LAYERS Layers;
    double Rs1 = 0;       // first surface resistance (the building passes Rsi)
    double Rs2 = 0;       // second surface resistance (the building passes Rse)
    double Kappa1 = 0;    // areal heat capacity of the side of Rs1, kJ/(m2 K) (result)
    double Kappa2 = 0;    // areal heat capacity of the side of Rs2, kJ/(m2 K) (result)
    double UValue = 0;    // W/(m2 K) (result)
};

struct MATRIX {
    COMPLEX Z11, Z12, Z21, Z22;
};

constexpr int kISO13786Period = 86400; // s

// Computes Input: the layer results are written into Input.Layers (the
// caller's elements carry them), and Output receives Input with every result
// field filled. Input and Output may be the same record. Raises EMathError
// for a layer with zero conductivity, density or specific heat and for a
// construction without layers (or with only zero-thickness layers).
void CalculateComponent(COMPONENT& Input, COMPONENT& Output);

MATRIX MatrixProduct(const MATRIX& A, const MATRIX& B);
MATRIX SurfaceMatrix(double R);
MATRIX LayerMatrix(const LAYER& Layer);
