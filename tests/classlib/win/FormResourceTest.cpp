// Forms read from their form resources under Wine (controls, parents,
// properties, handlers fired by real messages, the Loaded order, faulty and
// missing resources) and the controls' published properties read from text.
#include "classlib/ui/FormResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "classlib/core/FormReader.h"
#include "classlib/system/ResourceStream.h"
#include "classlib/ui/CheckLst.h"
#include "classlib/ui/ComCtrls.h"
#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/StdCtrls.h"
#include "classlib/ui/Timer.h"

namespace {

using uitest::UiTest;

// What Loaded saw, in the order it ran.
std::vector<std::string> Journal;

std::string LoadedEntry(TControl* control)
{
    return "Loaded " + control->Name() + " parent=" + (control->Parent() ? control->Parent()->Name() : "nil") +
           " click=" + (control->OnClick ? "set" : "nil") +
           " loading=" + ((control->ComponentState() & csLoading) != 0 ? "yes" : "no");
}

class TLoadProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::string ClassName() const override { return "TLoadProbe"; }
    void Loaded() override
    {
        Journal.push_back(LoadedEntry(this));
        TCustomControl::Loaded();
    }
};

// A control with a component reference.
class TLinkProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::string ClassName() const override { return "TLinkProbe"; }
    TComponent* Link = nullptr;
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

    void Loaded() override
    {
        Journal.push_back("Loaded " + Name() + " button=" + (Button1 != nullptr ? "set" : "nil") +
                          " create=" + (OnCreate ? "set" : "nil"));
        TForm::Loaded();
    }

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
        classes.Register<TLinkProbe>("TLinkProbe", "TCustomControl").Component("Link", &TLinkProbe::Link);
        classes.Register<TResourceTestForm>("TResourceTestForm", "TForm")
            .Factory(nullptr)
            .Field("Probe1", &TResourceTestForm::Probe1)
            .Field("Probe2", &TResourceTestForm::Probe2)
            .Field("Button1", &TResourceTestForm::Button1)
            .Field("Timer1", &TResourceTestForm::Timer1);
        for (const char* name : {"TBadPropertyForm", "TBadColorForm", "TBadHandlerForm", "TTruncatedForm",
                                 "TBadNestingForm", "TNoSuchForm", "TLinkForm"})
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
        Journal.clear();
        RegisterClassLibraryClasses();
    }

    // The EFormDescriptionError message of reading `text` into a plain form.
    static std::string ReadError(const std::string& text)
    {
        TForm form(nullptr);
        return uitest::ErrorOf<EFormDescriptionError>([&] { TFormReader().ReadInto(text, form); });
    }
};

template <class T>
T* Find(TComponent* owner, const char* name)
{
    auto* component = dynamic_cast<T*>(owner->FindComponent(name));
    EXPECT_NE(component, nullptr) << name;
    return component;
}

