// The records of a building exchange file of the current version (2).
//
// A file is one TExpFileInfo2 record followed, per building, by the building
// record, one ground record, twelve month records and then as many
// construction, layer, door and window records as the building record's
// counts say. Property names are the ones files have always carried,
// misspellings included ("PVentilaionLoss", "PNLayeredCompoenents").
#pragma once

#include "exchange/ExpRecordFields.h"
#include "exchange/PropertyTable.h"
#include "exchange/UnitPropertyStream.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

class TDataModuleExportBuilding;

// A building that cannot be exported or stored as it stands.
class EExchangeError : public std::runtime_error {
public:
    explicit EExchangeError(const std::string& Msg) : std::runtime_error(Msg) {}
};

// The format version this program writes.
inline constexpr int32_t CurrentExchangeVersion = 2;

// The refusal of a file whose version is newer than this program reads.
inline constexpr const char* SWrongVersion = "Felaktig version. Kan ej läsa fil.";

class TExpComponent2 {
public:
    virtual ~TExpComponent2() = default;
    int32_t PVersion = CurrentExchangeVersion;

    // Appends the object as one record (the building: with all its members).
    virtual void WriteRecord(TStreamWriter& S) = 0;
    // Reads one record at the stream's position, leaving the stream just
    // after it. Properties are matched by name; the class name in the
    // record is not checked. Only the properties present are set.
    virtual void ReadRecord(TStreamReader& S) = 0;

    bool operator==(const TExpComponent2&) const = default;
};

class TExpFileInfo2 : public TExpComponent2 {
public:
    static constexpr const char* ClassName = "TExpFileInfo2";
    int32_t PNBuildings = 0;

    int32_t GetNBuildings() const { return PNBuildings; }
    void SetNBuildings(int32_t N) { PNBuildings = N; }

    static std::span<const TPropDef<TExpFileInfo2>> Properties();
    void WriteRecord(TStreamWriter& S) override;
    void ReadRecord(TStreamReader& S) override;
    bool operator==(const TExpFileInfo2&) const = default;
};

class TExpGround2 : public TGroundFields<TExpComponent2> {
public:
    static constexpr const char* ClassName = "TExpGround2";
    static std::span<const TPropDef<TExpGround2>> Properties();
    void WriteRecord(TStreamWriter& S) override;
    void ReadRecord(TStreamReader& S) override;
    // Fills the object from the current row of its view in M.
    void LoadFromDatabase(TDataModuleExportBuilding& M);
    // Appends one row to its view in M with the object's values and posts it.
    void StoreToDatabase(TDataModuleExportBuilding& M) const;
    bool operator==(const TExpGround2&) const = default;
};

class TExpMonth2 : public TMonthFields<TExpComponent2> {
public:
    static constexpr const char* ClassName = "TExpMonth2";
    static std::span<const TPropDef<TExpMonth2>> Properties();
    void WriteRecord(TStreamWriter& S) override;
    void ReadRecord(TStreamReader& S) override;
    // Fills the object from the current row of its view in M.
    void LoadFromDatabase(TDataModuleExportBuilding& M);
    // Appends one row to its view in M with the object's values and posts it.
    void StoreToDatabase(TDataModuleExportBuilding& M) const;
    bool operator==(const TExpMonth2&) const = default;
};

class TExpLayeredComponent2 : public TLayeredComponentFields<TExpComponent2> {
public:
    static constexpr const char* ClassName = "TExpLayeredComponent2";
    static std::span<const TPropDef<TExpLayeredComponent2>> Properties();
    void WriteRecord(TStreamWriter& S) override;
    void ReadRecord(TStreamReader& S) override;
    // Fills the object from the current row of its view in M.
    void LoadFromDatabase(TDataModuleExportBuilding& M);
    // Appends one row to its view in M with the object's values and posts it.
    void StoreToDatabase(TDataModuleExportBuilding& M) const;
    bool operator==(const TExpLayeredComponent2&) const = default;
};

class TExpLayer2 : public TLayerFields<TExpComponent2> {
public:
    static constexpr const char* ClassName = "TEXPLayer2"; // upper-case EXP, as files carry it
    static std::span<const TPropDef<TExpLayer2>> Properties();
    void WriteRecord(TStreamWriter& S) override;
    void ReadRecord(TStreamReader& S) override;
    // Fills the object from the current row of its view in M.
    void LoadFromDatabase(TDataModuleExportBuilding& M);
    // Appends one row to its view in M with the object's values and posts it.
    void StoreToDatabase(TDataModuleExportBuilding& M) const;
    bool operator==(const TExpLayer2&) const = default;
};

class TExpDoor2 : public TDoorFields<TExpComponent2> {
public:
    static constexpr const char* ClassName = "TExpDoor2";
    static std::span<const TPropDef<TExpDoor2>> Properties();
    void WriteRecord(TStreamWriter& S) override;
    void ReadRecord(TStreamReader& S) override;
    // Fills the object from the current row of its view in M.
    void LoadFromDatabase(TDataModuleExportBuilding& M);
    // Appends one row to its view in M with the object's values and posts it.
    void StoreToDatabase(TDataModuleExportBuilding& M) const;
    bool operator==(const TExpDoor2&) const = default;
};

