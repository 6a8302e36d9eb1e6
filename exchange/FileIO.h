// Reading and atomically writing whole files now lives in the database
// layer, which every writer of files links; this name stays for the code
// that includes it.
#pragma once

#include "db/FileIO.h"
