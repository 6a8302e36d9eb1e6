// The in-memory building of one calculation: its layered constructions with
// their layers, windows, doors and the foundation object. Every object loads
// itself from the building tables, computes, and stores itself back into the
// same rows.
//
// Table references are borrowed: the building data module owns the views and
// keeps them restricted to the current building (constructions to one TYPE,
// layers to the current construction). Lengths are held in metres and stored
// in millimetres, shares are held as fractions and stored as percentages.
#pragma once

#include "calc/EN832Lib.h"
#include "calc/ISO13370Lib.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A quantity held in SI units that its column stores scaled (millimetres,
// percent) remembers the column value it was loaded from: storing the
// quantity unchanged writes that value back exactly, instead of the value
// divided and multiplied again, which may differ in the last digit.
class TDataset;

struct TLoadedColumn {
    double Value = 0;
    bool Loaded = false;
};

// A failure the system reports with a message of its own.
class EBVException : public std::runtime_error {
public:
    explicit EBVException(const std::string& Msg) : std::runtime_error(Msg) {}
};

// A calculation that cannot be carried out. The message names the member
// that failed (a construction's or a door's ID, "Husgrund" for the
// foundation) and, on a line of its own (after CR LF), what is wrong with it
// in the words of the input pages ("Skikt 2 (Mineralull): konduktiviteten är
// 0 W/(m·K).").
class ECalcException : public EBVException {
public:
    explicit ECalcException(const std::string& Msg) : EBVException(Msg), FMember(Msg) {}
    ECalcException(const std::string& Member, const std::string& Cause)
        : EBVException(Cause.empty() ? Member : Member + "\r\n" + Cause), FMember(Member), FCause(Cause) {}

    const std::string& Member() const { return FMember; }
    const std::string& Cause() const { return FCause; } // "" when not known

private:
    std::string FMember;
    std::string FCause;
};

// Construction kinds, the values of LayeredComponents.TYPE and Layers.TYPE.
extern const char* const kComponentTypeOuterWall;  // "OuterWall"
extern const char* const kComponentTypeInnerWall;  // "InnerWall"
extern const char* const kComponentTypeRoof;       // "Roof"
extern const char* const kComponentTypeInnerRoof;  // "InnerRoof"
extern const char* const kComponentTypeGroundFloor; // "GroundFloor"
extern const char* const kComponentTypeGroundSlab; // "GroundSlab"
extern const char* const kComponentTypeGroundWall; // "GroundWall"

// The twelve foundation kinds; the key of each is the text in Grounds.TYPE.
enum GROUNDTYPE : int {
    Slab = 0,
    LowDensityWall,
    SlabVerticalInsulation,
    SlabHorizontalInsulation,
    SuspendedFloor,
    HeatedCellar,
    AlbaSlab,
    AlbaCrawlSpace,
    FinlandVertical1,
    FinlandVertical2,
    FinlandSuspended1,
    FinlandHeatedCellar1,
};
constexpr int kGroundTypeCount = 12;

// The Grounds.TYPE key of a kind ("Slab", "LowDensityWall", ...); raises
// EBVException for an ordinal outside 0..11.
const char* GroundTypeKey(int Kind);

// ---------------------------------------------------------------------------
// One material layer of a layered construction.
class TLayer {
public:
    TLayer() = default;
    TLayer(const TLayer&) = delete;
    TLayer& operator=(const TLayer&) = delete;
    virtual ~TLayer() = default;

    void SetLayerTable(TDataset* Table) { FLayerTable = Table; }
    void SetBuilding(const std::string& ID) { FBuilding = ID; }
    void SetComponent(const std::string& ID) { FComponent = ID; }
    void SetPosition(int32_t Pos) { FPosition = Pos; }

    // Reads the layer from the current row of the layer table; the current
    // row stays where it was.
    void Load();
    // Writes the layer into its row (found by building, component and
    // position without regard to case), appending one when there is none.
    void Store();

    double GetThickness() const { return FThickness; }
    double GetThermCond() const { return FThermCond; }
    double GetSpecCap() const { return FSpecCap; }
    double GetDensity() const { return FDensity; }
    // The results of the construction calculation for this layer.
    void SetResults(double Ratio, double PenDepth, double RValue);

