#include "settings/FormSettings.h"

#include <windows.h>

#include "aquarium/core/GLClock.h"
#include "classlib/core/ScopeExit.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/FormResources.h"
#include "classlib/ui/Screen.h"
#include "gl/GLRegistration.h"
#include "settings/AboutBox.h"

TFormSettings* FormSettings = nullptr;

namespace {

// The dialog's own options, plain names under HKEY_CURRENT_USER.
constexpr const char* OptionFPS = "FPS";
constexpr const char* OptionClockMode = "ClockMode";
constexpr const char* OptionBubbleSnd = "BubbleSnd";
constexpr const char* OptionRoteSnd = "RoteSnd";
constexpr const char* OptionTextureColorBit = "Texture ColorBit";
constexpr const char* OptionMipMap = "MipMap";
constexpr const char* OptionSoundVolume = "SoundVolume";

constexpr int ClockModeCount = 3;  // none, 24-hour, 12-hour

template <class T>
T* As(TObject* sender)
{
    return dynamic_cast<T*>(sender);
}

void RegisterFormSettings()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterGLClasses();
    RegisterSkinClasses();
    using F = TFormSettings;
    ClassRegistry()
        .Register<F>("TFormSettings", "TForm")
        .Factory(nullptr)
        .Field("GLScreenSaver", &F::GLScreenSaver)
        .Field("GLDisplay", &F::GLDisplay)
        .Field("ButtonPreview", &F::ButtonPreview)
        .Field("ButtonAbout", &F::ButtonAbout)
        .Field("ButtonHelp", &F::ButtonHelp)
        .Field("ButtonFeedBack", &F::ButtonFeedBack)
        .Field("ButtonOk", &F::ButtonOk)
        .Field("ButtonCancel", &F::ButtonCancel)
        .Field("PanelPreview", &F::PanelPreview)
        .Field("GLWindow", &F::GLWindow)
        .Field("GroupBoxFishes", &F::GroupBoxFishes)
        .Field("RadioButtonSaltwater", &F::RadioButtonSaltwater)
        .Field("RadioButtonFreshwater", &F::RadioButtonFreshwater)
        .Field("spSkinGroupBox1", &F::spSkinGroupBox1)
        .Field("ComboBoxDirection", &F::ComboBoxDirection)
        .Field("spSkinGroupBox2", &F::spSkinGroupBox2)
        .Field("Label3", &F::Label3)
        .Field("Label4", &F::Label4)
        .Field("LabelFishCount", &F::LabelFishCount)
        .Field("TrackBarFishCount", &F::TrackBarFishCount)
        .Field("spSkinGroupBox3", &F::spSkinGroupBox3)
        .Field("Label5", &F::Label5)
        .Field("Label6", &F::Label6)
        .Field("LabelBubblesCount", &F::LabelBubblesCount)
        .Field("spSkinGroupBox4", &F::spSkinGroupBox4)
        .Field("Label1", &F::Label1)
        .Field("Label2", &F::Label2)
        .Field("CheckBoxTrueTexturers", &F::CheckBoxTrueTexturers)
        .Field("CheckBoxMipmap", &F::CheckBoxMipmap)
        .Field("CheckBoxSoftware", &F::CheckBoxSoftware)
        .Field("ComboBoxDepth", &F::ComboBoxDepth)
        .Field("ComboBoxResolution", &F::ComboBoxResolution)
        .Field("CheckBoxDesktop", &F::CheckBoxDesktop)
        .Field("CheckBoxWaitSync", &F::CheckBoxWaitSync)
        .Field("CheckBoxEmulateDepth", &F::CheckBoxEmulateDepth)
        .Field("CheckBoxWideScreen", &F::CheckBoxWideScreen)
        .Field("CheckBoxSort", &F::CheckBoxSort)
        .Field("spSkinGroupBox5", &F::spSkinGroupBox5)
        .Field("CheckBoxRunAsProg", &F::CheckBoxRunAsProg)
        .Field("CheckBoxMouseMove", &F::CheckBoxMouseMove)
        .Field("spSkinGroupBox6", &F::spSkinGroupBox6)
        .Field("spSkinGroupBox7", &F::spSkinGroupBox7)
        .Field("RadioButton24Hour", &F::RadioButton24Hour)
        .Field("RadioButton12Hour", &F::RadioButton12Hour)
        .Field("spSkinGroupBox8", &F::spSkinGroupBox8)
        .Field("RadioButtonSoundNone", &F::RadioButtonSoundNone)
        .Field("RadioButtonBubbles", &F::RadioButtonBubbles)
        .Field("RadioButtonWaves", &F::RadioButtonWaves)
        .Field("DynamicSkinForm", &F::DynamicSkinForm)
        .Field("SkinData", &F::SkinData)
        .Field("TrackBarBubblesCount", &F::TrackBarBubblesCount)
        .Field("RadioButtonClockNone", &F::RadioButtonClockNone)
        .Field("ComboBoxBackgrounds", &F::ComboBoxBackgrounds)
        .Field("CheckListBoxFishes", &F::CheckListBoxFishes)
        .Field("StoredSkin", &F::StoredSkin)
        .Field("CheckBoxFPS", &F::CheckBoxFPS)
        .Field("Label7", &F::Label7)
        .Field("Label8", &F::Label8)
        .Field("LabelSoundVolume", &F::LabelSoundVolume)
        .Field("TrackBarSoundVolume", &F::TrackBarSoundVolume)
        .Field("Label10", &F::Label10)
        .Field("Label9", &F::Label9)
        .Field("ComboBoxExitTime", &F::ComboBoxExitTime);
}

}  // namespace

