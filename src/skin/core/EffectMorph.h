// The two pixel operations every skinned look shares: one morph step
// between a normal and an active look by the skin's morph kind, and the
// effect that marks an inactive form.
#pragma once

#include "skin/core/EffectImage.h"
#include "skin/core/SkinEncodings.h"

// Morphs `from` toward `to` by Kf with the morph that `kind` names.
void MorphByKind(TEffectImage& from, const TEffectImage& to, TspMorphKind kind, double Kf);

// The look of an inactive skinned form: the skin's inactive effect applied
// to `image` (brightness 0.5, darkness 0.3, gray scale, noise 50, split
// blur 1 or invert).
void ApplyInactiveEffect(TEffectImage& image, TspInactiveEffect effect);
