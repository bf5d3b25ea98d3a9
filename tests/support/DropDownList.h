// A combo box's drop-down list as a user meets it on the screen: its button,
// whether it is open, and where its items stand. Works for a box of this
// process or of another (the program under test).
#pragma once

#include <windows.h>

namespace testsupport {

inline bool Dropped(HWND comboBox) { return SendMessageA(comboBox, CB_GETDROPPEDSTATE, 0, 0) != 0; }

// Where a user clicks to open the list: its button, at the box's right end
// (screen coordinates).
inline POINT DropButtonOf(HWND comboBox)
{
    RECT r{};
    GetWindowRect(comboBox, &r);
    return POINT{r.right - 8, (r.top + r.bottom) / 2};
}

// The centre of the item `index` of the open list, on the screen. The list
// is a top-level window of the box's thread; (0, 0) while none is shown.
inline POINT DroppedItemOf(HWND comboBox, int index)
{
    HWND list = nullptr;
    EnumThreadWindows(
        GetWindowThreadProcessId(comboBox, nullptr),
        [](HWND wnd, LPARAM found) {
            char name[32] = {};
            GetClassNameA(wnd, name, sizeof name);
            if (IsWindowVisible(wnd) && _stricmp(name, "ComboLBox") == 0)
                *reinterpret_cast<HWND*>(found) = wnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&list));
    if (list == nullptr)
        return POINT{};
    RECT r{};
    GetWindowRect(list, &r);
    const auto itemHeight = static_cast<int>(SendMessageA(comboBox, CB_GETITEMHEIGHT, 0, 0));
    return POINT{(r.left + r.right) / 2, r.top + 1 + index * itemHeight + itemHeight / 2};
}

}  // namespace testsupport
