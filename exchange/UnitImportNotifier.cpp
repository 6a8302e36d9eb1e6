#include "exchange/UnitImportNotifier.h"

std::string ImportProgressTitle(int Number, int Count) {
    return "Importerar byggnad " + std::to_string(Number) + " av " + std::to_string(Count);
}

std::string ImportProgressMessage(const std::string& BuildingID) { return "Importerar " + BuildingID; }
