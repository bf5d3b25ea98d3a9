#include "classlib/core/FormReader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../../support/ExceptionMessage.h"
#include "FormTestClasses.h"
#include "classlib/core/FormDescriptionError.h"

namespace {

using namespace formtest;
using testsupport::MessageOf;

class FormReaderTest : public ::testing::Test {
protected:
    FormReaderTest()
    {
        RegisterTestClasses(Classes);
        Journal = &Log;
        Handlers.Add<TNotifyEvent>("Click", [](TObject*) {});
        Reader.Handlers = &Handlers;
    }
    ~FormReaderTest() override { Journal = nullptr; }

    TWidget* Widget(const std::string& name) const { return dynamic_cast<TWidget*>(Form.FindComponent(name)); }

    // The message the description raises when read into a fresh form; "(no exception)" when it reads.
    std::string Error(const std::string& text)
    {
        TTestForm form(nullptr);
        return MessageOf<EFormDescriptionError>([&] { Reader.ReadInto(text, form); });
    }

    std::vector<std::string> Log;
    TClassRegistry Classes;
    TFormHandlers Handlers;
    TFormReader Reader{Classes};
    TTestForm Form{nullptr};
};

TEST_F(FormReaderTest, EveryValueTypeReachesItsPropertyAndObjectsNestInOrder)
{
    Form.Items.Add("old");
    Reader.ReadInto(
        "object Form1: TTestForm\n"
        "  Caption = 'It''s'#13#10 + 'here'\n"
        "  Lines = ('x' 'y')\n"
        "  viewport.position.Z = -5.0\n"
        "  object W1: TWidget\n"
        "    Color = clBlue\n"
        "    Visible = false\n"
        "    Align = ALCLIENT\n"
        "    Anchors = [akLeft, akBottom, akLeft]\n"
        "    Items.Strings = ( 'A' '' )\n"
        "    Data = { 02000000 4142 }\n"
        "    object Inner: TFancyWidget Sparkle = 3 Width = -7 Anchors = [] end\n"
        "  end\n"
        "  object Last: TComponent end\n"
        "end",
        Form);
    EXPECT_EQ(Form.Caption, "It's\r\nhere");
    EXPECT_EQ(Form.Items.Text(), "x\r\ny\r\n");  // a string list property replaces the content
    EXPECT_DOUBLE_EQ(Form.Viewport.Position.Z, -5.0);
    TWidget* w1 = Widget("W1");
    ASSERT_NE(w1, nullptr);
    EXPECT_EQ(w1->Color, clBlue);
    EXPECT_FALSE(w1->Visible);
    EXPECT_EQ(w1->Align, alClient);
    EXPECT_EQ(w1->Anchors, akLeft | akBottom);
    EXPECT_EQ(w1->Items.Text(), "A\r\n\r\n");
    EXPECT_EQ(w1->Data, "AB");

    // Owned by the root in description order, attached to their block.
    ASSERT_EQ(Form.ComponentCount(), 3);
    EXPECT_EQ(Form.Components(2)->Name(), "Last");
    auto* inner = dynamic_cast<TFancyWidget*>(Widget("Inner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Sparkle + inner->Width, -4);  // Width inherited from TWidget's registration
    EXPECT_EQ(inner->ParentObject, w1);
}

TEST_F(FormReaderTest, ValuesAreSetWhileLoadingThenReferencesEventsAndLoadedInCreationOrder)
{
    TTestForm other(nullptr);
    other.SetName("FormOther");
    auto* panel = new TWidget(&other);
    panel->SetName("Panel1");
    Reader.FindRoot = [&](const std::string& name) -> TComponent* {
        return SameText(name, "FormOther") ? &other : nullptr;
    };
    std::vector<std::string> clicks;
    Handlers.Add<TNotifyEvent>("Click", [&](TObject* s) { clicks.push_back(dynamic_cast<TComponent*>(s)->Name()); });
    Reader.ReadInto(
        "object F: TTestForm\n"
        "  Width = 1\n"
        "  object B: TWidget\n"
        "    Checked = True\n"  // fires OnClick: set before the event is bound, it must not reach the handler
        "    Width = 2\n"
        "    Target = A\n"
        "    Buddy = formother.panel1\n"
        "    OnClick = click\n"
        "  end\n"
        "  object main: TWidget Width = 3 end\n"
        "  object A: TWidget Target = FormOther end\n"
        "end",
        Form);
    for (TWidget* w : {static_cast<TWidget*>(&Form), Widget("Main"), Widget("B")}) {
        EXPECT_EQ(w->StateAtWidth, csLoading | csReading) << w->Name();
        EXPECT_EQ(w->ComponentState(), 0u) << w->Name();
    }
    EXPECT_EQ(Form.Main, Widget("Main"));
    EXPECT_TRUE(Form.Main->InFieldAtWidth);  // fields receive their components before their values
    EXPECT_EQ(Widget("B")->Buddy, panel);
    EXPECT_EQ(Widget("A")->Target, &other);
    EXPECT_EQ(Log, (std::vector<std::string>{"Loaded F [Target=nil OnClick=nil]", "Loaded B [Target=A OnClick=set]",
                                             "Loaded main [Target=nil OnClick=nil]",
                                             "Loaded A [Target=FormOther OnClick=nil]"}));
    EXPECT_TRUE(clicks.empty());
    Widget("B")->SetChecked(false);
    EXPECT_EQ(clicks, std::vector<std::string>{"B"});
}

TEST(FormClassRegistry, ClassesFindTheirParentAndBadRegistrationsAreRefused)
{
    TClassRegistry classes;
    RegisterTestClasses(classes);
    EXPECT_EQ(classes.Find("tfancywidget")->Parent(), classes.Find("TWidget"));
    EXPECT_EQ(MessageOf([&] { classes.Register<TComponent>("tcomponent", "TPersistent"); }),
              "Class tcomponent is already registered");
    EXPECT_EQ(MessageOf([&] { classes.Register<TComponent>("TThing", "TNowhere"); }),
              "Parent class TNowhere of TThing is not registered");
    EXPECT_NE(ClassRegistry().Find("TStringList")->FindProperty("Strings"), nullptr);
}

TEST_F(FormReaderTest, EveryMessageNamesTheFormLineAndItem)
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

TEST_F(FormReaderTest, NothingIsLoadedAndAFailedRootIsFreedAndAMadeOneOwned)
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
    TComponent* root = Reader.Create("object Panel: TWidget\n  object Child: TWidget Width = 5 end\nend", &owner);
    EXPECT_EQ(root->Owner(), &owner);
    EXPECT_EQ(dynamic_cast<TWidget&>(*root->FindComponent("Child")).Width, 5);
}

// Every prefix of a valid description, and every one-character corruption of
// it, reads or raises EFormDescriptionError; never a crash, an out-of-bounds
// read or a leak (the sanitizers watch).
TEST_F(FormReaderTest, TruncatedAndCorruptedDescriptionsNeverCrash)
{
    const std::string valid =
        "object Form1: TTestForm Caption = 'Tank'#13#10 + 'two'\n"
        "  Viewport.Position.Z = -5.0\n"
        "  object W1: TWidget Color = $FF Visible = False Anchors = [akLeft, akTop]\n"
        "    Items.Strings = ( 'One' 'Two' ) Target = W2 OnClick = Click\n"
        "    Data = { 02000000 4142 } object W2: TFancyWidget Sparkle = 1 end\n"
        "  end\n"
        "end\n";
    ASSERT_EQ(Error(valid), "(no exception)");
    int failures = 0;
    const auto attempt = [&](const std::string& text) { failures += Error(text) != "(no exception)"; };
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
