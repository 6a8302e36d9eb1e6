#include "exchange/UnitBuildingFile.h"

#include "db/FileIO.h"

#include <algorithm>
#include <cstring>
#include <string_view>

TBuildingFileWriter::TBuildingFileWriter(int32_t NBuildings) : FAnnounced(NBuildings) {
    TStreamWriter W(FBytes);
    TExpFileInfo2 Info;
    Info.SetNBuildings(NBuildings);
    Info.WriteRecord(W);
}

void TBuildingFileWriter::Add(TExpBuilding2& Building) {
    TStreamWriter W(FBytes);
    Building.WriteRecord(W);
    ++FAdded;
}

void TBuildingFileWriter::Save(const std::string& Path) const {
    if (FAdded != FAnnounced)
        throw EStreamError("The file announces " + std::to_string(FAnnounced) + " buildings but " +
                           std::to_string(FAdded) + " were written");
    WriteFileReplacing(Path, FBytes);
}

TBuildingFileReader::TBuildingFileReader(std::span<const uint8_t> Bytes)
    : FBytes(Bytes), FStream(Bytes) {
    FInfo.ReadRecord(FStream);
    if (FInfo.PVersion > CurrentExchangeVersion)
        throw EStreamError(SWrongVersion);
}

namespace {

// A building record of either version as both versions' writers put it:
// the signature and the class name.
constexpr std::string_view BuildingHeads[] = {
    std::string_view("TPF0\x0DTExpBuilding2", 18),
    std::string_view("TPF0\x0DTExpBuilding1", 18),
};

bool IsBuildingHead(std::span<const uint8_t> Bytes, size_t At) {
    for (const std::string_view H : BuildingHeads)
        if (Bytes.size() - At >= H.size() && std::memcmp(Bytes.data() + At, H.data(), H.size()) == 0)
            return true;
    return false;
}

} // namespace

void TBuildingFileReader::Resynchronise(size_t Start, size_t Failed) {
    // A building record the failed read went through: the file's counts
    // sent it into the next building.
    for (const size_t At : FStarts)
        if (At > Start && At < FBytes.size() && IsBuildingHead(FBytes, At)) {
            FStream.Seek(At);
            return;
        }
    const auto* Begin = FBytes.data();
    const auto* End = Begin + FBytes.size();
    const uint8_t* Best = End;
    for (const std::string_view H : BuildingHeads) {
        const auto* Hit = std::search(Begin + std::min(Failed, FBytes.size()), End, H.begin(), H.end(),
                                      [](uint8_t A, char B) { return A == static_cast<uint8_t>(B); });
        Best = std::min(Best, Hit);
    }
    FStream.Seek(static_cast<size_t>(Best - Begin));
}

bool TBuildingFileReader::Next(TReadBuilding& Out) {
    if (FDone >= NBuildings())
        return false;
    Out = TReadBuilding();
    Out.Number = FDone + 1;
    if (FStream.AtEnd()) {
        // Nothing left to read: the buildings still announced are missing.
        Out.Count = NBuildings() - FDone;
        Out.Error = SStreamReadError;
        FDone = NBuildings();
        return true;
    }
    const size_t Start = FStream.Position();
    FStarts.clear();
    FStream.TrackRecordStarts(&FStarts);
    try {
        Out.Building.emplace();
        Out.Building->ReadVersioned(FStream, FInfo.PVersion);
    } catch (const EStreamError& E) {
        Out.Building.reset();
        Out.Error = E.what();
        FStream.TrackRecordStarts(nullptr);
        Resynchronise(Start, std::max(FStream.Position(), Start + 1));
    }
    FStream.TrackRecordStarts(nullptr);
    ++FDone;
    return true;
}
