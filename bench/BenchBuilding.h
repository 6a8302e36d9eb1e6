// The large building of the benchmarks, "Kontor": 40 layered constructions
// of 6 layers, 60 windows, 10 doors, a heated basement, twelve months; with
// its building and foundation rows 364 rows.
#pragma once

#include "db/Database.h"

#include <cmath>
#include <string>
#include <utility>

namespace {

// The building: 12 outer walls, 8 inner walls, 6 roofs, 8 intermediate
// floors and a heated basement with 2 floor, 2 wall and 2 slab
// constructions, 40 constructions of 6 layers in all; 60 windows, 10 doors.
inline void FillBuilding(TDatabase& Db) {
    Db.Exec(R"(INSERT INTO Buildings (ID, INFO, AREA, VOLUME, SURFACEAREA, NATVENT, MECHVENT, HEATEX, UVALUE,
      CAPACITY, INTGAIN, SOLARGAIN, HEATGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, TEMPERATURE, WEATHERID,
      WEATHERINFO, VSUP, VEX, P50, FACADES, SHIELDING, RADLOSSCOEFF, LEAKLOSSCOEFF, VENTLOSSCOEFF, HEATLOSSCOEFF,
      VENTTYPE, N50, AIRCHANGESPERH, V50, INTPMETABOLIC, INTPLIGHTING, INTPAPPLIANCES, INTPUNDEF, VENTUNIT,
      VSUPLSEK, VEXLSEK, VSUPLAREA, VEXLAREA, P50IDNO, N50IDNO, AIRCHANGEIDNO, INTGAINUNIT, INTPUNDEFW,
      INTPMETABOLICW, INTPAPPLIANCESW, INTPLIGHTINGW, INTGAINSDEF, CALCULATED)
      VALUES ('Kontor', 'Stor byggnad', 1800, 5400, 0, 0, 0, 75, 0, 0, 0, 0, 0, 0, 0, 0, 0, 21, 'Stockholm', '',
      1800, 1900, 0.6, 0, 1, 0, 0, 0, 0, 1, 2.0, 0.5, 0, 3, 8, 6, 1, 2, 0, 0, 0.35, 0.4, 1, 2, 3, 0, 0, 0, 0, 0,
      1, 'N'))");
    const double Te[12] = {-2.8, -3.0, 0.1, 4.6, 10.7, 15.6, 17.2, 16.2, 11.9, 7.5, 2.6, -1.0};
    TStatement Month = Db.Prepare(
        "INSERT INTO Months (BUILDING, MONTH, TEMP, RADHOR, RADWEST, RADEAST, RADSOUTH, RADNORTH, DAYS, SOLGAIN, "
        "INTGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, INTPOWER, UTILFACTOR) "
        "VALUES ('Kontor', ?, ?, ?, ?, ?, ?, ?, 30, 0, 0, 0, 0, 0, 0, 0, 0)");
    for (int M = 1; M <= 12; ++M) {
        const double Sun = 20 + 100 * (6.5 - std::abs(M - 6.5)) / 6.5;
        Month.Bind(1, int64_t{M});
        Month.Bind(2, Te[M - 1]);
        Month.Bind(3, Sun * 1.5);
        Month.Bind(4, Sun * 0.8);
        Month.Bind(5, Sun * 0.7);
        Month.Bind(6, Sun);
        Month.Bind(7, Sun * 0.3);
        Month.Execute();
    }
    TStatement Comp = Db.Prepare("INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, "
                                 "OUTERCAPACITY, INNERCAPACITY) VALUES ('Kontor', ?, ?, ?, 0, 6, 0, 0)");
    TStatement Layer = Db.Prepare("INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, "
                                  "DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) "
                                  "VALUES ('Kontor', ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 0, 'N')");
    struct Mat {
        const char* Name;
        double Lambda, C, Rho, Depth;
    };
    const Mat Mats[6] = {{"Gipsskiva", 0.25, 1090, 900, 13}, {"Betong", 1.7, 880, 2300, 150},
                         {"Mineralull", 0.037, 840, 28, 120}, {"Träregel", 0.13, 1600, 500, 45},
                         {"Cellplast", 0.036, 1450, 20, 80}, {"Puts", 0.8, 1000, 1800, 15}};
    const std::pair<const char*, int> Kinds[] = {{"OuterWall", 12}, {"InnerWall", 8}, {"Roof", 6}, {"InnerRoof", 8},
                                                 {"GroundFloor", 2}, {"GroundWall", 2}, {"GroundSlab", 2}};
    for (const auto& [Type, Count] : Kinds) {
        for (int I = 1; I <= Count; ++I) {
            const std::string ID = std::string(Type) + " " + std::to_string(I);
            Comp.Bind(1, std::string(Type));
            Comp.Bind(2, ID);
            Comp.Bind(3, 20.0 + I);
            Comp.Execute();
            for (int P = 1; P <= 6; ++P) {
                const Mat& L = Mats[(P + I) % 6];
                Layer.Bind(1, std::string(Type));
                Layer.Bind(2, ID);
                Layer.Bind(3, int64_t{P});
                Layer.Bind(4, std::string(L.Name));
                Layer.Bind(5, L.Lambda);
                Layer.Bind(6, L.C);
                Layer.Bind(7, L.Rho);
                Layer.Bind(8, L.Depth);
                Layer.Execute();
            }
        }
    }
    TStatement Win = Db.Prepare("INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, "
                                "DIRECTION) VALUES ('Kontor', ?, 1.1, 0.55, 10, 25, ?, ?)");
    for (int I = 1; I <= 60; ++I) {
        Win.Bind(1, "Fönster " + std::to_string(I));
        Win.Bind(2, 1.0 + (I % 4));
        Win.Bind(3, int64_t{I % 5});
        Win.Execute();
    }
    TStatement Door = Db.Prepare("INSERT INTO Doors (BUILDING, ID, AREA, UVALUE) VALUES ('Kontor', ?, 2.1, 1.2)");
    for (int I = 1; I <= 10; ++I) {
        Door.Bind(1, "Dörr " + std::to_string(I));
        Door.Execute();
    }
    Db.Exec("INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME, "
            "GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH) "
            "VALUES ('Kontor', 'HeatedCellar', 0, 60, 2500, 300, 'Sand', 2.0, 0, 0, 0, 0, 0, 0, 0, 0)");
}

} // namespace
