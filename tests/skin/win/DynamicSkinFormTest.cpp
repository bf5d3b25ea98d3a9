// The skinned form's frame: painting from the skin and in the default look,
// the window shape, client backgrounds, window states and the objects'
// mouse reactions.
#include "DynamicSkinFormTestSupport.h"

using namespace skinformtest;

// Corners copied one to one, edges tiled between the corner points, the
// client area left alone, a hot button's active look where its corner
// moved it, nothing below the minimum size, the inactive effect.
TEST(DynamicSkinForm, SkinFrameIsPaintedFromTheSkinAtAnySize)
{
    TSkinnedForm f({.FormInfoExtra = "autorenderinginactiveimage=1\ninactiveeffect=iebrightness\n"});
    TspDynamicSkinForm& c = *f.Skin;
    c.FormActive = true;
    c.NewWidth = 200;
    c.NewHeight = 100;
    TTarget t(200, 100);
    c.PaintNCSkin(t.DC());
    // Two corners and a band (every part of the composition is proved natively).
    EXPECT_EQ(t.Pixel(2, 2), PictureColour(2, 2));
    EXPECT_EQ(t.Pixel(197, 97), PictureColour(97, 57));
    EXPECT_EQ(t.Pixel(70, 22), PictureColour(50, 22));  // top band: 20..60 tiled from 0
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
// rectangle gets the default frame, painted and hit-tested as such, to match
// the default margins it reports (the margins of each frame kind are proved
// natively).
TEST(DynamicSkinForm, ClientAreaAndTheDefaultFrameOfASkinWithoutClientRect)
{
    TSkinnedForm f;
    RECT r{100, 200, 400, 500};
    f.Skin->NCCalcSize(r);
    EXPECT_EQ(ToTRect(r), (TRect{105, 225, 395, 495}));

    TSkinnedForm g({.Mask = false, .ClientRect = false});
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
}

// Stripes between the margins, the three bevels, the default buttons of
// each border style and their looks.
TEST(DynamicSkinForm, DefaultFrameAndItsButtons)
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

    // A default button: face, hot frame and fills, the glyph one pixel on
    // when pressed, grey when its icon is missing.
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
    EXPECT_EQ(down.Pixel(gx, gy), static_cast<COLORREF>(11899781)) << "the glyph moved off its start";

    f.Skin->SetBorderIcons(biSystemMenu | biMinimize | biRollUp);
    auto* maximize = dynamic_cast<TspSkinStdButtonObject*>(f.Skin->ObjectList[1].get());
    ASSERT_EQ(maximize->Command, cmMaximize);
    EXPECT_FALSE(maximize->Enabled);
    maximize->ObjectRect = {0, 0, 17, 17};
    TTarget disabled(17, 17);
    maximize->Draw(disabled.Bitmap.Canvas(), true);
    const TPoint m = FrameGlyphShapes(fgMaximize)[0].A;
    EXPECT_EQ(disabled.Pixel(17 / 2 - 5 + m.X, 17 / 2 - 4 + m.Y), Sys(clBtnShadow));

    f.Form->SetBorderStyle(bsDialog);
    f.Skin->LoadDefaultButtons();
    ASSERT_EQ(f.Skin->ObjectList.size(), 1u);
    EXPECT_EQ(f.Skin->ObjectList[0]->IDName, "closebutton");
}

// The window is shaped by the mask (corners cut), follows the size, and
// loses its shape with a skin without mask; switching many times keeps the
// region valid and never touches a region the component does not own.
TEST(DynamicSkinForm, WindowShapeFollowsTheMask)
{
    TSkinnedForm f;
    const auto inside = [&](int x, int y) { return skintest::InWindowRegion(f.Form->Handle(), x, y); };
    EXPECT_EQ(inside(0, 0), 0);
    EXPECT_EQ(inside(10, 0), 1);
    EXPECT_EQ(inside(199, 99), 0);
    EXPECT_EQ(inside(196, 96), 1);
    EXPECT_EQ(inside(100, 50), 1);
    // The hit test reads the same mask: the cut corner is a border.
    EXPECT_EQ(f.Skin->SkinHitTest({4, 1}), SkinHit::TopLeft);

    for (int i = 0; i < 20; ++i) {
        const HRGN probe = CreateRectRgn(0, 0, 5, 5);
        f.Apply({.Mask = i % 3 != 0});
        f.Form->SetBounds(100, 100, 150 + i * 5, 80 + i);
        f.Skin->NewWidth = f.Form->Width();
        f.Skin->NewHeight = f.Form->Height();
        f.Skin->UpdateSkinRegion(true);
        EXPECT_EQ(GetObjectType(probe), static_cast<DWORD>(OBJ_REGION)) << i;
        DeleteObject(probe);
        EXPECT_EQ(inside(f.Form->Width() - 1, 0), i % 3 != 0 ? 0 : -1) << i;
        EXPECT_EQ(inside(20, 20), i % 3 != 0 ? 1 : -1);
    }
    f.Apply({.Mask = false});
    EXPECT_EQ(inside(0, 0), -1);
}

