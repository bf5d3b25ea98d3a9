#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

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

using testsupport::ColoursNear;

namespace {

// The test skin's form picture: 100 x 60, every pixel telling where it
// came from (red 2x, green 4y, blue 100), so a painted frame pixel names
// the picture pixel it was copied from.
COLORREF PictureColour(int x, int y)
{
    return RGB(2 * x, 4 * y, 100);
}

TDibImage Image(int w, int h, const std::function<COLORREF(int, int)>& colour)
{
    TDibImage image;
    image.Width = w;
    image.Height = h;
    image.Allocate();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = colour(x, y);
            uint8_t* p = image.ScanLine(y) + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return image;
}

constexpr COLORREF ActiveGreen = RGB(0, 200, 0);
constexpr COLORREF Sentinel = RGB(255, 0, 255);

// The frame: corners at 20/60 across and 25/55 down, client
// (5, 25, 95, 55), the solid shape (5, 5, 95, 55) with 3 x 3 corners cut
// by the mask; a caption across the top, maximize and close buttons in
// the right-top corner (active look: active picture 0, green), two grouped
// buttons, and a button whose active picture does not exist.
std::string SkinText(const std::string& formInfoExtra, bool clientRect = true)
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

TSkinOptions Frame(bool mask, bool clientRect, const std::string& formInfoExtra = "")
{
    TSkinOptions options;
    options.Mask = mask;
    options.ClientRect = clientRect;
    options.FormInfoExtra = formInfoExtra;
    return options;
}

// Active picture 2: 60 x 20, blue telling the column.
COLORREF StripColour(int x, int)
{
    return RGB(0, 200, 4 * x);
}

void FillStored(TspStoredSkin& stored, const TSkinOptions& options)
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
    explicit TSkinnedForm(const TSkinOptions& options = {}, bool withSkin = true)
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(100, 100, 200, 100);
        Form->HandleNeeded();
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

COLORREF Sys(TColor colour)
{
    return static_cast<COLORREF>(ColorToRGB(colour));
}

}  // namespace

// Corners copied one to one, edges tiled between the corner points, the
// client area left alone, a hot button's active look where its corner
// moved it, nothing below the minimum size, the inactive effect.
TEST(DynamicSkinForm, SkinFrameIsPaintedFromTheSkinAtAnySize)
{
    TSkinnedForm f(Frame(true, true, "autorenderinginactiveimage=1\ninactiveeffect=iebrightness\n"));
    TspDynamicSkinForm& c = *f.Skin;
    c.FormActive = true;
    c.NewWidth = 200;
    c.NewHeight = 100;
    TTarget t(200, 100);
    c.PaintNCSkin(t.DC());
    EXPECT_EQ(t.Pixel(2, 2), PictureColour(2, 2));
    EXPECT_EQ(t.Pixel(197, 2), PictureColour(97, 2));
    EXPECT_EQ(t.Pixel(2, 97), PictureColour(2, 57));
    EXPECT_EQ(t.Pixel(197, 97), PictureColour(97, 57));
    EXPECT_EQ(t.Pixel(70, 22), PictureColour(50, 22));  // top band: 20..60 tiled from 0
    EXPECT_EQ(t.Pixel(2, 60), PictureColour(2, 30));    // left band tiled from 25..55
    EXPECT_EQ(t.Pixel(100, 50), Sentinel);              // the client area
    EXPECT_EQ(t.Pixel(188, 10), PictureColour(88, 10)); // the close button, normal

    c.ObjectList[2]->MouseIn = c.ObjectList[2]->Active = true;
    c.ObjectList[2]->SetMorphKf(1);
    c.PaintNCSkin(t.DC());
    EXPECT_EQ(t.Pixel(188, 10), ActiveGreen);
    EXPECT_EQ(t.Pixel(174, 10), PictureColour(74, 10));  // the maximize button stays normal

    c.FormActive = false;
    c.ObjectList[2]->Active = false;
    c.ObjectList[2]->SetMorphKf(0);
    c.PaintNCSkin(t.DC());
    EXPECT_TRUE(ColoursNear(t.Pixel(2, 2), RGB(130, 132, 178), 1)) << std::hex << t.Pixel(2, 2);

    TTarget small(60, 100);
    c.NewWidth = 60;
    c.PaintNCSkin(small.DC());
    EXPECT_EQ(small.Pixel(2, 2), Sentinel);
}

