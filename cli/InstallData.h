// Filling a data folder with what the application needs to start: the
// database with the shipped data, the connection file and the shipped files
// of dist/. Shared by braskvalla-cli install-data and the application's
// first start; free of Qt.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace cli {

// A failure of the installation, with the exit code braskvalla-cli ends
// with (ExitFile or ExitDatabase).
class EInstall : public std::runtime_error {
public:
    EInstall(int Code, const std::string& Msg) : std::runtime_error(Msg), FCode(Code) {}
    int Code() const { return FCode; }

private:
    int FCode;
};

// Creates the folder Dir if it is absent and adds what is missing in it,
// never replacing what is there (an existing database above all). Report
// receives a line for each thing done or kept, as it happens. Raises
// EInstall; what was made before the failure stays.
void InstallData(const std::string& Dir, const std::function<void(const std::string&)>& Report);

} // namespace cli
