#include "classlib/core/FormReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FormTestClasses.h"
#include "classlib/core/FormDescriptionError.h"
#include "classlib/core/FormParser.h"

namespace {

using namespace formtest;

class FormReaderTest : public ::testing::Test {
protected:
    FormReaderTest()
    {
        RegisterTestClasses(Classes);
        Journal = &Log;
        Reader.Handlers = &Handlers;
    }
    ~FormReaderTest() override { Journal = nullptr; }

    TWidget* Widget(const std::string& name) const { return dynamic_cast<TWidget*>(Form.FindComponent(name)); }

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
        "    object Inner: TFancyWidget Sparkle = 3 Width = 7 end\n"
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
    EXPECT_EQ(inner->Sparkle + inner->Width, 10);  // Width inherited from TWidget's registration
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

TEST_F(FormReaderTest, CreateMakesTheRootWithItsOwnerAndReadsParsedTrees)
{
    TComponent owner(nullptr);
    TComponent* root = Reader.Create("object Panel: TWidget\n  object Child: TWidget Width = 5 end\nend", &owner);
    ASSERT_NE(dynamic_cast<TWidget*>(root), nullptr);
    EXPECT_EQ(root->Owner(), &owner);
    EXPECT_EQ(dynamic_cast<TWidget*>(root->FindComponent("Child"))->Width, 5);

    Reader.ReadInto(ParseFormDescription("object F: TTestForm Width = 12 end"), Form);
    EXPECT_EQ(Form.Width, 12);
}

TEST(FormClassRegistry, ClassesFindTheirParentAndBadRegistrationsAreRefused)
{
    TClassRegistry classes;
    RegisterTestClasses(classes);
    EXPECT_EQ(classes.Find("tfancywidget")->Parent(), classes.Find("TWidget"));
    try {
        classes.Register<TComponent>("tcomponent", "TPersistent");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Class tcomponent is already registered");
    }
    try {
        classes.Register<TComponent>("TThing", "TNowhere");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Parent class TNowhere of TThing is not registered");
    }
    EXPECT_NE(ClassRegistry().Find("TStringList")->FindProperty("Strings"), nullptr);
}

}  // namespace
