#include "classlib/core/FormReader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FormTestClasses.h"
#include "classlib/core/FormDescriptionError.h"

namespace {

using namespace formtest;

class FormReaderErrors : public ::testing::Test {
protected:
    FormReaderErrors()
    {
        RegisterTestClasses(Classes);
        Journal = &Log;
        Handlers.Add<TNotifyEvent>("Click", [](TObject*) {});
        Reader.Handlers = &Handlers;
    }
    ~FormReaderErrors() override { Journal = nullptr; }

    // The message the description raises when read into a fresh form; ""
    // when it reads.
    std::string Error(const std::string& text)
    {
        TTestForm form(nullptr);
        try {
            Reader.ReadInto(text, form);
        } catch (const EFormDescriptionError& e) {
            return e.Message;
        }
        return "";
    }

    // A form with one widget W1 (TWidget) carrying the given property lines.
    std::string WidgetError(const std::string& properties)
    {
        return Error("object Form1: TTestForm\n  object W1: TWidget\n" + properties + "\n  end\nend");
    }

    std::vector<std::string> Log;
    TClassRegistry Classes;
    TFormHandlers Handlers;
    TFormReader Reader{Classes};
};

// Property lines of W1 and the message each raises, less the form and line
// ("TTestForm, line 3: ") in front and the item (" of W1 (TWidget)") behind.
TEST_F(FormReaderErrors, PropertiesAndValuesThatDoNotFitAreReportedWithFormLineAndItem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Colr = 1", "unknown property 'Colr'"},
        {"Viewport.Camra.X = 1", "unknown property 'Viewport.Camra.X'"},
        {"Width.X = 1", "unknown property 'Width.X'"},
        {"Viewport = 1", "unknown property 'Viewport'"},  // a sub-object takes no value itself
        {"Missing.Width = 1", "no object in property 'Missing'"},
        {"Width = 'wide'", "integer expected, found a string for property 'Width'"},
        {"Width = 2147483648", "value 2147483648 out of range for property 'Width'"},
        {"Width = 1.5", "integer expected, found a real number for property 'Width'"},
        {"Color = clGreen", "unknown value 'clGreen' for property 'Color'"},
        {"Scale = 1.0e400", "value 1E400 out of range for property 'Scale'"},
        {"Visible = 1", "True or False expected, found an integer for property 'Visible'"},
        {"Caption = Ok", "string expected, found an identifier for property 'Caption'"},
        {"Align = alMiddle", "unknown value 'alMiddle' for property 'Align'"},
        {"Align = Form1.alTop", "identifier expected, found an identifier for property 'Align'"},
        {"Anchors = [akLeft, akNowhere]", "unknown set element 'akNowhere' for property 'Anchors'"},
        {"Anchors = akLeft", "set expected, found an identifier for property 'Anchors'"},
        {"Lines = ( 'a' 2 )", "string expected, found an integer for property 'Lines'"},
        {"Data = 'AB'", "binary data expected, found a string for property 'Data'"},
        {"Target = 'W1'", "component name expected, found a string for property 'Target'"},
        {"OnClick = 3", "identifier expected, found an integer for property 'OnClick'"},
        {"Target = Nobody", "unknown component 'Nobody' for property 'Target'"},
        {"Target = Other.Panel1", "unknown component 'Other.Panel1' for property 'Target'"},
        {"OnClick = Clik", "unknown handler 'Clik' for property 'OnClick'"},
        {"OnChange = Click", "handler 'Click' has the wrong type for property 'OnChange'"},
    };
    for (const auto& [line, message] : cases)
        EXPECT_EQ(WidgetError(line), std::string("TTestForm, line 3: ") + message + " of W1 (TWidget)") << line;

    EXPECT_EQ(Error("object Form1: TTestForm\n  object W1: TBogus end\nend"),
              "TTestForm, line 2: unknown class TBogus of W1");
    EXPECT_EQ(Error("object Form1: TTestForm\n  object V: TVector end\nend"),
              "TTestForm, line 2: class TVector of V cannot be created");
    EXPECT_EQ(Error("object Form1: TWidget end"),
              "TWidget, line 1: a TWidget description cannot be read into a TTestForm");
    EXPECT_EQ(Error("object Form1: TTestForm\n  object A: TWidget end\n  object a: TWidget end\nend"),
              "TTestForm, line 3: a (TWidget): A component named a already exists");
    EXPECT_EQ(Error("object Form1: TTestForm\n  object C: TComponent end\n  object W1: TWidget\n    Buddy = C\n"
                    "  end\nend"),
              "TTestForm, line 4: component 'C' (TComponent) has the wrong class for property 'Buddy' of W1 "
              "(TWidget)");
    EXPECT_EQ(Error("object Form1: TTestForm\n  object Fancy: TWidget end\nend"),
              "TTestForm, line 2: component 'Fancy' (TWidget) has the wrong class for field 'Fancy' of TTestForm");
    Reader.Handlers = nullptr;
    EXPECT_EQ(WidgetError("OnClick = Click"),
              "TTestForm, line 3: unknown handler 'Click' for property 'OnClick' of W1 (TWidget)");
}

