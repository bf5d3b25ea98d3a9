// Extra controls: the panel and the image, with the picture an image shows;
// the splitter and the control bar in ExtCtrlsBars.h.
//
// `TPanel`: a container painted in its Color with raised or lowered bevels
// (outer bevel, BorderWidth, inner bevel, each BevelWidth pixels for a bevel)
// and its caption centred.
//
// `TImage`: a windowless control showing the bitmap of its Picture at its
// top-left corner, centred (Center) or scaled to its size (Stretch).
#pragma once

#include <memory>
#include <string>

#include "classlib/graphics/Bitmap.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/ExtCtrlsBars.h"

// A picture as controls show it: a bitmap, which a picture of another kind
// (a TJPEGImage) is decoded into when assigned. Whoever draws on Bitmap()
// directly calls Changed afterwards.
class TPicture : public TPersistent {
public:
    TPicture();
    std::string ClassName() const override { return "TPicture"; }

    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* bitmap) { Assign(bitmap); }
    int Width() const { return FBitmap->Width(); }
    int Height() const { return FBitmap->Height(); }

    // Takes another TPicture, a TBitmap or anything a TBitmap can take; a
    // null source empties the picture.
    void Assign(TPersistent* source) override;
    // Loads a BMP file.
    void LoadFromFile(const std::string& fileName);
    void Changed();

    TNotifyEvent OnChange;

private:
    std::unique_ptr<TBitmap> FBitmap;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    std::string ClassName() const override { return "TImage"; }

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* picture) { FPicture->Assign(picture); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);
    bool Center() const { return FCenter; }
    void SetCenter(bool center);

protected:
    void Paint() override;

private:
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);
    std::string ClassName() const override { return "TPanel"; }

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut bevel);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int width);

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    void DrawBevel(RECT& rect, TBevelCut bevel);

    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
};
