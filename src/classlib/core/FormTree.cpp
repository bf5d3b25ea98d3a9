#include "classlib/core/FormTree.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "classlib/core/StringList.h"

namespace {

[[noreturn]] void Expected(const char* what, const TFormValue& value)
{
    throw EFormValueError(std::string(what) + " expected, found " + FormValueKindName(value.Kind));
}

}  // namespace

std::string FormValueKindName(TFormValueKind kind)
{
    switch (kind) {
    case TFormValueKind::Integer: return "an integer";
    case TFormValueKind::Real: return "a real number";
    case TFormValueKind::String: return "a string";
    case TFormValueKind::Identifier: return "an identifier";
    case TFormValueKind::Set: return "a set";
    case TFormValueKind::List: return "a list";
    case TFormValueKind::Binary: return "binary data";
    }
    return "a value";
}

int FormValueToInt(const TFormValue& value)
{
    if (value.Kind != TFormValueKind::Integer)
        Expected("integer", value);
    if (value.Integer < std::numeric_limits<int>::min() || value.Integer > std::numeric_limits<int>::max())
        throw EFormValueError("value " + std::to_string(value.Integer) + " out of range");
    return static_cast<int>(value.Integer);
}

double FormValueToReal(const TFormValue& value)
{
    if (value.Kind == TFormValueKind::Integer)
        return static_cast<double>(value.Integer);
    if (value.Kind != TFormValueKind::Real)
        Expected("number", value);
    if (!(std::fabs(value.Real) <= DBL_MAX))
        throw EFormValueError("value " + FloatToStr(value.Real) + " out of range");
    return static_cast<double>(value.Real);
}

bool FormValueToBool(const TFormValue& value)
{
    if (value.Kind == TFormValueKind::Identifier) {
        if (SameText(value.Text, "True"))
            return true;
        if (SameText(value.Text, "False"))
            return false;
    }
    Expected("True or False", value);
}

const std::string& FormValueToString(const TFormValue& value)
{
    if (value.Kind != TFormValueKind::String)
        Expected("string", value);
    return value.Text;
}

const std::string& FormValueToIdentifier(const TFormValue& value)
{
    if (value.Kind != TFormValueKind::Identifier || value.Text.find('.') != std::string::npos)
        Expected("identifier", value);
    return value.Text;
}

const std::string& FormValueToReference(const TFormValue& value)
{
    if (value.Kind != TFormValueKind::Identifier)
        Expected("component name", value);
    return value.Text;
}

void FormValueToStrings(const TFormValue& value, TStringList& strings)
{
    if (value.Kind != TFormValueKind::List)
        Expected("list of strings", value);
    strings.Clear();
    for (const TFormValue& item : value.Items)
        strings.Add(FormValueToString(item));
}
