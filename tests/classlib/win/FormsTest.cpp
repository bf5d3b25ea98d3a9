// Forms under Wine: creation, showing, modal runs with idle processing,
// closing, release, activation, painting, shortcuts, and the screen object.
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
    EXPECT_EQ(Screen->Forms(1), second);
    EXPECT_THROW(Screen->Forms(2), EListError);
    EXPECT_FALSE(second->Visible()) << "forms start hidden";

    // OnCreate fires after construction (a form description has bound it by then).
    TForm* third = new TForm(nullptr);
    third->OnCreate = [&](TObject* sender) { created += sender == third ? 1 : 100; };
    third->AfterConstruction();
    EXPECT_EQ(created, 1);

    TThrowingForm* failed = reinterpret_cast<TThrowingForm*>(&created);
    EXPECT_THROW(Application->CreateForm(failed), EConvertError);
    EXPECT_EQ(failed, nullptr);
    EXPECT_EQ(Screen->FormCount(), 3);

    delete GlobalForm;
    EXPECT_EQ(Application->MainForm(), nullptr) << "a freed main form is forgotten";
    EXPECT_EQ(Screen->FormCount(), 2);
}

TEST_F(FormsTest, WindowFollowsBorderStyleIconsAndClientSize)
{
    auto* form = new TForm(nullptr);
    form->SetCaption("Settings");
    form->SetBorderStyle(bsDialog);
    form->SetClientWidth(321);
    form->SetClientHeight(123);
    EXPECT_EQ(form->ClientWidth(), 321) << "known before the window exists";
    const HWND wnd = form->Handle();
    RECT client{};
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 321);
    EXPECT_EQ(client.bottom, 123);
    EXPECT_EQ(WindowText(wnd), "Settings");
    EXPECT_NE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX), 0);
    EXPECT_NE(GetClassLongPtrA(wnd, GCL_STYLE) & CS_DBLCLKS, 0u);
    EXPECT_EQ(GetWindow(wnd, GW_OWNER), Application->Handle());

    form->SetBorderStyle(bsToolWindow);
    EXPECT_NE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    form->SetBorderStyle(bsNone);
    EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_NE(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_POPUP, 0);
    form->SetBorderStyle(bsSizeable);
    form->SetBorderIcons(biSystemMenu | biMinimize);
    const LONG style = GetWindowLongA(form->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_THICKFRAME | WS_MINIMIZEBOX);
    EXPECT_THROW(form->SetFormStyle(fsMDIForm), EInvalidOperation);
}

TEST_F(FormsTest, ShowPlacesTheFormAndFiresOnShowAndOnActivate)
{
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 100);
    form->SetPosition(poScreenCenter);
    form->SetDefaultMonitor(dmPrimary);
    std::vector<std::string> events;
    form->OnShow = [&](TObject*) { events.push_back("show"); };
    form->OnHide = [&](TObject*) { events.push_back("hide"); };
    form->OnActivate = [&](TObject*) { events.push_back("activate"); };
    form->OnDeactivate = [&](TObject*) { events.push_back("deactivate"); };
    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(Screen->ActiveForm(), form);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(form->Left(), work.left + (work.right - work.left - 200) / 2, 1);
    EXPECT_NEAR(form->Top(), work.top + (work.bottom - work.top - 100) / 2, 1);

    auto* other = new TForm(nullptr);
    other->Show();
    EXPECT_EQ(Screen->ActiveForm(), other);
    EXPECT_FALSE(form->Active());
    form->Hide();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(events, (std::vector<std::string>{"show", "activate", "deactivate", "hide"}));

    form->SetWindowState(wsMaximized);
    form->Show();
    EXPECT_TRUE(IsZoomed(form->Handle()));
    delete other;
    EXPECT_NE(Screen->ActiveForm(), other) << "a freed form is no longer active";
}

TEST_F(FormsTest, ModalFormReturnsItsResultWhileIdleProcessingGoesOn)
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

    // Shown again: a fresh result; Close answers mrCancel. A visible form
    // cannot be made modal.
    Application->OnIdle = [&](TObject*, bool& done) {
        done = true;
        PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
    };
    EXPECT_TRUE(RunScenario([&] { result = dialog->ShowModal(); }));
    EXPECT_EQ(result, mrCancel);
    Application->OnIdle = nullptr;
    dialog->Show();
    EXPECT_EQ(uitest::ErrorOf<EInvalidOperation>([&] { dialog->ShowModal(); }), "Cannot make a visible window modal");
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
    chosen = caMinimize;
    dialog->Close();
    EXPECT_TRUE(IsIconic(dialog->Handle()));
    chosen = caHide;
    dialog->Close();
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));

    // In a modal run, a refused close keeps the form up.
    int idle = 0;
    allow = false;
    queries = 0;
    dialog->SetWindowState(wsNormal);
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

