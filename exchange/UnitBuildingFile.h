// A building exchange file as a whole: the file-info record and the
// buildings, read one at a time from the bytes in memory or written into a
// buffer that is then saved in one piece.
#pragma once

#include "exchange/UnitExportImport.h"
#include "exchange/UnitPropertyStream.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Builds the bytes of a file: the file-info record for NBuildings, then each
// building added. Save refuses when fewer or more buildings were added than
// announced, so that no file contradicts its own count.
class TBuildingFileWriter {
public:
    explicit TBuildingFileWriter(int32_t NBuildings);
    // Appends the building with all its members; on failure nothing of it.
    void Add(TExpBuilding2& Building);
    int32_t Added() const { return FAdded; }
    const TBytes& Bytes() const { return FBytes; }
    // Writes the file through a temporary file renamed into place.
    void Save(const std::string& Path) const;

private:
    TBytes FBytes;
    int32_t FAnnounced;
    int32_t FAdded = 0;
};

// One step of reading a file.
struct TReadBuilding {
    int32_t Number = 0; // 1-based position in the file of the (first) building
    int32_t Count = 1;  // more than 1 when the file ends before the buildings it announces
    std::optional<TExpBuilding2> Building; // empty when the building could not be read
    std::string Error;                     // the reader's message then
};

// Reads the buildings of a file one at a time. A building that cannot be
// read is reported and the reader moves on to the next building record, so
// one broken building does not take the rest of the file with it. The next
// building is a building record that the failed read itself started (when
// a wrong count made it read into the next building), else the first
// building signature after the point of failure; never one found inside
// the texts of the failed building, and never before where the failed read
// began, so the whole file is read at most a bounded number of times.
class TBuildingFileReader {
public:
    // Reads the file-info record. Raises EStreamError when it cannot be read
    // ("Invalid stream format", "Stream read error") or when the file is of a
    // newer version than this program reads (SWrongVersion): such a file is
    // refused before any building is read.
    explicit TBuildingFileReader(std::span<const uint8_t> Bytes);

    const TExpFileInfo2& Info() const { return FInfo; }
    int32_t Version() const { return FInfo.PVersion; }
    // The number of buildings announced (0 when the count is negative).
    int32_t NBuildings() const { return FInfo.PNBuildings > 0 ? FInfo.PNBuildings : 0; }

    // Reads the next building; false when every announced building has been
    // handled. When the data ends before the announced count, one result
    // covers all the buildings that are missing.
    bool Next(TReadBuilding& Out);
    // Once Next has returned false: the records the file holds beyond the
    // buildings it announces (0 for a file that holds what it announces),
    // which are not read.
    int64_t UnreadRecords() const { return CountRecordsLeft(FStream); }

private:
    void Resynchronise(size_t Start, size_t Failed);

    std::span<const uint8_t> FBytes;
    TStreamReader FStream;
    TExpFileInfo2 FInfo;
    int32_t FDone = 0;
    std::vector<size_t> FStarts; // record starts of the building being read
};