// A skin taken away (nil), swapped for an empty one or freed takes the form
// down the no-skin path at once: the default frame and its buttons, no shape.
// Nothing of the old skin is kept, so it may go; activating, sizing and
// painting the form afterwards read no skin. In client-area mode the
// objects and the shape go the same way.
TEST(DynamicSkinForm, ANilOrEmptySkinLeavesNothingOfTheOldOne)
{
    enum { Nil, Empty, Freed };
    for (const int way : {Nil, Empty, Freed}) {
        SCOPED_TRACE(way);
        TSkinnedForm f;
        f.Form->Show();
        ASSERT_TRUE(f.Skin->SkinSupport);
        ASSERT_EQ(skintest::InWindowRegion(f.Form->Handle(), 0, 0), 0);
        if (way != Freed)
            f.Skin->SetSkinData(way == Empty ? new TspSkinData(f.Form.get()) : nullptr);
        delete f.Data;
        EXPECT_FALSE(f.Skin->SkinSupport);
        ASSERT_EQ(f.Skin->ObjectList.size(), 5u);
        EXPECT_EQ(f.Skin->ObjectList[0]->IDName, "closebutton");
        EXPECT_EQ(skintest::InWindowRegion(f.Form->Handle(), 0, 0), -1);
        SendMessageA(f.Form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
        f.Form->SetBounds(120, 110, 230, 120);
        TTarget t(230, 120);
        f.Skin->PaintNCSkin(t.DC());
        EXPECT_EQ(t.Pixel(0, 50), Sys(cl3DLight));
        EXPECT_EQ(t.Pixel(2, 50), Sys(clBtnFace));
    }

    TSkinnedForm g({}, false);
    g.Skin->SetSupportNCArea(false);
    g.Form->SetBorderStyle(bsNone);
    g.Apply({});
    g.Form->Show();
    ASSERT_TRUE(g.Skin->SkinSupport);
    ASSERT_FALSE(g.Skin->ObjectList.empty());
    ASSERT_EQ(skintest::InWindowRegion(g.Form->Handle(), 0, 0), 0);
    g.Skin->SetSkinData(nullptr);
    delete g.Data;
    EXPECT_FALSE(g.Skin->SkinSupport);
    EXPECT_TRUE(g.Skin->ObjectList.empty());
    EXPECT_EQ(skintest::InWindowRegion(g.Form->Handle(), 0, 0), -1);
    g.Form->SetBounds(120, 110, 230, 120);
    SendMessageA(g.Form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageA(g.Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(130, 120));
    g.Form->Repaint();
}

// Tiles from (0, 0) with the last column cut; the form picture's client
// part when the skin names no background; an empty picture paints nothing.
TEST(DynamicSkinForm, ClientBackgrounds)
{
    TSkinnedForm f({.FormInfoExtra = "bgpictureindex=1\n"});
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

// Maximize covers the work area and restore gives the bounds back; a
// fixed form rolls up on a caption double click; minimized forms park in
// slots along the bottom; the main form minimizes the application instead;
// a restore without recorded bounds keeps them.
TEST(DynamicSkinForm, WindowStatesOnRealForms)
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    Application->SetMainForm(nullptr);
    TSkinnedForm f;
    f.Form->SetBounds(120, 130, 220, 110);
    f.Skin->SetWindowState(2);
    EXPECT_EQ(ToTRect(f.Form->BoundsRect()), ToTRect(area));
    f.Skin->MouseTimer()->SetEnabled(false);  // the cursor was elsewhere
    f.Skin->SetWindowState(0);
    EXPECT_EQ(ToTRect(f.Form->BoundsRect()), (TRect{120, 130, 340, 240}));
    // The objects moved from under the cursor: the hot object is tracked.
    EXPECT_TRUE(f.Skin->MouseTimer()->Enabled());
    // A form that cannot be sized rolls up to its frame on a caption double
    // click and back on the next.
    f.Skin->Sizeable = false;
    f.Skin->NCCaptionDblClick();
    EXPECT_TRUE(f.Skin->RollUpState);
    EXPECT_EQ(f.Form->Height(), 30);
    f.Skin->NCCaptionDblClick();
    EXPECT_FALSE(f.Skin->RollUpState);
    EXPECT_EQ(f.Form->Height(), 110);
    f.Skin->Sizeable = true;

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

// A double click in the client area is the client area's, whatever the
// form can do; on a hot caption object it rolls a fixed form up and
// maximizes a sizeable one.
TEST(DynamicSkinForm, OnlyACaptionObjectTakesTheClientDoubleClick)
{
    Application->SetMainForm(nullptr);
    for (const bool sizeable : {false, true}) {
        TSkinnedForm f;
        f.Skin->Sizeable = sizeable;
        const auto doubleClick = [&] {
            SendMessageA(f.Form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 20));
        };
        doubleClick();
        EXPECT_FALSE(f.Skin->RollUpState) << "sizeable " << sizeable;
        EXPECT_EQ(f.Skin->WindowState, 0) << "sizeable " << sizeable;
        const POINT caption = skintest::Centre(f.Object("caption")->ObjectRect);
        f.Skin->TestActive(caption.x, caption.y, true);
        doubleClick();
        EXPECT_EQ(f.Skin->RollUpState, !sizeable);
        EXPECT_EQ(f.Skin->WindowState, sizeable ? 2 : 0);
    }
}

// The close button closes only when released over it; pressing a grouped
// button releases the other; an object whose active picture is missing
// neither morphs nor has an active look; the skin's buttons follow the
// border icons.
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

    // The skin's own buttons follow the border icons both ways.
    TspActiveSkinObject* maximize = f.Object("maxbutton");
    f.Skin->SetBorderIcons(biSystemMenu | biMinimize | biRollUp);
    EXPECT_FALSE(maximize->Enabled);
    EXPECT_TRUE(close->Enabled);
    f.Skin->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
    EXPECT_EQ(f.Object("maxbutton"), maximize);
    EXPECT_TRUE(maximize->Enabled);
}
