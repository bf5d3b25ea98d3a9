// The skinned classes read from a form description, and the windowless
// skinned control's see-through look.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "SkinTestSheet.h"
#include "classlib/core/FormReader.h"
#include "classlib/ui/Forms.h"
#include "skin/SkinStandIns.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSplitterBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinViews.h"
#include "skin/forms/SkinPopupMenu.h"

namespace {

// Every skinned class is read from a description with its skin link and
// one property of its own (an unregistered property would fail the read);
// a link to another component and nesting are resolved.
TEST(SkinClassesTest, EverySkinnedClassIsReadWithItsSkinLinkAndOwnProperties)
{
    RegisterSkinClasses();
    static const bool popupRegistered = (RegisterSkinPopupMenuClasses(ClassRegistry()), true);
    (void)popupRegistered;
    const struct {
        const char* Name;
        const char* Class;
        const char* Property;
    } classes[] = {{"Bar1", "TspSkinScrollBar", "Kind = sbVertical"},
                   {"Memo1", "TspSkinMemo", "VScrollBar = Bar1"},
                   {"Edit1", "TspSkinCustomEdit", "ButtonMode = True"},
                   {"Button1", "TspSkinButton", "GroupIndex = 2"},
                   {"Control1", "TspSkinControl", "SkinDataName = 'plate'"},
                   {"Graphic1", "TspGraphicSkinControl", "TransparentValue = 30"},
                   {"Custom1", "TspSkinCustomControl", "DefaultWidth = 33"},
                   {"Std1", "TspSkinStdLabel", "Caption = 'Label'"},
                   {"Link1", "TspSkinLinkLabel", "URL = 'mailto:someone'"},
                   {"Text1", "TspSkinTextLabel", "WordWrap = True"},
                   {"ButtonLabel1", "TspSkinButtonLabel", "Caption = 'Button'"},
                   {"UpDown1", "TspSkinUpDown", "Increment = 5"},
                   {"Split1", "TspSkinSplitter", "DefaultSize = 7"},
                   {"CBar1", "TspSkinControlBar", "SkinBevel = True"},
                   {"Tabs1", "TspSkinTabControl", "DefaultItemHeight = 24"},
                   {"Pages1", "TspSkinPageControl", "Visible = True"},
                   {"Tree1", "TspSkinCustomTreeView", "Visible = True"},
                   {"List1", "TspSkinCustomListView", "Visible = True"},
                   {"Header1", "TspSkinHeaderControl", "UseSkinFont = False"},
                   {"Panel1", "TspSkinPanel", "object GroupBox1: TspSkinGroupBox\n      SkinData = Skin1\n    end"}};
    std::string text = "object F: TForm\n  object Skin1: TspSkinData\n  end\n";
    for (const auto& c : classes)
        text += std::string("  object ") + c.Name + ": " + c.Class + "\n    SkinData = Skin1\n    " + c.Property +
                "\n  end\n";
    TForm form(nullptr);
    TFormReader().ReadInto(text + R"(  object Popup1: TspSkinPopupMenu
    SkinData = Skin1
    AutoPopup = False
    object Item1: TMenuItem
      Caption = 'One'
    end
  end
end)",
                           form);
    auto* skin = dynamic_cast<TspSkinData*>(form.FindComponent("Skin1"));
    ASSERT_NE(skin, nullptr);
    for (const auto& c : classes) {
        TComponent* component = form.FindComponent(c.Name);
        ASSERT_NE(component, nullptr) << c.Name;
        EXPECT_EQ(component->ClassName(), c.Class);
        auto* skinned = dynamic_cast<ISkinChangeable*>(component);
        ASSERT_NE(skinned, nullptr) << c.Name << " is reached by a skin change";
        EXPECT_EQ(skinned->SkinData(), skin) << c.Name;
    }
    EXPECT_EQ(dynamic_cast<ISkinChangeable*>(form.FindComponent("GroupBox1"))->SkinData(), skin);
    EXPECT_EQ(dynamic_cast<TspSkinMemo*>(form.FindComponent("Memo1"))->VScrollBar(), form.FindComponent("Bar1"));
    EXPECT_EQ(form.FindComponent("GroupBox1")->Owner(), &form);
    EXPECT_EQ(dynamic_cast<TControl*>(form.FindComponent("GroupBox1"))->Parent(), form.FindComponent("Panel1"));
    auto* popup = dynamic_cast<TspSkinPopupMenu*>(form.FindComponent("Popup1"));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->SkinData(), skin);
    EXPECT_FALSE(popup->AutoPopup);
    EXPECT_EQ(popup->Items()->Count(), 1);
    delete skin;  // every link is cleared by the free notification
    EXPECT_EQ(popup->SkinData(), nullptr);
    EXPECT_EQ(dynamic_cast<ISkinChangeable*>(form.FindComponent("Bar1"))->SkinData(), nullptr);
}

// A windowless skinned control of one solid colour.
struct TSolidGraphic : TspGraphicSkinControl {
    using TspGraphicSkinControl::TspGraphicSkinControl;
    void CreateControlDefaultImage(TBitmap* B) override
    {
        B->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(0, 0, 200)));
        B->Canvas()->FillRect(RECT{0, 0, B->Width(), B->Height()});
    }
};

TEST(SkinClassesTest, WindowlessSkinnedControlBlendsWithWhatLiesBehindAndRepaintsWhenMoved)
{
    TForm form(nullptr);
    form.SetColor(static_cast<TColor>(RGB(200, 0, 0)));
    form.SetBounds(0, 0, 200, 150);
    form.Show();
    auto* graphic = new TSolidGraphic(&form);
    graphic->SetParent(&form);
    graphic->SetBounds(10, 10, 40, 30);
    EXPECT_TRUE(skintest::Near(skintest::Painted(graphic, 20, 15), RGB(0, 0, 200))) << "opaque";
    graphic->SetTransparent(true);
    graphic->SetTransparentValue(25);
    EXPECT_TRUE(skintest::Near(skintest::Painted(graphic, 20, 15), RGB(50, 0, 150))) << "a quarter of the form";

    // A see-through control moved shows its new ground at once.
    UpdateWindow(form.Handle());
    graphic->SetBounds(60, 10, 40, 30);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(form.Handle(), &update, FALSE)) << "painted, nothing left pending";
}

}  // namespace
