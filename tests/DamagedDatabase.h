// A database file with a damaged page, as a bad disk sector or a copy that
// went wrong leaves it: garbage over the b-tree page of one table.
#pragma once

#include "db/Database.h"

#include <cstdint>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace bvtest {

// Overwrites the root page of Table in the database file Path (which no
// connection holds open) with pseudo-random bytes.
inline void DamagePageOf(const std::string& Path, const std::string& Table) {
    int64_t Page = 0;
    int64_t PageSize = 0;
    {
        // Closing the connection moves everything into the main file.
        auto Db = TDatabase::Open(Path);
        TStatement Size = Db->Prepare("PRAGMA page_size");
        Size.Step();
        PageSize = std::get<int64_t>(Size.Column(0));
        TStatement Root = Db->Prepare("SELECT rootpage FROM sqlite_master WHERE name = ?1");
        Root.Bind(1, Table);
        if (!Root.Step()) {
            throw std::runtime_error("no table " + Table);
        }
        Page = std::get<int64_t>(Root.Column(0));
    }
    std::fstream F(Path, std::ios::in | std::ios::out | std::ios::binary);
    F.seekp((Page - 1) * PageSize);
    std::mt19937 Garbage(static_cast<unsigned>(Page));
    for (int64_t I = 0; I < PageSize; ++I) {
        F.put(static_cast<char>(Garbage() & 0xff));
    }
    if (!F.flush()) {
        throw std::runtime_error("cannot damage " + Path);
    }
}

} // namespace bvtest
