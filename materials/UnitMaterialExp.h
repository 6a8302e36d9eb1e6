// Exporting materials of the material archive (LayersPreDef) to a material
// file. The material manager works on a connection of its own; the export
// reads through whatever connection it is given.
#pragma once

#include "db/Dataset.h"
#include "materials/UnitMaterialObj.h"

#include <string>
#include <vector>

// The columns of a material row, in the order of the material record.
void LoadMaterial(TDataset& Table, TMaterial& M); // from the current row
void StoreMaterialColumns(TDataset& Table, const TMaterial& M); // into the row being edited

// Writes a material file with the materials on these rows of Table (a view
// of LayersPreDef; 1-based record numbers), in this order. The file is
// written whole through a temporary file or, on failure, not at all; an
// existing file is replaced. Raises EExchangeError for a row that is not
// there, EStreamError, EFileError or EDatabaseError.
void ExportMaterialRows(TDataset& Table, const std::vector<int>& RecNos, const std::string& Path);

// The same for materials named by ID, with exact letter case. A material
// named twice is written once; a name that no material has raises
// EExchangeError naming it, before anything is written. Returns the names
// written.
std::vector<std::string> ExportMaterials(TDatabase& Db, const std::vector<std::string>& IDs, const std::string& Path);
