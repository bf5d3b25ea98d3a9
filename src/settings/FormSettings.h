// TFormSettings: the program's one auto-created form - the settings dialog
// and, at the same time, the host of the whole aquarium.
//
// Read from the form description TFORMSETTINGS, it carries the screen-saver
// component, the display and the render window (inside PanelPreview), the
// dialog's controls and the skin components. Its handlers of the saver's
// events build the mixer control, the scene (from the line-scrambled
// description "fishes.gsc" among the program's resources), the world, the
// bubble sound, the font and the frames-per-second text on start; draw the
// scene every frame; and free the sound, the world, the scene and the mixer
// on stop, in that order. In saver and preview roles the form itself is
// never seen, only the render window.
//
// The dialog (program and configure roles) shows every option, applies a
// change to the live preview at once, and writes the options on OK: the
// world's, the display's and the saver's (HKEY_LOCAL_MACHINE, through the
// saver component) and its own under HKEY_CURRENT_USER with plain names
// ("FPS", "BubbleSnd", "RoteSnd", "Texture ColorBit", "MipMap",
// "ClockMode", "SoundVolume"). Cancel writes nothing. A stored value that
// does not read or lies outside its range reads as its default, so OK
// writes valid values back.
//
// Lifetimes: the objects built on start are owned here and exist only
// between the start and the stop of the saver; every field is cleared when
// its object goes, and every handler that can run outside that time (the
// buttons, the clock and sound radio buttons, the sound operations) checks
// for it. The other control handlers act only while UIReady (the controls
// show the current state), so the events that filling the controls fires
// change nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "aquarium/SimpleSound.h"
#include "aquarium/SoundMixerVolumeControl.h"
#include "aquarium/UnderWaterWorld.h"
#include "classlib/ui/CheckLst.h"
#include "classlib/ui/ComCtrls.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/StdCtrls.h"
#include "gl/GLDisplay.h"
#include "gl/GLWindow.h"
#include "gl/ScreenSaver.h"
#include "scene/GdiGlyphRasterizer.h"
#include "scene/SceneTextureResources.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneFont.h"
#include "scene/core/SceneText.h"
#include "scene/core/SceneTexture.h"
#include "skin/SkinStandIns.h"

class TGLClock;

class TFormSettings : public TForm {
public:
    // Reads the form description; the saver component takes its role from
    // the command line meanwhile (and in the password role changes the
    // password and ends the program).
    explicit TFormSettings(TComponent* owner);
    // Whatever a start built and no stop freed goes first, while the
    // rendering context exists; then the components, while the form is whole.
    ~TFormSettings() override;

    std::string ClassName() const override { return "TFormSettings"; }

    // --- Components, in the form's order ------------------------------------
    TGLScreenSaver* GLScreenSaver = nullptr;
    TGLDisplay* GLDisplay = nullptr;
    TspSkinButton* ButtonPreview = nullptr;
    TspSkinButton* ButtonAbout = nullptr;
    TspSkinButton* ButtonHelp = nullptr;
    TspSkinButton* ButtonFeedBack = nullptr;
    TspSkinButton* ButtonOk = nullptr;
    TspSkinButton* ButtonCancel = nullptr;
    TspSkinPanel* PanelPreview = nullptr;
    TGLWindow* GLWindow = nullptr;
    TspSkinGroupBox* GroupBoxFishes = nullptr;
    TRadioButton* RadioButtonSaltwater = nullptr;
    TRadioButton* RadioButtonFreshwater = nullptr;
    TspSkinGroupBox* spSkinGroupBox1 = nullptr;
    TComboBox* ComboBoxDirection = nullptr;
    TspSkinGroupBox* spSkinGroupBox2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* LabelFishCount = nullptr;
    TTrackBar* TrackBarFishCount = nullptr;
    TspSkinGroupBox* spSkinGroupBox3 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* LabelBubblesCount = nullptr;
    TspSkinGroupBox* spSkinGroupBox4 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TCheckBox* CheckBoxTrueTexturers = nullptr;
    TCheckBox* CheckBoxMipmap = nullptr;
    TCheckBox* CheckBoxSoftware = nullptr;
    TComboBox* ComboBoxDepth = nullptr;
    TComboBox* ComboBoxResolution = nullptr;
    TCheckBox* CheckBoxDesktop = nullptr;
    TCheckBox* CheckBoxWaitSync = nullptr;
    TCheckBox* CheckBoxEmulateDepth = nullptr;
    TCheckBox* CheckBoxWideScreen = nullptr;
    TCheckBox* CheckBoxSort = nullptr;
    TspSkinGroupBox* spSkinGroupBox5 = nullptr;
    TCheckBox* CheckBoxRunAsProg = nullptr;
    TCheckBox* CheckBoxMouseMove = nullptr;
    TspSkinGroupBox* spSkinGroupBox6 = nullptr;
    TspSkinGroupBox* spSkinGroupBox7 = nullptr;
    TRadioButton* RadioButton24Hour = nullptr;
    TRadioButton* RadioButton12Hour = nullptr;
    TspSkinGroupBox* spSkinGroupBox8 = nullptr;
    TRadioButton* RadioButtonSoundNone = nullptr;
    TRadioButton* RadioButtonBubbles = nullptr;
    TRadioButton* RadioButtonWaves = nullptr;
    TspDynamicSkinForm* DynamicSkinForm = nullptr;
    TspSkinData* SkinData = nullptr;
    TTrackBar* TrackBarBubblesCount = nullptr;
    TRadioButton* RadioButtonClockNone = nullptr;
    TComboBox* ComboBoxBackgrounds = nullptr;
    TCheckListBox* CheckListBoxFishes = nullptr;
    TspStoredSkin* StoredSkin = nullptr;
    TCheckBox* CheckBoxFPS = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* LabelSoundVolume = nullptr;
    TTrackBar* TrackBarSoundVolume = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* Label9 = nullptr;
    TComboBox* ComboBoxExitTime = nullptr;

