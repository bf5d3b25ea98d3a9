// The skinned hint under Wine: the plain and skinned looks as pixels, size,
// place and region; the serving component; see-through by a layered window
// or the captured screen; the pauses of a hint shown at the cursor.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../../classlib/win/UiTestSupport.h"
#include "../../support/ScreenPixels.h"
#include "SkinTestSheet.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Screen.h"
#include "skin/SkinDraw.h"
#include "skin/SkinHint.h"
#include "skin/SkinRegions.h"

namespace {

using testsupport::ColoursNear;

// A main form holding a hint component, and the application's hint window
// that serves it.
struct THintScene {
    THintScene()
    {
        Main = std::make_unique<TForm>(nullptr);
        Hint = new TspSkinHint(Main.get());
        Application->SetMainForm(Main.get());
        Window = dynamic_cast<TspSkinHintWindow*>(Application->HintWindow());
    }
    ~THintScene()
    {
        Application->SetMainForm(nullptr);
        Application->SetShowHint(false);
    }

    // Gives the hint a skin whose [HINTWINDOW] record is `record`.
    void UseSkin(const std::string& record, std::vector<TDibImage> pictures)
    {
        Skin = std::make_unique<skintest::TTestSkin>(
            "[VERSION]\nskinname=hint\n[PICTURES]\nactivepicturescount=2\n[FORMINFO]\nbgpictureindex=-1\n"
            "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n[HINTWINDOW]\n" + record,
            std::move(pictures));
        Hint->SetSkinData(Skin->Data.get());
    }
    // Shows `text` at (x, y) and lets it paint.
    void Show(int x, int y, const std::string& text = "Hint text")
    {
        Window->ActivateHint(RECT{x, y, x, y}, text);
        if (Window->HandleAllocated())
            UpdateWindow(Window->Handle());
        Application->ProcessMessages();
        GdiFlush();
    }
    RECT Bounds() const
    {
        RECT bounds{};
        GetWindowRect(Window->Handle(), &bounds);
        return bounds;
    }
    // The screen under the hint window, read into a bitmap.
    std::unique_ptr<TBitmap> Shown() const
    {
        const RECT bounds = Bounds();
        auto shot = std::make_unique<TBitmap>();
        shot->SetSize(bounds.right - bounds.left, bounds.bottom - bounds.top);
        GetScreenImage(bounds.left, bounds.top, shot.get());
        return shot;
    }

    std::unique_ptr<TForm> Main;
    TspSkinHint* Hint;
    TspSkinHintWindow* Window;
    std::unique_ptr<skintest::TTestSkin> Skin;
};

TDibImage Solid(int width, int height, COLORREF color)
{
    TDibImage image = skintest::Blank(width, height);
    skintest::Fill(image, 0, 0, width, height, color);
    return image;
}

// 16 x 12 blue, its bottom-right 2 x 2 corner red.
TDibImage BlueWithARedCorner()
{
    TDibImage image = Solid(16, 12, RGB(0, 0, 255));
    skintest::Fill(image, 14, 10, 16, 12, RGB(255, 0, 0));
    return image;
}

// The text's size in `font`, as the canvas measures it.
SIZE TextSize(TFont* font, const std::string& text)
{
    TBitmap work;
    work.SetSize(1, 1);
    work.Canvas()->Font()->Assign(font);
    RECT rect{};
    work.Canvas()->DrawText(text, rect, DT_CALCRECT | DT_CENTER);
    return SIZE{rect.right, rect.bottom};
}

}  // namespace

