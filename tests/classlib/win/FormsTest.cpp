// Forms under Wine: creation, modal runs with idle processing, closing, release.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "classlib/ui/StdCtrls.h"

namespace {

using uitest::UiTest;

class FormsTest : public UiTest {};

// A form class whose constructor looks at the global CreateForm fills in.
class TGlobalForm;
TGlobalForm* GlobalForm = nullptr;
bool SawItselfInGlobal = false;

class TGlobalForm : public TForm {
public:
    explicit TGlobalForm(TComponent* owner) : TForm(owner) { SawItselfInGlobal = GlobalForm == this; }
    std::string ClassName() const override { return "TGlobalForm"; }
};

class TThrowingForm : public TForm {
public:
    explicit TThrowingForm(TComponent* owner) : TForm(owner) { throw EConvertError("no form"); }
};

TEST_F(FormsTest, CreateFormSetsTheReferenceFirstAndTheFirstFormIsMain)
{
    int created = 0;
    GlobalForm = nullptr;
    Application->CreateForm(GlobalForm);
    EXPECT_TRUE(SawItselfInGlobal);
    ASSERT_NE(GlobalForm, nullptr);
    EXPECT_EQ(GlobalForm->Owner(), Application);

    TForm* second = nullptr;
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), GlobalForm);
    ASSERT_EQ(Screen->FormCount(), 2);

    TThrowingForm* failed = reinterpret_cast<TThrowingForm*>(&created);
    EXPECT_THROW(Application->CreateForm(failed), EConvertError);
    EXPECT_EQ(failed, nullptr);
    EXPECT_EQ(Screen->FormCount(), 2);

    delete GlobalForm;
    EXPECT_EQ(Application->MainForm(), nullptr) << "a freed main form is forgotten";
}

TEST_F(FormsTest, ModalFormReturnsItsResultWhileIdleProcessingGoesOnAndAReleaseEndsItsLoop)
{
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->Show();
    auto* dialog = new TForm(nullptr);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    int idle = 0;
    bool mainDisabledInside = false;
    Application->OnIdle = [&](TObject*, bool& done) {
        ++idle;
        done = false;
        if (idle == 5) {
            mainDisabledInside = !IsWindowEnabled(main->Handle());
            SendMessageA(ok->Handle(), BM_CLICK, 0, 0);
        }
    };
    TModalResult result = mrNone;
    EXPECT_TRUE(RunScenario([&] { result = dialog->ShowModal(); }));
    EXPECT_EQ(result, mrOk);
    EXPECT_GE(idle, 5);
    EXPECT_TRUE(mainDisabledInside);
    EXPECT_TRUE(IsWindowEnabled(main->Handle())) << "enabled again";
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));

    Application->OnIdle = nullptr;
    dialog->Show();
    EXPECT_EQ(uitest::MessageOf<EInvalidOperation>([&] { dialog->ShowModal(); }), "Cannot make a visible window modal");
    dialog->Hide();

    // Released while modal: the loop ends, and the form is freed once ShowModal has returned.
    bool released = false, returned = false, destroyedInsideShowModal = false, destroyed = false;
    dialog->OnDestroy = [&](TObject*) {
        destroyed = true;
        destroyedInsideShowModal = !returned;
    };
    Application->OnIdle = [&](TObject*, bool& done) {
        done = true;
        if (!released)
            dialog->Release();
        released = true;
    };
    EXPECT_TRUE(RunScenario([&] {
        result = dialog->ShowModal();
        returned = true;
    }));
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
    EXPECT_FALSE(destroyedInsideShowModal);
}

TEST_F(FormsTest, OnCloseQueryAndOnCloseDecideWhatClosingDoes)
{
    auto* dialog = new TForm(nullptr);
    int queries = 0;
    bool allow = false;
    TCloseAction chosen = caHide;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
        ++queries;
        canClose = allow;
    };
    dialog->OnClose = [&](TObject*, TCloseAction& action) {
        EXPECT_EQ(action, caHide) << "the default";
        action = chosen;
    };
    dialog->Show();
    SendMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(queries, 1);
    EXPECT_TRUE(dialog->Visible()) << "refused";
    allow = true;
    chosen = caNone;
    dialog->Close();
    EXPECT_TRUE(dialog->Visible());
    chosen = caHide;
    dialog->Close();
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));

    // In a modal run, a refused close keeps the form up.
    int idle = 0;
    allow = false;
    queries = 0;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = true;
        ++idle;
        if (idle == 1 || idle == 3) {
            allow = idle == 3;
            dialog->SetModalResult(mrYes);
            PostMessageA(dialog->Handle(), WM_NULL, 0, 0);
        } else if (idle == 2) {
            EXPECT_EQ(dialog->ModalResult(), mrNone) << "reset after the refusal";
            PostMessageA(dialog->Handle(), WM_NULL, 0, 0);
        }
    };
    TModalResult result = mrNone;
    EXPECT_TRUE(RunScenario([&] { result = dialog->ShowModal(); }));
    EXPECT_EQ(result, mrYes);
    EXPECT_EQ(queries, 2);
}