// The client area keeps the skin's margins; a skin without a client
// rectangle gets the default frame, painted and hit-tested as such, to
// match the default margins it reports.
TEST(DynamicSkinForm, ClientAreaAndTheDefaultFrameOfASkinWithoutClientRect)
{
    TSkinnedForm f;
    RECT r{100, 200, 400, 500};
    f.Skin->NCCalcSize(r);
    EXPECT_EQ(ToTRect(r), (TRect{105, 225, 395, 495}));

    TSkinnedForm g(Frame(false, false));
    ASSERT_TRUE(g.Skin->HasSkin());
    r = RECT{100, 200, 400, 500};
    g.Skin->NCCalcSize(r);
    EXPECT_EQ(ToTRect(r), (TRect{103, 222, 397, 497}));
    ASSERT_FALSE(g.Skin->ObjectList.empty());
    EXPECT_EQ(g.Skin->ObjectList[0]->IDName, "closebutton");
    TTarget t(200, 100);
    g.Skin->PaintNCSkin(t.DC());
    EXPECT_EQ(t.Pixel(0, 50), Sys(cl3DLight));
    EXPECT_EQ(g.Skin->SkinHitTest({1, 50}), SkinHit::Left);
    EXPECT_EQ(g.Skin->SkinHitTest({100, 10}), SkinHit::Caption);

    TSkinnedForm none({}, false);
    none.Form->SetBorderStyle(bsToolWindow);
    r = RECT{0, 0, 10, 10};
    none.Skin->NCCalcSize(r);
    EXPECT_EQ(ToTRect(r), (TRect{3, 18, 7, 18}));
}

// Stripes between the margins, the three bevels, the default buttons of
// each border style.
TEST(DynamicSkinForm, DefaultFrame)
{
    TSkinnedForm f({}, false);
    f.Form->SetCaption("Hi");
    f.Skin->FormActive = true;
    TTarget t(200, 100);
    f.Skin->PaintNCDefault(t.DC());
    EXPECT_EQ(t.Pixel(0, 50), Sys(cl3DLight));
    EXPECT_EQ(t.Pixel(199, 50), Sys(cl3DDkShadow));
    EXPECT_EQ(t.Pixel(1, 50), Sys(clBtnHighlight));
    EXPECT_EQ(t.Pixel(198, 50), Sys(clBtnShadow));
    EXPECT_EQ(t.Pixel(2, 50), Sys(clBtnFace));
    EXPECT_EQ(t.Pixel(100, 50), Sentinel);
    // Caption rows from (3, 3): left margin 20 with the system menu.
    EXPECT_EQ(t.Pixel(3 + 25, 3), Sys(clBtnHighlight));
    EXPECT_EQ(t.Pixel(3 + 25, 4), Sys(clBtnShadow));
    EXPECT_EQ(t.Pixel(3 + 25, 3 + 18), Sys(clBtnFace));
    EXPECT_EQ(f.Skin->ObjectList.size(), 5u);
    EXPECT_EQ(f.Skin->ObjectList[0]->ObjectRect, (TRect{180, 4, 197, 21}));
    EXPECT_EQ(f.Skin->ObjectList[4]->ObjectRect, (TRect{4, 4, 21, 21}));
    EXPECT_EQ(t.Pixel(181, 5), Sys(clBtnFace));

    f.Form->SetBorderStyle(bsDialog);
    f.Skin->LoadDefaultButtons();
    ASSERT_EQ(f.Skin->ObjectList.size(), 1u);
    EXPECT_EQ(f.Skin->ObjectList[0]->IDName, "closebutton");
}

// A default button: face, hot frame and fills, the glyph one pixel on
// when pressed, grey when its icon is missing.
TEST(DynamicSkinForm, DefaultButtonLooks)
{
    TSkinnedForm f({}, false);
    f.Skin->LoadDefaultButtons();
    auto* close = dynamic_cast<TspSkinStdButtonObject*>(f.Skin->ObjectList[0].get());
    ASSERT_NE(close, nullptr);
    close->ObjectRect = {0, 0, 17, 17};
    const TPoint glyph = FrameGlyphShapes(fgClose)[0].A;
    const int gx = 17 / 2 - 5 + glyph.X, gy = 17 / 2 - 4 + glyph.Y;
    TTarget normal(17, 17);
    close->Draw(normal.Bitmap.Canvas(), true);
    EXPECT_EQ(normal.Pixel(0, 0), Sys(clBtnFace));
    EXPECT_EQ(normal.Pixel(gx, gy), Sys(clBtnText));

    TTarget hot(17, 17);
    close->MouseIn = true;
    close->Draw(hot.Bitmap.Canvas(), true);
    EXPECT_EQ(hot.Pixel(0, 0), static_cast<COLORREF>(0x800000));
    EXPECT_EQ(hot.Pixel(1, 1), static_cast<COLORREF>(13811126));

    TTarget down(17, 17);
    close->Down = true;
    close->Draw(down.Bitmap.Canvas(), true);
    EXPECT_EQ(down.Pixel(1, 1), static_cast<COLORREF>(11899781));
    EXPECT_EQ(down.Pixel(gx + 1, gy + 1), Sys(clBtnText));

    f.Skin->SetBorderIcons(biSystemMenu | biMinimize | biRollUp);
    auto* maximize = dynamic_cast<TspSkinStdButtonObject*>(f.Skin->ObjectList[1].get());
    ASSERT_EQ(maximize->Command, cmMaximize);
    EXPECT_FALSE(maximize->Enabled);
    maximize->ObjectRect = {0, 0, 17, 17};
    TTarget disabled(17, 17);
    maximize->Draw(disabled.Bitmap.Canvas(), true);
    const TPoint m = FrameGlyphShapes(fgMaximize)[0].A;
    EXPECT_EQ(disabled.Pixel(17 / 2 - 5 + m.X, 17 / 2 - 4 + m.Y), Sys(clBtnShadow));
}

