// The settings form in the test's own process, with the program's resources:
// started as the program starts it (role "program", the test's own command
// line), so that its state can be looked at and its handlers called at
// moments a user cannot reach.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <tuple>

#include "../../classlib/win/UiTestSupport.h"
#include "../../support/MessageBoxes.h"
#include "../../support/SpeakerVolume.h"
#include "ProgramRun.h"
#include "aquarium/AquariumStartup.h"
#include "aquarium/core/GLClock.h"
#include "classlib/core/ScopeExit.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Screen.h"
#include "settings/AboutBox.h"
#include "settings/FormSettings.h"
#include "skin/controls/SkinButton.h"

namespace {

using endtoend::ClearOptions;

class FormSettingsTest : public uitest::UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ClearOptions();
    }
    void TearDown() override
    {
        delete Form;
        FormSettings = nullptr;
        ClearOptions();
        UiTest::TearDown();
    }

    // The form made as the program makes it, shown, until its controls are filled.
    void Start()
    {
        InitializeAquarium();
        Application->CreateForm(FormSettings);
        Form = FormSettings;
        Form->Show();
        // Messages and idle ticks (the frames) until the controls are filled.
        const auto ready = [this] {
            Application->Idle();
            return Form->UIReady;
        };
        ASSERT_TRUE(PumpUntil(ready, std::chrono::milliseconds(endtoend::ReadyBound))) << "the dialog never filled its controls"
            << (Boxes.empty() ? std::string() : ": " + Boxes.front().Text);
        ASSERT_TRUE(Boxes.empty()) << Boxes.front().Text;
    }

    TFormSettings* Form = nullptr;
    testsupport::TBoxCapture Boxes;
};