class TExpWindow2 : public TWindowFields<TExpComponent2> {
public:
    static constexpr const char* ClassName = "TExpWindow2";
    static std::span<const TPropDef<TExpWindow2>> Properties();
    void WriteRecord(TStreamWriter& S) override;
    void ReadRecord(TStreamReader& S) override;
    // Fills the object from the current row of its view in M.
    void LoadFromDatabase(TDataModuleExportBuilding& M);
    // Appends one row to its view in M with the object's values and posts it.
    void StoreToDatabase(TDataModuleExportBuilding& M) const;
    bool operator==(const TExpWindow2&) const = default;
};

// A whole building: the building record and everything it owns.
class TExpBuilding2 : public TExpComponent2 {
public:
    static constexpr const char* ClassName = "TExpBuilding2";

    std::string PID;
    int32_t PVentType = 0; // not carried from the database: always 0
    double PNaturalVentilation = 0;
    double PMechanicalVentilation = 0;
    double PHeatExchangeEfficiency = 0;
    double PVSup = 0;
    double PVEx = 0;
    double PV50 = 0;
    int32_t PFacades = 0;
    int32_t PShielding = 0;
    double PRadiationLossCoeff = 0;
    double PCapacity = 0;
    double PInternalPower = 0; // not carried from the database
    double PInternalHeatGains = 0;
    double PSolarHeatGain = 0;
    double PHeatGain = 0;
    double PRadiationLoss = 0;
    double PVentilaionLoss = 0;
    double PLeakLossCoeff = 0;
    double PVentLossCoeff = 0;
    double PHeatLoss = 0;
    double PHeatLossCoeff = 0;
    double PHeatUsage = 0;
    double PVolume = 0;
    double PTemperature = 0;
    double PUValue = 0;
    double PArea = 0;
    double PInternalAericPUndef = 0;
    double PInternalAericPMetabolic = 0;
    double PInternalAericPAppliances = 0;
    double PInternalAericPLighting = 0;
    double PAericNaturalVentilation = 0; // not carried from the database
    double PAirChangesPerH = 0;
    double PP50 = 0;
    double PN50 = 0;
    int32_t PVentilationType = 0;
    double PSurfaceArea = 0;
    std::string PClimateProfile;
    std::string PInfo;
    std::string PWeatherInfo;
    bool PCalculated = false;
    int32_t PAirChangeIDNo = 0;
    int32_t PIntGainUnit = 0;
    int32_t PIntGainsDef = 0;
    int32_t PVentUnit = 0;
    double PVSupLSek = 0;
    double PVExLSek = 0;
    double PVSupLArea = 0;
    double PVExLArea = 0;
    int32_t PP50IdNo = 0;
    int32_t PN50IdNo = 0;
    double PIntPUndefW = 0;
    double PIntPMetabolicW = 0;
    double PIntPAppliancesW = 0;
    double PIntPLightingW = 0;
    double PCreated = 0; // date-time: days since 30 December 1899
    double PChanged = 0;
    int32_t PNLayers = 0;
    int32_t PNLayeredCompoenents = 0;
    int32_t PNWindows = 0;
    int32_t PNDoors = 0;

    TExpGround2 Ground;
    std::vector<TExpMonth2> Months;
    std::vector<TExpLayeredComponent2> LayeredComponents;
    std::vector<TExpLayer2> Layers;
    std::vector<TExpDoor2> Doors;
    std::vector<TExpWindow2> Windows;

    static std::span<const TPropDef<TExpBuilding2>> Properties();

    // Sets the four counts to the list sizes and writes the building record,
    // the ground, the months and each construction, layer, door and window.
    // Raises EStreamError, writing nothing, unless there are twelve months.
    void WriteRecord(TStreamWriter& S) override;
    // Reads a building of the current version with all its members.
    void ReadRecord(TStreamReader& S) override;
    // Fills the building and all its members from M, whose Buildings view
    // stands on the building's row. Raises EExchangeError when the building
    // does not have exactly twelve month rows: the file would not import.
    void LoadFromDatabase(TDataModuleExportBuilding& M);
    // Stores the building row and all member rows in one transaction, every
    // member under the building's own ID; a building without a ground
    // reference gets no foundation row. On failure nothing is stored (the
    // views of M are re-read) and the error passes on. A building with an
    // empty ID is refused (EExchangeError).
    void StoreToDatabase(TDataModuleExportBuilding& M);
    // Reads one building whose records are of the file's Version: below 2
    // the version-1 layout, converted; 2 the current layout. A newer
    // version raises EStreamError (SWrongVersion) and reads nothing.
    void ReadVersioned(TStreamReader& S, int32_t Version);

    const std::string& GetBuildingID() const { return PID; }
    // Gives the building and all its members the new ID. Layers keep the
    // name of their construction; a ground without a building reference (a
    // building without a foundation row) keeps it empty.
    void RenameBuilding(const std::string& NewID);

    bool operator==(const TExpBuilding2&) const = default;
};
