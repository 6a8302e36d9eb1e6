// The files the installation puts into the data folder besides the
// database (the report layout, the user guide), built into the tool from
// dist/.
#pragma once

#include <string>
#include <vector>

namespace cli {

struct TDistFile {
    std::string Path;    // relative to the data folder, '/' separated
    std::string Content; // the bytes
};

const std::vector<TDistFile>& ShippedDistFiles();

} // namespace cli