// The running form: filling its controls changes nothing and no direction
// chosen is ignored; the clock takes the background's colour; the about box
// names the driver. After the stop its handlers find the aquarium gone.
TEST_F(FormSettingsTest, ARunFillsTheControlsColoursTheClockNamesTheDriverAndAfterTheStopFindsTheAquariumGone)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    // Counts beyond the sliders' ends: filling the sliders clamps their
    // positions, and the world takes the counts the sliders show.
    Form->World->SetBubbleCount(1000);
    Form->World->SetFishCount(150);
    Form->UpdateControls();
    EXPECT_EQ(Form->World->GetBubbleCount(), 300);
    EXPECT_EQ(Form->World->FishCount, 100);
    EXPECT_EQ(Form->TrackBarBubblesCount->Position(), 300);

    // An exit time chosen, so that a list with no choice cannot pass for
    // one that took the first entry.
    Form->ComboBoxExitTime->SetItemIndex(3);
    Form->ComboBoxExitTimeChange(Form->ComboBoxExitTime);
    ASSERT_EQ(Form->GLScreenSaver->PowerOffIndex(), 3);

    // No choice (-1) in any list changes nothing.
    const auto state = [this] {
        return std::tuple(Form->World->FishDirection, Form->World->WaterBackgroundIndex,
                          Form->GLScreenSaver->PowerOffIndex(), Form->GLDisplay->FullScreenMode().GetModeName());
    };
    using F = TFormSettings;
    const std::pair<TComboBox*, void (F::*)(TObject*)> lists[] = {
        {Form->ComboBoxDirection, &F::ComboBoxDirectionChange}, {Form->ComboBoxBackgrounds, &F::ComboBoxBackgroundsChange},
        {Form->ComboBoxExitTime, &F::ComboBoxExitTimeChange},   {Form->ComboBoxDepth, &F::ComboBoxDepthChange},
        {Form->ComboBoxResolution, &F::ComboBoxResolutionChange}};
    for (const auto& [list, change] : lists) {
        const auto before = state();
        list->SetItemIndex(-1);
        EXPECT_NO_THROW((Form->*change)(list)) << list->Name();
        EXPECT_EQ(state(), before) << list->Name();
    }
    Form->ComboBoxDirection->SetItemIndex(0);
    Form->ComboBoxDirectionChange(Form->ComboBoxDirection);
    EXPECT_EQ(Form->World->FishDirection, 0);

    TGLClock* clock = Form->Clock();
    ASSERT_NE(clock, nullptr);
    const TGLColor colours[] = {MakeColorRGBA(65, 170, 255, 255), MakeColorRGBA(0, 200, 235, 255),
                                MakeColorRGBA(0, 220, 160, 255)};
    for (int index = 0; index < 6; ++index) {
        Form->UpdateClockColor(index);
        EXPECT_EQ(clock->Color, colours[index % 3]) << index;
    }
    Form->UpdateClockColor(-1);
    EXPECT_EQ(clock->Color, colours[2]);

    // The about box's OK button closes it at once. (That frames go on behind
    // it, and its caption: the program's end-to-end test.)
    TAboutBox box(nullptr);
    endtoend::Press(box.ButtonOk->Handle());
    uitest::TLoopWatchdog watchdog(std::chrono::seconds(10));
    box.Execute(Form->DriverInfo());
    EXPECT_FALSE(watchdog.Fired());
    EXPECT_EQ(box.ProductName->Caption(), "3D Corvalen");
    // The vendor, the renderer (Mesa's llvmpipe here) and a version, a line each.
    const std::string info = box.LabelComments->Caption();
    EXPECT_TRUE(std::regex_match(info, std::regex("Vendor: .*\r\nVideo: .*llvmpipe.*\r\nOpenGL: .+"))) << info;

    // The fish list: unticking a kind hides its shoal; the other water lists its own kinds.
    TCheckListBox* fishes = Form->CheckListBoxFishes;
    const auto listed = [fishes] {
        std::vector<std::string> names;
        for (int i = 0; i < fishes->Items()->Count(); ++i)
            names.push_back(fishes->Items()->Strings(i));
        return names;
    };
    const std::vector<std::string> salt = listed();
    ASSERT_GE(salt.size(), 2u);
    fishes->SetItemIndex(1);
    SendMessageA(fishes->Handle(), WM_CHAR, ' ', 0);
    EXPECT_TRUE(Form->World->IsFishVisible(salt[0]));
    EXPECT_FALSE(Form->World->IsFishVisible(salt[1]));
    endtoend::Press(Form->RadioButtonFreshwater->Handle());
    Application->ProcessMessages();
    const auto* freshWater = dynamic_cast<TMainObjectList*>(Form->Scene->FindObject("FreshWater"));
    ASSERT_NE(freshWater, nullptr);
    const std::vector<std::string> fresh = listed();
    EXPECT_NE(fresh, salt);
    for (const std::string& name : fresh)
        EXPECT_NE(freshWater->FindObject(name), nullptr) << name;

    // A fill that fails part way leaves the dialog enabled.
    const TNotifyEvent sortClick = Form->CheckBoxSort->OnClick;
    Form->CheckBoxSort->OnClick = [](TObject*) { throw Exception("fill"); };
    Form->World->SetSortAlpha(!Form->CheckBoxSort->Checked());
    EXPECT_THROW(Form->UpdateControls(), Exception);
    EXPECT_TRUE(Form->Enabled());
    Form->CheckBoxSort->OnClick = sortClick;
    Form->UpdateControls();

    // After the stop every handler that acts at any time finds the aquarium gone.
    Form->GLScreenSaver->Stop();
    const void* const parts[] = {Form->Scene.get(), Form->World.get(), Form->Sound.get(), Form->Mixer.get(),
                                 Form->Font, Form->FpsText, Form->Textures};
    for (size_t part = 0; part < std::size(parts); ++part)
        EXPECT_EQ(parts[part], nullptr) << "part " << part;

    Form->RadioButtonSoundNone->SetChecked(true);
    Form->RadioButtonBubbles->SetChecked(true);
    EXPECT_TRUE(Form->BubbleSnd);
    Form->RadioButton24Hour->SetChecked(true);
    Form->UpdateClockColor(1);
    Form->PlayBubbleSound();
    Form->StopSound();
    bool canClose = false;
    Form->FormCloseQuery(Form, canClose);
    EXPECT_TRUE(canClose);
    // What OK does: the aquarium's options stay as stored.
    Form->GLScreenSaver->SaveOptions();
    EXPECT_EQ(endtoend::Options(HKEY_CURRENT_USER).count("FPS"), 0u);

    // The other handlers act only on a filled dialog, which the stop ended.
    ASSERT_FALSE(Form->UIReady);
    Form->RadioButtonClick(Form->RadioButtonFreshwater);
    Form->CheckListBoxFishesClickCheck(Form->CheckListBoxFishes);
    for (TTrackBar* bar : {Form->TrackBarFishCount, Form->TrackBarBubblesCount, Form->TrackBarSoundVolume})
        Form->TrackBarChange(bar);
    for (TCheckBox* box : {Form->CheckBoxTrueTexturers, Form->CheckBoxEmulateDepth, Form->CheckBoxSort,
                           Form->CheckBoxFPS})
        Form->CheckBoxClick(box);
    Form->ComboBoxDirectionChange(Form->ComboBoxDirection);
    Form->ComboBoxBackgroundsChange(Form->ComboBoxBackgrounds);
}