TFormSettings::TFormSettings(TComponent* owner) : TForm(owner)
{
    RegisterFormSettings();
    using F = TFormSettings;
    TFormHandlers handlers;
    handlers.Add("GLScreenSaverStart", this, &F::GLScreenSaverStart);
    handlers.Add("GLScreenSaverStop", this, &F::GLScreenSaverStop);
    handlers.Add("GLScreenSaverStartOpenGL", this, &F::GLScreenSaverStartOpenGL);
    handlers.Add("GLScreenSaverStopOpenGL", this, &F::GLScreenSaverStopOpenGL);
    handlers.Add("GLScreenSaverRender", this, &F::GLScreenSaverRender);
    handlers.Add("GLScreenSaverResizeViewport", this, &F::GLScreenSaverResizeViewport);
    handlers.Add("GLScreenSaverFPSChanged", this, &F::GLScreenSaverFPSChanged);
    handlers.Add("GLScreenSaverLoadOptions", this, &F::GLScreenSaverLoadOptions);
    handlers.Add("GLScreenSaverSaveOptions", this, &F::GLScreenSaverSaveOptions);
    handlers.Add("GLScreenSaverPowerOff", this, &F::GLScreenSaverPowerOff);
    handlers.Add("GLScreenSaverPowerOn", this, &F::GLScreenSaverPowerOn);
    handlers.Add("FormShow", this, &F::FormShow);
    handlers.Add("FormCloseQuery", this, &F::FormCloseQuery);
    handlers.Add("ButtonClick", this, &F::ButtonClick);
    handlers.Add("RadioButtonClick", this, &F::RadioButtonClick);
    handlers.Add("RadioGroupClick", this, &F::RadioGroupClick);
    handlers.Add("CheckListBoxFishesClickCheck", this, &F::CheckListBoxFishesClickCheck);
    handlers.Add("ComboBoxDirectionChange", this, &F::ComboBoxDirectionChange);
    handlers.Add("TrackBarChange", this, &F::TrackBarChange);
    handlers.Add("CheckBoxClick", this, &F::CheckBoxClick);
    handlers.Add("ComboBoxDepthChange", this, &F::ComboBoxDepthChange);
    handlers.Add("ComboBoxResolutionChange", this, &F::ComboBoxResolutionChange);
    handlers.Add("ComboBoxExitTimeChange", this, &F::ComboBoxExitTimeChange);
    handlers.Add("ComboBoxBackgroundsChange", this, &F::ComboBoxBackgroundsChange);
    handlers.Add("RadioButtonClockClick", this, &F::RadioButtonClockClick);
    handlers.Add("RadioButtonSoundClick", this, &F::RadioButtonSoundClick);
    ReadFormResource(*this, handlers);
}

