// What the import of buildings and the import of materials share.
#pragma once

#include <cstdint>
#include <string>

// The warning for a file that holds more records than its header announces,
// after the announced ones were imported: "Filen innehåller fler poster än
// den anger: 3 poster lästes inte."
std::string UnreadRecordsWarning(int64_t Count);
