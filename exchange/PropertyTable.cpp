#include "exchange/PropertyTable.h"

namespace property_table {

bool SameName(std::string_view A, std::string_view B) {
    if (A.size() != B.size())
        return false;
    for (size_t I = 0; I < A.size(); ++I) {
        char X = A[I];
        char Y = B[I];
        if (X >= 'a' && X <= 'z')
            X = static_cast<char>(X - 'a' + 'A');
        if (Y >= 'a' && Y <= 'z')
            Y = static_cast<char>(Y - 'a' + 'A');
        if (X != Y)
            return false;
    }
    return true;
}

std::string Printable(std::string_view Name) {
    std::string S;
    S.reserve(Name.size());
    for (const char C : Name)
        S += (C >= 0x20 && C < 0x7F) ? C : '?';
    return S;
}

void UnknownProperty(const char* ClassName, const std::string& Name) {
    const std::string N = Printable(Name);
    throw EStreamError("Error reading " + std::string(ClassName) + "." + N + ": Property " + N +
                       " does not exist");
}

void BadValue(const char* ClassName, const std::string& Name, const EStreamError& E) {
    throw EStreamError("Error reading " + std::string(ClassName) + "." + Printable(Name) + ": " +
                       E.what());
}

} // namespace property_table
