#include "report/ReportParameters.h"

void TReportParameters::Set(const QString& Name, const QString& Value) {
    const QString Key = Name.toUpper();
    if (Value.isEmpty()) {
        FValues.erase(Key);
    } else {
        FValues[Key] = {Name, Value};
    }
}

QString TReportParameters::Get(const QString& Name) const {
    const auto It = FValues.find(Name.toUpper());
    return It == FValues.end() ? QString() : It->second.second;
}

bool TReportParameters::Has(const QString& Name) const { return FValues.count(Name.toUpper()) > 0; }

std::map<QString, QString> TReportParameters::All() const {
    std::map<QString, QString> R;
    for (const auto& [Key, NV] : FValues) {
        R[NV.first] = NV.second;
    }
    return R;
}

void TReportParameters::SetLabelParameters() {
    static const char* const Labels[][2] = {
        {"PageHeaderInfoStr", "Braskvalla " BV_VERSION},
        {"PrintDateStr", "Utskriftsdatum"},
        {"TitleStr", "Beräkningsrapport för uppvärmningsenergi enligt ISO 13790:2004"},
        {"BuildingStr", "Byggnad"},
        {"DateStr", "Utskriftsdatum"},
        {"KeyValuesStr", "Nyckeltal"},
        {"AreaStr", "Area"},
        {"SurfaceAreaStr", "Omslutningsarea"},
        {"AverageUValueStr", "Genomsnittligt U-värde"},
        {"InnerTempStr", "Innetemperatur"},
        {"kWhPerFloorStr", "kWh per golvarea"},
        {"kWhPerSurfaceStr", "kWh per omslutningsarea"},
        {"HeatLossCoeffStr", "Vämeöverföringskoefficient"},
        {"TimeConstStr", "Tidskonstant"},
        {"TotalCapacityStr", "Total kapacitet"},
        {"kWhPerM2YearStr", "kWh/(m²*år)"},
        {"ClimateStr", "Klimatprofil"},
        {"ClimateDataHeaderStr", "Klimatdata"},
        {"InternalGainStr", "Internt värmetillskott"},
        {"UndefinedGainStr", "Odefinerat"},
        {"MetabolicGainStr", "Metaboliskt"},
        {"AppliancesGainStr", "Apparatur"},
        {"LightingGainStr", "Belysning"},
        {"SolarStr", "Solinstrålning"},
        {"MonthStr", "Månad"},
        {"TempStr", "Temperatur"},
        {"SouthStr", "Söder"},
        {"WestStr", "Väst"},
        {"EastStr", "Öst"},
        {"NorthStr", "Norr"},
        {"HorStr", "Horisontellt"},
        {"VentilationTypeStr", "Ventilationstyp"},
        {"VSUPStr", "Ventilation tillluft"},
        {"VEXStr", "Ventilation frånluft"},
        {"HeatExcFactorStr", "Värmeväxlingsgrad"},
        {"LeakageStr", "Luftläckage"},
        {"V50Str", "V50"},
        {"WindshieldingStr", "Skärmning för vind"},
        {"ExpFacadsStr", "Exponerade fasader"},
        {"AirVolumeStr", "Volym"},
        {"AirExchangePHourStr", "Luftomsättningar/h"},
        {"TotalStr", "Total"},
        {"EnergyBalanceStr", "Energibalans"},
        {"TransmissionStr", "Transmission"},
        {"VentilationStr", "Ventilation"},
        {"AirLeakageStr", "Luftläckage"},
        {"IntGainStr", "Internt tillskott"},
        {"SunGainStr", "Solinstrålning"},
        {"UsageStr", "Nyttjandegrad"},
        {"HeatinStr", "Uppvärmning"},
        {"LossesStr", "Förluster [kWh]"},
        {"GainsStr", "Tillskott [kWh]"},
        {"ChartTextStr", "Månadsvis energiåtgång för uppvärmning"},
        {"GroundAreaStr", "Area"},
        {"GroundUValueStr", "U-värde"},
        {"GroundPerimeterStr", "Omkrets"},
        {"GroundDepthStr", "D: Grundmurens djup under mark"},
        {"GroundSoilTypeStr", "Marktyp"},
        {"GroundSoilCondStr", "Markens konduktivitet"},
        {"GroundIsoThicknessStr", "Isoleringens tjocklek"},
        {"GroundWallThicknessStr", "Grundmurens tjocklek"},
        {"GroundIsoDepthUnderGroundStr", "Isoleringens djup under mark"},
        {"GroundWallDepthUnderGroundStr", "Grundmurens djup under mark"},
        {"GroundIsoLengthStr", "Isoleringens längd"},
        {"GroundIsoCondStr", "Isoleringens konduktivitet"},
        {"GroundVentArea", "Ventilationsarea"},
        {"GroundWindShieldFactorStr", "Vindexponering"},
        {"GroundWindSpeedStr", "Vindhastighet"},
        {"GroundWallAboveHightStr", "Grundmurens höjd över mark"},
        {"GroundElementDepthStr", "Kantelementets djup"},
        {"GroundFloorHeaderStr", "Bottenbjälklag"},
        {"GroundSlabHeaderStr", "Grundplatta"},
        {"GroundWallsHeaderStr", "Grundmur"},
        {"ConstructionsHeadinStr", "Ingående konstruktioner"},
        {"ConstructionsHeadingStr", "Ingående konstruktioner"},
        {"OuterWallsHeaderStr", "Ytterväggar"},
        {"RoofsHeaderStr", "Tak"},
        {"InnerWallsHeaderStr", "Innerväggar"},
        {"InnerRoofsHeaderStr", "Mellanbjälklag"},
        {"InnerCapacityStr", "Inre kapacitet"},
        {"OuterCapacityStr", "Yttre kapacitet"},
        {"UValueStr", "U-värde"},
        {"ContainedLayersStr", "Ingående lager"},
        {"ThicknessStr", "Tjocklek"},
        {"ConductivityStr", "Konduktivitet"},
        {"DensityStr", "Densitet"},
        {"WIndowsHeaderStr", "Fönster"},
        {"WindowAreaStr", "Area"},
        {"WindowUValueStr", "U-värde"},
        {"WindowGValueStr", "G-värde"},
        {"WindowShadingStr", "Skuggfaktor"},
        {"WindowFramePercentStr", "Ramandel"},
        {"WindowDirectionStr", "Riktning"},
        {"DoorsHeaderStr", "Ytterdörrar och dylikt"},
        {"InformationHeaderStr", "Information om byggnaden och beräkningarna"},
        {"InformationCalcHeaderStr", "Information om beräkningarna"},
        {"InformationBuildingHeaderStr", "Information om byggnaden"},
        {"InfoCalcRow1Str", "Energiåtgång beräknad enligt ISO 13790:2004"},
        {"InfoCalcRow2Str",
         "Termiska egenskaper för konstruktioner av flera lager beräknade enligt ISO 14786:199 och ISO 6946:1996"},
        {"InfoCalcRow3Str", "Termiska egenskaper för husgrunden beräknade enligt ISO 13370:1998"},
        {"InfoCalcRow4Str", "Termiska egenskaper för byggnaden totalt beräknade enligt ISO 13789:1999"},
        {"M2Str", "m²"},
        {"M3Str", "m³"},
        {"M3PerHStr", "m³/h"},
        {"PercentStr", "%"},
        {"UValueUnitStr", "W/(m²*K)"},
        {"MStr", "m"},
        {"MmStr", "mm"},
        {"CondUnitStr", "W/(m*K)"},
        {"WindSpeedUnitstr", "m/s"},
        {"Cm2Str", "cm²"},
        {"CapacityUnitStr", "kJ/(m²*K)"},
        {"DensityUnitStr", "kg/m³"},
        {"Wm2Str", "W/m²"},
        {"Wstr", "W"},
        {"P50UnitStr", "l/(s*m²)"},
        {"N50UnitStr", "(m³/h)/m³"},
        {"LsekUnitStr", "l/sek"},
        {"LsekM2UnitStr", "l/(sek*m²)"},
    };
    for (const auto& L : Labels) {
        Set(QString::fromUtf8(L[0]), QString::fromUtf8(L[1]));
    }
}
