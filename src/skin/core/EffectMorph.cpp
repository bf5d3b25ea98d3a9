#include "skin/core/EffectMorph.h"

void MorphByKind(TEffectImage& from, const TEffectImage& to, TspMorphKind kind, double Kf)
{
    switch (kind) {
    case mkDefault: from.Morph(to, Kf); break;
    case mkGradient: from.GradientMorph(to, Kf); break;
    case mkLeftGradient: from.LeftGradientMorph(to, Kf); break;
    case mkRightGradient: from.RightGradientMorph(to, Kf); break;
    case mkLeftSlide: from.LeftSlideMorph(to, Kf); break;
    case mkRightSlide: from.RightSlideMorph(to, Kf); break;
    case mkPush: from.PushMorph(to, Kf); break;
    }
}

void ApplyInactiveEffect(TEffectImage& image, TspInactiveEffect effect)
{
    switch (effect) {
    case ieBrightness: image.ChangeBrightness(0.5); break;
    case ieDarkness: image.ChangeDarkness(0.3); break;
    case ieGrayScale: image.GrayScale(); break;
    case ieNoise: image.AddColorNoise(50); break;
    case ieSplitBlur: image.SplitBlur(1); break;
    case ieInvert: image.Invert(); break;
    }
}