TEST_F(FormResourceTest, FormHasItsControlsWithParentsPropertiesAndFontsAndLoadedRunsLast)
{
    auto* form = new TResourceTestForm(nullptr);
    // Loaded runs in creation order once everything is read.
    EXPECT_EQ(Journal, (std::vector<std::string>{
                           "Loaded ResourceTestForm button=set create=set",
                           "Loaded Probe1 parent=ResourceTestForm click=nil loading=yes",
                           "Loaded Probe2 parent=Probe1 click=set loading=yes",
                       }));
    for (int i = 0; i < form->ComponentCount(); ++i)
        EXPECT_EQ(form->Components(i)->ComponentState() & (csLoading | csReading), 0u) << i;
    EXPECT_EQ(form->ComponentState() & csLoading, 0u);

    EXPECT_EQ(form->Name(), "ResourceTestForm");
    EXPECT_EQ(form->Caption(), "Resource test");
    EXPECT_EQ(form->Left(), 40);
    EXPECT_EQ(form->Color(), clBtnFace);
    EXPECT_EQ(form->BorderStyle(), bsDialog);
    EXPECT_EQ(form->BorderIcons(), biSystemMenu);
    EXPECT_EQ(form->Tag, 7);
    EXPECT_EQ(form->Font()->Name(), "Arial");
    EXPECT_EQ(form->Font()->Style(), fsBold | fsItalic);
    EXPECT_EQ(form->Font()->Color(), 0x800000);

    // The form's fields hold the components, each attached to the object it was nested in.
    ASSERT_TRUE(form->Probe1 && form->Probe2 && form->Button1 && form->Timer1);
    EXPECT_EQ(form->Probe2->Owner(), form) << "the form owns nested components too";
    EXPECT_EQ(form->Probe2->Parent(), form->Probe1);
    ASSERT_EQ(form->ControlCount(), 2);
    EXPECT_EQ(form->Controls(0), form->Probe1);
    EXPECT_EQ(form->Controls(1), form->Button1);

    const RECT bounds = form->Probe1->BoundsRect();
    EXPECT_EQ(std::vector<LONG>({bounds.left, bounds.top, bounds.right, bounds.bottom}),
              std::vector<LONG>({8, 8, 158, 108}));
    EXPECT_EQ(form->Probe1->Color(), 0xFF8000);
    EXPECT_EQ(form->Probe1->Hint(), "Outer\r\nprobe");
    EXPECT_EQ(form->Probe1->Cursor(), crHandPoint);
    EXPECT_EQ(form->Probe1->Anchors(), akLeft | akTop | akRight);

    // The inner probe fills the outer one and takes its colour; its font is
    // the parent's with its own size.
    EXPECT_EQ(form->Probe2->Width() * 1000 + form->Probe2->Height(), 150100);
    EXPECT_EQ(form->Probe2->Color(), 0xFF8000);
    EXPECT_TRUE(form->Probe1->ParentFont());
    EXPECT_FALSE(form->Probe2->ParentFont());
    EXPECT_EQ(form->Probe2->Font()->Name(), "Arial");
    EXPECT_EQ(form->Probe2->Font()->Size(), 12);
    EXPECT_EQ(form->Probe2->Font()->Style(), fsBold | fsItalic);

    EXPECT_EQ(form->Button1->ModalResult(), mrOk);
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_EQ(form->Timer1->Interval(), 250u);

    // The window is made from what was read.
    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right * 1000 + client.bottom, 320200);
    EXPECT_EQ(WindowText(form->Button1->Handle()), "Press");
    delete form;
}

