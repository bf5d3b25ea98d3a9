// The small tool window a control floats in (TControl::ManualFloat, or a
// dock drag released away from any dock site). It is a dock site itself,
// and it frees itself once its last client has left it.
#pragma once

#include "classlib/ui/Forms.h"

class TCustomDockForm : public TCustomForm {
public:
    explicit TCustomDockForm(TComponent* owner);
    std::string ClassName() const override { return "TCustomDockForm"; }

    // Places the window so that its client area covers `screenRect`.
    void SetClientBounds(const RECT& screenRect);

protected:
    void WndProc(TMessage& message) override;

private:
    bool FReleasedEmpty = false;  // a release for the last client's leaving is on its way
};
