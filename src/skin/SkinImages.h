// The skin image composers over bitmaps: each makes its plan
// (skin/core/SkinComposition.h) and executes it with canvas rectangle
// copies, so a same-size copy is exact and the picture's depth is converted
// as the platform converts it.
//
// Targets are created and owned by the caller; points and rectangles are
// not changed. A missing (null) picture counts as an empty one: the target
// is sized and nothing is drawn. The geometry arguments follow
// skin/core/SkinComposition.h: the corner points and client rectangle of
// the element at its skin size, then the same moved for AW x AH.
#pragma once

#include "classlib/core/Types.h"
#include "classlib/graphics/Bitmap.h"

// B becomes AW x AH, the client rectangle ClRect of SkinRect tiled over it
// (skin/core/SkinComposition.h PlanTiledClient).
void CreateTiledClientImage(TBitmap* B, TBitmap* Picture, const TRect& SkinRect, const TRect& ClRect, int AW, int AH);
// B becomes AW wide and as high as SkinRect (AH is not used).
void CreateHSkinImage(int LOffset, int ROffset, TBitmap* B, TBitmap* Picture, const TRect& SkinRect, int AW, int AH);
// B becomes as wide as SkinRect and AH high (AW is not used).
void CreateVSkinImage(int TOffset, int BOffset, TBitmap* B, TBitmap* Picture, const TRect& SkinRect, int AW, int AH);

// B becomes AW x AH and holds the nine-part image.
void CreateSkinImage(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
                     const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
                     const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B,
                     TBitmap* Picture, const TRect& SkinRect, int AW, int AH, bool DrawClient);
// The same without right-hand border (header sections).
void CreateSkinImage2(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
                      const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
                      const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B,
                      TBitmap* Picture, const TRect& SkinRect, int AW, int AH, bool DrawClient);

// The four frame strips at the new size; a strip whose size or repeated
// span is below 1 is left as it was.
void CreateSkinBorderImages(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
                            const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint,
                            const TPoint& NewRTPoint, const TPoint& NewLBPoint, const TPoint& NewRBPoint,
                            const TRect& NewClRect, TBitmap* LeftB, TBitmap* TopB, TBitmap* RightB, TBitmap* BottomB,
                            TBitmap* Picture, const TRect& SkinRect, int AW, int AH);

// The four strips of a whole mask bitmap at the new size.
void CreateSkinMask(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
                    const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint, const TPoint& NewLBPoint,
                    const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* Mask, TBitmap* TopB, TBitmap* LeftB,
                    TBitmap* RightB, TBitmap* BottomB, int AW, int AH);