TEST_F(FormReaderErrors, FailuresOfTheComponentItselfKeepTheirMessage)
{
    EXPECT_EQ(WidgetError("Fussy = -1"),
              "TTestForm, line 3: property 'Fussy' of W1 (TWidget): Fussy must not be negative");
    // A binary property that ends early is a stream read error.
    TTestForm form(nullptr);
    try {
        Reader.ReadInto("object Form1: TTestForm\n  Data = { 05000000 4142 }\nend", form);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, "TTestForm, line 2: property 'Data' of Form1 (TTestForm): Stream read error");
    }
}

TEST_F(FormReaderErrors, NothingIsLoadedWhenTheDescriptionFails)
{
    TTestForm form(nullptr);
    EXPECT_THROW(Reader.ReadInto("object F: TTestForm\n  object A: TWidget end\n  object B: TWidget\n"
                                 "    Target = Nobody\n  end\nend",
                                 form),
                 EFormDescriptionError);
    EXPECT_TRUE(Log.empty());
    // The components made so far belong to the root, still loading.
    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_TRUE(form.Components(1)->ComponentState() & csLoading);
}

TEST_F(FormReaderErrors, TextErrorsNameTheFormBeingRead)
{
    EXPECT_EQ(Error(""), "TTestForm, line 1: 'object' expected, found end of text");
    EXPECT_EQ(Error("object F: TTestForm\n  Caption = 'open\nend"), "TTestForm, line 2: unterminated string");
    EXPECT_EQ(Error("object F: TTestForm\n  object W: TWidget\n    Width = 1\n  end\n"),
              "TTestForm, line 5: 'object' or 'end' expected, found end of text");
    EXPECT_EQ(Error("object F: TTestForm\n  Data = { 0 }\nend"),
              "TTestForm, line 2: odd number of hexadecimal digits in binary data");

    TComponent owner(nullptr);
    try {
        Reader.Create("object P: TNoSuchForm end", &owner);
        FAIL() << "no exception";
    } catch (const EFormDescriptionError& e) {
        EXPECT_EQ(e.Message, "TNoSuchForm, line 1: unknown class TNoSuchForm of P");
    }
    EXPECT_THROW(Reader.Create("object P: TTestForm end", &owner), EFormDescriptionError);
    EXPECT_THROW(Reader.Create("object P: TWidget Width = 'x' end", &owner), EFormDescriptionError);
    // A root that fails is freed, whoever its owner is.
    EXPECT_EQ(owner.ComponentCount(), 0);
}

// Every prefix of a valid description, and every one-character corruption
// of it, either reads or raises EFormDescriptionError; under the sanitizers
// this also shows that no path reads out of bounds or leaks.
TEST_F(FormReaderErrors, TruncatedAndCorruptedDescriptionsNeverCrash)
{
    const std::string valid =
        "object Form1: TTestForm\n"
        "  Caption = 'Tank'#13#10 + 'two'\n"
        "  Width = -12\n"
        "  Viewport.Camera.Position.Z = -5.0\n"
        "  object W1: TWidget\n"
        "    Color = $FF\n"
        "    Scale = 1.5\n"
        "    Visible = False\n"
        "    Align = alTop\n"
        "    Anchors = [akLeft, akTop]\n"
        "    Items.Strings = ( 'One' 'Two' )\n"
        "    Target = W2\n"
        "    OnClick = Click\n"
        "    Data = { 02000000\n"
        "      4142 }\n"
        "    object W2: TFancyWidget\n"
        "      Sparkle = 1\n"
        "    end\n"
        "  end\n"
        "end\n";
    ASSERT_EQ(Error(valid), "");

    int failures = 0;
    auto attempt = [&](const std::string& text) {
        TTestForm form(nullptr);
        try {
            Reader.ReadInto(text, form);
        } catch (const EFormDescriptionError&) {
            ++failures;
        }
    };
    for (size_t length = 0; length < valid.size(); ++length)
        attempt(valid.substr(0, length));
    const std::string replacements = std::string("\0'#{}(]-.=9Z \n", 14);
    for (size_t i = 0; i < valid.size(); ++i)
        for (char c : replacements) {
            std::string corrupt = valid;
            corrupt[i] = c;
            attempt(corrupt);
        }
    // Nearly every prefix is incomplete; many corruptions must fail too.
    EXPECT_GE(failures, static_cast<int>(valid.size()));
}

}  // namespace