    const std::string& GetID() const { return FID; }
    const std::string& GetBuilding() const { return FBuilding; }
    int32_t GetPosition() const { return FPosition; }
    double GetRatio() const { return FRatio; }
    double GetPenDepth() const { return FPenDepth; }
    double GetRValue() const { return FRValue; }

protected:
    TDataset* FLayerTable = nullptr;
    std::string FBuilding;
    std::string FComponent;
    std::string FID;        // material name
    std::string FType;      // construction kind of the owner
    int32_t FPosition = 0;  // 1 = next to the inner surface
    double FThickness = 0;  // m
    TLoadedColumn FDepthColumn;
    bool FLockedDepth = false;
    double FThermCond = 0;  // W/(m K)
    double FSpecCap = 0;    // J/(kg K)
    double FDensity = 0;    // kg/m3
    double FRatio = 0;      // d / delta
    double FPenDepth = 0;   // m
    double FRValue = 0;     // m2 K/W
};

// ---------------------------------------------------------------------------
// An opaque construction of material layers (a wall, roof, floor, or one of
// the foundation's floor, wall and slab constructions).
class TLayeredComponent {
public:
    TLayeredComponent() = default;
    TLayeredComponent(const TLayeredComponent&) = delete;
    TLayeredComponent& operator=(const TLayeredComponent&) = delete;
    virtual ~TLayeredComponent() = default;

    void SetComponentTable(TDataset* Table) { FComponentTable = Table; }
    void SetLayerTable(TDataset* Table) { FLayerTable = Table; }
    void SetID(const std::string& ID) { FID = ID; }
    // Sets the building ID here and in every layer already loaded.
    void SetBuilding(const std::string& ID);
    void SetInnerSurfaceResistance(double R) { FRsi = R; }
    void SetOuterSurfaceResistance(double R) { FRse = R; }

    // Reads the construction from the component table's current row and its
    // layers from the layer table (which must show this construction's
    // layers); the layers are numbered 1..n in table order.
    void Load();
    // U-value, areal heat capacities of both sides and the layer results.
    // Raises EMathError for a layer with zero conductivity, density or
    // specific heat, and for a construction without layers.
    void Compute();
    // Writes the construction row (found by building and ID, or appended)
    // and every layer; the component table returns to its current row.
    // Layer rows whose positions are not 1..n (a gap or a repeat) are first
    // renumbered 1..n in their order, as Load numbered the layers, so that
    // each layer goes back into the row it was read from.
    void Store();
    // Store, leaving the component table on the construction's row.
    void StoreHere();
    // What makes Compute fail, in the words of the editor ("Skikt 2
    // (Mineralull): konduktiviteten är 0 W/(m·K)."): no layers, layers of
    // zero or negative conductivity, density or specific heat, or of
    // negative thickness, only layers without thickness. "" when the inputs
    // show nothing of the kind.
    std::string DescribeFault() const;

    double GetArea() const { return FArea; }
    double GetUValue() const { return FUValue; }
    double GetUA() const;              // W/K
    double GetInnerCapacity() const;   // area x inner areal heat capacity, kJ/K
    double GetOuterCapacity() const;   // area x outer areal heat capacity, kJ/K

    const std::string& GetID() const { return FID; }
    const std::string& GetBuilding() const { return FBuilding; }
    const std::string& GetType() const { return FType; }
    TDataset* GetComponentTable() const { return FComponentTable; }
    int32_t GetLayerCount() const { return FLayerCount; }
    const std::vector<std::unique_ptr<TLayer>>& GetLayers() const { return FLayers; }
    double GetInnerArealCapacity() const { return FKappaInner; }
    double GetOuterArealCapacity() const { return FKappaOuter; }

protected:
    static void RenumberLayerRows(TDataset& Layers);

