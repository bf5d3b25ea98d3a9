// Menu item trees, command numbers, shortcuts, menus read from form
// descriptions, and image lists.
#include <gtest/gtest.h>

#include "classlib/core/FormReader.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/FormResources.h"
#include "classlib/ui/ImgList.h"
#include "classlib/ui/Menus.h"
#include "classlib/graphics/Bitmap.h"

namespace {

TMenuItem* NewItem(TMenuItem* parent, const std::string& caption, std::vector<std::string>* clicks = nullptr)
{
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    if (clicks != nullptr)
        item->OnClick = [clicks](TObject* sender) {
            clicks->push_back(static_cast<TMenuItem*>(sender)->Caption());
        };
    parent->Add(item);
    return item;
}

}  // namespace

// (Inserting and deleting items by index: nothing in the program does it.)
TEST(MenusTest, ItemTreesKeepOrderParentsAndUniqueCommands)
{
    std::vector<std::string> clicks;
    TPopupMenu menu(nullptr);
    TMenuItem* file = NewItem(menu.Items(), "File", &clicks);
    TMenuItem* exit = NewItem(menu.Items(), "Exit", &clicks);
    EXPECT_EQ(exit->MenuIndex(), 1);
    EXPECT_THROW(menu.Items()->Add(exit), EMenuError);  // already in a tree
    TMenuItem* open = NewItem(file, "Open", &clicks);
    EXPECT_EQ(open->GetParentMenu(), &menu);
    EXPECT_EQ(open->Parent(), file);

    EXPECT_NE(open->Command(), 0);
    EXPECT_NE(open->Command(), file->Command());
    EXPECT_NE(file->Command(), exit->Command());
    EXPECT_TRUE(menu.DispatchCommand(open->Command()));
    EXPECT_EQ(clicks, std::vector<std::string>{"Open"});

    // Freeing an item frees its children and takes it out of its parent;
    // the numbers come free again and are no longer dispatched.
    const uint16_t openCommand = open->Command();
    delete file;
    EXPECT_EQ(menu.Items()->Count(), 1);
    EXPECT_EQ(menu.Items()->Items(0), exit);
    EXPECT_FALSE(menu.DispatchCommand(openCommand));
    EXPECT_FALSE(menu.DispatchCommand(0));
    TMenuItem reused(nullptr);
    TMenuItem reused2(nullptr);
    EXPECT_TRUE(reused.Command() == openCommand || reused2.Command() == openCommand);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST(MenusTest, ShortCutsReachOnlyEnabledItemsThroughEnabledParents)
{
    std::vector<std::string> clicks;
    TMainMenu menu(nullptr);
    TMenuItem* edit = NewItem(menu.Items(), "Edit", &clicks);
    TMenuItem* hiddenCopy = NewItem(edit, "Copy (disabled branch)", &clicks);
    hiddenCopy->SetShortCut(scAlt | 'C');
    edit->SetEnabled(false);
    TMenuItem* disabled = NewItem(menu.Items(), "Copy (disabled)", &clicks);
    disabled->SetShortCut(scAlt | 'C');
    disabled->SetEnabled(false);
    TMenuItem* view = NewItem(menu.Items(), "View", &clicks);
    TMenuItem* copy = NewItem(view, "Copy", &clicks);
    copy->SetShortCut(scAlt | 'C');

    TWMKey plain{WM_KEYDOWN, 'C', 0, 0};
    EXPECT_FALSE(menu.IsShortCut(plain));  // no Alt in the key data
    TWMKey alt{WM_SYSKEYDOWN, 'C', LPARAM(1) << 29, 0};
    EXPECT_TRUE(menu.IsShortCut(alt));
    EXPECT_EQ(clicks, std::vector<std::string>{"Copy"});
}

// A plain popup menu is the system's: OnPopup, then the visible items; the
// item chosen there (here by keys posted while the menu tracks) is clicked.
TEST(MenusTest, PlainPopupMenuShowsTheVisibleItemsNatively)
{
    std::vector<std::string> clicks;
    TPopupMenu menu(nullptr);
    NewItem(menu.Items(), "Hidden", &clicks)->SetVisible(false);
    NewItem(menu.Items(), "First", &clicks);
    NewItem(menu.Items(), "Second", &clicks);
    menu.OnPopup = [&](TObject* sender) { clicks.push_back(sender == &menu ? "popup" : "?"); };
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        const HWND owner = Application->Handle();
        PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageA(owner, WM_KEYDOWN, VK_RETURN, 1);
    });
    ASSERT_NE(timer, 0u);
    menu.Popup(40, 40);
    EXPECT_EQ(clicks, (std::vector<std::string>{"popup", "First"}));
}

