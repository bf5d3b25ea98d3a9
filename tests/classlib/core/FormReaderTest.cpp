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

TEST_F(FormReaderTest, EveryValueTypeReachesItsProperty)
{
    Form.Items.Add("old");
    Reader.ReadInto(
        "object Form1: TTestForm\n"
        "  Caption = 'It''s'#13#10 + 'here'\n"
        "  Lines = ('x' 'y')\n"
        "  Viewport.Width = 640\n"
        "  viewport.camera.position.Z = -5.0\n"
        "  object W1: TWidget\n"
        "    Width = -400\n"
        "    Color = clBlue\n"
        "    Scale = 1.5e1\n"
        "    Visible = false\n"
        "    Align = ALCLIENT\n"
        "    Anchors = [akLeft, akBottom, akLeft]\n"
        "    Lines = ( 'One' 'Two' + '2' )\n"
        "    Items.Strings = ( 'A' '' )\n"
        "    Data = { 02000000 4142 }\n"
        "    Tag = $7FFFFFFF\n"
        "  end\n"
        "  object W2: TWidget\n"
        "    Color = $00FF\n"
        "    Scale = 3\n"
        "    Anchors = []\n"
        "    Lines = ( )\n"
        "    Data = { 00000000 }\n"
        "  end\n"
        "end",
        Form);
    EXPECT_EQ(Form.Caption, "It's\r\nhere");
    EXPECT_EQ(Form.Items.Text(), "x\r\ny\r\n");  // a string list property replaces the content
    EXPECT_EQ(Form.Viewport.Width, 640);
    EXPECT_DOUBLE_EQ(Form.Viewport.Camera.Position.Z, -5.0);  // nested paths go through sub-objects
    TWidget* w1 = Widget("W1");
    ASSERT_NE(w1, nullptr);
    EXPECT_EQ(w1->Width, -400);
    EXPECT_EQ(w1->Color, clBlue);
    EXPECT_DOUBLE_EQ(w1->Scale, 15.0);
    EXPECT_FALSE(w1->Visible);
    EXPECT_EQ(w1->Align, alClient);
    EXPECT_EQ(w1->Anchors, akLeft | akBottom);
    EXPECT_EQ(w1->Items.Text(), "A\r\n\r\n");  // "Items.Strings" went last
    EXPECT_EQ(w1->Data, "AB");
    EXPECT_EQ(w1->Tag, 0x7FFFFFFF);

    TWidget* w2 = Widget("W2");
    ASSERT_NE(w2, nullptr);
    EXPECT_EQ(w2->Color, 0xFF);
    EXPECT_DOUBLE_EQ(w2->Scale, 3.0);
    EXPECT_EQ(w2->Anchors + w2->Items.Count() + w2->Data.size(), 0u);
}

