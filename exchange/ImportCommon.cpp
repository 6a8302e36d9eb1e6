#include "exchange/ImportCommon.h"

std::string UnreadRecordsWarning(int64_t Count) {
    return "Filen innehåller fler poster än den anger: " + std::to_string(Count) +
           (Count == 1 ? " post" : " poster") + " lästes inte.";
}