// The skin's own buttons follow the border icons both ways.
TEST(DynamicSkinForm, BorderIconsDisableAndEnableTheSkinsButtons)
{
    TSkinnedForm f;
    TspActiveSkinObject* maximize = f.Object("maxbutton");
    ASSERT_NE(maximize, nullptr);
    f.Skin->SetBorderIcons(biSystemMenu | biMinimize | biRollUp);
    EXPECT_FALSE(maximize->Enabled);
    EXPECT_TRUE(f.Object("closebutton")->Enabled);
    f.Skin->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
    EXPECT_EQ(f.Object("maxbutton"), maximize);
    EXPECT_TRUE(maximize->Enabled);
}

// The window is shaped by the mask (corners cut), follows the size, and
// loses its shape with a skin without mask; switching many times keeps the
// region valid and never touches a region the component does not own.
TEST(DynamicSkinForm, WindowShapeFollowsTheMask)
{
    TSkinnedForm f;
    const HWND window = f.Form->Handle();
    auto inside = [&](int x, int y) {
        const HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool shaped = GetWindowRgn(window, region) != ERROR;
        const bool in = shaped && PtInRegion(region, x, y);
        DeleteObject(region);
        return std::make_pair(shaped, in);
    };
    EXPECT_EQ(inside(0, 0), std::make_pair(true, false));
    EXPECT_EQ(inside(10, 0).second, true);
    EXPECT_EQ(inside(199, 99).second, false);
    EXPECT_EQ(inside(196, 96).second, true);
    EXPECT_EQ(inside(100, 50).second, true);
    // The hit test reads the same mask: the cut corner is a border.
    EXPECT_EQ(f.Skin->SkinHitTest({4, 1}), SkinHit::TopLeft);

    for (int i = 0; i < 20; ++i) {
        const HRGN probe = CreateRectRgn(0, 0, 5, 5);
        f.Apply(Frame(i % 3 != 0, true));
        f.Form->SetBounds(100, 100, 150 + i * 5, 80 + i);
        f.Skin->NewWidth = f.Form->Width();
        f.Skin->NewHeight = f.Form->Height();
        f.Skin->UpdateSkinRegion(true);
        EXPECT_EQ(GetObjectType(probe), static_cast<DWORD>(OBJ_REGION)) << i;
        DeleteObject(probe);
        const auto shape = inside(f.Form->Width() - 1, 0);
        EXPECT_EQ(shape.first, i % 3 != 0) << i;
        EXPECT_FALSE(shape.second);
        EXPECT_EQ(inside(20, 20).second, i % 3 != 0);
    }
    f.Apply(Frame(false, true));
    EXPECT_FALSE(inside(0, 0).first);
}

// Tiles from (0, 0) with the last column cut; the form picture's client
// part when the skin names no background; an empty picture paints nothing.
TEST(DynamicSkinForm, ClientBackgrounds)
{
    TSkinnedForm f(Frame(true, true, "bgpictureindex=1\n"));
    const int w = f.Form->ClientWidth(), h = f.Form->ClientHeight();
    ASSERT_GT(w, 20);
    TTarget tiled(w, h);
    f.Skin->PaintTiledClientBG(tiled.DC());
    EXPECT_EQ(tiled.Pixel(0, 0), RGB(0, 0, 7));
    EXPECT_EQ(tiled.Pixel(9, 6), RGB(60, 40, 7));
    EXPECT_EQ(tiled.Pixel(w - 1, h - 1), RGB(30 * ((w - 1) % 7), 40 * ((h - 1) % 5), 7));

    // A stored skin cannot hold an empty picture; one emptied after loading.
    f.Data->ActivePictures[1]->SetSize(0, 0);
    TTarget none(w, h);
    f.Skin->PaintTiledClientBG(none.DC());
    EXPECT_EQ(none.Pixel(0, 0), Sentinel);

    TSkinnedForm plain;
    TTarget stretched(w, h);
    plain.Skin->PaintStretchedClientBG(stretched.DC());
    EXPECT_EQ(stretched.Pixel(0, 0), PictureColour(5, 25));
    EXPECT_EQ(stretched.Pixel(95, 31), PictureColour(10, 26));
}

