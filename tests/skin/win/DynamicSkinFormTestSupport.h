// Test support of the skinned form's tests: a test skin whose form picture
// names every pixel's origin, stored skins made from it, and forms carrying
// the component.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/graphics/Colors.h"
#include "classlib/core/Streams.h"
#include "classlib/graphics/Graphics.h"
#include "classlib/graphics/WinTypes.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/SkinData.h"
#include "skin/SkinHint.h"
#include "skin/StoredSkin.h"
#include "skin/controls/SkinControl.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinFrameMainMenuItem.h"
#include "skin/forms/SkinMenu.h"
#include "../../support/ScreenPixels.h"
#include "SkinTestSheet.h"

using testsupport::ColoursNear;

namespace skinformtest {

// The test skin's form picture: 100 x 60, every pixel telling where it
// came from (red 2x, green 4y, blue 100), so a painted frame pixel names
// the picture pixel it was copied from.
inline COLORREF PictureColour(int x, int y)
{
    return RGB(2 * x, 4 * y, 100);
}

inline TDibImage Image(int w, int h, const std::function<COLORREF(int, int)>& colour)
{
    TDibImage image = skintest::Blank(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            skintest::Fill(image, x, y, x + 1, y + 1, colour(x, y));
    return image;
}

constexpr COLORREF ActiveGreen = RGB(0, 200, 0);
constexpr COLORREF Sentinel = RGB(255, 0, 255);

// The frame: corners at 20/60 across and 25/55 down, client
// (5, 25, 95, 55), the solid shape (5, 5, 95, 55) with 3 x 3 corners cut
// by the mask; a caption across the top, maximize and close buttons in
// the right-top corner (active look: active picture 0, green), two grouped
// buttons, and a button whose active picture does not exist.
inline std::string SkinText(const std::string& formInfoExtra, bool clientRect = true)
{
    return "[VERSION]\nskinname=form test\n[PICTURES]\npicture=p\n[FORMINFO]\n"
           "lefttoppoint=20,25\nrighttoppoint=60,25\nleftbottompoint=20,55\nrightbottompoint=60,55\n" +
           std::string(clientRect ? "clientrect=5,25,95,55\n" : "") +
           "maskrectarea=5,5,95,55\nhittestlefttoppoint=6,6\nhittestrighttoppoint=94,6\n"
           "hittestleftbottompoint=6,54\nhittestrightbottompoint=94,54\nborderwidth=3\n" +
           formInfoExtra +
           "[SKINOBJECTS]\ncount=6\n0=caption:caption\n1=maxbutton:stdbutton\n2=closebutton:stdbutton\n"
           "3=g1:button\n4=g2:button\n5=nopicture:button\n"
           "[caption]\nskinrect=10,5,65,20\ntextrect=0,0,55,15\ndefaultcaption=1\nfontcolor=16777215\n"
           "[maxbutton]\ncommand=cmmaximize\nskinrect=68,5,80,17\nactivepictureindex=0\nactiveskinrect=0,0,12,12\n"
           "[closebutton]\ncommand=cmclose\nskinrect=82,5,94,17\nactivepictureindex=0\nactiveskinrect=0,0,12,12\n"
           "morphing=1\n"
           "[g1]\nskinrect=22,56,30,59\ngroupindex=1\nactivepictureindex=0\ndownrect=0,0,8,3\n"
           "[g2]\nskinrect=32,56,40,59\ngroupindex=1\nactivepictureindex=0\ndownrect=0,0,8,3\n"
           "[nopicture]\nskinrect=42,56,50,59\nmorphing=1\nactivepictureindex=5\nactiveskinrect=0,0,8,3\n"
           "[SKINCONTROLS]\ncount=0\n";
}

struct TSkinOptions {
    bool Mask = true;
    bool ClientRect = true;
    std::string FormInfoExtra;
    std::string Text;  // the whole description instead of the frame's
    bool RollUp = false;
};

// Active picture 2: 60 x 20, blue telling the column.
inline COLORREF StripColour(int x, int)
{
    return RGB(0, 200, 4 * x);
}

inline void FillStored(TspStoredSkin& stored, const TSkinOptions& options)
{
    TStringList lines;
    lines.SetText(options.Text.empty() ? SkinText(options.FormInfoExtra, options.ClientRect) : options.Text);
    stored.SetIniStrings(lines);
    TspSkinPictures pictures;
    pictures.Picture = Image(100, 60, PictureColour);
    if (options.Mask)
        pictures.Mask = Image(100, 60, [](int x, int y) {
            const bool cutX = x < 3 || x >= 97, cutY = y < 3 || y >= 57;
            return cutX && cutY ? RGB(255, 255, 255) : RGB(0, 0, 0);
        });
    pictures.ActivePictures.push_back(Image(12, 12, [](int, int) { return ActiveGreen; }));
    // A 7 x 5 background tile.
    pictures.ActivePictures.push_back(Image(7, 5, [](int x, int y) { return RGB(30 * x, 40 * y, 7); }));
    pictures.ActivePictures.push_back(Image(60, 20, StripColour));
    if (options.RollUp) {
        pictures.RollupPicture = Image(100, 20, [](int, int) { return RGB(9, 9, 9); });
        pictures.RollupMask = Image(100, 20, [](int, int) { return RGB(0, 0, 0); });
    }
    TMemoryStream blob;
    WriteSkinPictures(blob, pictures);
    blob.SetPosition(0);
    stored.ReadPictures(blob);
}

// A form with the component and its skin data; the form owns both.
struct TSkinnedForm {
    // `prepare` runs on the form before the component hooks it.
    explicit TSkinnedForm(const TSkinOptions& options = {}, bool withSkin = true,
                          const std::function<void(TForm&)>& prepare = nullptr)
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(100, 100, 200, 100);
        Form->HandleNeeded();
        if (prepare)
            prepare(*Form);
        Skin = new TspDynamicSkinForm(Form.get());
        Data = new TspSkinData(Form.get());
        if (withSkin)
            Apply(options);
    }
    // Loads another skin; the objects go first, as on the skin-change
    // announcement.
    void Apply(const TSkinOptions& options)
    {
        Skin->ClearObjects();
        FillStored(Stored, options);
        if (Data->StoredSkin() == &Stored)
            Data->LoadFromStoredSkin(&Stored);
        else
            Data->SetStoredSkin(&Stored);
        Skin->SetSkinData(Data);
    }
    TspActiveSkinObject* Object(const std::string& name) const
    {
        for (const auto& object : Skin->ObjectList)
            if (object->IDName == name)
                return object.get();
        return nullptr;
    }

    TspStoredSkin Stored{nullptr};
    std::unique_ptr<TForm> Form;
    TspDynamicSkinForm* Skin = nullptr;
    TspSkinData* Data = nullptr;
};

// A memory bitmap of the form's size filled with the sentinel colour,
// painted by `paint`.
struct TTarget {
    TTarget(int w, int h)
    {
        Bitmap.SetSize(w, h);
        Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(Sentinel));
        Bitmap.Canvas()->FillRect(RECT{0, 0, w, h});
    }
    HDC DC() { return Bitmap.Canvas()->Handle(); }
    COLORREF Pixel(int x, int y) { return static_cast<COLORREF>(Bitmap.Canvas()->Pixels(x, y)); }

    TBitmap Bitmap;
};

// A menu item added under `parent`, owned by `owner` and named `name` when
// they are given.
inline TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, TMenu* owner = nullptr,
                          const char* name = nullptr)
{
    auto* item = new TMenuItem(owner);
    if (name != nullptr)
        item->SetName(name);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

inline COLORREF Sys(TColor colour)
{
    return static_cast<COLORREF>(ColorToRGB(colour));
}

}  // namespace skinformtest