POINT CentreOf(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Whether the pixel format set on the device context is a generic (software) one.
bool IsGenericFormat(HDC dc)
{
    PIXELFORMATDESCRIPTOR format{};
    const int number = GetPixelFormat(dc);
    return number > 0 && DescribePixelFormat(dc, number, sizeof format, &format) != 0 &&
           (format.dwFlags & PFD_GENERIC_FORMAT) != 0;
}

// The bound of the wait for a real click's effect: far beyond what the load
// of parallel runs reaches.
constexpr std::chrono::seconds EffectBound(30);

// The test program's own help file: its folder, its name up to the first ".".
std::string OwnHelpFile()
{
    char module[MAX_PATH] = {};
    const std::string path(module, GetModuleFileNameA(nullptr, module, MAX_PATH));
    const std::string name = ExtractFileName(path);
    return ExtractFilePath(path) + name.substr(0, name.find('.')) + ".hlp";
}

// Real clicks: Help opens the help index of the help file in the program's
// folder, also when the stored data folder no longer holds the program. The
// maker's page opens from Feedback and from a click on the about box's
// Label1, which shows it under a hand cursor. "Software rendering" puts the
// preview on a generic pixel format and reaches the stored option.
TEST_F(FormSettingsTest, HelpFeedbackTheMakersPageAndSoftwareRenderingReachTheSystem)
{
    endtoend::SetOption(HKEY_LOCAL_MACHINE, "DataDir", "C:\\no longer installed\\");
    Application->SetHelpFile("");
    std::vector<std::pair<std::string, UINT>> helps;
    std::vector<std::string> opened;
    Application->WinHelpProc = [&helps](HWND, const std::string& file, UINT command, ULONG_PTR) {
        helps.emplace_back(file, command);
        return true;
    };
    Application->ShellExecuteProc = [&opened](HWND owner, const std::string& operation, const std::string& file,
                                              int show) {
        opened.push_back(operation + " " + file + " " + std::to_string(show) + (owner != nullptr ? " owned" : ""));
    };
    const TScopeExit unhook([] {
        Application->WinHelpProc = nullptr;
        Application->ShellExecuteProc = nullptr;
        Application->SetHelpFile("");
    });
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string page = std::string("open ") + MakerWebPage + " " + std::to_string(SW_SHOW);

    SetForegroundWindow(Form->Handle());
    testsupport::LeftClickAt(CentreOf(Form->ButtonHelp->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return !helps.empty(); }, EffectBound)) << "Help opened no help";
    testsupport::LeftClickAt(CentreOf(Form->ButtonFeedBack->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return !opened.empty(); }, EffectBound)) << "Feedback opened nothing";
    EXPECT_EQ(helps, (std::vector<std::pair<std::string, UINT>>{{OwnHelpFile(), HELP_INDEX}}));
    EXPECT_EQ(opened, std::vector<std::string>{page});

    TAboutBox box(nullptr);
    EXPECT_EQ(box.Label1->Caption(), MakerWebPage);
    box.Show();
    SetForegroundWindow(box.Handle());
    POINT label{box.Label1->Left() + box.Label1->Width() / 2, box.Label1->Top() + box.Label1->Height() / 2};
    ClientToScreen(box.Label1->Parent()->Handle(), &label);
    const auto settle = [] { PumpUntil([] { return false; }, std::chrono::milliseconds(150)); };
    endtoend::MouseAt(label);
    settle();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND)) << "no hand over the page";
    endtoend::MouseAt(label, MOUSEEVENTF_LEFTDOWN);
    endtoend::MouseAt(label, MOUSEEVENTF_LEFTUP);
    PumpUntil([&] { return opened.size() > 1; }, std::chrono::seconds(5));
    EXPECT_EQ(opened, (std::vector<std::string>{page, page}));
    box.Hide();

    // The preview draws on an accelerated format; Wine lists generic ones
    // beside them. After the click it draws in a new window on the generic
    // format chosen.
    TCustomAppOpenGL* gl = Form->GLScreenSaver->OpenGL();
    ASSERT_TRUE(Form->CheckBoxSoftware->Enabled()) << "no accelerated format to leave";
    ASSERT_FALSE(gl->GenericFormats().empty()) << "no generic format to take";
    ASSERT_GE(gl->GenericIndex(), 0);
    EXPECT_FALSE(IsGenericFormat(Form->GLScreenSaver->DC()));
    const HWND before = Form->GLWindow->Handle();
    SetForegroundWindow(Form->Handle());
    testsupport::LeftClickAt(CentreOf(Form->CheckBoxSoftware->Handle()));
    // Messages and idle ticks until a frame was drawn with the new context.
    EXPECT_TRUE(PumpUntil(
        [&] {
            Application->Idle();
            return gl->Active() && Form->GLWindow->HandleAllocated() && Form->GLWindow->Handle() != before;
        },
        EffectBound))
        << "no context in a new window";
    EXPECT_TRUE(Form->CheckBoxSoftware->Checked());
    EXPECT_TRUE(gl->GetGenericOnly());
    EXPECT_TRUE(IsGenericFormat(Form->GLScreenSaver->DC()));
    EXPECT_EQ(GetPixelFormat(Form->GLScreenSaver->DC()), gl->GenericFormats()[gl->GenericIndex()].FormatNumber);
    Form->GLScreenSaver->SaveOptions();  // what OK does
    EXPECT_EQ(endtoend::OptionOf("SoftwareRendering"), "-1");
}

