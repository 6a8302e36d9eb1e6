#include "materials/UnitMaterialExp.h"

#include "exchange/UnitExportImport.h"

#include <algorithm>
#include <limits>

namespace {

// Column and field, in the shape of the property table.
std::span<const TPropDef<TMaterial>> MaterialColumns() {
    using T = TMaterial;
    static const TPropDef<T> C[] = {
        TextProp<T>("ID", &T::PMaterialID),
        FloatProp<T>("THERMCOND", &T::PMaterialTHERMCOND),
        FloatProp<T>("SPECCAP", &T::PMaterialSPECCAP),
        FloatProp<T>("DENSITY", &T::PMaterialDENSITY),
        FloatProp<T>("DEPTH", &T::PMaterialDEPTH),
        BoolProp<T>("OUTERWALL", &T::PMaterialOUTERWALL),
        BoolProp<T>("INNERWALL", &T::PMaterialINNERWALL),
        BoolProp<T>("ROOF", &T::PMaterialROOF),
        BoolProp<T>("INNERROOF", &T::PMaterialINNERROOF),
        BoolProp<T>("GROUNDFLOOR", &T::PMaterialGROUNDFLOOR),
        BoolProp<T>("GROUNDWALL", &T::PMaterialGROUNDWALL),
        BoolProp<T>("GROUNDSLAB", &T::PMaterialGROUNDSLAB),
        BoolProp<T>("SOIL", &T::PMaterialSOIL),
        BoolProp<T>("LOCKEDDEPTH", &T::PMaterialLOCKEDDEPTH),
    };
    return C;
}

} // namespace

void LoadMaterial(TDataset& Table, TMaterial& M) {
    M = TMaterial();
    for (const TPropDef<TMaterial>& C : MaterialColumns()) {
        TField& F = Table.FieldByName(C.Name);
        switch (C.Field.index()) {
        case 1: M.*std::get<1>(C.Field) = F.AsBoolean(); break;
        case 2: M.*std::get<2>(C.Field) = F.IsNull() ? 0.0 : F.AsFloat(); break;
        case 3: M.*std::get<3>(C.Field) = F.AsString(); break;
        default: break; // no integer columns
        }
    }
}

void StoreMaterialColumns(TDataset& Table, const TMaterial& M) {
    for (const TPropDef<TMaterial>& C : MaterialColumns()) {
        TField& F = Table.FieldByName(C.Name);
        switch (C.Field.index()) {
        case 1: F.SetBoolean(M.*std::get<1>(C.Field)); break;
        case 2: F.SetFloat(M.*std::get<2>(C.Field)); break;
        case 3: F.SetString(M.*std::get<3>(C.Field)); break;
        default: break;
        }
    }
}

void ExportMaterialRows(TDataset& Table, const std::vector<int>& RecNos, const std::string& Path) {
    if (RecNos.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw EExchangeError("Too many materials for one file");
    TMaterialFileWriter Writer(static_cast<int32_t>(RecNos.size()));
    for (const int N : RecNos) {
        if (N < 1 || N > Table.RecordCount())
            throw EExchangeError("There is no material at row " + std::to_string(N));
        Table.SetRecNo(N);
        TMaterial M;
        LoadMaterial(Table, M);
        Writer.Add(M);
    }
    Writer.Save(Path);
}

std::vector<std::string> ExportMaterials(TDatabase& Db, const std::vector<std::string>& IDs, const std::string& Path) {
    TQuery Q(Db, "SELECT * FROM LayersPreDef");
    Q.Open();
    std::vector<int> RecNos;
    std::vector<std::string> Written;
    for (const std::string& ID : IDs) {
        if (!Q.Locate({"ID"}, {ID}, TLocateOptions{true}))
            throw EExchangeError("There is no material " + ID);
        if (std::find(RecNos.begin(), RecNos.end(), Q.RecNo()) == RecNos.end()) {
            RecNos.push_back(Q.RecNo());
            Written.push_back(ID);
        }
    }
    ExportMaterialRows(Q, RecNos, Path);
    return Written;
}
