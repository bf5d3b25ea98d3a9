// The skinned tree view and header control under Wine: the external bars
// follow the tree, moving a bar scrolls it, the bars are let go, and the
// header draws its sections' states and cuts a wide caption.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "SkinTestSheet.h"
#include "skin/controls/SkinViews.h"

namespace {

using namespace skintest;

class SkinViewsTest : public skintest::TFormTest {
protected:
    SkinViewsTest() : TFormTest(true) {}

    TspSkinScrollBar* Bar(TScrollBarKind kind)
    {
        auto* bar = Make<TspSkinScrollBar>(0, 0, 20, 20);
        bar->SetKind(kind);
        return bar;
    }
};

TEST_F(SkinViewsTest, TreeBarsFollowTheItemsScrollTheTreeAndAreLetGo)
{
    auto* tree = Make<TspSkinCustomTreeView>(10, 10, 200, 120);
    auto* vertical = Bar(sbVertical);
    auto* horizontal = Bar(sbHorizontal);
    tree->SetVScrollBar(vertical);
    tree->SetHScrollBar(horizontal);
    horizontal->SetBoth(true);
    tree->Items()->Add(nullptr, "Carp");
    tree->Items()->Add(nullptr, "Tetra");
    tree->UpdateScrollBars();
    EXPECT_FALSE(vertical->Visible()) << "everything fits";
    EXPECT_FALSE(horizontal->Both()) << "no corner to leave free";

    for (int i = 0; i < 40; ++i)
        tree->Items()->Add(nullptr, "Fish " + std::to_string(i));
    tree->UpdateScrollBars();
    EXPECT_TRUE(vertical->Visible());
    EXPECT_TRUE(horizontal->Both());
    EXPECT_GT(vertical->Max(), 30);

    vertical->SetPosition(12);
    const auto first = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    EXPECT_EQ(first, tree->Items()->Top(12)->ItemId()) << "moving the bar scrolls the tree";

    tree->SetVScrollBar(nullptr);
    EXPECT_FALSE(static_cast<bool>(vertical->OnChange));
    delete tree;
    EXPECT_FALSE(static_cast<bool>(horizontal->OnChange)) << "the freed tree's handler is gone";
    horizontal->SetPosition(5);
}

TEST_F(SkinViewsTest, HeaderDrawsPressedAndHotSectionsAndCutsAWideCaption)
{
    auto* header = Make<TspSkinHeaderControl>(0, 0, 300, 24);
    for (const int width : {80, 80})
        header->Sections()->Add()->SetWidth(width);
    header->Sections()->Items(0)->SetText("A caption far too wide for its section");
    const std::string fitted = header->FittedCaption(0);
    ASSERT_GE(fitted.size(), 3u);
    EXPECT_EQ(fitted.substr(fitted.size() - 3), "...");

    const HWND wnd = header->Handle();
    SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(120, 12));
    EXPECT_EQ(header->HotSection(), 1);
    EXPECT_EQ(Painted(header, 150, 20), RGB(0xB6, 0xBD, 0xD2)) << "under the mouse";
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 12));
    EXPECT_EQ(header->PressedSection(), 1);
    EXPECT_EQ(Painted(header, 150, 20), RGB(0x85, 0x93, 0xB5)) << "pressed";
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(120, 12));
    EXPECT_EQ(header->PressedSection(), -1);
    EXPECT_EQ(Painted(header, 40, 20), static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(SkinViewsTest, ListViewDrawsItsHeaderItselfAndLetsItGoWithItsWindow)
{
    auto* list = Make<TspSkinCustomListView>(10, 10, 250, 120);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("Name");
    list->Columns()->Add()->SetCaption("Size");
    const auto header = reinterpret_cast<HWND>(SendMessageA(list->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(list->HeaderWindow(), header);

    const auto paintedAt = [&](int x, int y) {
        TBitmap bitmap;
        RECT client{};
        GetClientRect(header, &client);
        bitmap.SetSize(client.right, client.bottom);
        SendMessageA(header, WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
        return static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y));
    };
    RECT second{};
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    const int middle = (second.left + second.right) / 2;
    const LPARAM at = MAKELPARAM(middle, 3);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(paintedAt(middle, 3), RGB(0x85, 0x93, 0xB5)) << "the pressed section";
    SendMessageA(header, WM_LBUTTONUP, 0, at);

    list->SetShowColumnHeaders(false);
    EXPECT_EQ(list->HeaderWindow(), nullptr);
    list->SetShowColumnHeaders(true);
    const auto again = reinterpret_cast<HWND>(SendMessageA(list->Handle(), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(list->HeaderWindow(), again) << "the new window's header is taken over";
    delete list;
}

}  // namespace