TFormSettings::~TFormSettings()
{
    // A start that failed half way never stops: what it built goes now,
    // while the rendering context it was built with still exists.
    FreeAquarium();
    DestroyComponents();
    if (FSceneServicesInstalled) {
        SetSceneGlyphRasterizer(nullptr);
        SetSceneResources(nullptr);
    }
}

void TFormSettings::FreeAquarium()
{
    UIReady = false;  // the controls' handlers would reach what goes now
    Sound.reset();
    World.reset();
    Textures = nullptr;
    Font = nullptr;
    FpsText = nullptr;
    Scene.reset();
    Mixer.reset();
}

// --- The saver's events --------------------------------------------------------

void TFormSettings::GLScreenSaverStart(TObject*)
{
    Screen->SetCursor(crHourGlass);
    // Also when the start fails: its error is shown under the usual cursor.
    const TScopeExit defaultCursor([] { Screen->SetCursor(crDefault); });
    Mixer = std::make_unique<TSoundMixerVolumeControl>();
    Mixer->SetBalance(0);
    Mixer->SetSpeakerMute(false);

    if (!FSceneServicesInstalled) {
        SetSceneResources(&FSceneResources);
        SetSceneGlyphRasterizer(&FGlyphRasterizer);
        FSceneServicesInstalled = true;
    }
    Scene = std::make_unique<TMainScene>();
    Scene->GL = GLScreenSaver->OpenGL();
    Scene->Viewport = GLScreenSaver->Viewport();
    Scene->Path = GLScreenSaver->ExeDir();
    Scene->Scrambled = true;
    Scene->SourceName = "fishes.gsc";
    Scene->SourceLocation = slResource;
    Scene->Load();
    Textures = dynamic_cast<TSceneTextureList*>(Scene->FindObject("Textures"));

    World = std::make_unique<TUnderWaterWorld>();
    World->FApp = GLScreenSaver;
    World->FScene = Scene.get();

    Sound = std::make_unique<TSimpleSound>();
    Sound->FileName = ".\\Scene\\bubbles.wav";
    Sound->Loop = true;
    Sound->FromResource = true;

    // Each is the scene's once added (a name the description took already raises).
    auto font = std::make_unique<TSceneFont>();
    font->SetName("Font");
    Scene->AddObject(font.get(), 0);
    Font = font.release();
    auto fpsText = std::make_unique<TSceneString>();
    fpsText->SetName("FPS");
    fpsText->Font = Font;
    fpsText->SetVisible(false);
    Scene->AddObject(fpsText.get(), poRender);
    FpsText = fpsText.release();

    GLScreenSaver->LoadOptions();
}

void TFormSettings::GLScreenSaverStop(TObject*)
{
    StopSound();
    FreeAquarium();
}

void TFormSettings::GLScreenSaverStartOpenGL(TObject*)
{
    PlayBubbleSound();
    if (Font != nullptr)
        Font->Build();
    const TSaverMode mode = GLScreenSaver->SaverMode();
    if ((mode == smProgram || mode == smConfigure) && !GLDisplay->FullScreen()) {
        UpdateControls();
        // The fish group's radio buttons, first in tab order, are enabled
        // only by the fill, after the form's activation gave the focus to
        // the first control then enabled: the first fill hands it on (once
        // the form is enabled again, which a focus needs).
        if (!Filled && UIReady) {
            Filled = true;
            if (TWinControl* first = FindNextControl(nullptr, true, true, false); first != nullptr && Active())
                first->SetFocus();
        }
        GLScreenSaver->CheckHardwareAcceleration();
    }
}

void TFormSettings::GLScreenSaverStopOpenGL(TObject*)
{
    if (Font != nullptr)
        Font->Release();
    StopSound();
}