    std::string FID;
    std::string FBuilding;
    std::string FType;
    TDataset* FComponentTable = nullptr;
    TDataset* FLayerTable = nullptr;
    std::vector<std::unique_ptr<TLayer>> FLayers;
    int32_t FLayerCount = 0;
    double FRsi = 0;
    double FRse = 0;
    double FKappaInner = 0; // kJ/(m2 K)
    double FKappaOuter = 0; // kJ/(m2 K)
    double FUValue = 0;     // W/(m2 K)
    double FArea = 0;       // m2
};

// ---------------------------------------------------------------------------
// The g-value, U-value, shading fraction, glazed fraction and area of a
// window, in this order.
struct TSolarData {
    double GValue = 0;
    double UValue = 0;
    double Shading = 0;        // fraction removed by shading
    double GlazedFraction = 0; // 1 - frame share
    double Area = 0;           // m2
};

class TWindow {
public:
    void SetWindowTable(TDataset* Table) { FWindowTable = Table; }
    void SetID(const std::string& ID) { FID = ID; }
    void SetBuilding(const std::string& ID) { FBuilding = ID; }
    // Reads the window row with this ID (case ignored); the current row of
    // the table stays where it was.
    void Load();
    void Store();
    TSolarData GetSolarData() const { return FSolar; }
    int32_t GetDirection() const { return FDirection; }
    const std::string& GetID() const { return FID; }

private:
    std::string FID;
    std::string FBuilding;
    TDataset* FWindowTable = nullptr;
    TSolarData FSolar;
    int32_t FDirection = 0; // 0 north, 1 south, 2 west, 3 east, 4 horizontal
    TLoadedColumn FFrameFactorColumn;
    TLoadedColumn FShadingColumn;
};

class TDoor {
public:
    void SetDoorTable(TDataset* Table) { FDoorTable = Table; }
    void SetID(const std::string& ID) { FID = ID; }
    void SetBuilding(const std::string& ID) { FBuilding = ID; }
    void Load();
    void Store();
    double GetArea() const { return FArea; }
    double GetUValue() const { return FUValue; }
    const std::string& GetID() const { return FID; }
    // What makes the door's U x A fail ("" when nothing is seen).
    std::string DescribeFault() const;

private:
    std::string FID;
    std::string FBuilding;
    TDataset* FDoorTable = nullptr;
    double FUValue = 0;
    double FArea = 0;
};

// ---------------------------------------------------------------------------
// The foundation as the building sees it. The building holds it through a
// shared pointer; the object lives until the last holder lets go.
class IGround {
public:
    virtual ~IGround() = default;
    virtual void SetGroundTable(TDataset* Table) = 0;
    virtual void SetFloorTable(TDataset* Table) = 0;
    virtual void SetFloorLayerTable(TDataset* Table) = 0;
    virtual void SetWallTable(TDataset* Table) = 0;
    virtual void SetWallLayerTable(TDataset* Table) = 0;
    virtual void SetSlabTable(TDataset* Table) = 0;
    virtual void SetSlabLayerTable(TDataset* Table) = 0;
    virtual void SetBuilding(const std::string& ID) = 0;
    // Reads the Grounds row and the foundation's constructions.
    virtual void Load() = 0;
    // Writes the Grounds row (found by building and kind, or appended) and
    // the constructions.
    virtual void Store() = 0;
    // Derives the ground-heat-transfer inputs from the constructions and
    // computes U. Raises EMathError when the inputs cannot be calculated.
    virtual void Compute() = 0;
    virtual double GetU() = 0;
    // The area U applies to, m2.
    virtual double GetArea() = 0;
    // Sum of area x areal heat capacity of the constructions that face the
    // heated space, kJ/K.
    virtual double GetHeatCapacity() = 0;
    // What makes Compute fail, in the words of the foundation page (a
    // construction, a dimension that is zero, a choice not made); "" when
    // nothing is seen.
    virtual std::string DescribeFault() { return {}; }
};

using TComponentList = std::vector<std::unique_ptr<TLayeredComponent>>;

// Stores every construction of a list as its Store does; each component
// table returns to its current row at the end.
void StoreComponents(const TComponentList& List);