// A background picked with the mouse from the open list is taken once: the
// list's handler runs once, and the aquarium shows that background.
TEST_F(FormSettingsTest, ABackgroundPickedWithTheMouseIsTakenOnce)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    TComboBox* list = Form->ComboBoxBackgrounds;
    ASSERT_GE(list->Items()->Count(), 3);
    const int pick = list->ItemIndex() == 2 ? 1 : 2;
    int taken = 0;
    const TNotifyEvent take = list->OnChange;
    list->OnChange = [&](TObject* sender) {
        ++taken;
        take(sender);
    };

    SetForegroundWindow(Form->Handle());
    testsupport::LeftClickAt(testsupport::DropButtonOf(list->Handle()));
    ASSERT_TRUE(PumpUntil([&] { return testsupport::Dropped(list->Handle()); }, EffectBound)) << "the list did not open";
    testsupport::LeftClickAt(testsupport::DroppedItemOf(list->Handle(), pick));
    ASSERT_TRUE(PumpUntil([&] { return !testsupport::Dropped(list->Handle()); }, EffectBound)) << "the pick left it open";
    PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(list->ItemIndex(), pick);
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(Form->World->WaterBackgroundIndex, pick);
}

// A stored fish count below the slider's range shows as the slider's least
// count, which the world then holds. A start that fails leaves the usual
// cursor while its error is shown.
TEST_F(FormSettingsTest, AStoredFishCountOfNoneIsTheSlidersLeastAndAFailedStartShowsItsErrorUnderTheUsualCursor)
{
    endtoend::SetOption(HKEY_CURRENT_USER, "FishCount", "0");
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(Form->TrackBarFishCount->Position(), 1);
    EXPECT_EQ(Form->LabelFishCount->Caption(), "1");
    EXPECT_EQ(Form->World->FishCount, 1);

    // The next start (on the next idle tick) fails while it loads the options.
    Form->GLScreenSaver->Stop();
    Form->GLScreenSaver->OnLoadOptions = [](TObject*) { throw Exception("no options"); };
    std::string error;
    TCursor cursor = crHourGlass;
    Form->GLScreenSaver->OnException = [&](TObject*, Exception& e) {
        if (error.empty()) {
            error = e.Message;
            cursor = Screen->Cursor();
        }
    };
    PumpUntil(
        [&] {
            Application->Idle();
            return !error.empty();
        },
        std::chrono::seconds(10));
    EXPECT_EQ(error, "no options");
    EXPECT_EQ(cursor, crDefault);
}