void TFormSettings::GLScreenSaverRender(float deltaTime, bool)
{
    if (Scene != nullptr)
        Scene->DoFrame(deltaTime);
}

void TFormSettings::GLScreenSaverResizeViewport(int width, int height)
{
    if (Scene != nullptr) {
        Scene->ViewWidth = width;
        Scene->ViewHeight = height;
    }
    if (FpsText != nullptr)
        FpsText->SetPosition(16, height - 32);
}

void TFormSettings::GLScreenSaverFPSChanged(TObject*)
{
    if (FpsText != nullptr)
        FpsText->Text = Format("%d fps", GLScreenSaver->GetFPS());
}

void TFormSettings::GLScreenSaverLoadOptions(TObject*)
{
    if (World == nullptr)
        return;
    World->LoadOptions();
    UpdateClockColor(World->WaterBackgroundIndex);

    GLScreenSaver->ScrambleNames = false;
    GLScreenSaver->SetLocalMachine(false);
    int clockMode = 0;
    if (GLScreenSaver->SaverMode() != smPreview) {
        FpsText->SetVisible(GLScreenSaver->ReadBool(OptionFPS, false));
        clockMode = GLScreenSaver->ReadInteger(OptionClockMode, 0);
        if (clockMode < 0 || clockMode >= ClockModeCount)
            clockMode = 0;
    } else {
        FpsText->SetVisible(false);
    }
    if (TGLClock* clock = Clock())
        clock->SetClockMode(clockMode);
    BubbleSnd = GLScreenSaver->ReadBool(OptionBubbleSnd, true);
    RoteSnd = GLScreenSaver->ReadBool(OptionRoteSnd, false);
    if (Textures != nullptr) {
        Textures->ColorBit16 = TSceneTextureList::StrToColorBit(
            GLScreenSaver->ReadString(OptionTextureColorBit, TSceneTextureList::ColorBitToStr(true)));
        Textures->MipMap = GLScreenSaver->ReadBool(OptionMipMap, false);
    }
    // SetVolume leaves the volume as it is for a value outside 0..100.
    Mixer->SetVolume(GLScreenSaver->ReadInteger(OptionSoundVolume, Mixer->GetVolume()));
}

void TFormSettings::GLScreenSaverSaveOptions(TObject*)
{
    // Without the aquarium (OK pressed outside a run) its options stay as stored.
    if (World == nullptr)
        return;
    World->SaveOptions();
    GLScreenSaver->ScrambleNames = false;
    GLScreenSaver->SetLocalMachine(false);
    GLScreenSaver->WriteBool(OptionFPS, FpsText->Visible());
    GLScreenSaver->WriteBool(OptionBubbleSnd, BubbleSnd);
    GLScreenSaver->WriteBool(OptionRoteSnd, RoteSnd);
    GLScreenSaver->WriteString(OptionTextureColorBit,
                               TSceneTextureList::ColorBitToStr(Textures == nullptr || Textures->ColorBit16));
    GLScreenSaver->WriteBool(OptionMipMap, Textures != nullptr && Textures->MipMap);
    const TGLClock* clock = Clock();
    GLScreenSaver->WriteInteger(OptionClockMode, clock != nullptr && clock->ClockMode() > 0 ? clock->ClockMode() : 0);
    GLScreenSaver->WriteInteger(OptionSoundVolume, Mixer->Volume);
}

void TFormSettings::GLScreenSaverPowerOff(TObject*) {}

void TFormSettings::GLScreenSaverPowerOn(TObject*) {}

// --- The form ------------------------------------------------------------------

void TFormSettings::FormShow(TObject*)
{
    const TSaverMode mode = GLScreenSaver->SaverMode();
    if (mode == smProgram || mode == smConfigure)
        GLScreenSaver->CenterMainForm();
}

void TFormSettings::FormCloseQuery(TObject*, bool& canClose)
{
    canClose = true;
    StopSound();
}

void TFormSettings::PlayBubbleSound()
{
    if (BubbleSnd && Sound != nullptr)
        Sound->Play();
}

void TFormSettings::StopSound()
{
    if (Sound != nullptr)
        Sound->StopAll();
}

