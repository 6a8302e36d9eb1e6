// Reading a whole file, and writing one so that a failure never leaves a
// truncated file: the bytes go to a temporary file in the same folder, which
// is then renamed over the target.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class EFileError : public std::runtime_error {
public:
    explicit EFileError(const std::string& Msg) : std::runtime_error(Msg) {}
};

std::vector<uint8_t> ReadFileBytes(const std::string& Path);

// Replaces Path (if it exists) with Bytes, or leaves it untouched on failure.
void WriteFileReplacing(const std::string& Path, const std::vector<uint8_t>& Bytes);