// Maximize covers the work area and restore gives the bounds back;
// minimized forms park in slots along the bottom; the main form minimizes
// the application instead; a restore without recorded bounds keeps them.
TEST(DynamicSkinForm, WindowStatesOnRealForms)
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    Application->SetMainForm(nullptr);
    TSkinnedForm f;
    f.Form->SetBounds(120, 130, 220, 110);
    f.Skin->SetWindowState(2);
    EXPECT_EQ(ToTRect(f.Form->BoundsRect()), ToTRect(area));
    f.Skin->SetWindowState(0);
    EXPECT_EQ(ToTRect(f.Form->BoundsRect()), (TRect{120, 130, 340, 240}));

    TSkinnedForm g;
    // Without a system frame, which the hooked form does not have either,
    // nothing holds the window to the system's minimum tracking size.
    f.Form->SetBorderStyle(bsNone);
    g.Form->SetBorderStyle(bsNone);
    f.Form->Show();
    g.Form->Show();
    f.Skin->SetWindowState(1);
    g.Skin->SetWindowState(1);
    // The frame only: the picture's width, its frame height (60 - 30).
    EXPECT_EQ(ToTRect(f.Form->BoundsRect()), (TRect{area.left, area.bottom - 30, area.left + 100, area.bottom}));
    EXPECT_EQ(g.Form->Left(), area.left + 100);
    EXPECT_EQ(g.Form->Top(), area.bottom - 30);
    g.Skin->SetWindowState(0);
    EXPECT_EQ(g.Form->Width(), 200);

    int minimized = 0;
    Application->OnMinimize = [&](TObject*) { ++minimized; };
    Application->SetMainForm(g.Form.get());
    g.Skin->SetWindowState(1);
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(g.Skin->WindowState, 0);
    Application->Restore();
    Application->SetMainForm(nullptr);

    TSkinnedForm client({}, false);
    client.Skin->SetSupportNCArea(false);
    client.Form->SetBounds(50, 60, 170, 90);
    client.Skin->SetWindowState(1);
    EXPECT_EQ(minimized, 2);
    Application->Restore();
    client.Skin->SetWindowState(0);
    EXPECT_EQ(ToTRect(client.Form->BoundsRect()), (TRect{50, 60, 220, 150}));
    Application->OnMinimize = nullptr;
}

// A form that cannot be sized rolls up to its frame on a caption double
// click and back on the next.
TEST(DynamicSkinForm, CaptionDoubleClickRollsAFixedFormUp)
{
    TSkinnedForm f;
    f.Skin->Sizeable = false;
    f.Form->SetHeight(140);
    f.Skin->NCCaptionDblClick();
    EXPECT_TRUE(f.Skin->RollUpState);
    EXPECT_EQ(f.Form->Height(), 30);
    f.Skin->NCCaptionDblClick();
    EXPECT_FALSE(f.Skin->RollUpState);
    EXPECT_EQ(f.Form->Height(), 140);
}

// The close button closes only when released over it; pressing a grouped
// button releases the other; an object whose active picture is missing
// neither morphs nor has an active look.
TEST(DynamicSkinForm, ObjectsReactToTheMouse)
{
    TSkinnedForm f;
    int closes = 0;
    f.Form->OnClose = [&](TObject*, TCloseAction& action) {
        ++closes;
        action = caNone;
    };
    TspActiveSkinObject* close = f.Object("closebutton");
    close->MouseEnter();
    EXPECT_TRUE(f.Skin->MorphTimer()->Enabled());
    close->MouseDown(0, 0, mbLeft);
    close->MouseLeave();
    close->MouseUp(0, 0, mbLeft);
    EXPECT_EQ(closes, 0);
    close->MouseEnter();
    close->MouseDown(0, 0, mbLeft);
    close->MouseUp(0, 0, mbLeft);
    EXPECT_EQ(closes, 1);

    auto* g1 = dynamic_cast<TspSkinButtonObject*>(f.Object("g1"));
    auto* g2 = dynamic_cast<TspSkinButtonObject*>(f.Object("g2"));
    g1->MouseDown(0, 0, mbLeft);
    EXPECT_TRUE(g1->Down);
    g2->MouseDown(0, 0, mbLeft);
    EXPECT_TRUE(g2->Down);
    EXPECT_FALSE(g1->Down);

    f.Skin->MorphTimer()->SetEnabled(false);
    TspActiveSkinObject* bare = f.Object("nopicture");
    EXPECT_FALSE(bare->Morphing);
    EXPECT_TRUE(IsNullRect(bare->ActiveSkinRect));
    bare->MouseEnter();
    EXPECT_FALSE(f.Skin->MorphTimer()->Enabled());
    TTarget t(200, 100);
    bare->Draw(t.Bitmap.Canvas(), false);
    EXPECT_EQ(t.Pixel(45, 57), Sentinel);
}

