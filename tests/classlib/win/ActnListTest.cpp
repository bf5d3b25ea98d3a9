// Actions linked to controls under Wine (their description: the skinned
// classes' table).
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "classlib/ui/ActnList.h"
#include "classlib/ui/ExtCtrls.h"

namespace {

class ActnListTest : public uitest::UiTest {};

// A linked control takes the action's caption, enabled state and hint, at
// the link and at every change; a click executes the action while it is
// enabled and the control has no OnClick of its own; a freed action unlinks.
TEST_F(ActnListTest, ActionKeepsItsControlInStepAndRunsOnClick)
{
    TForm* form = MakeForm(200, 100);
    auto* list = new TActionList(form);
    auto* action = new TAction(form);
    action->SetActionList(list);
    action->SetCaption("Run");
    action->SetHint("Runs it");
    auto* panel = AddControl<TPanel>(form, 0, 0, 80, 40);
    panel->SetAction(action);
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
}

}  // namespace
