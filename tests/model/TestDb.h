// A small database of the schema in a temporary folder, for one test.
#pragma once

#include "db/Database.h"
#include "db/Dataset.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// The text of a fixture of the model tests (tests/data/model).
inline std::string ModelFixture(const std::string& Name) { return bvtest::ReadTestText("model/" + Name); }

class TTestDb {
public:
    // The schema, then each SQL text in turn.
    explicit TTestDb(const std::vector<std::string>& Sql = {})
        : FPath(FDir.File("test.s3db")), FDb(bvtest::CreateSchemaDatabase(FPath)) {
        for (const auto& S : Sql) {
            FDb->Exec(S);
        }
    }
    TTestDb(const TTestDb&) = delete;
    TTestDb& operator=(const TTestDb&) = delete;

    TDatabase& Db() { return *FDb; }
    const std::string& Path() const { return FPath; }

    // One value of the first row the query returns.
    TValue Value(const std::string& Sql) {
        TStatement St = FDb->Prepare(Sql);
        if (!St.Step()) {
            throw std::runtime_error("no row: " + Sql);
        }
        return St.Column(0);
    }
    double Float(const std::string& Sql) {
        const TValue V = Value(Sql);
        if (const auto* I = std::get_if<int64_t>(&V)) return static_cast<double>(*I);
        if (const auto* D = std::get_if<double>(&V)) return *D;
        throw std::runtime_error("not a number: " + Sql);
    }
    int64_t Int(const std::string& Sql) {
        const TValue V = Value(Sql);
        if (const auto* I = std::get_if<int64_t>(&V)) return *I;
        throw std::runtime_error("not an integer: " + Sql);
    }
    std::string Text(const std::string& Sql) {
        const TValue V = Value(Sql);
        if (const auto* S = std::get_if<std::string>(&V)) return *S;
        throw std::runtime_error("not a text: " + Sql);
    }

    // Every row of every building table, as text, for comparing the whole
    // database before and after an operation.
    std::string Dump() {
        std::string Out;
        for (const char* T : {"Buildings", "LayeredComponents", "Layers", "Windows", "Doors", "Grounds", "Months"}) {
            TStatement St = FDb->Prepare(std::string("SELECT * FROM ") + T + " ORDER BY rowid");
            Out += std::string("[") + T + "]\n";
            while (St.Step()) {
                for (int C = 0; C < St.ColumnCount(); ++C) {
                    const TValue V = St.Column(C);
                    Out += St.ColumnName(C) + "=";
                    if (const auto* I = std::get_if<int64_t>(&V)) Out += std::to_string(*I);
                    else if (const auto* D = std::get_if<double>(&V)) {
                        std::ostringstream S;
                        S.precision(17);
                        S << *D;
                        Out += S.str();
                    } else if (const auto* Tx = std::get_if<std::string>(&V)) Out += "'" + *Tx + "'";
                    else if (IsNullValue(V)) Out += "NULL";
                    else Out += "<blob>";
                    Out += ' ';
                }
                Out += '\n';
            }
        }
        return Out;
    }

private:
    bvtest::TTempFolder FDir;
    std::string FPath;
    std::unique_ptr<TDatabase> FDb;
};