// A press in the fish list below its last fish (the list keeps no capture
// there), moved onto a button and let go there, clicks no button; a press
// and release on the button does.
TEST_F(FormSettingsTest, AReleaseOnAButtonAfterAPressInTheFishListsEmptyPartClicksNothing)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const HWND list = Form->CheckListBoxFishes->Handle();
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    RECT last{}, client{};
    SendMessageA(list, LB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
    GetClientRect(list, &client);
    ASSERT_LT(last.bottom + 4, client.bottom) << "the list has no empty part";
    POINT empty{client.right / 2, last.bottom + 4};
    ClientToScreen(list, &empty);
    int clicks = 0;
    TspSkinButton* const buttons[] = {Form->ButtonPreview, Form->ButtonAbout, Form->ButtonHelp,
                                      Form->ButtonFeedBack, Form->ButtonOk, Form->ButtonCancel};
    for (TspSkinButton* button : buttons)
        button->OnClick = [&clicks](TObject*) { ++clicks; };
    const auto settle = [] { PumpUntil([] { return false; }, std::chrono::milliseconds(150)); };
    for (TspSkinButton* button : buttons) {
        endtoend::MouseAt(empty, MOUSEEVENTF_LEFTDOWN);
        settle();
        endtoend::MouseAt(CentreOf(button->Handle()));
        settle();
        endtoend::MouseAt(CentreOf(button->Handle()), MOUSEEVENTF_LEFTUP);
        settle();
        EXPECT_EQ(clicks, 0) << button->Name();
        clicks = 0;
    }
    endtoend::MouseAt(CentreOf(Form->ButtonOk->Handle()), MOUSEEVENTF_LEFTDOWN);
    settle();
    endtoend::MouseAt(CentreOf(Form->ButtonOk->Handle()), MOUSEEVENTF_LEFTUP);
    settle();
    EXPECT_EQ(clicks, 1) << "a press and release on the button";
}