TEST_F(FormReaderTest, ObjectsAreOwnedByTheRootInDescriptionOrderAndAttachedToTheirBlock)
{
    Reader.ReadInto(
        "object F: TTestForm\n"
        "  object Panel: TWidget\n"
        "    object Inner: TFancyWidget\n"
        "      Sparkle = 3\n"
        "      Width = 7\n"
        "      object Deepest: TWidget end\n"
        "    end\n"
        "  end\n"
        "  object Last: TComponent Tag = 9 end\n"
        "end",
        Form);
    ASSERT_EQ(Form.ComponentCount(), 4);
    EXPECT_EQ(Form.Name(), "F");
    std::vector<std::string> names;
    for (int i = 0; i < Form.ComponentCount(); ++i)
        names.push_back(Form.Components(i)->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"Panel", "Inner", "Deepest", "Last"}));

    auto* inner = dynamic_cast<TFancyWidget*>(Widget("Inner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Sparkle, 3);
    EXPECT_EQ(inner->Width, 7);  // inherited from TWidget's registration
    EXPECT_EQ(Widget("Panel")->ParentObject, &Form);
    EXPECT_EQ(inner->ParentObject, Widget("Panel"));
    EXPECT_EQ(Widget("Deepest")->ParentObject, inner);
    EXPECT_EQ(Form.FindComponent("Last")->Tag, 9);
}

TEST_F(FormReaderTest, PropertiesAreSetWhileLoadingAndLoadedRunsLastInCreationOrder)
{
    Handlers.Add<TNotifyEvent>("Click", [](TObject*) {});
    Reader.ReadInto(
        "object F: TTestForm\n"
        "  Width = 1\n"
        "  object B: TWidget\n"
        "    Width = 2\n"
        "    Target = A\n"
        "    OnClick = Click\n"
        "  end\n"
        "  object A: TWidget Width = 3 end\n"
        "end",
        Form);
    for (TWidget* w : {static_cast<TWidget*>(&Form), Widget("A"), Widget("B")}) {
        EXPECT_EQ(w->StateAtWidth, csLoading | csReading) << w->Name();
        EXPECT_EQ(w->ComponentState(), 0u) << w->Name();
    }
    // References and events were in place when Loaded ran.
    EXPECT_EQ(Log, (std::vector<std::string>{"Loaded F [Target=nil OnClick=nil]",
                                             "Loaded B [Target=A OnClick=set]",
                                             "Loaded A [Target=nil OnClick=nil]"}));
}

TEST_F(FormReaderTest, TheFormsFieldsReceiveTheirComponentsBeforeTheirValues)
{
    Reader.ReadInto(
        "object F: TTestForm\n"
        "  object Panel: TWidget\n"
        "    object main: TWidget Width = 1 end\n"
        "  end\n"
        "  object Fancy: TFancyWidget end\n"
        "end",
        Form);
    EXPECT_EQ(Form.Main, Widget("Main"));
    EXPECT_TRUE(Form.Main->InFieldAtWidth);
    EXPECT_EQ(Form.Fancy, Widget("Fancy"));
}

TEST_F(FormReaderTest, ReferencesResolveAfterCreationWithinTheFormAndAcrossForms)
{
    TTestForm other(nullptr);
    other.SetName("FormOther");
    auto* panel = new TWidget(&other);
    panel->SetName("Panel1");
    Reader.FindRoot = [&](const std::string& name) -> TComponent* {
        return SameText(name, "FormOther") ? &other : nullptr;
    };
    Reader.ReadInto(
        "object Form1: TTestForm\n"
        "  Target = Later\n"
        "  object W: TWidget\n"
        "    Target = form1\n"
        "    Buddy = Later\n"
        "  end\n"
        "  object Later: TWidget\n"
        "    Target = FormOther.Panel1\n"
        "    Buddy = formother.panel1\n"
        "  end\n"
        "  object Far: TWidget Target = FormOther end\n"
        "end",
        Form);
    EXPECT_EQ(Form.Target, Widget("Later"));
    EXPECT_EQ(Widget("W")->Target, &Form);
    EXPECT_EQ(Widget("W")->Buddy, Widget("Later"));
    EXPECT_EQ(Widget("Later")->Target, panel);
    EXPECT_EQ(Widget("Later")->Buddy, panel);
    EXPECT_EQ(Widget("Far")->Target, &other);
}

class THandlerOwner {
public:
    void ButtonClick(TObject* sender) { Clicks.push_back(dynamic_cast<TComponent*>(sender)->Name()); }
    std::vector<std::string> Clicks;
};

TEST_F(FormReaderTest, EventsAreBoundOnlyAfterEveryValueIsSet)
{
    THandlerOwner owner;
    Handlers.Add("ButtonClick", &owner, &THandlerOwner::ButtonClick);
    int lastChange = 0;
    Handlers.Add<TChangeEvent>("Changed", [&](TObject*, int value) { lastChange = value; });
    // Checked fires OnClick when set: streamed before or after the event,
    // it must not reach the handler.
    Reader.ReadInto(
        "object F: TTestForm\n"
        "  Checked = True\n"
        "  OnClick = buttonclick\n"
        "  object Box: TWidget\n"
        "    OnClick = ButtonClick\n"
        "    OnChange = Changed\n"
        "    Checked = True\n"
        "  end\n"
        "end",
        Form);
    EXPECT_TRUE(Form.Checked);
    EXPECT_TRUE(Widget("Box")->Checked);
    EXPECT_TRUE(owner.Clicks.empty());

    Widget("Box")->SetChecked(false);
    Form.SetChecked(false);
    EXPECT_EQ(owner.Clicks, (std::vector<std::string>{"Box", "F"}));
    ASSERT_TRUE(Widget("Box")->OnChange);
    Widget("Box")->OnChange(nullptr, 42);
    EXPECT_EQ(lastChange, 42);
}

TEST_F(FormReaderTest, CreateMakesTheRootWithItsOwner)
{
    TComponent owner(nullptr);
    TComponent* root = Reader.Create("object Panel: TWidget\n  object Child: TWidget Width = 5 end\nend", &owner);
    ASSERT_NE(dynamic_cast<TWidget*>(root), nullptr);
    EXPECT_EQ(root->Owner(), &owner);
    EXPECT_EQ(root->Name(), "Panel");
    EXPECT_EQ(dynamic_cast<TWidget*>(root->FindComponent("Child"))->Width, 5);
    EXPECT_EQ(Log.front(), "Loaded Panel [Target=nil OnClick=nil]");

    std::unique_ptr<TComponent> unowned(Reader.Create("object Solo: TWidget end", nullptr));
    EXPECT_EQ(unowned->Owner(), nullptr);
}

TEST_F(FormReaderTest, ReadsAParsedTreeAsWell)
{
    TFormObject description = ParseFormDescription("object F: TTestForm Width = 12 end");
    Reader.ReadInto(description, Form);
    EXPECT_EQ(Form.Width, 12);
}

TEST(FormClassRegistry, DerivedRegistrationsExtendAndOverrideTheirParents)
{
    TClassRegistry classes;
    RegisterTestClasses(classes);
    const TClassInfo* fancy = classes.Find("tfancywidget");
    ASSERT_NE(fancy, nullptr);
    EXPECT_EQ(fancy->Parent(), classes.Find("TWidget"));
    EXPECT_NE(fancy->FindProperty("Sparkle"), nullptr);
    EXPECT_NE(fancy->FindProperty("width"), nullptr);
    EXPECT_NE(fancy->FindProperty("Tag"), nullptr);
    EXPECT_EQ(classes.Find("TWidget")->FindProperty("Sparkle"), nullptr);
    EXPECT_NE(fancy->FindParentSetter(), nullptr);
    EXPECT_TRUE(fancy->Factory());
    EXPECT_FALSE(classes.Find("TTestForm")->Factory());
    EXPECT_FALSE(classes.Find("TVector")->Factory());

    // A redefinition in a derived class wins over the parent's.
    classes.Register<TFancyWidget>("TSparkler", "TFancyWidget").Int("Width", &TFancyWidget::Sparkle);
    TComponent owner(nullptr);
    TFormReader reader(classes);
    TComponent* created = reader.Create("object S: TSparkler Width = 4 end", &owner);
    auto* sparkler = dynamic_cast<TFancyWidget*>(created);
    ASSERT_NE(sparkler, nullptr);
    EXPECT_EQ(sparkler->Sparkle, 4);
    EXPECT_EQ(sparkler->Width, 0);
}

TEST(FormClassRegistry, RefusesDuplicateAndOrphanRegistrations)
{
    TClassRegistry classes;
    RegisterCoreClasses(classes);
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
    EXPECT_EQ(classes.Find("TThing"), nullptr);
}

TEST(FormClassRegistry, TheProgramRegistryKnowsTheCoreClasses)
{
    TComponent owner(nullptr);
    TComponent* created = TFormReader().Create("object C: TComponent Tag = -3 end", &owner);
    EXPECT_EQ(created->Tag, -3);
    ASSERT_NE(ClassRegistry().Find("TStringList"), nullptr);
    EXPECT_NE(ClassRegistry().Find("TStringList")->FindProperty("Strings"), nullptr);
}

}  // namespace
