#include "calc/EN832Lib.h"

#include "calc/MathError.h"

#include <cmath>
#include <string>

namespace {

constexpr int32_t kDaysOfMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr long double kAirHeatCapacity = 0.34L; // Wh/(m3 K)
constexpr long double kA0 = 1.0L;
constexpr long double kTau0 = 16.0L;            // h
constexpr long double kKJToWh = 3.6L;
constexpr long double kHoursPerDay = 24.0L;
constexpr long double kWhPerKWh = 1000.0L;

// Wind-exposure coefficient e by facades and shielding, and the factor f.
constexpr long double kExposure[2][3] = {{0.10L, 0.07L, 0.04L}, {0.03L, 0.02L, 0.01L}};
constexpr long double kFactorF[2] = {15.0L, 20.0L};

const char* const kMonthNames[12] = {"januari", "februari", "mars",     "april",
                                     "maj",     "juni",     "juli",     "augusti",
                                     "september", "oktober", "november", "december"};

// The one working record of the process; every call overwrites it whole.
BALANCE WorkRecord;

void CheckWindTable(const VENTILATION& Vent) {
    if (Vent.Facades < 0 || Vent.Facades > 1) {
        throw EInputError("Ogiltigt värde för antal vindutsatta fasader: " +
                          std::to_string(Vent.Facades) + " (tillåtna värden är 0 och 1)");
    }
    if (Vent.Shielding < 0 || Vent.Shielding > 2) {
        throw EInputError("Ogiltigt värde för avskärmning: " + std::to_string(Vent.Shielding) +
                          " (tillåtna värden är 0, 1 och 2)");
    }
}

} // namespace

double VentilationCoefficient(const VENTILATION& Vent) {
    if (!Vent.Mechanical) {
        return 0.0;
    }
    const long double V =
        Vent.SupplyFlow > Vent.ExtractFlow ? Vent.SupplyFlow : Vent.ExtractFlow;
    return Checked(kAirHeatCapacity * (1.0L - Vent.HeatExEff) * V, "ventilationsförlustfaktor");
}

double InfiltrationCoefficient(const VENTILATION& Vent) {
    if (!Vent.Mechanical) {
        return Checked(kAirHeatCapacity * Vent.NaturalAirFlow, "läckageförlustfaktor");
    }
    CheckWindTable(Vent);
    const long double e = kExposure[Vent.Facades][Vent.Shielding];
    const long double f = kFactorF[Vent.Facades];
    if (Vent.Flow50 == 0.0) {
        return 0.0;
    }
    const long double V50 = Vent.Flow50;
    const long double x = (static_cast<long double>(Vent.SupplyFlow) - Vent.ExtractFlow) / V50;
    return Checked(kAirHeatCapacity * V50 * e / (1.0L + (f / e) * x * x), "läckageförlustfaktor");
}

double UtilisationFactor(double C, double H, int32_t TotalLoss, int32_t TotalGain) {
    // With no loss the ratio gain/loss grows without bound; the limit of the
    // factor is 0, so none of the gain is used and nothing is divided.
    if (TotalLoss == 0) {
        return 0.0;
    }
    if (TotalGain < 0) {
        throw EInputError("Negativt värmetillskott: " + std::to_string(TotalGain) +
                          " kWh; utnyttjandefaktorn är inte definierad för negativa tillskott");
    }
    const long double Gamma =
        Checked(static_cast<long double>(TotalGain) / TotalLoss, "förhållande tillskott/förlust");
    const long double Tau = Checked(C / (kKJToWh * H), "tidskonstant");
    const long double a = Checked(kA0 + Tau / kTau0, "tidskonstant");
    if (Gamma == 1.0L) {
        return Checked(a / (a + 1.0L), "utnyttjandefaktor");
    }
    // 0^a is 0 for the positive exponents a reasonable building gives.
    const long double GammaA = Gamma == 0.0L ? 0.0L : std::pow(Gamma, a);
    const long double GammaA1 = Gamma == 0.0L ? 0.0L : std::pow(Gamma, a + 1.0L);
    return Checked((1.0L - GammaA) / (1.0L - GammaA1), "utnyttjandefaktor");
}

