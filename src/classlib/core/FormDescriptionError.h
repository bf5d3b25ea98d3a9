// Errors of the form-description reader.
//
//  - `EFormDescriptionError`: anything wrong with a description (its text,
//    its classes, properties, values, references or handlers). It is a
//    stream read error (EReadError), so code that guards form streaming by
//    that class catches it. Its message names the form (the root object's
//    class), the line and the item:
//        "TFormSettings, line 12: unknown property 'Colr' of Button1 (TButton)"
//    When the form is not known yet (the text broke before the root's class
//    was read) the message starts with "line <n>: ".
//  - `EFormValueError`: raised by a property setter of the class registry
//    when the value does not fit the property ("integer expected"); the
//    reader turns it into an EFormDescriptionError that says where.
#pragma once

#include <string>

#include "classlib/core/Exceptions.h"

class EFormDescriptionError : public EReadError {
public:
    EFormDescriptionError(std::string form, int line, std::string detail)
        : EReadError(""), Form(std::move(form)), Line(line), Detail(std::move(detail))
    {
        Compose();
    }

    // Names the form once it is known; a form already named is kept.
    void SetFormIfUnknown(const std::string& form)
    {
        if (Form.empty()) {
            Form = form;
            Compose();
        }
    }

    std::string Form;
    int Line;
    std::string Detail;

private:
    void Compose()
    {
        Message = (Form.empty() ? "" : Form + ", ") + "line " + std::to_string(Line) + ": " + Detail;
    }
};

class EFormValueError : public Exception {
public:
    explicit EFormValueError(std::string detail) : Exception(std::move(detail)) {}
};
