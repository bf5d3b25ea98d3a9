// The demonstration form: a window built from its form description
// (resources/forms/DemoForm.txt, the RCDATA resource TDEMOFORM of
// DemoForm.rc) that shows the class library's standard controls at work
// until the settings dialog takes its place. Its handlers are bound by name
// from the description; each one reports what the user did in the status
// line. The form carries the program's application component, which starts
// the program on the first idle tick, shows the frames per second in the
// caption and lets only one copy run.
#pragma once

#include <string>

#include "app/GraphicApplicationPro.h"
#include "classlib/ui/CheckLst.h"
#include "classlib/ui/ComCtrls.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/StdCtrls.h"

class TDemoForm : public TForm {
public:
    // Reads the description; raises EResNotFound when the program carries
    // no TDEMOFORM resource and EFormDescriptionError when it is faulty.
    explicit TDemoForm(TComponent* owner);
    // The components go while the form is still whole: the application
    // component stops the program then.
    ~TDemoForm() override { DestroyComponents(); }
    std::string ClassName() const override { return "TDemoForm"; }

    TCustomGraphicApplicationPro* ApplicationPro = nullptr;

    // The components of the description, set as it is read.
    TPanel* PanelTitle = nullptr;
    TLabel* LabelTitle = nullptr;
    TGroupBox* GroupBoxOptions = nullptr;
    TCheckBox* CheckBoxBubbles = nullptr;
    TComboBox* ComboBoxDirection = nullptr;
    TTrackBar* TrackBarFish = nullptr;
    TLabel* LabelFish = nullptr;
    TCheckListBox* CheckListBoxKinds = nullptr;
    TLabel* LabelStatus = nullptr;
    TButton* ButtonClose = nullptr;

private:
    static void RegisterFormClass();

    void FormCreate(TObject* sender);
    void CheckBoxBubblesClick(TObject* sender);
    void ComboBoxDirectionChange(TObject* sender);
    void TrackBarFishChange(TObject* sender);
    void CheckListBoxKindsClickCheck(TObject* sender);
    void ButtonCloseClick(TObject* sender);

    void ShowStatus(const std::string& text);
};