TEST(MenusTest, DescriptionBuildsNestedItemsAndTheFormsMenu)
{
    RegisterClassLibraryClasses();
    TForm form(nullptr);
    std::vector<std::string> clicks;
    TFormHandlers handlers;
    handlers.Add<TNotifyEvent>("ItemClick", [&](TObject* sender) {
        clicks.push_back(static_cast<TComponent*>(sender)->Name());
    });
    TFormReader reader;
    reader.Handlers = &handlers;
    reader.ReadInto(R"(object Form1: TForm
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    object FileItem: TMenuItem
      Caption = '&File'
      object OpenItem: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
        OnClick = ItemClick
      end
      object Sep: TMenuItem
        Caption = '-'
        Enabled = False
      end
    end
  end
end
)",
                    form);
    auto* menu = dynamic_cast<TMainMenu*>(form.FindComponent("MainMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(form.Menu(), menu) << "a reference to a component read later";
    ASSERT_EQ(menu->Items()->Count(), 1);
    TMenuItem* file = menu->Items()->Items(0);
    ASSERT_EQ(file->Count(), 2);
    TMenuItem* open = file->Items(0);
    EXPECT_EQ(open->ShortCut(), scCtrl | 'O');
    EXPECT_TRUE(file->Items(1)->IsSeparator() && !file->Items(1)->Enabled());
    EXPECT_TRUE(menu->DispatchCommand(open->Command()));
    EXPECT_EQ(clicks, std::vector<std::string>{"OpenItem"});

    // The link is cleared when its target goes.
    delete menu;
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(form.FindComponent("OpenItem"), nullptr);  // freed with the menu's tree

    TForm other(nullptr);
    EXPECT_THROW(reader.ReadInto("object Form1: TForm\n  object Stray: TMenuItem\n  end\nend\n", other),
                 EFormDescriptionError);
}

TEST(MenusTest, ImageListsDrawMaskedImagesAndIgnoreBadIndexes)
{
    TImageList images(nullptr);
    images.SetWidth(4);
    images.SetHeight(4);
    // Two images side by side: red and blue, each with a white corner pixel.
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(8, 4);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect({0, 0, 4, 4});
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect({4, 0, 8, 4});
    strip.Canvas()->SetPixels(0, 0, clWhite);
    strip.Canvas()->SetPixels(4, 0, clWhite);
    EXPECT_EQ(images.AddMasked(&strip, clWhite), 0);
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(strip.Canvas()->Pixels(0, 0), clWhite);  // the caller's picture is left alone

    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(20, 10);
    target.Canvas()->Brush()->SetColor(clLime);
    target.Canvas()->FillRect({0, 0, 20, 10});
    images.Draw(target.Canvas(), 0, 0, 1);
    images.Draw(target.Canvas(), 10, 0, 2);   // outside: nothing
    images.Draw(target.Canvas(), 10, 0, -1);  // outside: nothing
    images.Draw(target.Canvas(), 5, 5, 0, false);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), clLime);  // masked
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(12, 2), clLime);
    EXPECT_NE(target.Canvas()->Pixels(7, 7), clRed);  // disabled: not the picture as it is
    EXPECT_NE(target.Canvas()->Pixels(7, 7), clLime);
    TIcon icon;
    images.GetIcon(5, &icon);
    EXPECT_TRUE(icon.Empty());
}
