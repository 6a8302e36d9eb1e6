// Conversions between the text encodings of the exchange files and the UTF-8
// the system holds in memory.
//
// 8-bit texts in files are Windows-1252. The table is our own, so the result
// is the same on every platform: 0x80-0x9F follow Windows-1252, the five
// bytes it leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same number as Windows maps them, the rest is Latin-1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Windows-1252 bytes to UTF-8. Every byte has a character, so this never fails.
std::string Cp1252ToUtf8(std::string_view Bytes);

// True when Text is well-formed UTF-8: shortest forms only, no surrogate
// code points, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view Text);

// True when every byte is below 0x80.
bool IsAscii(std::string_view Text);

// Number of characters (code points) of valid UTF-8 text.
size_t Utf8Length(std::string_view Text);

// Number of UTF-16 code units the valid UTF-8 text needs.
size_t Utf16Length(std::string_view Text);

// Valid UTF-8 to UTF-16 code units.
std::u16string Utf8ToUtf16(std::string_view Text);

// UTF-16 code units to UTF-8; nullopt when a surrogate is unpaired.
std::optional<std::string> Utf16ToUtf8(std::u16string_view Units);
