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

    // The message the description raises when read into a fresh form; "" when it reads.
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

    std::vector<std::string> Log;
    TClassRegistry Classes;
    TFormHandlers Handlers;
    TFormReader Reader{Classes};
};

TEST_F(FormReaderErrors, EveryMessageNamesTheFormLineAndItem)
{
    // Property lines of W1 and the message each raises, less "TTestForm, line 3: " and " of W1 (TWidget)".
    const std::pair<const char*, const char*> cases[] = {
        {"Viewport.Postion.Z = 1", "unknown property 'Viewport.Postion.Z'"},
        {"Missing.Z = 1", "no object in property 'Missing'"},
        {"Width = 1.5", "integer expected, found a real number for property 'Width'"},
        {"Width = 2147483648", "value 2147483648 out of range for property 'Width'"},
        {"Color = clGreen", "unknown value 'clGreen' for property 'Color'"},
        {"Visible = 1", "True or False expected, found an integer for property 'Visible'"},
        {"Anchors = [akLeft, akNowhere]", "unknown set element 'akNowhere' for property 'Anchors'"},
        {"Target = Other.Panel1", "unknown component 'Other.Panel1' for property 'Target'"},
        {"OnClick = Clik", "unknown handler 'Clik' for property 'OnClick'"},
        {"OnChange = Click", "handler 'Click' has the wrong type for property 'OnChange'"},
    };
    for (const auto& [line, message] : cases)
        EXPECT_EQ(Error(std::string("object Form1: TTestForm\n  object W1: TWidget\n") + line + "\n  end\nend"),
                  std::string("TTestForm, line 3: ") + message + " of W1 (TWidget)")
            << line;

    const std::pair<const char*, const char*> whole[] = {
        {"object Form1: TTestForm\n  object W1: TBogus end\nend", "TTestForm, line 2: unknown class TBogus of W1"},
        {"object Form1: TTestForm\n  object V: TVector end\nend",
         "TTestForm, line 2: class TVector of V cannot be created"},
        {"object Form1: TWidget end", "TWidget, line 1: a TWidget description cannot be read into a TTestForm"},
        {"object Form1: TTestForm\n  object C: TComponent end\n  object W1: TWidget Buddy = C end\nend",
         "TTestForm, line 3: component 'C' (TComponent) has the wrong class for property 'Buddy' of W1 (TWidget)"},
        {"object Form1: TTestForm\n  object Fancy: TWidget end\nend",
         "TTestForm, line 2: component 'Fancy' (TWidget) has the wrong class for field 'Fancy' of TTestForm"},
        {"object F: TTestForm\n  Fussy = -1\nend",
         "TTestForm, line 2: property 'Fussy' of F (TTestForm): Fussy must not be negative"},
        {"object F: TTestForm\n  Data = { 05000000 4142 }\nend",
         "TTestForm, line 2: property 'Data' of F (TTestForm): Stream read error"},
        {"", "TTestForm, line 1: 'object' expected, found end of text"},
    };
    for (const auto& [text, message] : whole)
        EXPECT_EQ(Error(text), message);
}

TEST_F(FormReaderErrors, NothingIsLoadedAndAFailedRootIsFreed)
{
    TTestForm form(nullptr);
    EXPECT_THROW(Reader.ReadInto("object F: TTestForm\n  object A: TWidget end\n  object B: TWidget\n"
                                 "    Target = Nobody\n  end\nend",
                                 form),
                 EFormDescriptionError);
    EXPECT_TRUE(Log.empty());
    ASSERT_EQ(form.ComponentCount(), 2);  // made so far, owned by the root, still loading
    EXPECT_TRUE(form.Components(1)->ComponentState() & csLoading);

    TComponent owner(nullptr);
    EXPECT_THROW(Reader.Create("object P: TWidget Width = 'x' end", &owner), EFormDescriptionError);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

// Every prefix of a valid description, and every one-character corruption of
// it, reads or raises EFormDescriptionError; never a crash, an out-of-bounds
// read or a leak (the sanitizers watch).
TEST_F(FormReaderErrors, TruncatedAndCorruptedDescriptionsNeverCrash)
{
    const std::string valid =
        "object Form1: TTestForm Caption = 'Tank'#13#10 + 'two'\n"
        "  Viewport.Position.Z = -5.0\n"
        "  object W1: TWidget Color = $FF Visible = False Anchors = [akLeft, akTop]\n"
        "    Items.Strings = ( 'One' 'Two' ) Target = W2 OnClick = Click\n"
        "    Data = { 02000000 4142 } object W2: TFancyWidget Sparkle = 1 end\n"
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
    EXPECT_GE(failures, static_cast<int>(valid.size()));
}

}  // namespace