// Without a hint picture the hint is plain: text + 4 in size, a clBtnShadow
// frame around clInfoBk, the text inside; a picture or mask index outside
// the skin's pictures counts as none. Past the screen's right edge the hint
// is moved to end at it.
TEST(SkinHint, PlainAndSkinnedLooksSizesAndPlaces)
{
    THintScene scene;
    ASSERT_NE(scene.Window, nullptr);
    scene.UseSkin("windowpictureindex=1\nmaskpictureindex=7\n", {Solid(8, 8, RGB(255, 0, 0))});

    scene.Show(100, 120);
    const SIZE text = TextSize(scene.Hint->DefaultFont(), "Hint text");
    RECT bounds = scene.Bounds();
    EXPECT_EQ(bounds.left, 100);
    EXPECT_EQ(bounds.right - bounds.left, text.cx + 4);
    EXPECT_EQ(bounds.bottom - bounds.top, text.cy + 4);
    EXPECT_EQ(skintest::InWindowRegion(scene.Window->Handle(), 0, 0), -1);

    const auto shot = scene.Shown();
    TCanvas& pixels = *shot->Canvas();
    EXPECT_EQ(pixels.Pixels(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pixels.Pixels(shot->Width() - 1, shot->Height() - 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pixels.Pixels(1, 1), ColorToRGB(clInfoBk));
    int ink = 0;
    for (int y = 2; y < shot->Height() - 2; ++y)
        for (int x = 2; x < shot->Width() - 2; ++x)
            ink += pixels.Pixels(x, y) == ColorToRGB(clInfoText);
    EXPECT_GT(ink, 10);

    scene.Show(Screen->Width() - 5, 40);
    bounds = scene.Bounds();
    EXPECT_EQ(bounds.right, Screen->Width());
    EXPECT_EQ(bounds.right - bounds.left, text.cx + 4);

    // With a hint picture the window is as large as the text needs inside
    // the picture's client rectangle, never smaller than the picture; its
    // points follow the new size, and the mask shapes it.
    // The mask: black inside, a white top-left corner square of 3 x 3.
    TDibImage mask = Solid(30, 20, 0);
    skintest::Fill(mask, 0, 0, 3, 3, RGB(255, 255, 255));
    scene.UseSkin("windowpictureindex=0\nmaskpictureindex=1\nlefttoppoint=4,4\nrighttoppoint=26,4\n"
                  "leftbottompoint=4,16\nrightbottompoint=26,16\nclientrect=5,4,25,16\nfontheight=14\n",
                  {Solid(30, 20, RGB(0, 255, 0)), mask});
    scene.Show(50, 60, "A much longer hint text");
    TFont font;
    font.SetName(scene.Skin->Data->HintWindow->FontName);
    font.SetHeight(14);
    const SIZE longer = TextSize(&font, "A much longer hint text");
    const int width = std::max<int>(longer.cx + 5 + (30 - 25), 30);
    const int height = std::max<int>(longer.cy + 4 + (20 - 16), 20);
    bounds = scene.Bounds();
    EXPECT_EQ(bounds.right - bounds.left, width);
    EXPECT_EQ(bounds.bottom - bounds.top, height);
    const int dx = width - 30, dy = height - 20;
    EXPECT_EQ(scene.Window->NewClRect, (TRect{5, 4, 25 + dx, 16 + dy}));
    EXPECT_EQ(scene.Window->NewRBPoint, (TPoint{26 + dx, 16 + dy}));

    const HWND wnd = scene.Window->Handle();
    EXPECT_EQ(skintest::InWindowRegion(wnd, 1, 1), 0);
    EXPECT_EQ(skintest::InWindowRegion(wnd, 3, 1), 1);
    EXPECT_EQ(skintest::InWindowRegion(wnd, width - 1, height - 1), 1);
    // The picture is drawn: the skin's colour away from the text.
    EXPECT_EQ(scene.Shown()->Canvas()->Pixels(width - 2, 1), ColorToRGB(clLime));
}

// A skin reloaded while the hint shows: the next paint lays the new
// record out at the window's size, its 2 x 2 corners in the window's.
TEST(SkinHint, ARepaintAfterASkinReloadDrawsTheNewRecord)
{
    THintScene scene;
    scene.UseSkin("windowpictureindex=0\nmaskpictureindex=-1\nlefttoppoint=4,4\nrighttoppoint=26,4\n"
                  "leftbottompoint=4,16\nrightbottompoint=26,16\nclientrect=5,4,25,16\n",
                  {Solid(30, 20, RGB(0, 255, 0))});
    scene.Show(50, 60, "A much longer hint text");
    const RECT bounds = scene.Bounds();
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;

    const skintest::TTestSkin smaller(
        "[VERSION]\nskinname=hint\n[PICTURES]\nactivepicturescount=1\n[FORMINFO]\nbgpictureindex=-1\n"
        "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n[HINTWINDOW]\nwindowpictureindex=0\n"
        "maskpictureindex=-1\nlefttoppoint=2,2\nrighttoppoint=14,2\nleftbottompoint=2,10\n"
        "rightbottompoint=14,10\nclientrect=2,2,14,10\n",
        {BlueWithARedCorner()});
    scene.Skin->Data->SetStoredSkin(smaller.Stored.get());
    RedrawWindow(scene.Window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Application->ProcessMessages();
    GdiFlush();

    EXPECT_EQ(scene.Window->NewClRect, (TRect{2, 2, 14 + width - 16, 10 + height - 12}));
    const auto shot = scene.Shown();
    TCanvas& pixels = *shot->Canvas();
    EXPECT_EQ(pixels.Pixels(width - 1, height - 1), ColorToRGB(clRed));
    EXPECT_EQ(pixels.Pixels(width - 2, height - 2), ColorToRGB(clRed));
    for (const auto& [x, y] : {std::pair{0, 0}, {width - 1, 0}, {0, height - 1}, {width - 3, height - 1}})
        EXPECT_EQ(pixels.Pixels(x, y), ColorToRGB(clBlue)) << x << "," << y;
}

// One component serves: activating one deactivates the others, and with
// none active nothing shows. See-through by a layered window takes the
// alpha of TransparentValue; on systems without the layered windows the
// skin uses, the hint is cross-faded with the screen captured under it.
TEST(SkinHint, ServingComponentAndSeeThrough)
{
    THintScene scene;
    auto* second = new TspSkinHint(scene.Main.get());
    second->SetActive(true);
    EXPECT_FALSE(scene.Hint->Active());
    EXPECT_EQ(TspSkinHint::ServingHint(), second);
    second->SetActive(false);
    EXPECT_EQ(TspSkinHint::ServingHint(), nullptr);
    scene.Window = dynamic_cast<TspSkinHintWindow*>(Application->HintWindow());
    scene.Show(10, 10);
    EXPECT_FALSE(scene.Window->HandleAllocated() && IsWindowVisible(scene.Window->Handle()));

    // The capture path over a known window.
    second->SetActive(true);
    second->SetAlphaBlendSupport(false);
    TForm below(nullptr);
    below.SetBorderStyle(bsNone);
    below.SetBounds(300, 300, 200, 100);
    below.SetColor(clBlue);
    below.Show();
    UpdateWindow(below.Handle());
    Application->ProcessMessages();
    ASSERT_TRUE(ColoursNear(testsupport::ScreenPixel(330, 330), ColorToRGB(clBlue), 0));
    const COLORREF plain = ColorToRGB(clInfoBk);  // the plain look, read above
    second->Transparent = true;
    scene.Show(320, 320);
    const COLORREF seen = scene.Shown()->Canvas()->Pixels(1, 1);
    const COLORREF blue = ColorToRGB(clBlue);
    const COLORREF half = RGB((GetRValue(plain) + GetRValue(blue) + 1) / 2, (GetGValue(plain) + GetGValue(blue) + 1) / 2,
                              (GetBValue(plain) + GetBValue(blue) + 1) / 2);
    EXPECT_TRUE(ColoursNear(seen, half, 1)) << std::hex << seen << " " << half;
    scene.Show(320, 320);  // in place: the screen there is the hint itself
    EXPECT_TRUE(ColoursNear(scene.Shown()->Canvas()->Pixels(1, 1), half, 1));

    // The layered path (the constructor's AlphaBlendSupport).
    auto* layered = new TspSkinHint(scene.Main.get());
    layered->SetActive(true);
    ASSERT_TRUE(layered->AlphaBlendSupport());
    layered->Transparent = true;
    scene.Show(10, 10);
    const HWND wnd = scene.Window->Handle();
    EXPECT_NE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 127);
    layered->Transparent = false;
    scene.Show(10, 10);
    EXPECT_EQ(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

// The last component to go gives the application back its own hint
// window. Its OnShowHint is emptied, not given back: the handler there
// before may belong to an object that went while the components held the
// event. A region the window refuses is not left behind.
TEST(SkinHint, FreedComponentsGiveTheApplicationsHintsBack)
{
    auto owner = std::make_shared<int>(0);
    bool calledWithoutItsOwner = false;
    Application->OnShowHint = [alive = std::weak_ptr<int>(owner), &calledWithoutItsOwner](std::string&, bool&,
                                                                                          THintInfo&) {
        calledWithoutItsOwner = alive.expired();
    };
    auto* first = new TspSkinHint(nullptr);
    auto* second = new TspSkinHint(nullptr);
    owner.reset();
    delete first;
    EXPECT_NE(dynamic_cast<TspSkinHintWindow*>(Application->HintWindow()), nullptr) << "the second still serves";
    delete second;
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintWindow()->ClassName(), "THintWindow");
    std::string text;
    bool canShow = true;
    THintInfo info{};
    if (Application->OnShowHint)
        Application->OnShowHint(text, canShow, info);
    EXPECT_FALSE(calledWithoutItsOwner);
    Application->OnShowHint = nullptr;
    Application->SetShowHint(false);

    const HRGN region = CreateRectRgn(0, 0, 4, 4);
    EXPECT_FALSE(SetWindowRegion(nullptr, region));
    RECT box{};
    EXPECT_EQ(GetRgnBox(region, &box), 0) << "deleted";
}

// ActivateHint shows the text below the cursor after the hint pause and
// hides it after the hide pause.
TEST(SkinHint, ShownAtTheCursorThenHidden)
{
    THintScene scene;
    const int pause = Application->HintPause, hidePause = Application->HintHidePause;
    Application->HintPause = 20;
    Application->HintHidePause = 200;
    SetCursorPos(400, 300);
    scene.Hint->ActivateHint("At the cursor");

    // The component's own hint window: the visible one of its class (the
    // application's stays hidden).
    HWND shown = nullptr;
    RECT bounds{};
    for (const DWORD start = GetTickCount(); shown == nullptr || IsWindowVisible(shown);) {
        ASSERT_LT(GetTickCount() - start, 3000u) << "shown: " << (shown != nullptr);
        Application->ProcessMessages();
        for (HWND w = nullptr; shown == nullptr && (w = FindWindowExA(nullptr, w, "TspSkinHintWindow", nullptr));)
            if (IsWindowVisible(w) && GetWindowRect(w, &bounds))
                shown = w;
        Sleep(1);
    }
    EXPECT_EQ(bounds.left, 400);
    EXPECT_GT(bounds.top, 300);
    Application->HintPause = pause;
    Application->HintHidePause = hidePause;
}
