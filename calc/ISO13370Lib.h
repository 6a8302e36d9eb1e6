// Thermal transmittance of a foundation towards the ground by ISO 13370.
//
// Each class holds the inputs of one foundation case as plain fields;
// Calculate turns them into U and keeps the intermediate results of the
// standard. Lengths m, areas m2, conductivities W/(m K), resistances m2 K/W,
// transmittances W/(m2 K), wind speed m/s.
//
// The objects are owned through std::shared_ptr: the foundation objects that
// derive from these classes are held through an interface by the building,
// and the shared count releases them when the last holder lets go.
// Calculate raises EMathError when an input makes a step divide by zero or
// take the logarithm of a non-positive number; the outputs computed before
// the failing step keep their new values, the rest their old ones.
#pragma once

class TISO13370Ground {
public:
    TISO13370Ground() = default;
    TISO13370Ground(const TISO13370Ground&) = delete;
    TISO13370Ground& operator=(const TISO13370Ground&) = delete;
    virtual ~TISO13370Ground() = default;

    virtual void Calculate() = 0;

    // B' := 2 A / P.
    void UpdateCharacteristicDimension();

    double A = 0;      // floor area (of the basement floor for a heated basement)
    double P = 0;      // exposed perimeter
    double B = 0;      // characteristic dimension B' (output)
    double w = 0;      // thickness of the surrounding walls
    double Lambda = 0; // conductivity of the unfrozen ground
    double U = 0;      // the foundation's transmittance (output)
};

class TISO13370SlabOnGround : public TISO13370Ground {
public:
    void Calculate() override;

    double dt = 0; // total equivalent thickness of the floor (output)
    double Rf = 0; // thermal resistance of the floor construction
    double U0 = 0; // transmittance without edge insulation (output)
};

// Slab with edge insulation; the correction of the edge is the subclass's.
class TSIOInsulatedSlabOnGround : public TISO13370SlabOnGround {
public:
    void Calculate() override;
    virtual void CalcEdgeCorrection() = 0;

    double dn = 0;      // thickness of the edge insulation
    double D = 0;       // width (horizontal) or depth (vertical) of the edge insulation
    double LambdaN = 0; // conductivity of the edge insulation
    double DPsi = 0;    // linear transmittance correction (output)
    double RPrime = 0;  // additional resistance of the edge insulation (output)
    double dPrime = 0;  // additional equivalent thickness (output)
};

class TISO13370SlabHorizontal : public TSIOInsulatedSlabOnGround {
public:
    void CalcEdgeCorrection() override;
};

// Vertical edge insulation; also a foundation wall of low-density material.
class TISO13370SlabVertical : public TSIOInsulatedSlabOnGround {
public:
    void CalcEdgeCorrection() override;
};

class TISO13370SuspendedFloor : public TISO13370Ground {
public:
    void Calculate() override;

    double h = 0;   // height of the floor above the outside ground level
    double dg = 0;  // equivalent thickness of the ground under the crawl space (output)
    double Rg = 0;  // resistance of insulation on the base of the crawl space
    double Ug = 0;  // transmittance through the ground (output)
    double Uf = 0;  // transmittance of the suspended floor itself
    double Ux = 0;  // equivalent transmittance of walls and ventilation (output)
    double Uw = 0;  // transmittance of the crawl-space walls above ground
    double Eps = 0; // ventilation openings: opening area / area of the crawl-space walls
    double v = 0;   // mean wind speed at 10 m height
    double fw = 0;  // wind shielding factor, fraction
};

class TISO13370HeatedCellar : public TISO13370Ground {
public:
    void Calculate() override;

    double z = 0;      // depth of the basement floor below ground level
    double dt = 0;     // total equivalent thickness of the basement floor (output)
    double dw = 0;     // equivalent thickness of the basement walls (output)
    double UFloor = 0; // working value of the owner: mean U of the floor constructions
    double Ubf = 0;    // transmittance of the basement floor (output)
    double Ubw = 0;    // transmittance of the basement walls below ground (output)
    double Rw = 0;     // resistance of the basement wall construction
    double Rf = 0;     // resistance of the basement floor construction
};
