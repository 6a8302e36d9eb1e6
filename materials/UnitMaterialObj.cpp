#include "materials/UnitMaterialObj.h"

#include "db/FileIO.h"

std::span<const TPropDef<TMaterialsHeader>> TMaterialsHeader::Properties() {
    using T = TMaterialsHeader;
    static const TPropDef<T> P[] = {
        IntProp<T>("PVersion", &T::PVersion),
        IntProp<T>("PNumberOfItems", &T::PNumberOfItems),
    };
    return P;
}

void TMaterialsHeader::WriteRecord(TStreamWriter& S) const {
    WriteProperties<TMaterialsHeader>(S, ClassName, *this, Properties());
}

void TMaterialsHeader::ReadRecord(TStreamReader& S) {
    ReadProperties<TMaterialsHeader>(S, ClassName, *this, Properties());
}

std::span<const TPropDef<TMaterial>> TMaterial::Properties() {
    using T = TMaterial;
    static const TPropDef<T> P[] = {
        TextProp<T>("PMaterialID", &T::PMaterialID),
        FloatProp<T>("PMaterialTHERMCOND", &T::PMaterialTHERMCOND),
        FloatProp<T>("PMaterialSPECCAP", &T::PMaterialSPECCAP),
        FloatProp<T>("PMaterialDENSITY", &T::PMaterialDENSITY),
        FloatProp<T>("PMaterialDEPTH", &T::PMaterialDEPTH),
        BoolProp<T>("PMaterialOUTERWALL", &T::PMaterialOUTERWALL),
        BoolProp<T>("PMaterialINNERWALL", &T::PMaterialINNERWALL),
        BoolProp<T>("PMaterialROOF", &T::PMaterialROOF),
        BoolProp<T>("PMaterialINNERROOF", &T::PMaterialINNERROOF),
        BoolProp<T>("PMaterialGROUNDFLOOR", &T::PMaterialGROUNDFLOOR),
        BoolProp<T>("PMaterialGROUNDWALL", &T::PMaterialGROUNDWALL),
        BoolProp<T>("PMaterialGROUNDSLAB", &T::PMaterialGROUNDSLAB),
        BoolProp<T>("PMaterialSOIL", &T::PMaterialSOIL),
        BoolProp<T>("PMaterialLOCKEDDEPTH", &T::PMaterialLOCKEDDEPTH),
    };
    return P;
}

void TMaterial::WriteRecord(TStreamWriter& S) const {
    WriteProperties<TMaterial>(S, ClassName, *this, Properties());
}

void TMaterial::ReadRecord(TStreamReader& S) {
    ReadProperties<TMaterial>(S, ClassName, *this, Properties());
}

TMaterialFileWriter::TMaterialFileWriter(int32_t NItems) : FAnnounced(NItems) {
    TStreamWriter W(FBytes);
    TMaterialsHeader H;
    H.PVersion = MaterialFileVersion;
    H.PNumberOfItems = NItems;
    H.WriteRecord(W);
}

void TMaterialFileWriter::Add(const TMaterial& M) {
    TStreamWriter W(FBytes);
    const size_t Mark = W.Mark();
    try {
        M.WriteRecord(W);
    } catch (...) {
        W.Rollback(Mark);
        throw;
    }
    ++FAdded;
}

void TMaterialFileWriter::Save(const std::string& Path) const {
    if (FAdded != FAnnounced)
        throw EStreamError("The file announces " + std::to_string(FAnnounced) + " materials but " +
                           std::to_string(FAdded) + " were written");
    WriteFileReplacing(Path, FBytes);
}

TMaterialFileReader::TMaterialFileReader(std::span<const uint8_t> Bytes) : FStream(Bytes) {
    FHeader.ReadRecord(FStream);
    if (FHeader.PVersion != MaterialFileVersion)
        throw EStreamError(SWrongMaterialVersion);
}

bool TMaterialFileReader::Next(TMaterial& M) {
    if (FRead >= NItems())
        return false;
    M = TMaterial();
    M.ReadRecord(FStream);
    ++FRead;
    return true;
}