// What every foundation class shares: the building ID, the seven tables,
// the three construction groups, the soil name and the kind key.
class TGroundObject : public IGround {
public:
    void SetGroundTable(TDataset* Table) override { FGroundTable = Table; }
    void SetFloorTable(TDataset* Table) override { FFloorTable = Table; }
    void SetFloorLayerTable(TDataset* Table) override { FFloorLayerTable = Table; }
    void SetWallTable(TDataset* Table) override { FWallTable = Table; }
    void SetWallLayerTable(TDataset* Table) override { FWallLayerTable = Table; }
    void SetSlabTable(TDataset* Table) override { FSlabTable = Table; }
    void SetSlabLayerTable(TDataset* Table) override { FSlabLayerTable = Table; }
    // Keeps the ID and passes it to every construction of the three groups.
    void SetBuilding(const std::string& ID) override;

    const std::string& GetSoilName() const { return FSoilName; }
    const std::string& GetKindKey() const { return FKindKey; }
    const TComponentList& GetFloors() const { return FFloors; }
    const TComponentList& GetWalls() const { return FWalls; }
    const TComponentList& GetSlabs() const { return FSlabs; }

    // Area-weighted mean U of a construction group (each construction
    // computed before); TotalArea receives the group's area. Constructions
    // of zero area carry no weight; a group without area has mean 0.
    static double MeanU(const TComponentList& Group, double& TotalArea);

    // A column of the current Grounds row divided by Scale, the column value
    // remembered for StoreScaled.
    double LoadScaled(TDataset& T, const char* Column, double Scale);
    // Writes Held x Scale, or the loaded column value when it gives Held.
    void StoreScaled(TDataset& T, const char* Column, double Held, double Scale);

    // The faults of the constructions ("Mellangolv Golv: skikt 2 ..."), then
    // those of the kind's own inputs (DescribeInputs), one sentence each.
    std::string DescribeFault() override;

protected:
    // The current Grounds row; raises EBVException when the building has none.
    TDataset& GroundRow();
    // Rebuilds a group from every row of its table.
    void LoadGroup(TDataset* Table, TDataset* LayerTable, TComponentList& Group);
    static void StoreGroup(TComponentList& Group);
    static void ComputeGroup(TComponentList& Group);
    // Finds the Grounds row by building and kind key (case ignored), edits it
    // or appends one, and writes BUILDING and TYPE. The caller writes its
    // columns and posts.
    TDataset& EditGroundRow();
    // Adds a sentence for each input of the kind that the calculation cannot
    // work with (a perimeter of 0 m, a basement of depth 0).
    virtual void DescribeInputs(std::vector<std::string>& Faults) const { (void)Faults; }

    std::string FBuilding;
    TDataset* FGroundTable = nullptr;
    TDataset* FFloorTable = nullptr;
    TDataset* FFloorLayerTable = nullptr;
    TDataset* FSlabTable = nullptr;
    TDataset* FSlabLayerTable = nullptr;
    TDataset* FWallTable = nullptr;
    TDataset* FWallLayerTable = nullptr;
    TComponentList FFloors;
    TComponentList FWalls;
    TComponentList FSlabs;
    std::string FSoilName;
    std::string FKindKey;
    std::vector<std::pair<std::string, TLoadedColumn>> FLoadedColumns;
};

// Slab on ground without edge insulation ("Slab").
class TSlabonGround : public TISO13370SlabOnGround, public TGroundObject {
public:
    void Load() override;
    void Store() override;
    void Compute() override;
    double GetU() override { return U; }
    double GetArea() override;
    double GetHeatCapacity() override;

protected:
    void DescribeInputs(std::vector<std::string>& Faults) const override;
};

// Slab with horizontal edge insulation ("SlabHorizontalInsulation").
class TSlabHorizontal : public TISO13370SlabHorizontal, public TGroundObject {
public:
    void Load() override;
    void Store() override;
    void Compute() override;
    double GetU() override { return U; }
    // The slabs' area; unlike the other slab kinds it leaves A as it is.
    double GetArea() override;
    double GetHeatCapacity() override;

protected:
    void DescribeInputs(std::vector<std::string>& Faults) const override;
};