TEST_F(FormsTest, ClosingTheMainFormEndsRun)
{
    TForm* main = nullptr;
    Application->CreateForm(main);
    int closes = 0;
    main->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    int shown = 0;
    main->OnShow = [&](TObject*) { ++shown; };
    Application->OnIdle = [&](TObject*, bool& done) {
        done = true;
        PostMessageA(main->Handle(), WM_CLOSE, 0, 0);
    };
    uitest::TLoopWatchdog watchdog;
    Application->Run();
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_EQ(shown, 1) << "Run shows the main form";
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(FormsTest, ReleaseFreesTheFormLaterEvenFromItsOwnHandler)
{
    auto* form = new TForm(nullptr);
    auto* button = new TButton(form);
    button->SetParent(form);
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    button->OnClick = [&](TObject*) {
        form->Release();
        EXPECT_FALSE(destroyed) << "not from inside the handler";
    };
    form->Show();
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(Screen->FormCount(), 1);
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
    EXPECT_EQ(Screen->FormCount(), 0);

    // caFree releases the same way.
    auto* other = new TForm(nullptr);
    destroyed = false;
    other->OnDestroy = [&](TObject*) { destroyed = true; };
    other->OnClose = [&](TObject*, TCloseAction& action) { action = caFree; };
    other->Show();
    other->Close();
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
}

TEST_F(FormsTest, OnPaintDrawsOnTheFormCanvas)
{
    auto* form = new TForm(nullptr);
    form->SetClientWidth(100);
    form->SetClientHeight(80);
    form->SetColor(RGB(0, 0, 200));
    int paints = 0;
    bool hadHandle = false;
    form->OnPaint = [&](TObject*) {
        ++paints;
        hadHandle = form->Canvas()->Handle() != nullptr;
        form->Canvas()->Brush()->SetColor(RGB(250, 250, 0));
        form->Canvas()->FillRect(RECT{10, 10, 30, 30});
    };
    form->Show();
    UpdateWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return paints > 0; }));
    EXPECT_TRUE(hadHandle);
    EXPECT_EQ(form->Canvas()->Handle(), nullptr) << "only while painting";
    EXPECT_TRUE(Near(PixelOf(form->Handle(), 20, 20), RGB(250, 250, 0)));
    EXPECT_TRUE(Near(PixelOf(form->Handle(), 50, 50), RGB(0, 0, 200)));
}

TEST_F(FormsTest, ShortCutsGoToTheFormOfTheFocusedControl)
{
    auto* form = new TForm(nullptr);
    auto* control = new TWinControl(form);
    control->SetParent(form);
    int formKeys = 0;
    int controlKeys = 0;
    form->OnShortCut = [&](TWMKey& key, bool& handled) {
        ++formKeys;
        handled = key.CharCode == VK_F5;
    };
    control->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++controlKeys; };
    form->Show();
    PostMessageA(control->Handle(), WM_KEYDOWN, VK_F5, 0);
    PostMessageA(control->Handle(), WM_KEYDOWN, VK_F6, 0);
    Application->ProcessMessages();
    EXPECT_EQ(formKeys, 2);
    EXPECT_EQ(controlKeys, 1) << "F5 was claimed by the form";
}

TEST_F(FormsTest, ScreenReportsItsSizeAndCursors)
{
    EXPECT_EQ(Screen->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(Screen->Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(Screen->Cursors(crHourGlass), LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_EQ(Screen->Cursors(5), LoadCursorA(nullptr, IDC_ARROW)) << "unset";
    Screen->SetCursors(5, LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(Screen->Cursors(5), LoadCursorA(nullptr, IDC_CROSS));

    // The screen's cursor wins over every control's; crDefault gives each control its own back.
    auto* form = new TForm(nullptr);
    form->SetCursor(crHandPoint);
    form->Show();
    const HWND wnd = form->Handle();
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_EQ(SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    Screen->SetCursor(crDefault);
    POINT inside = form->ClientToScreen(POINT{5, 5});
    SetCursorPos(inside.x, inside.y);
    SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
}

}  // namespace
