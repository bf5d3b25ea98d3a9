// Actions read from a description and linked to controls under Wine.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "classlib/core/FormReader.h"
#include "classlib/ui/ActnList.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/FormResources.h"
#include "classlib/ui/ImgList.h"

namespace {

class ActnListTest : public uitest::UiTest {};

// A described action gives its linked control caption, enabled state and
// hint, at the link and at every change; a click executes it while it is
// enabled and the control has no OnClick of its own; a freed action unlinks.
TEST_F(ActnListTest, DescribedActionKeepsItsControlInStepAndRunsOnClick)
{
    RegisterClassLibraryClasses();
    TForm* form = MakeForm(200, 100);
    TFormReader().ReadInto(R"(object F: TForm
  object Images1: TImageList
  end
  object List1: TActionList
    Images = Images1
    object Act1: TAction
      Caption = 'Run'
      Hint = 'Runs it'
      ImageIndex = 0
    end
  end
  object Panel1: TPanel
    Width = 80
    Height = 40
    Action = Act1
  end
end)",
                           *form);
    auto* action = dynamic_cast<TAction*>(form->FindComponent("Act1"));
    auto* list = dynamic_cast<TActionList*>(form->FindComponent("List1"));
    auto* panel = dynamic_cast<TPanel*>(form->FindComponent("Panel1"));
    ASSERT_TRUE(action != nullptr && list != nullptr && panel != nullptr);
    EXPECT_EQ(action->ActionList(), list);
    EXPECT_EQ(list->Images(), form->FindComponent("Images1"));
    EXPECT_EQ(action->ImageIndex(), 0);
    EXPECT_EQ(panel->Action(), action);
    EXPECT_EQ(panel->Caption(), "Run");
    EXPECT_EQ(panel->Hint(), "Runs it");

    int executed = 0;
    action->OnExecute = [&](TObject* sender) { executed += sender == action ? 1 : 100; };
    ClickAt(panel->Handle(), 5, 5);
    EXPECT_EQ(executed, 1);
    action->SetCaption("Stop");
    action->SetHint("Stops it");
    action->SetEnabled(false);
    EXPECT_EQ(panel->Caption(), "Stop");
    EXPECT_EQ(panel->Hint(), "Stops it");
    EXPECT_FALSE(panel->Enabled());
    panel->SetEnabled(true);  // the control alone: the action stays disabled
    ClickAt(panel->Handle(), 5, 5);
    EXPECT_EQ(executed, 1) << "a disabled action does not run";
    action->SetEnabled(true);
    int own = 0;
    panel->OnClick = [&](TObject*) { ++own; };
    ClickAt(panel->Handle(), 5, 5);
    EXPECT_EQ(own, 1);
    EXPECT_EQ(executed, 1) << "the control's own OnClick comes first";

    delete action;
    EXPECT_EQ(panel->Action(), nullptr);
    EXPECT_EQ(list->ActionCount(), 0);
    ClickAt(panel->Handle(), 5, 5);
    EXPECT_EQ(own, 2);
}

}  // namespace