// Slab with vertical edge insulation or a foundation wall of low-density
// material ("SlabVerticalInsulation", "LowDensityWall"); base of the kinds
// that model a foundation-wall product as vertical edge insulation.
class TSlabVertical : public TISO13370SlabVertical, public TGroundObject {
public:
    void Load() override;
    void Store() override;
    // PrepareFloor, then the edge-insulated slab calculation.
    void Compute() override;
    double GetU() override { return U; }
    double GetArea() override;
    double GetHeatCapacity() override;
    // Computes the slabs and sets A and Rf from them.
    virtual void PrepareFloor();

protected:
    void DescribeInputs(std::vector<std::string>& Faults) const override;
    // The sentence for an edge insulation (or foundation wall) whose
    // conductivity the calculation cannot use.
    virtual std::string EdgeConductivityFault() const;
};

// Suspended floor over a ventilated crawl space ("SuspendedFloor").
class TSuspendedFloor : public TISO13370SuspendedFloor, public TGroundObject {
public:
    void Load() override;
    void Store() override;
    void Compute() override;
    double GetU() override { return U; }
    double GetArea() override;
    double GetHeatCapacity() override;

    double GetVentilationArea() const { return FVentilationArea; }
    bool GetUseGivenWallU() const { return FUseGivenWallU; }

protected:
    // Reads the row's columns into the fields; WALLDEPTH only when asked.
    void LoadColumns(bool ReadWallDepth);
    // Writes the row's columns and posts (the constructions are not stored).
    void StoreColumns();
    void DescribeInputs(std::vector<std::string>& Faults) const override;

    double FVentilationArea = 0; // cm2
    bool FUseGivenWallU = false;
};

// Heated basement ("HeatedCellar").
class THeatedCellar : public TISO13370HeatedCellar, public TGroundObject {
public:
    void Load() override;
    void Store() override;
    void Compute() override;
    double GetU() override { return U; }
    // Basement floor area plus z x P, the area of floor and walls below ground.
    double GetArea() override;
    double GetHeatCapacity() override;

    bool GetUseGivenWallU() const { return FUseGivenWallU; }

protected:
    void DescribeInputs(std::vector<std::string>& Faults) const override;
    // The sentence for a depth below ground the calculation cannot use.
    virtual std::string DepthFault() const;

    bool FUseGivenWallU = false;
};

// A slab whose foundation wall is a fixed product: 250 mm of conductivity
// 0.18 W/(m K), whatever the row holds ("AlbaSlab").
class TAlbaSlab : public TSlabVertical {
public:
    void Load() override;
};

// The fixed foundation wall of the Alba crawl space, built in memory and
// never loaded or stored: one layer of 250 mm concrete.
class TAlbaCrawlSpaceWallLayer1 : public TLayer {
public:
    TAlbaCrawlSpaceWallLayer1();
};

class TAlbaCrawlSpaceWall : public TLayeredComponent {
public:
    explicit TAlbaCrawlSpaceWall(double Area);
};

// Crawl space with the fixed Alba foundation wall ("AlbaCrawlSpace"): only
// its floor constructions are loaded and stored.
class TAlbaCrawlSpace : public TSuspendedFloor {
public:
    void Load() override;
    void Store() override;
};

// Vertical edge insulation of a chosen foundation-wall block
// ("FinlandVertical1"): SPECIALVAR1 picks the block, SPECIALVAR2 the added
// insulation.
class TFinlandVertical1 : public TSlabVertical {
public:
    void Load() override;
    void Store() override;
    int32_t GetSpecialVar1() const { return FSpecialVar1; }
    int32_t GetSpecialVar2() const { return FSpecialVar2; }

protected:
    std::string EdgeConductivityFault() const override;

private:
    int32_t FSpecialVar1 = 0;
    int32_t FSpecialVar2 = 0;
};

// Vertical edge insulation of a chosen insulated block ("FinlandVertical2").
class TFinlandVertical2 : public TSlabVertical {
public:
    void Load() override;
    void Store() override;
    int32_t GetSpecialVar1() const { return FSpecialVar1; }

protected:
    std::string EdgeConductivityFault() const override;

private:
    int32_t FSpecialVar1 = 0;
};

