#include "classlib/core/ShortCuts.h"

#include <cctype>

namespace {

struct TKeyName {
    uint16_t Key;
    const char* Name;
};

// Named keys other than letters, digits and F1..F12 (virtual-key codes).
constexpr TKeyName KeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"}, {0x21, "PgUp"},
    {0x22, "PgDn"}, {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},  {0x26, "Up"},    {0x27, "Right"},
    {0x28, "Down"}, {0x2D, "Ins"},   {0x2E, "Del"},
};
constexpr uint16_t VkF1 = 0x70;
constexpr uint16_t VkF12 = 0x7B;
constexpr TShortCut ModifierMask = scShift | scCtrl | scAlt;

std::string KeyToText(uint16_t key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= VkF1 && key <= VkF12)
        return "F" + std::to_string(key - VkF1 + 1);
    for (const TKeyName& name : KeyNames)
        if (name.Key == key)
            return name.Name;
    return {};
}

bool SameText(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// When `text` at `pos` starts with `prefix` (any case), moves past it.
bool TakePrefix(const std::string& text, size_t& pos, const std::string& prefix)
{
    if (text.size() - pos < prefix.size() || !SameText(text.substr(pos, prefix.size()), prefix))
        return false;
    pos += prefix.size();
    return true;
}

}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift)
{
    if (key > 0xFF)
        return 0;
    TShortCut result = key;
    if (shift & ssShift)
        result |= scShift;
    if (shift & ssCtrl)
        result |= scCtrl;
    if (shift & ssAlt)
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift)
{
    key = shortCut & static_cast<TShortCut>(~ModifierMask);
    shift = 0;
    if (shortCut & scShift)
        shift |= ssShift;
    if (shortCut & scCtrl)
        shift |= ssCtrl;
    if (shortCut & scAlt)
        shift |= ssAlt;
}

std::string ShortCutToText(TShortCut shortCut)
{
    const std::string name = KeyToText(shortCut & 0xFF);
    if (name.empty())
        return {};
    std::string result;
    if (shortCut & scShift)
        result += "Shift+";
    if (shortCut & scCtrl)
        result += "Ctrl+";
    if (shortCut & scAlt)
        result += "Alt+";
    return result + name;
}

TShortCut TextToShortCut(const std::string& text)
{
    TShortCut modifiers = 0;
    size_t pos = 0;
    for (;;) {
        if (TakePrefix(text, pos, "Shift+"))
            modifiers |= scShift;
        else if (TakePrefix(text, pos, "Ctrl+"))
            modifiers |= scCtrl;
        else if (TakePrefix(text, pos, "Alt+"))
            modifiers |= scAlt;
        else
            break;
    }
    const std::string name = text.substr(pos);
    if (name.empty())
        return 0;
    for (uint16_t key = 1; key <= 0xFF; ++key) {
        const std::string keyName = KeyToText(key);
        if (!keyName.empty() && SameText(keyName, name))
            return static_cast<TShortCut>(key | modifiers);
    }
    return 0;
}

bool IsAccel(uint16_t key, const std::string& caption)
{
    size_t pos = 0;
    for (;;) {
        pos = caption.find('&', pos);
        if (pos == std::string::npos || pos + 1 >= caption.size())
            return false;
        if (caption[pos + 1] != '&')
            break;
        pos += 2;
    }
    if (key > 0xFF)
        return false;
    const unsigned char accel = static_cast<unsigned char>(caption[pos + 1]);
    return std::toupper(accel) == std::toupper(static_cast<unsigned char>(key));
}