// The dialog from the keyboard (real key input): Down on "Salt water"
// chooses "Fresh water"; Tab walks each tab stop once, the left column and
// then the right one, each group box row by row as the dialog lays it out
// (the checked radio button of a group stands for it), past the buttons, and
// Shift+Tab walks back; Return clicks OK (not while an open list keeps it)
// and Escape Cancel. Return and Escape each close the about box.
TEST_F(FormSettingsTest, TheKeyboardWalksTheDialogAndReturnAndEscapeAnswerItAndTheAboutBox)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(GetFocus(), Form->RadioButtonSaltwater->Handle()) << "the first control has the focus at start";
    // Every control of the display group takes the focus once the desktop
    // mode is no longer kept.
    Form->CheckBoxDesktop->SetFocus();
    TypeKey(VK_SPACE);
    ASSERT_FALSE(Form->CheckBoxDesktop->Checked());
    ASSERT_TRUE(Form->ComboBoxDepth->Enabled() && Form->ComboBoxResolution->Enabled());
    Form->RadioButtonSaltwater->SetFocus();
    TypeKey(VK_DOWN);
    EXPECT_TRUE(Form->RadioButtonFreshwater->Checked());
    EXPECT_EQ(Form->World->FishTypeIndex, 1);

    std::vector<HWND> walk{GetFocus()};
    do {
        TypeKey(VK_TAB);
        walk.push_back(GetFocus());
    } while (walk.back() != walk.front() && walk.size() < 60);
    ASSERT_EQ(walk.back(), walk.front()) << "Tab comes round again";
    EXPECT_EQ(std::set<HWND>(walk.begin(), walk.end()).size(), walk.size() - 1) << "each stop once";
    const auto name = [](HWND wnd) {
        const TWinControl* control = TWinControl::FindControl(wnd);
        return control != nullptr ? control->Name() : std::string("not a control");
    };
    std::vector<std::string> walked;
    std::transform(walk.begin(), walk.end() - 1, std::back_inserter(walked), name);
    const std::vector<std::string> laidOut = {
        // Fishes
        "RadioButtonFreshwater", "CheckListBoxFishes", "ComboBoxDirection", "TrackBarFishCount",
        // Display
        "ComboBoxDepth", "ComboBoxResolution", "CheckBoxDesktop", "CheckBoxWaitSync", "CheckBoxTrueTexturers",
        "CheckBoxMipmap", "CheckBoxSoftware", "CheckBoxWideScreen", "CheckBoxEmulateDepth", "CheckBoxSort",
        // Background; Screen saver; Bubbles
        "ComboBoxBackgrounds", "CheckBoxRunAsProg", "CheckBoxMouseMove", "ComboBoxExitTime", "TrackBarBubblesCount",
        // Clock; Sound
        "RadioButtonClockNone", "CheckBoxFPS", "RadioButtonBubbles", "TrackBarSoundVolume"};
    EXPECT_EQ(walked, laidOut);
    for (HWND wnd : walk) {
        TWinControl* control = TWinControl::FindControl(wnd);
        EXPECT_TRUE(control != nullptr && control->TabStop() && dynamic_cast<TspSkinButton*>(control) == nullptr)
            << (control != nullptr ? control->Name() : "not a control");
    }
    for (size_t i = walk.size() - 1; i-- > 0;) {
        TypeKey(VK_TAB, true);
        EXPECT_EQ(GetFocus(), walk[i]) << "Shift+Tab " << i;
    }

    int ok = 0, cancel = 0;
    Form->ButtonOk->OnClick = [&ok](TObject*) { ++ok; };
    Form->ButtonCancel->OnClick = [&cancel](TObject*) { ++cancel; };
    Form->CheckBoxFPS->SetFocus();
    TypeKey(VK_RETURN);
    TypeKey(VK_ESCAPE);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(cancel, 1);
    Form->ComboBoxExitTime->SetFocus();
    SendMessageA(Form->ComboBoxExitTime->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    TypeKey(VK_RETURN);
    EXPECT_EQ(ok, 1) << "the open list keeps Return";

    static WORD pending;
    for (const WORD key : {VK_RETURN, VK_ESCAPE}) {
        TAboutBox box(nullptr);
        pending = key;
        SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
            KillTimer(nullptr, timer);
            SendKey(pending);
        });
        uitest::TLoopWatchdog watchdog(std::chrono::seconds(10));
        box.Execute("");
        EXPECT_FALSE(watchdog.Fired()) << key;
    }
}

