// Standard controls over the Win32 control classes.
//
// `TButton`: a push button (the BUTTON class). A click - by mouse, keyboard
// or BM_CLICK - arrives as the reflected BN_CLICKED and fires OnClick once;
// a button with a ModalResult also sets its form's ModalResult, which ends
// the form's ShowModal.
#pragma once

#include "classlib/ui/Controls.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    std::string ClassName() const override { return "TButton"; }

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    TModalResult FModalResult = mrNone;
};