// Crawl space whose walls are a chosen block with a given U ("FinlandSuspended1").
class TFinlandSuspended1 : public TSuspendedFloor {
public:
    void Load() override;
    void Store() override;
    int32_t GetSpecialVar1() const { return FSpecialVar1; }

private:
    int32_t FSpecialVar1 = 0;
};

// Heated basement whose wall U follows from a chosen block and the depths of
// its insulated and plain parts ("FinlandHeatedCellar1").
class TFinlandHeatedCellar1 : public THeatedCellar {
public:
    void Load() override;
    void Store() override;
    int32_t GetSpecialVar1() const { return FSpecialVar1; }
    int32_t GetSpecialVar2() const { return FSpecialVar2; }
    int32_t GetSpecialVar3() const { return FSpecialVar3; }

protected:
    std::string DepthFault() const override;

private:
    int32_t FSpecialVar1 = 0;
    int32_t FSpecialVar2 = 0; // depth of the insulated block part, mm
    int32_t FSpecialVar3 = 0; // depth of the plain part, mm
};

// The foundation object for a Grounds.TYPE key (case ignored); nullptr for a
// key that names none of the twelve kinds.
std::shared_ptr<IGround> CreateGroundObject(const std::string& Key);

// ---------------------------------------------------------------------------
// Window orientations (Windows.DIRECTION).
enum TWindowDirection : int32_t { DirNorth = 0, DirSouth = 1, DirWest = 2, DirEast = 3, DirHorizontal = 4 };

// The building of one calculation.
class TBuilding {
public:
    TBuilding();
    TBuilding(const TBuilding&) = delete;
    TBuilding& operator=(const TBuilding&) = delete;
    ~TBuilding();

    void SetBuildingsTable(TDataset* Table) { FBuildingsTable = Table; }
    void SetOuterWallTable(TDataset* Table) { FOuterWallTable = Table; }
    void SetOuterWallLayerTable(TDataset* Table) { FOuterWallLayerTable = Table; }
    void SetInnerWallTable(TDataset* Table) { FInnerWallTable = Table; }
    void SetInnerWallLayerTable(TDataset* Table) { FInnerWallLayerTable = Table; }
    void SetRoofTable(TDataset* Table) { FRoofTable = Table; }
    void SetRoofLayerTable(TDataset* Table) { FRoofLayerTable = Table; }
    void SetInnerRoofTable(TDataset* Table) { FInnerRoofTable = Table; }
    void SetInnerRoofLayerTable(TDataset* Table) { FInnerRoofLayerTable = Table; }
    void SetGroundTable(TDataset* Table) { FGroundTable = Table; }
    void SetGroundFloorTable(TDataset* Table) { FGroundFloorTable = Table; }
    void SetGroundFloorLayerTable(TDataset* Table) { FGroundFloorLayerTable = Table; }
    void SetGroundSlabTable(TDataset* Table) { FGroundSlabTable = Table; }
    void SetGroundSlabLayerTable(TDataset* Table) { FGroundSlabLayerTable = Table; }
    void SetGroundWallTable(TDataset* Table) { FGroundWallTable = Table; }
    void SetGroundWallLayerTable(TDataset* Table) { FGroundWallLayerTable = Table; }
    void SetWindowTable(TDataset* Table) { FWindowTable = Table; }
    void SetDoorTable(TDataset* Table) { FDoorTable = Table; }
    void SetMonthTable(TDataset* Table) { FMonthTable = Table; }

    // Reads the building with this ID and all its members. Raises
    // EBVException when there is no such building, when one of its twelve
    // months or its foundation row is missing.
    void Load(const std::string& ID);
    // Computes every member and runs the monthly balance. A failing
    // construction, door or foundation raises ECalcException naming it and
    // saying what is wrong with it (its DescribeFault, or the arithmetic
    // fault when that finds nothing).
    void Compute();
    // Writes the building, its foundation, months and members back, in one
    // transaction: on any failure nothing is written and the tables are
    // re-read.
    void Store();
    // Gives the building and every member the new ID (writes nothing).
    void ChangeBuildingID(const std::string& ID);