TEST_F(FormResourceTest, HandlersAreBoundByNameAndFiredByMessages)
{
    TResourceTestForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Calls, (std::vector<std::string>{"FormCreate ResourceTestForm"}))
        << "OnCreate, bound from the description, fires after construction";
    form->Calls.clear();

    form->Show();
    SendMessageA(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ModalResult(), mrOk);
    SendMessageA(form->Probe1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageA(form->Probe1->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    SendMessageA(form->Probe2->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    SendMessageA(form->Probe2->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    EXPECT_FALSE(form->CloseQuery());
    form->AllowClose = true;
    EXPECT_TRUE(form->CloseQuery());
    EXPECT_EQ(form->Calls, (std::vector<std::string>{"ButtonClick Button1", "ProbeMouseDown Probe1 0 5,6",
                                                     "ProbeClick Probe2", "FormCloseQuery", "FormCloseQuery"}));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(FormResourceTest, FaultyOrMissingDescriptionsNameTheFormTheLineAndTheItem)
{
    const struct {
        const char* ClassName;
        const char* Message;
    } cases[] = {
        {"TBadPropertyForm", "TBadPropertyForm, line 4: unknown property 'Colr' of Button1 (TButton)"},
        {"TBadColorForm",
         "TBadColorForm, line 2: unknown colour 'clPink' for property 'Color' of BadColorForm (TBadColorForm)"},
        {"TBadHandlerForm",
         "TBadHandlerForm, line 5: unknown handler 'Nowhere' for property 'OnDblClick' of Button1 (TButton)"},
        {"TBadNestingForm", "TBadNestingForm, line 3: Button1 (TButton): 'Timer1' (TTimer) is not a windowed "
                            "control and cannot contain controls"},
        {"TLinkForm", "TLinkForm, line 3: unknown component 'ResourceTestForm.Button1' for property "
                      "'Link' of Link1 (TLinkProbe)"},
    };
    const int formsBefore = Screen->FormCount();
    for (const auto& test : cases)
        EXPECT_EQ(uitest::ErrorOf<EFormDescriptionError>([&] { TNamedForm form(nullptr, test.ClassName); }),
                  test.Message);
    // A description cut short is an error at its last line, never a crash.
    try {
        TNamedForm form(nullptr, "TTruncatedForm");
        ADD_FAILURE() << "the truncated description was read";
    } catch (EFormDescriptionError& e) {
        EXPECT_EQ(e.Form, "TTruncatedForm");
        EXPECT_EQ(e.Line, 4);
    }
    EXPECT_EQ(uitest::ErrorOf<EResNotFound>([] { TNamedForm form(nullptr, "TNoSuchForm"); }),
              "Resource TNOSUCHFORM not found");
    EXPECT_EQ(Screen->FormCount(), formsBefore) << "a form that failed to read is gone";
}

TEST_F(FormResourceTest, ReferencesReachComponentsOfOtherFormsByTheFormName)
{
    auto* other = new TResourceTestForm(nullptr);
    auto* form = new TNamedForm(nullptr, "TLinkForm");
    auto* link1 = Find<TLinkProbe>(form, "Link1");
    auto* link2 = Find<TLinkProbe>(form, "Link2");
    ASSERT_TRUE(link1 && link2);
    EXPECT_EQ(link1->Link, other->Button1);
    EXPECT_EQ(link2->Link, link1);
    delete form;
    delete other;
}

TEST_F(FormResourceTest, ControlPropertiesAreReadFromText)
{
    RegisterClassLibraryClasses();  // a second call changes nothing
    auto* form = new TForm(nullptr);
    TFormReader().ReadInto(R"(
object Form1: TForm
  Width = 300
  Height = 200
  BorderWidth = 4
  BorderStyle = bsSizeToolWin
  BorderIcons = []
  Position = poScreenCenter
  DefaultMonitor = dmPrimary
  AutoScroll = False
  Color = $80000005
  Font.Name = 'Arial'
  Font.Style = []
  Font.Charset = 204
  object Button1: TButton
    Align = alTop
    Height = 30
    TabStop = False
    TabOrder = 3
    Text = 'Via text'
    ParentFont = False
    Font.Height = -20
    Cursor = -21
  end
  object Button2: TButton
    Align = alClient
    Color = 255
    ParentColor = True
    ModalResult = 7
  end
  object Button3: TButton
    Visible = False
    Enabled = False
  end
end)",
                           *form);
    EXPECT_EQ(form->BorderStyle(), bsSizeToolWin);
    EXPECT_EQ(form->BorderIcons(), 0u);
    EXPECT_EQ(form->Position(), poScreenCenter);
    EXPECT_EQ(form->DefaultMonitor(), dmPrimary);
    EXPECT_FALSE(form->AutoScroll());
    EXPECT_EQ(form->Color(), clWindow);
    EXPECT_EQ(form->Font()->Style(), 0u);
    EXPECT_EQ(form->Font()->Charset(), RUSSIAN_CHARSET);

    auto* button1 = Find<TButton>(form, "Button1");
    auto* button2 = Find<TButton>(form, "Button2");
    auto* button3 = Find<TButton>(form, "Button3");
    ASSERT_TRUE(button1 && button2 && button3);
    EXPECT_FALSE(button3->Visible() || button3->Enabled());
    EXPECT_FALSE(button1->TabStop());
    EXPECT_EQ(button1->TabOrder(), 3);
    EXPECT_EQ(button1->Caption(), "Via text");
    EXPECT_EQ(button1->Font()->Height(), -20);
    EXPECT_EQ(button1->Font()->Name(), "Arial");
    EXPECT_EQ(button1->Cursor(), crHandPoint);
    // Laid out inside the border: the top strip, the client below it.
    const int inner = form->ClientWidth() - 8;
    EXPECT_EQ(button1->Width(), inner);
    EXPECT_EQ(button1->Top(), 4);
    EXPECT_EQ(button2->Top(), 34);
    EXPECT_EQ(button2->Width(), inner);
    EXPECT_EQ(button2->Color(), clWindow) << "ParentColor after Color takes the parent's again";
    EXPECT_EQ(button2->ModalResult(), mrNo);
    delete form;
}

TEST_F(FormResourceTest, BadValuesOfControlPropertiesAreErrors)
{
    const struct {
        const char* Property;
        const char* Detail;
    } cases[] = {
        {"Color = $100000000", "colour 4294967296 out of range for property 'Color' of Form1 (TForm)"},
        {"Color = 'red'", "colour expected, found a string for property 'Color' of Form1 (TForm)"},
        {"Font.Charset = 256", "charset 256 out of range for property 'Font.Charset' of Form1 (TForm)"},
        {"Font.Style = [fsWide]", "unknown set element 'fsWide' for property 'Font.Style' of Form1 (TForm)"},
        {"Align = alMiddle", "unknown value 'alMiddle' for property 'Align' of Form1 (TForm)"},
        {"Cursor = crFinger", "unknown value 'crFinger' for property 'Cursor' of Form1 (TForm)"},
        {"Font.Wobble = 1", "unknown property 'Font.Wobble' of Form1 (TForm)"},
        {"FormStyle = fsMDIForm", "property 'FormStyle' of Form1 (TForm): Only fsNormal forms are supported"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(ReadError("object Form1: TForm\n  " + std::string(test.Property) + "\nend"),
                  std::string("TForm, line 2: ") + test.Detail);
    const std::string picture =
        ReadError("object Form1: TForm\n  object Image1: TImage\n    Picture.Bitmap = {424D0100}\n  end\nend");
    EXPECT_EQ(picture.rfind("TForm, line 3: ", 0), 0u) << picture;
    EXPECT_NE(picture.find("property 'Picture.Bitmap' of Image1 (TImage)"), std::string::npos) << picture;
}

// The standard controls' own properties; a streamed Checked = True fires
// no handler, since handlers are bound after every value is set.
TEST_F(FormResourceTest, StandardControlPropertiesAreReadFromText)
{
    auto* form = new TForm(nullptr);
    int clicks = 0;
    TFormHandlers handlers;
    handlers.Add<TNotifyEvent>("CheckClick", [&](TObject*) { ++clicks; });
    TFormReader reader;
    reader.Handlers = &handlers;
    reader.ReadInto(R"(
object Form1: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Panel1: TPanel
    Align = alTop
    Height = 120
    BevelOuter = bvLowered
    BevelInner = bvRaised
    BevelWidth = 2
    Caption = 'Panel'
    object Label1: TLabel
      Left = 4
      Top = 4
      AutoSize = False
      Width = 90
      Alignment = taCenter
      Transparent = True
      WordWrap = True
      Caption = 'Label'
    end
    object Image1: TImage
      Left = 100
      Stretch = True
      Center = True
      Picture.Bitmap = {
        424D3A000000000000003600000028000000010000000100000001001800
        0000000004000000000000000000000000000000000000000000FF00}
    end
    object GroupBox1: TGroupBox
      Left = 200
      Caption = 'Group'
      object Radio1: TRadioButton
        Checked = True
        OnClick = CheckClick
      end
    end
  end
  object Check1: TCheckBox
    Top = 130
    Checked = True
    OnClick = CheckClick
  end
  object Check2: TCheckBox
    Top = 150
    State = cbGrayed
  end
  object Combo1: TComboBox
    Style = csDropDownList
    Items.Strings = (
      'One'
      'Two'
      'Three')
    ItemIndex = 1
  end
  object List1: TCheckListBox
    Items.Strings = ('A' 'B')
    ItemIndex = 0
    OnClickCheck = CheckClick
  end
  object Edit1: TEdit
    Text = 'typed'
    MaxLength = 12
    ReadOnly = True
  end
  object Memo1: TMemo
    Lines.Strings = (
      'first'
      'second')
    ScrollBars = ssVertical
    WordWrap = False
  end
  object Scroll1: TScrollBar
    Kind = sbVertical
    Max = 50
    Min = 10
    PageSize = 5
    Position = 60
    SmallChange = 2
    LargeChange = 8
  end
  object Track1: TTrackBar
    Max = 20
    Position = 25
    Frequency = 5
    Orientation = trVertical
  end
end)",
                    *form);
    EXPECT_EQ(clicks, 0) << "no handler runs while the form is read";

    auto* panel = Find<TPanel>(form, "Panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->BevelOuter(), bvLowered);
    EXPECT_EQ(panel->BevelInner(), bvRaised);
    EXPECT_EQ(panel->BevelWidth(), 2);
    EXPECT_EQ(panel->Caption(), "Panel");

    auto* label = Find<TLabel>(form, "Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), panel);
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_TRUE(!label->AutoSize() && label->Transparent() && label->WordWrap());
    EXPECT_EQ(label->Width(), 90);

    auto* image = Find<TImage>(form, "Image1");
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->Stretch() && image->Center());
    ASSERT_EQ(image->Picture()->Width(), 1);
    EXPECT_EQ(image->Picture()->Bitmap()->Canvas()->Pixels(0, 0), clRed);

    auto* radio = Find<TRadioButton>(form, "Radio1");
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->Parent(), form->FindComponent("GroupBox1"));
    EXPECT_TRUE(radio->Checked());

    auto* check1 = Find<TCheckBox>(form, "Check1");
    auto* check2 = Find<TCheckBox>(form, "Check2");
    ASSERT_TRUE(check1 && check2);
    EXPECT_TRUE(check1->Checked());
    EXPECT_EQ(check2->State(), cbGrayed);
    check1->SetChecked(false);
    EXPECT_EQ(clicks, 1) << "the handler is bound once reading is over";

    auto* combo = Find<TComboBox>(form, "Combo1");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->Items()->CommaText(), "One,Two,Three");
    EXPECT_EQ(combo->ItemIndex(), 1);

    auto* list = Find<TCheckListBox>(form, "List1");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Items()->CommaText(), "A,B");
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_TRUE(static_cast<bool>(list->OnClickCheck));

    auto* edit = Find<TEdit>(form, "Edit1");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text(), "typed");
    EXPECT_EQ(edit->MaxLength(), 12);
    EXPECT_TRUE(edit->ReadOnly());

    auto* memo = Find<TMemo>(form, "Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Lines()->CommaText(), "first,second");
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_FALSE(memo->WordWrap());

    auto* scroll = Find<TScrollBar>(form, "Scroll1");
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->Kind(), sbVertical);
    EXPECT_EQ(std::vector<int>({scroll->Min(), scroll->Max(), scroll->PageSize(), scroll->SmallChange(),
                                scroll->LargeChange()}),
              std::vector<int>({10, 50, 5, 2, 8}));
    EXPECT_EQ(scroll->Position(), 46) << "clamped to the last whole page";

    auto* track = Find<TTrackBar>(form, "Track1");
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->Position(), 20) << "clamped to Max";
    EXPECT_EQ(track->Frequency(), 5);
    EXPECT_EQ(track->Orientation(), trVertical);
    delete form;
}

TEST(FormValueToColorTest, TakesNamesAndThe32BitsOfNumbers)
{
    TFormValue value;
    value.Kind = TFormValueKind::Identifier;
    value.Text = "CLINFOBK";
    EXPECT_EQ(FormValueToColor(value), clInfoBk) << "names compare without case";
    value.Kind = TFormValueKind::Integer;
    value.Integer = 0x80000000LL | COLOR_BTNFACE;
    EXPECT_EQ(FormValueToColor(value), clBtnFace);
    value.Integer = -1;
    EXPECT_EQ(FormValueToColor(value), -1);
    value.Integer = -0x80000001LL;
    EXPECT_THROW(FormValueToColor(value), EFormValueError);
    value.Kind = TFormValueKind::Real;
    EXPECT_THROW(FormValueToColor(value), EFormValueError);
}

}  // namespace