// The volume slider, moved with real keys, sets the speakers of the test
// prefix's sound device (read back through the system's mixer); when the
// dialog ends the speakers have the exact level it found again, not the
// whole percent it showed.
TEST_F(FormSettingsTest, TheVolumeSliderSetsTheSpeakersWhoseExactLevelIsBackWhenTheDialogEnds)
{
    const testsupport::TSpeakerVolume speakers;
    ASSERT_TRUE(speakers.Found) << "no mixer (tools/wine-prefix.sh gives Wine a sound device)";
    const DWORD level = speakers.Get();
    const TScopeExit restore([&] { speakers.Set(level); });
    speakers.Set(40000);  // 61.04 %
    ASSERT_NO_FATAL_FAILURE(Start());
    // The start's balance of 0 wrote the level back as whole percent.
    const int shown = Form->TrackBarSoundVolume->Position();
    EXPECT_TRUE(shown == 60 || shown == 61) << shown;

    SetForegroundWindow(Form->Handle());
    Form->TrackBarSoundVolume->SetFocus();
    TypeKey(VK_LEFT);
    EXPECT_TRUE(PumpUntil([&] { return Form->LabelSoundVolume->Caption() == IntToStr(shown - 1); }, EffectBound));
    EXPECT_EQ(speakers.Get(), static_cast<DWORD>(shown - 1) * 65535 / 100);
    TypeKey(VK_END);
    EXPECT_TRUE(PumpUntil([&] { return Form->LabelSoundVolume->Caption() == "100"; }, EffectBound));
    EXPECT_EQ(speakers.Get(), 65535u);

    delete Form;  // the dialog's end: the saver stops, its parts are freed
    Form = nullptr;
    FormSettings = nullptr;
    EXPECT_EQ(speakers.Get(), 40000u);
}

// Malformed or out-of-range values read as their defaults, with no message,
// and OK writes valid ones back. (The world's and the display's malformed
// values: their own tests.)
TEST_F(FormSettingsTest, StoredChoicesShowInTheControlsAndMalformedOnesReadAsDefaultsThatOkWritesBack)
{
    // As the radio buttons store the wave sound: no bubbles.
    for (const auto& [name, value] :
         {std::pair{"RoteSnd", "-1"}, {"BubbleSnd", "0"}, {"Texture ColorBit", "32bit"}, {"ClockMode", "7"},
          {"FPS", "maybe"}, {"SoundVolume", "250"}, {"FishDirection", "Sideways"}})
        endtoend::SetOption(HKEY_CURRENT_USER, name, value);
    for (const auto& [name, value] : {std::pair{"PowerOffIndex", "42"}, {"MouseMoveExit", "x"}})
        endtoend::SetOption(HKEY_LOCAL_MACHINE, name, value);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_FALSE(Form->RadioButtonSoundNone->Checked());
    EXPECT_FALSE(Form->RadioButtonBubbles->Checked());
    EXPECT_FALSE(Form->RadioButtonWaves->Enabled());
    EXPECT_FALSE(Form->BubbleSnd);
    ASSERT_NE(Form->Textures, nullptr);
    EXPECT_FALSE(Form->Textures->ColorBit16);
    EXPECT_TRUE(Form->RadioButtonClockNone->Checked());

    Form->GLScreenSaver->SaveOptions();  // what OK does
    const std::map<std::string, std::string> expected = {
        {"ClockMode", "0"}, {"FPS", "0"}, {"FishDirection", "Both"}, {"PowerOffIndex", "0"}, {"MouseMoveExit", "0"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(endtoend::OptionOf(name), value) << name;
    const int volume = std::stoi(endtoend::OptionOf("SoundVolume"));
    EXPECT_TRUE(volume >= 0 && volume <= 100) << volume;
}

}  // namespace
