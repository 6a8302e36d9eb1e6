// The records of a material file: one header, then as many materials as the
// header counts, in the record encoding of the building exchange files.
#pragma once

#include "exchange/PropertyTable.h"
#include "exchange/UnitPropertyStream.h"

#include <cstdint>
#include <span>
#include <string>

// The only version of the material file.
inline constexpr int32_t MaterialFileVersion = 1;

// The refusal of a material file of another version.
inline constexpr const char* SWrongMaterialVersion = "Felaktig version. Kan ej läsa fil.";

class TMaterialsHeader {
public:
    static constexpr const char* ClassName = "TMaterialsHeader";
    int32_t PVersion = 0;
    int32_t PNumberOfItems = 0;

    static std::span<const TPropDef<TMaterialsHeader>> Properties();
    void WriteRecord(TStreamWriter& S) const;
    void ReadRecord(TStreamReader& S);
    bool operator==(const TMaterialsHeader&) const = default;
};

// One row of the material archive (LayersPreDef).
class TMaterial {
public:
    static constexpr const char* ClassName = "TMaterial";
    std::string PMaterialID;
    double PMaterialTHERMCOND = 0;
    double PMaterialSPECCAP = 0;
    double PMaterialDENSITY = 0;
    double PMaterialDEPTH = 0;
    bool PMaterialOUTERWALL = false;
    bool PMaterialINNERWALL = false;
    bool PMaterialROOF = false;
    bool PMaterialINNERROOF = false;
    bool PMaterialGROUNDFLOOR = false;
    bool PMaterialGROUNDWALL = false;
    bool PMaterialGROUNDSLAB = false;
    bool PMaterialSOIL = false;
    bool PMaterialLOCKEDDEPTH = false;

    static std::span<const TPropDef<TMaterial>> Properties();
    void WriteRecord(TStreamWriter& S) const;
    void ReadRecord(TStreamReader& S);
    bool operator==(const TMaterial&) const = default;
};

// Builds the bytes of a material file: the header for NItems materials,
// then each material added. Save refuses when the number added differs
// from the number announced.
class TMaterialFileWriter {
public:
    explicit TMaterialFileWriter(int32_t NItems);
    // Appends the material; on failure nothing of it.
    void Add(const TMaterial& M);
    int32_t Added() const { return FAdded; }
    const TBytes& Bytes() const { return FBytes; }
    // Writes the file through a temporary file renamed into place.
    void Save(const std::string& Path) const;

private:
    TBytes FBytes;
    int32_t FAnnounced;
    int32_t FAdded = 0;
};

// Reads a material file one material at a time.
class TMaterialFileReader {
public:
    // Reads the header. Raises EStreamError when it cannot be read, and
    // SWrongMaterialVersion when its version is not 1.
    explicit TMaterialFileReader(std::span<const uint8_t> Bytes);

    const TMaterialsHeader& Header() const { return FHeader; }
    // The number of materials announced (0 when the count is negative).
    int32_t NItems() const { return FHeader.PNumberOfItems > 0 ? FHeader.PNumberOfItems : 0; }
    int32_t Read() const { return FRead; }

    // Reads the next material into M (a fresh one); false when all announced
    // materials have been read. A broken record raises EStreamError.
    bool Next(TMaterial& M);
    // Once Next has returned false: the records the file holds beyond the
    // materials it announces, which are not read.
    int64_t UnreadRecords() const { return CountRecordsLeft(FStream); }

private:
    TStreamReader FStream;
    TMaterialsHeader FHeader;
    int32_t FRead = 0;
};