namespace {

// One object of every kind, drawn at the skin's own size.
const char* const KindsSkin =
    "[VERSION]\nskinname=kinds\n[PICTURES]\npicture=p\n[FORMINFO]\nclientrect=5,30,95,55\n"
    "[SKINOBJECTS]\ncount=12\n0=gauge:gauge\n1=switch:switch\n2=track:trackbar\n3=anim:animate\n"
    "4=bits:bitlabel\n5=fg:framegauge\n6=fr:frameregulator\n7=user:userobject\n8=btn:button\n9=label:label\n"
    "10=menuitem:mainmenuitem\n11=cap:caption\n"
    "[gauge]\nskinrect=0,0,20,4\nactivepictureindex=2\nactiveskinrect=0,0,20,4\nminvalue=0\nmaxvalue=10\n"
    "[switch]\nskinrect=0,5,8,9\nactivepictureindex=2\nactiveskinrect=8,0,16,4\n"
    "[track]\nskinrect=0,10,40,16\nactivepictureindex=2\nactiveskinrect=0,6,40,12\nbeginpoint=3,3\n"
    "endpoint=35,3\nminvalue=0\nmaxvalue=32\nbuttonrect=40,0,46,6\nmousedownchangevalue=1\n"
    "[anim]\nskinrect=50,0,54,4\nactivepictureindex=2\nactiveskinrect=0,0,12,4\ncountframes=3\nbuttonstyle=1\n"
    "[bits]\nskinrect=50,10,62,14\nactivepictureindex=2\nactiveskinrect=0,12,16,16\nsymbolwidth=4\n"
    "symbolheight=4\nsymbolslinecount=1\nsymbolsline0=0123\ntextvalue=21\n"
    "[fg]\nskinrect=50,20,54,24\nactivepictureindex=2\nactiveskinrect=0,0,16,4\nminvalue=0\nmaxvalue=5\n"
    "countframes=4\n"
    "[fr]\nskinrect=60,20,80,24\nactivepictureindex=2\nactiveskinrect=0,0,16,4\nminvalue=0\nmaxvalue=30\n"
    "countframes=4\nkind=rkhorizontal\n"
    "[user]\nskinrect=60,30,70,40\n"
    "[btn]\nskinrect=70,0,78,4\nactivepictureindex=2\ndownrect=20,0,28,4\n"
    "[label]\nskinrect=0,40,40,50\ntextvalue=Hi\n"
    "[menuitem]\nskinrect=0,0,5,5\n"
    "[cap]\nskinrect=40,40,100,50\ntextrect=0,0,30,10\nalignment=taleftjustify\nfontcolor=16777215\n"
    "fontheight=12\n"
    "[SKINCONTROLS]\ncount=0\n";

}  // namespace

