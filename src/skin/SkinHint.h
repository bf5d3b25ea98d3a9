// Skinned hints: TspSkinHint makes TspSkinHintWindow the application's hint
// window class and shows hints at the cursor; the hint window draws itself
// from the skin's [HINTWINDOW] record (its picture composed to the text's
// size, shaped by its mask, the record's font), or in the plain look without
// a skin, and can be see-through.
//
// The window serves whichever TspSkinHint is the first active one among the
// components of the application's main form; without one it shows nothing.
// A record whose picture or mask index lies outside the skin's active
// pictures counts as without that picture (plain look) or mask (no region).
//
// See-through: with AlphaBlendSupport the window is a layered window whose
// alpha follows TransparentValue; without it, the screen under the hint is
// captured before it shows and cross-faded into the hint's picture.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "classlib/core/ClassRegistry.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Font.h"
#include "classlib/ui/HintWindow.h"
#include "classlib/ui/Timer.h"
#include "skin/SkinData.h"

class TspSkinHint;

class TspSkinHintWindow : public THintWindow {
public:
    explicit TspSkinHintWindow(TComponent* owner);
    ~TspSkinHintWindow() override;
    std::string ClassName() const override { return "TspSkinHintWindow"; }

    // Sizes the window to the text (and the skin picture), keeps it on the
    // screen, applies the see-through and the region, and shows it topmost
    // without activation; does nothing without a serving component.
    void ActivateHint(RECT rect, const std::string& AHint) override;

    // The skin record's geometry moved to the window's size, laid out again
    // at every paint: a skin reloaded while the hint shows draws with its
    // own record.
    TRect NewClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;

protected:
    // Without the border: the skin picture or the plain look draws the frame.
    void CreateParams(TCreateParams& params) override;
    // WM_NCPAINT draws nothing; WM_ERASEBKGND erases nothing (Paint covers
    // the whole window).
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    // Sets the New* geometry: `record`'s points and client rectangle for
    // `picture` stretched to width x height.
    void LayOut(const TspDataSkinHintWindow& record, const TBitmap& picture, int width, int height);
    // The skin the serving component uses when it has one with a hint
    // picture that exists; null otherwise.
    TspSkinData* SkinInUse(TspSkinHint* hint) const;
    // The font of a hint: the record's name, height and style with a skin and
    // UseSkinFont, else the component's DefaultFont.
    void ApplyFont(TFont& font, TspSkinHint* hint, TspSkinData* skin) const;

    std::unique_ptr<TBitmap> FScreenImage;
    bool FLayered = false;
    int FAlphaApplied = -1;
};

class TspSkinHint : public TComponent {
public:
    // Outside design mode: makes TspSkinHintWindow the application's hint
    // window class (and remakes the application's hint window), takes the
    // application's OnShowHint and sets its short hint pause to 100 ms.
    // Freed, it hands OnShowHint (when it still holds it) to the newest
    // component left; the last one to go gives the application back the hint
    // window class it had before the first came, remakes its hint window,
    // and empties OnShowHint when it still holds it. The handler it replaced
    // is not given back: its owner may have gone meanwhile, unable to take
    // it back while a component held the event.
    explicit TspSkinHint(TComponent* owner);
    ~TspSkinHint() override;
    std::string ClassName() const override { return "TspSkinHint"; }

    // Owned; assigning copies.
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* font) { FDefaultFont->Assign(font); }
    bool UseSkinFont = true;
    // True at first; setting True outside design mode keeps it only on the
    // systems whose layered windows the skin uses (IsWindows2000OrXP).
    bool AlphaBlendSupport() const { return FAlphaBlendSupport; }
    void SetAlphaBlendSupport(bool value);
    bool Transparent = false;
    // Percent of what lies below that shows through.
    uint8_t TransparentValue = 50;
    TspSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TspSkinData* value);
    // Setting True deactivates every other TspSkinHint of the main form.
    bool Active() const { return FActive; }
    void SetActive(bool value);
    // Forwarded from Application->OnShowHint.
    TShowHintEvent OnShowHint;

    // After the application's hint pause, shows Text below the cursor; it
    // hides after the hint hide pause.
    void ActivateHint(const std::string& Text);
    void HideHint();

    // The component that serves the hint window: the first active
    // TspSkinHint of the application's main form; null without one.
    static TspSkinHint* ServingHint();

    void Notification(TComponent* aComponent, TOperation operation) override;

private:
    void InstallShowHint();
    void TimerElapsed();
    // The window's own hint (not the application's).
    std::unique_ptr<TspSkinHintWindow> FHintWindow;
    std::unique_ptr<TTimer> FTimer;
    bool FShowing = false;  // the timer's next step hides
    std::string FText;
    std::unique_ptr<TFont> FDefaultFont;
    bool FAlphaBlendSupport = true;
    TspSkinData* FSkinData = nullptr;
    bool FActive = true;
    // Shared with the application's OnShowHint forwarder, which does nothing
    // once this component is gone.
    std::shared_ptr<TspSkinHint*> FSelf;
};

// Registers TspSkinHint below TComponent with its published properties.
void RegisterSkinHintClasses(TClassRegistry& classes);
