#include "settings/DemoForm.h"

#include "classlib/core/SysUtils.h"
#include "classlib/ui/FormResources.h"

void TDemoForm::RegisterFormClass()
{
    static const bool registered = [] {
        RegisterClassLibraryClasses();
        ClassRegistry()
            .Register<TDemoForm>("TDemoForm", "TForm")
            .Factory(nullptr)
            .Field("PanelTitle", &TDemoForm::PanelTitle)
            .Field("LabelTitle", &TDemoForm::LabelTitle)
            .Field("GroupBoxOptions", &TDemoForm::GroupBoxOptions)
            .Field("CheckBoxBubbles", &TDemoForm::CheckBoxBubbles)
            .Field("ComboBoxDirection", &TDemoForm::ComboBoxDirection)
            .Field("TrackBarFish", &TDemoForm::TrackBarFish)
            .Field("LabelFish", &TDemoForm::LabelFish)
            .Field("CheckListBoxKinds", &TDemoForm::CheckListBoxKinds)
            .Field("LabelStatus", &TDemoForm::LabelStatus)
            .Field("ButtonClose", &TDemoForm::ButtonClose);
        return true;
    }();
    (void)registered;
}

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner)
{
    RegisterFormClass();
    TFormHandlers handlers;
    handlers.Add("FormCreate", this, &TDemoForm::FormCreate);
    handlers.Add("CheckBoxBubblesClick", this, &TDemoForm::CheckBoxBubblesClick);
    handlers.Add("ComboBoxDirectionChange", this, &TDemoForm::ComboBoxDirectionChange);
    handlers.Add("TrackBarFishChange", this, &TDemoForm::TrackBarFishChange);
    handlers.Add("CheckListBoxKindsClickCheck", this, &TDemoForm::CheckListBoxKindsClickCheck);
    handlers.Add("ButtonCloseClick", this, &TDemoForm::ButtonCloseClick);
    ReadFormResource(*this, handlers);

    // Not part of the description: the application component is made here and
    // set up as a loaded one would be.
    ApplicationPro = new TCustomGraphicApplicationPro(this);
    ApplicationPro->Title = "Corvalen";
    ApplicationPro->OnFPSChanged = [this](TObject*) {
        SetCaption(Format("%s - %d fps", ApplicationPro->Title.c_str(), ApplicationPro->GetFPS()));
    };
    ApplicationPro->Loaded();
}

void TDemoForm::ShowStatus(const std::string& text)
{
    LabelStatus->SetCaption(text);
}

void TDemoForm::FormCreate(TObject*)
{
    CheckListBoxKinds->SetChecked(0, true);
    CheckListBoxKinds->SetChecked(2, true);
    TrackBarFishChange(TrackBarFish);
    ShowStatus("Built from the form description TDEMOFORM.");
}

void TDemoForm::CheckBoxBubblesClick(TObject*)
{
    ShowStatus(CheckBoxBubbles->Checked() ? "Bubbles on." : "Bubbles off.");
}

void TDemoForm::ComboBoxDirectionChange(TObject*)
{
    const int index = ComboBoxDirection->ItemIndex();
    if (index >= 0)
        ShowStatus("Direction: " + ComboBoxDirection->Items()->Strings(index) + ".");
}

void TDemoForm::TrackBarFishChange(TObject*)
{
    LabelFish->SetCaption("Fish: " + IntToStr(TrackBarFish->Position()));
}

void TDemoForm::CheckListBoxKindsClickCheck(TObject*)
{
    int shown = 0;
    for (int i = 0; i < CheckListBoxKinds->Items()->Count(); ++i)
        shown += CheckListBoxKinds->Checked(i) ? 1 : 0;
    ShowStatus(IntToStr(shown) + " of " + IntToStr(CheckListBoxKinds->Items()->Count()) + " kinds shown.");
}

void TDemoForm::ButtonCloseClick(TObject*)
{
    Close();
}