// Every kind draws its looks from the skin and reacts as its kind does;
// menu items are left to the menus.
TEST(DynamicSkinForm, ObjectKindsDrawAndReact)
{
    TSkinOptions options;
    options.Text = KindsSkin;
    TSkinnedForm f(options);
    std::string names;
    for (const auto& object : f.Skin->ObjectList)
        names += object->IDName + " ";
    EXPECT_EQ(names, "gauge switch track anim bits fg fr user btn label cap ");
    for (const auto& object : f.Skin->ObjectList)
        object->ObjectRect = object->SkinRect;
    auto draw = [&](TspActiveSkinObject* object) {
        auto t = std::make_unique<TTarget>(100, 60);
        object->Draw(t->Bitmap.Canvas(), true);
        return t;
    };

    auto* gauge = dynamic_cast<TspSkinGaugeObject*>(f.Object("gauge"));
    gauge->SetValue(5);
    auto t = draw(gauge);
    EXPECT_EQ(t->Pixel(9, 1), StripColour(9, 1));      // filled part: active
    EXPECT_EQ(t->Pixel(10, 1), PictureColour(10, 1));  // the rest: normal

    std::vector<std::string> events;
    f.Skin->OnSwitchChangeStateEvent = [&](const std::string& id, TSwitchState state) {
        events.push_back(id + (state == swOn ? " on" : " off"));
    };
    f.Skin->OnTrackBarChangeValueEvent = [&](const std::string& id, int value) {
        events.push_back(id + " " + std::to_string(value));
    };
    f.Skin->OnFrameRegulatorChangeValueEvent = f.Skin->OnTrackBarChangeValueEvent;
    f.Skin->OnPaintEvent = [&](const std::string& id, TCanvas*, const TRect& r) {
        events.push_back(id + " paint " + std::to_string(r.Left));
    };

    TspActiveSkinObject* sw = f.Object("switch");
    EXPECT_EQ(draw(sw)->Pixel(1, 6), PictureColour(1, 6));
    sw->MouseDown(1, 6, mbLeft);
    EXPECT_EQ(draw(sw)->Pixel(1, 6), StripColour(9, 1));

    auto* track = dynamic_cast<TspSkinTrackBarObject*>(f.Object("track"));
    track->MouseDown(0 + 19, 10 + 3, mbLeft);  // off the button: jumps there
    EXPECT_EQ(track->Value(), 16);
    t = draw(track);
    EXPECT_EQ(t->Pixel(5, 10), StripColour(5, 6));        // left of the button: active
    EXPECT_EQ(t->Pixel(30, 10), PictureColour(30, 10));   // right of it: normal
    EXPECT_EQ(t->Pixel(19, 13), StripColour(43, 3));      // the button, centred on 19

    auto* anim = dynamic_cast<TspSkinAnimateObject*>(f.Object("anim"));
    anim->Animation.Frame = 2;
    EXPECT_EQ(draw(anim)->Pixel(50, 1), StripColour(4, 1));

    t = draw(f.Object("bits"));
    EXPECT_EQ(t->Pixel(50, 10), StripColour(8, 12));  // "2"
    EXPECT_EQ(t->Pixel(54, 10), StripColour(4, 12));  // "1"
    EXPECT_EQ(t->Pixel(58, 10), PictureColour(58, 10));

    auto* fg = dynamic_cast<TspSkinFrameGaugeObject*>(f.Object("fg"));
    fg->SetValue(5);
    EXPECT_EQ(fg->FrameIndex, 4);
    EXPECT_EQ(draw(fg)->Pixel(50, 20), StripColour(12, 0));

    TspActiveSkinObject* fr = f.Object("fr");
    fr->MouseDown(60, 21, mbLeft);
    fr->MouseMove(67, 21);  // one step of 20 / 3 px
    fr->MouseUp(67, 21, mbLeft);

    draw(f.Object("user"));

    auto* btn = dynamic_cast<TspSkinButtonObject*>(f.Object("btn"));
    btn->MouseEnter();
    btn->MouseDown(71, 1, mbLeft);
    EXPECT_EQ(draw(btn)->Pixel(71, 1), StripColour(21, 1));

    EXPECT_EQ(draw(f.Object("label"))->Pixel(0, 40), PictureColour(0, 40));

    // A caption's text is cut to its text rectangle.
    auto* cap = dynamic_cast<TspSkinCaptionObject*>(f.Object("cap"));
    cap->SetText(std::string(40, 'W'));
    t = draw(cap);
    int white = 0;
    for (int y = 40; y < 50; ++y) {
        for (int x = 40; x < 70; ++x)
            white += GetGValue(t->Pixel(x, y)) > 230 ? 1 : 0;
        for (int x = 72; x < 100; ++x)
            ASSERT_EQ(t->Pixel(x, y), PictureColour(x, y)) << x << "," << y;
    }
    EXPECT_GT(white, 10);

    const std::vector<std::string> expected{"switch on", "track 16", "fr 10", "user paint 60"};
    EXPECT_EQ(events, expected);
}

// In client-area mode rolling up shows the roll-up picture's height and
// hides exactly the children that were visible; rolling down shows them.
TEST(DynamicSkinForm, ClientAreaRollUpHidesTheVisibleChildren)
{
    TSkinnedForm f({}, false);
    f.Skin->SetSupportNCArea(false);
    f.Form->SetBorderStyle(bsNone);
    auto* shown = new TButton(f.Form.get());
    shown->SetParent(f.Form.get());
    auto* hidden = new TButton(f.Form.get());
    hidden->SetParent(f.Form.get());
    hidden->Hide();
    TSkinOptions options;
    options.RollUp = true;
    f.Apply(options);
    const int height = f.Form->Height();
    f.Skin->SetRollUpState(true);
    EXPECT_EQ(f.Form->Height(), 20);
    EXPECT_FALSE(shown->Visible());
    f.Skin->SetRollUpState(false);
    EXPECT_TRUE(shown->Visible());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_EQ(f.Form->Height(), height);
}

// A form smaller than the skin's frame grows to the frame's minimum when
// the skin comes; a captured object keeps every other object cold.
TEST(DynamicSkinForm, SkinGrowsASmallFormAndCaptureHoldsTheHotObject)
{
    TSkinnedForm f({}, false);
    f.Form->SetBounds(100, 100, 30, 20);
    f.Apply({});
    // The skinless frame's own minimum already widened it.
    EXPECT_GT(f.Skin->GetMinHeight(), f.Skin->GetDefCaptionHeight() + 6);
    EXPECT_GE(f.Form->Width(), f.Skin->GetMinWidth());
    EXPECT_EQ(f.Form->Height(), f.Skin->GetMinHeight());

    f.Form->SetBounds(100, 100, 200, 100);
    f.Skin->FormActive = true;
    int close = -1;
    for (size_t i = 0; i < f.Skin->ObjectList.size(); ++i)
        if (f.Skin->ObjectList[i]->IDName == "closebutton")
            close = static_cast<int>(i);
    ASSERT_NE(close, -1);
    auto centre = [](const TspActiveSkinObject* o) {
        return TPoint{(o->ObjectRect.Left + o->ObjectRect.Right) / 2, (o->ObjectRect.Top + o->ObjectRect.Bottom) / 2};
    };
    const TPoint atMax = centre(f.Object("maxbutton")), atClose = centre(f.Object("closebutton"));
    f.Skin->CaptureObject = close;
    f.Skin->TestActive(atMax.X, atMax.Y, true);
    EXPECT_EQ(f.Skin->ActiveObject, -1);
    EXPECT_FALSE(f.Object("maxbutton")->MouseIn);
    f.Skin->TestActive(atClose.X, atClose.Y, true);
    EXPECT_EQ(f.Skin->ActiveObject, close);
    EXPECT_TRUE(f.Object("closebutton")->MouseIn);
    f.Skin->CaptureObject = -1;
    f.Skin->TestActive(atMax.X, atMax.Y, true);
    EXPECT_FALSE(f.Object("closebutton")->MouseIn);
    EXPECT_TRUE(f.Object("maxbutton")->MouseIn);
    f.Skin->MorphTimer()->SetEnabled(false);
}

