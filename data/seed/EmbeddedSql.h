// The SQL scripts built into the program: the schema and the predefined
// data, in the order they run. Defined by the source that
// data/seed/EmbedSql.cmake generates.
#pragma once

#include <cstddef>

namespace bv_embedded {

struct TSqlScriptBytes {
    const char* Name;           // file name without ".sql", e.g. "schema"
    const unsigned char* Bytes; // the file's bytes, followed by a 0 byte
    std::size_t Size;           // number of bytes without the 0
};

extern const TSqlScriptBytes SqlScripts[];
extern const std::size_t SqlScriptCount;

} // namespace bv_embedded
