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
// its own properties (an unregistered property would fail the read).
TEST(SkinClassesTest, EverySkinnedClassIsReadWithItsSkinLinkAndOwnProperties)
{
    RegisterSkinClasses();
    static const bool popupRegistered = (RegisterSkinPopupMenuClasses(ClassRegistry()), true);
    (void)popupRegistered;
    TForm form(nullptr);
    TFormReader().ReadInto(R"(object F: TForm
  object Skin1: TspSkinData
  end
  object Bar1: TspSkinScrollBar
    SkinData = Skin1
    Kind = sbVertical
    Max = 50
  end
  object Memo1: TspSkinMemo
    SkinData = Skin1
    VScrollBar = Bar1
    BitMapBG = True
  end
  object Edit1: TspSkinCustomEdit
    SkinData = Skin1
    ButtonMode = True
  end
  object Button1: TspSkinButton
    SkinData = Skin1
    GroupIndex = 2
  end
  object Panel1: TspSkinPanel
    SkinData = Skin1
    object GroupBox1: TspSkinGroupBox
      SkinData = Skin1
    end
  end
  object Control1: TspSkinControl
    SkinData = Skin1
    SkinDataName = 'plate'
  end
  object Graphic1: TspGraphicSkinControl
    SkinData = Skin1
    TransparentValue = 30
  end
  object Custom1: TspSkinCustomControl
    SkinData = Skin1
    DefaultWidth = 33
  end
  object Std1: TspSkinStdLabel
    SkinData = Skin1
  end
  object Link1: TspSkinLinkLabel
    SkinData = Skin1
    URL = 'mailto:someone'
  end
  object Text1: TspSkinTextLabel
    SkinData = Skin1
    WordWrap = True
  end
  object ButtonLabel1: TspSkinButtonLabel
    SkinData = Skin1
  end
  object UpDown1: TspSkinUpDown
    SkinData = Skin1
    Increment = 5
  end
  object Split1: TspSkinSplitter
    SkinData = Skin1
    DefaultSize = 7
  end
  object CBar1: TspSkinControlBar
    SkinData = Skin1
    SkinBevel = True
  end
  object Tabs1: TspSkinTabControl
    SkinData = Skin1
    DefaultItemHeight = 24
  end
  object Pages1: TspSkinPageControl
    SkinData = Skin1
  end
  object Tree1: TspSkinCustomTreeView
    SkinData = Skin1
  end
  object List1: TspSkinCustomListView
    SkinData = Skin1
  end
  object Header1: TspSkinHeaderControl
    SkinData = Skin1
    UseSkinFont = False
  end
  object Popup1: TspSkinPopupMenu
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
    const struct {
        const char* Name;
        const char* Class;
    } expected[] = {{"Bar1", "TspSkinScrollBar"},        {"Memo1", "TspSkinMemo"},
                    {"Edit1", "TspSkinCustomEdit"},      {"Button1", "TspSkinButton"},
                    {"Panel1", "TspSkinPanel"},          {"GroupBox1", "TspSkinGroupBox"},
                    {"Control1", "TspSkinControl"},      {"Graphic1", "TspGraphicSkinControl"},
                    {"Custom1", "TspSkinCustomControl"}, {"Std1", "TspSkinStdLabel"},
                    {"Link1", "TspSkinLinkLabel"},       {"Text1", "TspSkinTextLabel"},
                    {"ButtonLabel1", "TspSkinButtonLabel"}, {"UpDown1", "TspSkinUpDown"},
                    {"Split1", "TspSkinSplitter"},       {"CBar1", "TspSkinControlBar"},
                    {"Tabs1", "TspSkinTabControl"},      {"Pages1", "TspSkinPageControl"},
                    {"Tree1", "TspSkinCustomTreeView"},  {"List1", "TspSkinCustomListView"},
                    {"Header1", "TspSkinHeaderControl"}};
    for (const auto& item : expected) {
        TComponent* component = form.FindComponent(item.Name);
        ASSERT_NE(component, nullptr) << item.Name;
        EXPECT_EQ(component->ClassName(), item.Class);
        auto* skinned = dynamic_cast<ISkinChangeable*>(component);
        ASSERT_NE(skinned, nullptr) << item.Name << " is reached by a skin change";
        EXPECT_EQ(skinned->SkinData(), skin) << item.Name;
    }
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