TGLClock* TFormSettings::Clock() const
{
    return Scene == nullptr ? nullptr : dynamic_cast<TGLClock*>(Scene->FindObject("GLClock"));
}

void TFormSettings::UpdateClockColor(int index)
{
    if (index < 0)
        return;
    switch (index % 3) {
    case 0:
        SetClockColor(65, 170, 255);
        break;
    case 1:
        SetClockColor(0, 200, 235);
        break;
    default:
        SetClockColor(0, 220, 160);
        break;
    }
}

void TFormSettings::SetClockColor(uint8_t r, uint8_t g, uint8_t b)
{
    if (TGLClock* clock = Clock())
        clock->Color = MakeColorRGBA(r, g, b, 255);
}

std::string TFormSettings::DriverInfo() const
{
    TCustomAppOpenGL* gl = GLScreenSaver->OpenGL();
    if (gl == nullptr)
        return "Vendor: \r\nVideo: \r\nOpenGL: ";
    return "Vendor: " + gl->GetVendor() + "\r\nVideo: " + gl->GetRenderer() + "\r\nOpenGL: " + gl->Version();
}

// --- Filling the controls ------------------------------------------------------

void TFormSettings::UpdateControls()
{
    if (World == nullptr || Mixer == nullptr)
        return;
    UIReady = false;
    SetEnabled(false);
    // A fill that fails leaves the dialog usable (and UIReady false).
    const TScopeExit enable([this] { SetEnabled(true); });

    GLDisplay->GetColorDepthNames(*ComboBoxDepth->Items());
    GLDisplay->GetScreenSizeNames(*ComboBoxResolution->Items());
    ComboBoxDepth->SetItemIndex(GLDisplay->GetColorDepthIndex());
    ComboBoxResolution->SetItemIndex(GLDisplay->GetScreenSizeIndex());
    CheckBoxDesktop->SetChecked(GLDisplay->DesktopOnly);
    if (World->FishTypeIndex == 1)
        RadioButtonFreshwater->SetChecked(true);
    else
        RadioButtonSaltwater->SetChecked(true);
    CheckBoxEmulateDepth->SetChecked(World->EmulateDepth);
    FillFishList();

    ComboBoxBackgrounds->Items()->Assign(&World->Backgrounds);
    ComboBoxBackgrounds->SetItemIndex(World->WaterBackgroundIndex);
    UpdateClockColor(World->WaterBackgroundIndex);

    // A stored count outside a slider's range: the world takes the count
    // the dialog shows, so the preview and OK agree with it.
    TrackBarBubblesCount->SetPosition(World->GetBubbleCount());
    if (World->GetBubbleCount() != TrackBarBubblesCount->Position())
        World->SetBubbleCount(TrackBarBubblesCount->Position());
    LabelBubblesCount->SetCaption(IntToStr(TrackBarBubblesCount->Position()));
    TrackBarFishCount->SetPosition(World->FishCount);
    if (World->FishCount != TrackBarFishCount->Position())
        World->SetFishCount(TrackBarFishCount->Position());
    LabelFishCount->SetCaption(IntToStr(TrackBarFishCount->Position()));
    CheckBoxSort->SetChecked(World->SortAlpha);
    ComboBoxDirection->SetItemIndex(World->FishDirection);
    TrackBarSoundVolume->SetPosition(Mixer->Volume);
    LabelSoundVolume->SetCaption(IntToStr(TrackBarSoundVolume->Position()));
    if (Textures != nullptr) {
        CheckBoxTrueTexturers->SetChecked(!Textures->ColorBit16);
        CheckBoxMipmap->SetChecked(Textures->MipMap);
    }
    SetCaption(GLScreenSaver->Title + " v" + GLScreenSaver->GetVersion());

    TCustomAppOpenGL* gl = GLScreenSaver->OpenGL();
    CheckBoxWaitSync->SetChecked(gl->VSync);
    CheckBoxSoftware->SetEnabled(gl->GetHardwareAccelerated());
    CheckBoxSoftware->SetChecked(gl->GetGenericOnly());

    ComboBoxExitTime->SetItemIndex(GLScreenSaver->PowerOffIndex());
    CheckBoxMouseMove->SetChecked(GLScreenSaver->MouseMoveExit);
    CheckBoxRunAsProg->SetChecked(GLScreenSaver->RunAsProgram);
    CheckBoxWideScreen->SetChecked(GLScreenSaver->Viewport()->WideScreen);
    ComboBoxDepth->SetEnabled(!CheckBoxDesktop->Checked());
    ComboBoxResolution->SetEnabled(!CheckBoxDesktop->Checked());
    ComboBoxBackgrounds->SetEnabled(true);
    RadioButtonSaltwater->SetEnabled(true);
    RadioButtonFreshwater->SetEnabled(true);

    const TGLClock* clock = Clock();
    const int clockMode = clock != nullptr ? clock->ClockMode() : 0;
    RadioButtonClockNone->SetChecked(clockMode <= 0);
    RadioButton24Hour->SetChecked(clockMode == 1);
    RadioButton12Hour->SetChecked(clockMode == 2);
    CheckBoxFPS->SetChecked(FpsText != nullptr && FpsText->Visible());
    RadioButtonSoundNone->SetChecked(!BubbleSnd && !RoteSnd);
    RadioButtonBubbles->SetChecked(BubbleSnd && !RoteSnd);
    RadioButtonWaves->SetEnabled(false);

    UIReady = true;
}

