// What the skinned menu bar needs from the skinned form besides its menu
// engine (TspSkinMenuHost): main-menu mode, in which the form's key hook
// walks the bar. The skinned form implements it; without it the bar only
// sets the form's InMainMenu flag and raises its events.
#pragma once

class TObject;

class TspMainMenuModeHost {
public:
    // Enters main-menu mode for `sender` (the bar): InMainMenu, the key
    // hook, OnMainMenuEnter with `sender`.
    virtual void MainMenuEnterFrom(TObject* sender) = 0;
    // Leaves main-menu mode (the bar leaves its keyboard mode).
    virtual void MainMenuExit() = 0;

protected:
    ~TspMainMenuModeHost() = default;
};