namespace {

// The frame skin with a main-menu band across the top strip (20, 20) -
// (60, 24) and a "MAINMENUITEM" record 20 wide whose text area leaves 2
// pixels at either end; the hot look is green.
TSkinOptions MainMenuSkin()
{
    std::string text = SkinText("mainmenurect=20,20,60,24\n");
    const std::string objects = "count=6\n";
    text.replace(text.find(objects), objects.size(), "count=7\n6=MAINMENUITEM:mainmenuitem\n");
    text.insert(text.find("[SKINCONTROLS]"),
                "[MAINMENUITEM]\nskinrect=20,20,40,24\ntextrect=2,0,18,4\nitemleftoffset=2\nitemrightoffset=2\n"
                "activepictureindex=0\nactiveskinrect=0,0,12,4\nfontheight=8\n");
    TSkinOptions options;
    options.Text = text;
    return options;
}

TMenuItem* AddItem(TMenuItem* parent, TMenu* owner, const char* name, const char* caption)
{
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

}  // namespace

// The main menu's visible items lie side by side along the band, each as
// wide as its caption needs, drawn from the record; Alt and the arrow keys
// walk them, Enter opens an item's menu and Right moves on from it, Alt
// with an accelerator runs an item; the items go with their menu.
TEST(DynamicSkinForm, MainMenuItemsOnTheFrame)
{
    TSkinnedForm f(MainMenuSkin());
    f.Form->Show();
    auto* menu = new TMainMenu(f.Form.get());
    TMenuItem* file = AddItem(menu->Items(), menu, "FileItem", "&File");
    AddItem(file, menu, "OpenItem", "Open");
    AddItem(menu->Items(), menu, "HiddenItem", "Hidden")->SetVisible(false);
    TMenuItem* help = AddItem(menu->Items(), menu, "HelpItem", "&Help and more");
    int helps = 0;
    help->OnClick = [&](TObject*) { ++helps; };
    f.Skin->SetMainMenu(menu);

    std::vector<TspSkinMainMenuItem*> items = f.Skin->MainMenuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->IDName, "FileItem");
    EXPECT_EQ(items[1]->IDName, "HelpItem");
    f.Skin->FormActive = true;
    f.Skin->NewWidth = 200;
    f.Skin->NewHeight = 100;
    TTarget t(200, 100);
    f.Skin->PaintNCSkin(t.DC());
    const TRect a = items[0]->ObjectRect, b = items[1]->ObjectRect;
    EXPECT_EQ(a.Left, f.Skin->Layout.NewMainMenuRect.Left);
    EXPECT_EQ(a.Top, 20);
    EXPECT_EQ(a.Bottom, 24);
    EXPECT_EQ(b.Left, a.Right);
    EXPECT_GT(b.Right - b.Left, a.Right - a.Left);
    // The record's right end closes each item, wherever it ends.
    EXPECT_EQ(t.Pixel(a.Right - 1, 21), PictureColour(39, 21));
    EXPECT_EQ(t.Pixel(b.Right - 1, 21), PictureColour(39, 21));