void CalculateBalance(const BALANCE& Input, BALANCE& Output) {
    ClearMathFlags();
    BALANCE& W = WorkRecord;
    W = Input;
    W.YearIntGain = W.YearSolarGain = W.YearTotalGain = 0;
    W.YearTransLoss = W.YearVentLoss = W.YearTotalLoss = W.YearHeatDemand = 0;

    if (W.P < 0) {
        throw EInputError("Negativ intern effekt: " + std::to_string(W.P) +
                          " W; internt värmetillskott kan inte vara negativt");
    }

    for (int m = 0; m < 12; ++m) {
        MONTHDATA& M = W.Months[m];
        M.Days = kDaysOfMonth[m];
        const long double Hours = static_cast<long double>(M.Days) * kHoursPerDay;

        long double S = 0.0L;
        for (int g = 0; g < GLZ_COUNT; ++g) {
            const GLAZING& G = W.Glazing[g];
            S += static_cast<long double>(M.Irradiance[g]) * G.GValue * G.GlazedFraction * G.Area *
                 (1.0L - G.Shading);
        }
        M.SolarGain = RoundHalfEven(S * Hours / kWhPerKWh, "solvärmetillskott");
        M.IntGain = RoundHalfEven(M.Days * static_cast<long double>(W.P) * kHoursPerDay / kWhPerKWh,
                                  "internt värmetillskott");
        M.TotalGain = M.SolarGain + M.IntGain;
        W.YearTotalGain += M.TotalGain;
        W.YearSolarGain += M.SolarGain;
        W.YearIntGain += M.IntGain;

        if (M.Ti > M.Te) {
            const long double DT = static_cast<long double>(M.Ti) - M.Te;
            M.TransCoeff = W.HT;
            const int32_t TransLoss =
                RoundHalfEven(DT * W.HT * kHoursPerDay / kWhPerKWh * M.Days, "transmissionsförlust");
            M.TransLoss = TransLoss > 0 ? TransLoss : 0;
            M.VentCoeff = VentilationCoefficient(M.Vent);
            M.InfCoeff = InfiltrationCoefficient(M.Vent);
            M.VentLoss = RoundHalfEven(DT * (static_cast<long double>(M.VentCoeff) + M.InfCoeff) *
                                           kHoursPerDay / kWhPerKWh * M.Days,
                                       "ventilationsförlust");
            M.TotalCoeff = Checked(static_cast<long double>(M.VentCoeff) + M.InfCoeff + W.HT,
                                   "total förlustfaktor");
            M.TotalLoss = M.TransLoss + M.VentLoss;
            W.YearTransLoss += M.TransLoss;
            W.YearVentLoss += M.VentLoss;
            W.YearTotalLoss += M.TotalLoss;
            if (M.TotalGain < 0) {
                throw EInputError(std::string("Negativt värmetillskott i ") + kMonthNames[m] +
                                  ": " + std::to_string(M.TotalGain) +
                                  " kWh; utnyttjandefaktorn är inte definierad för negativa "
                                  "tillskott");
            }
            M.UtilFactor = UtilisationFactor(W.C, M.TotalCoeff, M.TotalLoss, M.TotalGain);
            M.HeatDemand = Checked(static_cast<long double>(M.TotalLoss) -
                                       static_cast<long double>(M.TotalGain) * M.UtilFactor,
                                   "värmebehov");
        } else {
            M.TransCoeff = 0;
            M.TransLoss = 0;
            M.VentCoeff = 0;
            M.VentLoss = 0;
            M.TotalCoeff = 0;
            M.TotalLoss = 0;
            M.UtilFactor = 0;
            M.HeatDemand = 0;
        }
        W.YearHeatDemand += M.HeatDemand;
    }
    Output = W;
}