    const std::string& GetID() const { return FID; }
    const BALANCE& GetBalance() const { return FBalance; }
    bool GetCalculated() const { return FCalculated; }
    double GetMeanU() const { return FMeanU; }
    double GetSurfaceArea() const { return FSurfaceArea; }
    const std::shared_ptr<IGround>& GetGround() const { return FGround; }
    const std::vector<std::unique_ptr<TLayeredComponent>>& GetOuterWalls() const { return FOuterWalls; }
    const std::vector<std::unique_ptr<TLayeredComponent>>& GetInnerWalls() const { return FInnerWalls; }
    const std::vector<std::unique_ptr<TLayeredComponent>>& GetRoofs() const { return FRoofs; }
    const std::vector<std::unique_ptr<TLayeredComponent>>& GetInnerRoofs() const { return FInnerRoofs; }
    const std::vector<std::unique_ptr<TDoor>>& GetDoors() const { return FDoors; }
    const std::vector<std::unique_ptr<TWindow>>& GetWindows() const { return FWindows; }

private:
    void LoadBuildingRow();
    void LoadMonths();
    void LoadComponents(TDataset* Table, TDataset* LayerTable, double Rsi, double Rse,
                        TComponentList& List);
    void LoadGround();
    void StoreRows();
    void StoreBuildingRow();
    void StoreMonths();
    // After a rolled-back Store: leave edit states and re-read every table.
    void RereadTables() noexcept;
    std::vector<TDataset*> Tables() const;

    std::string FID;
    TComponentList FOuterWalls;
    TComponentList FInnerWalls;
    TComponentList FRoofs;
    TComponentList FInnerRoofs;
    std::vector<std::unique_ptr<TDoor>> FDoors;
    std::vector<std::unique_ptr<TWindow>> FWindows;
    std::shared_ptr<IGround> FGround;

    TDataset* FBuildingsTable = nullptr;
    TDataset* FOuterWallTable = nullptr;
    TDataset* FOuterWallLayerTable = nullptr;
    TDataset* FInnerWallTable = nullptr;
    TDataset* FInnerWallLayerTable = nullptr;
    TDataset* FRoofTable = nullptr;
    TDataset* FRoofLayerTable = nullptr;
    TDataset* FInnerRoofTable = nullptr;
    TDataset* FInnerRoofLayerTable = nullptr;
    TDataset* FGroundTable = nullptr;
    TDataset* FGroundFloorTable = nullptr;
    TDataset* FGroundFloorLayerTable = nullptr;
    TDataset* FGroundSlabTable = nullptr;
    TDataset* FGroundSlabLayerTable = nullptr;
    TDataset* FGroundWallTable = nullptr;
    TDataset* FGroundWallLayerTable = nullptr;
    TDataset* FWindowTable = nullptr;
    TDataset* FDoorTable = nullptr;
    TDataset* FMonthTable = nullptr;

    BALANCE FBalance;

    double FMeanU = 0;          // holds the U x A sum while Compute sums
    double FArea = 0;           // heated floor area
    int32_t FIntGainsDef = 0;
    int32_t FIntGainUnit = 0;   // 0 W/m2 of floor area, 1 W
    double FIntPower = 0;       // W/m2
    double FIntPUndef = 0, FIntPMetabolic = 0, FIntPAppliances = 0, FIntPLighting = 0;
    double FIntPowerW = 0;
    double FIntPUndefW = 0, FIntPMetabolicW = 0, FIntPAppliancesW = 0, FIntPLightingW = 0;
    double FNatVent = 0;
    double FAirChangesPerH = 0;
    double FP50 = 0;
    double FN50 = 0;
    int32_t FVentType = 0;
    int32_t FVentUnit = 0;
    int32_t FAirChangeIDNo = 0;
    double FSurfaceArea = 0;
    double FVolume = 0;
    std::string FWeatherID;
    std::string FInfo;
    std::string FWeatherInfo;
    bool FCalculated = false;
    int32_t FP50IDNo = 0;
    int32_t FN50IDNo = 0;
    double FVSup = 0, FVEx = 0, FVSupLSek = 0, FVExLSek = 0, FVSupLArea = 0, FVExLArea = 0;
    TLoadedColumn FHeatExColumn;
};
