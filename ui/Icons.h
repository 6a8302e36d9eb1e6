// The one place that hands out the application's icons (SVGs of our own,
// built into the program as resources).
#pragma once

#include <QIcon>

// The icon ui/icons/<Name>.svg; a null icon for an unknown name.
QIcon Icon(const char* Name);

// Registers the drawings and icons built into the library; every window
// that uses them calls it (repeated calls are harmless).
void InitGuiResources();