    // --- What a start builds (null outside a run) ---------------------------
    std::unique_ptr<TMainScene> Scene;
    std::unique_ptr<TUnderWaterWorld> World;
    std::unique_ptr<TSimpleSound> Sound;
    // The bubble sound is chosen; the wave sound is chosen (none is played).
    bool BubbleSnd = false;
    bool RoteSnd = false;
    // The scene's texture list "Textures" (owned by the scene).
    TSceneTextureList* Textures = nullptr;
    // Owned by the scene once added.
    TSceneFont* Font = nullptr;
    TSceneString* FpsText = nullptr;
    // The controls show the current state; the control handlers act.
    bool UIReady = false;
    // The first fill has run (it hands the focus to the first control in
    // tab order).
    bool Filled = false;
    std::unique_ptr<TSoundMixerVolumeControl> Mixer;

    // --- Handlers of the saver component ------------------------------------
    void GLScreenSaverStart(TObject* sender);
    void GLScreenSaverStop(TObject* sender);
    void GLScreenSaverStartOpenGL(TObject* sender);
    void GLScreenSaverStopOpenGL(TObject* sender);
    void GLScreenSaverRender(float deltaTime, bool select);
    void GLScreenSaverResizeViewport(int width, int height);
    void GLScreenSaverFPSChanged(TObject* sender);
    void GLScreenSaverLoadOptions(TObject* sender);
    void GLScreenSaverSaveOptions(TObject* sender);
    void GLScreenSaverPowerOff(TObject* sender);
    void GLScreenSaverPowerOn(TObject* sender);

    // --- Handlers of the form and its controls ------------------------------
    void FormShow(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void ButtonClick(TObject* sender);
    void RadioButtonClick(TObject* sender);
    void RadioGroupClick(TObject* sender);
    void CheckListBoxFishesClickCheck(TObject* sender);
    void ComboBoxDirectionChange(TObject* sender);
    void TrackBarChange(TObject* sender);
    void CheckBoxClick(TObject* sender);
    void ComboBoxDepthChange(TObject* sender);
    void ComboBoxResolutionChange(TObject* sender);
    void ComboBoxExitTimeChange(TObject* sender);
    void ComboBoxBackgroundsChange(TObject* sender);
    void RadioButtonClockClick(TObject* sender);
    void RadioButtonSoundClick(TObject* sender);

    // --- Operations ---------------------------------------------------------
    // Plays the sound when the bubble sound is chosen and the sound exists.
    void PlayBubbleSound();
    // Stops the sound when it exists.
    void StopSound();
    // Fills every control from the current state (see the class comment);
    // UIReady is false and the form disabled meanwhile; the form is enabled
    // again however the fill ends, UIReady only when it completes.
    void UpdateControls();
    // The world's fish kinds, each checked when shown.
    void FillFishList();
    // The clock's colour for background index (index mod 3); a negative
    // index changes nothing.
    void UpdateClockColor(int index);
    // The colour (r, g, b, 255) of the scene's "GLClock", when there is one.
    void SetClockColor(uint8_t r, uint8_t g, uint8_t b);
    // The scene's "GLClock"; null without a scene or clock.
    TGLClock* Clock() const;
    // The text of the About box: vendor, renderer and version of OpenGL on
    // three lines.
    std::string DriverInfo() const;

private:
    // Sound, World, Scene and Mixer freed in that order, fields cleared,
    // UIReady false.
    void FreeAquarium();

    TRCDataBitmapResourceProvider FSceneResources;
    TGdiGlyphRasterizer FGlyphRasterizer;
    bool FSceneServicesInstalled = false;
};

// The program's settings form, set while it is created.
extern TFormSettings* FormSettings;
