// Monthly heat balance of a building by the monthly method of EN 832.
//
// The building fills one BALANCE record, calls CalculateBalance and reads the
// results back from the same record. Energies are kWh, monthly values whole
// numbers; coefficients W/K; heat capacity kJ/K; air flows m3/h.
#pragma once

#include <cstdint>

struct VENTILATION {
    bool Mechanical = false;    // mechanical supply and extract system
    double NaturalAirFlow = 0;  // air change rate x volume, m3/h (not mechanical)
    double MechVent = 0;        // carried for the caller
    double HeatExEff = 0;       // heat-recovery efficiency, fraction 0..1
    double SupplyFlow = 0;      // m3/h
    double ExtractFlow = 0;     // m3/h
    double Flow50 = 0;          // air flow at 50 Pa, m3/h
    int32_t Facades = 0;        // 0 more than one facade exposed, 1 one facade
    int32_t Shielding = 0;      // 0 exposed, 1 normal, 2 sheltered
};

struct GLAZING {
    double GValue = 0;         // total solar energy transmittance, fraction
    double Shading = 0;        // fraction of the radiation removed by shading
    double GlazedFraction = 0; // 1 - frame fraction
    double Area = 0;           // glazed-opening area, m2
};

// Glazing groups and month irradiances are held in this orientation order.
enum GLAZINGDIR : int { GLZ_HORIZONTAL = 0, GLZ_SOUTH, GLZ_EAST, GLZ_WEST, GLZ_NORTH, GLZ_COUNT };

struct MONTHDATA {
    int32_t Days = 0;           // set by the balance
    double Te = 0;              // outdoor mean temperature, C
    double Irradiance[GLZ_COUNT] = {0, 0, 0, 0, 0}; // W/m2: horizontal, south, east, west, north
    double Ti = 0;              // indoor temperature, C
    int32_t SolarGain = 0;      // kWh
    double IntPower = 0;        // carried for the caller
    int32_t IntGain = 0;        // kWh
    int32_t TotalGain = 0;      // kWh
    double UtilFactor = 0;      // gain utilisation factor, fraction
    double TransCoeff = 0;      // W/K
    int32_t TransLoss = 0;      // kWh
    double VentCoeff = 0;       // H_V, W/K
    double InfCoeff = 0;        // H_inf, W/K
    int32_t VentLoss = 0;       // ventilation and infiltration, kWh
    double TotalCoeff = 0;      // H, W/K
    int32_t TotalLoss = 0;      // kWh
    VENTILATION Vent;           // the month's coefficients are computed from this copy
    double HeatDemand = 0;      // kWh, not rounded
};

struct BALANCE {
    VENTILATION Vent;
    double HT = 0;                    // transmission coefficient, W/K
    double C = 0;                     // effective heat capacity, kJ/K
    GLAZING Glazing[GLZ_COUNT];       // horizontal, south, east, west, north
    double P = 0;                     // internal power, W
    double YearIntGain = 0;           // yearly sums, kWh
    double YearSolarGain = 0;
    double YearTotalGain = 0;
    double YearTransLoss = 0;
    double YearVentLoss = 0;
    double YearTotalLoss = 0;
    double YearHeatDemand = 0;
    double Ti = 0;                    // indoor temperature, carried for the caller
    MONTHDATA Months[12];             // January first
};

// Computes the balance. Input and Output may be the same record; every field
// the balance does not compute keeps its input value. Raises EMathError on an
// arithmetic fault and EInputError on inputs outside the method's range;
// Output is then left untouched.
void CalculateBalance(const BALANCE& Input, BALANCE& Output);

// The parts of the method, exposed for the callers that show them.
double VentilationCoefficient(const VENTILATION& Vent);
double InfiltrationCoefficient(const VENTILATION& Vent);
// Utilisation factor for heat capacity C (kJ/K), total coefficient H (W/K),
// monthly total loss and gain (kWh).
double UtilisationFactor(double C, double H, int32_t TotalLoss, int32_t TotalGain);
