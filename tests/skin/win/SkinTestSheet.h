// Test skins built in test code: pictures of solid-colour rectangles and a
// skin data component loaded from a description text and those pictures;
// a fixture whose form holds the controls under test.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Streams.h"
#include "classlib/core/StringList.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/Forms.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"

namespace skintest {

inline void Fill(TDibImage& image, int l, int t, int r, int b, COLORREF c)
{
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x) {
            uint8_t* p = image.ScanLine(y) + x * 3;
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
}

inline TDibImage Blank(int width, int height)
{
    TDibImage image;
    image.Width = width;
    image.Height = height;
    image.Allocate();
    return image;
}

inline bool Near(COLORREF a, COLORREF b, int tolerance = 2)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

inline POINT Centre(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Where (x, y) lies against the window's region: -1 the window has none,
// 0 outside it, 1 inside.
inline int InWindowRegion(HWND window, int x, int y)
{
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int answer = GetWindowRgn(window, region) == ERROR ? -1 : PtInRegion(region, x, y) ? 1 : 0;
    DeleteObject(region);
    return answer;
}

// A key press offered to the application's message hook (where the skinned
// menus' key hook sits); whether it was handled.
inline bool OfferKey(WORD code)
{
    MSG m{nullptr, WM_KEYDOWN, code, 0, 0, {}};
    bool handled = false;
    Application->OnMessage(m, handled);
    return handled;
}

// The control painted on a bitmap of its size (WM_PAINT with the bitmap's
// device context); the colour at (x, y).
inline COLORREF Painted(TControl* control, int x, int y)
{
    TBitmap bitmap;
    bitmap.SetSize(control->Width(), control->Height());
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
    return static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y));
}

// A skin data component loaded from `text` and `pictures`.
struct TTestSkin {
    std::unique_ptr<TspStoredSkin> Stored = std::make_unique<TspStoredSkin>(nullptr);
    std::unique_ptr<TspSkinData> Data = std::make_unique<TspSkinData>(nullptr);

    TTestSkin(const std::string& text, std::vector<TDibImage> pictures)
    {
        TStringList lines;
        lines.SetText(text);
        Stored->SetIniStrings(lines);
        TspSkinPictures stored;
        stored.ActivePictures = std::move(pictures);
        TMemoryStream stream;
        WriteSkinPictures(stream, stored);
        stream.SetPosition(0);
        Stored->ReadPictures(stream);
        Data->SetStoredSkin(Stored.get());
    }
};

// The description of a skin of controls only: `controls` names the records
// ("name:kind"), `records` holds their sections.
inline std::string ControlsSkin(const std::vector<std::string>& controls, const std::string& records)
{
    std::string text = "[VERSION]\nskinname=test\n[PICTURES]\nactivepicturescount=1\n[FORMINFO]\n"
                       "bgpictureindex=-1\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=" +
                       std::to_string(controls.size()) + "\n";
    for (size_t i = 0; i < controls.size(); ++i)
        text += std::to_string(i) + "=" + controls[i] + "\n";
    return text + records;
}

// A skin with one header record, its look the sheet's 40 x 40 cell at (0, 20)
// with 4-pixel borders and no hot or pressed look of its own.
inline std::string HeaderSkin()
{
    return ControlsSkin({"header:header"}, R"([header]
pictureindex=0
skinrect=0,20,40,60
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
clientrect=4,4,36,36
)");
}

// A form of 400 x 300 for the controls under test, freed after each test;
// shown for tests that need the window on screen or the focus.
class TFormTest : public ::testing::Test {
protected:
    explicit TFormTest(bool shown = false) : Shown(shown) {}
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 400, 300);
        if (Shown)
            Form->Show();
        else
            Form->HandleNeeded();
    }
    void TearDown() override { delete Form; }

    // A control on the form with its record name and skin (when given),
    // its window made (when it has one).
    template <class T>
    T* Make(int left, int top, int width, int height, TspSkinData* skin = nullptr, const char* record = nullptr)
    {
        auto* control = new T(Form);
        control->SetParent(Form);
        control->SetBounds(left, top, width, height);
        if constexpr (requires { control->SetSkinData(skin); }) {
            if (record != nullptr)
                control->SkinDataName = record;
            if (skin != nullptr)
                control->SetSkinData(skin);
        }
        if constexpr (requires { control->HandleNeeded(); })
            control->HandleNeeded();
        return control;
    }

    // Handles messages until `done` says so or `limit` (ms) passes; false
    // on timeout.
    template <class Done>
    static bool PumpUntil(Done done, DWORD limit = 5000)
    {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > limit)
                return false;
            Application->ProcessMessages();
            Sleep(1);
        }
        return true;
    }

    // A mouse message at (x, y), the left button held but on its release.
    static void Mouse(TWinControl* control, UINT msg, int x, int y)
    {
        SendMessageA(control->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }

    TForm* Form = nullptr;
    const bool Shown;
};

}  // namespace skintest
