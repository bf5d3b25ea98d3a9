#include "classlib/core/FormParser.h"

#include "classlib/core/FormDescriptionError.h"
#include "classlib/core/SysUtils.h"

namespace {

std::string DescribeToken(const TFormToken& token)
{
    switch (token.Kind) {
    case TFormTokenKind::EndOfText: return "end of text";
    case TFormTokenKind::Identifier:
    case TFormTokenKind::Symbol: return "'" + token.Text + "'";
    case TFormTokenKind::Integer:
    case TFormTokenKind::Real: return "a number";
    case TFormTokenKind::String: return "a string";
    case TFormTokenKind::Binary: return "binary data";
    }
    return "a token";
}

}  // namespace

TFormParser::TFormParser(std::string_view text, std::string formName)
    : FLexer(text), FForm(std::move(formName))
{
}

TFormObject TFormParser::Parse()
{
    try {
        Take();
        TFormObject root = ParseObject(1);
        if (FToken.Kind != TFormTokenKind::EndOfText)
            Unexpected("end of text");
        return root;
    } catch (EFormDescriptionError& e) {
        e.SetFormIfUnknown(FForm);
        throw;
    }
}

void TFormParser::Fail(int line, const std::string& detail) const
{
    throw EFormDescriptionError(FForm, line, detail);
}

void TFormParser::Unexpected(const std::string& what) const
{
    Fail(FToken.Line, what + " expected, found " + DescribeToken(FToken));
}

bool TFormParser::IsSymbol(const char* symbol) const
{
    return FToken.Kind == TFormTokenKind::Symbol && FToken.Text == symbol;
}

bool TFormParser::IsKeyword(const char* keyword) const
{
    return FToken.Kind == TFormTokenKind::Identifier && SameText(FToken.Text, keyword);
}

void TFormParser::Expect(const char* symbol, const std::string& what)
{
    if (!IsSymbol(symbol))
        Unexpected(what);
    Take();
}

std::string TFormParser::ParseIdentifier(const std::string& what)
{
    if (FToken.Kind != TFormTokenKind::Identifier)
        Unexpected(what);
    std::string name = std::move(FToken.Text);
    Take();
    return name;
}

std::string TFormParser::ParseDottedName()
{
    std::string name = ParseIdentifier("name");
    while (IsSymbol(".")) {
        Take();
        name += '.';
        name += ParseIdentifier("name");
    }
    return name;
}

TFormObject TFormParser::ParseObject(int depth)
{
    if (!IsKeyword("object"))
        Unexpected("'object'");
    TFormObject object;
    object.Line = FToken.Line;
    if (depth > FormMaxNesting)
        Fail(object.Line, "objects nested too deeply");
    Take();
    object.Name = ParseIdentifier("object name");
    Expect(":", "':'");
    object.ClassName = ParseIdentifier("class name");
    if (depth == 1)
        FForm = object.ClassName;
    for (;;) {
        if (IsKeyword("end")) {
            Take();
            return object;
        }
        if (IsKeyword("object")) {
            object.Children.push_back(ParseObject(depth + 1));
        } else if (FToken.Kind == TFormTokenKind::Identifier && object.Children.empty()) {
            object.Properties.push_back(ParseProperty());
        } else {
            Unexpected(object.Children.empty() ? "property, 'object' or 'end'" : "'object' or 'end'");
        }
    }
}

TFormProperty TFormParser::ParseProperty()
{
    TFormProperty property;
    property.Line = FToken.Line;
    property.Name = ParseDottedName();
    Expect("=", "'='");
    property.Value = ParseValue();
    return property;
}

std::string TFormParser::ParseString()
{
    std::string text = std::move(FToken.Text);
    Take();
    while (IsSymbol("+")) {
        Take();
        if (FToken.Kind != TFormTokenKind::String)
            Unexpected("string");
        text += FToken.Text;
        Take();
    }
    return text;
}

TFormValue TFormParser::ParseValue()
{
    TFormValue value;
    value.Line = FToken.Line;
    const bool negative = IsSymbol("-");
    if (negative)
        Take();
    switch (FToken.Kind) {
    case TFormTokenKind::Integer:
        value.Integer = negative ? -FToken.Integer : FToken.Integer;
        Take();
        return value;
    case TFormTokenKind::Real:
        value.Kind = TFormValueKind::Real;
        value.Real = negative ? -FToken.Real : FToken.Real;
        Take();
        return value;
    default:
        break;
    }
    if (negative)
        Unexpected("number");
    switch (FToken.Kind) {
    case TFormTokenKind::String:
        value.Kind = TFormValueKind::String;
        value.Text = ParseString();
        return value;
    case TFormTokenKind::Identifier:
        if (IsKeyword("object") || IsKeyword("end"))
            Unexpected("value");
        value.Kind = TFormValueKind::Identifier;
        value.Text = ParseDottedName();
        return value;
    case TFormTokenKind::Binary:
        value.Kind = TFormValueKind::Binary;
        value.Text = std::move(FToken.Text);
        Take();
        return value;
    default:
        break;
    }
    if (IsSymbol("[")) {
        value.Kind = TFormValueKind::Set;
        Take();
        if (!IsSymbol("]")) {
            value.Names.push_back(ParseIdentifier("set element"));
            while (IsSymbol(",")) {
                Take();
                value.Names.push_back(ParseIdentifier("set element"));
            }
        }
        Expect("]", "',' or ']'");
        return value;
    }
    if (IsSymbol("(")) {
        value.Kind = TFormValueKind::List;
        Take();
        while (!IsSymbol(")")) {
            if (FToken.Kind == TFormTokenKind::EndOfText)
                Unexpected("')'");
            value.Items.push_back(ParseListItem());
        }
        Take();
        return value;
    }
    Unexpected("value");
}

TFormValue TFormParser::ParseListItem()
{
    if (IsSymbol("[") || IsSymbol("(") || FToken.Kind == TFormTokenKind::Binary)
        Unexpected("list item");
    return ParseValue();
}

TFormObject ParseFormDescription(std::string_view text, const std::string& formName)
{
    return TFormParser(text, formName).Parse();
}
