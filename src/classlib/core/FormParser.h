// Parser of form descriptions: text to a TFormObject tree (see
// FormDescription.h for the format).
//
// Grammar (keywords and names without regard to case):
//   description := object <end of text>
//   object      := "object" Name ":" ClassName { property } { object } "end"
//   property    := Ident { "." Ident } "=" value
//   value       := number | string | name | set | list | Binary
//   number      := [ "-" ] ( Integer | Real )
//   string      := String { "+" String }
//   name        := Ident { "." Ident }           (True, alClient, Form2.Panel1)
//   set         := "[" [ Ident { "," Ident } ] "]"
//   list        := "(" { number | string | name } ")"
// Properties come before the child objects of the same block; "object" and
// "end" are no values. Objects nest
// at most FormMaxNesting deep, so a hostile text cannot exhaust the stack.
// Errors are EFormDescriptionError; until the root's class has been read
// they name the form given to the parser (possibly none).
#pragma once

#include <string>
#include <string_view>

#include "classlib/core/FormLexer.h"
#include "classlib/core/FormTree.h"

constexpr int FormMaxNesting = 64;

class TFormParser {
public:
    // The text must outlive the parser.
    explicit TFormParser(std::string_view text, std::string formName = "");

    TFormObject Parse();

private:
    TFormObject ParseObject(int depth);
    TFormProperty ParseProperty();
    TFormValue ParseValue();
    TFormValue ParseListItem();
    std::string ParseString();
    std::string ParseDottedName();
    std::string ParseIdentifier(const std::string& what);
    void Expect(const char* symbol, const std::string& what);

    bool IsSymbol(const char* symbol) const;
    bool IsKeyword(const char* keyword) const;
    void Take() { FToken = FLexer.Next(); }
    [[noreturn]] void Fail(int line, const std::string& detail) const;
    [[noreturn]] void Unexpected(const std::string& what) const;

    TFormLexer FLexer;
    TFormToken FToken;
    std::string FForm;
};

// Parses a whole description; formName names the form in errors found
// before the root's class is read.
TFormObject ParseFormDescription(std::string_view text, const std::string& formName = "");
