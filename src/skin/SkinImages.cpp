#include "skin/SkinImages.h"

#include "classlib/graphics/WinTypes.h"
#include "skin/core/SkinComposition.h"

namespace {

TSkinPictureSize SizeOf(TBitmap* picture)
{
    if (picture == nullptr || picture->Empty())
        return {};
    return {picture->Width(), picture->Height()};
}

void Execute(const TSkinPlan& plan, TBitmap* picture, TBitmap* target)
{
    if (!plan.Built || target == nullptr)
        return;
    target->SetSize(plan.Width, plan.Height);
    for (const TSkinCopy& copy : plan.Copies)
        target->Canvas()->CopyRect(ToRECT(copy.Dest), picture->Canvas(), ToRECT(copy.Source));
}

}  // namespace

void CreateTiledClientImage(TBitmap* B, TBitmap* Picture, const TRect& SkinRect, const TRect& ClRect, int AW, int AH)
{
    Execute(PlanTiledClient(SizeOf(Picture), SkinRect, ClRect, AW, AH), Picture, B);
}

void CreateHSkinImage(int LOffset, int ROffset, TBitmap* B, TBitmap* Picture, const TRect& SkinRect, int AW,
                      int /*AH*/)
{
    Execute(PlanHSkinImage(LOffset, ROffset, SizeOf(Picture), SkinRect, AW), Picture, B);
}

void CreateVSkinImage(int TOffset, int BOffset, TBitmap* B, TBitmap* Picture, const TRect& SkinRect, int /*AW*/,
                      int AH)
{
    Execute(PlanVSkinImage(TOffset, BOffset, SizeOf(Picture), SkinRect, AH), Picture, B);
}

void CreateSkinImage(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
                     const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
                     const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B,
                     TBitmap* Picture, const TRect& SkinRect, int AW, int AH, bool DrawClient)
{
    Execute(PlanSkinImage({LTPoint, RTPoint, LBPoint, RBPoint, ClRect},
                          {NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, SizeOf(Picture), SkinRect, AW,
                          AH, DrawClient),
            Picture, B);
}

void CreateSkinImage2(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
                      const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
                      const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B,
                      TBitmap* Picture, const TRect& SkinRect, int AW, int AH, bool DrawClient)
{
    Execute(PlanSkinImage2({LTPoint, RTPoint, LBPoint, RBPoint, ClRect},
                           {NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, SizeOf(Picture), SkinRect,
                           AW, AH, DrawClient),
            Picture, B);
}

void CreateSkinBorderImages(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
                            const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint,
                            const TPoint& NewRTPoint, const TPoint& NewLBPoint, const TPoint& NewRBPoint,
                            const TRect& NewClRect, TBitmap* LeftB, TBitmap* TopB, TBitmap* RightB, TBitmap* BottomB,
                            TBitmap* Picture, const TRect& SkinRect, int AW, int AH)
{
    const TSkinStripPlans strips =
        PlanSkinBorderImages({LTPoint, RTPoint, LBPoint, RBPoint, ClRect},
                             {NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, SizeOf(Picture), SkinRect,
                             AW, AH);
    Execute(strips.Top, Picture, TopB);
    Execute(strips.Bottom, Picture, BottomB);
    Execute(strips.Left, Picture, LeftB);
    Execute(strips.Right, Picture, RightB);
}

void CreateSkinMask(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
                    const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint, const TPoint& NewLBPoint,
                    const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* Mask, TBitmap* TopB, TBitmap* LeftB,
                    TBitmap* RightB, TBitmap* BottomB, int AW, int AH)
{
    const TSkinStripPlans strips = PlanSkinMask({LTPoint, RTPoint, LBPoint, RBPoint, ClRect},
                                                {NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect},
                                                SizeOf(Mask), AW, AH);
    Execute(strips.Left, Mask, LeftB);
    Execute(strips.Right, Mask, RightB);
    Execute(strips.Top, Mask, TopB);
    Execute(strips.Bottom, Mask, BottomB);
}
