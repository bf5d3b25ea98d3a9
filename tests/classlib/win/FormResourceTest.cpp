// Forms read from their form resources under Wine (controls, parents,
// properties, handlers fired by real messages, the Loaded order, faulty and
// missing resources) and bad property values read from text.
#include "classlib/ui/FormResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "classlib/core/FormReader.h"
#include "classlib/ui/ComCtrls.h"
#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/StdCtrls.h"
#include "classlib/ui/Timer.h"

namespace {

using uitest::UiTest;

// A custom control the description nests. (The order of Loaded and the
// loading states are the reader's, proven by its native tests.)
class TLoadProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::string ClassName() const override { return "TLoadProbe"; }
};

void RegisterTestClasses();

class TResourceTestForm : public TForm {
public:
    explicit TResourceTestForm(TComponent* owner) : TForm(owner)
    {
        RegisterTestClasses();
        TFormHandlers handlers;
        handlers.Add("ButtonClick", this, &TResourceTestForm::ButtonClick);
        handlers.Add("FormCreate", this, &TResourceTestForm::FormCreate);
        handlers.Add("FormCloseQuery", this, &TResourceTestForm::FormCloseQuery);
        handlers.Add("ProbeMouseDown", this, &TResourceTestForm::ProbeMouseDown);
        handlers.Add("ProbeClick", this, &TResourceTestForm::ProbeClick);
        ReadFormResource(*this, handlers);
    }
    std::string ClassName() const override { return "TResourceTestForm"; }

    TLoadProbe* Probe1 = nullptr;
    TLoadProbe* Probe2 = nullptr;
    TButton* Button1 = nullptr;
    TTimer* Timer1 = nullptr;

    std::vector<std::string> Calls;
    bool AllowClose = false;

private:
    void ButtonClick(TObject* sender) { Calls.push_back("ButtonClick " + Named(sender)); }
    void ProbeClick(TObject* sender) { Calls.push_back("ProbeClick " + Named(sender)); }
    void FormCreate(TObject* sender) { Calls.push_back("FormCreate " + Named(sender)); }
    void FormCloseQuery(TObject*, bool& canClose)
    {
        Calls.push_back("FormCloseQuery");
        canClose = AllowClose;
    }
    void ProbeMouseDown(TObject* sender, TMouseButton button, TShiftState, int x, int y)
    {
        Calls.push_back("ProbeMouseDown " + Named(sender) + " " + std::to_string(button) + " " +
                        std::to_string(x) + "," + std::to_string(y));
    }
    static std::string Named(TObject* sender)
    {
        auto* component = dynamic_cast<TComponent*>(sender);
        return component != nullptr ? component->Name() : "?";
    }
};

// One C++ class registered under several names, each reading the resource of its name.
class TNamedForm : public TForm {
public:
    TNamedForm(TComponent* owner, std::string className) : TForm(owner), FClassName(std::move(className))
    {
        RegisterTestClasses();
        TFormHandlers handlers;
        handlers.Add<TNotifyEvent>("ButtonClick", [](TObject*) {});
        ReadFormResource(*this, handlers);
    }
    std::string ClassName() const override { return FClassName; }

private:
    std::string FClassName;
};

void RegisterTestClasses()
{
    static const bool registered = [] {
        RegisterClassLibraryClasses();
        TClassRegistry& classes = ClassRegistry();
        classes.Register<TLoadProbe>("TLoadProbe", "TCustomControl");
        classes.Register<TResourceTestForm>("TResourceTestForm", "TForm")
            .Factory(nullptr)
            .Field("Probe1", &TResourceTestForm::Probe1)
            .Field("Probe2", &TResourceTestForm::Probe2)
            .Field("Button1", &TResourceTestForm::Button1)
            .Field("Timer1", &TResourceTestForm::Timer1);
        for (const char* name : {"TBadColorForm", "TBadNestingForm", "TNoSuchForm"})
            classes.Register<TNamedForm>(name, "TForm").Factory(nullptr);
        return true;
    }();
    (void)registered;
}

class FormResourceTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterClassLibraryClasses();
    }

    // The EFormDescriptionError message of reading `text` into a plain form.
    static std::string ReadError(const std::string& text)
    {
        TForm form(nullptr);
        return uitest::MessageOf<EFormDescriptionError>([&] { TFormReader().ReadInto(text, form); });
    }
};

