// Common controls (comctl32): the track bar here; the tab and page controls,
// the tree view, the list view and the header control in the headers below.
//
// `TTrackBar`: a slider (msctls_trackbar32) with tick marks every Frequency
// positions. Position stays within Min..Max; every change of Position, by
// the user (the reflected WM_HSCROLL / WM_VSCROLL) or by code, fires
// OnChange once.
#pragma once

#include <string>

#include "classlib/ui/ComCtrlsListView.h"
#include "classlib/ui/ComCtrlsTabs.h"
#include "classlib/ui/ComCtrlsTreeView.h"
#include "classlib/ui/Controls.h"

enum TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* owner);
    std::string ClassName() const override { return "TTrackBar"; }

    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    // Min above Max moves Max up to it, Max below Min moves Min down; the
    // position is clamped again.
    void SetMin(int min);
    void SetMax(int max);
    void SetPosition(int position);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int frequency);
    // Changing it turns the bar (width and height swap, except while
    // loading) and makes the window again. Vertical bars have Min at the top.
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation orientation);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    virtual void Changed();

private:
    void RangeChanged();

    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FFrequency = 1;
    TTrackBarOrientation FOrientation = trHorizontal;
};
