// The splitter and the control bar.
//
// `TSplitter`: a windowless strip between aligned controls. Dragged with the
// left button it resizes, live, the control aligned just before it on its
// side (the visible control of the same alignment whose edge touches it),
// never below MinSize and never past the parent's client area; OnMoved fires
// when the button is released after a drag. Its cursor follows its
// alignment (crSizeWE beside left and right controls, crSizeNS otherwise).
//
// `TCustomControlBar`: a container whose children are bands, laid out in
// rows in band order: each band is its child plus a grabber strip of
// BandGrabberWidth pixels at the left and BandBorder pixels on the other
// sides; a band that does not fit the rest of a row starts a new one. The
// bands are laid out again when a child joins or leaves, when a child
// changes its own size, when the bar's size changes and by AlignBands.
// Band order is the order the children joined in until the user drags a
// band by its grabber: released, the band moves to where the cursor is in
// reading order (before the first band the cursor is above, or left of the
// middle of within its row; after the last band otherwise).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/ui/Controls.h"

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);
    std::string ClassName() const override { return "TSplitter"; }

    int MinSize() const { return FMinSize; }
    void SetMinSize(int minSize) { FMinSize = minSize < 1 ? 1 : minSize; }
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnMoved;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;
    // The control this splitter resizes; null when none touches it.
    TControl* FindControl() const;
    virtual void StopSizing();

private:
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }

    int FMinSize = 30;
    TControl* FControl = nullptr;  // while dragging
    int FDownPos = 0;              // in the parent's client coordinates
    int FStartSize = 0;
    int FMaxSize = 0;
};

class TCustomControlBar : public TCustomControl {
public:
    static constexpr int BandGrabberWidth = 11;
    static constexpr int BandBorder = 2;

    explicit TCustomControlBar(TComponent* owner);
    std::string ClassName() const override { return "TCustomControlBar"; }

    // Places every visible child in its band.
    void AlignBands();
    // The band of a child in client coordinates (its bounds widened by the
    // grabber and the border).
    static RECT BandRect(TControl* control);

    void Loaded() override;

protected:
    void WndProc(TMessage& message) override;
    // A band whose child changed its size moves the bands after it.
    void ControlResized(TControl* control) override;
    void Paint() override;
    // Draws one band's frame and grabber around `control` in `rect`.
    virtual void DrawBand(TCanvas* canvas, TControl* control, RECT rect);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool FAligning = false;
    std::vector<TControl*> FBands;  // the children in band order
    TControl* FDragBand = nullptr;  // held by its grabber
};