void TFormSettings::FillFishList()
{
    if (World == nullptr)
        return;
    TStrings& items = *CheckListBoxFishes->Items();
    items.Assign(&World->FishNames);
    for (int i = 0; i < items.Count(); ++i)
        CheckListBoxFishes->SetChecked(i, World->IsFishVisible(items.Strings(i)));
}

// --- The controls --------------------------------------------------------------

void TFormSettings::ButtonClick(TObject* sender)
{
    if (sender == ButtonPreview) {
        GLDisplay->SetFullScreen(true);
    } else if (sender == ButtonAbout) {
        const std::string info = DriverInfo();
        auto box = std::make_unique<TAboutBox>(nullptr);
        box->Execute(info);
    } else if (sender == ButtonHelp) {
        GLScreenSaver->ShowHelp();
    } else if (sender == ButtonOk) {
        GLScreenSaver->SaveOptions();
        Close();
    } else if (sender == ButtonCancel) {
        Close();
    } else if (sender == ButtonFeedBack) {
        OpenMakerWebPage();
    }
}

void TFormSettings::RadioButtonClick(TObject*)
{
    if (!UIReady)
        return;
    World->SetFishTypeIndex(RadioButtonFreshwater->Checked() ? 1 : 0);
    FillFishList();
}

void TFormSettings::RadioGroupClick(TObject*) {}

void TFormSettings::CheckListBoxFishesClickCheck(TObject*)
{
    if (!UIReady)
        return;
    TStrings& items = *CheckListBoxFishes->Items();
    for (int i = 0; i < items.Count(); ++i)
        World->SetFishVisible(items.Strings(i), CheckListBoxFishes->Checked(i));
}

void TFormSettings::ComboBoxDirectionChange(TObject*)
{
    // No selection (-1) is no direction.
    if (!UIReady || ComboBoxDirection->ItemIndex() < 0)
        return;
    World->SetFishDirection(static_cast<uint8_t>(ComboBoxDirection->ItemIndex()));
}

void TFormSettings::TrackBarChange(TObject* sender)
{
    if (!UIReady)
        return;
    if (sender == TrackBarFishCount) {
        LabelFishCount->SetCaption(IntToStr(TrackBarFishCount->Position()));
        World->SetFishCount(TrackBarFishCount->Position());
    } else if (sender == TrackBarBubblesCount) {
        LabelBubblesCount->SetCaption(IntToStr(TrackBarBubblesCount->Position()));
        World->SetBubbleCount(TrackBarBubblesCount->Position());
    } else if (sender == TrackBarSoundVolume) {
        LabelSoundVolume->SetCaption(IntToStr(TrackBarSoundVolume->Position()));
        Mixer->SetVolume(TrackBarSoundVolume->Position());
    }
}

