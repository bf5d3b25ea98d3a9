// The tree a form description parses into, and the typed reading of its
// values.
//
// A `TFormObject` is one "object Name: TClass ... end" block: its property
// assignments in the order written and its child objects in the order
// written. A `TFormValue` is one parsed value; the conversion functions
// below check its kind and range for a property setter and raise
// EFormValueError ("integer expected, found a string") when it does not fit.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "classlib/core/FormDescriptionError.h"
#include "classlib/core/SysUtils.h"

class TStringList;

enum class TFormValueKind { Integer, Real, String, Identifier, Set, List, Binary };

struct TFormValue {
    TFormValueKind Kind = TFormValueKind::Integer;
    int Line = 0;
    int64_t Integer = 0;
    long double Real = 0;
    // String: its characters; Identifier: the name, a qualified one with its
    // dots ("OtherForm.Panel1"); Binary: the bytes.
    std::string Text;
    // Set: the element names in the order written.
    std::vector<std::string> Names;
    // List: the items, each an Integer, Real, String or Identifier.
    std::vector<TFormValue> Items;
};

struct TFormProperty {
    // As written, a dotted path for a nested property ("Font.Height").
    std::string Name;
    int Line = 0;
    TFormValue Value;
};

struct TFormObject {
    std::string Name;
    std::string ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

// "an integer", "a real number", "a string", "an identifier", "a set",
// "a list", "binary data": how messages name what was found.
std::string FormValueKindName(TFormValueKind kind);

// A name table for enumerations and sets: each name with its value (a set's
// value is the element's bit). Names compare without regard to case.
template <class E>
using TFormEnumTable = std::vector<std::pair<std::string, E>>;

// --- Typed reading; each raises EFormValueError when the value does not fit.
// A 32-bit integer.
int FormValueToInt(const TFormValue& value);
// An integer, or an identifier found in `names` (colour and cursor names).
template <class E>
int FormValueToInt(const TFormValue& value, const TFormEnumTable<E>& names);
// An integer or real within the range of double.
double FormValueToReal(const TFormValue& value);
// The identifier True or False.
bool FormValueToBool(const TFormValue& value);
const std::string& FormValueToString(const TFormValue& value);
// A plain identifier (no dots), e.g. an enumeration or handler name.
const std::string& FormValueToIdentifier(const TFormValue& value);
// A component name: "Name" or "Root.Name".
const std::string& FormValueToReference(const TFormValue& value);
// A list whose items are all strings.
void FormValueToStrings(const TFormValue& value, TStringList& strings);
template <class E>
E FormValueToEnum(const TFormValue& value, const TFormEnumTable<E>& names);
// The elements OR-ed together; repeated elements are allowed.
template <class E>
E FormValueToSet(const TFormValue& value, const TFormEnumTable<E>& names);

// --- Template definitions ---------------------------------------------------

template <class E>
bool FormLookupName(const TFormEnumTable<E>& names, const std::string& name, E& result)
{
    for (const auto& [entry, entryValue] : names)
        if (SameText(entry, name)) {
            result = entryValue;
            return true;
        }
    return false;
}

template <class E>
int FormValueToInt(const TFormValue& value, const TFormEnumTable<E>& names)
{
    if (value.Kind == TFormValueKind::Identifier) {
        E result{};
        if (!FormLookupName(names, value.Text, result))
            throw EFormValueError("unknown value '" + value.Text + "'");
        return static_cast<int>(result);
    }
    return FormValueToInt(value);
}

template <class E>
E FormValueToEnum(const TFormValue& value, const TFormEnumTable<E>& names)
{
    const std::string& name = FormValueToIdentifier(value);
    E result{};
    if (!FormLookupName(names, name, result))
        throw EFormValueError("unknown value '" + name + "'");
    return result;
}

template <class E>
E FormValueToSet(const TFormValue& value, const TFormEnumTable<E>& names)
{
    if (value.Kind != TFormValueKind::Set)
        throw EFormValueError("set expected, found " + FormValueKindName(value.Kind));
    uint64_t bits = 0;
    for (const std::string& name : value.Names) {
        E element{};
        if (!FormLookupName(names, name, element))
            throw EFormValueError("unknown set element '" + name + "'");
        bits |= static_cast<uint64_t>(element);
    }
    return static_cast<E>(bits);
}
