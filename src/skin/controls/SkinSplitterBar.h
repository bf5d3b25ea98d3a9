// The skinned splitter and control bar: the class library's TSplitter and
// TCustomControlBar with all their behaviour, drawn from the skin records
// "vsplitter" and "controlbar" when the linked skin has them, and as their
// parents without.
//
// `TspSkinSplitter`: its thickness is the record's SkinRect width (left or
// right aligned) or height (top or bottom), DefaultSize without a record;
// an aligned splitter paints the record's image stretched along its length,
// an unaligned one the inherited look. It is not opaque while it paints.
//
// `TspSkinControlBar`: with a record the client is tiled with the record's
// background picture (or the skin's client area), each band framed by strips
// cut from "itemrect"; with SkinBevel too the non-client frame comes from
// the skin's frame. Pictures are named only by indexes inside the skin's
// list; a tile of no size draws nothing.
#pragma once

#include <string>

#include "classlib/ui/ExtCtrls.h"
#include "skin/controls/SkinControl.h"

class TspSkinSplitter : public TspSkinLinkT<TSplitter> {
public:
    explicit TspSkinSplitter(TComponent* owner);
    std::string ClassName() const override { return "TspSkinSplitter"; }

    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;

    int FIndex = -1;
    std::string SkinDataName = "vsplitter";
    int DefaultSize = 10;

protected:
    void Paint() override;

private:
    void GetSkinData();

    TPoint FLTPoint, FRTPoint, FLBPoint;
    TRect FSkinRect;
    TBitmap* FPicture = nullptr;
};

class TspSkinControlBar : public TspSkinLinkT<TCustomControlBar> {
public:
    explicit TspSkinControlBar(TComponent* owner);
    std::string ClassName() const override { return "TspSkinControlBar"; }

    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool SkinBevel() const { return FSkinBevel; }
    void SetSkinBevel(bool value);

    int FIndex = -1;
    std::string SkinDataName = "controlbar";

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    void DrawBand(TCanvas* canvas, TControl* control, RECT rect) override;

private:
    void GetSkinData();
    bool SkinnedFrame() const { return FIndex != -1 && FSkinBevel; }
    void PaintFrame();

    bool FSkinBevel = false;
    TPoint FLTPoint, FRTPoint, FLBPoint, FRBPoint;
    TRect FSkinRect, FClRect, FItemRect;
    TBitmap* FPicture = nullptr;
    TBitmap* FBgPicture = nullptr;
};

void RegisterSkinSplitterBarClasses(TClassRegistry& classes);
