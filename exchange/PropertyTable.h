// Record classes describe their published properties as a table: name, type
// and the field that holds the value. Writing, reading and copying by name
// work from the table, so the order of a table is the order of writing.
#pragma once

#include "exchange/UnitPropertyStream.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

template <class T>
struct TPropDef {
    const char* Name;
    std::variant<int32_t T::*, bool T::*, double T::*, std::string T::*> Field;
};

// Helpers that take fields declared in a base class too.
template <class T> constexpr TPropDef<T> IntProp(const char* N, int32_t T::*F) { return {N, F}; }
template <class T> constexpr TPropDef<T> BoolProp(const char* N, bool T::*F) { return {N, F}; }
template <class T> constexpr TPropDef<T> FloatProp(const char* N, double T::*F) { return {N, F}; }
template <class T> constexpr TPropDef<T> TextProp(const char* N, std::string T::*F) { return {N, F}; }

namespace property_table {

// Property names are matched without regard to ASCII letter case.
bool SameName(std::string_view A, std::string_view B);

// A name from a file for a message: bytes outside printable ASCII become '?'.
std::string Printable(std::string_view Name);

[[noreturn]] void UnknownProperty(const char* ClassName, const std::string& Name);
[[noreturn]] void BadValue(const char* ClassName, const std::string& Name, const EStreamError& E);

} // namespace property_table

template <class T>
void WriteProperties(TStreamWriter& W, const char* ClassName, const T& Obj,
                     std::span<const TPropDef<T>> Props) {
    W.BeginRecord(ClassName);
    for (const TPropDef<T>& P : Props) {
        switch (P.Field.index()) {
        case 0: W.WriteInteger(P.Name, Obj.*std::get<0>(P.Field)); break;
        case 1: W.WriteBoolean(P.Name, Obj.*std::get<1>(P.Field)); break;
        case 2: W.WriteFloat(P.Name, Obj.*std::get<2>(P.Field)); break;
        default: W.WriteText(P.Name, Obj.*std::get<3>(P.Field)); break;
        }
    }
    W.EndRecord();
}

// Reads one record into Obj, setting only the properties present in it. The
// class name in the record is not checked; an unknown property name, an
// unsuitable value tag or a malformed value raises EStreamError naming the
// property; a record cut short raises EStreamReadError.
template <class T>
void ReadProperties(TStreamReader& S, const char* ClassName, T& Obj,
                    std::span<const TPropDef<T>> Props) {
    S.BeginRecord();
    std::string Name;
    size_t Expected = 0; // records are normally in table order: try that first
    while (S.NextProperty(Name)) {
        const TPropDef<T>* P = nullptr;
        if (Expected < Props.size() && property_table::SameName(Props[Expected].Name, Name)) {
            P = &Props[Expected];
        } else {
            for (const TPropDef<T>& Q : Props)
                if (property_table::SameName(Q.Name, Name)) {
                    P = &Q;
                    break;
                }
        }
        if (!P)
            property_table::UnknownProperty(ClassName, Name);
        Expected = static_cast<size_t>(P - Props.data()) + 1;
        try {
            switch (P->Field.index()) {
            case 0: Obj.*std::get<0>(P->Field) = S.ReadIntegerValue(); break;
            case 1: Obj.*std::get<1>(P->Field) = S.ReadBooleanValue(); break;
            case 2: Obj.*std::get<2>(P->Field) = S.ReadFloatValue(); break;
            default: Obj.*std::get<3>(P->Field) = S.ReadTextValue(); break;
            }
        } catch (const EStreamReadError&) {
            throw;
        } catch (const EStreamError& E) {
            property_table::BadValue(ClassName, Name, E);
        }
    }
}

// Copies every property of To's table that From's table has under the same
// name and with the same type.
template <class To, class From>
void CopyPropertiesByName(To& Dst, std::span<const TPropDef<To>> DstProps, const From& Src,
                          std::span<const TPropDef<From>> SrcProps) {
    for (const TPropDef<To>& D : DstProps)
        for (const TPropDef<From>& S : SrcProps) {
            if (std::string_view(D.Name) != S.Name || D.Field.index() != S.Field.index())
                continue;
            switch (D.Field.index()) {
            case 0: Dst.*std::get<0>(D.Field) = Src.*std::get<0>(S.Field); break;
            case 1: Dst.*std::get<1>(D.Field) = Src.*std::get<1>(S.Field); break;
            case 2: Dst.*std::get<2>(D.Field) = Src.*std::get<2>(S.Field); break;
            default: Dst.*std::get<3>(D.Field) = Src.*std::get<3>(S.Field); break;
            }
            break;
        }
}