    auto key = [](WORD k) {
        MSG m{nullptr, WM_KEYDOWN, k, 0, 0, {}};
        bool handled = false;
        Application->OnMessage(m, handled);
        return handled;
    };
    f.Skin->MainMenuEnter();
    ASSERT_TRUE(f.Skin->InMainMenu);
    EXPECT_TRUE(items[0]->Active);
    EXPECT_EQ(t.Pixel(a.Left, 20), PictureColour(20, 20));
    TTarget hot(200, 100);
    f.Skin->PaintNCSkin(hot.DC());
    EXPECT_EQ(hot.Pixel(a.Left, 20), ActiveGreen);
    EXPECT_TRUE(key(VK_RIGHT));
    EXPECT_TRUE(items[1]->Active);
    EXPECT_FALSE(items[0]->Active);
    key(VK_RIGHT);  // wraps
    EXPECT_TRUE(items[0]->Active);
    key(VK_RETURN);
    EXPECT_TRUE(items[0]->Down);
    EXPECT_TRUE(f.Skin->SkinMenu()->Active());
    EXPECT_TRUE(f.Skin->InSkinMenu);
    key(VK_RIGHT);  // "Open" opens nothing: on to the next item
    EXPECT_FALSE(items[0]->Down);
    EXPECT_TRUE(items[1]->Active);
    EXPECT_FALSE(f.Skin->SkinMenu()->Active());
    EXPECT_TRUE(f.Skin->InMainMenu);
    EXPECT_EQ(helps, 0);
    key(VK_ESCAPE);
    EXPECT_FALSE(f.Skin->InMainMenu);
    EXPECT_FALSE(items[1]->Active);
    EXPECT_FALSE(static_cast<bool>(Application->OnMessage));

    TWMKey altH{WM_SYSKEYDOWN, 'H', 0x20000001, 0};
    bool handled = false;
    f.Skin->FormShortCut(altH, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(helps, 1);
    EXPECT_FALSE(f.Skin->InMainMenu);

    delete menu;
    EXPECT_TRUE(f.Skin->MainMenuItems().empty());
    f.Skin->MorphTimer()->SetEnabled(false);
}

// In client-area mode a control on a named skin area follows the area as
// the form's size moves the skin's parts; a skin change keeps a roll-up
// the new skin can show and undoes one it cannot.
TEST(DynamicSkinForm, ClientAreaControlsAndRollUpAcrossSkinChanges)
{
    TSkinnedForm f({}, false);
    f.Skin->SetSupportNCArea(false);
    f.Form->SetBorderStyle(bsNone);
    auto* placed = new TspSkinControl(f.Form.get());
    placed->SetParent(f.Form.get());
    placed->SetAlign(alTop);
    placed->AreaName = "panelarea";
    TSkinOptions options;
    options.RollUp = true;
    options.Text = SkinText("");
    options.Text.insert(options.Text.find("[SKINCONTROLS]"), "[SKINAREAS]\ncount=1\n0=panelarea:70,10,90,20\n");
    f.Apply(options);
    EXPECT_EQ(placed->Align(), alNone);
    ASSERT_EQ(f.Skin->AreaControlList.size(), 1u);
    // In the right-top corner: the area moves with the width.
    const int dx = f.Form->Width() - 100;
    EXPECT_EQ(placed->Left(), 70 + dx);
    EXPECT_EQ(placed->Width(), 20);
    const int top = placed->Top();
    f.Form->SetWidth(f.Form->Width() + 20);
    EXPECT_EQ(placed->Left(), 90 + dx);
    EXPECT_EQ(placed->Top(), top);

    const int height = f.Form->Height();
    f.Skin->SetRollUpState(true);
    f.Apply(options);
    EXPECT_TRUE(f.Skin->RollUpState);
    EXPECT_EQ(f.Form->Height(), 20);
    EXPECT_FALSE(placed->Visible());
    options.RollUp = false;
    f.Apply(options);
    EXPECT_FALSE(f.Skin->RollUpState);
    EXPECT_TRUE(placed->Visible());
    EXPECT_EQ(f.Form->Height(), height);
    EXPECT_EQ(placed->Left(), 70 + f.Form->Width() - 100);
    f.Skin->MouseTimer()->SetEnabled(false);
}

namespace {

int VisibleThreadWindows()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            if (IsWindowVisible(window))
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

// A hot object's hint shows through the hint component after the pause
// and goes when the object is left.
TEST(DynamicSkinForm, ObjectHintsFollowTheHotObject)
{
    TSkinnedForm f;
    f.Skin->FormActive = true;
    auto* hint = new TspSkinHint(f.Form.get());
    f.Skin->SetSkinHint(hint);
    f.Skin->ShowObjectHint = true;
    TspActiveSkinObject* close = f.Object("closebutton");
    close->Hint = "Closes the form";
    // The hint window serves the main form's hint component.
    Application->SetMainForm(f.Form.get());
    const int pause = Application->HintPause;
    Application->HintPause = 1;
    const int before = VisibleThreadWindows();
    const TRect& r = close->ObjectRect;
    f.Skin->TestActive((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2, true);
    for (int i = 0; i < 50 && VisibleThreadWindows() == before; ++i) {
        Application->ProcessMessages();
        Sleep(10);
    }
    EXPECT_EQ(VisibleThreadWindows(), before + 1);
    f.Skin->TestActive(-1, -1, false);
    EXPECT_EQ(VisibleThreadWindows(), before);
    Application->HintPause = pause;
    Application->SetMainForm(nullptr);
    f.Skin->MorphTimer()->SetEnabled(false);
}