TEST_F(FormResourceTest, FormHasItsControlsWithParentsPropertiesAndFontsAndHandlersFiredByMessages)
{
    TResourceTestForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Caption(), "Resource test");
    EXPECT_EQ(form->BorderStyle(), bsDialog);

    // The form's fields hold the components, each attached to the object it was nested in.
    ASSERT_TRUE(form->Probe1 && form->Probe2 && form->Button1 && form->Timer1);
    EXPECT_EQ(form->Probe2->Owner(), form) << "the form owns nested components too";
    EXPECT_EQ(form->Probe2->Parent(), form->Probe1);
    EXPECT_EQ(form->Probe1->Hint(), "Outer\r\nprobe");
    // The inner probe takes its parent's colour and font, with its own size.
    EXPECT_EQ(form->Probe2->Color(), 0xFF8000);
    EXPECT_EQ(form->Probe2->Font()->Name(), "Arial");
    EXPECT_EQ(form->Probe2->Font()->Size(), 12);
    EXPECT_EQ(form->Timer1->Interval(), 250u);

    // The window is made from what was read.
    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right * 1000 + client.bottom, 320200);
    EXPECT_EQ(WindowText(form->Button1->Handle()), "Press");

    // The handlers are bound by name; OnCreate fires after construction.
    form->Show();
    SendMessageA(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ModalResult(), mrOk);
    ClickAt(form->Probe1->Handle(), 5, 6);
    ClickAt(form->Probe2->Handle(), 3, 4);
    EXPECT_FALSE(form->CloseQuery());
    form->AllowClose = true;
    EXPECT_TRUE(form->CloseQuery());
    EXPECT_EQ(form->Calls, (std::vector<std::string>{"FormCreate ResourceTestForm", "ButtonClick Button1",
                                                     "ProbeMouseDown Probe1 0 5,6", "ProbeClick Probe2",
                                                     "FormCloseQuery", "FormCloseQuery"}));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(FormResourceTest, FaultyOrMissingDescriptionsNameTheFormTheLineAndTheItem)
{
    const struct {
        const char* ClassName;
        const char* Message;
    } cases[] = {
        {"TBadColorForm",
         "TBadColorForm, line 2: unknown colour 'clPink' for property 'Color' of BadColorForm (TBadColorForm)"},
        {"TBadNestingForm", "TBadNestingForm, line 3: Button1 (TButton): 'Timer1' (TTimer) is not a windowed "
                            "control and cannot contain controls"},
    };
    const int formsBefore = Screen->FormCount();
    for (const auto& test : cases)
        EXPECT_EQ(uitest::MessageOf<EFormDescriptionError>([&] { TNamedForm form(nullptr, test.ClassName); }),
                  test.Message);
    EXPECT_EQ(uitest::MessageOf<EResNotFound>([] { TNamedForm form(nullptr, "TNoSuchForm"); }),
              "Resource TNOSUCHFORM not found");
    EXPECT_EQ(Screen->FormCount(), formsBefore) << "a form that failed to read is gone";
}

// The control library's own value types; the reader's messages for unknown
// properties, values and set elements are proven by its native tests.
TEST_F(FormResourceTest, BadValuesOfControlPropertiesAreErrors)
{
    const struct {
        const char* Property;
        const char* Detail;
    } cases[] = {
        {"Color = $100000000", "colour 4294967296 out of range for property 'Color' of Form1 (TForm)"},
        {"Color = 'red'", "colour expected, found a string for property 'Color' of Form1 (TForm)"},
        {"Font.Charset = 256", "charset 256 out of range for property 'Font.Charset' of Form1 (TForm)"},
        {"FormStyle = fsDocked", "unknown value 'fsDocked' for property 'FormStyle' of Form1 (TForm)"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(ReadError("object Form1: TForm\n  " + std::string(test.Property) + "\nend"),
                  std::string("TForm, line 2: ") + test.Detail);
}

// Pages (a page named before it is read), a memo on one and a splitter read
// from a description.
TEST_F(FormResourceTest, PagesAndTheirControlsTakeTheirPublishedProperties)
{
    TForm form(nullptr);
    TFormReader().ReadInto(R"(object F: TForm
  object Pages: TPageControl
    TabPosition = tpBottom
    ActivePage = Second
    object First: TTabSheet end
    object Second: TTabSheet
      object Notes: TMemo
        WantTabs = True
      end
    end
  end
  object Split: TSplitter
    MinSize = 50
  end
end)", form);
    auto* pages = dynamic_cast<TPageControl*>(form.FindComponent("Pages"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), form.FindComponent("Second"));
    EXPECT_EQ(pages->TabPosition(), tpBottom);
    auto* notes = dynamic_cast<TMemo*>(form.FindComponent("Notes"));
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE(notes->WantTabs());
    EXPECT_EQ(notes->Parent(), pages->Pages(1));
    EXPECT_EQ(dynamic_cast<TSplitter*>(form.FindComponent("Split"))->MinSize(), 50);
}

}  // namespace