// A form with a member whose end is recorded: OnDestroy must see it alive.
struct TLifeMark {
    bool* Gone;
    ~TLifeMark() { *Gone = true; }
};
class TMarkedForm : public TForm {
public:
    TMarkedForm(TComponent* owner, bool* gone) : TForm(owner), Mark{gone} {}
    TLifeMark Mark;
};

TEST_F(FormsTest, EveryWayOfFreeingAFormFiresOnDestroyWhileItIsWholeAndNothingAfter)
{
    enum TWay { byOwner, byRelease, byFreeComponent };
    for (const TWay way : {byOwner, byRelease, byFreeComponent}) {
        SCOPED_TRACE(way);
        TComponent owner(nullptr);
        bool gone = false, destroyed = false, wholeAtDestroy = false;
        int eventsAfterDestroy = 0;
        auto* form = new TMarkedForm(way == byOwner ? &owner : nullptr, &gone);
        auto* button = new TButton(form);
        button->SetParent(form);
        form->OnDestroy = [&](TObject*) {
            destroyed = true;
            wholeAtDestroy = !gone;
        };
        form->OnDeactivate = [&](TObject*) { eventsAfterDestroy += destroyed ? 1 : 0; };
        form->Show();
        SetActiveWindow(form->Handle());
        ASSERT_TRUE(form->Active());
        switch (way) {
        case byOwner:
            owner.DestroyComponents();
            break;
        case byRelease:
            // From the form's own handler: freed later, not under it.
            button->OnClick = [&](TObject*) { form->Release(); };
            SendMessageA(button->Handle(), BM_CLICK, 0, 0);
            EXPECT_FALSE(destroyed);
            EXPECT_TRUE(PumpUntil([&] { return gone; }));
            break;
        case byFreeComponent:
            FreeComponent(form);
            break;
        }
        EXPECT_TRUE(gone);
        EXPECT_TRUE(wholeAtDestroy);
        EXPECT_EQ(eventsAfterDestroy, 0);
        EXPECT_EQ(Screen->FormCount(), 0);
    }
}

// The keyboard in a form: activation focuses the first tab stop; Tab and
// Shift+Tab walk the tab stops by TabOrder into group boxes, wrapping,
// entering a radio group at its checked button, and each move tells the
// controls it left and entered, the group box included; the arrows move the
// focus and the check within the group, past a disabled button.
TEST_F(FormsTest, TabWalksTheTabStopsIntoGroupsAndArrowsMoveWithinARadioGroup)
{
    TForm* form = MakeForm(300, 200, false);
    auto* edit = AddControl<TEdit>(form, 10, 10, 100, 20);
    auto* box = AddControl<TGroupBox>(form, 10, 40, 200, 150);
    auto* first = AddControl<TCheckBox>(form, 220, 10, 70, 20);
    TRadioButton* radios[3];
    for (int i = 0; i < 3; ++i) {
        radios[i] = AddControl<TRadioButton>(box, 10, 20 + 25 * i, 100, 20);
        radios[i]->SetChecked(i == 1);  // the last joins a group with its checked button
    }
    radios[0]->SetEnabled(false);
    auto* inBox = AddControl<TCheckBox>(box, 10, 100, 100, 20);
    edit->SetTabOrder(1);
    first->SetTabOrder(0);
    std::string moves;
    for (const auto& [control, name] : {std::pair<TWinControl*, const char*>{edit, "edit"}, {box, "box"},
                                        {radios[1], "radio"}, {inBox, "inBox"}, {first, "first"}}) {
        control->OnEnter = [&moves, name](TObject*) { moves += std::string(" +") + name; };
        control->OnExit = [&moves, name](TObject*) { moves += std::string(" -") + name; };
    }
    form->Show();
    PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_EQ(GetFocus(), first->Handle()) << "activation focuses the first tab stop";

    const std::vector<std::pair<TWinControl*, std::string>> walk = {
        {edit, " -first +edit"}, {radios[1], " -edit +box +radio"},
        {inBox, " -radio +inBox"}, {first, " -inBox -box +first"}};
    for (size_t i = 0; i < walk.size(); ++i) {
        moves.clear();
        TypeKey(VK_TAB);
        EXPECT_EQ(GetFocus(), walk[i].first->Handle()) << "Tab " << i;
        EXPECT_EQ(moves, walk[i].second) << "Tab " << i;
    }
    for (size_t i = walk.size() - 1; i-- > 0;) {
        TypeKey(VK_TAB, true);
        EXPECT_EQ(GetFocus(), walk[i].first->Handle()) << "Shift+Tab to " << i;
    }
    // From the checked button on, wrapping past the disabled first one.
    TypeKey(VK_TAB);
    for (const auto& [key, to] : {std::pair{VK_DOWN, 2}, {VK_DOWN, 1}, {VK_UP, 2}}) {
        TypeKey(static_cast<WORD>(key));
        EXPECT_EQ(GetFocus(), radios[to]->Handle()) << key << " to " << to;
        EXPECT_TRUE(radios[to]->Checked() && radios[to]->TabStop() && !radios[3 - to]->TabStop()) << to;
    }
    // Freed with the focus, a control is not told it lost it.
    moves.clear();
    radios[2]->OnExit = [&moves](TObject*) { moves += " -freed"; };
    delete radios[2];
    EXPECT_EQ(moves, "");
}

}  // namespace