void TFormSettings::CheckBoxClick(TObject* sender)
{
    if (!UIReady)
        return;
    auto* box = As<TCheckBox>(sender);
    if (box == nullptr)
        return;
    const bool checked = box->Checked();
    if (box == CheckBoxTrueTexturers || box == CheckBoxMipmap) {
        if (Textures == nullptr)
            return;
        if (box == CheckBoxTrueTexturers)
            Textures->ColorBit16 = !checked;
        else
            Textures->MipMap = checked;
        Textures->UpdateTextures();
    } else if (box == CheckBoxSoftware) {
        GLScreenSaver->OpenGL()->SetGenericOnly(checked);
    } else if (box == CheckBoxDesktop) {
        GLDisplay->DesktopOnly = checked;
        ComboBoxDepth->SetEnabled(!checked);
        ComboBoxResolution->SetEnabled(!checked);
        ComboBoxDepth->SetItemIndex(GLDisplay->GetColorDepthIndex());
        ComboBoxResolution->SetItemIndex(GLDisplay->GetScreenSizeIndex());
    } else if (box == CheckBoxWaitSync) {
        GLScreenSaver->OpenGL()->VSync = checked;
    } else if (box == CheckBoxEmulateDepth) {
        World->SetEmulateDepth(checked);
    } else if (box == CheckBoxWideScreen) {
        GLScreenSaver->Viewport()->WideScreen = checked;
    } else if (box == CheckBoxSort) {
        World->SetSortAlpha(checked);
    } else if (box == CheckBoxRunAsProg) {
        GLScreenSaver->RunAsProgram = checked;
    } else if (box == CheckBoxMouseMove) {
        GLScreenSaver->MouseMoveExit = checked;
    } else if (box == CheckBoxFPS) {
        FpsText->SetVisible(checked);
    }
}

void TFormSettings::ComboBoxDepthChange(TObject*)
{
    if (!UIReady || ComboBoxDepth->ItemIndex() < 0)
        return;
    GLDisplay->FullScreenMode().SetColorDepthName(ComboBoxDepth->Items()->Strings(ComboBoxDepth->ItemIndex()));
    GLDisplay->GetScreenSizeNames(*ComboBoxResolution->Items());
    ComboBoxResolution->SetItemIndex(GLDisplay->GetScreenSizeIndex());
}

void TFormSettings::ComboBoxResolutionChange(TObject*)
{
    if (!UIReady || ComboBoxResolution->ItemIndex() < 0)
        return;
    GLDisplay->FullScreenMode().SetScreenSizeName(ComboBoxResolution->Items()->Strings(ComboBoxResolution->ItemIndex()));
}

void TFormSettings::ComboBoxExitTimeChange(TObject*)
{
    if (!UIReady || ComboBoxExitTime->ItemIndex() < 0)
        return;
    GLScreenSaver->SetPowerOffIndex(ComboBoxExitTime->ItemIndex());
}

void TFormSettings::ComboBoxBackgroundsChange(TObject*)
{
    if (!UIReady || ComboBoxBackgrounds->ItemIndex() < 0)
        return;
    World->SetWaterBackgroundIndex(ComboBoxBackgrounds->ItemIndex());
    UpdateClockColor(World->WaterBackgroundIndex);
}

void TFormSettings::RadioButtonClockClick(TObject* sender)
{
    auto* button = As<TRadioButton>(sender);
    TGLClock* clock = Clock();
    if (button != nullptr && clock != nullptr)
        clock->SetClockMode(static_cast<int>(button->Tag));
}

void TFormSettings::RadioButtonSoundClick(TObject* sender)
{
    auto* button = As<TRadioButton>(sender);
    if (button == nullptr)
        return;
    BubbleSnd = button->Tag == 1;
    RoteSnd = button->Tag == 2;
    if (Sound == nullptr)
        return;
    Sound->Stop();
    if (BubbleSnd)
        Sound->Play();
}
