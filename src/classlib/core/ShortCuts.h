// Keyboard shortcuts of menu items and the accelerator characters of
// captions, free of the platform so that key handling can be checked alone.
//
// A TShortCut packs a virtual-key code (low byte) with the modifiers held:
// scShift, scCtrl and scAlt. Its text is the modifiers in the order
// "Shift+", "Ctrl+", "Alt+", then the key's name: letters and digits as
// themselves, "F1".."F12", "BkSp", "Tab", "Enter", "Esc", "Space", "PgUp",
// "PgDn", "End", "Home", "Left", "Up", "Right", "Down", "Ins", "Del".
#pragma once

#include <cstdint>
#include <string>

#include "classlib/core/Types.h"

using TShortCut = uint16_t;
enum : TShortCut {
    scShift = 0x2000,
    scCtrl = 0x4000,
    scAlt = 0x8000,
};

// `key` with the modifiers of `shift` (ssShift, ssCtrl, ssAlt; other bits
// are ignored). A key that does not fit the low byte gives 0.
TShortCut ShortCut(uint16_t key, TShiftState shift);
// Splits a shortcut into its key and modifiers.
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// The shortcut's text; "" when its key has no name (0 included).
std::string ShortCutToText(TShortCut shortCut);
// Reads the modifiers (in any order, any case) and a key name (any case);
// text that is not a shortcut gives 0.
TShortCut TextToShortCut(const std::string& text);
// True when `key` (a character or a virtual-key code of a letter or digit)
// is the accelerator of `caption`: the character after the first single
// "&" ("&&" stands for an ampersand), compared without case. A caption
// ending in a single "&" has no accelerator.
bool IsAccel(uint16_t key, const std::string& caption);
